#include "views/FormGraph.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLegend>
#include <QLineSeries>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/Workspace.h"
#include "core/Error.h"
#include "views/FormStateIO.h"
#include "views/Tx.h"

namespace qx {
namespace {

constexpr const char* kSection = "TFormGraph";
constexpr qreal kMarkerSize = 3;

QColor ColourOf(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

} // namespace

TFormGraph::TFormGraph(TWorkspace& ws, QWidget* parent) : QDialog(parent), FWs(ws) {
    setObjectName(kSection);
    setWindowTitle(Tx("График"));
    setWindowFlag(Qt::Tool, true);
    setSizeGripEnabled(true);
    resize(kDesignWidth, kDesignHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    FMarks = new QCheckBox(Tx("Отображать метки на графиках"), this);
    FMarks->setObjectName("cbShowMarks");
    FMarks->setChecked(true);
    layout->addWidget(FMarks);
    FChart = new QChart;
    FChart->setBackgroundRoundness(0);
    FChart->legend()->setAlignment(Qt::AlignBottom);
    FAxisX = new QValueAxis;
    FAxisX->setLabelFormat("%.0f");
    FAxisY = new QValueAxis;
    FChart->addAxis(FAxisX, Qt::AlignBottom);
    FChart->addAxis(FAxisY, Qt::AlignLeft);
    FView = new QChartView(FChart, this);
    FView->setObjectName("crtGraph");
    FView->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(FView, 1);
    connect(FMarks, &QCheckBox::clicked, this, [this](bool on) {
        RunCommand(FWs.Shell(), [&] { SetMarks(on); });
    });
}

TFormGraph::~TFormGraph() {
    if (!FPlaced) return;
    try {
        FWs.UpdateFormState([&](TIniFile& ini) { WritePlacement(*this, ini, kSection); });
    } catch (const std::exception&) {
        // Only the window's placement is lost.
    }
}

void TFormGraph::showEvent(QShowEvent* event) {
    if (!FPlaced) {
        FPlaced = true;
        try {
            ReadPlacement(*this, FWs.ReadFormState(), kSection, true);
        } catch (const std::exception&) {
            // The window opens centred at its design size.
        }
    }
    QDialog::showEvent(event);
}

void TFormGraph::AddGraphPoint(double x, const std::string& title, double y, bool points, bool marks,
                               uint32_t colour) {
    const QString name = Tx(title);
    QLineSeries*& series = FSeries[name.toLower()];
    if (!series) {
        series = new QLineSeries;
        series->setName(name);
        FChart->addSeries(series);
        series->attachAxis(FAxisX);
        series->attachAxis(FAxisY);
        QPen pen = series->pen();
        if (colour) pen.setColor(ColourOf(colour));
        pen.setWidth(2);
        series->setPen(pen);
        series->setPointsVisible(points);
        series->setMarkerSize(kMarkerSize);
        series->setPointLabelsFormat("@yPoint");
        series->setPointLabelsClipping(false);
        if (marks) {
            FMarked.insert(series);
            series->setPointLabelsVisible(FMarks->isChecked());
        }
    }
    series->append(x, y);
}

void TFormGraph::Show(const TGraphPlot& plot) {
    setWindowTitle(Tx(plot.Caption));
    for (const TGraphPoint& p : plot.Points) AddGraphPoint(p.X, p.Title, p.Y, p.PointsVisible, p.MarksVisible, p.Colour);
    FitAxes();
}

void TFormGraph::FitAxes() {
    double minX = 0, maxX = 1, minY = 0, maxY = 1;
    bool any = false;
    for (const auto& [key, series] : FSeries)
        for (const QPointF& p : series->points()) {
            if (!any) {
                minX = maxX = p.x();
                minY = maxY = p.y();
                any = true;
            }
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    if (maxX <= minX) maxX = minX + 1;
    if (maxY <= minY) maxY = minY + 1;
    const double pad = (maxY - minY) * 0.05;
    FAxisX->setRange(minX, maxX);
    FAxisY->setRange(minY - pad, maxY + pad);
    FAxisY->applyNiceNumbers();
}

void TFormGraph::SetMarks(bool visible) {
    for (QLineSeries* s : FMarked) s->setPointLabelsVisible(visible);
}

QLineSeries* TFormGraph::Series(const QString& title) const {
    const auto it = FSeries.find(title.toLower());
    return it == FSeries.end() ? nullptr : it->second;
}

void ShowGraphWindow(TWorkspace& ws, const TGraphPlot& plot, QWidget* parent) {
    TFormGraph window(ws, parent);
    window.Show(plot);
    window.exec();
}

} // namespace qx

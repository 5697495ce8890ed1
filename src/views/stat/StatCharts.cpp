#include "views/stat/StatCharts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/GraphTab.h"
#include "app/StatTab.h"
#include "views/Tx.h"
#include "views/stat/ChartParts.h"

namespace qx {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

void SetShown(std::initializer_list<QAbstractSeries*> series, std::initializer_list<QAbstractAxis*> axes,
              bool on) {
    for (QAbstractSeries* s : series) s->setVisible(on);
    for (QAbstractAxis* a : axes) a->setVisible(on);
}

} // namespace

TStatChartView::TStatChartView(const char* name, QWidget* parent) : QChartView(NewChart(), parent) {
    setObjectName(name);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumHeight(60);
    QChart* c = chart();
    c->legend()->hide();
    FActual = AddLine(c, Tx(kActualSeries), kChartGreen, 2);
    FMarks = AddMarks(c);
    FTotal = AddLine(c, Tx(kTotalSeries), kRed, 1);
    FAxisX = new QCategoryAxis;
    FAxisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    SmallLabels(FAxisX);
    c->addAxis(FAxisX, Qt::AlignBottom);
    FAxisY = AddValueAxis(c, Qt::AlignLeft, QStringLiteral("%.0f"));
    AttachAll(c, FAxisX, FAxisY);
    for (QXYSeries* s : {static_cast<QXYSeries*>(FActual), static_cast<QXYSeries*>(FTotal)})
        connect(s, &QXYSeries::hovered, this, &TStatChartView::ShowTip);
    Clear();
}

void TStatChartView::Clear() {
    for (QXYSeries* s :
         {static_cast<QXYSeries*>(FActual), static_cast<QXYSeries*>(FMarks), static_cast<QXYSeries*>(FTotal)})
        s->clear();
    FLabels.clear();
    for (const QString& label : FAxisX->categoriesLabels()) FAxisX->remove(label);
    SetShown({FActual, FMarks, FTotal}, {FAxisX, FAxisY}, false);
}

void TStatChartView::Show(const TStatChart& data, bool totalLine) {
    Clear();
    if (data.Actual.empty() && data.Total.empty()) return;
    const QList<QPointF> actual = Points(data.Actual);
    FActual->replace(actual);
    FMarks->replace(actual);
    const bool total = totalLine && !data.Total.empty();
    if (total) FTotal->replace(Points(data.Total));
    SetShown({FActual, FMarks}, {FAxisX, FAxisY}, true);
    FTotal->setVisible(total);

    double high = data.Actual.empty() ? 0 : data.Actual.front().Y, low = high;
    for (const TChartPoint& p : data.Actual) {
        high = std::max(high, p.Y);
        low = std::min(low, p.Y);
    }
    if (total)
        for (const TChartPoint& p : data.Total) {
            high = std::max(high, p.Y);
            low = std::min(low, p.Y);
        }
    SetValueRange(FAxisY, low, high);
    // Both lines share one axis in key order: the full set's points carry every value's label.
    const std::vector<TChartPoint>& labelled = data.Total.empty() ? data.Actual : data.Total;
    for (const TChartPoint& p : labelled) FLabels.emplace_back(p.X, ToQ(p.Label));
    FAxisX->setRange(labelled.front().X - 0.5, labelled.back().X + 0.5);
    PlaceLabels();
}

void TStatChartView::ShowTip(const QPointF& point, bool state) {
    if (!state || FLabels.empty()) return QToolTip::hideText();
    auto it = std::min_element(FLabels.begin(), FLabels.end(), [&](const auto& a, const auto& b) {
        return std::abs(a.first - point.x()) < std::abs(b.first - point.x());
    });
    QToolTip::showText(QCursor::pos(), it->second + ": " + QString::number(point.y(), 'f', 2), this);
}

void TStatChartView::PlaceLabels() {
    for (const QString& label : FAxisX->categoriesLabels()) FAxisX->remove(label);
    if (FLabels.empty()) return;
    const QFontMetrics metrics(FAxisX->labelsFont());
    int widest = 0;
    for (const auto& [x, label] : FLabels) widest = std::max(widest, metrics.horizontalAdvance(label));
    const qreal plot = chart()->plotArea().width() > 10 ? chart()->plotArea().width() : width() - 60;
    const double room = std::max(1.0, double(plot) / double(FLabels.size()));
    const size_t step = std::max<size_t>(1, size_t(std::ceil((widest + 10) / room)));
    FAxisX->setStartValue(FLabels.front().first - 0.5);
    for (size_t i = 0; i < FLabels.size(); i += step) FAxisX->append(FLabels[i].second, FLabels[i].first);
}

void TStatChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    PlaceLabels();
}

QLineSeries* TStatChartView::Series(const char* title) const {
    for (QLineSeries* s : {FActual, FTotal})
        if (s->isVisible() && s->name() == Tx(title)) return s;
    return nullptr;
}

QStringList TStatChartView::AxisLabels() const {
    return FAxisX->categoriesLabels();
}

TGraphChartView::TGraphChartView(const char* name, QWidget* parent) : QChartView(NewChart(), parent) {
    setObjectName(name);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumHeight(60);
    QChart* c = chart();
    c->legend()->setAlignment(Qt::AlignBottom);
    // The series titles are long: a smaller font keeps them whole, a tooltip shows any that is not.
    QFont font = c->legend()->font();
    font.setPointSizeF(std::max(6.0, (font.pointSizeF() > 0 ? font.pointSizeF() : 9) - 1));
    c->legend()->setFont(font);
    c->legend()->setShowToolTips(true);
    FDraws = AddLine(c, QString(), kChartGreen, 2);
    FDraws->setPointLabelsFormat(QStringLiteral("@yPoint"));
    FDraws->setPointLabelsClipping(true);
    FMarks = AddMarks(c);
    FMean = AddLine(c, Tx(kMeanSeries), kBlue, 1);
    FMode = AddLine(c, Tx(kModeSeries), kRed, 1);
    FAxisX = AddValueAxis(c, Qt::AlignBottom, QStringLiteral("%d"));
    FAxisY = AddValueAxis(c, Qt::AlignLeft, QStringLiteral("%g"));
    AttachAll(c, FAxisX, FAxisY);
    Clear();
}

void TGraphChartView::Clear() {
    for (QXYSeries* s : {static_cast<QXYSeries*>(FDraws), static_cast<QXYSeries*>(FMarks),
                         static_cast<QXYSeries*>(FMean), static_cast<QXYSeries*>(FMode)})
        s->clear();
    SetShown({FDraws, FMarks, FMean, FMode}, {FAxisX, FAxisY}, false);
    chart()->legend()->setVisible(false);
}

bool TGraphChartView::HasSeries() const {
    return FDraws->isVisible();
}

void TGraphChartView::Show(const TGraphSeries& data, const QString& title, bool marks) {
    const QList<QPointF> points = Points(data.Points);
    FDraws->setName(title);
    FDraws->replace(points);
    FDraws->setPointLabelsVisible(marks);
    FMarks->replace(points);
    QList<QPointF> mean, mode;
    for (const QPointF& p : points) {
        mean.append(QPointF(p.x(), data.Mean));
        mode.append(QPointF(p.x(), data.Mode));
    }
    FMean->replace(mean);
    FMode->replace(mode);
    SetShown({FDraws, FMarks, FMean, FMode}, {FAxisX, FAxisY}, true);
    chart()->legend()->setVisible(true);
    for (QLegendMarker* m : chart()->legend()->markers(FMarks)) m->setVisible(false);

    double low = 0, high = 0, first = 0, last = 0;
    if (!points.isEmpty()) {
        low = high = data.Mode;
        for (const QPointF& p : points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        first = points.front().x();
        last = points.back().x();
    }
    FAxisX->setRange(first, last > first ? last : first + 1);
    FAxisX->setTickCount(std::clamp(int(points.size()), 2, 11));
    SetValueRange(FAxisY, low, high);
}

void TGraphChartView::SetMarks(bool visible) {
    if (HasSeries()) FDraws->setPointLabelsVisible(visible);
}

QLineSeries* TGraphChartView::Series(const QString& title) const {
    for (QLineSeries* s : {FDraws, FMean, FMode})
        if (s->isVisible() && s->name() == title) return s;
    return nullptr;
}

} // namespace qx

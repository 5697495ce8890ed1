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

namespace qx {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kMagenta(255, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
constexpr qreal kMarkSize = 2;

QChart* NewChart() {
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    return chart;
}

void ClearChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QLineSeries* AddLine(QChart* chart, const QString& title, const QColor& colour, qreal width,
                     const QList<QPointF>& points) {
    auto* series = new QLineSeries;
    series->setName(title);
    QPen pen(colour);
    pen.setWidthF(width);
    series->setPen(pen);
    series->replace(points);
    chart->addSeries(series);
    return series;
}

// The small magenta marks on the points of a green line; kept out of the legend.
void AddMarks(QChart* chart, const QList<QPointF>& points) {
    auto* marks = new QScatterSeries;
    marks->setName(QStringLiteral("marks"));
    marks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    marks->setMarkerSize(kMarkSize + 1);
    marks->setColor(kMagenta);
    marks->setBorderColor(kMagenta);
    marks->replace(points);
    chart->addSeries(marks);
    for (QLegendMarker* m : chart->legend()->markers(marks)) m->setVisible(false);
}

void AttachAll(QChart* chart, QAbstractAxis* x, QValueAxis* y) {
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

QList<QPointF> Points(const std::vector<TChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const TChartPoint& p : points) list.append(QPointF(p.X, p.Y));
    return list;
}

// Axis labels a little smaller than the window's text: the charts are low.
void SmallLabels(QAbstractAxis* axis) {
    QFont font = axis->labelsFont();
    font.setPointSizeF(std::max(6.0, (font.pointSizeF() > 0 ? font.pointSizeF() : 9) - 1));
    axis->setLabelsFont(font);
}

// A value axis over [low, high] with a little room above and below.
QValueAxis* ValueAxis(double low, double high, const char* format) {
    auto* axis = new QValueAxis;
    if (high <= low) {
        low -= 1;
        high += 1;
    }
    const double pad = (high - low) * 0.05;
    axis->setRange(low < 0 ? low - pad : std::max(0.0, low - pad), high + pad);
    axis->setTickCount(5);
    axis->applyNiceNumbers();
    axis->setLabelFormat(format);
    SmallLabels(axis);
    return axis;
}

QLineSeries* FindLine(const QChart* chart, const QString& title) {
    for (QAbstractSeries* s : chart->series())
        if (s->name() == title)
            if (auto* line = qobject_cast<QLineSeries*>(s)) return line;
    return nullptr;
}

} // namespace

TStatChartView::TStatChartView(const char* name, QWidget* parent) : QChartView(NewChart(), parent) {
    setObjectName(name);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumHeight(60);
    setRenderHint(QPainter::Antialiasing, false);
    chart()->legend()->hide();
}

void TStatChartView::Clear() {
    ClearChart(chart());
    FAxisX = nullptr;
    FLabels.clear();
}

void TStatChartView::Show(const TStatChart& data, bool totalLine) {
    Clear();
    if (data.Actual.empty() && data.Total.empty()) return;
    QChart* c = chart();
    const QList<QPointF> actual = Points(data.Actual);
    AddLine(c, Tx(kActualSeries), kGreen, 2, actual);
    AddMarks(c, actual);
    if (totalLine && !data.Total.empty()) AddLine(c, Tx(kTotalSeries), kRed, 1, Points(data.Total));

    // Both lines share one axis in key order: the full set's points carry every value's label.
    const std::vector<TChartPoint>& labelled = data.Total.empty() ? data.Actual : data.Total;
    double high = data.Actual.empty() ? 0 : data.Actual.front().Y, low = high;
    for (const TChartPoint& p : data.Actual) {
        high = std::max(high, p.Y);
        low = std::min(low, p.Y);
    }
    if (totalLine)
        for (const TChartPoint& p : data.Total) {
            high = std::max(high, p.Y);
            low = std::min(low, p.Y);
        }
    for (const TChartPoint& p : labelled) FLabels.emplace_back(p.X, ToQ(p.Label));
    FAxisX = new QCategoryAxis;
    SmallLabels(FAxisX);
    FAxisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double first = labelled.front().X, last = labelled.back().X;
    FAxisX->setRange(first - 0.5, last + 0.5);
    AttachAll(c, FAxisX, ValueAxis(low, high, "%.0f"));
    PlaceLabels();

    for (QAbstractSeries* s : c->series())
        if (auto* xy = qobject_cast<QXYSeries*>(s))
            connect(xy, &QXYSeries::hovered, this, [this](const QPointF& point, bool state) {
                if (!state) return QToolTip::hideText();
                auto it = std::min_element(FLabels.begin(), FLabels.end(), [&](const auto& a, const auto& b) {
                    return std::abs(a.first - point.x()) < std::abs(b.first - point.x());
                });
                if (it != FLabels.end())
                    QToolTip::showText(QCursor::pos(), it->second + ": " + QString::number(point.y(), 'f', 2), this);
            });
}

void TStatChartView::PlaceLabels() {
    if (!FAxisX || FLabels.empty()) return;
    for (const QString& label : FAxisX->categoriesLabels()) FAxisX->remove(label);
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
    return FindLine(chart(), Tx(title));
}

QStringList TStatChartView::AxisLabels() const {
    return FAxisX ? FAxisX->categoriesLabels() : QStringList();
}

TGraphChartView::TGraphChartView(const char* name, QWidget* parent) : QChartView(NewChart(), parent) {
    setObjectName(name);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumHeight(60);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    // The series titles are long: a smaller font keeps them whole, a tooltip shows any that is not.
    QFont font = chart()->legend()->font();
    font.setPointSizeF(std::max(6.0, (font.pointSizeF() > 0 ? font.pointSizeF() : 9) - 1));
    chart()->legend()->setFont(font);
    chart()->legend()->setShowToolTips(true);
}

void TGraphChartView::Clear() {
    ClearChart(chart());
}

bool TGraphChartView::HasSeries() const {
    return !chart()->series().isEmpty();
}

void TGraphChartView::Show(const TGraphSeries& data, const QString& title, bool marks) {
    Clear();
    QChart* c = chart();
    const QList<QPointF> points = Points(data.Points);
    QLineSeries* draws = AddLine(c, title, kGreen, 2, points);
    draws->setPointLabelsFormat(QStringLiteral("@yPoint"));
    draws->setPointLabelsClipping(true);
    draws->setPointLabelsVisible(marks);
    AddMarks(c, points);
    QList<QPointF> mean, mode;
    for (const QPointF& p : points) {
        mean.append(QPointF(p.x(), data.Mean));
        mode.append(QPointF(p.x(), data.Mode));
    }
    AddLine(c, Tx(kMeanSeries), kBlue, 1, mean);
    AddLine(c, Tx(kModeSeries), kRed, 1, mode);

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
    auto* x = new QValueAxis;
    x->setRange(first, last > first ? last : first + 1);
    x->setLabelFormat(QStringLiteral("%d"));
    SmallLabels(x);
    x->setTickCount(std::clamp(int(points.size()), 2, 11));
    AttachAll(c, x, ValueAxis(low, high, "%g"));
}

void TGraphChartView::SetMarks(bool visible) {
    const QList<QAbstractSeries*> all = chart()->series();
    if (all.isEmpty()) return;
    if (auto* first = qobject_cast<QXYSeries*>(all.front())) first->setPointLabelsVisible(visible);
}

QLineSeries* TGraphChartView::Series(const QString& title) const {
    return FindLine(chart(), title);
}

} // namespace qx

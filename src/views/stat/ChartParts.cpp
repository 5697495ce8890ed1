#include "views/stat/ChartParts.h"

#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "app/StatTab.h"

namespace qx {
namespace {

constexpr qreal kMarkSize = 3; // 2 x 2 inside its one-pixel border

} // namespace

QChart* NewChart() {
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    return chart;
}

// Axis labels a little smaller than the window's text: the charts are low.
void SmallLabels(QAbstractAxis* axis) {
    QFont font = axis->labelsFont();
    font.setPointSizeF(std::max(6.0, (font.pointSizeF() > 0 ? font.pointSizeF() : 9) - 1));
    axis->setLabelsFont(font);
}

QLineSeries* AddLine(QChart* chart, const QString& title, const QColor& colour, qreal width) {
    auto* series = new QLineSeries;
    series->setName(title);
    QPen pen(colour);
    pen.setWidthF(width);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

// The small magenta marks on the points of a green line; kept out of the legend.
QScatterSeries* AddMarks(QChart* chart) {
    auto* marks = new QScatterSeries;
    marks->setName(QStringLiteral("marks"));
    marks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    marks->setMarkerSize(kMarkSize);
    marks->setColor(kChartMagenta);
    marks->setBorderColor(kChartMagenta);
    chart->addSeries(marks);
    for (QLegendMarker* m : chart->legend()->markers(marks)) m->setVisible(false);
    return marks;
}

QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment side, const QString& format) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(format);
    SmallLabels(axis);
    chart->addAxis(axis, side);
    return axis;
}

void AttachAll(QChart* chart, QAbstractAxis* x, QAbstractAxis* y) {
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

// [low, high] with a little room above and below, on round numbers.
void SetValueRange(QValueAxis* axis, double low, double high) {
    if (high <= low) {
        low -= 1;
        high += 1;
    }
    const double pad = (high - low) * 0.05;
    axis->setRange(low < 0 ? low - pad : std::max(0.0, low - pad), high + pad);
    axis->setTickCount(5);
    axis->applyNiceNumbers();
}

} // namespace qx

#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

class QAbstractAxis;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace qx {

struct TChartPoint;

// The pieces the program's charts are made of.
inline const QColor kChartGreen(0, 128, 0);
inline const QColor kChartMagenta(255, 0, 255);

QChart* NewChart();
// Axis labels a little smaller than the window's text: the charts are low.
void SmallLabels(QAbstractAxis* axis);
QLineSeries* AddLine(QChart* chart, const QString& title, const QColor& colour, qreal width);
// The small magenta marks on the points of a green line; kept out of the legend.
QScatterSeries* AddMarks(QChart* chart);
QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment side, const QString& format);
// Attaches every series of the chart to both axes.
void AttachAll(QChart* chart, QAbstractAxis* x, QAbstractAxis* y);
QList<QPointF> Points(const std::vector<TChartPoint>& points);
// [low, high] with a little room above and below, on round numbers.
void SetValueRange(QValueAxis* axis, double low, double high);

} // namespace qx

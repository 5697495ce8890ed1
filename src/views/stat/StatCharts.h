#pragma once
#include <QChartView>
#include <QString>
#include <utility>
#include <vector>

class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace qx {

struct TStatChart;
struct TGraphSeries;

// Series titles and colours of the two charts.
inline constexpr const char* kActualSeries = "Фактические данные";
inline constexpr const char* kTotalSeries = "Все возможные комбинации";
inline constexpr const char* kMeanSeries = "Среднее значение";
inline constexpr const char* kModeSeries = "Наиболее часто встречающееся значение";

// The chart under the statistics list ("crtDrawsStat"): the window's counts in green with
// magenta point marks and, with norms, the full set's line in red. Every point is labelled with
// its value text; the axis shows as many of the labels as fit side by side. The series and axes
// are made once and refilled: charts that drop and make axes again grow slower with every
// repaint.
class TStatChartView : public QChartView {
public:
    TStatChartView(const char* name, QWidget* parent);
    // Draws the chart; the red line only with totalLine. Fewer than two rows leave it empty.
    void Show(const TStatChart& chart, bool totalLine);
    void Clear();
    // A shown series by title (tests and tools read the points back); none when hidden.
    QLineSeries* Series(const char* title) const;
    // The labels the axis shows now, left to right.
    QStringList AxisLabels() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceLabels();
    void ShowTip(const QPointF& point, bool state);
    std::vector<std::pair<double, QString>> FLabels; // x and value text of every point
    QLineSeries* FActual;
    QScatterSeries* FMarks;
    QLineSeries* FTotal;
    QCategoryAxis* FAxisX;
    QValueAxis* FAxisY;
};

// The graphs tab's chart ("crtDrawsGraph"): one point per draw of the window, the mean and the
// most frequent value as horizontal lines, legend at the bottom.
class TGraphChartView : public QChartView {
public:
    TGraphChartView(const char* name, QWidget* parent);
    void Show(const TGraphSeries& series, const QString& title, bool marks);
    void Clear();
    // Shows or hides the value marks of the draws' series, when there is one.
    void SetMarks(bool visible);
    // A shown series by title; none when hidden.
    QLineSeries* Series(const QString& title) const;
    bool HasSeries() const;

private:
    QLineSeries* FDraws;
    QScatterSeries* FMarks;
    QLineSeries* FMean;
    QLineSeries* FMode;
    QValueAxis* FAxisX;
    QValueAxis* FAxisY;
};

} // namespace qx

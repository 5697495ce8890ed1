#pragma once
#include <QChartView>
#include <QString>
#include <utility>
#include <vector>

class QCategoryAxis;
class QLineSeries;
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
// its value text; the axis shows as many of the labels as fit side by side.
class TStatChartView : public QChartView {
public:
    TStatChartView(const char* name, QWidget* parent);
    // Draws the chart; the red line only with totalLine. Fewer than two rows leave it empty.
    void Show(const TStatChart& chart, bool totalLine);
    void Clear();
    // Series by title (tests and tools read the points back).
    QLineSeries* Series(const char* title) const;
    // The labels the axis shows now, left to right.
    QStringList AxisLabels() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceLabels();
    std::vector<std::pair<double, QString>> FLabels;  // x and value text of every point
    QCategoryAxis* FAxisX = nullptr;
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
    QLineSeries* Series(const QString& title) const;
    bool HasSeries() const;
};

} // namespace qx

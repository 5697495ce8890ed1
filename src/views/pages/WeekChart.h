#pragma once
#include <QChartView>
#include <QStringList>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace qx {

struct TChartPoint;

// The week chart ("crtWeek"): one green series over the points' labels, either a 2-pixel line
// with 2 x 2 magenta points or bars; no legend, no value marks. Series and axes are made once
// and refilled.
class TWeekChartView : public QChartView {
public:
    TWeekChartView(const char* name, QWidget* parent);
    // Points with x = 1, 2, ...; line or bars.
    void Show(const std::vector<TChartPoint>& points, bool line);

    bool LineShown() const;
    QLineSeries* Line() const { return FLine; }
    QBarSet* Bars() const { return FBarSet; }
    QStringList Categories() const;

private:
    QLineSeries* FLine;
    QScatterSeries* FMarks;
    QBarSeries* FBars;
    QBarSet* FBarSet;
    QBarCategoryAxis* FAxisX;
    QValueAxis* FAxisY;
};

} // namespace qx

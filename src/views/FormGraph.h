#pragma once
#include <QDialog>
#include <QSet>
#include <map>

#include "core/GraphPlot.h"

class QChart;
class QCheckBox;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace qx {

class TWorkspace;

// The chart window "График": a resizable tool window (948 x 630 at first) with a chart whose
// legend sits at the bottom and, above it, "Отображать метки на графиках". Line series are
// identified by their titles ignoring letter case; the placement is kept in section TFormGraph of
// the window-state file. A caller sets the caption, adds points and shows it modally.
class TFormGraph : public QDialog {
public:
    static constexpr int kDesignWidth = 948;
    static constexpr int kDesignHeight = 630;

    TFormGraph(TWorkspace& ws, QWidget* parent);
    ~TFormGraph() override;

    // Adds (x, y), labelled with x, to the series of that title, creating it on first use with
    // the colour (0: the chart's own), line width 2, 3 x 3 point marks shown or hidden, value marks
    // shown or hidden. Series made with value marks follow the check box.
    void AddGraphPoint(double x, const std::string& title, double y, bool points, bool marks, uint32_t colour);
    // Caption and every point of a plot the engine made.
    void Show(const TGraphPlot& plot);

    QLineSeries* Series(const QString& title) const;
    int SeriesCount() const { return static_cast<int>(FSeries.size()); }
    QCheckBox* MarksBox() const { return FMarks; }
    QChartView* ChartView() const { return FView; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetMarks(bool visible);
    void FitAxes();

    TWorkspace& FWs;
    QCheckBox* FMarks;
    QChartView* FView;
    QChart* FChart;
    QValueAxis* FAxisX;
    QValueAxis* FAxisY;
    std::map<QString, QLineSeries*> FSeries;  // by title in small letters
    QSet<QLineSeries*> FMarked;
    bool FPlaced = false;
};

// Builds the window for a plot and shows it modally.
void ShowGraphWindow(TWorkspace& ws, const TGraphPlot& plot, QWidget* parent);

} // namespace qx

#include "views/pages/WeekChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "app/StatTab.h"
#include "views/Tx.h"
#include "views/stat/ChartParts.h"

namespace qx {

TWeekChartView::TWeekChartView(const char* name, QWidget* parent) : QChartView(NewChart(), parent) {
    setObjectName(name);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumHeight(60);
    QChart* c = chart();
    c->legend()->hide();
    FBars = new QBarSeries;
    FBarSet = new QBarSet(QString());
    FBarSet->setColor(kChartGreen);
    FBarSet->setBorderColor(kChartGreen);
    FBars->append(FBarSet);
    FBars->setLabelsVisible(false);
    c->addSeries(FBars);
    FLine = AddLine(c, QString(), kChartGreen, 2);
    FMarks = AddMarks(c);
    // Line points sit on the categories: x = 0 is the first label.
    FAxisX = new QBarCategoryAxis;
    SmallLabels(FAxisX);
    c->addAxis(FAxisX, Qt::AlignBottom);
    FAxisY = AddValueAxis(c, Qt::AlignLeft, QStringLiteral("%.0f"));
    AttachAll(c, FAxisX, FAxisY);
}

void TWeekChartView::Show(const std::vector<TChartPoint>& points, bool line) {
    QStringList labels;
    QList<QPointF> xy;
    QList<qreal> values;
    double high = 0;
    for (const TChartPoint& p : points) {
        labels << ToQ(p.Label);
        xy.append(QPointF(p.X - 1, p.Y));
        values << p.Y;
        high = std::max(high, p.Y);
    }
    if (FAxisX->categories() != labels) FAxisX->setCategories(labels);
    if (line) {
        FLine->replace(xy);
        FMarks->replace(xy);
        FBarSet->remove(0, FBarSet->count());
    } else {
        FLine->clear();
        FMarks->clear();
        FBarSet->remove(0, FBarSet->count());
        FBarSet->append(values);
    }
    FLine->setVisible(line);
    FMarks->setVisible(line);
    FBars->setVisible(!line);
    SetValueRange(FAxisY, 0, high);
}

bool TWeekChartView::LineShown() const {
    return FLine->isVisible();
}

QStringList TWeekChartView::Categories() const {
    return FAxisX->categories();
}

} // namespace qx

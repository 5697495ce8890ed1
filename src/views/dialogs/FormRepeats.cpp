#include "views/dialogs/FormRepeats.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <map>

#include "app/Workspace.h"
#include "core/ProgressScope.h"
#include "core/Text.h"
#include "views/FormStateIO.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/TextListModel.h"
#include "views/Tx.h"
#include "views/stat/ChartParts.h"

namespace qx {
namespace {

// Any distinct colours serve for the series of the four repeat counts; the points take another.
const QColor kLineColours[] = {QColor(0, 128, 0), QColor(0, 0, 255), QColor(255, 128, 0), QColor(255, 0, 0)};
const QColor kPointColours[] = {QColor(0, 64, 0), QColor(0, 0, 128), QColor(128, 64, 0), QColor(128, 0, 0)};

const std::vector<TColumnDef>& ListColumns() {
    static const std::vector<TColumnDef> columns = {{"Тираж", 80},
                                                    {"Совпадений", 80, Qt::AlignHCenter},
                                                    {"Кол-во повторов", 80, Qt::AlignHCenter},
                                                    {"Список тиражей", 2000}};
    return columns;
}

} // namespace

TFormRepeats::TFormRepeats(TWorkspace& ws, QWidget* parent) : QDialog(parent), FWs(ws) {
    setObjectName(kRepeatsSection);
    setWindowTitle(Tx("Количество повторов в зависимости от тиража"));
    setSizeGripEnabled(true);
    resize(kDesignWidth, kDesignHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* panel = new QHBoxLayout;
    layout->addLayout(panel);
    const int max = static_cast<int>(kRepeatsBoundMax);
    FLength =
        AddSpin(panel, "edDrawsLen", "", "Количество тиражей, использующихся для расчета статистики", 1, max);
    FDeep = AddSpin(panel, "edDeep", "",
                    "Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений", 1, max);
    FCalc = new QPushButton(Tx("Рассчитать"), this);
    FCalc->setObjectName("btnDrawsStatCalc");
    FCalc->setAutoDefault(false);
    panel->addWidget(FCalc);
    panel->addStretch(1);

    FList = MakeVirtualList("lvList", this, ListColumns());
    const TDrawsArray& draws = FWs.Draws();
    FModel = new TTextListModel(
        ListColumns(), [this] { return static_cast<int>(FResult.Rows.size()); },
        [this, &draws](int row, int column) -> std::string {
            const TRepeatsRow& r = FResult.Rows[static_cast<size_t>(row)];
            switch (column) {
            case 0:
                return std::to_string(draws[static_cast<size_t>(r.DrawIndex)].Number);
            case 1:
                return std::to_string(r.Matches);
            case 2:
                return std::to_string(r.Count);
            default:
                return RepeatsListText(draws, r, FResult.Deep); // found again only when painted
            }
        },
        this);
    SetListModel(FList, FModel);
    FChart = MakeChart("crtGraph", this);
    FChart->chart()->legend()->show();
    FChart->chart()->legend()->setAlignment(Qt::AlignRight);
    FSplit = MakeSplit("splGraph", this, FList, FChart);
    layout->addWidget(FSplit, 1);

    TRepeatsKeys keys;
    try {
        const TIniFile ini = FWs.ReadFormState();
        keys = TRepeatsKeys::Read(ini);
        RestoreListLayout(ini, kRepeatsSection, {"lvList", FList->horizontalHeader(), nullptr});
    } catch (const std::exception&) {
        // The window opens with its defaults.
    }
    FLength->setValue(static_cast<int>(keys.DrawsLength));
    FDeep->setValue(static_cast<int>(keys.DrawsDeep));
    FGraphHeight = keys.GraphHeight;
    SetBottomHeight(FSplit, FGraphHeight);
    auto refresh = [this] { RunCommand(FWs.Shell(), [&] { Refresh(); }); };
    connect(FCalc, &QPushButton::clicked, this, refresh);
    OnSpinEnter(FLength, refresh);
    OnSpinEnter(FDeep, refresh);
}

void TFormRepeats::Refresh() {
    FResult = FWs.AnalyzeRepeats(FLength->value(), FDeep->value());
    FModel->Sync();
    FillChart();
}

void TFormRepeats::FillChart() {
    QChart* chart = FChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    TBusyScope busy(FWs.Shell(), "");
    TProgressScope window(FWs.Shell(), "Создание графиков...", static_cast<int64_t>(FResult.Rows.size()));
    TProgressPacer pacer(FWs.Shell());
    // The points are gathered per series and handed over at once: a series repaints on every
    // point appended to it.
    std::map<int, QList<QPointF>> points;
    for (int m = 1; m <= FResult.MaxMatches; ++m) points[m];
    for (auto it = FResult.Rows.rbegin(); it != FResult.Rows.rend(); ++it) {
        points[it->Matches].append(
            QPointF(FWs.Draws()[static_cast<size_t>(it->DrawIndex)].Number, static_cast<double>(it->Count)));
        pacer.Step();
    }
    pacer.Flush();
    auto* x = new QValueAxis;
    x->setLabelFormat("%.0f");
    auto* y = new QValueAxis;
    y->setLabelFormat("%.0f");
    SmallLabels(x);
    SmallLabels(y);
    y->setTickCount(3);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    double minX = 0, maxX = 1, maxY = 1;
    bool any = false;
    for (const auto& [matches, list] : points) {
        auto* series = new QLineSeries;
        series->setName(Tx(RepeatsSeriesTitle(matches)));
        const size_t colour = static_cast<size_t>(matches - 1) % std::size(kLineColours);
        QPen pen(kLineColours[colour]);
        pen.setWidth(2);
        series->setPen(pen);
        series->setPointsVisible(true);
        series->setMarkerSize(2);
        series->setBrush(kPointColours[colour]);
        series->replace(list);
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        for (const QPointF& p : list) {
            minX = any ? std::min(minX, p.x()) : p.x();
            maxX = any ? std::max(maxX, p.x()) : p.x();
            maxY = std::max(maxY, p.y());
            any = true;
        }
    }
    x->setRange(minX, maxX > minX ? maxX : minX + 1);
    y->setRange(0, maxY);
    y->applyNiceNumbers();
}

void TFormRepeats::showEvent(QShowEvent* event) {
    if (!FPlaced) {
        FPlaced = true;
        try {
            ReadPlacement(*this, FWs.ReadFormState(), kRepeatsSection, true);
        } catch (const std::exception&) {
            // The window opens centred at its design size.
        }
        SetBottomHeight(FSplit, FGraphHeight);
    }
    QDialog::showEvent(event);
}

void TFormRepeats::SaveKeys() {
    TRepeatsKeys keys;
    keys.DrawsLength = FLength->value();
    keys.DrawsDeep = FDeep->value();
    keys.GraphHeight = BottomHeight(FSplit, FGraphHeight);
    FWs.UpdateFormState([&](TIniFile& ini) {
        keys.Write(ini);
        if (FPlaced) WritePlacement(*this, ini, kRepeatsSection);
        SaveListLayout(ini, kRepeatsSection, {"lvList", FList->horizontalHeader(), nullptr});
    });
}

void TFormRepeats::done(int result) {
    try {
        SaveKeys();
    } catch (const std::exception& e) {
        FWs.Shell().ShowError(e.what());
    }
    QDialog::done(result);
}

} // namespace qx

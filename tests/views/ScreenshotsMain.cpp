// Renders the main window and the dialogs of the desktop shell to PNG files, for people to look
// at: quadrix_screenshots PROGRAM_DIR OUT_DIR (run offscreen or under Xvfb).
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/DrawInfo.h"
#include "core/DrawHelpers.h"
#include "core/Shell.h"
#include "views/Commands.h"
#include "views/FormMain.h"
#include "views/NumericLocale.h"
#include "views/ProgressWindow.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/WaitWindow.h"
#include "views/dialogs/FormAbout.h"
#include "views/dialogs/FormConfig.h"
#include "views/dialogs/FormManager.h"
#include "views/dialogs/FormShredding.h"
#include "views/dialogs/FormExpExcel.h"
#include "views/dialogs/FormExpExcelParam.h"
#include "views/export/ItemViewSource.h"
#include "views/ViewPage.h"
#include "app/ExportSources.h"
#include <QTreeWidget>
#include "views/dialogs/FormFirstRun.h"
#include "views/dialogs/FormProxy.h"
#include "views/dialogs/FrmUpdateInformer.h"
#include "views/draws/DrawsPage.h"
#include "views/draws/FormDraw.h"
#include "views/draws/FormInfo.h"
#include "views/combs/FormGenCombs.h"
#include "views/pages/CombsPage.h"
#include "views/dialogs/FormFilter.h"
#include "views/pages/CardPage.h"
#include "views/pages/GraphsPage.h"
#include "views/pages/LayoutPage.h"
#include "views/pages/WeekPage.h"
#include "views/pages/RatingPage.h"
#include "views/pages/StakesPage.h"
#include "views/pages/StatPage.h"
#include "views/pages/ScriptPage.h"
#include "views/dialogs/FormScript.h"
#include "views/dialogs/FormScrPublic.h"
#include "views/dialogs/FormScrRates.h"
#include "core/FileIO.h"
#include "online/CatalogueClient.h"
#include "online/OnlineSettings.h"
#include "app/ScriptExecutor.h"
#include "views/FormGraph.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormStakeFilter.h"
#include "views/dialogs/FormRepeats.h"
#include "views/dialogs/FormSystem.h"
#include "views/dialogs/FormTable.h"
#include "app/SystemsCatalogue.h"
#include "online/CatalogueAnswer.h"
#include "online/SystemCatalogue.h"
#include "views/dialogs/FormTestCnt.h"
#include "app/TableForm.h"
#include "app/TestCountForm.h"
#include "stats/SumDistribution.h"
#include "views/stat/StatTableView.h"
#include <QCheckBox>
#include <QScrollBar>

using namespace qx;

namespace {

void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The systems catalogue as recorded answers read through the catalogue's reader: the systems tab
// and its dialog get real-looking rows without a server.
class TRecordedSystems : public TSystemsServer {
public:
    std::vector<tSystemInfo> List() override {
        std::vector<tSystemInfo> out;
        const std::string answer = ReadFileBytes(QUADRIX_SCREENSHOT_DATA "/catalogue/sys_getlist.txt");
        for (const TCatalogueRow& row : ReadCatalogueAnswer(answer).Rows) out.push_back(SystemInfoFromRow(row));
        return out;
    }
    std::string Content(int32_t id) override {
        return id == 1 ? "01 02 03 04\r\n01 02 03 05\r\n02 03 04 05" : "01 02 03 04\r\n05 04 03 02\r\n01 05 07 06\r\n06 07 01 02";
    }
    int32_t Put(const tSystemData&, bool) override { return 0; }
};

QString OutDir;
int Failures = 0;

void Save(QWidget* widget, const char* name) {
    widget->show();
    widget->raise();
    Pump(60);
    const QString path = OutDir + "/" + name + ".png";
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++Failures;
    } else {
        std::printf("%s\n", qPrintable(path));
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qx::UseCNumericLocale();
    if (argc != 3) {
        std::fprintf(stderr, "usage: quadrix_screenshots PROGRAM_DIR OUT_DIR\n");
        return 2;
    }
    OutDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(OutDir);
    TMainWindowOptions options;
    options.ProgramDir = argv[1];
    options.ExePath = options.ProgramDir / "Quadrix_4d10";
    TFormMain window(options);
    window.show();
    for (int i = 0; i < 300 && !window.Started() && !window.QuitRequested(); ++i) Pump(10);
    if (!window.Started()) return 1;
    TWorkspace& ws = window.Workspace();

    QTableView* list = window.DrawsPage()->List();
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ws.SetDrawsOffset(1);
    window.Commands().Evaluate();
    Save(&window, "main-window");

    window.ListTabs()->setCurrentIndex(1);
    window.MainTabs()->setCurrentIndex(window.MainTabs()->count() - 1);
    Save(&window, "main-window-script-tab");
    window.ListTabs()->setCurrentIndex(0);
    window.MainTabs()->setCurrentIndex(0);

    // The combinations tab after two narrowing steps, a few rows selected.
    window.ListTabs()->setCurrentIndex(1);
    auto* combs = static_cast<TCombsPage*>(window.Page("tsCombs"));
    combs->ExcludeEdit()->setValue(100);
    window.Commands().Trigger("CombsDelExists");
    QTableView* combsList = combs->List();
    for (int row : {1, 2, 5})
        combsList->selectionModel()->select(combsList->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.Commands().Trigger("CombsDelSelected");
    combsList->selectionModel()->select(combsList->model()->index(3, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.Commands().Evaluate();
    Save(&window, "main-window-combs-tab");
    if (auto* context = window.findChild<QMenu*>("pmCombs")) {
        context->popup(window.mapToGlobal(QPoint(80, 160)));
        Save(context, "context-pmCombs");
        context->hide();
    }
    const TCombCode comb = ws.Combs().List().at(3);
    TFormInfo combInfo(CombInfoRows(ws, comb), comb, ws.Config().MatrixCols, ws.Config().ChannelWidth(), &window);
    Save(&combInfo, "dialog-comb-info");
    combInfo.close();
    TFormGenCombs gen({2, "1;3;5;7"}, QString::fromStdString(ws.Paths().Dir.string()), &window);
    Save(&gen, "dialog-gen-combs");
    gen.close();
    window.ListTabs()->setCurrentIndex(0);


    // The statistics tab: the draws' numbers over 1000 draws, compared with the full set.
    ws.SetDrawsOffset(0);
    TStatTab& stat = ws.StatTab();
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("NUMS"));
    stat.SetWindowLength(1000);
    if (!ws.PrefetchsEnabled()) window.Commands().Trigger("DrawsStatePrefetchsEnabled");
    ws.RefreshViews(false);
    auto* statPage = static_cast<TStatPage*>(window.Page("tsDrawsStat"));
    statPage->List()->SelectRows({1, 3});
    window.Commands().Evaluate();
    Save(&window, "tab-statistics");
    statPage->List()->horizontalScrollBar()->setValue(statPage->List()->horizontalScrollBar()->maximum());
    Save(&window, "tab-statistics-right");
    statPage->List()->horizontalScrollBar()->setValue(0);
    if (auto* context = window.findChild<QMenu*>("pmDrawsStat")) {
        context->popup(window.mapToGlobal(QPoint(500, 200)));
        Save(context, "context-pmDrawsStat");
        context->hide();
    }
    // A method with more values than the chart has room for labels.
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("EVNV"));
    ws.RefreshViews(false);
    Save(&window, "tab-statistics-masks");
    // The sums that followed draws whose sum was the current one.
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("SUMC"));
    ws.RefreshViews(false);
    Save(&window, "tab-statistics-sumc");
    // Channel counts: every channel with every count, the rows of count 0 included.
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("CHNV"));
    ws.RefreshViews(false);
    Save(&window, "tab-statistics-chnv");
    // Transitions inside channels from the previous draws to the current draw's digits.
    if (const int sda2 = ws.Stats().IndexOfCode("SDA2"); sda2 >= 0) {
        stat.Chooser().SelectMethod(sda2);
        ws.RefreshViews(false);
        Save(&window, "tab-statistics-sda2");
    }
    // Channel serial groups: how many draws in a row each channel of the current draw lasted.
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("GRCV"));
    ws.RefreshViews(false);
    Save(&window, "tab-statistics-grcv");
    // The first shredding method: the values of its formula after the two draws before each draw.
    stat.Chooser().SelectMethod(ws.Stats().IndexOfCode("SHR1"));
    ws.RefreshViews(false);
    Save(&window, "tab-statistics-shr1");

    // The graphs tab: the first position's digit over 100 draws, then 30 draws with their marks.
    window.MainTabs()->setCurrentWidget(window.Page("tsDrawsGraph"));
    TGraphTab& graph = ws.GraphTab();
    graph.Chooser().SelectMethod(ws.Stats().IndexOfCode("POS1"));
    graph.SetWindowLength(100);
    ws.RefreshViews(false);
    Save(&window, "tab-graphs");
    auto* graphsPage = static_cast<TGraphsPage*>(window.Page("tsDrawsGraph"));
    graph.SetWindowLength(30);
    ws.RefreshViews(false);
    graphsPage->MarksBox()->click();
    Save(&window, "tab-graphs-marks");
    graphsPage->MarksBox()->click();
    graph.Chooser().SelectMethod(ws.Stats().IndexOfCode("SUMS"));
    graph.SetWindowLength(100);
    ws.RefreshViews(false);
    Save(&window, "tab-graphs-sums");
    // The longest run of steps of one, falling steps counted too.
    graph.Chooser().SelectMethod(ws.Stats().IndexOfCode("LENS"));
    graph.SetWindowLength(40);
    ws.RefreshViews(false);
    Save(&window, "tab-graphs-lens");
    window.MainTabs()->setCurrentIndex(0);

    // The card with its sequence colours, a few cells selected.
    window.MainTabs()->setCurrentWidget(window.Page("tsCard"));
    auto* cardPage = static_cast<TCardPage*>(window.Page("tsCard"));
    cardPage->Grid()->selectionModel()->select(
        QItemSelection(cardPage->Grid()->model()->index(3, 2), cardPage->Grid()->model()->index(4, 4)),
        QItemSelectionModel::ClearAndSelect);
    Save(&window, "tab-card");
    if (auto* context = window.findChild<QMenu*>("pmCard")) {
        context->popup(window.mapToGlobal(QPoint(600, 300)));
        Save(context, "context-pmCard");
        context->hide();
    }

    // The scheme ten draws back: the digits of the draw that followed are in brackets.
    ws.SetDrawsOffset(10);
    window.MainTabs()->setCurrentWidget(window.Page("tsLayout"));
    Save(&window, "tab-layout");
    window.Commands().Trigger("ViewShemaGradient");
    Save(&window, "tab-layout-checkerboard");
    window.Commands().Trigger("ViewShemaGradient");
    ws.SetDrawsOffset(0);

    // The week: the chart of the current cell by digit (bars), then by day (line).
    window.MainTabs()->setCurrentWidget(window.Page("tsWeek"));
    auto* weekPage = static_cast<TWeekPage*>(window.Page("tsWeek"));
    weekPage->Grid()->setCurrentIndex(weekPage->Grid()->model()->index(2, 4));
    Save(&window, "tab-week");
    window.Commands().Trigger("ViewWeekChartMode");
    window.Commands().Trigger("ViewWeekChartType");
    Save(&window, "tab-week-days-line");
    window.Commands().Trigger("ViewWeekChartMode");
    window.Commands().Trigger("ViewWeekChartType");
    window.MainTabs()->setCurrentIndex(0);

    // The editor with its line of what the description's first variant would leave.
    TFilterItem item = ParseFilterItem("BMF8#NUMS:100,200#WLV:1,2#ST:3#0.5:-1:1:1:0", ws.Stats());
    const TFilterForm shown =
        FilterFormOf(item, stat.Chooser(), ws.Stats(), stat.WindowLength(), ws.Stats().Config().Weights);
    TFormFilter filter(window.Shell(), stat.Chooser(), ws.Stats(), shown, &window,
                       [&](const TFilterForm& edited) { return FilterFormPreviewLine(ws, item, shown, edited); });
    filter.RefreshPreview();
    Save(&filter, "dialog-filter");
    filter.close();

    for (const char* name : {"menuDraws", "menuCombs", "menuExtAnalyze", "menuView", "menuHelp"}) {
        QMenu* menu = window.Commands().Menu(name);
        menu->popup(window.mapToGlobal(QPoint(40, 40)));
        Save(menu, (std::string("menu-") + name).c_str());
        menu->hide();
    }
    if (auto* context = window.findChild<QMenu*>("pmDraws")) {
        context->popup(window.mapToGlobal(QPoint(80, 120)));
        Save(context, "context-pmDraws");
        context->hide();
    }

    TDrawRecord proposed = ws.ProposedDraw();
    TFormDraw draw(window.Shell(), Tx("Введите данные следующего тиража"), proposed, true, &window);
    Save(&draw, "dialog-draw");
    draw.close();

    const int index = ws.Archive().High() - 2;
    if (index >= 0) {
        TFormInfo info(DrawInfoRows(ws, index), CodeOfDraw(ws.ViewDraws()[static_cast<size_t>(index)]),
                       ws.Config().MatrixCols, ws.Config().ChannelWidth(), &window);
        Save(&info, "dialog-info");
        info.close();
    }

    TFormConfig config(window.Shell(), ws.Config(), &window);
    Save(&config, "dialog-config");
    config.close();

    TFormShredding shredding(ws.Shredding(), &window);
    Save(&shredding, "dialog-shredding");
    shredding.close();

    {
        TFormManager manager(ws, &window);
        manager.SelectMethod(ws.Stats().IndexOfCode("SHR1"));
        Save(&manager, "dialog-favourites");
        QInputDialog* rename = manager.MakeRenameBox(QString::fromStdString(ws.Stats().Items(ws.Stats().IndexOfCode("SHR1")).BaseName()));
        Save(rename, "dialog-rename");
        rename->close();
        manager.close();
    }

    TProxy manual;
    manual.ProxyMode = 2;
    manual.ProxyServer = "proxy.example.net";
    manual.ProxyPort = 3128;
    manual.ProxyUsername = "user";
    TFormProxy proxy(manual, &window);
    Save(&proxy, "dialog-proxy");
    proxy.close();

    TUpdateOffer offer;
    offer.CurrentVersion = "1.0.0.0";
    offer.Data.VerId = "1.0.0.7";
    offer.Data.Description = "Quadrix 1.0.0.7";
    offer.DescriptionText = "Что нового:\r\n- описание обновления по строкам\r\n- исправления\r\n";
    TfrmUpdateInformer informer(offer, &window);
    Save(&informer, "dialog-update");
    informer.close();
    // The export dialog over the draws list, both tabs, and its field dialog.
    {
        TPageContext context{ws, window.Commands(), window.Shell(), &window};
        const TItemViewSource source(window.DrawsPage()->List(), TExportVariant::List);
        const TExportRequest request{"FormMain", "Архив тиражей", "Архив тиражей", "", 0, true};
        const TExportEnvironment env = ExportEnvironment(ws);
        TExportDialogInfo info{CountSourceRows(source), ExportSectionName("FormMain", "lvDraws"), true};
        TFormExpExcel exportDialog(context, OpeningSettings(env, source, request), info, &window);
        Save(&exportDialog, "dialog-export");
        exportDialog.Tabs()->setCurrentIndex(1);
        exportDialog.FieldList()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        Pump(30);
        Save(&exportDialog, "dialog-export-columns");
        TFormExpExcelParam field(exportDialog.Fields().front(), ws.DecimalSeparator(), &exportDialog);
        Save(&field, "dialog-export-field");
        field.close();
        exportDialog.close();
    }

    TFormFirstRun firstRun(
        window.Help(), window.Links(), [](const std::string&) {}, &window);
    Save(&firstRun, "dialog-first-run");
    firstRun.close();

    TFormAbout about(Tx("Анализ статистики лотереи \"Pick 4\""), QUADRIX_VERSION, window.Links(), &window);
    Save(&about, "dialog-about");
    about.close();

    auto box = TQtShell::CreateMessageBox(TMessageKind::AskDelete, DeleteRecordsQuestion(3), &window);
    Save(box.get(), "dialog-delete-question");
    box->close();

    // The stakes and rating tabs over the stakes the script made with the command-line tool.
    window.MainTabs()->setCurrentWidget(window.Page("tsStakes"));
    auto* stakesPage = static_cast<TStakesPage*>(window.Page("tsStakes"));
    if (stakesPage->Grid()->model()->rowCount() > 2)
        stakesPage->Grid()->selectionModel()->select(stakesPage->Grid()->model()->index(2, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.Commands().Evaluate();
    Save(&window, "tab-stakes");
    if (auto* context = window.findChild<QMenu*>("pmStakes")) {
        context->popup(window.mapToGlobal(QPoint(500, 200)));
        Save(context, "context-pmStakes");
        context->hide();
    }
    window.MainTabs()->setCurrentWidget(window.Page("tsRating"));
    auto* ratingPage = static_cast<TRatingPage*>(window.Page("tsRating"));
    ratingPage->List()->selectAll();
    window.Commands().Evaluate();
    Save(&window, "tab-rating");
    if (auto* context = window.findChild<QMenu*>("pmRatings")) {
        context->popup(window.mapToGlobal(QPoint(500, 200)));
        Save(context, "context-pmRatings");
        context->hide();
    }
    {
        TFormStake stake(window.Shell(), ws.ProposedStake(ws.Combs().List().at(3)), 1, &window);
        Save(&stake, "dialog-stake");
        TFormMulti multi(window.Shell(), ws.ProposedStake(std::nullopt).DrawNumber, &window);
        Save(&multi, "dialog-multi-stake");
        TFormStakeFilter stakeFilter(3, 1, &window);
        Save(&stakeFilter, "dialog-stake-filter");
    }
    try {
        TFormGraph profit(ws, &window);
        profit.Show(ws.StakesGraphDraws());
        Save(&profit, "window-graph-profit");
        TFormGraph overlap(ws, &window);
        overlap.Show(ws.StakesGraphComments(ratingPage->SelectedRows(), false));
        Save(&overlap, "window-graph-overlap");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "no stake graphs: %s\n", e.what());
        ++Failures;
    }

    // The regulars the script added, the regular and test-count dialogs, system play switched on.
    window.MainTabs()->setCurrentWidget(window.Page("tsTables"));
    if (auto* tables = window.findChild<QTableView*>("lvTables"); tables && tables->model()->rowCount() > 0)
        tables->selectionModel()->select(tables->model()->index(0, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.Commands().Evaluate();
    Save(&window, "tab-tables");
    if (auto* context = window.findChild<QMenu*>("pmTables")) {
        context->popup(window.mapToGlobal(QPoint(500, 200)));
        Save(context, "context-pmTables");
        context->hide();
    }
    {
        TFormTable regular(window.Shell(), ProposedRegular(1, ws.Combs().List().at(3)), ws.Regulars(), &window);
        Save(&regular, "dialog-regular");
        TFormTestCnt count(TestCountRange(ws.Archive().Count()), &window);
        Save(&count, "dialog-test-count");
    }
    ws.SetSystemsServer([] { return std::make_unique<TRecordedSystems>(); });
    window.Commands().Trigger("SystemsOn");
    if (auto* systems = window.findChild<QTreeWidget*>("lvSystems"); systems && systems->topLevelItemCount() > 1)
        systems->setCurrentItem(systems->topLevelItem(1));
    Save(&window, "tab-systems");
    if (const std::optional<tSystemData> system = ws.SystemsData(1)) {
        TFormSystem dialog(window.Shell(), *system, false, &window);
        Save(&dialog, "dialog-system");
    }
    window.Commands().Trigger("SystemsOn");
    {
        TFormRepeats repeats(ws, &window);
        repeats.Refresh();
        Save(&repeats, "window-repeats");
        TFormGraph sums(ws, &window);
        sums.Show(SumDistributionPlot(ws.TotalSumCombs()));
        Save(&sums, "window-sum-distribution");
    }
    // The script tab over the script the shell script wrote, its line editor, and a forecast
    // photographed while its second line runs (then stopped).
    window.MainTabs()->setCurrentWidget(window.Page("tsScript"));
    auto* scriptPage = static_cast<TScriptPage*>(window.Page("tsScript"));
    if (scriptPage->Lines()->model()->rowCount() > 0) scriptPage->Lines()->selectRow(0);
    window.Commands().Evaluate();
    Save(&window, "tab-script-lines");
    if (auto* context = window.findChild<QMenu*>("pmScript")) {
        context->popup(window.mapToGlobal(QPoint(500, 200)));
        Save(context, "context-pmScript");
        context->hide();
    }
    if (!ws.Script().Empty()) {
        TFormScript line(Tx("Редактирование строки"), ScriptFormOf(ws.GetScriptLine(0), 0), nullptr, &window);
        Save(&line, "dialog-script-line");
        bool shot = false;
        ws.FormKeys().ScriptLogEnabled = false;
        ws.ScriptExecutor().OnPoll = [&] {
            if (shot || ws.ScriptExecutor().CurrentLine() < 1) return;
            shot = true;
            Save(&window, "tab-script-running");
            ws.ScriptExecutor().Stop();
        };
        ws.ScriptRun();
        ws.ScriptExecutor().OnPoll = nullptr;
    } else {
        std::fprintf(stderr, "no script lines\n");
        ++Failures;
    }
    // The script library panel and its dialogs over answers recorded from a catalogue: read by the
    // program's own reader, no server involved.
    {
        const TCatalogueIdentity me{kDefaultAppId, "1.0.0.0", "Я", "me@example.org", 1049};
        std::vector<tScriptInfo> entries;
        for (const TCatalogueRow& row :
             ReadCatalogueAnswer(ReadFileBytes(QUADRIX_SCREENSHOT_DATA "/catalogue/scr_getlist.txt")).Rows)
            entries.push_back(ScriptInfoFromRow(row, me));
        std::vector<tScriptRate> rates;
        for (const TCatalogueRow& row :
             ReadCatalogueAnswer(ReadFileBytes(QUADRIX_SCREENSHOT_DATA "/catalogue/scr_getrates.txt")).Rows)
            rates.push_back({row.Utf8("key_cl_name"), row.Int("rate"), row.Date("created"), row.Utf8("app_name"),
                             row.Utf8("app_ver"), row.Base64Utf8("notes")});
        if (entries.empty()) {
            std::fprintf(stderr, "no recorded catalogue entries\n");
            ++Failures;
        } else {
            ws.ScriptLibrary().Assign(entries, 0);
            ws.ScriptLibrarySelectId(entries.front().Id);
            window.Commands().Evaluate();
            Save(&window, "tab-script-library");
            TFormScrPublic publish(window.Shell(), ScriptDataOf(entries.front()), ws.CatalogueProgramName(), false,
                                   nullptr, &window);
            Save(&publish, "dialog-script-public");
            TFormScrRates ratings(rates, &window);
            Save(&ratings, "dialog-script-rates");
        }
    }
    window.MainTabs()->setCurrentIndex(0);

    window.Shell().ShowWait("Загрузка тиражей с сайта лотереи...");
    Save(window.Shell().WaitWindow(), "window-wait");
    window.Shell().HideWait();
    window.Shell().ShowWait("Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : 3128");
    Save(window.Shell().WaitWindow(), "window-wait-proxy");
    window.Shell().HideWait();

    window.Shell().ShowProgress("Создание файлов сравнения...", 10, true);
    window.Shell().StepProgress(4);
    Save(window.Shell().ProgressWindow(), "window-progress");
    window.Shell().HideProgress();
    window.Shell().ShowProgress("Загрузка и установка обновления \"1.0.0.7\"...", 14, false);
    window.Shell().StepProgress(6);
    Save(window.Shell().ProgressWindow(), "window-progress-update");
    window.Shell().HideProgress();
    return Failures == 0 ? 0 : 1;
}

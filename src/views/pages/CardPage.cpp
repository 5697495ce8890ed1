#include "views/pages/CardPage.h"

#include <QHeaderView>
#include <QTableView>

#include "app/Workspace.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/grid/GridModel.h"

namespace qx {
namespace {

constexpr int kDigitColumnWidth = 18;

} // namespace

TGridModel* MakeCardModel(const TCardTab& tab, QObject* parent) {
    TGridSource source;
    source.Columns = [] { return TCard::kColumns; };
    source.Rows = [&tab] { return tab.Card().Rows(); };
    source.Text = [&tab](int column, int row) { return tab.Card().Text(column, row); };
    source.Colour = [&tab](int column, int row) {
        return tab.Card().Colour(column, row, tab.ColourOptions());
    };
    return new TGridModel(std::move(source), Qt::AlignHCenter, parent);
}

TCardPage::TCardPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCard", parent) {
    TFlowLayout* row = AddPanel("pnlCard");
    AddButtons(row, {{"Оставить выделенные", "CardFilter_Include"},
                     {"Удалить выделенные", "CardFilter_Exclude"},
                     {"Экспорт в Excel", "CardXlsExport"}});
    FModel = MakeCardModel(Ctx.Ws.CardTab(), this);
    FGrid = MakeGridView("sgCard", this, FModel);
    FGrid->verticalHeader()->hide();
    FGrid->horizontalHeader()->setDefaultSectionSize(kDigitColumnWidth);
    AddContent(FGrid);
    FollowDrawsColumn();
    RegisterCommands();
    ShowCard();
}

void TCardPage::FollowDrawsColumn() {
    auto* draws = Ctx.Window->findChild<QTableView*>("lvDraws");
    if (!draws) return;
    FGrid->horizontalHeader()->resizeSection(0, draws->horizontalHeader()->sectionSize(0));
    connect(draws->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section == 0) FGrid->horizontalHeader()->resizeSection(0, size);
            });
}

void TCardPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto shown = [&ws] { return ws.FormKeys().TabCard; };
    c.Register("CardFilter_Include", {[this] { Ctx.Ws.CardFilter(SelectedGridRect(FGrid), false); },
                                      [this] { return FilterEnabled(); }, nullptr, nullptr});
    c.Register("CardFilter_Exclude", {[this] { Ctx.Ws.CardFilter(SelectedGridRect(FGrid), true); },
                                      [this] { return FilterEnabled(); }, nullptr, nullptr});
    c.Register("ViewColorCard", {[this] { ToggleColours("ColorCard"); }, shown, nullptr, nullptr});
    c.Register("ViewColorCardSequences",
               {[this] { ToggleColours("ColorCardSequences"); }, shown, nullptr, nullptr});
}

bool TCardPage::FilterEnabled() const {
    return Ctx.Ws.Combs().Count() > 0 && Ctx.Ws.FormKeys().TabCard &&
           TWorkspace::CardSelectionFilterable(SelectedGridRect(FGrid));
}

void TCardPage::ToggleColours(const char* key) {
    TBusyScope busy(Ctx.Shell, "");
    Ctx.Ws.SetFormKey(key, !Ctx.Ws.FormKeys().BoolKey(key).value_or(true));
    FModel->RepaintAll();
}

void TCardPage::RefreshView(bool force) {
    if (force && FShown.Shown(Ctx.Ws.CardTab().Revision())) Ctx.Ws.CardTab().Refresh(true);
    ShowCard();
}

void TCardPage::ShowCard() {
    if (FShown.Take(Ctx.Ws.CardTab().Revision())) FModel->Sync();
}

} // namespace qx

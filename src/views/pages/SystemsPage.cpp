#include "views/pages/SystemsPage.h"

#include <QHeaderView>

#include <QDialog>
#include <algorithm>
#include <climits>

#include "app/Workspace.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortableList.h"
#include "views/dialogs/FormStake.h"

namespace qx {

TSystemsPage::TSystemsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsSystems", parent) {
    TFlowLayout* row = AddPanel("pnlSystems");
    AddButtons(row, {{"Загрузить", "SystemsDownload"},
                     {"Обновить", "SystemsRefresh"},
                     {"Добавить", "SystemsAdd"},
                     {"Свойства", "SystemsProp"},
                     {"Удалить", "SystemsDel"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeSortableList("lvSystems", this,
                             {{"Название", 200},
                              {"Автор", 150},
                              {"Числа", 60, C},
                              {"Блок", 60, C},
                              {"Комбинаций", 80, Qt::AlignRight},
                              {"Дата создания", 100, C},
                              {"Статус", 80, C},
                              {"Загрузок", 70, C},
                              {"Последняя", 100, C},
                              {"Комментарии", 200},
                              {"Ссылка", 200}});
    FList->Sort().Set(2, false);
    AddContent(FList);
    RegisterCommands();
}

std::vector<TPersistentList> TSystemsPage::PersistentLists() {
    return {{"lvSystems", FList->header(), &FList->Sort()}};
}

void TSystemsPage::RegisterCommands() {
    TWorkspace& ws = Ctx.Ws;
    auto playable = [&ws] { return ws.SystemsEnabled() && ws.Combs().Count() > 0 && ws.StakesOpen(); };
    auto shown = [&ws] { return ws.SystemsEnabled(); };
    Ctx.Commands.Register("SystemStakeAll",
                          {[this] { Play(TSystemPlayMode::WholeSystem); }, playable, nullptr, shown});
    Ctx.Commands.Register("SystemStakeFilter",
                          {[this] { Play(TSystemPlayMode::ListedOnly); }, playable, nullptr, shown});
}

void TSystemsPage::Play(TSystemPlayMode mode) {
    const auto system = Ctx.Ws.SystemPrepare();
    if (!system) return;
    const auto draw = static_cast<int32_t>(std::min<int64_t>(Ctx.Ws.ProposedStakeDraw(), INT32_MAX));
    TFormMulti dialog(Ctx.Shell, draw, Ctx.Window,
                      SystemPlayComment(mode, static_cast<int>(system->Map.size()), system->FileName));
    if (dialog.exec() != QDialog::Accepted) return;
    Ctx.Ws.SystemPlay(mode, *system, dialog.DrawNumber(), dialog.DrawsCount(), dialog.Comment());
}

} // namespace qx

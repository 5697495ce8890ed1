#include <QActionGroup>
#include <QDialog>
#include <QMenu>
#include <QProcess>
#include <QTabWidget>

#include "core/FormState.h"
#include "core/Languages.h"
#include "core/Text.h"
#include "views/Commands.h"
#include "views/LanguageModule.h"
#include "views/QtShell.h"
#include "views/TemplateMain.h"
#include "views/Tx.h"
#include "views/dialogs/FormAbout.h"
#include "views/dialogs/FormConfig.h"
#include "views/dialogs/FormFirstRun.h"
#include "views/dialogs/FormManager.h"
#include "views/dialogs/FormShredding.h"
#include "views/dialogs/FormProxy.h"
#include "views/dialogs/FormRepeats.h"
#include "views/FormGraph.h"
#include "views/dialogs/FrmUpdateInformer.h"
#include "views/export/ExportCommands.h"

namespace qx {

void TTemplateMain::RegisterWindowCommands() {
    TCommands& c = *FCommands;
    c.Register("EditConfig", {[this] { EditConfig(); }, nullptr, nullptr, nullptr});
    c.Register("EditProxy", {[this] { EditProxy(); }, nullptr, nullptr, nullptr});
    c.Register("EditShredding", {[this] { EditShredding(); }, nullptr, nullptr, nullptr});
    c.Register("FiltersManager", {[this] { ManageFavourites(); }, nullptr, nullptr, nullptr});
    c.Register("FiltersReset", {[this] {
                                    if (FShell->AskNo("Вы действительно хотите сбросить список избранных фильтров?"))
                                        FWorkspace->ResetFavourites();
                                }, nullptr, nullptr, nullptr});
    c.Register("ExitProgram", {[this] { close(); }, nullptr, nullptr, nullptr});
    c.Register("About", {[this] { ShowAbout(); }, nullptr, nullptr, nullptr});
    c.Register("GetHelp", {[this] { FShell->OpenDocument(FHelp.Path.string()); },
                           [this] { return FHelp.Exists; }, nullptr, nullptr});
    for (const std::string& name : TWebLinks::Commands())
        c.Register(name, {[this, name] { FShell->OpenDocument(UrlWithScheme(FLinks.Address(name))); },
                          [this, name] { return !FLinks.Address(name).empty(); }, nullptr, nullptr});
    for (const TOptionalTab& tab : OptionalTabs())
        c.Register(tab.Command, {[this, &tab] { ToggleOptionalTab(tab); }, nullptr,
                                 [this, &tab] { return PageVisible(Page(tab.Page)); }, nullptr});
    c.Register("AnalyzeRepeats", {[this] {
                                      TFormRepeats window(*FWorkspace, this);
                                      window.Refresh();
                                      window.exec();
                                  },
                                  [this] { return FWorkspace->Archive().Count() > 0; }, nullptr, nullptr});
    c.Register("TotalSumCombs", {[this] {
                                     const TGraphPlot plot = SumDistributionPlot(FWorkspace->TotalSumCombs());
                                     ShowGraphWindow(*FWorkspace, plot, this);
                                 },
                                 nullptr, nullptr, nullptr});
    c.Register("SystemsOn", {[this] { ToggleSystems(); }, nullptr,
                             [this] { return PageVisible(Page("tsSystems")); }, nullptr});
    // A program installed where it cannot write leaves its updates to the package manager.
    auto updatable = [this] { return FWorkspace->SelfUpdateAllowed(); };
    c.Register("CheckUpdate", {[this] { CheckUpdate(); }, updatable, nullptr, nullptr});
    c.Register("AutoSelfUpdate", {[this] { FWorkspace->SetFormKey("AutoUpdates", !FWorkspace->FormKeys().AutoUpdates); },
                                  updatable, nullptr, nullptr});
    RegisterExportCommands(*FContext, this);
}

void TTemplateMain::BuildLanguageMenu() {
    QMenu* menu = FCommands->Menu("menuLanguages");
    auto* group = new QActionGroup(menu);
    for (int lcid : AvailableLanguages(FOptions.ExePath, FOptions.LanguageDirs)) {
        QAction* action = menu->addAction(TLanguageModule::LanguageName(lcid));
        action->setObjectName(QString("Language%1").arg(lcid));
        action->setCheckable(true);
        action->setChecked(SamePrimaryLanguage(lcid, FLanguage->Current()));
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, lcid] { RunCommand(*FShell, [&] { ChooseLanguage(lcid); }); });
    }
}

void TTemplateMain::ChooseLanguage(int lcid) {
    if (lcid == FLanguage->Current()) return;
    if (lcid != kBuiltInLanguage) {
        const TLanguageInfo* info = FindLanguage(lcid);
        std::filesystem::path module = LanguageModulePath(FOptions.ExePath, info ? info->Abbr : "", FOptions.LanguageDirs);
        std::error_code ec;
        if (!info || !std::filesystem::is_regular_file(module, ec)) {
            FShell->ShowError(FormatText("Языковый модуль \"%s\" не найден!", {module.string()}));
            return;
        }
    }
    FWorkspace->SetFormKey("Language", lcid);
    RestartProgram();
}

bool TTemplateMain::StartProgramAgain() {
    if (FRestarter) return FRestarter();
    return QProcess::startDetached(QString::fromStdString(FOptions.ExePath.string()), {"restart"},
                                   QString::fromStdString(FOptions.ProgramDir.string()));
}

void TTemplateMain::RestartProgram() {
    if (!StartProgramAgain()) {
        FShell->ShowError(FormatText("Не удалось запустить программу \"%s\"!", {FOptions.ExePath.string()}));
        return;
    }
    RequestQuit();
}

void TTemplateMain::RestartAfterUpdate() {
    if (StartProgramAgain()) {
        RequestQuit();
        return;
    }
    // The new program does not start: the old one, which still runs, is put back in place.
    FWorkspace->UpdateRollBack();
    FShell->ShowError(FormatText("Не удалось запустить программу \"%s\"!", {FOptions.ExePath.string()}));
}

void TTemplateMain::CheckUpdate() {
    if (FWorkspace->SelfUpdate(false) == 1) RestartAfterUpdate();
}

bool TTemplateMain::AskUpdateConsent(const TUpdateOffer& offer) {
    TfrmUpdateInformer dialog(offer, this);
    return dialog.exec() == QDialog::Accepted;
}

void TTemplateMain::ToggleOptionalTab(const TOptionalTab& tab) {
    TBusyScope busy(*FShell, "");
    TViewPage* page = Page(tab.Page);
    const bool visible = !PageVisible(page);
    FWorkspace->SetFormKey(tab.Key, visible);
    SetPageVisible(page, visible);
    page->TabToggled(visible);
    if (visible) {
        page->RefreshView(true);
        FMain->setCurrentWidget(page);
    }
}

void TTemplateMain::ToggleSystems() {
    TViewPage* page = Page("tsSystems");
    const bool on = !PageVisible(page);
    {
        TBusyScope busy(*FShell, "Подождите пожалуйста...");
        SetPageVisible(page, on);
        if (QMenu* systems = FCommands->Menu("menuSystems")) systems->menuAction()->setVisible(on);
        FWorkspace->SetSystemsEnabled(on);
    }
    if (on) FMain->setCurrentWidget(page);
    page->TabToggled(on);
    FCommands->Evaluate();
}

void TTemplateMain::EditConfig() {
    TFormConfig dialog(*FShell, FWorkspace->Config(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    FWorkspace->ChangeConfig(dialog.Result());
}

void TTemplateMain::EditShredding() {
    TFormShredding dialog(FWorkspace->Shredding(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    FWorkspace->ChangeFormulas(dialog.Result());
}

void TTemplateMain::ManageFavourites() {
    std::unique_ptr<TFormManager> dialog;
    {
        TBusyScope busy(*FShell, "Подождите пожалуйста...");
        dialog = std::make_unique<TFormManager>(*FWorkspace, this);
    }
    if (dialog->exec() != QDialog::Accepted) return;
    FWorkspace->ApplyFavourites(dialog->Result());
}

void TTemplateMain::EditProxy() {
    TFormProxy dialog(FWorkspace->Proxy(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    FWorkspace->ChangeProxy(dialog.Result());
}

void TTemplateMain::ShowAbout() {
    TFormAbout dialog(Tx(FTitle), QStringLiteral(QUADRIX_VERSION), FLinks, this);
    dialog.exec();
}

void TTemplateMain::ShowFirstRun() {
    TFormFirstRun dialog(
        FHelp, FLinks, [this](const std::string& target) { FShell->OpenDocument(target); }, this);
    dialog.exec();
    if (dialog.DontShowAgain()) FWorkspace->SetFormKey("FirstRun", false);
}

} // namespace qx

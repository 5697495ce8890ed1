#include "views/LanguageModule.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/Languages.h"
#include "core/Shell.h"
#include "core/Text.h"

namespace qx {
namespace {

QLocale LocaleOf(int lcid) {
    const TLanguageInfo* info = FindLanguage(lcid);
    return QLocale(QString::fromLatin1(info ? info->LocaleName : "ru_RU"));
}

} // namespace

TLanguageModule::TLanguageModule() : FCurrent(kBuiltInLanguage) {
    LoadQtTexts(kBuiltInLanguage);
}

TLanguageModule::~TLanguageModule() {
    Unload();
    if (FQtTexts) QCoreApplication::removeTranslator(FQtTexts.get());
}

void TLanguageModule::Unload() {
    if (FModule) QCoreApplication::removeTranslator(FModule.get());
    FModule.reset();
    FCurrent = kBuiltInLanguage;
}

void TLanguageModule::LoadQtTexts(int lcid) {
    if (FQtTexts) QCoreApplication::removeTranslator(FQtTexts.get());
    FQtTexts = std::make_unique<QTranslator>();
    // Captions of Qt's own dialogs and buttons in the interface language, when the system has them.
    if (FQtTexts->load(LocaleOf(lcid), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(FQtTexts.get());
    else
        FQtTexts.reset();
    QLocale::setDefault(LocaleOf(lcid));
}

int TLanguageModule::Apply(int lcid, const std::filesystem::path& exePath, TShell& shell,
                           const std::vector<std::filesystem::path>& moduleDirs) {
    Unload();
    const TLanguageInfo* info = FindLanguage(lcid);
    if (lcid != kBuiltInLanguage && info) {
        std::filesystem::path module = LanguageModulePath(exePath, info->Abbr, moduleDirs);
        std::error_code ec;
        if (std::filesystem::is_regular_file(module, ec)) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QString::fromStdString(module.string()))) {
                QCoreApplication::installTranslator(translator.get());
                FModule = std::move(translator);
                FCurrent = lcid;
            } else {
                shell.ShowError(
                    FormatText("Не удалось загрузить языковый модуль \"%s\"!\r\r%s",
                               {module.string(), "Файл не является языковым модулем программы."}));
            }
        }
    }
    LoadQtTexts(FCurrent);
    return FCurrent;
}

QString TLanguageModule::LanguageName(int lcid) {
    QLocale locale = LocaleOf(lcid);
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    QString territory = locale.nativeTerritoryName();
    return territory.isEmpty() ? name : name + " (" + territory + ")";
}

} // namespace qx

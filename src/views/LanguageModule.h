#pragma once
#include <QString>
#include <filesystem>
#include <memory>
#include <vector>

class QTranslator;

namespace qx {

class TShell;

// The interface language in force. A language module is a Qt translation file under the
// module's name; applying one replaces the built-in texts, sets the locale (date formats,
// Qt's own dialogs) and is undone when the object goes.
class TLanguageModule {
public:
    TLanguageModule();
    ~TLanguageModule();
    TLanguageModule(const TLanguageModule&) = delete;
    TLanguageModule& operator=(const TLanguageModule&) = delete;

    // Returns the language now in force: the requested one, or the built-in one when its module
    // is missing (silently) or cannot be loaded ("Не удалось загрузить языковый модуль...").
    // The module is looked for beside the executable, then in moduleDirs.
    int Apply(int lcid, const std::filesystem::path& exePath, TShell& shell,
              const std::vector<std::filesystem::path>& moduleDirs = {});
    int Current() const { return FCurrent; }

    // The menu caption of a language: its own name of itself.
    static QString LanguageName(int lcid);

private:
    void Unload();
    void LoadQtTexts(int lcid);

    int FCurrent;
    std::unique_ptr<QTranslator> FModule;
    std::unique_ptr<QTranslator> FQtTexts;
};

} // namespace qx

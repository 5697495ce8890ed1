#pragma once
#include <QDialog>
#include <filesystem>
#include <string>

class QTextBrowser;

namespace qx {

class TShell;

// "Описание методики расчета": the help topic of a statistic method. The help file is a compiled
// help file that the desktop's own viewer opens, so the browser shows the topic's address as a
// link to it; with no help file (no topic) the page stays empty.
class TFormFilterHelp : public QDialog {
public:
    static constexpr const char* kSection = "TFormFilterHelp";
    TFormFilterHelp(const std::string& topicUrl, const std::filesystem::path& helpFile, TShell& shell,
                    QWidget* parent);
    QTextBrowser* Browser() const { return FBrowser; }

private:
    QTextBrowser* FBrowser;
};

} // namespace qx

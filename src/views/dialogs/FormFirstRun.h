#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "app/WebLinks.h"
#include "core/HelpFile.h"

class QCheckBox;

namespace qx {

// "Справочная информация", shown at the end of start-up while the FirstRun key is on: the help
// file and the maker's pages, and the tick that stops showing it.
class TFormFirstRun : public QDialog {
public:
    TFormFirstRun(const THelpLocation& help, const TWebLinks& links,
                  std::function<void(const std::string&)> open, QWidget* parent);
    bool DontShowAgain() const;

private:
    QCheckBox* FDontShow;
};

} // namespace qx

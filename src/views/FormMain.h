#pragma once
#include "views/TemplateMain.h"

namespace qx {

// The main window of this game: the daily four-digit numbers lottery.
class TFormMain : public TTemplateMain {
public:
    explicit TFormMain(const TMainWindowOptions& options);
};

} // namespace qx

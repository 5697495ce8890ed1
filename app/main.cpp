#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "core/Error.h"
#include "core/Platform.h"
#include "core/ProgramDir.h"
#include "core/ProgramUsage.h"
#include "core/Switches.h"
#include "views/FormMain.h"
#include "views/NumericLocale.h"
#include "views/ProgramIcon.h"
#include "views/Tx.h"

int main(int argc, char** argv) {
    std::vector<std::string> params(argv + 1, argv + argc);
    // Answered before Qt starts, so they work without a display.
    switch (qx::FindInfoRequest(params)) {
    case qx::TInfoRequest::Help:
        std::cout << qx::WindowUsage(qx::LocateProgram(qx::OwnExecutable(), qx::TUserEnvironment::Current()));
        return 0;
    case qx::TInfoRequest::Version:
        std::cout << qx::VersionText("Quadrix_4d10");
        return 0;
    case qx::TInfoRequest::None:
        break;
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("quadrix");  // the menu entry, for the window's icon and group
    QApplication::setWindowIcon(qx::ProgramIcon());
    qx::UseCNumericLocale();

    qx::TProgramLocation location;
    try {
        location = qx::ThisProgram();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QString::fromUtf8("Ошибка"), qx::DisplayText(e.what()));
        return 1;
    }
    qx::TMainWindowOptions options;
    options.ExePath = location.ExePath;
    options.ProgramDir = location.Dir;
    options.LanguageDirs = location.LanguageDirs();
    options.HelpShareDir = location.HelpShareDir();
    options.Switches = qx::TSwitches::Parse(params);

    qx::TFormMain window(options);
    if (window.QuitRequested()) return 0;
    window.show();
    return app.exec();
}

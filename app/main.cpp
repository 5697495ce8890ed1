#include <QApplication>
#include <QFileInfo>

#include "core/Switches.h"
#include "views/FormMain.h"
#include "views/NumericLocale.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qx::UseCNumericLocale();
    std::vector<std::string> params;
    for (int i = 1; i < argc; ++i) params.emplace_back(argv[i]);

    // The program directory is the executable's folder.
    qx::TMainWindowOptions options;
    options.ExePath = QCoreApplication::applicationFilePath().toStdString();
    options.ProgramDir = QCoreApplication::applicationDirPath().toStdString();
    options.Switches = qx::TSwitches::Parse(params);

    qx::TFormMain window(options);
    if (window.QuitRequested()) return 0;
    window.show();
    return app.exec();
}

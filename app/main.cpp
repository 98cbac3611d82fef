// Vimtal: engineering calculators for ventilation and domestic hot water.
#include "Application.h"
#include "CommandLine.h"
#include "Forms.h"
#include "Launcher.h"
#include "StartupFiles.h"
#include "core/ui/Form.h"
#include "core/ui/QtPlatform.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    using vimtal::CommandLine;
    // --help and --version answer before the window system is touched, so
    // they work without a display.
    const CommandLine early = vimtal::ParseCommandLine(vimtal::ArgumentsOf(argc, argv));
    if (early.action == CommandLine::Action::Help || early.action == CommandLine::Action::Version) {
        std::fputs(early.output.c_str(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style...) out of the
    // arguments; any other option is refused.
    const CommandLine command = vimtal::ParseCommandLine(QApplication::arguments());
    if (command.action == CommandLine::Action::Error) {
        std::fputs(command.output.c_str(), stderr);
        return command.exitCode;
    }
    // The files named on the command line, each with the module that opens
    // it, and a message for each name that cannot be opened; relative names
    // are taken from the folder the program was started in.
    const vimtal::StartupFiles startupFiles =
        vimtal::ResolveStartupFiles(command.files, QDir::currentPath().toStdString());

    vimtal::SetUpApplication(app);
    vimtal::QtPlatform platform;
    vimtal::SetPlatform(&platform);
    vimtal::Form& launcher = *vimtal::CreateForms().front();
    launcher.show();
    launcher.Activate();
    // Each file opens in its module above the launcher, one module after
    // the other, as if the user had opened it there.
    vimtal::OpenStartupFiles(startupFiles);
    const int result = QApplication::exec();
    vimtal::DestroyForms();
    return result;
}

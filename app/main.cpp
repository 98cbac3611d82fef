// Vimtal: engineering calculators for ventilation and domestic hot water.
#include "Application.h"
#include "Forms.h"
#include "Launcher.h"
#include "core/ui/Form.h"
#include "core/ui/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vimtal::SetUpApplication(app);

    vimtal::QtPlatform platform;
    vimtal::SetPlatform(&platform);
    vimtal::Form& launcher = vimtal::CreateForms();
    launcher.show();
    launcher.Activate();
    const int result = QApplication::exec();
    vimtal::DestroyForms();
    return result;
}

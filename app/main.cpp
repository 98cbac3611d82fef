// Vimtal: engineering calculators for ventilation and domestic hot water.
#include "Forms.h"
#include "Launcher.h"
#include "core/Numbers.h"
#include "core/ui/AppFont.h"
#include "core/ui/FormRegistry.h"
#include "core/ui/QtPlatform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// The separator the user's locale writes numbers with. Qt reads the locale
// from LC_ALL / LC_NUMERIC / LANG even where the C library's locale is not
// generated, so a Polish user gets a comma on any machine.
char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

// Standard dialogs and buttons speak Polish, as the rest of the program.
void LoadPolishTranslations(QApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_pl", "qt_pl"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder)) {
            app.installTranslator(translator);
        } else {
            delete translator;
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VIMTAL"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vimtal"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.svg")));
    LoadPolishTranslations(app);
    vimtal::ApplyApplicationFont();
    vimtal::SetDecimalSeparator(SystemDecimalSeparator());

    vimtal::QtPlatform platform;
    vimtal::SetPlatform(&platform);
    vimtal::CreateForms();
    auto* launcher = vimtal::FindForm(QStringLiteral("TForm18"));
    launcher->show();
    launcher->Activate();
    const int result = QApplication::exec();
    vimtal::DestroyForms();
    return result;
}

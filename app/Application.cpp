#include "Application.h"

#include "core/Numbers.h"
#include "core/ui/AppFont.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vimtal {

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

void SetUpApplication(QApplication& app) {
    // "VIMTAL" titles the error boxes. No display name is set: Qt would
    // append it to every window title ("Ustawienia — Vimtal"), and each
    // window's title is its caption exactly as designed.
    QApplication::setApplicationName(QStringLiteral("VIMTAL"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.svg")));
    LoadPolishTranslations(app);
    ApplyApplicationFont();
    SetDecimalSeparator(SystemDecimalSeparator());
}

}  // namespace vimtal

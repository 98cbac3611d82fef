// The title a window manager, a task bar and a screen reader show is the X11
// property _NET_WM_NAME (WM_NAME for older tools) that Qt sets from the
// window title. Each must be the window's caption exactly as designed, with
// nothing appended by the application's set-up.
//
// Needs a real X server: the app_native_titles test runs this under xvfb-run
// with VIMTAL_TEST_PLATFORM=xcb; on the offscreen platform it is skipped.
#include "app/Application.h"
#include "app/testing/AppHarness.h"
#include "core/ui/Platform.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

// The property as xprop prints it in a UTF-8 locale: NAME = "text".
QString WindowProperty(WId window, const char* property) {
    QProcess xprop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(env);
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(window), QString::fromLatin1(property)});
    if (!xprop.waitForFinished(10000) || xprop.exitCode() != 0) {
        ADD_FAILURE() << "xprop failed: " << xprop.readAllStandardError().toStdString();
        return {};
    }
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^[A-Z_]+ = \"(.*)\"$")).match(out);
    if (!m.hasMatch()) {
        ADD_FAILURE() << "unexpected xprop output: " << out.toStdString();
        return {};
    }
    // xprop escapes quotes and backslashes.
    return m.captured(1).replace(QStringLiteral("\\\""), QStringLiteral("\"")).replace(QStringLiteral("\\\\"),
                                                                                       QStringLiteral("\\"));
}

TEST(NativeTitles, EveryWindowShowsItsCaptionExactly) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs the X11 platform";
    SetUpApplication(*qApp);
    AppHarness app;
    const std::vector<Form*> forms = app.Windows();
    ASSERT_EQ(forms.size(), 23u);  // the nineteen, the i-x chart and its three dialogs
    for (Form* form : forms) {
        const bool launcher = form == platform().MainForm();
        const std::string name = form->objectName().toStdString();
        if (form->objectName() == QStringLiteral("TForm17")) {
            // The fitting editor has no caption of its own: the catalogue
            // names it after the fitting it prepares, then shows it.
            app.Click(QStringLiteral("TForm16"), QStringLiteral("SpeedButton3"));
            ASSERT_EQ(form->windowTitle(), QStringLiteral("KOLANO_OKRĄGŁE"));
        } else if (!launcher) {
            platform().ShowModal(form);
        }
        QApplication::processEvents();
        EXPECT_FALSE(form->windowTitle().isEmpty()) << name;
        EXPECT_EQ(WindowProperty(form->winId(), "_NET_WM_NAME"), form->windowTitle()) << name;
        EXPECT_EQ(WindowProperty(form->winId(), "WM_NAME"), form->windowTitle()) << name;
        if (launcher) {
            EXPECT_EQ(WindowProperty(form->winId(), "_NET_WM_NAME"), "Vimtal v 1.05");
        } else {
            form->close();
        }
    }
}

}  // namespace
}  // namespace vimtal

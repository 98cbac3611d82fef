// main() of the widget tests: Qt's offscreen platform, chosen here because
// CTest's test discovery runs the binary without the test environment.
// VIMTAL_TEST_PLATFORM names another one ("xcb" on a virtual X display, for
// the screenshots and the window titles the window manager shows).
#include "core/Numbers.h"
#include "core/ui/AppFont.h"
#include "core/testing/TempFolder.h"

#include <QApplication>
#include <QSettings>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("VIMTAL_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Whatever a test keeps for "the user" (the recently opened files) goes
    // to a folder of the run's own, never to the settings of the person
    // running the tests.
    const vimtal::testing::TempFolder settings;
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings.QtPath());
    }
    QApplication::setApplicationName(QStringLiteral("VIMTAL"));
    vimtal::SetDecimalSeparator(',');
    vimtal::ApplyApplicationFont();
    return RUN_ALL_TESTS();
}

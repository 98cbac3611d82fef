// main() of the widget tests: Qt's offscreen platform, chosen here because
// CTest's test discovery runs the binary without the test environment.
#include "core/Numbers.h"
#include "core/ui/AppFont.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VIMTAL"));
    vimtal::SetDecimalSeparator(',');
    vimtal::ApplyApplicationFont();
    return RUN_ALL_TESTS();
}

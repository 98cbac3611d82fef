// Paints every window of the program as a user first sees it and checks that
// something was drawn. With VIMTAL_SHOTS_DIR set, the pictures are saved
// there as <class>.png (the README's screenshots come from a run under Xvfb
// with VIMTAL_TEST_PLATFORM=xcb).
#include "app/testing/AppHarness.h"
#include "core/ui/Platform.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace vimtal {
namespace {

int DistinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(Screenshots, EveryWindowPaints) {
    AppHarness app;
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    if (!folder.isEmpty()) QDir().mkpath(folder);
    std::vector<QString> names;
    for (Form* form : app.Windows()) names.push_back(form->objectName());
    for (const QString& name : names) {
        Form* form = app.Window(name);
        if (form != platform().MainForm()) platform().ShowModal(form);
        const QImage image = app.Grab(name);
        EXPECT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_GE(image.width(), 200) << name.toStdString();
        EXPECT_GT(DistinctColours(image), 4) << name.toStdString() << " looks blank";
        if (!folder.isEmpty()) image.save(folder + "/" + name + ".png");
        if (form != platform().MainForm()) form->close();
    }
}

}  // namespace
}  // namespace vimtal

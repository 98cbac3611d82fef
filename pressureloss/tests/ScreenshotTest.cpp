// The three windows as a user sees them, with the real fitting pictures of
// the run folder when they have been drawn. Set VIMTAL_SHOTS_DIR to keep the
// screenshots as PNG files.
#include "WindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>

namespace vimtal::pressureloss::testing {
namespace {

class Screenshots : public CalculatorTest {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        // The drawings of the run folder replace the test's plain bitmaps.
        const QString drawn = QStringLiteral(VIMTAL_RUN_DIR "/calc");
        for (FittingKind kind : AllKinds()) {
            const QString name = QString::fromUtf8(InfoOf(kind).picture);
            const QString source = QStringLiteral(VIMTAL_RUN_DIR) + name;
            if (QFile::exists(source)) {
                QFile::remove(folder.QtPath() + name);
                QFile::copy(source, folder.QtPath() + name);
            }
        }
    }

    void Keep(const QImage& image, const QString& name) {
        ASSERT_FALSE(image.isNull());
        const QString shots = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
        if (!shots.isEmpty() && QDir().mkpath(shots)) image.save(shots + "/" + name + ".png");
    }

    // Share of pixels that differ from the window background: a blank or
    // unpainted window fails.
    static double Ink(const QImage& image) {
        const QRgb background = image.pixel(2, image.height() - 3);
        int ink = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) ink += image.pixel(x, y) != background;
        }
        return ink / (image.width() * image.height() / 4.0);
    }
};

TEST_F(Screenshots, CircuitCatalogueAndEditor) {
    OpenCalculator();
    Add(RoundStraight, {{"Edit2", "350"}});
    Add(RoundElbow, {{"ComboBox1", "160"}});
    Add(RoundTee, {{"ComboBox1", "160"}, {"ComboBox2", "125"}, {"Edit9", "120"}});
    Add(RectStraight, {{"ComboBox8", "200"}, {"ComboBox9", "150"}});
    Add(RoundSilencer, {{"Edit7", "25"}});
    Add(RectRoofOutlet, {{"ComboBox8", "300"}, {"ComboBox9", "300"}, {"Edit7", "12"}});

    const QImage circuit = app.Grab(kCircuit);
    EXPECT_GT(Ink(circuit), 0.05);
    Keep(circuit, "TForm15");
    const QImage catalogue = app.Grab(kCatalogue);
    EXPECT_GT(Ink(catalogue), 0.05);
    Keep(catalogue, "TForm16");

    Choose(RoundTee);
    app.SetText(kEditor, "Edit2", "350");
    app.SetText(kEditor, "Edit9", "120");
    app.Select(kEditor, "ComboBox12", 1);
    Keep(app.Grab(kEditor), "TForm17_round_tee");
    app.Click(kEditor, "BitBtn2");

    Choose(RectElbow);
    app.SetText(kEditor, "ComboBox8", "400");
    app.SetText(kEditor, "ComboBox9", "200");
    app.Select(kEditor, "ComboBox3", 1);
    const QImage elbow = app.Grab(kEditor);
    EXPECT_GT(Ink(elbow), 0.05);
    Keep(elbow, "TForm17_rectangular_elbow");
    app.Click(kEditor, "BitBtn2");
    EXPECT_EQ(app.ErrorCount(), 0);
}

}  // namespace
}  // namespace vimtal::pressureloss::testing

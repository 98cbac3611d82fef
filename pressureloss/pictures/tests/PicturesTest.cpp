// The fitting pictures in the run folder (calc/) and the tool that draws them.
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 265;
// Rows of the title above the drawing; the drawings must differ below it.
constexpr int kTitleRows = 36;

struct Picture {
    int kind;
    const char* file;
};

// The picture files the catalogue loads, by fitting kind (letter case matters).
constexpr std::array<Picture, 18> kPictures{{
    {1, "prostka_o.bmp"},   {2, "KOLANO_O.BMP"},    {3, "odsadzka_o.bmp"},
    {4, "trojnik_o.bmp"},   {5, "czerpnia_o.bmp"},  {6, "tlumik_o.bmp"},
    {7, "podstawa_o.bmp"},  {8, "redukcja_o.bmp"},  {9, "kratka_o.bmp"},
    {10, "prostka_p.bmp"},  {11, "kolano_p.bmp"},   {12, "odsadzka_p.bmp"},
    {13, "trojnik_p.bmp"},  {14, "czerpnia_p.bmp"}, {15, "tlumik_p.bmp"},
    {16, "podstawa_p.bmp"}, {17, "redukcja_p.bmp"}, {18, "kratka_p.bmp"},
}};

// Names the picture in test output.
void PrintTo(const Picture& picture, std::ostream* os) { *os << picture.file; }

QString picturePath(const char* file) {
    return QStringLiteral(VIMTAL_PICTURE_DIR "/") + QString::fromLatin1(file);
}

std::uint32_t le32(const QByteArray& bytes, int offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

std::uint16_t le16(const QByteArray& bytes, int offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      (static_cast<std::uint8_t>(bytes[offset + 1]) << 8));
}

bool isDark(QRgb pixel) { return qGray(pixel) < 100; }
bool isWhite(QRgb pixel) { return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245; }

class FittingPicture : public ::testing::TestWithParam<Picture> {};

std::string pictureName(const ::testing::TestParamInfo<Picture>& info) {
    return "kind" + std::to_string(info.param.kind);
}

TEST_P(FittingPicture, IsInCalcUnderItsExactName) {
    // Compared by name, not with QFile::exists, so that a case-insensitive
    // match cannot pass for the file the catalogue asks for.
    const QStringList names = QDir(QStringLiteral(VIMTAL_PICTURE_DIR)).entryList(QDir::Files);
    EXPECT_TRUE(names.contains(QString::fromLatin1(GetParam().file), Qt::CaseSensitive))
        << GetParam().file << " not among " << names.join(QLatin1Char(' ')).toStdString();
}

TEST_P(FittingPicture, IsA24BitBmpOfTheEditorsPictureSize) {
    QFile file(picturePath(GetParam().file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam().file;
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(bytes, 2), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_GE(le32(bytes, 14), 40u);  // BITMAPINFOHEADER or later
    EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, 18)), kSize);
    EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, 22)), kSize);  // bottom-up rows
    EXPECT_EQ(le16(bytes, 26), 1);
    EXPECT_EQ(le16(bytes, 28), 24);
    EXPECT_EQ(le32(bytes, 30), 0u);  // uncompressed
    const int rowBytes = (kSize * 3 + 3) / 4 * 4;
    EXPECT_GE(bytes.size(), static_cast<int>(le32(bytes, 10)) + rowBytes * kSize);

    QImage image;
    ASSERT_TRUE(image.load(picturePath(GetParam().file), "BMP"));
    EXPECT_EQ(image.size(), QSize(kSize, kSize));
    EXPECT_FALSE(image.hasAlphaChannel());
}

TEST_P(FittingPicture, IsADrawingOnWhiteKeptInsideTheFrame) {
    QImage image(picturePath(GetParam().file), "BMP");
    ASSERT_FALSE(image.isNull()) << GetParam().file;
    int dark = 0;
    int white = 0;
    int edgeInk = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (isDark(pixel)) ++dark;
            if (isWhite(pixel)) {
                ++white;
            } else if (x < 2 || y < 2 || x >= image.width() - 2 || y >= image.height() - 2) {
                ++edgeInk;  // the drawing runs off the picture
            }
        }
    }
    const int pixels = image.width() * image.height();
    EXPECT_GT(dark, pixels / 50) << "too little line work in " << GetParam().file;
    EXPECT_GT(white, pixels / 3) << "background not white in " << GetParam().file;
    EXPECT_EQ(edgeInk, 0) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FittingPicture, ::testing::ValuesIn(kPictures), pictureName);

TEST(FittingPictures, EveryDrawingDiffersFromEveryOtherBelowTheTitle) {
    std::vector<QImage> images;
    for (const Picture& picture : kPictures) {
        images.emplace_back(picturePath(picture.file), "BMP");
        ASSERT_EQ(images.back().size(), QSize(kSize, kSize)) << picture.file;
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            int different = 0;
            for (int y = kTitleRows; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    if (qAbs(qGray(images[i].pixel(x, y)) - qGray(images[j].pixel(x, y))) > 64) {
                        ++different;
                    }
                }
            }
            EXPECT_GT(different, 1000) << kPictures[i].file << " and " << kPictures[j].file;
        }
    }
}

// The converter, run the way the build runs it.
struct Conversion {
    const char* name;
    QByteArray svg;  // empty: no input file at all
    QStringList size;
    bool succeeds;
};

class Svg2Bmp : public ::testing::Test {
protected:
    int run(const Conversion& conversion, QString* output) {
        const QString input = dir.QtFile(QStringLiteral("in.svg"));
        QFile::remove(input);
        if (!conversion.svg.isEmpty()) {
            QFile file(input);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(conversion.svg);
        }
        *output = dir.QtFile(QStringLiteral("out.bmp"));
        QFile::remove(*output);
        QProcess process;
        process.start(QStringLiteral(VIMTAL_SVG2BMP), QStringList{input, *output} + conversion.size);
        EXPECT_TRUE(process.waitForFinished(60000));
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    vimtal::testing::TempFolder dir;
};

const QByteArray kHalfRed =
    "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30' viewBox='0 0 40 30'>"
    "<rect x='0' y='0' width='20' height='30' fill='#ff0000'/></svg>";

TEST_F(Svg2Bmp, RejectsWhatItCannotDrawAndWritesNothing) {
    const Conversion cases[] = {
        {"no input file", QByteArray(), {"40", "30"}, false},
        {"not SVG", "this is no drawing", {"40", "30"}, false},
        {"gradient that does not exist",
         "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
         "<rect width='10' height='10' fill='url(#nowhere)'/></svg>",
         {"40", "30"}, false},
        {"element the renderer passes over",
         "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
         "<marker id='head'/><rect width='10' height='10' fill='#000'/></svg>",
         {"40", "30"}, false},
        {"zero width", kHalfRed, {"0", "30"}, false},
        {"size not a number", kHalfRed, {"40", "x"}, false},
        {"size missing", kHalfRed, {"40"}, false},
        {"plain drawing", kHalfRed, {"40", "30"}, true},
    };
    for (const Conversion& conversion : cases) {
        QString output;
        const int code = run(conversion, &output);
        EXPECT_EQ(code == 0, conversion.succeeds) << conversion.name << ", exit code " << code;
        EXPECT_EQ(QFile::exists(output), conversion.succeeds) << conversion.name;
    }
}

TEST_F(Svg2Bmp, FillsTheRequestedSizeKeepingTheDrawingsProportions) {
    struct Probe {
        int x, y;
        QRgb colour;
    };
    const struct {
        QStringList size;
        std::vector<Probe> probes;
    } cases[] = {
        // Same proportions: the left half is red, the right half white.
        {{"40", "30"}, {{5, 15, qRgb(255, 0, 0)}, {35, 15, qRgb(255, 255, 255)}}},
        // Wider than the drawing: scaled by 2 to 80 × 60 and centred in
        // 120 × 60, with white margins of 20 on both sides.
        {{"120", "60"},
         {{10, 30, qRgb(255, 255, 255)}, {30, 30, qRgb(255, 0, 0)}, {95, 30, qRgb(255, 255, 255)}}},
    };
    for (const auto& test : cases) {
        QString output;
        ASSERT_EQ(run({"half red", kHalfRed, test.size, true}, &output), 0);
        const QImage image(output, "BMP");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), test.size[0].toInt());
        EXPECT_EQ(image.height(), test.size[1].toInt());
        for (const Probe& probe : test.probes) {
            const QColor seen = image.pixelColor(probe.x, probe.y);
            EXPECT_EQ(seen.rgb(), QColor(probe.colour).rgb())
                << "pixel " << probe.x << "," << probe.y << " at size "
                << test.size.join('x').toStdString();
        }
    }
}

}  // namespace

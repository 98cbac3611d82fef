// The kept chart: computed when the window opens, when its size changes and
// when asked; painted from the kept image on every expose; its messages and
// errors shown once, after the first paint of its image.
#include "charts/ChartWindow.h"

#include "charts/ChartExport.h"
#include "charts/ChartFrame.h"
#include "charts/tests/ChartPixels.h"
#include "core/Errors.h"
#include "core/Files.h"
#include "core/Numbers.h"
#include "core/ui/testing/FakePlatform.h"
#include "core/testing/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace vimtal::charts {
namespace {

using testing::kRed;

// A chart that counts its computations and draws what the test asks.
class TestChart : public ChartWindow {
public:
    TestChart() : ChartWindow(QStringLiteral("TForm99"), QStringLiteral("Wykres"), {200, 120}) {
        SetClientSize(200, 120);
    }
    void Resize(QSize size) {
        SetClientSize(size.width(), size.height());
        SetChartSize(size);
    }
    void AddExportItemsTo(QMenu* menu) { AddExportItems(menu); }

    std::function<void(Canvas&, MessageSink&, std::vector<PlotPoint>&)> body;
    std::vector<QSize> sizes;  // of each computation
    bool waitCursor = false;   // shown during the last computation

protected:
    ExportNames Exports() const override {
        return {QStringLiteral("wykres.png"), QStringLiteral("dane.csv"), "x [m]", "y [°C]"};
    }
    Drawing PrepareDrawing(int W, int H) override {
        sizes.emplace_back(W, H);
        Drawing drawing;
        drawing.draw = [this](Canvas& canvas, MessageSink& messages, std::vector<PlotPoint>& points, RunControl&) {
            // Read while the window's thread waits for the drawing.
            const QCursor* cursor = QApplication::overrideCursor();
            waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
            canvas.SetPen(kRed);
            canvas.MoveTo(10, 12);
            canvas.LineTo(15, 12);
            if (body) body(canvas, messages, points);
        };
        return drawing;
    }
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetPlatform(&fake); }
    void TearDown() override { SetPlatform(nullptr); }
    QWidget* Box() { return chart.findChild<QWidget*>(QStringLiteral("PaintBox1")); }
    FakePlatform fake;
    TestChart chart;
};

TEST_F(ChartWindowTest, ComputedWhenOpenedAndPaintedFromTheKeptImage) {
    EXPECT_EQ(chart.Computations(), 0);
    chart.show();
    QApplication::processEvents();
    ASSERT_EQ(chart.Computations(), 1);
    EXPECT_TRUE(chart.waitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(chart.Image().size(), QSize(200, 120));
    EXPECT_EQ(chart.Image().pixel(12, 12), kRed);

    // Every way of asking for a paint, and a window over the chart and away.
    QWidget* box = Box();
    ASSERT_NE(box, nullptr);
    PaintCounter counter(box);
    box->repaint();
    box->update();
    QApplication::processEvents();
    QPaintEvent expose(box->rect());
    QApplication::sendEvent(box, &expose);
    QWidget cover;
    cover.setGeometry(chart.geometry());
    cover.show();
    QApplication::processEvents();
    cover.hide();
    QApplication::processEvents();
    const QImage shown = box->grab().toImage();
    EXPECT_GE(counter.paints, 3);
    EXPECT_EQ(chart.Computations(), 1);
    EXPECT_EQ(shown.pixel(12, 12), kRed);
    EXPECT_EQ(shown.pixel(100, 100), qRgb(255, 255, 255));

    // Each opening computes again; so does a request.
    chart.close();
    chart.show();
    EXPECT_EQ(chart.Computations(), 2);
    chart.Recompute();
    EXPECT_EQ(chart.Computations(), 3);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ChartWindowTest, ANewSizeIsComputedAtOnceWhenShown) {
    chart.Resize({300, 180});  // hidden: computed when shown
    EXPECT_EQ(chart.Computations(), 0);
    chart.show();
    chart.Resize({400, 240});
    EXPECT_EQ(chart.sizes, (std::vector<QSize>{{300, 180}, {400, 240}}));
    EXPECT_EQ(chart.Image().size(), QSize(400, 240));
    EXPECT_EQ(Box()->geometry(), QRect(0, 0, 400, 240));
    EXPECT_EQ(chart.ChartSize(), QSize(400, 240));
}

TEST_F(ChartWindowTest, MessagesAndErrorsComeOnceAfterTheFirstPaint) {
    chart.body = [](Canvas&, MessageSink& messages, std::vector<PlotPoint>&) {
        messages.ShowMessage("Podaj wysokosc zasobnika C.W.U", "Vimtal info");
        messages.ShowMessage("Druga wiadomość", "Vimtal info");
        throw FloatingPointError(FloatFault::DivisionByZero);
    };
    PaintCounter counter(Box());
    int paintsBeforeTheBox = -1;
    fake.onMessage = [&](const FakePlatform::Message&) {
        if (paintsBeforeTheBox < 0) paintsBeforeTheBox = counter.paints;
    };
    chart.show();
    EXPECT_TRUE(fake.messages.empty());  // not from inside the computation
    for (int i = 0; i < 3; ++i) {
        Box()->repaint();
        QApplication::processEvents();
    }
    ASSERT_EQ(fake.messages.size(), 3u);
    EXPECT_EQ(fake.messages[0].text, "Podaj wysokosc zasobnika C.W.U");
    EXPECT_EQ(fake.messages[0].title, "Vimtal info");
    EXPECT_EQ(fake.messages[1].text, "Druga wiadomość");
    EXPECT_TRUE(fake.messages[2].error);
    EXPECT_EQ(fake.messages[2].text, "Floating point division by zero");
    EXPECT_GE(paintsBeforeTheBox, 1);
    // What was drawn before the error stays.
    EXPECT_EQ(chart.Image().pixel(12, 12), kRed);

    // The next computation reports again, once.
    chart.Recompute();
    for (int i = 0; i < 2; ++i) {
        Box()->repaint();
        QApplication::processEvents();
    }
    EXPECT_EQ(fake.messages.size(), 6u);
}

TEST_F(ChartWindowTest, KeepsThePointsOfItsCurve) {
    int run = 0;
    chart.body = [&](Canvas&, MessageSink&, std::vector<PlotPoint>& points) {
        ++run;
        for (int i = 0; i <= run; ++i) points.push_back({i * 1.5, run * 10.0});
    };
    chart.show();
    ASSERT_EQ(chart.Points().size(), 2u);
    EXPECT_EQ(chart.Points()[1].x, 1.5);
    chart.Recompute();
    ASSERT_EQ(chart.Points().size(), 3u);
    EXPECT_EQ(chart.Points()[2].y, 20.0);
}

// The exports take what the window keeps: no computation, the dialogs with
// the chart's names, the picture by the extension of the name chosen.
TEST_F(ChartWindowTest, ExportsWriteTheKeptImageAndPointsWithoutComputingAgain) {
    SetDecimalSeparator(',');
    chart.body = [](Canvas& canvas, MessageSink&, std::vector<PlotPoint>& points) {
        canvas.SetPen(QColor(0, 0, 255));
        canvas.MoveTo(30, 40);
        canvas.LineTo(90, 40);
        points = {{0, 20}, {1.5, 18.25}};
    };
    chart.show();
    ASSERT_EQ(chart.Computations(), 1);
    vimtal::testing::TempFolder folder;
    auto path = [&](const char* name) { return folder.QtFile(QString::fromLatin1(name)); };

    fake.saveAnswers = {path("w.png"), path("w.svg"), std::nullopt};
    for (int i = 0; i < 3; ++i) chart.Zapiszwykres1Click();
    ASSERT_EQ(fake.saveRequests.size(), 3u);
    EXPECT_EQ(fake.saveRequests[0].filter, "Obraz PNG (*.png);;Rysunek SVG (*.svg)");
    EXPECT_EQ(fake.saveRequests[0].defaultSuffix, "png");
    EXPECT_EQ(fake.saveRequests[0].fileName, "wykres.png");
    EXPECT_EQ(QImage(path("w.png")).convertToFormat(QImage::Format_RGB32), chart.Image());
    QFile svg(path("w.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(testing::RenderedSvg(svg.readAll(), chart.Image().size()), chart.Image());

    fake.saveAnswers = {path("dane.csv")};
    chart.Eksportujdane1Click();
    EXPECT_EQ(fake.saveRequests.back().filter, "Arkusz CSV (*.csv)");
    EXPECT_EQ(fake.saveRequests.back().fileName, "dane.csv");
    const std::string csv = "\xEF\xBB\xBFx [m];y [°C]\r\n0;20\r\n1,5;18,25\r\n";
    EXPECT_EQ(ReadFileBytes(path("dane.csv").toStdString()), Bytes(csv.begin(), csv.end()));
    EXPECT_EQ(chart.Computations(), 1);

    // A folder that is not there: the error box, nothing written.
    fake.saveAnswers = {path("brak/w.png")};
    chart.Zapiszwykres1Click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].error);
    EXPECT_FALSE(QFile::exists(path("brak/w.png")));
}

// After the menu's own items, with a separator; an empty menu needs none.
TEST_F(ChartWindowTest, ExportItemsComeLastInTheirMenu) {
    QMenu options, empty;
    options.addAction(QStringLiteral("Powiększ..."));
    chart.AddExportItemsTo(&options);
    chart.AddExportItemsTo(&empty);
    QStringList items;
    for (const QAction* a : options.actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(items, (QStringList{"", "-", "Zapiszwykres1", "Eksportujdane1"}));
    ASSERT_EQ(empty.actions().size(), 2);
    EXPECT_EQ(empty.actions()[0]->text(), "Zapisz wykres...");
    EXPECT_EQ(empty.actions()[1]->text(), "Eksportuj dane...");
    fake.saveAnswers = {std::nullopt};
    empty.actions()[1]->trigger();
    EXPECT_EQ(fake.saveRequests.size(), 1u);
}

}  // namespace
}  // namespace vimtal::charts

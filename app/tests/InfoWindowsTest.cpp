#include "app/Links.h"
#include "app/testing/AppHarness.h"
#include "core/ui/PictureBox.h"
#include "core/ui/Platform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

TEST(About, ContactLineGrowsUnderTheMouseAndShrinksOverTheBackground) {
    AppHarness app;
    app.Click("TForm18", "About1");
    auto* label = app.Control<QLabel>("TForm3", "Label2");
    EXPECT_EQ(label->text(), "Kontakt z autorem: " + kContactMail);
    EXPECT_EQ(label->font().pointSizeF(), 8.0);
    app.MouseMove("TForm3", "Label2");
    EXPECT_EQ(label->font().pointSizeF(), 10.0);
    app.MouseMove("TForm3", "Label6");  // onto another control: stays large
    EXPECT_EQ(label->font().pointSizeF(), 10.0);
    app.MouseMove("TForm3");  // the window's background
    EXPECT_EQ(label->font().pointSizeF(), 8.0);

    app.Click("TForm3", "BitBtn1");
    EXPECT_FALSE(app.IsVisible("TForm3"));
}

TEST(About, TextsAndLinks) {
    AppHarness app;
    const std::pair<const char*, const char*> labels[] = {
        {"Label5", "Moduły programu:"},
        {"Label6", "1) Moduł doboru kryz osiowosymetrycznych"},
        {"Label7", "2) Moduł obliczeń parametrów powietrza"},
        {"Label8", "3) Moduł obliczeń zasobników C.W.U"},
        {"Label9", "4) Moduł obliczeń szybkości wychładzania"},
        {"Label10", "5) Moduł obliczeń strat ciśnienia powietrza"},
    };
    for (const auto& [name, text] : labels) {
        EXPECT_EQ(app.Text("TForm3", name), QString::fromUtf8(text));
        EXPECT_TRUE(app.Control<QLabel>("TForm3", name)->font().bold());
    }
    EXPECT_EQ(app.Window("TForm3")->windowTitle(), "O programie");
    EXPECT_EQ(app.Window("TForm3")->Client()->size(), QSize(309, 332));
    app.Click("TForm18", "About1");
    app.Click("TForm3", "Image1");
    app.Fake().messages.clear();
    QMouseEvent press(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(app.Control<QLabel>("TForm3", "Label2"), &press);
    EXPECT_EQ(app.Fake().shellOpened, (std::vector<QString>{kWebPage, "mailto:" + kContactMail}));
}

TEST(InformationWindows, CaptionsSizesContentsAndButtons) {
    AppHarness app;
    struct Case {
        const char* window;
        const char* caption;
        QSize client;
        const char* firstLine;
        const char* button;
        int result;
    } cases[] = {
        {"TForm4", "Pomoc kalkulatora powietrza", {374, 312}, "Pomoc programu:", "Zamknij", Form::mrNone},
        {"TForm8", "Założenia ", {}, "Założenia poczynione w module symulacyjnym obliczania zasobników C.W.U.", "OK",
         Form::mrOk},
        {"TForm11", "Założenia", {379, 304}, "Założenia poczynione w module symulacyjnym obliczania wychładzania ",
         "OK", Form::mrOk},
        {"TForm12", "Schemat obliczeniowy", {731, 578}, nullptr, "Zamknij", Form::mrNone},
        {"TForm14", "Schemat obliczeniowy CWU", {490, 581}, nullptr, "Zamknij", Form::mrNone},
    };
    for (const Case& c : cases) {
        Form* form = app.Window(c.window);
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(c.caption));
        if (c.client.isValid()) {
            EXPECT_EQ(form->Client()->size(), c.client) << c.window;
        }
        if (c.firstLine) {
            auto* memo = app.Control<QPlainTextEdit>(c.window, "Memo1");
            EXPECT_TRUE(memo->isReadOnly());
            EXPECT_EQ(memo->toPlainText().split('\n').front(), QString::fromUtf8(c.firstLine)) << c.window;
        } else {
            EXPECT_TRUE(app.Control<PictureBox>(c.window, "Image1")->HasPicture()) << c.window;
        }
        EXPECT_EQ(app.Text(c.window, "BitBtn1"), c.button);
        // Opened twice, the same content; the button closes the window.
        for (int i = 0; i < 2; ++i) {
            platform().ShowModal(form);
            EXPECT_TRUE(form->isVisible());
            app.Click(c.window, "BitBtn1");
            EXPECT_FALSE(form->isVisible()) << c.window;
            EXPECT_EQ(form->ModalResult(), c.result) << c.window;
        }
    }
}

TEST(InformationWindows, TextsAsTheModulesDescribeThem) {
    AppHarness app;
    const QStringList help = app.Text("TForm4", "Memo1").split('\n');
    ASSERT_EQ(help.size(), 18);
    EXPECT_EQ(help[1], "");
    EXPECT_EQ(help[8], "i - x - entalpia - stopień zawilżenia powietrza");
    EXPECT_EQ(help[17], "zmienić).");
    const QStringList dhw = app.Text("TForm8", "Memo1").split('\n');
    EXPECT_EQ(dhw.back(), "    ");
    EXPECT_EQ(dhw[dhw.size() - 2], "");
    EXPECT_TRUE(dhw.contains("3c). Program nie uwzględnia strat ciepła przez promieniowanie"));
    const QStringList duct = app.Text("TForm11", "Memo1").split('\n');
    EXPECT_EQ(duct[2], "temperaturze");
    int points = 0;
    for (const QString& line : duct) points += line.contains(QRegularExpression("^[1-7]\\)\\. ")) ? 1 : 0;
    EXPECT_EQ(points, 7);
}

}  // namespace
}  // namespace vimtal

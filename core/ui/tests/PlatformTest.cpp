#include "core/Errors.h"
#include "core/ui/Form.h"
#include "core/ui/Guard.h"
#include "core/ui/Widgets.h"
#include "core/ui/WindowLink.h"
#include "core/ui/testing/FakePlatform.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace vimtal {
namespace {

// A window that counts its activations and can open another one modally.
class CountingForm : public Form {
public:
    using Form::Form;
    int activations = 0;
    int closings = 0;

protected:
    void FormActivate() override { ++activations; }
    void FormClose() override { ++closings; }
};

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { SetPlatform(&fake); }
    void TearDown() override { SetPlatform(nullptr); }
    FakePlatform fake;
};

TEST_F(PlatformTest, GuardShowsEachKindOfErrorAndGoesOn) {
    struct Case {
        std::function<void()> handler;
        bool completed;
        QString text;
        QString title;
        bool error;
    } cases[] = {
        {[] {}, true, {}, {}, false},
        {[] { throw ConversionError("-"); }, false, "'-' is not a valid floating point value.", "VIMTAL", true},
        {[] { throw FloatingPointError(FloatFault::DivisionByZero); }, false, "Floating point division by zero", "VIMTAL", true},
        {[] { throw FileError(FileFault::EndOfFile); }, false, "Read beyond end of file", "VIMTAL", true},
        {[] { throw NoticeError("Za duży wymiar", "Vimtal info"); }, false, "Za duży wymiar", "Vimtal info", false},
        {[] { throw std::logic_error("broken"); }, false, "broken", "VIMTAL", true},
        {[] { throw 42; }, false, "Unknown error", "VIMTAL", true},
    };
    for (const Case& c : cases) {
        fake.messages.clear();
        EXPECT_EQ(Guarded(c.handler), c.completed);
        if (c.completed) {
            EXPECT_TRUE(fake.messages.empty());
            continue;
        }
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text, c.text);
        EXPECT_EQ(fake.messages[0].title, c.title);
        EXPECT_EQ(fake.messages[0].error, c.error);
    }
}

TEST_F(PlatformTest, SignalHandlersRunGuarded) {
    QLineEdit edit;
    int runs = 0;
    On(&edit, &QLineEdit::textChanged, [&] {
        ++runs;
        if (edit.text() == "-") throw ConversionError("-");
    });
    edit.setText("-");  // written by the program: the handler runs too
    edit.setText("-");  // no change, no run
    edit.setText("-5");
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].error);
}

TEST_F(PlatformTest, ModalWindowsActivateThemselvesAndTheWindowBelowOnClose) {
    CountingForm launcher("TForm18", "Vimtal");
    CountingForm module("TForm5", "Symulacja");
    CountingForm chart("TForm6", "Wykres");
    fake.SetMainForm(&launcher);

    EXPECT_EQ(fake.ShowModal(&module), Form::mrNone);
    EXPECT_TRUE(module.isVisible());
    EXPECT_EQ(module.activations, 1);
    fake.ShowModal(&chart);
    EXPECT_EQ(chart.activations, 1);
    EXPECT_EQ(fake.shownWindows, (std::vector<QString>{"TForm5", "TForm6"}));

    chart.close();
    EXPECT_FALSE(chart.isVisible());
    EXPECT_EQ(chart.closings, 1);
    EXPECT_EQ(module.activations, 2);  // the window below, not the launcher
    EXPECT_EQ(launcher.activations, 0);

    module.close();
    EXPECT_EQ(launcher.activations, 1);
    EXPECT_TRUE(fake.ModalStack().empty());
}

TEST_F(PlatformTest, BitButtonsSetTheModalResult) {
    struct Case {
        BitBtnKind kind;
        int result;
        QString caption;
    } cases[] = {{BitBtnKind::Ok, Form::mrOk, "OK"},
                 {BitBtnKind::Cancel, Form::mrCancel, "Anuluj"},
                 {BitBtnKind::Close, Form::mrNone, "Zamknij"}};
    for (const Case& c : cases) {
        CountingForm form("TForm2", "Ustawienia");
        QPushButton* button = NewBitBtn(&form, form.Client(), "BitBtn1", c.kind);
        EXPECT_EQ(button->text(), c.caption);
        fake.ShowModal(&form);
        button->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.ModalResult(), c.result);
        EXPECT_EQ(form.closings, 1);
    }
}

TEST_F(PlatformTest, WindowLinksAreBoundOnceAndShowTheirWindow) {
    WindowLink<CountingForm> link;
    EXPECT_FALSE(link.Bound());
    EXPECT_THROW(link.ShowModal(), std::logic_error);
    EXPECT_THROW(link->objectName(), std::logic_error);
    CountingForm chart("TForm6", "Wykres");
    link.Bind(chart);
    EXPECT_TRUE(link.Bound());
    EXPECT_EQ(&*link, &chart);
    EXPECT_THROW(link.Bind(chart), std::logic_error);
    const FormLink& untyped = link;
    untyped.ShowModal();
    EXPECT_EQ(fake.shownWindows, std::vector<QString>{"TForm6"});
}

TEST_F(PlatformTest, RecordFileDialogsStartInTheStartFolder) {
    fake.SetStartDirectory("/home/projektant/Vimtal");
    const FileDialogOptions open = fake.OpenRecordDialog("Pliki (*.kan)", "kan");
    EXPECT_EQ(open.initialDirectory, "/home/projektant/Vimtal");
    EXPECT_EQ(open.fileName, "*.kan");
    EXPECT_EQ(open.defaultSuffix, "kan");
    EXPECT_TRUE(open.mustExist);
    EXPECT_TRUE(open.keepCurrentDirectory);
    const FileDialogOptions save = fake.SaveRecordDialog("Pliki (*.kan)", "kan", "dom.kan");
    EXPECT_EQ(save.fileName, "dom.kan");
    EXPECT_FALSE(save.mustExist);
    EXPECT_TRUE(save.overwritePrompt);
    EXPECT_TRUE(save.keepCurrentDirectory);
}

}  // namespace
}  // namespace vimtal

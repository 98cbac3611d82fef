// The application harness of the widget tests.
//
// AppHarness starts the whole program as the real start-up does - title
// "VIMTAL", every window created in the start-up order with the launcher
// first and main, the launcher shown and activated - on Qt's offscreen
// platform with the recording FakePlatform installed, so nothing ever blocks:
// message boxes and error boxes are recorded, file dialogs answer from a
// script, modal windows are shown and activated and the call returns at once.
// Each test gets fresh windows; the harness destroys them when it goes.
// The user's settings (the lists of "Ostatnio otwierane") are kept in a
// folder of the harness's own, empty at its start, never in the user's.
//
// Link a widget test with `vimtal_harness` (it brings its own main()).
//
// Example:
//
//   TEST(Settings, EveryKeystrokeRecomputes) {
//       AppHarness app;
//       app.Click("TForm18", "Ustawienia1");          // menu item: QAction by name
//       EXPECT_EQ(app.Shown(), QStringList{"TForm2"});
//       app.Type("TForm2", "Edit2", "-5");          // key by key: "-" then "-5"
//       EXPECT_EQ(app.LastError(), "'-' is not a valid floating point value.");
//       EXPECT_EQ(app.Text("TForm2", "Edit1"), "1,3");
//       app.Close("TForm2");                          // the launcher is activated again
//   }
//
// Controls are found by objectName (the design's names: "Edit5",
// "SpeedButton3", "ListBox11"); menu items are QActions found by their
// objectName ("Otwrz1"). A missing window or control fails the test with a
// message and throws, so the test stops at that line.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/testing/FakePlatform.h"
#include "core/testing/TempFolder.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>
#include <stdexcept>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class QMimeData;
class QWidget;

namespace vimtal {

class AmbientAir;

class AppHarness {
public:
    // Uses the decimal separator `separator` (the windows' default texts are
    // written with a comma).
    explicit AppHarness(char separator = ',');
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    FakePlatform& Fake() { return fake_; }
    // The ambient air the windows share.
    AmbientAir& Air();

    // Every window of the program, in the order of creation (the launcher
    // first).
    const std::vector<Form*>& Windows() const { return windows_; }
    // The window of that class ("TForm5"), or nullptr.
    Form* FindWindow(const QString& className) const;
    // The window of that class; the test fails when there is none.
    Form* Window(const QString& className);
    template <typename T>
    T* WindowAs(const QString& className) {
        T* window = dynamic_cast<T*>(Window(className));
        if (!window) Fail("window " + className + " has another class");
        return window;
    }

    // The child of that window with that objectName, of type T.
    template <typename T>
    T* Control(const QString& className, const QString& name) {
        T* control = Window(className)->findChild<T*>(name);
        if (!control) Fail("window " + className + " has no control " + name + " of that type");
        return control;
    }

    // The text of an edit, label, button, combo box, check box, radio button,
    // group box or memo.
    QString Text(const QString& className, const QString& name);
    // Replaces an edit's or editable combo box's text at once, as a program
    // writes it (one change).
    void SetText(const QString& className, const QString& name, const QString& text);
    // Clears the edit, then types the text key by key (a change per key).
    void Type(const QString& className, const QString& name, const QString& text);
    // Clicks a button, radio button or check box, triggers a menu item, or
    // clicks any other control (a picture) with the left mouse button.
    void Click(const QString& className, const QString& name);
    // Double-clicks a list box item (row) or a control.
    void DoubleClick(const QString& className, const QString& name, int row = -1);
    // Selects item `index` of a combo box or row `index` of a list box.
    void Select(const QString& className, const QString& name, int index);
    // Moves the mouse over a control (or over the window's background when
    // name is empty).
    void MouseMove(const QString& className, const QString& name = {});
    // Shows a menu (its objectName) as a click on it would, and closes it
    // again: the menu fills itself when shown.
    void ShowMenu(const QString& className, const QString& menuName);
    // The files named on the command line, opened as the program opens them
    // after start-up (relative names from the current directory); returns
    // once every opening has run.
    void OpenFromCommandLine(const QStringList& names);
    // Drags `data` over a control (the window itself when `name` is empty)
    // and drops it there; as on the screen, a control that takes no drops
    // passes the drag to the one it lies on. False when the drag was
    // refused and nothing was dropped. What the drop starts has run when
    // the call returns.
    bool Drop(const QString& className, const QString& name, const QMimeData& data);
    // The same with web addresses or files (QUrl::fromLocalFile), given as
    // file managers give them: as addresses and as text.
    bool DropUrls(const QString& className, const QString& name, const QList<QUrl>& urls);
    // Runs the work queued for the event loop (openings a drop or the
    // command line started).
    static void RunQueued();

    // Closes the window through its close box.
    void Close(const QString& className);
    bool IsVisible(const QString& className);

    // Recorded by the fake platform.
    QStringList Shown() const;       // windows shown modally, in order
    QStringList Messages() const;    // texts of message and error boxes
    QString LastMessage() const;     // "" when none
    QString LastError() const;       // text of the last error box, "" when none
    int ErrorCount() const;
    void ClearRecords() { fake_.Clear(); }

    // The window's calculation report as "Zapisz raport PDF..." writes it
    // (the save dialog answered with a temporary file): the PDF's bytes, or
    // nothing when no file was written.
    QByteArray SaveReport(const QString& className);

    // Where every control of the window lies, in a fixed order, leaving out
    // the notes label "LabelUwagi" (which lies over free space): equal lists
    // mean nothing moved.
    std::vector<QRect> Placement(const QString& className);

    // Paints the window (or one control) into an image, as the screen would.
    QImage Grab(const QString& className, const QString& name = {});

    [[noreturn]] static void Fail(const QString& what);

private:
    vimtal::testing::TempFolder settings_;
    FakePlatform fake_;
    std::vector<Form*> windows_;
};

// A test that starts with a module opened from the launcher's button
// ("SpeedButton2" opens the air calculator).
class ModuleTest : public ::testing::Test {
protected:
    explicit ModuleTest(const char* launcherButton) {
        app.Click(QStringLiteral("TForm18"), QString::fromLatin1(launcherButton));
    }
    AppHarness app;
};

}  // namespace vimtal

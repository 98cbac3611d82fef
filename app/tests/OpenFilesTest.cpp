// Files from outside the modules: named on the command line, dropped on the
// launcher or on a module window, chosen from "Ostatnio otwierane". Each way
// must end exactly where the module's own "Otwórz" ends with the same file.
#include "app/testing/AppHarness.h"
#include "core/ui/RecentFiles.h"
#include "core/testing/TempFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace vimtal {
namespace {

const QString kData = QStringLiteral(VIMTAL_SOURCE_DIR);

struct Module {
    const char* window;
    const char* button;    // the launcher's button that opens it
    const char* openItem;  // its "Otwórz"
    const char* extension;
    QString file;          // a kept file of that kind
    // Checks that the window shows that file's contents.
    std::function<void(AppHarness&)> shows;
};

const Module kModules[] = {
    {"TForm5", "SpeedButton3", "Otwrz1", "cwu", kData + "/dhwsim/tests/data/czas.cwu",
     [](AppHarness& app) {
         EXPECT_TRUE(app.Control<QAbstractButton>("TForm5", "RadioButton4")->isChecked());
         EXPECT_EQ(app.Text("TForm5", "Edit16"), "235,61");
     }},
    {"TForm9", "SpeedButton4", "Otwrz1", "kan", kData + "/ductsim/tests/data/round-every-field.kan",
     [](AppHarness& app) {
         EXPECT_TRUE(app.Control<QAbstractButton>("TForm9", "RadioButton2")->isChecked());
         EXPECT_EQ(app.Text("TForm9", "Edit17"), "101300,123");  // cut to ten characters
         EXPECT_EQ(app.Text("TForm9", "Edit25"), "ściana żół");
     }},
    {"TForm15", "SpeedButton5", "Otwrzobliczenia1", "moh", kData + "/pressureloss/tests/data/circuit.moh",
     [](AppHarness& app) {
         EXPECT_EQ(app.Control<QScrollBar>("TForm15", "ScrollBar1")->maximum(), 8);
         EXPECT_EQ(app.Text("TForm15", "Edit1"), "2164681050,22");
     }},
};

// Everything a user sees of a window's controls: texts, ticks, list rows,
// which controls are visible and enabled.
QStringList StateOf(QWidget* window) {
    QStringList state;
    int index = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString value;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            value = edit->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            value = button->text() + (button->isChecked() ? "[x]" : "[ ]");
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            value = label->text();
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int row = 0; row < list->count(); ++row) value += list->item(row)->text() + "|";
        } else if (auto* bar = qobject_cast<QScrollBar*>(w)) {
            value = QString("%1/%2").arg(bar->value()).arg(bar->maximum());
        } else {
            continue;
        }
        state << QString("%1 %2 %3%4 %5")
                     .arg(index++)
                     .arg(w->objectName(), w->isVisibleTo(window) ? "v" : "-", w->isEnabled() ? "e" : "-", value);
    }
    return state;
}

// What a user saw after a way of opening: the windows shown, the boxes, and
// the module window's controls.
struct Outcome {
    QStringList shown;
    QStringList messages;
    int errors = 0;
    QStringList state;
};

Outcome OutcomeOf(AppHarness& app, const Module& m) {
    return {app.Shown(), app.Messages(), app.ErrorCount(), StateOf(app.Window(m.window))};
}

// The reference: the module opened from the launcher, the file chosen in
// its "Otwórz".
Outcome ThroughOpenItem(const Module& m, const QString& path) {
    AppHarness app;
    app.Click("TForm18", m.button);
    app.Fake().openAnswers.push_back(path);
    app.Click(m.window, m.openItem);
    return OutcomeOf(app, m);
}

// The module as the launcher's button opens it, nothing loaded.
Outcome Untouched(const Module& m) {
    AppHarness app;
    app.Click("TForm18", m.button);
    return OutcomeOf(app, m);
}

QList<QUrl> Urls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    return urls;
}

// The ways from outside, each in a fresh program; `opened` is called while
// the program still runs.
enum class Way { CommandLine, DropOnLauncher, DropOnWindow, DropOnEdit, RecentEntry };
const std::pair<Way, const char*> kWays[] = {
    {Way::CommandLine, "command line"},      {Way::DropOnLauncher, "dropped on the launcher"},
    {Way::DropOnWindow, "dropped on the module"}, {Way::DropOnEdit, "dropped on an edit of the module"},
    {Way::RecentEntry, "chosen from Ostatnio otwierane"},
};

Outcome ThroughWay(Way way, const Module& m, const QString& path,
                   const std::function<void(AppHarness&)>& opened = nullptr) {
    AppHarness app;
    switch (way) {
    case Way::CommandLine:
        app.OpenFromCommandLine({path});
        break;
    case Way::DropOnLauncher:
        EXPECT_TRUE(app.DropUrls("TForm18", {}, Urls({path})));
        break;
    case Way::DropOnWindow:
        app.Click("TForm18", m.button);
        EXPECT_TRUE(app.DropUrls(m.window, {}, Urls({path})));
        break;
    case Way::DropOnEdit:
        app.Click("TForm18", m.button);
        EXPECT_TRUE(app.DropUrls(m.window, "Edit1", Urls({path})));
        break;
    case Way::RecentEntry:
        StoreRecentFiles(QString::fromLatin1(m.extension), {path});
        app.Click("TForm18", m.button);
        app.ShowMenu(m.window, "Ostatniootwierane1");
        app.Click(m.window, "Ostatni1");
        break;
    }
    if (opened) opened(app);
    return OutcomeOf(app, m);
}

void ExpectSame(const Outcome& got, const Outcome& expected, const std::string& what) {
    EXPECT_EQ(got.shown, expected.shown) << what;
    EXPECT_EQ(got.messages, expected.messages) << what;
    EXPECT_EQ(got.errors, expected.errors) << what;
    EXPECT_EQ(got.state, expected.state) << what;
}

TEST(FilesFromOutside, OpenInTheirModuleAsOtworzDoes) {
    for (const Module& m : kModules) {
        const Outcome reference = ThroughOpenItem(m, m.file);
        ASSERT_EQ(reference.errors, 0) << m.window << ": " << reference.messages.join("; ").toStdString();
        // The file really changes the window: otherwise any way would match.
        EXPECT_NE(reference.state, Untouched(m).state) << m.window;
        for (const auto& [way, what] : kWays) {
            const std::string label = std::string(m.window) + ", " + what;
            const Outcome got = ThroughWay(way, m, m.file, [&](AppHarness& app) {
                SCOPED_TRACE(label);
                m.shows(app);
                EXPECT_EQ(app.Fake().ModalStack().size(), 1u);
                EXPECT_TRUE(app.IsVisible(m.window));
                // The file opened is first in the module's list.
                EXPECT_EQ(StoredRecentFiles(QString::fromLatin1(m.extension)).value(0), m.file);
            });
            ExpectSame(got, reference, label);
        }
    }
}

class DamagedFiles : public ::testing::Test {
protected:
    // The kept file cut short: its record ends before its last fields.
    QString Damaged(const Module& m) {
        QFile kept(m.file);
        EXPECT_TRUE(kept.open(QIODevice::ReadOnly));
        const QString path = folder.QtFile(QStringLiteral("uszkodzony.") + m.extension);
        QFile cut(path);
        EXPECT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(kept.read(100));
        return path;
    }
    vimtal::testing::TempFolder folder;
};

TEST_F(DamagedFiles, GiveTheErrorBoxOfOtworzAndChangeNothing) {
    for (const Module& m : kModules) {
        const QString path = Damaged(m);
        const Outcome reference = ThroughOpenItem(m, path);
        ASSERT_EQ(reference.errors, 1) << m.window;
        EXPECT_EQ(reference.messages.constLast(), "Read beyond end of file") << m.window;
        EXPECT_EQ(reference.state, Untouched(m).state) << m.window;
        for (const auto& [way, what] : kWays) {
            const std::string label = std::string(m.window) + ", " + what;
            const Outcome got = ThroughWay(way, m, path, [&](AppHarness&) {
                // Only a file that was read goes on the list (a chosen entry
                // was there before).
                const QStringList expected = way == Way::RecentEntry ? QStringList{path} : QStringList{};
                EXPECT_EQ(StoredRecentFiles(QString::fromLatin1(m.extension)), expected) << label;
            });
            ExpectSame(got, reference, label);
        }
    }
}

TEST(FilesFromOutside, NamesThatCannotBeOpenedGetAMessageAndTheLauncherStays) {
    vimtal::testing::TempFolder folder;
    QFile notes(folder.QtFile("notatki.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    const QString missing = folder.QtFile("brak.moh");
    const QStringList expected{
        QString("Nie można otworzyć pliku „%1”: nieznany typ pliku. Vimtal otwiera pliki .cwu, .kan, .moh i .ixp.")
            .arg(notes.fileName()),
        QString("Nie można otworzyć pliku „%1”: taki plik nie istnieje.").arg(missing),
    };
    for (const bool dropped : {false, true}) {
        AppHarness app;
        if (dropped) {
            EXPECT_TRUE(app.DropUrls("TForm18", {}, Urls({notes.fileName(), missing})));
        } else {
            app.OpenFromCommandLine({notes.fileName(), missing});
        }
        EXPECT_EQ(app.Messages(), expected) << dropped;
        for (const auto& message : app.Fake().messages) EXPECT_EQ(message.title, "Vimtal info");
        EXPECT_EQ(app.ErrorCount(), 0);
        EXPECT_TRUE(app.Shown().isEmpty()) << dropped;
        EXPECT_TRUE(app.IsVisible("TForm18"));
    }
}

TEST(FilesFromOutside, SeveralFilesOpenOneAfterTheOtherAfterTheMessages) {
    AppHarness app;
    const QString missing = QDir::current().absoluteFilePath("nie-ma-takiego.kan");
    // Relative names are taken from the folder the program was started in.
    const QString relative = QDir::current().relativeFilePath(kModules[2].file);
    app.OpenFromCommandLine({kModules[0].file, missing, relative, kModules[1].file});
    EXPECT_EQ(app.Messages(),
              QStringList{QString("Nie można otworzyć pliku „%1”: taki plik nie istnieje.").arg(missing)});
    EXPECT_EQ(app.Shown(), (QStringList{"TForm5", "TForm15", "TForm9"}));
    for (const Module& m : kModules) {
        SCOPED_TRACE(m.window);
        m.shows(app);
    }
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST(FileDrops, WhatAWindowRefusesOrOnlyAnswersWithAMessage) {
    const Module& duct = kModules[1];
    const Module& dhw = kModules[0];
    AppHarness app;
    app.Click("TForm18", duct.button);
    const QStringList fresh = StateOf(app.Window(duct.window));

    // A file of another module: a message, nothing else.
    EXPECT_TRUE(app.DropUrls(duct.window, "Edit3", Urls({dhw.file})));
    EXPECT_EQ(app.Messages(), QStringList{"Pliku „czas.cwu” nie można otworzyć w tym oknie: otwiera ono tylko pliki "
                                          ".kan. Plik innego modułu upuść na okno główne Vimtal."});
    EXPECT_EQ(app.Fake().messages.back().title, "Vimtal info");
    EXPECT_EQ(StateOf(app.Window(duct.window)), fresh);
    EXPECT_EQ(app.Shown(), QStringList{"TForm9"});
    EXPECT_TRUE(StoredRecentFiles("cwu").isEmpty());
    app.ClearRecords();

    // Refused outright: two files at once on a module window, an address
    // on the web (an edit would take it as text, as any edit does), and a
    // drop on the launcher while a module is open above it.
    EXPECT_FALSE(app.DropUrls(duct.window, {}, Urls({duct.file, duct.file})));
    EXPECT_FALSE(app.DropUrls(duct.window, {}, {QUrl("https://www.vimtal.pl/obieg.kan")}));
    EXPECT_FALSE(app.DropUrls("TForm18", {}, Urls({duct.file})));
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(StateOf(app.Window(duct.window)), fresh);
    EXPECT_TRUE(app.Shown().isEmpty());

    // Text dragged into an edit still lands there.
    app.SetText(duct.window, "Edit3", {});
    QMimeData text;
    text.setText(QStringLiteral("480"));
    EXPECT_TRUE(app.Drop(duct.window, "Edit3", text));
    EXPECT_EQ(app.Text(duct.window, "Edit3"), "480");
    EXPECT_TRUE(app.Messages().isEmpty());
}

QStringList FileMenuItems(AppHarness& app, const char* window) {
    for (QMenu* menu : app.Window(window)->findChildren<QMenu*>()) {
        if (menu->title().trimmed().startsWith("Plik")) {
            QStringList items;
            for (const QAction* action : menu->actions()) items << (action->isSeparator() ? "-" : action->text());
            return items;
        }
    }
    AppHarness::Fail(QString("no Plik menu in ") + window);
}

TEST(RecentFiles, SubmenuSitsBetweenTheWindowsOwnItemsAndZamknij) {
    AppHarness app;
    // The window's own items, the recent files, the report items, "Zamknij".
    EXPECT_EQ(FileMenuItems(app, "TForm5"), (QStringList{"Otwórz", "Zapisz", "Symulacja", "-", "Ostatnio otwierane", "-",
                                                         "Drukuj...", "Zapisz raport PDF...", "-", "Zamknij"}));
    EXPECT_EQ(FileMenuItems(app, "TForm9"), (QStringList{"Otwórz", "Zapisz ", "-", "Ostatnio otwierane", "-",
                                                         "Drukuj...", "Zapisz raport PDF...", "-", "Zamknij"}));
    EXPECT_EQ(FileMenuItems(app, "TForm15"),
              (QStringList{"Nowe obliczenia", "Otwórz obliczenia", "Zapisz obliczenia", "-", "Ostatnio otwierane", "-",
                           "Drukuj...", "Zapisz raport PDF...", "Eksportuj do CSV...", "-", "Zamknij"}));
    EXPECT_EQ(FileMenuItems(app, "IxChartForm"),
              (QStringList{"Nowy", "Otwórz...", "Zapisz...", "-", "Ostatnio otwierane", "-", "Zapisz wykres...", "-",
                           "Drukuj...", "Zapisz raport PDF...", "Eksportuj do CSV...", "-", "Zamknij"}));
}

// The visible entries of a window's "Ostatnio otwierane", as shown.
QStringList Entries(AppHarness& app, const char* window) {
    app.ShowMenu(window, "Ostatniootwierane1");
    QStringList entries;
    for (const QAction* action : app.Control<QMenu>(window, "Ostatniootwierane1")->actions()) {
        if (action->isVisible()) entries << action->text() + (action->isEnabled() ? "" : " (off)");
    }
    return entries;
}

class RecentLists : public ::testing::Test {
protected:
    // A copy of the kept circuit under another name.
    QString Circuit(const QString& name) {
        const QString path = folder.QtFile(name);
        QFile::copy(kModules[2].file, path);
        return path;
    }
    void OpenByItem(AppHarness& app, const QString& path) {
        app.Fake().openAnswers.push_back(path);
        app.Click("TForm15", "Otwrzobliczenia1");
    }
    vimtal::testing::TempFolder folder;
};

TEST_F(RecentLists, GrowReorderAndKeepTheEightNewest) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton5");
    EXPECT_EQ(Entries(app, "TForm15"), QStringList{"(brak) (off)"});

    QStringList paths;
    for (int i = 1; i <= 9; ++i) paths << Circuit(QString("obieg%1.moh").arg(i));
    OpenByItem(app, paths[0]);
    OpenByItem(app, paths[1]);
    EXPECT_EQ(Entries(app, "TForm15"), (QStringList{"&1 obieg2.moh", "&2 obieg1.moh"}));
    EXPECT_EQ(app.Control<QAction>("TForm15", "Ostatni1")->toolTip(), paths[1]);

    // Opening a listed file again moves it up; saving puts a file first too.
    OpenByItem(app, paths[0]);
    EXPECT_EQ(StoredRecentFiles("moh"), (QStringList{paths[0], paths[1]}));
    const QString saved = folder.QtFile("zapisany.moh");
    app.Fake().saveAnswers.push_back(saved);
    app.Click("TForm15", "Zapiszobliczenia1");
    EXPECT_EQ(StoredRecentFiles("moh"), (QStringList{saved, paths[0], paths[1]}));

    for (int i = 2; i < 9; ++i) OpenByItem(app, paths[i]);
    const QStringList expected{paths[8], paths[7], paths[6], paths[5], paths[4], paths[3], paths[2], saved};
    EXPECT_EQ(StoredRecentFiles("moh"), expected);
    EXPECT_EQ(Entries(app, "TForm15").size(), 8);
    EXPECT_EQ(Entries(app, "TForm15").front(), "&1 obieg9.moh");
    EXPECT_EQ(Entries(app, "TForm15").back(), "&8 zapisany.moh");
    EXPECT_EQ(app.ErrorCount(), 0);

    // Each module keeps its own list; the other windows offer nothing yet.
    EXPECT_EQ(Entries(app, "TForm5"), QStringList{"(brak) (off)"});
    EXPECT_EQ(Entries(app, "TForm9"), QStringList{"(brak) (off)"});

    // Kept for the user, and nothing else: the ambient air is not kept.
    QSettings kept(QSettings::NativeFormat, QSettings::UserScope, "Vimtal", "Vimtal");
    EXPECT_EQ(kept.allKeys(), QStringList{"RecentFiles/moh"});
    // The test's settings folder, never the user's own.
    EXPECT_FALSE(kept.fileName().startsWith(QDir::homePath() + "/.config")) << kept.fileName().toStdString();
}

TEST_F(RecentLists, AFileThatIsGoneLeavesTheListWithAMessage) {
    AppHarness app;
    const QString kept = Circuit("zostaje.moh");
    const QString gone = Circuit("usuniety.moh");
    app.Click("TForm18", "SpeedButton5");
    OpenByItem(app, kept);
    OpenByItem(app, gone);
    const QStringList before = StateOf(app.Window("TForm15"));
    app.Click("TForm15", "Noweobliczenia1");
    const QStringList empty = StateOf(app.Window("TForm15"));
    ASSERT_NE(before, empty);
    ASSERT_TRUE(QFile::remove(gone));
    app.ClearRecords();

    EXPECT_EQ(Entries(app, "TForm15"), (QStringList{"&1 usuniety.moh", "&2 zostaje.moh"}));
    app.Click("TForm15", "Ostatni1");
    EXPECT_EQ(app.Messages(),
              QStringList{QString("Plik „%1” już nie istnieje i został usunięty z listy ostatnio otwieranych.").arg(gone)});
    EXPECT_EQ(app.Fake().messages.back().title, "Vimtal info");
    EXPECT_EQ(app.ErrorCount(), 0);
    EXPECT_EQ(StateOf(app.Window("TForm15")), empty);
    EXPECT_EQ(Entries(app, "TForm15"), QStringList{"&1 zostaje.moh"});

    // The one left opens.
    app.Click("TForm15", "Ostatni1");
    EXPECT_EQ(StateOf(app.Window("TForm15")), before);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(RecentLists, NamesAlikeShowTheirFolders) {
    AppHarness app;
    QDir(folder.QtPath()).mkpath("a");
    QDir(folder.QtPath()).mkpath("b");
    const QString first = Circuit("a/obieg.moh"), second = Circuit("b/obieg.moh"), other = Circuit("hala & biuro.moh");
    app.Click("TForm18", "SpeedButton5");
    for (const QString& path : {first, second, other}) OpenByItem(app, path);
    EXPECT_EQ(Entries(app, "TForm15"), (QStringList{"&1 hala && biuro.moh", "&2 obieg.moh — " + folder.QtFile("b"),
                                                    "&3 obieg.moh — " + folder.QtFile("a")}));
}

}  // namespace
}  // namespace vimtal

#include "core/ui/Form.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Widgets.h"
#include "core/ui/testing/FakePlatform.h"
#include "core/ui/testing/PdfTools.h"
#include "core/ui/testing/SampleReports.h"
#include "core/testing/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace vimtal {
namespace {

class ReportActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&fake);
        fake.SetStartDirectory(QStringLiteral("/start/folder"));
    }
    void TearDown() override { SetPlatform(nullptr); }

    // The report of a small window; counts how often it was asked for.
    ReportBuilder Builder(const std::string& caption) {
        return [this, caption] {
            ++built;
            Report report{ReportDocument(caption), {}};
            report.document.Inputs().Add("Średnica przewodu", "D", "200", "mm");
            report.document.Results();
            return report;
        };
    }

    FakePlatform fake;
    int built = 0;
};

QStringList Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return items;
}

TEST_F(ReportActionsTest, InThePlikMenuBothItemsStandBeforeZamknijAfterASeparator) {
    struct Case {
        QStringList before;  // "-" a separator; "Zamknij" is the close item
        bool withClose;
        QStringList after;
    } cases[] = {
        {{"Otwórz", "Zapisz", "Symulacja", "-", "Zamknij"},
         true,
         {"Otwórz", "Zapisz", "Symulacja", "-", "Drukuj...", "Zapisz raport PDF...", "-", "Zamknij"}},
        {{"Nowe obliczenia", "Otwórz obliczenia", "Zamknij"},
         true,
         {"Nowe obliczenia", "Otwórz obliczenia", "-", "Drukuj...", "Zapisz raport PDF...", "-", "Zamknij"}},
        {{"Zamknij"}, true, {"Drukuj...", "Zapisz raport PDF...", "-", "Zamknij"}},
        {{"Otwórz", "Zapisz"}, false, {"Otwórz", "Zapisz", "-", "Drukuj...", "Zapisz raport PDF..."}},
    };
    for (const Case& c : cases) {
        Form form(QStringLiteral("TForm5"), QStringLiteral("Symulacja"));
        form.SetClientSize(300, 200);
        QMenu* file = form.MenuBar()->addMenu(QStringLiteral("Plik...   "));
        QAction* close = nullptr;
        for (const QString& item : c.before) {
            if (item == QLatin1String("-")) {
                file->addSeparator();
            } else {
                QAction* action = file->addAction(item);
                if (item == QLatin1String("Zamknij")) close = action;
            }
        }
        const ReportActions actions = AddReportActions(&form, file, c.withClose ? close : nullptr,
                                                       QStringLiteral("symulacja_cwu.pdf"), Builder("Symulacja"));
        EXPECT_EQ(Items(file), c.after) << c.before.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(actions.print->objectName(), "Drukuj1");
        EXPECT_EQ(actions.print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        EXPECT_EQ(actions.savePdf->objectName(), "ZapiszraportPDF1");
        EXPECT_EQ(form.findChild<QAction*>(QStringLiteral("Drukuj1")), actions.print);
        EXPECT_EQ(actions.contextMenu, nullptr);
        EXPECT_EQ(form.contextMenuPolicy(), Qt::DefaultContextMenu);
    }
}

TEST_F(ReportActionsTest, AWindowWithoutPlikGetsAContextMenuAndKeepsItsSize) {
    Form form(QStringLiteral("TForm1"), QStringLiteral("Moduł doboru kryz osiowosymetrycznych"));
    form.SetClientSize(320, 240);
    auto* label = NewLabel(form.Client(), QStringLiteral("Label1"), QStringLiteral("Średnica"));
    label->move(10, 10);
    form.show();
    const QSize before = form.size();

    const ReportActions actions = AddReportActions(&form, nullptr, nullptr, QStringLiteral("dobor_kryzy.pdf"),
                                                   Builder("Moduł doboru kryz osiowosymetrycznych"));
    QApplication::processEvents();
    EXPECT_EQ(form.size(), before);
    EXPECT_EQ(form.findChild<QMenuBar*>(), nullptr);  // no menu bar appears
    ASSERT_NE(actions.contextMenu, nullptr);
    EXPECT_EQ(actions.contextMenu->objectName(), "PopupMenu1");
    EXPECT_EQ(Items(actions.contextMenu), (QStringList{"Drukuj...", "Zapisz raport PDF..."}));

    // A right click on a label of the window opens the menu there.
    const QPoint at(12, 12);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, label->mapToGlobal(at));
    QApplication::sendEvent(label, &click);
    EXPECT_TRUE(actions.contextMenu->isVisible());
    actions.contextMenu->hide();

    // Ctrl+P prints without any menu.
    QApplication::setActiveWindow(&form);
    fake.printAnswers = {true};
    QTest::keyClick(label, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(fake.printRequests.size(), 1u);
    EXPECT_EQ(fake.printRequests[0], "Moduł doboru kryz osiowosymetrycznych");
    EXPECT_EQ(fake.printed.size(), 1u);
}

TEST_F(ReportActionsTest, SavingAskForTheFileThenWritesThePdf) {
    vimtal::testing::TempFolder dir;
    Form form(QStringLiteral("TForm5"), QStringLiteral("Symulacja"));
    QMenu* file = form.MenuBar()->addMenu(QStringLiteral("Plik"));
    QAction* close = file->addAction(QStringLiteral("Zamknij"));
    const ReportActions actions =
        AddReportActions(&form, file, close, QStringLiteral("symulacja_cwu.pdf"),
                         Builder("Symulacja czasu ładowania zbiornika C.W.U"), testing::StoppedClock());

    // Cancelled: nothing built, nothing written.
    fake.saveAnswers = {std::nullopt};
    actions.savePdf->trigger();
    ASSERT_EQ(fake.saveRequests.size(), 1u);
    const FileDialogOptions& asked = fake.saveRequests[0];
    EXPECT_EQ(asked.filter, "Dokument PDF (*.pdf)");
    EXPECT_EQ(asked.defaultSuffix, "pdf");
    EXPECT_EQ(asked.fileName, "symulacja_cwu.pdf");
    EXPECT_EQ(asked.initialDirectory, "/start/folder");
    EXPECT_TRUE(asked.overwritePrompt);
    EXPECT_FALSE(asked.mustExist);
    EXPECT_EQ(built, 0);

    const QString path = dir.QtFile(QStringLiteral("symulacja_cwu.pdf"));
    fake.saveAnswers = {path};
    actions.savePdf->trigger();
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(fake.messages.empty());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = testing::PdfPageTexts(written.readAll()).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Symulacja czasu ładowania zbiornika C.W.U")));
    EXPECT_TRUE(text.contains(QStringLiteral("Data: 14.03.2025, godz. 10:42")));
    EXPECT_TRUE(text.contains(QStringLiteral("Brak wyników: uruchom obliczenia")));
}

TEST_F(ReportActionsTest, FailuresEndInTheErrorBoxAndKeepTheOldFile) {
    vimtal::testing::TempFolder dir;
    const QString existing = dir.QtFile(QStringLiteral("stary.pdf"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("stary raport");
    }
    struct Case {
        QString path;
        ReportBuilder build;
    } cases[] = {
        // A folder that does not exist.
        {dir.QtFile(QStringLiteral("brak/raport.pdf")), Builder("Symulacja")},
        // The window cannot give its report (a conversion error, say).
        {existing, [] () -> Report { throw std::runtime_error("'x' is not a valid floating point value."); }},
    };
    for (const Case& c : cases) {
        fake.Clear();
        Form form(QStringLiteral("TForm10"), QStringLiteral("Kalkulator powietrza"));
        const ReportActions actions = AddReportActions(&form, nullptr, nullptr, QStringLiteral("powietrze.pdf"), c.build);
        fake.saveAnswers = {c.path};
        actions.savePdf->trigger();  // the guard catches what the handler raises
        ASSERT_EQ(fake.messages.size(), 1u) << c.path.toStdString();
        EXPECT_TRUE(fake.messages[0].error);
        EXPECT_EQ(fake.messages[0].title, "VIMTAL");
    }
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "stary raport");
}

TEST_F(ReportActionsTest, PrintingGoesThroughThePrintDialog) {
    Form form(QStringLiteral("TForm9"), QStringLiteral("Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym"));
    const ReportActions actions = AddReportActions(&form, nullptr, nullptr, QStringLiteral("wychladzanie_kanalu.pdf"),
                                                   Builder("Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym"));
    fake.printAnswers = {false, true};
    actions.print->trigger();  // cancelled
    EXPECT_TRUE(fake.printed.empty());
    actions.print->trigger();
    ASSERT_EQ(fake.printRequests.size(), 2u);
    EXPECT_EQ(fake.printRequests[1], "Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym");
    ASSERT_EQ(fake.printed.size(), 1u);
    const QStringList pages = testing::PdfPageTexts(fake.printed[0]);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Średnica przewodu")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Strona 1 z 1")));
    EXPECT_TRUE(fake.messages.empty());
    // No script left: the user cancels.
    actions.print->trigger();
    EXPECT_EQ(fake.printRequests.size(), 3u);
    EXPECT_EQ(fake.printed.size(), 1u);
}

}  // namespace
}  // namespace vimtal

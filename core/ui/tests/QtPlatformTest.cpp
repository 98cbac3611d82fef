// The real platform's save dialog, driven as a user drives it: with two
// filters the file's extension follows the filter chosen.
#include "core/ui/QtPlatform.h"
#include "core/testing/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace vimtal {
namespace {

// Runs the dialog; once it shows, `user` acts on it and it is accepted.
std::optional<QString> SaveWith(const FileDialogOptions& options, const std::function<void(QFileDialog&)>& user) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no file dialog";
            return;
        }
        user(*dialog);
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    QtPlatform platform;
    return platform.SaveFileDialog(options);
}

// The filter list as a user picks from it: the arrow key.
void ChooseSecondFilter(QFileDialog& dialog) {
    auto* filters = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(filters, nullptr);
    QTest::keyClick(filters, Qt::Key_Down);
    EXPECT_EQ(dialog.selectedNameFilter(), "Rysunek SVG (*.svg)");
}

TEST(QtPlatform, TheExtensionFollowsTheFilterChosen) {
    vimtal::testing::TempFolder folder;
    FileDialogOptions options;
    options.initialDirectory = folder.QtPath();
    options.filter = QStringLiteral("Obraz PNG (*.png);;Rysunek SVG (*.svg)");
    options.defaultSuffix = QStringLiteral("png");
    options.fileName = QStringLiteral("wykres_tw_t.png");
    auto typed = [](QFileDialog& dialog, const char* name) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromLatin1(name));
    };
    struct Case {
        const char* what;
        std::function<void(QFileDialog&)> user;
        const char* file;
    } cases[] = {
        {"preset, first filter", [](QFileDialog&) {}, "wykres_tw_t.png"},
        {"preset, second filter", ChooseSecondFilter, "wykres_tw_t.svg"},
        {"typed, first filter", [&](QFileDialog& d) { typed(d, "moj"); }, "moj.png"},
        {"typed, second filter",
         [&](QFileDialog& d) {
             ChooseSecondFilter(d);
             typed(d, "moj");
         },
         "moj.svg"},
        {"typed with its own extension", [&](QFileDialog& d) { typed(d, "moj.svg"); }, "moj.svg"},
    };
    for (const Case& c : cases) {
        const std::optional<QString> chosen = SaveWith(options, c.user);
        ASSERT_TRUE(chosen.has_value()) << c.what;
        EXPECT_EQ(chosen->toStdString(), folder.QtFile(QString::fromLatin1(c.file)).toStdString()) << c.what;
    }
}

}  // namespace
}  // namespace vimtal

namespace vimtal {
namespace {

// The question about unsaved work: each button gives its answer, and Escape
// (like the close box) keeps the work open.
TEST(QtPlatform, TheSaveQuestionsButtonsGiveTheirAnswers) {
    struct Case {
        const char* button;  // null: Escape
        SaveAnswer answer;
    } cases[] = {{"Zapisz", SaveAnswer::Save},
                 {"Nie zapisuj", SaveAnswer::Discard},
                 {"Anuluj", SaveAnswer::Cancel},
                 {nullptr, SaveAnswer::Cancel}};
    for (const Case& c : cases) {
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                ADD_FAILURE() << "no question";
                return;
            }
            shown = box->text();
            if (!c.button) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QString::fromUtf8(c.button)) button->click();
            }
        });
        QtPlatform platform;
        EXPECT_EQ(platform.AskToSave(QStringLiteral("Zapisać zmiany?"), QStringLiteral("Vimtal")), c.answer)
            << (c.button ? c.button : "Escape");
        EXPECT_EQ(shown, QStringLiteral("Zapisać zmiany?"));
    }
}

}  // namespace
}  // namespace vimtal

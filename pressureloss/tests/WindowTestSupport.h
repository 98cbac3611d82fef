// Shared steps of the calculator's window tests: a start folder with the 18
// fitting pictures (small bitmaps written by the test, so the tests do not
// wait for the real drawings), opening the calculator from the launcher and
// adding fittings through the catalogue and the editor.
#pragma once

#include "TestSupport.h"

#include "app/testing/AppHarness.h"
#include "pressureloss/FittingKinds.h"
#include "core/testing/TempFolder.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace vimtal::pressureloss::testing {

using enum FittingKind;

inline const QString kCircuit = QStringLiteral("TForm15");
inline const QString kCatalogue = QStringLiteral("TForm16");
inline const QString kEditor = QStringLiteral("TForm17");

// The catalogue's button of each kind: SpeedButtonN with these N, kinds 1 to 18.
inline QString KindButton(FittingKind kind) {
    constexpr int kNumbers[] = {1, 3, 4, 5, 6, 7, 8, 2, 17, 9, 10, 11, 12, 13, 14, 15, 16, 18};
    return QStringLiteral("SpeedButton%1").arg(kNumbers[Number(kind) - 1]);
}

// The columns of the circuit window, left to right.
inline const char* const kColumns[11] = {"ListBox1", "ListBox2", "ListBox3", "ListBox4", "ListBox5", "ListBox6",
                                         "ListBox7", "ListBox8", "ListBox9", "ListBox11", "ListBox10"};

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(folder.QtPath()).mkpath(QStringLiteral("calc"));
        for (FittingKind kind : AllKinds()) WritePicture(kind);
        // The launcher takes the current folder as the start folder when it
        // is activated.
        app.Fake().currentDirectory = folder.QtPath();
        app.Window(QStringLiteral("TForm18"))->Activate();
    }

    void WritePicture(FittingKind kind) {
        QImage picture(12, 12, QImage::Format_RGB32);
        picture.fill(QColor(40 + Number(kind) * 10, 90, 160));
        ASSERT_TRUE(picture.save(folder.QtPath() + QString::fromUtf8(InfoOf(kind).picture), "BMP"));
    }

    void OpenCalculator() {
        app.Click(QStringLiteral("TForm18"), QStringLiteral("SpeedButton5"));
        ASSERT_EQ(app.Shown().last(), kCircuit);
    }

    // Chooses a kind in the catalogue (opened from the circuit window).
    void Choose(FittingKind kind) {
        app.Click(kCircuit, QStringLiteral("SpeedButton1"));
        app.Click(kCatalogue, KindButton(kind));
    }

    // Adds a fitting: the kind's starting texts, then `texts` typed into the
    // named controls, then "Dodaj kształtkę".
    void Add(FittingKind kind, const std::map<QString, QString>& texts = {{"Edit2", "100"}}) {
        Choose(kind);
        for (const auto& [name, text] : texts) app.SetText(kEditor, name, text);
        app.Click(kEditor, QStringLiteral("BitBtn1"));
    }

    QListWidget* Column(int i) { return app.Control<QListWidget>(kCircuit, QString::fromLatin1(kColumns[i])); }

    // The eleven texts of a visible row.
    QStringList Row(int row) {
        QStringList texts;
        for (int i = 0; i < 11; ++i) {
            QListWidget* list = Column(i);
            texts << (row < list->count() ? list->item(row)->text() : QStringLiteral("<none>"));
        }
        return texts;
    }

    QScrollBar* ScrollBar() { return app.Control<QScrollBar>(kCircuit, QStringLiteral("ScrollBar1")); }

    vimtal::testing::TempFolder folder;
    AppHarness app;
};

}  // namespace vimtal::pressureloss::testing

#include "pressureloss/CatalogueForm.h"

#include "pressureloss/EditorForm.h"
#include "pressureloss/FittingKinds.h"

#include "core/AmbientAir.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/Widgets.h"

#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QToolButton>

#include <stdexcept>

namespace vimtal {

using pressureloss::FittingKind;

namespace {
// The catalogue's buttons by kind, in the kinds' order: the round reducer is
// SpeedButton2 and the round grille SpeedButton17.
constexpr const char* kKindButtons[pressureloss::kKindCount] = {
    "SpeedButton1", "SpeedButton3",  "SpeedButton4",  "SpeedButton5",  "SpeedButton6",  "SpeedButton7",
    "SpeedButton8", "SpeedButton2",  "SpeedButton17", "SpeedButton9",  "SpeedButton10", "SpeedButton11",
    "SpeedButton12", "SpeedButton13", "SpeedButton14", "SpeedButton15", "SpeedButton16", "SpeedButton18",
};

constexpr int kButtonWidth = 81;
constexpr int kWideButtonWidth = 89;  // the rectangular elbow's button
constexpr int kButtonHeight = 65;
}  // namespace

TForm16::TForm16(AmbientAir& air, pressureloss::Session& session, WindowLink<TForm17>& editor)
    : Form(QStringLiteral("TForm16"), QStringLiteral("Kształtki")), air_(air), session_(session), editor_(editor) {
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    SetClientSize(753, 242);
    QWidget* c = Client();

    auto* group = new QGroupBox(QStringLiteral("KSZTAŁTKI"), c);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(4, 4, 745, 170);

    // Round kinds on top, rectangular below, column by column in the same
    // order: straight duct, elbow, offset, tee, roof intake/outlet,
    // silencer, roof base, reducer, grille.
    for (const FittingKind kind : pressureloss::AllKinds()) {
        const pressureloss::KindInfo& k = pressureloss::InfoOf(kind);
        const int number = pressureloss::Number(kind);
        const int column = (number - 1) % 9;  // the same column in both rows
        const bool rectangular = pressureloss::IsRectangular(kind);
        int x = 4;
        for (int i = 0; i < column; ++i) x += i == 1 ? kWideButtonWidth : kButtonWidth;
        const int width = rectangular && column == 1 ? kWideButtonWidth : kButtonWidth;

        auto* button = new QToolButton(group);
        button->setObjectName(QString::fromLatin1(kKindButtons[number - 1]));
        button->setGeometry(x, rectangular ? 96 : 22, width, kButtonHeight);
        button->setIcon(QIcon(QStringLiteral(":/pressureloss/glyphs/kind%1.svg").arg(number, 2, 10, QLatin1Char('0'))));
        button->setIconSize(QSize(64, 48));
        button->setToolTip(QString::fromUtf8(k.name));
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoRaise(false);
        On(button, &QToolButton::clicked, [this, kind] { PrepareKind(kind); });
        buttons_[static_cast<std::size_t>(number - 1)] = button;
    }

    BitBtn1 = NewBitBtn(this, c, QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("ZAMKNIJ"));
    BitBtn1->setGeometry(500, 190, 115, 36);
    BitBtn2 = NewBitBtn(this, c, QStringLiteral("BitBtn2"), BitBtnKind::Cancel, QStringLiteral("ANULUJ"));
    BitBtn2->setGeometry(628, 190, 115, 36);
}

void TForm16::PrepareKind(FittingKind kind) {
    TForm17* editor = &*editor_;
    pressureloss::Circuit& circuit = session_.circuit;
    const pressureloss::KindInfo& k = pressureloss::InfoOf(kind);
    try {
        circuit.currentKind = kind;
        {
            // The starting texts go into inputs that are half prepared (a
            // rectangular kind after a round one): their change handlers
            // wait for the velocity preview below.
            editor->SetPreparing(true);
            struct Done {
                TForm17* editor;
                ~Done() { editor->SetPreparing(false); }
            } done{editor};
            editor->Reset();
            editor->ShowInputs(k.inputs);
            editor->WriteStartingTexts(kind);
            editor->SetIdentity(QString::fromUtf8(k.name), QString::fromUtf8(k.typeCode));
            editor->LoadPicture(platform().StartDirectory() + QString::fromUtf8(k.picture));
        }
        editor->PreviewVelocities();
        if (circuit.editFlag) editor->FillFromRecord();
    } catch (...) {
        // A later "Dodaj kształtkę" must add a fitting, never replace one.
        circuit.editFlag = false;
        throw;
    }
    editor_.ShowModal();
}

void TForm16::FormActivate() { air_.UseDisplayedFigures(); }

}  // namespace vimtal

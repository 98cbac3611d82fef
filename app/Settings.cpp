#include "Settings.h"

#include "core/AmbientAir.h"
#include "core/ui/Guard.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vimtal {

TForm2::TForm2(AmbientAir& air) : Form(QStringLiteral("TForm2"), QStringLiteral("Ustawienia")), air_(air) {
    SetClientSize(260, 247);
    QGridLayout* grid = NewGrid(Client(), {10, 12, 10, 10}, -1, 10);

    struct Row {
        QLineEdit** edit;
        const char* name;
        const char* label;
        const char* text;
        const char* unit;
    } rows[] = {
        {&Edit2, "Edit2", "Temperatura powietrza", "20", "°C"},
        {&Edit3, "Edit3", "Wilgotność powietrza", "50", "%"},
        {&Edit5, "Edit5", "Ciśnienie atmosferyczne", "101300", "Pa"},
        {&Edit1, "Edit1", "Gęstość powietrza", "", "kg/m3"},
        {&Edit4, "Edit4", "Lepkość powietrza", "", "m2/s"},  // a kinematic viscosity
    };
    int line = 0;
    for (const Row& r : rows) {
        *r.edit = NewEdit(Client(), QString::fromLatin1(r.name), QString::fromUtf8(r.text));
        (*r.edit)->setFixedWidth(70);
        grid->addWidget(NewLabel(Client(), {}, QString::fromUtf8(r.label)), line, 0);
        grid->addWidget(*r.edit, line, 1);
        grid->addWidget(NewLabel(Client(), {}, QString::fromUtf8(r.unit)), line, 2);
        ++line;
    }
    // The two results are displays, not inputs.
    Edit1->setEnabled(false);
    Edit4->setEnabled(false);

    BitBtn1 = NewBitBtn(this, Client(), QStringLiteral("BitBtn1"), BitBtnKind::Ok);
    grid->setRowStretch(line, 1);
    grid->addWidget(BitBtn1, line + 1, 0, 1, 3, Qt::AlignHCenter);

    // Every keystroke in an input recomputes at once.
    for (QLineEdit* input : {Edit2, Edit3, Edit5}) On(input, &QLineEdit::textChanged, [this] { UpdateAirProperties(); });
}

void TForm2::UpdateAirProperties() {
    const auto displays = air_.Recompute(ToStd(Edit2->text()), ToStd(Edit3->text()), ToStd(Edit5->text()));
    if (!displays) return;
    Edit1->setText(FromStd(displays->density));
    Edit4->setText(FromStd(displays->viscosity));
}

}  // namespace vimtal

#include "dhwsim/DhwSettingsForm.h"

#include "core/ui/FieldGrid.h"
#include "core/ui/Widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vimtal {

TForm7::TForm7() : Form(QStringLiteral("TForm7"), QStringLiteral("Ustawienia symulacji")) {
    SetClientSize(371, 192);
    QWidget* c = Client();
    auto* grid = new QGridLayout(c);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->setVerticalSpacing(12);

    QLabel* title = NewLabel(c, QStringLiteral("Label1"), QStringLiteral("USTAWIENIA SYMULACJI"));
    SetTextColor(title, colors::Red);
    SetFont(title, 10, true);
    grid->addWidget(title, 0, 0, 1, 2, Qt::AlignHCenter);

    using Row = decltype(fields_)::Row;
    using S = dhwsim::SimulationSettings;
    const Row limit[] = {
        {"Edit1", &Edit1, {"Maksymalna liczba iteracji do zatrzymania"}, {nullptr, "N"}, FieldRole::Input, &S::limit},
    };
    LayFields(grid, 1, limit, {.boxWidth = 80}, fields_)[0].caption->setObjectName(QStringLiteral("Label2"));

    CheckBox1 = new QCheckBox(QStringLiteral("Uwzględniaj w obliczeniach straty ciepła"), c);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);

    BitBtn1 = NewBitBtn(this, c, QStringLiteral("BitBtn1"), BitBtnKind::Ok);
    grid->setRowStretch(3, 1);
    grid->addWidget(BitBtn1, 4, 0, 1, 2, Qt::AlignHCenter);

    // One check box: unticked is the other state.
    fields_.Add(Row::Choice(CheckBox1, nullptr, {"Straty ciepła do otoczenia", "uwzględniane", "pomijane"}, &S::losses));
}

}  // namespace vimtal

#include "aircalc/AirCalcForm.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>

#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "core/ui/Widgets.h"

namespace vimtal {

TForm10::TForm10(const FormLink& help, WindowLink<IxChartForm>& chart)
    : Form(QStringLiteral("TForm10"), QStringLiteral("Kalkulator powietrza")), help_(help), chart_(chart) {
    Pomoc1 = new QAction(QStringLiteral("Pomoc"), this);
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    MenuBar()->addAction(Pomoc1);
    Wykresix1 = new QAction(QStringLiteral("Wykres i-x"), this);
    Wykresix1->setObjectName(QStringLiteral("Wykresix1"));
    MenuBar()->addAction(Wykresix1);

    SetClientSize(253, 434);
    QWidget* c = Client();
    QGridLayout* grid = NewGrid(c, {12, 10, 12, 10}, 8, 8);

    struct Row {
        QLineEdit** edit;
        const char* name;
        const char* symbol;
        const char* unit;
        bool result;
    } rows[] = {
        {&Edit1, "Edit1", "i", "kJ/kg", false}, {&Edit2, "Edit2", "X", "kg/kg", false},
        {&Edit3, "Edit3", "t", "°C", false},    {&Edit4, "Edit4", "φ", "%", false},
        {&Edit5, "Edit5", "pb", "Pa", false},   {&Edit6, "Edit6", "ps", "Pa", true},
        {&Edit9, "Edit9", "pp", "Pa", true},    {&edit10, "edit10", "pg", "Pa", true},
        {&Edit7, "Edit7", "tr", "°C", true},    {&edit11, "edit11", "tm", "°C", true},
        {&Edit8, "Edit8", "ρ", "kg/m³", true},
    };
    int line = 0;
    for (const Row& r : rows) {
        QLabel* symbol = NewLabel(c, {}, QString::fromUtf8(r.symbol));
        SetFont(symbol, 10, true);
        *r.edit = NewEdit(c, QString::fromLatin1(r.name));
        (*r.edit)->setFixedWidth(100);
        (*r.edit)->setAlignment(Qt::AlignRight);
        if (r.result) {
            // Results only: shown on the pale background of a note.
            SetBaseColor(*r.edit, colors::InfoBackground);
            (*r.edit)->setReadOnly(true);
        }
        grid->addWidget(symbol, line, 0);
        grid->addWidget(*r.edit, line, 1);
        // Values stay black on a locked field: they are still read.
        QPalette palette = (*r.edit)->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        (*r.edit)->setPalette(palette);
        grid->addWidget(NewLabel(c, {}, QString::fromUtf8(r.unit)), line, 2);
        ++line;
    }
    Edit5->setText(QStringLiteral("101300"));
    grid->setColumnStretch(2, 1);

    Button1 = NewButton(c, QStringLiteral("Button1"), QStringLiteral("Oblicz"));
    Button2 = NewButton(c, QStringLiteral("Button2"), QStringLiteral("Wyczyść"));
    BitBtn1 = NewBitBtn(this, c, QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QPushButton* b : {Button1, Button2, BitBtn1}) {
        b->setMinimumHeight(26);
        b->setMinimumWidth(0);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        buttons->addWidget(b, 1);
    }
    grid->setRowStretch(line, 1);
    grid->addLayout(buttons, line + 1, 0, 1, 3);

    // In the free space above the buttons.
    LabelUwagi = new NotesLabel(c, 12, 378, 229);

    using Bind = FieldBindings<aircalc::AirTexts>::Row;
    using T = aircalc::AirTexts;
    const FieldRole in = FieldRole::Input, out = FieldRole::Result;
    fields_ = {
        Bind::Edit(Edit1, in, {"Entalpia właściwa", "i", "", "kJ/kg"}, &T::i),
        Bind::Edit(Edit2, in, {"Zawartość wilgoci", "x", "", "kg/kg"}, &T::x),
        Bind::Edit(Edit3, in, {"Temperatura", "t", "", "°C"}, &T::t),
        Bind::Edit(Edit4, in, {"Wilgotność względna", "φ", "", "%"}, &T::phi),
        Bind::Edit(Edit5, in, {"Ciśnienie barometryczne", "p", "b", "Pa"}, &T::pb),
        Bind::Edit(Edit6, out, {"Ciśnienie nasycenia pary wodnej", "p", "s", "Pa"}),
        Bind::Edit(Edit9, out, {"Ciśnienie cząstkowe pary wodnej", "p", "p", "Pa"}),
        Bind::Edit(edit10, out, {"Ciśnienie cząstkowe powietrza suchego", "p", "g", "Pa"}),
        Bind::Edit(Edit7, out, {"Temperatura punktu rosy", "t", "r", "°C"}),
        Bind::Edit(edit11, out, {"Temperatura termometru mokrego", "t", "m", "°C"}),
        Bind::Edit(Edit8, out, {"Gęstość powietrza wilgotnego", "ρ", "", "kg/m3"}),
    };
    AddReportActions(this, nullptr, nullptr, QStringLiteral("kalkulator_powietrza.pdf"),
                     [this] { return BuildReport(); });

    OnEach(this, &QPushButton::clicked, {{Button1, &TForm10::Button1Click}, {Button2, &TForm10::Button2Click}});
    On(Pomoc1, &QAction::triggered, [this] { Pomoc1Click(); });
    On(Wykresix1, &QAction::triggered, [this] { Wykresix1Click(); });
    // Every change of a property field, typed or written by a calculation.
    OnEach(this, &QLineEdit::textChanged,
           {{Edit1, &TForm10::Edit1Change}, {Edit2, &TForm10::Edit2Change}, {Edit3, &TForm10::Edit3Change},
            {Edit4, &TForm10::Edit4Change}});
}

void TForm10::LockAfterChange(int changed) {
    const auto fields = PropertyFields();
    std::array<bool, 4> filled{};
    for (int k = 0; k < 4; ++k) filled[k] = !fields[k]->text().isEmpty();
    const std::array<bool, 4> lock = aircalc::FieldsToLock(changed, filled);
    for (int k = 0; k < 4; ++k) {
        if (!lock[k]) continue;
        // Two properties fix the state: the other two can only be results.
        fields[k]->setEnabled(false);
        SetBaseColor(fields[k], palette().color(QPalette::Button));
    }
}

void TForm10::Button2Click() {
    for (QLineEdit* field : PropertyFields()) {
        field->setEnabled(true);
        SetBaseColor(field, QApplication::palette().color(QPalette::Base));
    }
    for (QLineEdit* field : PropertyFields()) field->clear();
    for (QLineEdit* field : {Edit6, Edit9, edit10, Edit7, edit11, Edit8}) field->clear();
    LabelUwagi->ShowNotes({});
    lastCase_ = 0;
    lastState_.reset();
}

void TForm10::Pomoc1Click() { help_.ShowModal(); }

void TForm10::Wykresix1Click() { chart_.ShowModal(); }

QString TForm10::PressureText() const { return Edit5->text(); }

void TForm10::InsertState(const QString& t, const QString& phi) {
    Button2Click();
    Edit3->setText(t);
    Edit4->setText(phi);
    Button1Click();
}

void TForm10::Button1Click() {
    const aircalc::AirTexts texts = fields_.Read();
    std::optional<aircalc::AirResults> results;
    lastState_.reset();
    // A calculation that fails leaves no notes of an earlier state behind.
    LabelUwagi->ShowNotes({});
    {
        WaitCursor busy;  // the searches step a thousandth of a degree at a time
        results = aircalc::Calculate(state_, texts);
    }
    if (!results) return;
    // Writing a property fires its change handler, which locks the fields.
    const std::pair<QLineEdit*, const std::optional<std::string>*> properties[] = {
        {Edit1, &results->i}, {Edit2, &results->x}, {Edit3, &results->t}, {Edit4, &results->phi}};
    for (const auto& [field, text] : properties) {
        if (*text) field->setText(FromStd(**text));
    }
    Edit6->setText(FromStd(results->ps));
    Edit9->setText(FromStd(results->pp));
    edit10->setText(FromStd(results->pg));
    Edit7->setText(FromStd(results->tr));
    edit11->setText(FromStd(results->tm));
    Edit8->setText(FromStd(results->rho));
    LabelUwagi->ShowNotes(results->notes);
    lastCase_ = results->caseNumber;
    lastState_ = state_;
}

Report TForm10::BuildReport() const {
    Report report{ReportDocument(ToStd(windowTitle())), {}};
    // The properties i, x, t, phi each case is given.
    static constexpr std::array<std::array<bool, 4>, 7> kGiven{{
        {true, true, true, true},  // no calculation yet: whatever is typed
        {true, true, false, false},
        {true, false, true, false},
        {false, true, true, false},
        {false, true, false, true},
        {false, false, true, true},
        {true, false, false, true},
    }};
    const auto& given = kGiven[static_cast<std::size_t>(lastCase_)];
    const auto properties = PropertyFields();
    FieldRows inputs, results;
    for (const auto& row : fields_.Rows()) {
        if (row.edit->text().isEmpty()) continue;
        const EditCaption& c = row.edit_caption;
        const auto property = std::find(properties.begin(), properties.end(), row.edit);
        const bool result = row.role == FieldRole::Result ||
                            (property != properties.end() && !given[static_cast<std::size_t>(property - properties.begin())]);
        (result ? results : inputs)
            .push_back({row.role, c.label, c.symbol, c.subscript, ToStd(row.edit->text()), c.unit});
    }
    report.document.Inputs().Add(inputs);
    report.document.Results().Add(results);
    report.document.AddNotes(LabelUwagi->CurrentNotes());
    return report;
}

}  // namespace vimtal

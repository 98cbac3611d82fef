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

#include "core/ui/FieldGrid.h"
#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "core/ui/Widgets.h"

namespace vimtal {

namespace {

using Row = FieldBindings<aircalc::AirTexts>::Row;
using T = aircalc::AirTexts;
constexpr FieldRole kIn = FieldRole::Input;
constexpr FieldRole kOut = FieldRole::Result;

// Symbol, box and unit; the symbols bold, the texts against the right edge.
const FieldLook kLook{.caption = FieldLook::Caption::None, .symbol = FieldLook::Symbol::Bold, .boxWidth = 100,
                      .rightAligned = true};

}  // namespace

TForm10::TForm10(const FormLink& help, WindowLink<IxChartForm>& chart)
    : Form(QStringLiteral("TForm10"), QStringLiteral("Kalkulator powietrza")), help_(help), chart_(chart) {
    BuildMenu();
    SetClientSize(253, 434);
    QWidget* c = Client();
    QGridLayout* grid = NewGrid(c, {12, 10, 12, 10}, 8, 8);
    const int line = BuildFields(grid);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(line, 1);
    grid->addLayout(BuildButtons(c), line + 1, 0, 1, 3);
    // In the free space above the buttons.
    LabelUwagi = new NotesLabel(c, 12, 378, 229);
    AddReportActions(this, nullptr, nullptr, QStringLiteral("kalkulator_powietrza.pdf"),
                     [this] { return BuildReport(); });
    Connect();
}

void TForm10::BuildMenu() {
    Pomoc1 = new QAction(QStringLiteral("Pomoc"), this);
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    MenuBar()->addAction(Pomoc1);
    Wykresix1 = new QAction(QStringLiteral("Wykres i-x"), this);
    Wykresix1->setObjectName(QStringLiteral("Wykresix1"));
    MenuBar()->addAction(Wykresix1);
}

int TForm10::BuildFields(QGridLayout* grid) {
    const Row rows[] = {
        {"Edit1", &Edit1, {nullptr, "i", nullptr, "kJ/kg"}, {"Entalpia właściwa"}, kIn, &T::i},
        {"Edit2", &Edit2, {nullptr, "X", nullptr, "kg/kg"}, {"Zawartość wilgoci", "x"}, kIn, &T::x},
        {"Edit3", &Edit3, {nullptr, "t", nullptr, "°C"}, {"Temperatura"}, kIn, &T::t},
        {"Edit4", &Edit4, {nullptr, "φ", nullptr, "%"}, {"Wilgotność względna"}, kIn, &T::phi},
        {"Edit5", &Edit5, {nullptr, "p", "b", "Pa"}, {"Ciśnienie barometryczne"}, kIn, &T::pb},
        {"Edit6", &Edit6, {nullptr, "p", "s", "Pa"}, {"Ciśnienie nasycenia pary wodnej"}, kOut},
        {"Edit9", &Edit9, {nullptr, "p", "p", "Pa"}, {"Ciśnienie cząstkowe pary wodnej"}, kOut},
        {"edit10", &edit10, {nullptr, "p", "g", "Pa"}, {"Ciśnienie cząstkowe powietrza suchego"}, kOut},
        {"Edit7", &Edit7, {nullptr, "t", "r", "°C"}, {"Temperatura punktu rosy"}, kOut},
        {"edit11", &edit11, {nullptr, "t", "m", "°C"}, {"Temperatura termometru mokrego"}, kOut},
        {"Edit8", &Edit8, {nullptr, "ρ", nullptr, "kg/m³"}, {"Gęstość powietrza wilgotnego", nullptr, nullptr, "kg/m3"},
         kOut},
    };
    LayFields(grid, 0, rows, kLook, fields_);
    for (const Row& row : fields_.Rows()) {
        // Results only: shown on the pale background of a note.
        if (row.role == kOut) {
            SetBaseColor(row.edit, colors::InfoBackground);
            row.edit->setReadOnly(true);
        }
        // Values stay black on a locked field: they are still read.
        QPalette palette = row.edit->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        row.edit->setPalette(palette);
    }
    Edit5->setText(QStringLiteral("101300"));
    return static_cast<int>(std::size(rows));
}

QHBoxLayout* TForm10::BuildButtons(QWidget* parent) {
    Button1 = NewButton(parent, QStringLiteral("Button1"), QStringLiteral("Oblicz"));
    Button2 = NewButton(parent, QStringLiteral("Button2"), QStringLiteral("Wyczyść"));
    BitBtn1 = NewBitBtn(this, parent, QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QPushButton* b : {Button1, Button2, BitBtn1}) {
        b->setMinimumHeight(26);
        b->setMinimumWidth(0);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        buttons->addWidget(b, 1);
    }
    return buttons;
}

void TForm10::Connect() {
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
        const auto property = std::find(properties.begin(), properties.end(), row.edit);
        const bool result = row.role == FieldRole::Result ||
                            (property != properties.end() && !given[static_cast<std::size_t>(property - properties.begin())]);
        (result ? results : inputs).push_back(row.Shown());
    }
    report.document.Inputs().Add(inputs);
    report.document.Results().Add(results);
    report.document.AddNotes(LabelUwagi->CurrentNotes());
    return report;
}

}  // namespace vimtal

#include "aircalc/IxChartDialogs.h"

#include "aircalc/IxChartForm.h"
#include "aircalc/IxChart.h"
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/ui/Guard.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace vimtal {

using aircalc::ProcessType;

namespace {

// A field's text as a value: empty is a value not given.
std::optional<double> ValueOf(const QLineEdit* edit) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) return std::nullopt;
    return StrToFloat(ToStd(text));
}

QString TextOf(const std::optional<double>& value) { return value ? FromStd(FloatToStr(*value)) : QString(); }

// The dialog's client area, fixed at `width` x `height`, with the grid its
// rows stand on.
QGridLayout* NewDialogGrid(Form* form, int width, int height) {
    form->SetClientSize(width, height);
    return NewGrid(form->Client(), {12, 10, 12, 10}, 8, 6);
}

// A name's row: the caption and a box of 100 px.
QLineEdit* AddNameRow(QWidget* parent, QGridLayout* grid, int line, const QString& caption, const QString& name) {
    grid->addWidget(NewLabel(parent, {}, caption), line, 0);
    QLineEdit* edit = NewEdit(parent, name);
    edit->setFixedWidth(100);
    grid->addWidget(edit, line, 1);
    return edit;
}

// A row of a dialog: the symbol, the field, the unit.
struct Row {
    QLineEdit** edit;
    const char* name;
    const char* symbol;
    const char* unit;
};

// The rows on `grid` from row `line` on; the widgets of each row.
std::vector<std::vector<QWidget*>> AddRows(QWidget* parent, QGridLayout* grid, int line, std::initializer_list<Row> rows,
                                           int fieldWidth = 100) {
    std::vector<std::vector<QWidget*>> widgets;
    for (const Row& r : rows) {
        QLabel* symbol = NewLabel(parent, {}, QString::fromUtf8(r.symbol));
        *r.edit = NewEdit(parent, QString::fromLatin1(r.name));
        (*r.edit)->setFixedWidth(fieldWidth);
        (*r.edit)->setAlignment(Qt::AlignRight);
        QLabel* unit = NewLabel(parent, {}, QString::fromUtf8(r.unit));
        grid->addWidget(symbol, line, 0);
        grid->addWidget(*r.edit, line, 1);
        grid->addWidget(unit, line, 2);
        widgets.push_back({symbol, *r.edit, unit});
        ++line;
    }
    return widgets;
}

// "OK" and "Anuluj" at the bottom right of the grid.
void AddButtons(Form* form, QWidget* parent, QGridLayout* grid, int line, QPushButton*& ok, QPushButton*& cancel) {
    ok = NewButton(parent, QStringLiteral("Button1"), QStringLiteral("OK"));
    ok->setDefault(true);
    cancel = NewBitBtn(form, parent, QStringLiteral("BitBtn1"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->setRowStretch(line, 1);
    grid->addLayout(buttons, line + 1, 0, 1, 3);
}

QLabel* AddNote(QWidget* parent, QGridLayout* grid, int line, const QString& name, const QString& text) {
    QLabel* note = NewLabel(parent, name, text);
    note->setWordWrap(true);
    SetTextColor(note, colors::Gray);
    grid->addWidget(note, line, 0, 1, 3);
    return note;
}

// The process types in the order the list offers them, each with what it
// needs and the rows of its parameters (indices into the parameter rows:
// t2, Q, tADP, BF, x2, phi2, ts, tw).
struct TypeChoice {
    ProcessType type;
    const char* caption;
    const char* hint;
    std::vector<int> rows;
};
const std::array<TypeChoice, 5> kTypes{{
    {ProcessType::Mixing, "mieszanie",
     "Mieszanie dwóch strumieni powietrza; oba punkty muszą mieć podany przepływ.", {}},
    {ProcessType::Heating, "ogrzewanie / chłodzenie suche",
     "Przy stałym x. Podaj temperaturę końcową t2 albo moc Q (ujemną przy chłodzeniu); moc Q wymaga przepływu.",
     {0, 1}},
    {ProcessType::Cooling, "chłodzenie z osuszaniem",
     "Chłodnica o temperaturze powierzchni tADP i współczynniku obejścia BF (0…1).", {2, 3}},
    {ProcessType::Steam, "nawilżanie parą",
     "Podaj x2 albo φ2. Temperatura pary ts: domyślnie 100 °C.", {4, 5, 6}},
    {ProcessType::Spray, "nawilżanie wodą",
     "Nawilżanie adiabatyczne. Podaj x2 albo φ2. Temperatura wody tw: domyślnie 15 °C.", {4, 5, 7}},
}};

}  // namespace

// ---------------------------------------------------------------- range

IxRangeForm::IxRangeForm(IxChartForm& chart)
    : Form(QStringLiteral("IxRangeForm"), QStringLiteral("Zakres wykresu i-x")), chart_(chart) {
    QGridLayout* grid = NewDialogGrid(this, 250, 140);
    QWidget* c = Client();
    AddRows(c, grid, 0,
            {{&Edit1, "Edit1", "t min", "°C"}, {&Edit2, "Edit2", "t max", "°C"}, {&Edit3, "Edit3", "x max", "g/kg"}},
            90);
    AddButtons(this, c, grid, 3, Button1, BitBtn1);
    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
}

void IxRangeForm::FormShow() {
    const aircalc::IxRange& range = chart_.Range();
    Edit1->setText(FromStd(FloatToStr(range.tMin)));
    Edit2->setText(FromStd(FloatToStr(range.tMax)));
    Edit3->setText(FromStd(FloatToStr(range.xMax)));
}

void IxRangeForm::Button1Click() {
    aircalc::IxRange range;
    range.tMin = StrToFloat(ToStd(Edit1->text()));
    range.tMax = StrToFloat(ToStd(Edit2->text()));
    range.xMax = StrToFloat(ToStd(Edit3->text()));
    chart_.SetRange(range);
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------- state

IxStateForm::IxStateForm(IxChartForm& chart)
    : Form(QStringLiteral("IxStateForm"), QStringLiteral("Punkt powietrza")), chart_(chart) {
    QGridLayout* grid = NewDialogGrid(this, 300, 330);
    QWidget* c = Client();
    EditNazwa = AddNameRow(c, grid, 0, QStringLiteral("Nazwa"), QStringLiteral("EditNazwa"));
    AddNote(c, grid, 1, {}, QStringLiteral("Stan powietrza: podaj dwie z wielkości t, φ, x, i."));
    AddRows(c, grid, 2,
            {{&EditT, "EditT", "t", "°C"}, {&EditFi, "EditFi", "φ", "%"}, {&EditX, "EditX", "x", "g/kg"},
             {&EditI, "EditI", "i", "kJ/kg"}});
    AddNote(c, grid, 6, {},
            QStringLiteral("Przepływ powietrza, ṁ albo V: potrzebny do mieszania i do obliczenia mocy Q "
                           "i strumienia wody W."));
    AddRows(c, grid, 7, {{&EditM, "EditM", "ṁ", "kg/s"}, {&EditV, "EditV", "V", "m³/h"}});
    values_ = {{EditT, &aircalc::StateInput::t},
               {EditFi, &aircalc::StateInput::phi},
               {EditX, &aircalc::StateInput::x},
               {EditI, &aircalc::StateInput::i}};
    AddButtons(this, c, grid, 9, Button1, BitBtn1);
    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
}

void IxStateForm::Prepare(std::optional<std::size_t> index, const aircalc::StateInput& state) {
    index_ = index;
    setWindowTitle(index ? QStringLiteral("Punkt powietrza „%1”").arg(FromStd(state.name))
                         : QStringLiteral("Nowy punkt powietrza"));
    EditNazwa->setText(FromStd(state.name));
    for (const auto& [edit, value] : values_) edit->setText(TextOf(state.*value));
    const auto flow = [&](aircalc::AirFlow::Kind kind) {
        return state.flow && state.flow->kind == kind ? std::optional<double>(state.flow->value) : std::nullopt;
    };
    EditM->setText(TextOf(flow(aircalc::AirFlow::Kind::Mass)));
    EditV->setText(TextOf(flow(aircalc::AirFlow::Kind::Volume)));
    EditNazwa->setFocus();
    EditNazwa->selectAll();
}

void IxStateForm::Button1Click() {
    aircalc::StateInput state;
    state.name = ToStd(EditNazwa->text().trimmed());
    for (const auto& [edit, value] : values_) state.*value = ValueOf(edit);
    const std::optional<double> m = ValueOf(EditM), v = ValueOf(EditV);
    if (m && v) {
        throw NoticeError("Podaj przepływ powietrza jednym sposobem: strumień masy ṁ [kg/s] albo objętości V [m³/h].",
                          kInfoTitle);
    }
    if (m) state.flow = aircalc::AirFlow{aircalc::AirFlow::Kind::Mass, *m};
    if (v) state.flow = aircalc::AirFlow{aircalc::AirFlow::Kind::Volume, *v};
    chart_.PutState(index_, std::move(state));
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------- process

IxProcessForm::IxProcessForm(IxChartForm& chart)
    : Form(QStringLiteral("IxProcessForm"), QStringLiteral("Przemiana powietrza")), chart_(chart) {
    QGridLayout* grid = NewDialogGrid(this, 340, 310);
    QWidget* c = Client();
    const auto combo = [&](const char* name, const char* caption, int line) {
        auto* box = new QComboBox(c);
        box->setObjectName(QString::fromLatin1(name));
        QLabel* label = NewLabel(c, {}, QString::fromUtf8(caption));
        grid->addWidget(label, line, 0);
        grid->addWidget(box, line, 1, 1, 2);
        return std::pair{label, box};
    };
    ComboTyp = combo("ComboTyp", "Przemiana", 0).second;
    for (const TypeChoice& type : kTypes) ComboTyp->addItem(QString::fromUtf8(type.caption));
    ComboZ = combo("ComboZ", "Z punktu", 1).second;
    const auto [second, box] = combo("ComboZ2", "i z punktu", 2);
    ComboZ2 = box;
    EditDo = AddNameRow(c, grid, 3, QStringLiteral("Do punktu"), QStringLiteral("EditDo"));
    rows_ = AddRows(c, grid, 4,
                    {{&EditT2, "EditT2", "t2", "°C"},
                     {&EditQ, "EditQ", "Q", "kW"},
                     {&EditTadp, "EditTadp", "tADP", "°C"},
                     {&EditBf, "EditBf", "BF", "–"},
                     {&EditX2, "EditX2", "x2", "g/kg"},
                     {&EditFi2, "EditFi2", "φ2", "%"},
                     {&EditTs, "EditTs", "ts", "°C"},
                     {&EditTw, "EditTw", "tw", "°C"}});
    EditTs->setPlaceholderText(FromStd(FloatToStr(aircalc::kDefaultSteamTemperature)));
    EditTw->setPlaceholderText(FromStd(FloatToStr(aircalc::kDefaultSprayTemperature)));
    // The parameters in the order of the rows.
    values_ = {{EditT2, &aircalc::ProcessInput::t2}, {EditQ, &aircalc::ProcessInput::q},
               {EditTadp, &aircalc::ProcessInput::adp}, {EditBf, &aircalc::ProcessInput::bf},
               {EditX2, &aircalc::ProcessInput::x2}, {EditFi2, &aircalc::ProcessInput::phi2},
               {EditTs, &aircalc::ProcessInput::ts}, {EditTw, &aircalc::ProcessInput::tw}};
    // The second start is a row of its own, shown for a mixing only.
    rows_.push_back({second, ComboZ2});
    LabelOpis = AddNote(c, grid, 12, QStringLiteral("LabelOpis"), {});
    AddButtons(this, c, grid, 13, Button1, BitBtn1);
    On(ComboTyp, &QComboBox::currentIndexChanged, [this] { ComboTypChange(); });
    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
    ComboTypChange();
}

ProcessType IxProcessForm::Type() const {
    return kTypes[static_cast<std::size_t>(std::max(ComboTyp->currentIndex(), 0))].type;
}

void IxProcessForm::Prepare(std::optional<std::size_t> index, const aircalc::ProcessInput& process,
                            const std::vector<std::string>& starts) {
    index_ = index;
    setWindowTitle(index ? QStringLiteral("Przemiana %1").arg(*index + 1) : QStringLiteral("Nowa przemiana powietrza"));
    for (std::size_t k = 0; k < kTypes.size(); ++k) {
        if (kTypes[k].type == process.type) ComboTyp->setCurrentIndex(static_cast<int>(k));
    }
    for (QComboBox* box : {ComboZ, ComboZ2}) {
        box->clear();
        for (const std::string& name : starts) box->addItem(FromStd(name));
    }
    // A new process starts where the chain ended; a mixing takes the first
    // other state as its second inlet.
    const auto choose = [](QComboBox* box, const std::string& name) {
        const int found = box->findText(FromStd(name));
        if (found >= 0) box->setCurrentIndex(found);
    };
    ComboZ->setCurrentIndex(ComboZ->count() - 1);
    ComboZ2->setCurrentIndex(0);
    if (!process.from.empty()) choose(ComboZ, process.from[0]);
    if (process.from.size() > 1) choose(ComboZ2, process.from[1]);
    EditDo->setText(FromStd(process.to));
    for (const auto& [edit, value] : values_) edit->setText(TextOf(process.*value));
    ComboTypChange();
}

void IxProcessForm::ComboTypChange() {
    const TypeChoice& type = kTypes[static_cast<std::size_t>(std::max(ComboTyp->currentIndex(), 0))];
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const bool shown = row == rows_.size() - 1 ? type.type == ProcessType::Mixing
                                                   : std::find(type.rows.begin(), type.rows.end(),
                                                               static_cast<int>(row)) != type.rows.end();
        for (QWidget* w : rows_[row]) w->setVisible(shown);
    }
    LabelOpis->setText(QString::fromUtf8(type.hint));
}

void IxProcessForm::Button1Click() {
    aircalc::ProcessInput process;
    process.type = Type();
    process.from = {ToStd(ComboZ->currentText())};
    if (process.type == ProcessType::Mixing) process.from.push_back(ToStd(ComboZ2->currentText()));
    process.to = ToStd(EditDo->text().trimmed());
    // Only the shown rows: another type's parameters stay out.
    for (const auto& [edit, value] : values_) {
        if (edit->isVisibleTo(this)) process.*value = ValueOf(edit);
    }
    chart_.PutProcess(index_, std::move(process));
    SetModalResult(mrOk);
}

}  // namespace vimtal

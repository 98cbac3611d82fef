#include "pressureloss/EditorForm.h"

#include "pressureloss/CircuitForm.h"
#include "pressureloss/EditorLists.h"
#include "pressureloss/CircuitEditing.h"
#include "pressureloss/FittingKinds.h"
#include "pressureloss/RecordMapping.h"

#include "core/Errors.h"
#include "core/AmbientAir.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <stdexcept>
#include <variant>

namespace vimtal {

using namespace pressureloss;

namespace {
// The inputs stand in one column right of the picture, caption left and
// control right, in rows 32 pixels apart; inputs that share a row belong to
// different kinds and are never shown together.
constexpr int kRowPitch = 32;
constexpr int kRowHeight = 24;
constexpr int kCaptionColumn = 152;  // captions, 150 wide
constexpr int kControlColumn = 148;  // controls, 110 wide (the construction and tee lists 136)
constexpr int kSketchColumn = 49;    // the tee sketches
constexpr int kControlWidth = 110;
constexpr int kListWidth = 136;
constexpr int kRows = 15;

template <typename Widget>
Widget* Fixed(Widget* widget, int width, int height = kRowHeight) {
    widget->setFixedSize(width, height);
    return widget;
}

QComboBox* NewList(QWidget* parent, const QString& name, const std::vector<std::string>& items, const QString& text,
                   int width = kControlWidth) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    for (const std::string& item : items) combo->addItem(FromStd(item));
    combo->setEditText(text);
    return Fixed(combo, width);
}

QLineEdit* NewField(QWidget* parent, const QString& name, const QString& text) {
    QLineEdit* edit = Fixed(NewEdit(parent, name, text), kControlWidth);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QLabel* NewCaption(QWidget* parent, const QString& text, int width) { return Fixed(NewLabel(parent, {}, text), width); }

// Widgets side by side: a width in pixels is a gap, a widget stands at its
// fixed size; the rest of the line stays empty.
QHBoxLayout* Line(std::initializer_list<std::variant<QWidget*, int>> items) {
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    for (const auto& item : items) {
        if (const int* gap = std::get_if<int>(&item)) {
            line->addSpacing(*gap);
        } else {
            line->addWidget(std::get<QWidget*>(item), 0, Qt::AlignLeft | Qt::AlignTop);
        }
    }
    line->addStretch();
    return line;
}

using Row = FieldBindings<FittingInputs>::Row;

// One row of the inputs: the kinds that show it (KindInput bits; 0: every
// kind), its line from the top, the field (its caption: a text, or a text
// with a Greek symbol before its unit, "Wymiar" Φ1 "[mm]", or the radio
// button that chooses it; the model's text and the box holding it) and the
// control standing beside the caption (the box, or the list whose text the
// box is).
struct InputRow {
    unsigned kinds;
    int line;
    Row field;
    QWidget* control;
};
constexpr unsigned kEveryKind = 0;

}  // namespace

TForm17::TForm17(AmbientAir& air, pressureloss::Session& session, TForm15& circuitWindow)
    : Form(QStringLiteral("TForm17"), QString()), air_(air), session_(session), circuitWindow_(circuitWindow) {
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    SetClientSize(657, 506);
    QWidget* c = Client();
    QVBoxLayout* left = BuildIdentity(c);
    BuildControls(c);

    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(8, 0, 0, 0);
    columns->setSpacing(0);
    columns->addLayout(left);
    columns->addSpacing(11);
    columns->addLayout(LayInputs(c));
    columns->addStretch();
    Reset();
    Connect();
}

QVBoxLayout* TForm17::BuildIdentity(QWidget* c) {
    // Left: the fitting's name, type code and picture, the buttons below.
    QLabel* nameCaption = Fixed(NewLabel(c, QStringLiteral("Label1"), QStringLiteral("NAZWA")), 80, 18);
    Edit4 = Fixed(NewEdit(c, QStringLiteral("Edit4")), 265, 22);
    Edit4->setReadOnly(true);
    SetFont(Edit4, 8, true);
    QLabel* typeCaption = Fixed(NewLabel(c, QStringLiteral("Label2"), QStringLiteral("TYP")), 30, 22);
    Edit5 = Fixed(NewEdit(c, QStringLiteral("Edit5")), 80, 22);
    Edit5->setReadOnly(true);
    SetFont(Edit5, 9, true);
    Image1 = Fixed(NewLabel(c, QStringLiteral("Image1"), QString()), 265, 265);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Box);

    BitBtn1 = Fixed(NewButton(c, QStringLiteral("BitBtn1"), QStringLiteral("Dodaj kształtkę")), 150, 36);
    BitBtn1->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn2 = Fixed(NewBitBtn(this, c, QStringLiteral("BitBtn2"), BitBtnKind::Cancel, QStringLiteral("Anuluj")), 103, 36);

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 6, 0, 24);
    left->setSpacing(0);
    left->addWidget(nameCaption, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addWidget(Edit4, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addSpacing(6);
    left->addLayout(Line({typeCaption, 2, Edit5}));
    left->addSpacing(8);
    left->addWidget(Image1, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addStretch();
    left->addLayout(Line({BitBtn1, 12, BitBtn2}));
    // The name and the type code the circuit keeps.
    bindings_.Add(Row::Edit(Edit4, FieldRole::Input, {}, &FittingInputs::name));
    bindings_.Add(Row::Edit(Edit5, FieldRole::Input, {}, &FittingInputs::typeCode));
    return left;
}

void TForm17::BuildControls(QWidget* c) {
    // Right: the inputs, created in the order the Tab key visits them.
    Edit1 = NewField(c, QStringLiteral("Edit1"), QStringLiteral("0"));
    ComboBox1 = NewList(c, QStringLiteral("ComboBox1"), SizeItems(), QStringLiteral("100"));
    ComboBox8 = NewList(c, QStringLiteral("ComboBox8"), SizeItems(), QStringLiteral("100"));
    ComboBox9 = NewList(c, QStringLiteral("ComboBox9"), SizeItems(), QStringLiteral("100"));
    ComboBox2 = NewList(c, QStringLiteral("ComboBox2"), SizeItems(), QStringLiteral("100"));
    ComboBox10 = NewList(c, QStringLiteral("ComboBox10"), RoundElbowTypeItems(), QStringLiteral("ŁUK GŁADKI"), kListWidth);
    ComboBox4 = NewList(c, QStringLiteral("ComboBox4"), SizeItems(), QStringLiteral("100"));
    ComboBox5 = NewList(c, QStringLiteral("ComboBox5"), SizeItems(), QStringLiteral("100"));
    ComboBox11 = NewList(c, QStringLiteral("ComboBox11"), RectElbowTypeItems(), QStringLiteral("ŁUK"));
    Edit15 = NewField(c, QStringLiteral("Edit15"), QStringLiteral("50"));
    Edit15->setMaxLength(3);
    ComboBox6 = NewList(c, QStringLiteral("ComboBox6"), AngleItems(), QStringLiteral("90"));
    ComboBox7 = NewList(c, QStringLiteral("ComboBox7"), RadiusItems(), QStringLiteral("50"));
    ComboBox12 = NewList(c, QStringLiteral("ComboBox12"), TeePathItems(), QStringLiteral("PRZELOT"), kListWidth);
    ComboBox13 = NewList(c, QStringLiteral("ComboBox13"), TeeFlowItems(), QStringLiteral("ROZPŁYW"), kListWidth);
    for (int i = 0; i < 4; ++i) {
        QLabel* sketch = Fixed(NewLabel(c, QStringLiteral("Image%1").arg(19 + i), QString()), 49, 49);
        sketch->setPixmap(QIcon(QStringLiteral(":/pressureloss/glyphs/tee%1.svg").arg(i + 1)).pixmap(49, 49));
        sketch->setFrameShape(QFrame::Box);
        teeSketches_[static_cast<std::size_t>(i)] = sketch;
    }
    Edit2 = NewField(c, QStringLiteral("Edit2"), QStringLiteral("0"));
    Edit9 = NewField(c, QStringLiteral("Edit9"), QStringLiteral("0"));
    Edit3 = NewField(c, QStringLiteral("Edit3"), QString());
    Edit3->setReadOnly(true);
    SetTextColor(Edit3, colors::Navy);
    Edit8 = NewField(c, QStringLiteral("Edit8"), QString());
    Edit8->setReadOnly(true);
    SetTextColor(Edit8, colors::Navy);
    RadioButton1 = new QRadioButton(QStringLiteral("Dodatkowy opór   [Pa]"), c);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    Edit7 = NewField(c, QStringLiteral("Edit7"), QStringLiteral("0"));
    RadioButton2 = new QRadioButton(QStringLiteral("Dodatkowe ksi [-]"), c);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    Edit10 = NewField(c, QStringLiteral("Edit10"), QStringLiteral("0"));
    Edit10->setEnabled(false);
    ComboBox3 = NewList(c, QStringLiteral("ComboBox3"), MaterialItems(), QStringLiteral("PVC"), 96);
    Edit6 = Fixed(NewEdit(c, QStringLiteral("Edit6"), QStringLiteral("0,007")), 70);
    Edit6->setAlignment(Qt::AlignRight);
    Edit6->setEnabled(false);
    Edit6->setToolTip(
        QStringLiteral("PVC - k=0,05          Blacha ocynkowana - k=1,5       Przewody murowane k=3-5"));
    bindings_.Add(Row::Choice(RadioButton1, RadioButton2, {}, &FittingInputs::extraLossChosen));
    bindings_.Add(Row::Edit(ComboBox3->lineEdit(), FieldRole::Input, {}, &FittingInputs::material));
    bindings_.Add(Row::Edit(Edit6, FieldRole::Input, {}, &FittingInputs::roughness));
}

QGridLayout* TForm17::LayInputs(QWidget* c) {
    using F = FittingInputs;
    const FieldRole in = FieldRole::Input, out = FieldRole::Result;
    const InputRow rows[] = {
        {kLength, 0, {.caption = {"Długosc (L)   [mm]"}, .input = &F::length, .edit = Edit1}, Edit1},
        {kDiameter1, 1, {.caption = {"Wymiar", "Φ1", nullptr, "[mm]"}, .input = &F::diameter1,
                         .edit = ComboBox1->lineEdit()}, ComboBox1},
        {kSidesAB, 1, {.caption = {"Wymiar (A)        [mm]"}, .input = &F::sideA, .edit = ComboBox8->lineEdit()},
         ComboBox8},
        {kSidesAB, 2, {.caption = {"Wymiar (B)        [mm]"}, .input = &F::sideB, .edit = ComboBox9->lineEdit()},
         ComboBox9},
        {kDiameter2, 2, {.caption = {"Wymiar", "Φ2", nullptr, "[mm]"}, .input = &F::diameter2,
                         .edit = ComboBox2->lineEdit()}, ComboBox2},
        {kRoundElbowType, 2, {.caption = {"Wybierz typ kolana"}, .input = &F::roundElbowType,
                              .edit = ComboBox10->lineEdit()}, ComboBox10},
        {kSidesCD, 3, {.caption = {"Wymiar (C)        [mm]"}, .input = &F::sideC, .edit = ComboBox4->lineEdit()},
         ComboBox4},
        {kSidesCD, 4, {.caption = {"Wymiar (D)        [mm]"}, .input = &F::sideD, .edit = ComboBox5->lineEdit()},
         ComboBox5},
        {kRectElbowType, 3, {.caption = {"Wybierz typ kolana"}, .input = &F::rectElbowType,
                             .edit = ComboBox11->lineEdit()}, ComboBox11},
        {kOffsetE, 3, {.caption = {"Wymiar e           [mm]"}, .input = &F::offsetE, .edit = Edit15}, Edit15},
        {kAngle, 5, {.caption = {"Kąt ", "α", nullptr, "[deg]"}, .input = &F::angle, .edit = ComboBox6->lineEdit()},
         ComboBox6},
        {kRadius, 6, {.caption = {"Promień r          [mm]"}, .input = &F::radius, .edit = ComboBox7->lineEdit()},
         ComboBox7},
        {kTeeLists, 6, {.caption = {"Wybierz typ trójnika"}, .input = &F::teePath, .edit = ComboBox12->lineEdit()},
         ComboBox12},
        {kTeeLists, 7, {.caption = {"Wybierz typ trójnika"}, .input = &F::teeFlow, .edit = ComboBox13->lineEdit()},
         ComboBox13},
        {kEveryKind, 8, {.caption = {"Przepływ V      [m3/h]"}, .input = &F::flow, .edit = Edit2}, Edit2},
        {kBranchFlow, 9, {.caption = {"Przepływ Vo     [m3/h]"}, .input = &F::branchFlow, .edit = Edit9}, Edit9},
        {kEveryKind, 10, {.caption = {"Prędkosc w1     [m/s]"}, .role = out, .input = &F::velocity1, .edit = Edit3},
         Edit3},
        {kVelocity2, 11, {.caption = {"Prędkosc w2     [m/s]"}, .role = out, .input = &F::velocity2, .edit = Edit8},
         Edit8},
        {kEveryKind, 12, {.role = in, .input = &F::extraLoss, .chooser = Fixed(RadioButton1, 150), .edit = Edit7},
         Edit7},
        {kEveryKind, 13, {.role = in, .input = &F::extraZeta, .chooser = Fixed(RadioButton2, 150), .edit = Edit10},
         Edit10},
    };

    auto* inputs = new QGridLayout;
    inputs->setContentsMargins(0, 8, 0, 0);
    inputs->setSpacing(0);
    for (int row = 0; row < kRows; ++row) inputs->setRowMinimumHeight(row, kRowPitch);
    inputs->setRowStretch(kRows, 1);
    inputs->setColumnMinimumWidth(0, kCaptionColumn);
    inputs->setColumnMinimumWidth(1, kControlColumn);
    inputs->setColumnMinimumWidth(2, kSketchColumn);
    for (const InputRow& r : rows) {
        std::vector<QWidget*> widgets = LayCaption(inputs, r.line, r.field);
        inputs->addWidget(r.control, r.line, 1, Qt::AlignLeft | Qt::AlignTop);
        if (r.kinds != kEveryKind) {
            widgets.push_back(r.control);
            inputs_.push_back({r.kinds, widgets});
        }
        bindings_.Add(r.field);
    }
    // The sketch of the tee configuration beside the tee lists.
    for (QLabel* sketch : teeSketches_) inputs->addWidget(sketch, 6, 2, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    // The material with its roughness in the last row.
    inputs->addLayout(Line({NewCaption(c, QStringLiteral("Materiał przewodu"), 110), 2, ComboBox3, 6,
                            NewCaption(c, QStringLiteral("k="), 18), Edit6, 4, NewCaption(c, QStringLiteral("mm"), 30)}),
                      14, 0, 1, 3);
    return inputs;
}

std::vector<QWidget*> TForm17::LayCaption(QGridLayout* inputs, int line, const FieldBindings<FittingInputs>::Row& field) {
    QWidget* c = Client();
    if (field.chooser) {
        inputs->addWidget(field.chooser, line, 0, Qt::AlignLeft | Qt::AlignTop);
        return {field.chooser};
    }
    const QString text = QString::fromUtf8(field.caption.label);
    if (!field.caption.symbol) {
        QLabel* caption = NewCaption(c, text, 150);
        inputs->addWidget(caption, line, 0, Qt::AlignLeft | Qt::AlignTop);
        return {caption};
    }
    QLabel* before = NewCaption(c, text, 56);
    QLabel* greek = NewCaption(c, QString::fromUtf8(field.caption.symbol), 40);
    SetFont(greek, 10, true);
    QLabel* unit = NewCaption(c, QString::fromUtf8(field.caption.unit), 42);
    inputs->addLayout(Line({before, 2, greek, 10, unit}), line, 0);
    return {before, greek, unit};
}

void TForm17::Connect() {
    for (QLineEdit* edit : {Edit2, Edit9}) On(edit, &QLineEdit::textChanged, [this] { VelocityChange(); });
    for (QComboBox* combo : {ComboBox2, ComboBox4, ComboBox5, ComboBox8}) {
        On(combo, &QComboBox::editTextChanged, [this] { VelocityChange(); });
    }
    On(ComboBox1, &QComboBox::editTextChanged, [this] { ComboBox1Change(); });
    On(ComboBox9, &QComboBox::editTextChanged, [this] { ComboBox9Change(); });
    // A radius the user picks from the list, or types and confirms.
    On(ComboBox7, &QComboBox::activated, [this] { ComboBox7Change(); });
    On(ComboBox7, &QComboBox::currentIndexChanged, [this] { ComboBox7Change(); });
    On(ComboBox7->lineEdit(), &QLineEdit::editingFinished, [this] { ComboBox7Change(); });
    On(ComboBox3, &QComboBox::editTextChanged, [this] { ComboBox3Change(); });
    On(ComboBox12, &QComboBox::editTextChanged, [this] { TeeListChange(); });
    On(ComboBox13, &QComboBox::editTextChanged, [this] { TeeListChange(); });
    On(RadioButton1, &QRadioButton::toggled, [this] { RadioButtonClick(); });
    On(RadioButton2, &QRadioButton::toggled, [this] { RadioButtonClick(); });
    On(Edit7, &QLineEdit::textChanged, [this] { Edit7Change(); });
    On(Edit10, &QLineEdit::textChanged, [this] { Edit10Change(); });
    // The window closes after the confirmation in every case, also after a
    // message or an error.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Guarded([this] { BitBtn1Click(); });
        SetModalResult(mrOk);
    });
    auto* enter = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(enter, &QShortcut::activated, BitBtn1, &QPushButton::click);
    auto* keypadEnter = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    connect(keypadEnter, &QShortcut::activated, BitBtn1, &QPushButton::click);
    On(BitBtn2, &QPushButton::clicked, [this] { BitBtn2Click(); });
}

void TForm17::Reset() {
    for (const Input& input : inputs_) {
        for (QWidget* widget : input.widgets) widget->hide();
    }
    for (QLabel* sketch : teeSketches_) sketch->hide();
    Edit1->setText(QStringLiteral("0"));
    RadioButton1->setChecked(true);
    Edit7->setText(QStringLiteral("0"));
    Edit10->setText(QStringLiteral("0"));
}

void TForm17::ShowInputs(unsigned bits) {
    for (const Input& input : inputs_) {
        if (input.bit & bits) {
            for (QWidget* widget : input.widgets) widget->show();
        }
    }
}

void TForm17::WriteStartingTexts(FittingKind kind) {
    const KindInfo& k = InfoOf(kind);
    if (k.length) Edit1->setText(QString::fromUtf8(k.length));
    const StartingSizes sizes = StartingSizesOf(kind);
    ComboBox1->setEditText(FromStd(sizes.diameter1));
    ComboBox2->setEditText(FromStd(sizes.diameter2));
    ComboBox8->setEditText(FromStd(sizes.sideA));
    ComboBox9->setEditText(FromStd(sizes.sideB));
    ComboBox4->setEditText(FromStd(sizes.sideC));
    ComboBox5->setEditText(FromStd(sizes.sideD));
}

void TForm17::SetIdentity(const QString& name, const QString& typeCode) {
    setWindowTitle(name);
    Edit4->setText(name);
    Edit4->setToolTip(name);
    Edit4->setCursorPosition(0);
    Edit5->setText(typeCode);
}

void TForm17::LoadPicture(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) throw VimtalError(ToStd("Brak pliku rysunku kształtki: " + shown));
    QImage picture;
    if (!picture.load(path)) throw VimtalError(ToStd("Nie można odczytać rysunku kształtki: " + shown));
    Image1->setPixmap(QPixmap::fromImage(picture.scaled(Image1->size() - QSize(2, 2), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation)));
}

void TForm17::ShowVelocities(const VelocityDisplay& shown) {
    Edit3->setText(FromStd(shown.w1));
    if (shown.w2) Edit8->setText(FromStd(*shown.w2));
    if (shown.extraZeta) Edit10->setText(FromStd(*shown.extraZeta));
    if (shown.extraLoss) Edit7->setText(FromStd(*shown.extraLoss));
}

void TForm17::PreviewVelocities() {
    const FittingKind kind = session_.circuit.currentKind.value();
    ShowVelocities(session_.calculator.VelocityStep(kind, Inputs(), false));
}

void TForm17::FillFromRecord() {
    TForm15& circuit = CircuitWindow();
    const FittingInputs texts = TextsOfRecord(session_.circuit.Slot(circuit.EditedIndex()));
    // As if typed, in the record's reading order: each box's reaction runs.
    for (const RecordText& t : kRecordTexts) {
        if (ReadBack(t)) EditOf(t.text)->setText(FromStd(texts.*t.text));
    }
}

QLineEdit* TForm17::EditOf(std::string FittingInputs::*text) const {
    for (const Bindings::Row& row : bindings_.Rows()) {
        if (row.input == text) return row.edit;
    }
    throw std::logic_error("an editor text without its box");
}

FittingInputs TForm17::Inputs() const { return bindings_.Read(); }

bool TForm17::LiveVelocities() {
    const std::optional<FittingKind> kind = session_.circuit.currentKind;
    if (!kind) return false;
    const std::optional<VelocityDisplay> shown = session_.calculator.LiveVelocityStep(*kind, Inputs());
    if (shown) ShowVelocities(*shown);
    return shown.has_value();
}

void TForm17::VelocityChange() {
    if (preparing_) return;
    LiveVelocities();
}

void TForm17::ChooseRadius() {
    const FittingKind kind = session_.circuit.currentKind.value();
    ComboBox7->setEditText(FromStd(pressureloss::ChooseRadius(session_.calculator.RadiusBoundMm(kind))));
}

void TForm17::ComboBox1Change() {
    if (preparing_) return;
    if (LiveVelocities() && session_.circuit.currentKind == FittingKind::RoundElbow) ChooseRadius();
}

void TForm17::ComboBox9Change() {
    if (preparing_) return;
    if (LiveVelocities() && session_.circuit.currentKind == FittingKind::RectElbow) ChooseRadius();
}

void TForm17::ComboBox7Change() {
    if (preparing_) return;
    const std::optional<FittingKind> kind = session_.circuit.currentKind;
    if (!kind || !IsElbow(*kind)) return;
    const std::string picked = ToStd(ComboBox7->currentText());
    const std::string radius = RaiseRadius(picked, session_.calculator.RadiusBoundMm(*kind));
    if (radius != picked) ComboBox7->setEditText(FromStd(radius));
}

void TForm17::ComboBox3Change() {
    const MaterialRoughness roughness = RoughnessOf(ToStd(ComboBox3->currentText()));
    if (roughness.text) Edit6->setText(FromStd(*roughness.text));
    Edit6->setEnabled(roughness.editable);
}

void TForm17::TeeListChange() {
    for (QLabel* sketch : teeSketches_) sketch->hide();
    const std::optional<FittingKind> kind = session_.circuit.currentKind;
    if (!kind || !IsTee(*kind)) return;
    const std::optional<int> index = TeeSketchIndex(ToStd(ComboBox12->currentText()), ToStd(ComboBox13->currentText()));
    if (index) teeSketches_[static_cast<std::size_t>(*index)]->show();
}

void TForm17::RadioButtonClick() {
    const bool pressure = RadioButton1->isChecked();
    Edit7->setEnabled(pressure);
    Edit10->setEnabled(!pressure);
}

namespace {
// The two additional-loss fields rewrite each other until a rewrite leaves a
// text unchanged (two rounds at most); the depth is a safety net.
struct PairDepth {
    explicit PairDepth(int& depth) : depth_(depth) { ++depth_; }
    ~PairDepth() { --depth_; }
    bool TooDeep() const { return depth_ > 8; }
    int& depth_;
};
}  // namespace

void TForm17::FollowPair(QLineEdit* changed, QLineEdit* other, PairConversion convert) {
    if (preparing_) return;
    PairDepth depth(pairDepth_);
    if (depth.TooDeep()) return;
    const std::optional<std::string> text = (session_.calculator.*convert)(ToStd(changed->text()));
    if (text) other->setText(FromStd(*text));
}

void TForm17::Edit7Change() { FollowPair(Edit7, Edit10, &FittingCalculator::ExtraZetaFor); }

void TForm17::Edit10Change() { FollowPair(Edit10, Edit7, &FittingCalculator::ExtraLossFor); }

void TForm17::BitBtn1Click() {
    TForm15& circuit = CircuitWindow();
    PlatformMessages messages;
    const ConfirmOutcome outcome = ConfirmFitting(session_.circuit, session_.calculator, Inputs(),
                                                  ToStd(circuit.TotalText()), circuit.EditedIndex(), messages);
    if (outcome.extraLossDefaulted) Edit7->setText(QStringLiteral("0"));
    if (!outcome.stored) return;
    ShowVelocities(outcome.result.display);
    if (outcome.appended) circuit.SetScrollMaximum(outcome.index);
    circuit.Refill();
    circuit.SetTotalText(FromStd(outcome.result.totalText));
}

void TForm17::BitBtn2Click() { session_.circuit.editFlag = false; }

void TForm17::FormActivate() { air_.UseDisplayedFigures(); }

void TForm17::FormClose() {
    // Closing without storing (also by the close box) ends the edit, so that
    // a later "Dodaj kształtkę" adds a fitting instead of replacing one.
    session_.circuit.editFlag = false;
}

}  // namespace vimtal

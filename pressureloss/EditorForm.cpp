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

#include <stdexcept>

namespace vimtal {

using namespace pressureloss;

namespace {
// The inputs stand in one column, rows 32 pixels apart; inputs that share a
// row belong to different kinds and are never shown together.
constexpr int kLabelX = 284;
constexpr int kControlX = 436;
constexpr int kControlWidth = 110;
constexpr int kRowHeight = 24;

int RowY(int row) { return 8 + 32 * row; }

QLabel* RowLabel(QWidget* parent, int row, const QString& text, int x = kLabelX, int width = 150) {
    QLabel* label = NewLabel(parent, {}, text);
    label->setGeometry(x, RowY(row), width, kRowHeight);
    return label;
}

// A caption with a Greek symbol between two texts ("Wymiar" Φ1 "[mm]").
std::vector<QWidget*> SymbolLabel(QWidget* parent, int row, const QString& before, const QString& symbol,
                                  const QString& after) {
    QLabel* first = RowLabel(parent, row, before, kLabelX, 56);
    QLabel* greek = RowLabel(parent, row, symbol, kLabelX + 58, 40);
    SetFont(greek, 10, true);
    QLabel* unit = RowLabel(parent, row, after, kLabelX + 108, 42);
    return {first, greek, unit};
}

QComboBox* NewList(QWidget* parent, const QString& name, const std::vector<std::string>& items, const QString& text,
                   int row, int width = kControlWidth) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    for (const std::string& item : items) combo->addItem(FromStd(item));
    combo->setEditText(text);
    combo->setGeometry(kControlX, RowY(row), width, kRowHeight);
    return combo;
}

QLineEdit* NewField(QWidget* parent, const QString& name, const QString& text, int row) {
    QLineEdit* edit = NewEdit(parent, name, text);
    edit->setGeometry(kControlX, RowY(row), kControlWidth, kRowHeight);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

void SetEditText(QComboBox* combo, const std::string& text) { combo->setEditText(FromStd(text)); }
}  // namespace

TForm17::TForm17(AmbientAir& air, pressureloss::Session& session, TForm15& circuitWindow)
    : Form(QStringLiteral("TForm17"), QString()), air_(air), session_(session), circuitWindow_(circuitWindow) {
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    SetClientSize(657, 506);
    QWidget* c = Client();

    // Left: the fitting's name, type code and picture.
    NewLabel(c, QStringLiteral("Label1"), QStringLiteral("NAZWA"))->setGeometry(8, 6, 80, 18);
    Edit4 = NewEdit(c, QStringLiteral("Edit4"));
    Edit4->setReadOnly(true);
    Edit4->setGeometry(8, 24, 265, 22);
    SetFont(Edit4, 8, true);
    NewLabel(c, QStringLiteral("Label2"), QStringLiteral("TYP"))->setGeometry(8, 52, 30, 22);
    Edit5 = NewEdit(c, QStringLiteral("Edit5"));
    Edit5->setReadOnly(true);
    Edit5->setGeometry(40, 52, 80, 22);
    SetFont(Edit5, 9, true);
    Image1 = NewLabel(c, QStringLiteral("Image1"), QString());
    Image1->setGeometry(8, 82, 265, 265);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Box);

    BitBtn1 = NewButton(c, QStringLiteral("BitBtn1"), QStringLiteral("Dodaj kształtkę"));
    BitBtn1->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(8, 446, 150, 36);
    BitBtn2 = NewBitBtn(this, c, QStringLiteral("BitBtn2"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    BitBtn2->setGeometry(170, 446, 103, 36);

    // Right: the inputs.
    Edit1 = NewField(c, QStringLiteral("Edit1"), QStringLiteral("0"), 0);
    inputs_.push_back({kLength, {RowLabel(c, 0, QStringLiteral("Długosc (L)   [mm]")), Edit1}});

    ComboBox1 = NewList(c, QStringLiteral("ComboBox1"), SizeItems(), QStringLiteral("100"), 1);
    std::vector<QWidget*> d1 = SymbolLabel(c, 1, QStringLiteral("Wymiar"), QStringLiteral("Φ1"), QStringLiteral("[mm]"));
    d1.push_back(ComboBox1);
    inputs_.push_back({kDiameter1, d1});
    ComboBox8 = NewList(c, QStringLiteral("ComboBox8"), SizeItems(), QStringLiteral("100"), 1);
    ComboBox9 = NewList(c, QStringLiteral("ComboBox9"), SizeItems(), QStringLiteral("100"), 2);
    inputs_.push_back({kSidesAB,
                       {RowLabel(c, 1, QStringLiteral("Wymiar (A)        [mm]")), ComboBox8,
                        RowLabel(c, 2, QStringLiteral("Wymiar (B)        [mm]")), ComboBox9}});

    ComboBox2 = NewList(c, QStringLiteral("ComboBox2"), SizeItems(), QStringLiteral("100"), 2);
    std::vector<QWidget*> d2 = SymbolLabel(c, 2, QStringLiteral("Wymiar"), QStringLiteral("Φ2"), QStringLiteral("[mm]"));
    d2.push_back(ComboBox2);
    inputs_.push_back({kDiameter2, d2});

    ComboBox10 = NewList(c, QStringLiteral("ComboBox10"), RoundElbowTypeItems(), QStringLiteral("ŁUK GŁADKI"), 2, 136);
    inputs_.push_back({kRoundElbowType, {RowLabel(c, 2, QStringLiteral("Wybierz typ kolana")), ComboBox10}});

    ComboBox4 = NewList(c, QStringLiteral("ComboBox4"), SizeItems(), QStringLiteral("100"), 3);
    ComboBox5 = NewList(c, QStringLiteral("ComboBox5"), SizeItems(), QStringLiteral("100"), 4);
    inputs_.push_back({kSidesCD,
                       {RowLabel(c, 3, QStringLiteral("Wymiar (C)        [mm]")), ComboBox4,
                        RowLabel(c, 4, QStringLiteral("Wymiar (D)        [mm]")), ComboBox5}});

    ComboBox11 = NewList(c, QStringLiteral("ComboBox11"), RectElbowTypeItems(), QStringLiteral("ŁUK"), 3);
    inputs_.push_back({kRectElbowType, {RowLabel(c, 3, QStringLiteral("Wybierz typ kolana")), ComboBox11}});

    Edit15 = NewField(c, QStringLiteral("Edit15"), QStringLiteral("50"), 3);
    Edit15->setMaxLength(3);
    inputs_.push_back({kOffsetE, {RowLabel(c, 3, QStringLiteral("Wymiar e           [mm]")), Edit15}});

    ComboBox6 = NewList(c, QStringLiteral("ComboBox6"), AngleItems(), QStringLiteral("90"), 5);
    std::vector<QWidget*> angle = SymbolLabel(c, 5, QStringLiteral("Kąt "), QStringLiteral("α"), QStringLiteral("[deg]"));
    angle.push_back(ComboBox6);
    inputs_.push_back({kAngle, angle});

    ComboBox7 = NewList(c, QStringLiteral("ComboBox7"), RadiusItems(), QStringLiteral("50"), 6);
    inputs_.push_back({kRadius, {RowLabel(c, 6, QStringLiteral("Promień r          [mm]")), ComboBox7}});

    ComboBox12 = NewList(c, QStringLiteral("ComboBox12"), TeePathItems(), QStringLiteral("PRZELOT"), 6, 136);
    ComboBox13 = NewList(c, QStringLiteral("ComboBox13"), TeeFlowItems(), QStringLiteral("ROZPŁYW"), 7, 136);
    inputs_.push_back({kTeeLists,
                       {RowLabel(c, 6, QStringLiteral("Wybierz typ trójnika")), ComboBox12,
                        RowLabel(c, 7, QStringLiteral("Wybierz typ trójnika")), ComboBox13}});
    for (int i = 0; i < 4; ++i) {
        QLabel* sketch = NewLabel(c, QStringLiteral("Image%1").arg(19 + i), QString());
        sketch->setPixmap(QIcon(QStringLiteral(":/pressureloss/glyphs/tee%1.svg").arg(i + 1)).pixmap(49, 49));
        sketch->setGeometry(kControlX + 136 + 12, RowY(6), 49, 49);
        sketch->setFrameShape(QFrame::Box);
        teeSketches_[static_cast<std::size_t>(i)] = sketch;
    }

    Edit2 = NewField(c, QStringLiteral("Edit2"), QStringLiteral("0"), 8);
    RowLabel(c, 8, QStringLiteral("Przepływ V      [m3/h]"));
    Edit9 = NewField(c, QStringLiteral("Edit9"), QStringLiteral("0"), 9);
    inputs_.push_back({kBranchFlow, {RowLabel(c, 9, QStringLiteral("Przepływ Vo     [m3/h]")), Edit9}});
    Edit3 = NewField(c, QStringLiteral("Edit3"), QString(), 10);
    Edit3->setReadOnly(true);
    SetTextColor(Edit3, colors::Navy);
    RowLabel(c, 10, QStringLiteral("Prędkosc w1     [m/s]"));
    Edit8 = NewField(c, QStringLiteral("Edit8"), QString(), 11);
    Edit8->setReadOnly(true);
    SetTextColor(Edit8, colors::Navy);
    inputs_.push_back({kVelocity2, {RowLabel(c, 11, QStringLiteral("Prędkosc w2     [m/s]")), Edit8}});

    RadioButton1 = new QRadioButton(QStringLiteral("Dodatkowy opór   [Pa]"), c);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(kLabelX, RowY(12), 150, kRowHeight);
    RadioButton1->setChecked(true);
    Edit7 = NewField(c, QStringLiteral("Edit7"), QStringLiteral("0"), 12);
    RadioButton2 = new QRadioButton(QStringLiteral("Dodatkowe ksi [-]"), c);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(kLabelX, RowY(13), 150, kRowHeight);
    Edit10 = NewField(c, QStringLiteral("Edit10"), QStringLiteral("0"), 13);
    Edit10->setEnabled(false);

    RowLabel(c, 14, QStringLiteral("Materiał przewodu"), kLabelX, 110);
    ComboBox3 = NewList(c, QStringLiteral("ComboBox3"), MaterialItems(), QStringLiteral("PVC"), 14, 96);
    ComboBox3->move(kLabelX + 112, RowY(14));
    RowLabel(c, 14, QStringLiteral("k="), kLabelX + 214, 18);
    Edit6 = NewEdit(c, QStringLiteral("Edit6"), QStringLiteral("0,007"));
    Edit6->setGeometry(kLabelX + 232, RowY(14), 70, kRowHeight);
    Edit6->setAlignment(Qt::AlignRight);
    Edit6->setEnabled(false);
    Edit6->setToolTip(
        QStringLiteral("PVC - k=0,05          Blacha ocynkowana - k=1,5       Przewody murowane k=3-5"));
    RowLabel(c, 14, QStringLiteral("mm"), kLabelX + 306, 30);
    Reset();

    // Handlers.
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
    SetEditText(ComboBox1, sizes.diameter1);
    SetEditText(ComboBox2, sizes.diameter2);
    SetEditText(ComboBox8, sizes.sideA);
    SetEditText(ComboBox9, sizes.sideB);
    SetEditText(ComboBox4, sizes.sideC);
    SetEditText(ComboBox5, sizes.sideD);
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
    const FittingKind kind = Circuit().Circuit().currentKind.value();
    ShowVelocities(Circuit().Calculator().VelocityStep(kind, Inputs(), false));
}

void TForm17::FillFromRecord() {
    TForm15& circuit = Circuit();
    const FittingInputs in = TextsOfRecord(circuit.Circuit().Slot(circuit.EditedIndex()));
    const FittingInputs& t = in;
    Edit4->setText(FromStd(in.name));
    Edit5->setText(FromStd(in.typeCode));
    Edit1->setText(FromStd(in.length));
    SetEditText(ComboBox8, in.sideA);
    SetEditText(ComboBox1, in.diameter1);
    SetEditText(ComboBox9, in.sideB);
    SetEditText(ComboBox2, in.diameter2);
    SetEditText(ComboBox4, in.sideC);
    SetEditText(ComboBox5, in.sideD);
    SetEditText(ComboBox6, in.angle);
    Edit2->setText(FromStd(in.flow));
    Edit3->setText(FromStd(t.velocity1));
    Edit8->setText(FromStd(t.velocity2));
    Edit7->setText(FromStd(in.extraLoss));
    Edit6->setText(FromStd(in.roughness));
    SetEditText(ComboBox10, in.roundElbowType);
    SetEditText(ComboBox11, in.rectElbowType);
    SetEditText(ComboBox3, in.material);
    SetEditText(ComboBox7, in.radius);
    Edit15->setText(FromStd(in.offsetE));
    SetEditText(ComboBox12, in.teePath);
    SetEditText(ComboBox13, in.teeFlow);
    Edit9->setText(FromStd(in.branchFlow));
}

FittingInputs TForm17::Inputs() const {
    FittingInputs in;
    in.name = ToStd(Edit4->text());
    in.typeCode = ToStd(Edit5->text());
    in.length = ToStd(Edit1->text());
    in.diameter1 = ToStd(ComboBox1->currentText());
    in.diameter2 = ToStd(ComboBox2->currentText());
    in.sideA = ToStd(ComboBox8->currentText());
    in.sideB = ToStd(ComboBox9->currentText());
    in.sideC = ToStd(ComboBox4->currentText());
    in.sideD = ToStd(ComboBox5->currentText());
    in.angle = ToStd(ComboBox6->currentText());
    in.radius = ToStd(ComboBox7->currentText());
    in.offsetE = ToStd(Edit15->text());
    in.roundElbowType = ToStd(ComboBox10->currentText());
    in.rectElbowType = ToStd(ComboBox11->currentText());
    in.teePath = ToStd(ComboBox12->currentText());
    in.teeFlow = ToStd(ComboBox13->currentText());
    in.flow = ToStd(Edit2->text());
    in.branchFlow = ToStd(Edit9->text());
    in.extraLoss = ToStd(Edit7->text());
    in.extraZeta = ToStd(Edit10->text());
    in.extraLossChosen = RadioButton1->isChecked();
    in.material = ToStd(ComboBox3->currentText());
    in.roughness = ToStd(Edit6->text());
    return in;
}

bool TForm17::LiveVelocities() {
    const std::optional<FittingKind> kind = Circuit().Circuit().currentKind;
    if (!kind) return false;
    const std::optional<VelocityDisplay> shown = Circuit().Calculator().LiveVelocityStep(*kind, Inputs());
    if (shown) ShowVelocities(*shown);
    return shown.has_value();
}

void TForm17::VelocityChange() {
    if (preparing_) return;
    LiveVelocities();
}

void TForm17::ChooseRadius() {
    const FittingKind kind = Circuit().Circuit().currentKind.value();
    ComboBox7->setEditText(FromStd(pressureloss::ChooseRadius(Circuit().Calculator().RadiusBoundMm(kind))));
}

void TForm17::ComboBox1Change() {
    if (preparing_) return;
    if (LiveVelocities() && Circuit().Circuit().currentKind == FittingKind::RoundElbow) ChooseRadius();
}

void TForm17::ComboBox9Change() {
    if (preparing_) return;
    if (LiveVelocities() && Circuit().Circuit().currentKind == FittingKind::RectElbow) ChooseRadius();
}

void TForm17::ComboBox7Change() {
    if (preparing_) return;
    const std::optional<FittingKind> kind = Circuit().Circuit().currentKind;
    if (!kind || !IsElbow(*kind)) return;
    const std::string picked = ToStd(ComboBox7->currentText());
    const std::string radius = RaiseRadius(picked, Circuit().Calculator().RadiusBoundMm(*kind));
    if (radius != picked) ComboBox7->setEditText(FromStd(radius));
}

void TForm17::ComboBox3Change() {
    const MaterialRoughness roughness = RoughnessOf(ToStd(ComboBox3->currentText()));
    if (roughness.text) Edit6->setText(FromStd(*roughness.text));
    Edit6->setEnabled(roughness.editable);
}

void TForm17::TeeListChange() {
    for (QLabel* sketch : teeSketches_) sketch->hide();
    const std::optional<FittingKind> kind = Circuit().Circuit().currentKind;
    if (!kind || !(InfoOf(*kind).inputs & kTeeLists)) return;
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

void TForm17::Edit7Change() {
    if (preparing_) return;
    PairDepth depth(pairDepth_);
    if (depth.TooDeep()) return;
    const std::optional<std::string> zeta = Circuit().Calculator().ExtraZetaFor(ToStd(Edit7->text()));
    if (zeta) Edit10->setText(FromStd(*zeta));
}

void TForm17::Edit10Change() {
    if (preparing_) return;
    PairDepth depth(pairDepth_);
    if (depth.TooDeep()) return;
    const std::optional<std::string> loss = Circuit().Calculator().ExtraLossFor(ToStd(Edit10->text()));
    if (loss) Edit7->setText(FromStd(*loss));
}

void TForm17::BitBtn1Click() {
    TForm15& circuit = Circuit();
    PlatformMessages messages;
    const ConfirmOutcome outcome = ConfirmFitting(circuit.Circuit(), circuit.Calculator(), Inputs(),
                                                  ToStd(circuit.TotalText()), circuit.EditedIndex(), messages);
    if (outcome.extraLossDefaulted) Edit7->setText(QStringLiteral("0"));
    if (!outcome.stored) return;
    ShowVelocities(outcome.result.display);
    if (outcome.appended) circuit.SetScrollMaximum(outcome.index);
    circuit.Refill();
    circuit.SetTotalText(FromStd(outcome.result.totalText));
}

void TForm17::BitBtn2Click() { Circuit().Circuit().editFlag = false; }

void TForm17::FormActivate() { air_.UseDisplayedFigures(); }

void TForm17::FormClose() {
    // Closing without storing (also by the close box) ends the edit, so that
    // a later "Dodaj kształtkę" adds a fitting instead of replacing one.
    session_.circuit.editFlag = false;
}

}  // namespace vimtal

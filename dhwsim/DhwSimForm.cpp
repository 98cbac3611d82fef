#include "dhwsim/DhwSimForm.h"

#include "core/Messages.h"
#include "core/ui/FieldGrid.h"
#include "core/ui/FileDrops.h"
#include "core/ui/Guard.h"
#include "core/ui/LongRun.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/Platform.h"
#include "core/ui/RecentFiles.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"
#include "charts/ChartFrame.h"
#include "dhwsim/ChargingChart.h"
#include "dhwsim/CwuFile.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSettingsForm.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <memory>

namespace vimtal {

namespace {

const QString kCwuFilter = QStringLiteral("Pliki Symulacji cwu (*.cwu)");
const QString kCwuExtension = QStringLiteral("cwu");

using In = dhwsim::WindowInputs;
using Rec = dhwsim::CwuRecord;

// A check box or radio button.
template <typename Button>
Button* NewChoice(QWidget* parent, const char* name, const char* text, bool checked = false) {
    auto* button = new Button(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (checked) button->setChecked(true);
    return button;
}

constexpr FieldRole kIn = FieldRole::Input;
constexpr FieldRole kOut = FieldRole::Result;

// The captions with their symbols in one cell, boxes 72 wide, "°C" as a
// raised "o" before the "C"; a row chosen by a button has the button as its
// caption.
const FieldLook kLook{.caption = FieldLook::Caption::LabelWithSymbol, .raisedDegrees = true};
// The target: the choosing button, the bold symbol, the box and the unit.
const FieldLook kTargetLook{.symbol = FieldLook::Symbol::Bold, .raisedDegrees = true};
// The results: a plain caption of one or two lines.
const FieldLook kResultLook{.raisedDegrees = true};

QGroupBox* NewGroup(QWidget* parent, const char* name, const char* title) {
    return NewGroupBox(parent, QString::fromLatin1(name), QString::fromUtf8(title));
}

QGridLayout* GroupGrid(QGroupBox* group) {
    QGridLayout* grid = FieldGrid(group, {8, 4, 8, 6}, 6, 3);
    // The same unit column in every group keeps the boxes in one line.
    grid->setColumnMinimumWidth(2, 44);
    return grid;
}

// A box's text written by the program: only a real change is written, so
// only a real change runs the box's reaction.
void WriteIfDifferent(QLineEdit* edit, const std::string& text) {
    const QString value = FromStd(text);
    if (edit->text() != value) edit->setText(value);
}

void ShowRecorded(const RecordingMessageSink& messages) {
    for (const auto& m : messages.messages) platform().MessageBox(FromStd(m.text), FromStd(m.title));
}

// The texts of every box of a window, to put back as they were, without
// their reactions.
class BoxTexts {
public:
    explicit BoxTexts(const QWidget* window) {
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) texts_.emplace_back(box, box->text());
    }
    void Restore() const {
        for (const auto& [box, text] : texts_) {
            const QSignalBlocker quiet(box);
            box->setText(text);
        }
    }

private:
    std::vector<std::pair<QLineEdit*, QString>> texts_;
};

}  // namespace

TForm5::TForm5(WindowLink<TForm6>& chart, WindowLink<TForm7>& settings, const FormLink& assumptions,
               const FormLink& scheme)
    : Form(QStringLiteral("TForm5"), QStringLiteral("Symulacja czasu ładowania zbiornika C.W.U")),
      chart_(chart),
      settings_(settings),
      assumptions_(assumptions),
      scheme_(scheme) {
    BuildMenu();
    SetClientSize(761, 491);
    QWidget* c = Client();
    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(8, 6, 8, 8);
    columns->setSpacing(10);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    BuildBoundaryGroup(c);
    BuildSourceGroup(c);
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox2);
    left->addStretch(1);
    columns->addLayout(left, 11);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    BuildTargetGroup(c);
    BuildResultGroup(c);
    right->addWidget(GroupBox3);
    right->addWidget(GroupBox4);
    right->addStretch(1);

    Button1 = NewButton(c, QStringLiteral("Button1"), QStringLiteral("Symulacja"));
    Button2 = NewButton(c, QStringLiteral("Button2"), QStringLiteral("Schemat"));
    BitBtn1 = NewBitBtn(this, c, QStringLiteral("BitBtn1"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    BitBtn2 = NewBitBtn(this, c, QStringLiteral("BitBtn2"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    Button3 = NewButton(c, QStringLiteral("Button3"), QStringLiteral("Wykres tw=f(t)"));
    Button4 = NewButton(c, QStringLiteral("Button4"), QStringLiteral("Wykres Qzr=f(t)"));
    Button5 = NewButton(c, QStringLiteral("Button5"), QStringLiteral("Wykres Qzr=f(tw)"));
    auto* buttons = new QGridLayout;
    buttons->setSpacing(4);
    buttons->addWidget(Button1, 0, 0, 1, 2);
    buttons->addWidget(Button2, 0, 2, 1, 2);
    buttons->addWidget(BitBtn1, 0, 4, 1, 2);
    buttons->addWidget(BitBtn2, 0, 6, 1, 2);
    buttons->addWidget(Button3, 1, 0, 1, 3);
    buttons->addWidget(Button4, 1, 3, 1, 2);
    buttons->addWidget(Button5, 1, 5, 1, 3);
    for (QPushButton* b : {Button1, Button2, BitBtn1, BitBtn2, Button3, Button4, Button5}) b->setMinimumHeight(25);
    right->addLayout(buttons);
    columns->addLayout(right, 10);

    // In the free space of the right column, above the buttons.
    LabelUwagi = new NotesLabel(c, 404, 340, 345);

    Connect();
    workFile_.Start(WorkRecord());
}

void TForm5::BuildMenu() {
    QMenuBar* bar = MenuBar();
    QMenu* file = bar->addMenu(QStringLiteral("Plik...   "));
    file->setObjectName(QStringLiteral("Plik1"));
    Otwrz1 = NewAction(file, QStringLiteral("Otwrz1"), QStringLiteral("Otwórz"), QKeySequence(QStringLiteral("Ctrl+O")));
    Zapisz1 = NewAction(file, QStringLiteral("Zapisz1"), QStringLiteral("Zapisz"), QKeySequence(QStringLiteral("Ctrl+S")));
    Symulacja1 = NewAction(file, QStringLiteral("Symulacja1"), QStringLiteral("Symulacja"));
    file->addSeparator();
    Zamknij1 = NewAction(file, QStringLiteral("Zamknij1"), QStringLiteral("Zamknij"),
                         QKeySequence(QStringLiteral("Ctrl+Alt+X")));
    recentFiles_ = new RecentFiles(file, Symulacja1, kCwuExtension, [this](const QString& path) { Open(path); });
    AcceptDroppedFiles(this, kCwuExtension, [this](const QString& path) { Open(path); });
    AddReportActions(this, file, Zamknij1, QStringLiteral("symulacja_cwu.pdf"), [this] { return BuildReport(); });

    QMenu* charts = bar->addMenu(QStringLiteral("Wykres"));
    charts->setObjectName(QStringLiteral("Wykres1"));
    charts->setToolTipsVisible(true);
    twft1 = NewAction(charts, QStringLiteral("twft1"), QStringLiteral("tw=f(t)"));
    Qzrft1 = NewAction(charts, QStringLiteral("Qzrft1"), QStringLiteral("Qzr=f(t)"));
    Qzrftw1 = NewAction(charts, QStringLiteral("Qzrftw1"), QStringLiteral("Qzr=f(tw)"));
    const std::pair<QAction*, const char*> hints[] = {
        {twft1, "Wykres temperatury wody w zasobniku CWU w funkcji czasu"},
        {Qzrft1, "Wykres mocy źródła ciepła w funkcji czasu"},
        {Qzrftw1, "Wykres mocy źródła w funkcji temoeratury wody zasobnika CWU"},
    };
    for (const auto& [action, hint] : hints) {
        action->setToolTip(QString::fromUtf8(hint));
        action->setStatusTip(QString::fromUtf8(hint));
    }

    QMenu* options = bar->addMenu(QStringLiteral("   Opcje..."));
    options->setObjectName(QStringLiteral("Opcje1"));
    Ustawienia1 = NewAction(options, QStringLiteral("Ustawienia1"), QStringLiteral("Ustawienia"));

    QMenu* help = bar->addMenu(QStringLiteral("Pomoc"));
    help->setObjectName(QStringLiteral("Pomoc1"));
    Zaoenia1 = NewAction(help, QStringLiteral("Zaoenia1"), QStringLiteral("Założenia..."));
    Algorytmsymulacji1 = NewAction(help, QStringLiteral("Algorytmsymulacji1"), QStringLiteral("Algorytm symulacji"));
}

void TForm5::BuildBoundaryGroup(QWidget* parent) {
    GroupBox1 = NewGroup(parent, "GroupBox1", "Warunki brzegowe");
    QGridLayout* grid = GroupGrid(GroupBox1);

    RadioButton5 = NewChoice<QRadioButton>(GroupBox1, "RadioButton5", "Ładowanie zasobnika", true);
    RadioButton6 = NewChoice<QRadioButton>(GroupBox1, "RadioButton6", "Stygnięcie zasobnika");
    RadioButton6->hide();
    grid->addWidget(RadioButton5, 0, 0, 1, 3);
    grid->addWidget(RadioButton6, 0, 0, 1, 3);

    // The window's caption is padded to the symbol, or followed by a Greek
    // symbol in bold and a small subscript; a report names the field plainly.
    const Bind rows[] = {
        {"Edit1", &Edit1, {"Temperatura początkowa wody    tw", nullptr, nullptr, "°C"},
         {"Temperatura początkowa wody", "t", "w"}, kIn, &In::initialTemperature, &Rec::initialTemperature},
        {"Edit2", &Edit2, {"Wysokosc zasobnika CWU           H", nullptr, nullptr, "m"}, {"Wysokość zasobnika CWU", "H"},
         kIn, &In::height, &Rec::height},
        {"Edit12", &Edit12, {"Średnica zasobnika CWU              D", nullptr, nullptr, "m"},
         {"Średnica zasobnika CWU", "D"}, kIn, &In::diameter, &Rec::diameter},
        {"Edit25", &Edit25, {"Grubość ścianki zasobnka CWU   dść", nullptr, nullptr, "mm"},
         {"Grubość ścianki zasobnika CWU", "d", "ść"}, kIn, &In::wallThickness, nullptr},
        {"Edit13", &Edit13, {"Grubosc izolacji zasobnika            diz", nullptr, nullptr, "mm"},
         {"Grubość izolacji zasobnika CWU", "d", "iz"}, kIn, &In::insulation, &Rec::insulation},
        {"Edit14", &Edit14, {"Wsp. przewodzenia ciepła izol.  ", "λ", "iz", "W/m2K"},
         {"Współczynnik przewodzenia ciepła izolacji", nullptr, nullptr, "W/(m·K)"}, kIn, &In::insulationConductivity,
         &Rec::insulationConductivity},
        {"Edit15", &Edit15, {"Wsp. przewodzenia ciepła CWU  ", "λ", "cwu", "W/m2K"},
         {"Współczynnik przewodzenia ciepła ścianki zasobnika CWU", nullptr, nullptr, "W/(m·K)"}, kIn,
         &In::wallConductivity, &Rec::wallConductivity},
        {"Edit17", &Edit17, {"Temp. otaczającego powietrza      tp", nullptr, nullptr, "°C"},
         {"Temperatura otaczającego powietrza", "t", "p"}, kIn, &In::airTemperature, &Rec::airTemperature},
        {"Edit3", &Edit3, {"Krok czasowy                              d", "τ", nullptr, "s"}, {"Krok czasowy", "dτ"}, kIn,
         &In::timeStep, &Rec::timeStep},
    };
    // The window opens on the model's starting texts.
    LayFields(grid, 1, rows, kLook, fields_);
}

void TForm5::BuildSourceGroup(QWidget* parent) {
    GroupBox2 = NewGroup(parent, "GroupBox2", "Parametry źródła ciepła");
    QGridLayout* grid = GroupGrid(GroupBox2);

    CheckBox1 = NewChoice<QCheckBox>(GroupBox2, "CheckBox1", "Ogrzewanie wodne", true);
    CheckBox2 = NewChoice<QCheckBox>(GroupBox2, "CheckBox2", "Ogrzewanie elektryczne");
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(CheckBox1);
    kinds->addWidget(CheckBox2);
    kinds->addStretch(1);
    grid->addLayout(kinds, 0, 0, 1, 3);
    fields_.Add(Bind::Choice(CheckBox1, CheckBox2, {"Ogrzewanie", "wodne", "elektryczne"}, &In::waterHeating,
                             &Rec::waterHeating));

    const Bind temperatures[] = {
        {"Edit4", &Edit4, {"Temperatura zasilania                 tz", nullptr, nullptr, "°C"},
         {"Temperatura zasilania", "t", "z"}, kIn, &In::supplyTemperature, &Rec::supplyTemperature},
        {"Edit5", &Edit5, {"Temperatura powrotu                  tp", nullptr, nullptr, "°C"},
         {"Temperatura powrotu", "t", "p"}, kIn, &In::returnTemperature, &Rec::returnTemperature},
    };
    LayFields(grid, 1, temperatures, kLook, fields_);

    // The mass-flow entry is kept out of sight: the power is what designers
    // know; the flow follows from it.
    RadioButton1 = NewChoice<QRadioButton>(GroupBox2, "RadioButton1", "Moc źródła ciepła                  Q", true);
    RadioButton2 = NewChoice<QRadioButton>(GroupBox2, "RadioButton2", "Masowy przepływ źródła       m");
    fields_.Add(Bind::Choice(RadioButton1, RadioButton2, {"Dane źródła ciepła", "moc", "przepływ masowy"},
                             &In::powerEntrySelected, &Rec::powerEntrySelected));
    const Bind source[] = {
        {"Edit9", &Edit9, {nullptr, nullptr, nullptr, "kW"}, {"Moc źródła ciepła", "Q"}, kIn, &In::power, &Rec::power,
         RadioButton1},
        {"Edit6", &Edit6, {nullptr, nullptr, nullptr, "kg/s"}, {"Masowy przepływ źródła ciepła", "m"}, kIn,
         &In::massFlow, &Rec::massFlow, RadioButton2},
    };
    QLabel* flowUnit = LayFields(grid, 3, source, kLook, fields_)[1].unit;
    flowUnit->setObjectName(QStringLiteral("Label_kgs"));
    Edit6->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton2, Edit6, flowUnit}) w->hide();
}

void TForm5::BuildTargetGroup(QWidget* parent) {
    GroupBox3 = NewGroup(parent, "GroupBox3", "Temperatura lub czas C.W.U do osiągnięcia");
    QGridLayout* grid = GroupGrid(GroupBox3);
    RadioButton3 = NewChoice<QRadioButton>(GroupBox3, "RadioButton3", "Temperatura do osiągnięcia       ", true);
    RadioButton4 = NewChoice<QRadioButton>(GroupBox3, "RadioButton4", "Temperatura po czasie");
    fields_.Add(Bind::Choice(RadioButton3, RadioButton4,
                             {"Kryterium", "temperatura do osiągnięcia", "temperatura po czasie"},
                             &In::targetTemperatureSelected, &Rec::targetTemperatureSelected));
    const Bind rows[] = {
        {"Edit7", &Edit7, {nullptr, "t", nullptr, "°C"}, {"Temperatura do osiągnięcia", "t", "k"}, kIn,
         &In::targetTemperature, &Rec::targetTemperature, RadioButton3},
        {"Edit10", &Edit10, {nullptr, "τ", nullptr, "s"}, {"Czas ładowania"}, kIn, &In::targetTime, &Rec::targetTime,
         RadioButton4},
    };
    LayFields(grid, 0, rows, kTargetLook, fields_);
    Edit10->setEnabled(false);
}

void TForm5::BuildResultGroup(QWidget* parent) {
    GroupBox4 = NewGroup(parent, "GroupBox4", "WYNIK");
    QGridLayout* grid = GroupGrid(GroupBox4);
    grid->setVerticalSpacing(4);
    // A result written by the program; "=" rows show the same quantity in
    // another unit, their sign against the boxes.
    const Bind rows[] = {
        {"Edit8", &Edit8, {"Czas po którym osiągnięto zadaną\ntemperaturę", nullptr, nullptr, "s"},
         {"Czas osiągnięcia zadanej temperatury", "τ"}, kOut, nullptr, &Rec::time},
        {"Edit20", &Edit20, {"=", nullptr, nullptr, "min"}, {"Czas osiągnięcia zadanej temperatury", "τ"}, kOut, nullptr,
         &Rec::minutes},
        {"Edit21", &Edit21, {"=", nullptr, nullptr, "h"}, {"Czas osiągnięcia zadanej temperatury", "τ"}, kOut, nullptr,
         &Rec::hours},
        {"Edit11", &Edit11, {"Temperatura, która została osiągnięta\npo zadanym czasie", nullptr, nullptr, "°C"},
         {"Temperatura osiągnięta po zadanym czasie", "t", "w"}, kOut, nullptr, &Rec::temperature},
        {"Edit18", &Edit18, {"Stała wydajnosc dla zadanej temperatury", nullptr, nullptr, "l/s"},
         {"Stała wydajność dla zadanej temperatury", "q"}, kOut, nullptr, &Rec::draw},
        {"Edit19", &Edit19, {"Objętosc zasobnika C.W.U", nullptr, nullptr, "m3"},
         {"Objętość zasobnika CWU", "V", nullptr, "m³"}, kOut, nullptr, &Rec::cubicMetres},
        {"Edit16", &Edit16, {"=", nullptr, nullptr, "dm3"}, {"Objętość zasobnika CWU", "V", nullptr, "dm³"}, kOut,
         nullptr, &Rec::litres},
    };
    for (const FieldRowWidgets& row : LayFields(grid, 0, rows, kResultLook, fields_)) {
        if (static_cast<QLabel*>(row.caption)->text() == QStringLiteral("=")) grid->setAlignment(row.caption, Qt::AlignRight);
    }
    for (QLineEdit* edit : {Edit20, Edit21, Edit19}) edit->setEnabled(false);
}

void TForm5::Connect() {
    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
    On(Symulacja1, &QAction::triggered, [this] { Button1Click(); });
    On(Button2, &QPushButton::clicked, [this] { Button2Click(); });
    On(Zamknij1, &QAction::triggered, [this] { close(); });
    On(Button3, &QPushButton::clicked, [this] { OpenChart(1); });
    On(Button4, &QPushButton::clicked, [this] { OpenChart(2); });
    On(Button5, &QPushButton::clicked, [this] { OpenChart(3); });
    On(twft1, &QAction::triggered, [this] { OpenChart(1); });
    On(Qzrft1, &QAction::triggered, [this] { OpenChart(2); });
    On(Qzrftw1, &QAction::triggered, [this] { OpenChart(3); });
    OnEach(this, &QAction::triggered,
           {{Otwrz1, &TForm5::Otwrz1Click}, {Zapisz1, &TForm5::Zapisz1Click}, {Ustawienia1, &TForm5::Ustawienia1Click},
            {Zaoenia1, &TForm5::Zaoenia1Click}, {Algorytmsymulacji1, &TForm5::Algorytmsymulacji1Click}});

    // Ticking or selecting runs the reaction, whether the user or the program
    // (opening a file) does it; unticking does nothing.
    auto whenTicked = [this](QAbstractButton* button, void (TForm5::*reaction)()) {
        QObject::connect(button, &QAbstractButton::toggled, button, [this, reaction](bool on) {
            if (on) React(reaction);
        });
    };
    whenTicked(CheckBox1, &TForm5::CheckBox1Click);
    whenTicked(CheckBox2, &TForm5::CheckBox2Click);
    whenTicked(RadioButton1, &TForm5::RadioButton1Click);
    whenTicked(RadioButton2, &TForm5::RadioButton2Click);
    whenTicked(RadioButton3, &TForm5::RadioButton3Click);
    whenTicked(RadioButton4, &TForm5::RadioButton4Click);
    whenTicked(RadioButton5, &TForm5::RadioButton5Click);
    whenTicked(RadioButton6, &TForm5::RadioButton6Click);

    // Every real change of a box's text, typed or written by the program.
    const std::pair<QLineEdit*, void (TForm5::*)()> changes[] = {
        {Edit1, &TForm5::Edit1Change},  {Edit2, &TForm5::Edit2Change}, {Edit12, &TForm5::Edit12Change},
        {Edit4, &TForm5::Edit4Change},  {Edit5, &TForm5::Edit5Change}, {Edit6, &TForm5::Edit6Change},
        {Edit7, &TForm5::Edit7Change},  {Edit8, &TForm5::Edit8Change}, {Edit9, &TForm5::Edit9Change},
        {Edit10, &TForm5::Edit10Change},
    };
    for (const auto& [edit, reaction] : changes) {
        QObject::connect(edit, &QLineEdit::textChanged, edit, [this, reaction = reaction] { React(reaction); });
    }
}

bool TForm5::EmptiedByLoading(const QLineEdit* box) const { return loading_ && box->text().isEmpty(); }

void TForm5::React(void (TForm5::*reaction)()) {
    // A reaction that fails shows its error; while a file is being opened it
    // also ends the opening at that field.
    if (!Guarded([this, reaction] { (this->*reaction)(); }) && loading_) loadFailed_ = true;
}

// ---------------------------------------------------------------------------
// What the model reads

dhwsim::WindowInputs TForm5::Inputs() const {
    dhwsim::WindowInputs w = fields_.Read();
    // The heating kinds are two check boxes, both of which may be unticked.
    w.electricHeating = CheckBox2->isChecked();
    // The mass flow is taken as given while its box can be typed into (its
    // own enabled state, whatever its group shows): after the mass-flow entry
    // is chosen, and after water heating is ticked, which shows the flow
    // derived from the power.
    w.givenSource = Edit6->isEnabledTo(this) ? dhwsim::SourceQuantity::MassFlow : dhwsim::SourceQuantity::Power;
    return w;
}

dhwsim::SimulationSettings TForm5::Settings() const {
    return settings_->Settings();
}

dhwsim::SourceTexts TForm5::SourceTexts() const {
    return {ToStd(Edit1->text()), ToStd(Edit4->text()), ToStd(Edit5->text())};
}

// ---------------------------------------------------------------------------
// Runs and results

void TForm5::Button1Click() { Run(); }

bool TForm5::Run() {
    // The model's messages are shown once the run has ended.
    RecordingMessageSink messages;
    // A run that is refused or fails leaves no notes of an earlier one; a
    // cancelled one leaves those it found, and the values the window keeps.
    const Notes notesBefore = LabelUwagi->CurrentNotes();
    const dhwsim::KeptValues keptBefore = kept_;
    LabelUwagi->ShowNotes({});
    const std::optional<dhwsim::Inputs> inputs =
        dhwsim::Prepare(Inputs(), Settings(), dhwsim::Purpose::Run, kept_, messages);
    if (!inputs) {
        ShowRecorded(messages);
        return true;
    }
    // Up to a hundred million steps, on a copy of the inputs.
    const std::optional<dhwsim::Result> result =
        RunWithProgress<dhwsim::Result>(this, [in = *inputs](RunControl& control) {
            return dhwsim::SimulateWatched(in, RunWatch(&control));
        });
    if (!result) {
        kept_ = keptBefore;
        LabelUwagi->ShowNotes(notesBefore);
        return false;
    }
    const dhwsim::RunReport report = dhwsim::Conclude(*inputs, *result, messages);
    ShowRecorded(messages);
    WriteResults(report.results);
    LabelUwagi->ShowNotes(report.notes);
    if (report.openChart) OpenChart(1);
    return true;
}

void TForm5::WriteResults(const dhwsim::ResultTexts& results) {
    const std::pair<QLineEdit*, const std::optional<std::string>*> boxes[] = {
        {Edit8, &results.time},         {Edit20, &results.minutes}, {Edit21, &results.hours},
        {Edit11, &results.temperature}, {Edit18, &results.draw},
    };
    for (const auto& [box, text] : boxes) {
        if (*text) box->setText(FromStd(**text));
    }
}

void TForm5::OpenChart(int kind) {
    // A chart cancelled while it computes does not open; the kind chosen
    // stays for the next one.
    chartKind_ = kind;
    chart_->Open();
}

bool TForm5::RunTank(const TankHandOver& tank) {
    const BoxTexts before(this);
    const dhwsim::KeptValues keptBefore = kept_;
    Edit2->setText(tank.height);
    Edit12->setText(tank.diameter);
    Edit1->setText(tank.initialTemperature);
    Edit9->setText(tank.power);
    Edit7->setText(tank.targetTemperature);
    if (Run()) return true;
    before.Restore();
    kept_ = keptBefore;
    return false;
}

void TForm5::Button2Click() { scheme_.ShowModal(); }
void TForm5::Ustawienia1Click() { settings_.ShowModal(); }
void TForm5::Zaoenia1Click() { assumptions_.ShowModal(); }
void TForm5::Algorytmsymulacji1Click() { platform().ShellOpen(QStringLiteral("cwu.pdf")); }

// ---------------------------------------------------------------------------
// Reactions

void TForm5::PowerToFlow(const std::string* power, bool ceilingTest) {
    PlatformMessages messages;
    // The ceiling is the target temperature of the last run.
    const std::optional<double> ceiling =
        ceilingTest ? std::optional<double>(kept_.targetTemperature) : std::nullopt;
    const dhwsim::Exchange exchange = dhwsim::PowerToFlow(kept_.source, SourceTexts(), power, ceiling, messages);
    if (exchange.refused) return;
    kept_.source = exchange.source;
    if (!exchange.source.flowKnown) {
        // The source cannot heat this tank: the flow is forgotten and its box
        // emptied without a reaction (there is nothing to turn into a power).
        const QSignalBlocker quiet(Edit6);
        Edit6->clear();
        return;
    }
    WriteIfDifferent(Edit6, exchange.text);
}

void TForm5::CheckBox1Click() {
    CheckBox2->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit4, Edit5, Edit6, RadioButton2}) w->setEnabled(true);
    if (!Edit9->text().isEmpty() && !Edit1->text().isEmpty() && !Edit4->text().isEmpty() &&
        !Edit5->text().isEmpty()) {
        const std::string power = ToStd(Edit9->text());
        PowerToFlow(&power, true);
    }
}

void TForm5::CheckBox2Click() {
    CheckBox1->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit4, Edit5, Edit6, RadioButton2}) w->setEnabled(false);
}

void TForm5::RadioButton1Click() {
    Edit6->setEnabled(false);
    Edit9->setEnabled(true);
}

void TForm5::RadioButton2Click() {
    Edit9->setEnabled(false);
    Edit6->setEnabled(true);
}

void TForm5::RadioButton3Click() {
    Edit7->setEnabled(true);
    Edit10->setEnabled(false);
}

void TForm5::RadioButton4Click() {
    Edit10->setEnabled(true);
    Edit7->setEnabled(false);
}

void TForm5::RadioButton5Click() {
    Edit9->setText(powerSetAside_);
    GroupBox2->show();
}

void TForm5::RadioButton6Click() {
    // A cooling tank has no source.
    GroupBox2->hide();
    powerSetAside_ = Edit9->text();
    Edit9->setText(QStringLiteral("0"));
}

void TForm5::Edit1Change() {
    // The mass flow was derived for the initial temperature typed before: a
    // new one must not change the power the source delivers at the start.
    if (!CheckBox1->isChecked()) return;
    if (Edit1->text().isEmpty() || Edit4->text().isEmpty() || Edit5->text().isEmpty() || Edit9->text().isEmpty()) {
        return;
    }
    const std::string power = ToStd(Edit9->text());
    PowerToFlow(&power, false);
}

void TForm5::Edit2Change() { UpdateVolume(Edit2, Edit12); }
void TForm5::Edit12Change() { UpdateVolume(Edit12, Edit2); }

void TForm5::UpdateVolume(const QLineEdit* changed, const QLineEdit* other) {
    if (other->text().isEmpty()) return;
    if (EmptiedByLoading(changed)) return;
    const dhwsim::VolumeTexts volume = dhwsim::TankVolume(ToStd(Edit2->text()), ToStd(Edit12->text()));
    Edit19->setText(FromStd(volume.cubicMetres));
    Edit16->setText(FromStd(volume.litres));
}

void TForm5::Edit4Change() { FlowFromStoredPower(Edit4, Edit5); }
void TForm5::Edit5Change() { FlowFromStoredPower(Edit5, Edit4); }

void TForm5::FlowFromStoredPower(const QLineEdit* changed, const QLineEdit* other) {
    if (other->text().isEmpty() || Edit1->text().isEmpty() || Edit9->text().isEmpty()) return;
    if (EmptiedByLoading(changed)) return;
    PowerToFlow(nullptr, false);
}

void TForm5::Edit6Change() {
    if (!CheckBox1->isChecked()) return;
    if (EmptiedByLoading(Edit6)) return;
    const dhwsim::Exchange exchange = dhwsim::FlowToPower(SourceTexts(), ToStd(Edit6->text()));
    kept_.source = exchange.source;
    const QScopedValueRollback<bool> keep(keepGivenFlow_, !exchange.sourceAboveWater);
    WriteIfDifferent(Edit9, exchange.text);
}

void TForm5::Edit7Change() {
    // A target temperature typed empties the target time; emptying one box
    // does not empty the other back.
    if (!Edit7->text().isEmpty()) Edit10->clear();
}

void TForm5::Edit10Change() {
    if (!Edit10->text().isEmpty()) Edit7->clear();
}

void TForm5::Edit8Change() {
    if (!RadioButton3->isChecked()) return;
    if (EmptiedByLoading(Edit8)) return;
    const dhwsim::DurationTexts duration = dhwsim::MinutesAndHours(ToStd(Edit8->text()));
    Edit20->setText(FromStd(duration.minutes));
    Edit21->setText(FromStd(duration.hours));
}

void TForm5::Edit9Change() {
    if (!CheckBox1->isChecked()) return;
    if (EmptiedByLoading(Edit9)) return;
    // The power just derived from a given flow of a source colder than the
    // tank is negative: the given flow stands, nothing is derived back.
    if (keepGivenFlow_) return;
    const std::string power = ToStd(Edit9->text());
    PowerToFlow(&power, false);
}

// ---------------------------------------------------------------------------
// .cwu files

void TForm5::Zapisz1Click() { SaveAs(); }

bool TForm5::SaveAs() {
    const std::optional<QString> path = platform().SaveFileDialog(platform().SaveRecordDialog(kCwuFilter, kCwuExtension));
    if (!path || path->isEmpty()) return false;
    return Save(*path);
}

bool TForm5::Save(const QString& path) {
    const Bytes record = WorkRecord();
    const bool saved = Guarded([&] { WriteFileAtomically(ToStd(path), record); });
    if (!saved) return false;
    recentFiles_->Add(path);
    workFile_.Keep(record, path);
    return true;
}

// The record of the .cwu file.
Bytes TForm5::WorkRecord() const { return dhwsim::kCwuFormat.Encode(fields_.ToRecord()); }

void TForm5::Otwrz1Click() {
    const std::optional<QString> path = platform().OpenFileDialog(platform().OpenRecordDialog(kCwuFilter, kCwuExtension));
    if (!path || path->isEmpty()) return;
    Open(*path);
}

bool TForm5::Open(const QString& path) {
    // The whole record is read before any field changes.
    std::optional<dhwsim::CwuRecord> record;
    if (!Guarded([&] { record = dhwsim::kCwuFormat.Load(ToStd(path)); })) return false;
    const QScopedValueRollback<bool> loading(loading_, true);
    loadFailed_ = false;
    fields_.Load(dhwsim::kCwuFormat, *record, [this] { return loadFailed_; });
    recentFiles_->Add(path);
    // The window as the file opened in it: the boxes' reactions may have
    // derived some of its texts anew.
    workFile_.Keep(WorkRecord(), path);
    return true;
}

// ---------------------------------------------------------------------------
// The report

vimtal::Report TForm5::BuildReport() const {
    vimtal::Report report{ReportDocument(ToStd(windowTitle())), {}};
    ReportDocument& sheet = report.document;
    // What the window shows: a box or choice it hides is left out, and so is
    // an empty box that cannot be typed into (the target not chosen).
    sheet.Inputs().Add(fields_.Report(FieldRole::Input, [this](const Fields::Row& r) {
        if (r.IsChoice()) return r.on->isVisibleTo(this) && (!r.off || r.off->isVisibleTo(this));
        return r.edit->isVisibleTo(this) && (r.edit->isEnabledTo(this) || !r.edit->text().isEmpty());
    }));
    sheet.AddFields("Ustawienia symulacji").Add(settings_->Report());
    sheet.Results().Add(
        fields_.Report(FieldRole::Result, [](const Fields::Row& r) { return !r.edit->text().isEmpty(); }));
    sheet.AddNotes(LabelUwagi->CurrentNotes());

    // The charts belong to a run's results: the time or the temperature
    // reached.
    if (Edit8->text().isEmpty() && Edit11->text().isEmpty()) return report;
    std::shared_ptr<dhwsim::ChargingCharts> drawings;
    const std::optional<std::string> refused = charts::ChartRefusal([&](MessageSink& messages) {
        // A report changes nothing the window keeps.
        dhwsim::KeptValues kept = kept_;
        const std::optional<dhwsim::Inputs> inputs =
            dhwsim::Prepare(Inputs(), Settings(), dhwsim::Purpose::Chart, kept, messages);
        if (inputs) drawings = std::make_shared<dhwsim::ChargingCharts>(*inputs);
        return inputs.has_value();
    });
    if (refused) {
        // The inputs changed since the run and a chart would refuse them.
        sheet.AddParagraph("Wykresy nie zostały narysowane: " + *refused);
        return report;
    }
    struct ChartOfKind {
        int kind;
        const char* id;
        const char* title;
    };
    static constexpr ChartOfKind kCharts[] = {
        {1, "tw", "Temperatura wody w zasobniku w funkcji czasu, tw = f(t)"},
        {2, "Qzr_t", "Moc źródła ciepła w funkcji czasu, Qzr = f(t)"},
        {3, "Qzr_tw", "Moc źródła ciepła w funkcji temperatury wody w zasobniku, Qzr = f(tw)"},
    };
    // In the proportions of the chart window.
    const QSize window(500, 305);
    for (const ChartOfKind& c : kCharts) {
        sheet.AddChart(c.id, c.title, window.width(), window.height());
        report.charts[c.id] = charts::PageChart([drawings, kind = c.kind](charts::Canvas& canvas, int W, int H) {
            drawings->Draw(canvas, W, H, kind, CurrentRunControl());
        });
    }
    return report;
}

}  // namespace vimtal

#include "ductsim/DuctForm.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>
#include <optional>

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
#include "ductsim/DuctChart.h"
#include "ductsim/KanFile.h"

static void InitDuctResources() { Q_INIT_RESOURCE(ductsim); }

namespace vimtal {

namespace {

using namespace ductsim;

// Conductivities, and the transmittance of a round duct per metre of its
// length.
constexpr const char* kPerMetre = "W/(m·K)";
const QString kPlaneUnit = QStringLiteral("W/m2K");
const QString kPerMetreUnit = QString::fromUtf8(kPerMetre);

// Report captions that change with the shape.
constexpr const char* kSideALabel = "Długość boku A";
constexpr const char* kSideBLabel = "Długość boku B";
constexpr const char* kTransmittanceLabel = "Współczynnik przenikania ciepła";

using Row = FieldBindings<InputTexts, KanRecord>::Row;
constexpr FieldRole kIn = FieldRole::Input;
constexpr FieldRole kOut = FieldRole::Result;

// The rows of the boundary conditions and of the results: caption, bold
// symbol with its subscript, box with its text against the right edge, unit.
const FieldLook kInputLook{.symbol = FieldLook::Symbol::Subscripted, .boxWidth = 58, .rightAligned = true,
                           .boxText = colors::Blue};
const FieldLook kResultLook{.symbol = FieldLook::Symbol::Subscripted, .boxWidth = 76, .rightAligned = true,
                            .boxText = colors::Maroon};

// The grid of a group of the boundary conditions; the same unit column in
// every group keeps the boxes in one line.
QGridLayout* GroupGrid(QGroupBox* group) {
    QGridLayout* grid = FieldGrid(group, {6, 4, 6, 4}, 4, 2);
    grid->setColumnMinimumWidth(3, 42);
    return grid;
}

}  // namespace

TForm9::TForm9(WindowLink<TForm13>& chart, const FormLink& assumptions, const FormLink& scheme)
    : Form(QStringLiteral("TForm9"), QStringLiteral("Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym")),
      chart_(chart),
      assumptions_(assumptions),
      scheme_(scheme) {
    InitDuctResources();
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    BuildMenus();

    SetClientSize(798, 526);
    QWidget* c = Client();
    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(6, 4, 6, 6);
    columns->setSpacing(6);
    columns->addWidget(BuildConditions(c), 1);
    columns->addWidget(BuildResults(c), 0);

    ShowShape(true);
    // In the free space of the results, above the buttons.
    LabelUwagi = new NotesLabel(c, 470, 396, 312);
    Connect();
    workFile_.Start(WorkRecord());
}

void TForm9::BuildMenus() {
    QMenu* file = MenuBar()->addMenu(QStringLiteral("Plik...   "));
    file->setObjectName(QStringLiteral("Plik1"));
    Otwrz1 = NewAction(file, QStringLiteral("Otwrz1"), QStringLiteral("Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O),
                       QIcon(QStringLiteral(":/ductsim/icons/open.svg")));
    Zapisz1 = NewAction(file, QStringLiteral("Zapisz1"), QStringLiteral("Zapisz "), QKeySequence(Qt::CTRL | Qt::Key_S),
                        QIcon(QStringLiteral(":/ductsim/icons/save.svg")));
    Zamknij1 = NewAction(file, QStringLiteral("Zamknij1"), QStringLiteral("Zamknij"),
                         QKeySequence(Qt::CTRL | Qt::Key_X), QIcon(QStringLiteral(":/ductsim/icons/close.svg")));
    recentFiles_ = new RecentFiles(file, Zapisz1, QString::fromUtf8(kKanExtension),
                                   [this](const QString& path) { Open(path); });
    AcceptDroppedFiles(this, QString::fromUtf8(kKanExtension), [this](const QString& path) { Open(path); });
    AddReportActions(this, file, Zamknij1, QStringLiteral("wychladzanie_kanalu.pdf"), [this] { return BuildReport(); });
    QMenu* chartMenu = MenuBar()->addMenu(QStringLiteral("Wykres"));
    chartMenu->setObjectName(QStringLiteral("Wykres1"));
    tifta1 = NewAction(chartMenu, QStringLiteral("tifta1"), QStringLiteral("ti=f(tał)"), {},
                       QIcon(QStringLiteral(":/ductsim/icons/chart.svg")));
    QMenu* help = MenuBar()->addMenu(QStringLiteral("Pomoc   "));
    help->setObjectName(QStringLiteral("Pomoc1"));
    Zalniasy1 = NewAction(help, QStringLiteral("Zalniasy1"), QStringLiteral("Założenia symulacji"), {},
                          QIcon(QStringLiteral(":/ductsim/icons/assumptions.svg")));
    Algorytmsymulacji1 = NewAction(help, QStringLiteral("Algorytmsymulacji1"), QStringLiteral("Algorytm symulacji"), {},
                                   QIcon(QStringLiteral(":/ductsim/icons/algorithm.svg")));
    Schematobliczeniowy1 = NewAction(help, QStringLiteral("Schematobliczeniowy1"),
                                     QStringLiteral("Schemat obliczeniowy"), {},
                                     QIcon(QStringLiteral(":/ductsim/icons/scheme.svg")));
}

QGroupBox* TForm9::BuildConditions(QWidget* parent) {
    QGroupBox* conditions = NewGroupBox(parent, QStringLiteral("GroupBox1"), QStringLiteral("Warunki brzegowe"));
    SetTextColor(conditions, colors::Navy);
    auto* left = new QVBoxLayout(conditions);
    left->setContentsMargins(4, 2, 4, 4);
    left->setSpacing(4);
    QGroupBox* thermal = BuildThermalGroup(conditions);
    QGroupBox* geometry = BuildGeometryGroup(conditions);
    QGroupBox* timeStep = BuildTimeStepGroup(conditions);
    for (QGroupBox* box : {thermal, geometry, timeStep}) left->addWidget(box);
    left->addStretch(1);
    // Only the frames' captions are coloured; the rows keep the normal text.
    for (QGroupBox* box : {thermal, geometry, timeStep}) SetTextColor(box, colors::Green);
    for (QLabel* label : conditions->findChildren<QLabel*>()) {
        SetTextColor(label, palette().color(QPalette::WindowText));
        // The longest captions take two lines rather than pushing the
        // fields out of the window.
        if (label->textFormat() != Qt::RichText) label->setWordWrap(true);
    }
    for (QRadioButton* b : {RadioButton1, RadioButton2}) SetTextColor(b, palette().color(QPalette::WindowText));
    return conditions;
}

QGroupBox* TForm9::BuildThermalGroup(QWidget* parent) {
    QGroupBox* thermal =
        NewGroupBox(parent, QStringLiteral("GroupBox2"), QStringLiteral("Parametry termodynamiczne i przepływowe"));
    const Row rows[] = {
        {"Edit1", &Edit1, {"Temperatura początkowa powietrza w kanale wentylacynym", "t", "i", "°C"},
         {"Temperatura początkowa powietrza w kanale"}, kIn, &InputTexts::ti, &KanRecord::ti},
        {"Edit2", &Edit2, {"Temperatura powietrza otaczającego kanał wentylacyjny", "t", "e", "°C"},
         {"Temperatura powietrza otaczającego kanał"}, kIn, &InputTexts::te, &KanRecord::te},
        {"Edit15", &Edit15, {"Wilgotność względna powietrza w kanale wentylacyjnym", "Φ", "i", "%"},
         {"Wilgotność względna powietrza w kanale"}, kIn, &InputTexts::phiI, &KanRecord::phiI},
        {"Edit16", &Edit16, {"Wilgotność względna powietrza otaczającego kanał", "Φ", "e", "%"}, {}, kIn,
         &InputTexts::phiE, &KanRecord::phiE},
        {"Edit17", &Edit17, {"Ciśnienie atmosferyczne", "p", "b", "Pa"}, {}, kIn, &InputTexts::pb, &KanRecord::pb},
        {"Edit3", &Edit3, {"Natężenie przepływu powietrza", "V", "", "m3/h"}, {.unit = "m³/h"}, kIn,
         &InputTexts::flow, &KanRecord::flow},
        {"Edit4", &Edit4, {"Współczynnik przewodzenia ciepła ścianki przewodu", "λ", "1", kPerMetre}, {}, kIn,
         &InputTexts::lambda1, &KanRecord::lambda1},
        {"Edit5", &Edit5, {"Grubość ścianki przewodu wentylacyjnego", "δ", "1", "m"}, {"Grubość ścianki przewodu"},
         kIn, &InputTexts::delta1, &KanRecord::delta1},
        {"Edit6", &Edit6, {"Współczynnik przewodzenia ciepła izolacji przewodu", "λ", "2", kPerMetre},
         {"Współczynnik przewodzenia ciepła izolacji"}, kIn, &InputTexts::lambda2, &KanRecord::lambda2},
        {"Edit7", &Edit7, {"Grubość izolacji przewodu wentylacyjnego", "δ", "2", "m"}, {"Grubość izolacji"}, kIn,
         &InputTexts::delta2, &KanRecord::delta2},
    };
    LayFields(GroupGrid(thermal), 0, rows, kInputLook, bindings_, DefaultInputTexts());
    return thermal;
}

QGroupBox* TForm9::BuildGeometryGroup(QWidget* parent) {
    QGroupBox* geometry = NewGroupBox(parent, QStringLiteral("GroupBox3"), QStringLiteral("Geometria przewodu"));
    QGridLayout* g = GroupGrid(geometry);
    RadioButton1 = new QRadioButton(QStringLiteral("Przewód prostokątny"), geometry);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("Przewód okrągły"), geometry);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton1->setChecked(true);
    auto* shapes = new QHBoxLayout;
    shapes->addWidget(RadioButton1);
    shapes->addSpacing(24);
    shapes->addWidget(RadioButton2);
    shapes->addStretch(1);
    g->addLayout(shapes, 0, 0, 1, 4);
    bindings_.Add(Row::Choice(RadioButton1, RadioButton2, {"Przekrój", "prostokątny", "okrągły"},
                              &InputTexts::rectangular, &KanRecord::rectangular));
    // Edit9 holds side A of a rectangular duct or the diameter of a round
    // one; the captions in front of it change with the shape.
    const Row rows[] = {
        {"Edit8", &Edit8, {"Długość kanału wentylacyjnego", "L", "", "m"}, {"Długość przewodu"}, kIn,
         &InputTexts::length, &KanRecord::length},
        {"Edit9", &Edit9, {"Długość boku", "A", "", "m"}, {kSideALabel}, kIn, &InputTexts::sideA, &KanRecord::sideA},
        {"Edit10", &Edit10, {"Długość boku", "B", "", "m"}, {kSideBLabel}, kIn, &InputTexts::sideB,
         &KanRecord::sideB},
    };
    const std::vector<FieldRowWidgets> laid = LayFields(g, 1, rows, kInputLook, bindings_, DefaultInputTexts());
    // The size once more, as the diameter of a round duct.
    bindings_.Add(Row::Edit(Edit9, kIn, kNotReported, nullptr, &KanRecord::diameter));

    SideALabel = static_cast<QLabel*>(laid[1].caption);
    SideALabel->setObjectName(QStringLiteral("SideALabel"));
    SideASymbol = laid[1].symbol;
    SideASymbol->setObjectName(QStringLiteral("SideASymbol"));
    DiameterLabel = NewLabel(geometry, QStringLiteral("DiameterLabel"), QStringLiteral("Średnica przewodu"));
    DiameterSymbol = NewSymbolLabel(geometry, kInputLook.symbol, QStringLiteral("Φ"));
    DiameterSymbol->setObjectName(QStringLiteral("DiameterSymbol"));
    g->addWidget(DiameterLabel, 2, 0);
    g->addWidget(DiameterSymbol, 2, 1);
    SideBLabel = static_cast<QLabel*>(laid[2].caption);
    SideBLabel->setObjectName(QStringLiteral("SideBLabel"));
    SideBSymbol = laid[2].symbol;
    SideBSymbol->setObjectName(QStringLiteral("SideBSymbol"));
    SideBUnit = laid[2].unit;
    SideBUnit->setObjectName(QStringLiteral("SideBUnit"));
    // The row of side B keeps its place while a round duct hides it.
    for (QWidget* w : SideBRow()) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    return geometry;
}

QGroupBox* TForm9::BuildTimeStepGroup(QWidget* parent) {
    QGroupBox* timeStep = NewGroupBox(parent, QStringLiteral("GroupBox4"), QStringLiteral("Krok czasowy symulacji"));
    const Row rows[] = {
        {"Edit11", &Edit11, {"Długość kroku czasowego symulacji", "dτ", "", "s"}, {"Krok czasowy symulacji"}, kIn,
         &InputTexts::timeStep, &KanRecord::timeStep},
    };
    LayFields(GroupGrid(timeStep), 0, rows, kInputLook, bindings_, DefaultInputTexts());
    return timeStep;
}

QGroupBox* TForm9::BuildResults(QWidget* parent) {
    QGroupBox* results = NewGroupBox(parent, QStringLiteral("GroupBox5"), QStringLiteral("Wyniki symulacji"));
    SetTextColor(results, colors::Navy);
    auto* right = new QVBoxLayout(results);
    right->setContentsMargins(6, 6, 6, 6);
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(6);
    g->setColumnStretch(0, 1);
    g->setColumnMinimumWidth(3, 42);
    right->addLayout(g);
    const Row rows[] = {
        {"Edit12", &Edit12, {"Czas całkowity symulacji", "τ", "c", "s"}, {}, kOut, nullptr, &KanRecord::totalTime},
        {"Edit13", &Edit13, {"Prędkość przepływu w kanale", "w", "i", "m/s"}, {}, kOut, nullptr,
         &KanRecord::velocity},
        {"Edit14", &Edit14, {"Temperatura końcowa powietrza", "t", "k", "°C"}, {}, kOut, nullptr,
         &KanRecord::finalTemperature},
        {"Edit18", &Edit18, {"Liczba Reynoldsa", "Re", "", "-------"}, {.unit = ""}, kOut, nullptr,
         &KanRecord::reynolds},
        {"Edit19", &Edit19, {"Gęstość powietrza wewn.", "ρ", "i", "kg/m3"},
         {"Gęstość powietrza w kanale", nullptr, nullptr, "kg/m³"}, kOut, nullptr, &KanRecord::densityInside},
        {"Edit20", &Edit20, {"Gęstość powietrza zewn.", "ρ", "e", "kg/m3"},
         {"Gęstość powietrza otaczającego kanał", nullptr, nullptr, "kg/m³"}, kOut, nullptr,
         &KanRecord::densityOutside},
        {"Edit21", &Edit21, {"Lepkość powietrza wewn.", "η", "i", "m2/s"},
         {"Lepkość kinematyczna powietrza w kanale", nullptr, nullptr, "m²/s"}, kOut, nullptr,
         &KanRecord::viscosityInside},
        {"Edit22", &Edit22, {"Lepkość powietrza zewn.", "η", "e", "m2/s"},
         {"Lepkość kinematyczna powietrza otaczającego kanał", nullptr, nullptr, "m²/s"}, kOut, nullptr,
         &KanRecord::viscosityOutside},
        {"Edit23", &Edit23, {"Wsp. konwekcji wewn.", "α", "i", "W/m2K"},
         {"Współczynnik konwekcji wewnątrz przewodu", nullptr, nullptr, "W/(m²·K)"}, kOut, nullptr,
         &KanRecord::alphaInside},
        {"Edit24", &Edit24, {"Wsp. konwekcji zewn.", "α", "e", "W/m2K"},
         {"Współczynnik konwekcji na zewnątrz przewodu", nullptr, nullptr, "W/(m²·K)"}, kOut, nullptr,
         &KanRecord::alphaOutside},
        {"Edit26", &Edit26, {"Wsp. przenikania ciepła", "U", "i", "W/m2K"},
         {kTransmittanceLabel, nullptr, nullptr, "W/(m²·K)"}, kOut, nullptr, &KanRecord::transmittance},
        {"Edit25", &Edit25, {"Strata ciepła", "ΔQ", "", "W"}, {}, kOut, nullptr, &KanRecord::heatLoss},
    };
    const std::vector<FieldRowWidgets> laid = LayFields(g, 0, rows, kResultLook, bindings_);
    TransmittanceUnit = laid[10].unit;
    TransmittanceUnit->setObjectName(QStringLiteral("TransmittanceUnit"));
    for (QLabel* label : results->findChildren<QLabel*>()) SetTextColor(label, palette().color(QPalette::WindowText));
    right->addStretch(1);

    Button1 = NewButton(results, QStringLiteral("Button1"), QStringLiteral("Symulacja"));
    Button2 = NewButton(results, QStringLiteral("Button2"), QStringLiteral("Wykres"));
    Button3 = NewButton(results, QStringLiteral("Button3"), QStringLiteral("Schemat"));
    BitBtn1 = NewBitBtn(this, results, QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    BitBtn2 = NewBitBtn(this, results, QStringLiteral("BitBtn2"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3}) {
        b->setMinimumHeight(28);
        actions->addWidget(b, 1);
    }
    auto* closing = new QHBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setMinimumHeight(28);
        closing->addWidget(b, 1);
    }
    right->addLayout(actions);
    right->addSpacing(4);
    right->addLayout(closing);
    return results;
}

void TForm9::Connect() {
    OnEach(this, &QPushButton::clicked,
           {{Button1, &TForm9::Button1Click}, {Button2, &TForm9::Button2Click}, {Button3, &TForm9::Button3Click}});
    // The newly selected shape runs its handler, whether clicked or opened
    // from a file; of the two buttons, the first changes with every choice.
    On(RadioButton1, &QRadioButton::toggled,
       [this] { RadioButton1->isChecked() ? RadioButton1Click() : RadioButton2Click(); });
    OnEach(this, &QAction::triggered,
           {{Otwrz1, &TForm9::Otwrz1Click}, {Zapisz1, &TForm9::Zapisz1Click}, {Zamknij1, &TForm9::Zamknij1Click},
            {tifta1, &TForm9::tifta1Click}, {Zalniasy1, &TForm9::Zalniasy1Click},
            {Algorytmsymulacji1, &TForm9::Algorytmsymulacji1Click},
            {Schematobliczeniowy1, &TForm9::Schematobliczeniowy1Click}});
}

std::array<QWidget*, 4> TForm9::SideBRow() const { return {SideBLabel, SideBSymbol, Edit10, SideBUnit}; }

void TForm9::ShowShape(bool rectangular) {
    SideALabel->setVisible(rectangular);
    SideASymbol->setVisible(rectangular);
    DiameterLabel->setVisible(!rectangular);
    DiameterSymbol->setVisible(!rectangular);
    for (QWidget* w : SideBRow()) w->setVisible(rectangular);
    // U of a plane wall is per m2 of wall, of a round duct per metre of duct.
    TransmittanceUnit->setText(rectangular ? kPlaneUnit : kPerMetreUnit);
}

void TForm9::RadioButton1Click() { ShowShape(true); }

void TForm9::RadioButton2Click() { ShowShape(false); }

InputTexts TForm9::CurrentInputs() const { return bindings_.Read(); }

FieldRows TForm9::Report(FieldRole role) const {
    FieldRows rows = bindings_.Report(role);
    if (RadioButton1->isChecked()) return rows;
    std::erase_if(rows, [](const FieldRow& row) { return row.label == kSideBLabel; });
    for (FieldRow& row : rows) {
        if (row.label == kSideALabel) {
            row.label = "Średnica przewodu";
            row.symbol = "D";
        } else if (row.label == kTransmittanceLabel) {
            row.unit = "W/(m·K)";
        }
    }
    return rows;
}

vimtal::Report TForm9::BuildReport() const {
    vimtal::Report report{ReportDocument(ToStd(windowTitle())), {}};
    ReportDocument& sheet = report.document;
    sheet.Inputs().Add(Report(FieldRole::Input));
    FieldRows results = Report(FieldRole::Result);
    std::erase_if(results, [](const FieldRow& row) { return row.value.empty(); });
    sheet.Results().Add(results);
    sheet.AddNotes(LabelUwagi->CurrentNotes());

    // The chart belongs to a run's results: its total time.
    if (Edit12->text().isEmpty()) return report;
    const InputTexts texts = CurrentInputs();
    const std::optional<std::string> refused = charts::ChartRefusal([&texts](MessageSink& messages) {
        SimulationListener quiet;
        return PrepareRequest(texts, kChartT0, messages, quiet).has_value();
    });
    if (refused) {
        // The inputs changed since the run and the chart would refuse them.
        sheet.AddParagraph("Wykres nie został narysowany: " + *refused);
        return report;
    }
    // In the proportions of the chart window; the air properties the chart
    // computes are not written back into the window.
    sheet.AddChart("ti", "Temperatura powietrza w kanale w funkcji czasu, ti = f(t)", 497, 305);
    auto chart = std::make_shared<CoolingCharts>(texts);
    report.charts["ti"] = charts::PageChart([chart](charts::Canvas& canvas, int W, int H) {
        chart->Draw(canvas, W, H, CurrentRunControl());
    });
    return report;
}

void TForm9::ShowOutsideAir(const AirState& outside) {
    Edit20->setText(FromStd(DensityText(outside.density)));
    Edit22->setText(FromStd(ViscosityText(outside.viscosity)));
}

void TForm9::ShowInsideAir(const InsideStart& inside) {
    Edit18->setText(FromStd(ReynoldsText(inside.reynolds)));
    Edit19->setText(FromStd(DensityText(inside.density)));
    Edit21->setText(FromStd(ViscosityText(inside.viscosity)));
}

void TForm9::Button1Click() {
    // The request runs on a copy of the inputs; the air properties and the
    // messages it gives are kept and shown once it has ended, the air first,
    // as it came.
    const InputTexts texts = CurrentInputs();
    AirProperties air;
    RecordingMessageSink messages;
    std::optional<Results> results;
    RunControl control;
    bool finished = false;
    // A request that is refused or fails leaves no notes of an earlier run;
    // an error leaves what was computed before it written.
    try {
        finished = RunWithProgress(this, control, [&] {
            results = RunSimulation(texts, kWindowT0, messages, air, {}, RunWatch(&control));
        });
    } catch (...) {
        LabelUwagi->ShowNotes({});
        air.ShowIn(*this);
        throw;
    }
    if (!finished) return;
    LabelUwagi->ShowNotes({});
    air.ShowIn(*this);
    for (const auto& m : messages.messages) platform().MessageBox(FromStd(m.text), FromStd(m.title));
    if (!results) return;
    const RunResult& run = results->run;
    Edit12->setText(FromStd(TimeText(run.totalTime)));
    Edit13->setText(FromStd(VelocityText(results->velocity)));
    Edit14->setText(FromStd(TemperatureText(run.finalTemperature)));
    Edit23->setText(FromStd(AlphaText(run.alphaInside)));
    Edit24->setText(FromStd(AlphaText(run.alphaOutside)));
    Edit25->setText(FromStd(HeatLossText(run.heatLoss)));
    Edit26->setText(FromStd(TransmittanceText(run.transmittance)));
    LabelUwagi->ShowNotes(results->notes);
}

void TForm9::Button2Click() { chart_->Open(); }

void TForm9::tifta1Click() { Button2Click(); }

void TForm9::Button3Click() { scheme_.ShowModal(); }

void TForm9::Schematobliczeniowy1Click() { Button3Click(); }

void TForm9::Zalniasy1Click() { assumptions_.ShowModal(); }

void TForm9::Algorytmsymulacji1Click() { platform().ShellOpen(QStringLiteral("kanał.pdf")); }

void TForm9::Zamknij1Click() { close(); }

namespace {
const QString kKanFilterText = QString::fromUtf8(kKanFilter);
const QString kKanExtensionText = QString::fromUtf8(kKanExtension);
}  // namespace

void TForm9::Zapisz1Click() { SaveAs(); }

bool TForm9::SaveAs() {
    // A save dialog must accept a new name; it asks before replacing a file.
    const std::optional<QString> path =
        platform().SaveFileDialog(platform().SaveRecordDialog(kKanFilterText, kKanExtensionText, savedFileName_));
    if (!path || path->isEmpty()) return false;
    savedFileName_ = *path;
    return Save(*path);
}

bool TForm9::Save(const QString& path) {
    const Bytes record = WorkRecord();
    const bool saved = Guarded([&] { WriteFileAtomically(ToStd(path), record); });
    if (!saved) return false;
    recentFiles_->Add(path);
    workFile_.Keep(record, path);
    return true;
}

// The record of the .kan file.
Bytes TForm9::WorkRecord() const { return kKanFormat.Encode(bindings_.ToRecord()); }

void TForm9::Otwrz1Click() {
    const std::optional<QString> path =
        platform().OpenFileDialog(platform().OpenRecordDialog(kKanFilterText, kKanExtensionText));
    if (!path || path->isEmpty()) return;
    Open(*path);
}

bool TForm9::Open(const QString& path) {
    const bool opened = Guarded([&] {
        // The whole record is read before any field changes; the fields are
        // written in the record's order, so the diameter copy of the size
        // comes last and wins.
        const KanRecord record = kKanFormat.Load(ToStd(path));
        bindings_.Load(kKanFormat, record);
    });
    if (!opened) return false;
    recentFiles_->Add(path);
    workFile_.Keep(WorkRecord(), path);
    return true;
}

}  // namespace vimtal

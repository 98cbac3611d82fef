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

#include <optional>

#include "core/ui/FileDrops.h"
#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/Platform.h"
#include "core/ui/RecentFiles.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
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
constexpr EditCaption kSideACaption{"Długość boku A", "A", "", "m"};
constexpr EditCaption kSideBCaption{"Długość boku B", "B", "", "m"};
constexpr EditCaption kTransmittanceCaption{"Współczynnik przenikania ciepła", "U", "i", "W/(m²·K)"};

// A Greek or Latin symbol with its subscript, bold and a little larger than
// the labels.
QLabel* Symbol(QWidget* parent, const QString& name, const QString& symbol, const QString& subscript = {}) {
    QString html = QStringLiteral("<b>%1</b>").arg(symbol);
    if (!subscript.isEmpty()) html += QStringLiteral("<sub>%1</sub>").arg(subscript);
    QLabel* label = NewLabel(parent, name, html);
    label->setTextFormat(Qt::RichText);
    SetFont(label, 10, true);
    label->setMinimumWidth(22);
    return label;
}

struct Row {
    QLabel* label;
    QLabel* symbol;
    QLabel* unit;
};

// A line of the window: the field, its name, caption, symbol with its
// subscript and unit as the window shows them; the model's text it gives
// (an input: also its text at start), how a report names it and where a
// .kan file keeps it.
struct FieldLine {
    QLineEdit** edit;
    const char* name;
    const char* caption;
    const char* symbol;
    const char* subscript;
    const char* unit;
    std::string InputTexts::*input;
    EditCaption report;
    std::string KanRecord::*record;
};


// One line of a group: caption, symbol, field, unit.
Row AddRow(QGridLayout* grid, int row, const QString& caption, QLabel* symbol, QLineEdit* edit, const QString& unit,
           int editWidth) {
    QWidget* parent = grid->parentWidget();
    Row r{NewLabel(parent, {}, caption), symbol, NewLabel(parent, {}, unit)};
    edit->setFixedWidth(editWidth);
    edit->setAlignment(Qt::AlignRight);
    grid->addWidget(r.label, row, 0);
    grid->addWidget(symbol, row, 1);
    grid->addWidget(edit, row, 2);
    grid->addWidget(r.unit, row, 3);
    return r;
}

QGridLayout* GroupGrid(QGroupBox* group) {
    QGridLayout* grid = NewGrid(group, {6, 4, 6, 4}, 4, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(3, 42);
    return grid;
}

QGroupBox* Group(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

// The window's own run: the air properties, and the wait cursor once the
// time steps begin.
class WindowListener : public AirPropertiesListener {
public:
    using AirPropertiesListener::AirPropertiesListener;
    void RunStarting() override { busy_.emplace(); }

private:
    std::optional<WaitCursor> busy_;  // for the time steps, not for the message boxes
};

}  // namespace

TForm9::TForm9(const FormLink& chart, const FormLink& assumptions, const FormLink& scheme)
    : Form(QStringLiteral("TForm9"), QStringLiteral("Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym")),
      chart_(chart),
      assumptions_(assumptions),
      scheme_(scheme) {
    InitDuctResources();
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    // Menus.
    QMenu* file = MenuBar()->addMenu(QStringLiteral("Plik...   "));
    file->setObjectName(QStringLiteral("Plik1"));
    Otwrz1 = NewAction(file, QStringLiteral("Otwrz1"), QStringLiteral("Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O),
                       QIcon(QStringLiteral(":/ductsim/icons/open.svg")));
    Zapisz1 = NewAction(file, QStringLiteral("Zapisz1"), QStringLiteral("Zapisz "), QKeySequence(Qt::CTRL | Qt::Key_S),
                        QIcon(QStringLiteral(":/ductsim/icons/save.svg")));
    Zamknij1 = NewAction(file, QStringLiteral("Zamknij1"), QStringLiteral("Zamknij"),
                         QKeySequence(Qt::CTRL | Qt::Key_X), QIcon(QStringLiteral(":/ductsim/icons/close.svg")));
    recentFiles_ = new RecentFiles(file, Zapisz1, QString::fromUtf8(kKanExtension),
                                   [this](const QString& path) { OpenFile(path); });
    AcceptDroppedFiles(this, QString::fromUtf8(kKanExtension), [this](const QString& path) { OpenFile(path); });
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

    SetClientSize(798, 526);
    QWidget* c = Client();
    auto* columns = new QHBoxLayout(c);
    columns->setContentsMargins(6, 4, 6, 6);
    columns->setSpacing(6);

    // Left: the boundary conditions.
    QGroupBox* conditions = Group(c, QStringLiteral("GroupBox1"), QStringLiteral("Warunki brzegowe"));
    SetTextColor(conditions, colors::Navy);
    auto* left = new QVBoxLayout(conditions);
    left->setContentsMargins(4, 2, 4, 4);
    left->setSpacing(4);

    const InputTexts defaults = DefaultInputTexts();
    // Each field is bound, as it is laid out, to its model text, report row
    // and place in a .kan file.
    using Bind = decltype(bindings_)::Row;
    auto input = [](QWidget* parent, QLineEdit*& edit, const char* name, const std::string& text) {
        edit = NewEdit(parent, QString::fromLatin1(name), FromStd(text));
        SetTextColor(edit, colors::Blue);
        return edit;
    };
    constexpr int kInputWidth = 58;

    QGroupBox* thermal =
        Group(conditions, QStringLiteral("GroupBox2"), QStringLiteral("Parametry termodynamiczne i przepływowe"));
    QGridLayout* g = GroupGrid(thermal);
    const FieldLine thermalLines[] = {
        {&Edit1, "Edit1", "Temperatura początkowa powietrza w kanale wentylacynym", "t", "i", "°C", &InputTexts::ti,
         {"Temperatura początkowa powietrza w kanale", "t", "i", "°C"}, &KanRecord::ti},
        {&Edit2, "Edit2", "Temperatura powietrza otaczającego kanał wentylacyjny", "t", "e", "°C", &InputTexts::te,
         {"Temperatura powietrza otaczającego kanał", "t", "e", "°C"}, &KanRecord::te},
        {&Edit15, "Edit15", "Wilgotność względna powietrza w kanale wentylacyjnym", "Φ", "i", "%", &InputTexts::phiI,
         {"Wilgotność względna powietrza w kanale", "Φ", "i", "%"}, &KanRecord::phiI},
        {&Edit16, "Edit16", "Wilgotność względna powietrza otaczającego kanał", "Φ", "e", "%", &InputTexts::phiE,
         {"Wilgotność względna powietrza otaczającego kanał", "Φ", "e", "%"}, &KanRecord::phiE},
        {&Edit17, "Edit17", "Ciśnienie atmosferyczne", "p", "b", "Pa", &InputTexts::pb,
         {"Ciśnienie atmosferyczne", "p", "b", "Pa"}, &KanRecord::pb},
        {&Edit3, "Edit3", "Natężenie przepływu powietrza", "V", "", "m3/h", &InputTexts::flow,
         {"Natężenie przepływu powietrza", "V", "", "m³/h"}, &KanRecord::flow},
        {&Edit4, "Edit4", "Współczynnik przewodzenia ciepła ścianki przewodu", "λ", "1", kPerMetre, &InputTexts::lambda1,
         {"Współczynnik przewodzenia ciepła ścianki przewodu", "λ", "1", kPerMetre}, &KanRecord::lambda1},
        {&Edit5, "Edit5", "Grubość ścianki przewodu wentylacyjnego", "δ", "1", "m", &InputTexts::delta1,
         {"Grubość ścianki przewodu", "δ", "1", "m"}, &KanRecord::delta1},
        {&Edit6, "Edit6", "Współczynnik przewodzenia ciepła izolacji przewodu", "λ", "2", kPerMetre, &InputTexts::lambda2,
         {"Współczynnik przewodzenia ciepła izolacji", "λ", "2", kPerMetre}, &KanRecord::lambda2},
        {&Edit7, "Edit7", "Grubość izolacji przewodu wentylacyjnego", "δ", "2", "m", &InputTexts::delta2,
         {"Grubość izolacji", "δ", "2", "m"}, &KanRecord::delta2},
    };
    int line = 0;
    for (const FieldLine& l : thermalLines) {
        AddRow(g, line++, QString::fromUtf8(l.caption), Symbol(thermal, {}, QString::fromUtf8(l.symbol), QString::fromUtf8(l.subscript)),
               input(thermal, *l.edit, l.name, defaults.*l.input), QString::fromUtf8(l.unit), kInputWidth);
        bindings_.Add(Bind::Edit(*l.edit, FieldRole::Input, l.report, l.input, l.record));
    }
    left->addWidget(thermal);

    QGroupBox* geometry = Group(conditions, QStringLiteral("GroupBox3"), QStringLiteral("Geometria przewodu"));
    g = GroupGrid(geometry);
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
    bindings_.Add(Bind::Choice(RadioButton1, RadioButton2, {"Przekrój", "prostokątny", "okrągły"},
                               &InputTexts::rectangular, &KanRecord::rectangular));
    AddRow(g, 1, QStringLiteral("Długość kanału wentylacyjnego"), Symbol(geometry, {}, QStringLiteral("L")),
           input(geometry, Edit8, "Edit8", defaults.length), QStringLiteral("m"), kInputWidth);
    bindings_.Add(Bind::Edit(Edit8, FieldRole::Input, {"Długość przewodu", "L", "", "m"}, &InputTexts::length,
                             &KanRecord::length));
    // Edit9 holds side A of a rectangular duct or the diameter of a round
    // one; the captions in front of it change with the shape.
    SideASymbol = Symbol(geometry, QStringLiteral("SideASymbol"), QStringLiteral("A"));
    const Row sizeRow = AddRow(g, 2, QStringLiteral("Długość boku"), SideASymbol,
                               input(geometry, Edit9, "Edit9", defaults.sideA), QStringLiteral("m"), kInputWidth);
    SideALabel = sizeRow.label;
    SideALabel->setObjectName(QStringLiteral("SideALabel"));
    DiameterLabel = NewLabel(geometry, QStringLiteral("DiameterLabel"), QStringLiteral("Średnica przewodu"));
    DiameterSymbol = Symbol(geometry, QStringLiteral("DiameterSymbol"), QStringLiteral("Φ"));
    g->addWidget(DiameterLabel, 2, 0);
    g->addWidget(DiameterSymbol, 2, 1);
    SideBSymbol = Symbol(geometry, QStringLiteral("SideBSymbol"), QStringLiteral("B"));
    const Row sideB = AddRow(g, 3, QStringLiteral("Długość boku"), SideBSymbol,
                             input(geometry, Edit10, "Edit10", defaults.sideB), QStringLiteral("m"), kInputWidth);
    SideBLabel = sideB.label;
    SideBLabel->setObjectName(QStringLiteral("SideBLabel"));
    SideBUnit = sideB.unit;
    SideBUnit->setObjectName(QStringLiteral("SideBUnit"));
    // The row of side B keeps its place while a round duct hides it.
    for (QWidget* w : {static_cast<QWidget*>(SideBLabel), static_cast<QWidget*>(SideBSymbol),
                       static_cast<QWidget*>(Edit10), static_cast<QWidget*>(SideBUnit)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    bindings_.Add(Bind::Edit(Edit9, FieldRole::Input, kSideACaption, &InputTexts::sideA, &KanRecord::sideA));
    bindings_.Add(Bind::Edit(Edit10, FieldRole::Input, kSideBCaption, &InputTexts::sideB, &KanRecord::sideB));
    // The size once more, as the diameter of a round duct.
    bindings_.Add(Bind::Edit(Edit9, FieldRole::Input, {}, nullptr, &KanRecord::diameter));
    left->addWidget(geometry);

    QGroupBox* timeStep = Group(conditions, QStringLiteral("GroupBox4"), QStringLiteral("Krok czasowy symulacji"));
    g = GroupGrid(timeStep);
    AddRow(g, 0, QStringLiteral("Długość kroku czasowego symulacji"), Symbol(timeStep, {}, QStringLiteral("dτ")),
           input(timeStep, Edit11, "Edit11", defaults.timeStep), QStringLiteral("s"), kInputWidth);
    bindings_.Add(Bind::Edit(Edit11, FieldRole::Input, {"Krok czasowy symulacji", "dτ", "", "s"},
                             &InputTexts::timeStep, &KanRecord::timeStep));
    left->addWidget(timeStep);
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
    columns->addWidget(conditions, 1);

    // Right: the results.
    QGroupBox* results = Group(c, QStringLiteral("GroupBox5"), QStringLiteral("Wyniki symulacji"));
    SetTextColor(results, colors::Navy);
    auto* right = new QVBoxLayout(results);
    right->setContentsMargins(6, 6, 6, 6);
    g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(6);
    g->setColumnStretch(0, 1);
    g->setColumnMinimumWidth(3, 42);
    right->addLayout(g);
    auto result = [&](QLineEdit*& edit, const char* name) {
        edit = NewEdit(results, QString::fromLatin1(name));
        SetTextColor(edit, colors::Maroon);
        return edit;
    };
    constexpr int kResultWidth = 76;
    const FieldLine resultLines[] = {
        {&Edit12, "Edit12", "Czas całkowity symulacji", "τ", "c", "s", nullptr,
         {"Czas całkowity symulacji", "τ", "c", "s"}, &KanRecord::totalTime},
        {&Edit13, "Edit13", "Prędkość przepływu w kanale", "w", "i", "m/s", nullptr,
         {"Prędkość przepływu w kanale", "w", "i", "m/s"}, &KanRecord::velocity},
        {&Edit14, "Edit14", "Temperatura końcowa powietrza", "t", "k", "°C", nullptr,
         {"Temperatura końcowa powietrza", "t", "k", "°C"}, &KanRecord::finalTemperature},
        {&Edit18, "Edit18", "Liczba Reynoldsa", "Re", "", "-------", nullptr, {"Liczba Reynoldsa", "Re", "", ""},
         &KanRecord::reynolds},
        {&Edit19, "Edit19", "Gęstość powietrza wewn.", "ρ", "i", "kg/m3", nullptr,
         {"Gęstość powietrza w kanale", "ρ", "i", "kg/m³"}, &KanRecord::densityInside},
        {&Edit20, "Edit20", "Gęstość powietrza zewn.", "ρ", "e", "kg/m3", nullptr,
         {"Gęstość powietrza otaczającego kanał", "ρ", "e", "kg/m³"}, &KanRecord::densityOutside},
        {&Edit21, "Edit21", "Lepkość powietrza wewn.", "η", "i", "m2/s", nullptr,
         {"Lepkość kinematyczna powietrza w kanale", "η", "i", "m²/s"}, &KanRecord::viscosityInside},
        {&Edit22, "Edit22", "Lepkość powietrza zewn.", "η", "e", "m2/s", nullptr,
         {"Lepkość kinematyczna powietrza otaczającego kanał", "η", "e", "m²/s"}, &KanRecord::viscosityOutside},
        {&Edit23, "Edit23", "Wsp. konwekcji wewn.", "α", "i", "W/m2K", nullptr,
         {"Współczynnik konwekcji wewnątrz przewodu", "α", "i", "W/(m²·K)"}, &KanRecord::alphaInside},
        {&Edit24, "Edit24", "Wsp. konwekcji zewn.", "α", "e", "W/m2K", nullptr,
         {"Współczynnik konwekcji na zewnątrz przewodu", "α", "e", "W/(m²·K)"}, &KanRecord::alphaOutside},
        {&Edit26, "Edit26", "Wsp. przenikania ciepła", "U", "i", "W/m2K", nullptr, kTransmittanceCaption,
         &KanRecord::transmittance},
        {&Edit25, "Edit25", "Strata ciepła", "ΔQ", "", "W", nullptr, {"Strata ciepła", "ΔQ", "", "W"},
         &KanRecord::heatLoss},
    };
    line = 0;
    for (const FieldLine& l : resultLines) {
        const Row added = AddRow(g, line++, QString::fromUtf8(l.caption),
                                 Symbol(results, {}, QString::fromUtf8(l.symbol), QString::fromUtf8(l.subscript)),
                                 result(*l.edit, l.name), QString::fromUtf8(l.unit), kResultWidth);
        bindings_.Add(Bind::Edit(*l.edit, FieldRole::Result, l.report, nullptr, l.record));
        if (*l.edit == Edit26) {
            TransmittanceUnit = added.unit;
            TransmittanceUnit->setObjectName(QStringLiteral("TransmittanceUnit"));
        }
    }
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
    columns->addWidget(results, 0);

    ShowShape(true);
    // In the free space of the results, above the buttons.
    LabelUwagi = new NotesLabel(c, 470, 396, 312);


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

void TForm9::ShowShape(bool rectangular) {
    SideALabel->setVisible(rectangular);
    SideASymbol->setVisible(rectangular);
    DiameterLabel->setVisible(!rectangular);
    DiameterSymbol->setVisible(!rectangular);
    for (QWidget* w : {static_cast<QWidget*>(SideBLabel), static_cast<QWidget*>(SideBSymbol),
                       static_cast<QWidget*>(Edit10), static_cast<QWidget*>(SideBUnit)}) {
        w->setVisible(rectangular);
    }
    // U of a plane wall is per m2 of wall, of a round duct per metre of duct.
    TransmittanceUnit->setText(rectangular ? kPlaneUnit : kPerMetreUnit);
}

void TForm9::RadioButton1Click() { ShowShape(true); }

void TForm9::RadioButton2Click() { ShowShape(false); }

InputTexts TForm9::CurrentInputs() const { return bindings_.Read(); }

FieldRows TForm9::Report(FieldRole role) const {
    FieldRows rows = bindings_.Report(role);
    if (RadioButton1->isChecked()) return rows;
    std::erase_if(rows, [](const FieldRow& row) { return row.label == kSideBCaption.label; });
    for (FieldRow& row : rows) {
        if (row.label == kSideACaption.label) {
            row.label = "Średnica przewodu";
            row.symbol = "D";
        } else if (row.label == kTransmittanceCaption.label) {
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
    report.charts["ti"] = charts::PageChart([texts](charts::Canvas& canvas, int W, int H) {
        RecordingMessageSink messages;
        SimulationListener quiet;
        DrawCoolingChart(canvas, W, H, texts, messages, quiet);
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
    WindowListener listener(*this);
    PlatformMessages messages;
    // A request that is refused or fails leaves no notes of an earlier run.
    LabelUwagi->ShowNotes({});
    const std::optional<Results> results = RunSimulation(CurrentInputs(), kWindowT0, messages, listener);
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

void TForm9::Button2Click() { chart_.ShowModal(); }

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

void TForm9::Zapisz1Click() {
    // A save dialog must accept a new name; it asks before replacing a file.
    const std::optional<QString> path =
        platform().SaveFileDialog(platform().SaveRecordDialog(kKanFilterText, kKanExtensionText, savedFileName_));
    if (!path || path->isEmpty()) return;
    savedFileName_ = *path;
    SaveFile(*path);
}

void TForm9::SaveFile(const QString& path) {
    if (Guarded([&] { kKanFormat.Save(ToStd(path), bindings_.ToRecord()); })) recentFiles_->Add(path);
}

void TForm9::Otwrz1Click() {
    const std::optional<QString> path =
        platform().OpenFileDialog(platform().OpenRecordDialog(kKanFilterText, kKanExtensionText));
    if (!path || path->isEmpty()) return;
    OpenFile(*path);
}

bool TForm9::OpenFile(const QString& path) {
    const bool opened = Guarded([&] {
        // The whole record is read before any field changes; the fields are
        // written in the record's order, so the diameter copy of the size
        // comes last and wins.
        const KanRecord record = kKanFormat.Load(ToStd(path));
        bindings_.Load(kKanFormat, record);
    });
    if (opened) recentFiles_->Add(path);
    return opened;
}

}  // namespace vimtal

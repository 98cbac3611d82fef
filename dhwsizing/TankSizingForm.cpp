#include "dhwsizing/TankSizingForm.h"

#include "core/Numbers.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"
#include "dhwsim/DhwSimForm.h"
#include "dhwsim/FieldLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vimtal {

namespace {

const char* const kAccumulationHint =
    "Współczynnik określający stosunek pełnego pokrycia zapotrzebowania na CWU przez zasobnik do pełnego pokrycia "
    "zapotrzebowania na CWU przez podgrzew przepływowy";
const QString kOptimumHint = QStringLiteral("Wartości optymalne w zakresie 0,1 - 0,35");

// Both groups: the captions take the spare width.
QGridLayout* Grid(QGroupBox* group) { return FieldGrid(group, {8, 8, 6, 8}, 5, 5); }

}  // namespace

// A row of either group: the box, the window's caption, symbol and unit, the
// caption's hint, how a report names the row and the text it binds. An input
// starts with the model's usual value.
struct TForm19::Row {
    QLineEdit* TForm19::*edit;
    const char* name;
    const char* caption;
    const char* symbol;
    bool greek;          // drawn in the symbol font
    const char* unit;    // null: degrees
    const char* hint;    // of the caption; may be null
    bool readOnly;       // a result to read, not to change
    EditCaption report;  // without a label: left out of reports
    std::string SizingBoxes::*text;
};

struct TForm19::RowWidgets {
    QLabel* caption;
    QLabel* symbol;
    QLineEdit* edit;
    QLabel* unit;
};

TForm19::RowWidgets TForm19::AddRow(QGroupBox* group, QGridLayout* grid, int line, FieldRole role, const Row& r,
                                    int width) {
    RowWidgets w{};
    w.caption = NewLabel(group, {}, QString::fromUtf8(r.caption));
    if (r.hint) w.caption->setToolTip(QString::fromUtf8(r.hint));
    w.edit = this->*r.edit = NewEdit(group, QString::fromLatin1(r.name), FromStd(SizingBoxes{}.*r.text));
    w.edit->setFixedWidth(width);
    if (r.readOnly) {
        w.edit->setReadOnly(true);
        SetBaseColor(w.edit, colors::InfoBackground);
    }
    w.symbol = NewLabel(group, {}, QString::fromUtf8(r.symbol));
    if (r.greek) SetFont(w.symbol, 10, true);
    w.unit = UnitLabel(group, r.unit);
    grid->addWidget(w.caption, line, 0);
    grid->addWidget(w.symbol, line, 1);
    grid->addWidget(w.edit, line, 2);
    grid->addWidget(w.unit, line, 3);
    fields_.Add(Fields::Row::Edit(w.edit, role, r.report, r.text));
    return w;
}

TForm19::TForm19(TForm5& simulation)
    : Form(QStringLiteral("TForm19"),
           QStringLiteral("Dobór mocy oraz pojemności zasobnika CWU wg. PN PN-90/B-01706 (mieszkania)")),
      simulation_(simulation) {
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    SetClientSize(823, 320);
    auto* columns = new QHBoxLayout(Client());
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(10);
    GroupBox1 = new QGroupBox(QStringLiteral("Dane"), Client());
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox2 = new QGroupBox(QStringLiteral("Wyniki"), Client());
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    BuildInputs(GroupBox1);
    BuildResults(GroupBox2);
    columns->addWidget(GroupBox1, 0);
    columns->addWidget(GroupBox2, 1);

    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
    On(Button2, &QPushButton::clicked, [this] { Button2Click(); });
    AddReportActions(this, nullptr, nullptr, QStringLiteral("dobor_zasobnika_cwu.pdf"), [this] { return BuildReport(); });
}

void TForm19::BuildInputs(QGroupBox* group) {
    using T = dhwsizing::SizingTexts;
    QGridLayout* grid = Grid(group);
    const Row rows[] = {
        {&TForm19::Edit1, "Edit1", "Ilość mieszkań w budynku", "n", false, "szt.", nullptr, false,
         {"Liczba mieszkań w budynku", "n", "", "szt."}, &T::dwellings},
        {&TForm19::Edit2, "Edit2", "Ilość osób na mieszkanie", "k", false, "os/szt.", nullptr, false,
         {"Liczba osób na mieszkanie", "k", "", "os./mieszk."}, &T::persons},
        {&TForm19::Edit3, "Edit3", "Dobowe zapotrzegowanie CWU/osobę", "qc", false, "dm3/doba", nullptr, false,
         {"Dobowe zapotrzebowanie na CWU na osobę", "q", "c", "dm³/doba"}, &T::dailyDemand},
        {&TForm19::Edit4, "Edit4", "Liczba godzin korzystania z CWU", "τ", true, "h", nullptr, false,
         {"Liczba godzin korzystania z CWU na dobę", "τ", "", "h"}, &T::hours},
        {&TForm19::Edit5, "Edit5", "Współczynnik akumulacji zasobnika", "Φ", true, "---", kAccumulationHint, false,
         {"Współczynnik akumulacji zasobnika", "Φ", "", ""}, &T::accumulation},
        {&TForm19::Edit6, "Edit6", "Temperatura wody zimnej", "tz", false, nullptr, nullptr, false,
         {"Temperatura wody zimnej", "t", "z", "°C"}, &T::coldWater},
        {&TForm19::Edit7, "Edit7", "Temperatura wody ciepłej", "tc", false, nullptr, nullptr, false,
         {"Temperatura wody ciepłej", "t", "c", "°C"}, &T::hotWater},
    };
    int line = 0;
    for (const Row& r : rows) AddRow(group, grid, line++, FieldRole::Input, r, 64);
    for (QLineEdit* edit : {Edit5, Edit6, Edit7}) edit->setToolTip(kOptimumHint);

    Button2 = NewButton(group, QStringLiteral("Button2"), QStringLiteral("Symuluj czas ładaowania dobranego zasobnika CWU"));
    Button1 = NewButton(group, QStringLiteral("Button1"), QStringLiteral("Oblicz"));
    for (QPushButton* b : {Button1, Button2}) b->setMinimumHeight(26);
    grid->setRowStretch(line, 1);
    grid->addWidget(Button2, line + 1, 0, 1, 4);
    grid->addWidget(Button1, line + 2, 0, 1, 4);
}

void TForm19::BuildResults(QGroupBox* group) {
    using R = dhwsizing::SizingResults;
    QGridLayout* grid = Grid(group);
    const Row rows[] = {
        {&TForm19::Edit8, "Edit8", "Średniodobowe zapotrzebowanie CWU", "qds", false, "dm3/doba", nullptr, true,
         {"Średniodobowe zapotrzebowanie na CWU", "q", "ds", "dm³/doba"}, &R::qds},
        {&TForm19::Edit9, "Edit9", "Średniogodzinowe zapotrzebowanie CWU", "qhs", false, "dm3/h", nullptr, true,
         {"Średniogodzinowe zapotrzebowanie na CWU", "q", "hs", "dm³/h"}, &R::qhs},
        {&TForm19::Edit10, "Edit10", "Max. godzinowe zapotrzebowanie CWU", "qhm", false, "dm3/h", nullptr, true,
         {"Maksymalne godzinowe zapotrzebowanie na CWU", "q", "hm", "dm³/h"}, &R::qhm},
        {&TForm19::Edit11, "Edit11", "Wsp. godzinowej nierównomierności rozbioru", "Nh", false, "-----", nullptr, true,
         {"Współczynnik godzinowej nierównomierności rozbioru", "N", "h", ""}, &R::Nh},
        {&TForm19::Edit12, "Edit12", "Obliczeniowa pojemność zasobnika CWU", "Voz", false, "dm3", nullptr, true,
         {"Obliczeniowa pojemność zasobnika CWU", "V", "oz", "dm³"}, &R::Voz},
        {&TForm19::Edit13, "Edit13", "Dobrana pojemność zasobnika CWU", "Vdz", false, "dm3", nullptr, false,
         {"Dobrana pojemność zasobnika CWU", "V", "dz", "dm³"}, &R::Vdz},
        {&TForm19::Edit14, "Edit14", "Wymagana moc cieplna dla układu z zasobnikiem", "Qdz", false, "kW",
         "Wymagana moc wężownicy i żródła ciepła dobranego zasobnika CWU", false,
         {"Wymagana moc cieplna dla układu z zasobnikiem", "Q", "dz", "kW"}, &R::Qdz},
        {&TForm19::Edit16, "Edit16", "Wymagana moc cieplna dla układu bez zasobnika", "Qbz", false, "kW",
         "Wymagana moc dla podgrzewacza przepływowego", false,
         {"Wymagana moc cieplna dla układu bez zasobnika", "Q", "bz", "kW"}, &R::Qbz},
        // The actual accumulation is computed but not shown.
        {&TForm19::Edit15, "Edit15", "Rzeczyisty wsp. akumulacji zasobnika CWU", "Φr", true, "-----", nullptr, false,
         {}, &R::phiR},
    };
    int line = 0;
    for (const Row& r : rows) {
        const RowWidgets w = AddRow(group, grid, line++, FieldRole::Result, r, 68);
        w.unit->setToolTip(QString::fromUtf8(kAccumulationHint));
        if (r.edit == &TForm19::Edit15) {
            for (QWidget* hidden : std::initializer_list<QWidget*>{w.caption, w.symbol, w.edit, w.unit}) hidden->hide();
        }
    }
    grid->setRowStretch(line, 1);
}

void TForm19::Button1Click() {
    PlatformMessages messages;
    SizingBoxes boxes = fields_.Read();
    static_cast<dhwsizing::SizingResults&>(boxes) = dhwsizing::Calculate(values_, boxes, messages);
    fields_.Write(boxes, FieldRole::Result);
}

void TForm19::Button2Click() {
    const double H = dhwsizing::TankHeight(ToStd(Edit13->text()));
    // The sized tank (0,5 m in diameter), the cold water temperature, the
    // sized power and the hot water temperature; the simulation's own
    // "Symulacja" follows. An error there ends this handler and the window
    // does not open.
    simulation_.RunTank({FromStd(FloatToStr(H)), QStringLiteral("0,5"), Edit6->text(), Edit14->text(), Edit7->text()});
    platform().ShowModal(&simulation_);
}

vimtal::Report TForm19::BuildReport() const {
    vimtal::Report report{ReportDocument(ToStd(windowTitle())), {}};
    report.document.Inputs().Add(Report(FieldRole::Input));
    // The results computed so far ("Brak wyników" before "Oblicz").
    report.document.Results().Add(
        fields_.Report(FieldRole::Result, [](const Fields::Row& r) { return !r.edit->text().isEmpty(); }));
    return report;
}

}  // namespace vimtal

#include "dhwsizing/TankSizingForm.h"

#include "core/Numbers.h"
#include "core/ui/FieldGrid.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"
#include "dhwsim/DhwSimForm.h"

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

// Caption, symbol (a Greek one in bold), box and unit, "°C" as a raised "o"
// before the "C"; the results' boxes a little wider.
const FieldLook kInputLook{.symbol = FieldLook::Symbol::BoldGreek, .boxWidth = 64, .raisedDegrees = true};
const FieldLook kResultLook{.symbol = FieldLook::Symbol::BoldGreek, .boxWidth = 68, .raisedDegrees = true};

constexpr FieldRole kIn = FieldRole::Input;
constexpr FieldRole kOut = FieldRole::Result;

}  // namespace

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
    // An input starts with the model's usual value.
    const Fields::Row rows[] = {
        {"Edit1", &Edit1, {"Ilość mieszkań w budynku", "n", nullptr, "szt."}, {"Liczba mieszkań w budynku"}, kIn,
         &T::dwellings},
        {"Edit2", &Edit2, {"Ilość osób na mieszkanie", "k", nullptr, "os/szt."},
         {"Liczba osób na mieszkanie", nullptr, nullptr, "os./mieszk."}, kIn, &T::persons},
        {"Edit3", &Edit3, {"Dobowe zapotrzegowanie CWU/osobę", "q", "c", "dm3/doba"},
         {"Dobowe zapotrzebowanie na CWU na osobę", nullptr, nullptr, "dm³/doba"}, kIn, &T::dailyDemand},
        {"Edit4", &Edit4, {"Liczba godzin korzystania z CWU", "τ", nullptr, "h"},
         {"Liczba godzin korzystania z CWU na dobę"}, kIn, &T::hours},
        {"Edit5", &Edit5, {"Współczynnik akumulacji zasobnika", "Φ", nullptr, "---"}, {.unit = ""}, kIn,
         &T::accumulation},
        {"Edit6", &Edit6, {"Temperatura wody zimnej", "t", "z", "°C"}, {}, kIn, &T::coldWater},
        {"Edit7", &Edit7, {"Temperatura wody ciepłej", "t", "c", "°C"}, {}, kIn, &T::hotWater},
    };
    const std::vector<FieldRowWidgets> laid = LayFields(grid, 0, rows, kInputLook, fields_, SizingBoxes{});
    laid[4].caption->setToolTip(QString::fromUtf8(kAccumulationHint));
    for (QLineEdit* edit : {Edit5, Edit6, Edit7}) edit->setToolTip(kOptimumHint);

    const int line = static_cast<int>(laid.size());
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
    const Fields::Row rows[] = {
        {"Edit8", &Edit8, {"Średniodobowe zapotrzebowanie CWU", "q", "ds", "dm3/doba"},
         {"Średniodobowe zapotrzebowanie na CWU", nullptr, nullptr, "dm³/doba"}, kOut, &R::qds},
        {"Edit9", &Edit9, {"Średniogodzinowe zapotrzebowanie CWU", "q", "hs", "dm3/h"},
         {"Średniogodzinowe zapotrzebowanie na CWU", nullptr, nullptr, "dm³/h"}, kOut, &R::qhs},
        {"Edit10", &Edit10, {"Max. godzinowe zapotrzebowanie CWU", "q", "hm", "dm3/h"},
         {"Maksymalne godzinowe zapotrzebowanie na CWU", nullptr, nullptr, "dm³/h"}, kOut, &R::qhm},
        {"Edit11", &Edit11, {"Wsp. godzinowej nierównomierności rozbioru", "N", "h", "-----"},
         {"Współczynnik godzinowej nierównomierności rozbioru", nullptr, nullptr, ""}, kOut, &R::Nh},
        {"Edit12", &Edit12, {"Obliczeniowa pojemność zasobnika CWU", "V", "oz", "dm3"}, {.unit = "dm³"}, kOut, &R::Voz},
        {"Edit13", &Edit13, {"Dobrana pojemność zasobnika CWU", "V", "dz", "dm3"}, {.unit = "dm³"}, kOut, &R::Vdz},
        {"Edit14", &Edit14, {"Wymagana moc cieplna dla układu z zasobnikiem", "Q", "dz", "kW"}, {}, kOut, &R::Qdz},
        {"Edit16", &Edit16, {"Wymagana moc cieplna dla układu bez zasobnika", "Q", "bz", "kW"}, {}, kOut, &R::Qbz},
        // The actual accumulation is computed but not shown.
        {"Edit15", &Edit15, {"Rzeczyisty wsp. akumulacji zasobnika CWU", "Φ", "r", "-----"}, kNotReported, kOut,
         &R::phiR},
    };
    const std::vector<FieldRowWidgets> laid = LayFields(grid, 0, rows, kResultLook, fields_);
    for (const FieldRowWidgets& w : laid) w.unit->setToolTip(QString::fromUtf8(kAccumulationHint));
    // The sizes computed, to read; the chosen capacity and the powers may be
    // changed by the user.
    for (QLineEdit* edit : {Edit8, Edit9, Edit10, Edit11, Edit12}) {
        edit->setReadOnly(true);
        SetBaseColor(edit, colors::InfoBackground);
    }
    laid[6].caption->setToolTip(QStringLiteral("Wymagana moc wężownicy i żródła ciepła dobranego zasobnika CWU"));
    laid[7].caption->setToolTip(QStringLiteral("Wymagana moc dla podgrzewacza przepływowego"));
    const FieldRowWidgets& hidden = laid.back();
    for (QWidget* w : std::initializer_list<QWidget*>{hidden.caption, hidden.symbol, hidden.box, hidden.unit}) w->hide();
    grid->setRowStretch(static_cast<int>(laid.size()), 1);
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
    // does not open; nor does it after "Anuluj", which leaves it as it was.
    if (!simulation_.RunTank(
            {FromStd(FloatToStr(H)), QStringLiteral("0,5"), Edit6->text(), Edit14->text(), Edit7->text()})) {
        return;
    }
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

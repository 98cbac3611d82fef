#include "dhwsizing/TankSizingForm.h"

#include "core/Numbers.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
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

const QString kAccumulationHint = QStringLiteral(
    "Współczynnik określający stosunek pełnego pokrycia zapotrzebowania na CWU przez zasobnik do pełnego pokrycia "
    "zapotrzebowania na CWU przez podgrzew przepływowy");
const QString kOptimumHint = QStringLiteral("Wartości optymalne w zakresie 0,1 - 0,35");

struct Row {
    QLineEdit** edit;
    const char* name;
    const char* caption;
    const char* symbol;
    bool greek;        // drawn in the symbol font
    const char* unit;  // null: degrees
    const char* text;
};

QLabel* Symbol(QWidget* parent, const Row& r) {
    QLabel* label = NewLabel(parent, {}, QString::fromUtf8(r.symbol));
    if (r.greek) SetFont(label, 10, true);
    return label;
}

QLabel* Unit(QWidget* parent, const Row& r) {
    return NewLabel(parent, {}, r.unit ? QString::fromUtf8(r.unit) : QStringLiteral("<sup>o</sup>C"));
}

QGridLayout* Grid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 8, 6, 8);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(5);
    grid->setColumnStretch(0, 1);
    return grid;
}

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
}

void TForm19::BuildInputs(QGroupBox* group) {
    QGridLayout* grid = Grid(group);
    const Row rows[] = {
        {&Edit1, "Edit1", "Ilość mieszkań w budynku", "n", false, "szt.", "1"},
        {&Edit2, "Edit2", "Ilość osób na mieszkanie", "k", false, "os/szt.", "4"},
        {&Edit3, "Edit3", "Dobowe zapotrzegowanie CWU/osobę", "qc", false, "dm3/doba", "130"},
        {&Edit4, "Edit4", "Liczba godzin korzystania z CWU", "τ", true, "h", "15"},
        {&Edit5, "Edit5", "Współczynnik akumulacji zasobnika", "Φ", true, "---", "0,35"},
        {&Edit6, "Edit6", "Temperatura wody zimnej", "tz", false, nullptr, "10"},
        {&Edit7, "Edit7", "Temperatura wody ciepłej", "tc", false, nullptr, "60"},
    };
    int line = 0;
    for (const Row& r : rows) {
        QLabel* caption = NewLabel(group, {}, QString::fromUtf8(r.caption));
        *r.edit = NewEdit(group, QString::fromLatin1(r.name), QString::fromUtf8(r.text));
        (*r.edit)->setFixedWidth(64);
        grid->addWidget(caption, line, 0);
        grid->addWidget(Symbol(group, r), line, 1);
        grid->addWidget(*r.edit, line, 2);
        grid->addWidget(Unit(group, r), line, 3);
        if (r.edit == &Edit5) caption->setToolTip(kAccumulationHint);
        ++line;
    }
    for (QLineEdit* edit : {Edit5, Edit6, Edit7}) edit->setToolTip(kOptimumHint);

    Button2 = NewButton(group, QStringLiteral("Button2"), QStringLiteral("Symuluj czas ładaowania dobranego zasobnika CWU"));
    Button1 = NewButton(group, QStringLiteral("Button1"), QStringLiteral("Oblicz"));
    for (QPushButton* b : {Button1, Button2}) b->setMinimumHeight(26);
    grid->setRowStretch(line, 1);
    grid->addWidget(Button2, line + 1, 0, 1, 4);
    grid->addWidget(Button1, line + 2, 0, 1, 4);
}

void TForm19::BuildResults(QGroupBox* group) {
    QGridLayout* grid = Grid(group);
    struct Result {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        const char* symbol;
        bool greek;
        const char* unit;
        bool editable;
        const char* hint;
    } rows[] = {
        {&Edit8, "Edit8", "Średniodobowe zapotrzebowanie CWU", "qds", false, "dm3/doba", false, nullptr},
        {&Edit9, "Edit9", "Średniogodzinowe zapotrzebowanie CWU", "qhs", false, "dm3/h", false, nullptr},
        {&Edit10, "Edit10", "Max. godzinowe zapotrzebowanie CWU", "qhm", false, "dm3/h", false, nullptr},
        {&Edit11, "Edit11", "Wsp. godzinowej nierównomierności rozbioru", "Nh", false, "-----", false, nullptr},
        {&Edit12, "Edit12", "Obliczeniowa pojemność zasobnika CWU", "Voz", false, "dm3", false, nullptr},
        {&Edit13, "Edit13", "Dobrana pojemność zasobnika CWU", "Vdz", false, "dm3", true, nullptr},
        {&Edit14, "Edit14", "Wymagana moc cieplna dla układu z zasobnikiem", "Qdz", false, "kW", true,
         "Wymagana moc wężownicy i żródła ciepła dobranego zasobnika CWU"},
        {&Edit16, "Edit16", "Wymagana moc cieplna dla układu bez zasobnika", "Qbz", false, "kW", true,
         "Wymagana moc dla podgrzewacza przepływowego"},
        {&Edit15, "Edit15", "Rzeczyisty wsp. akumulacji zasobnika CWU", "Φr", true, "-----", true, nullptr},
    };
    int line = 0;
    for (const Result& r : rows) {
        QLabel* caption = NewLabel(group, {}, QString::fromUtf8(r.caption));
        QLabel* symbol = NewLabel(group, {}, QString::fromUtf8(r.symbol));
        if (r.greek) SetFont(symbol, 10, true);
        QLabel* unit = NewLabel(group, {}, QString::fromUtf8(r.unit));
        unit->setToolTip(kAccumulationHint);
        if (r.hint) caption->setToolTip(QString::fromUtf8(r.hint));
        *r.edit = NewEdit(group, QString::fromLatin1(r.name));
        (*r.edit)->setFixedWidth(68);
        if (!r.editable) {
            // A result to read, not to change.
            (*r.edit)->setReadOnly(true);
            SetBaseColor(*r.edit, colors::InfoBackground);
        }
        grid->addWidget(caption, line, 0);
        grid->addWidget(symbol, line, 1);
        grid->addWidget(*r.edit, line, 2);
        grid->addWidget(unit, line, 3);
        if (r.edit == &Edit15) {
            // The actual accumulation is computed but not shown.
            for (QWidget* w : std::initializer_list<QWidget*>{caption, symbol, Edit15, unit}) w->hide();
        }
        ++line;
    }
    grid->setRowStretch(line, 1);
}

void TForm19::Button1Click() {
    const dhwsizing::SizingTexts texts{ToStd(Edit1->text()), ToStd(Edit2->text()), ToStd(Edit3->text()),
                                       ToStd(Edit4->text()), ToStd(Edit5->text()), ToStd(Edit6->text()),
                                       ToStd(Edit7->text())};
    PlatformMessages messages;
    const dhwsizing::SizingResults r = dhwsizing::Calculate(values_, texts, messages);
    const std::pair<QLineEdit*, const std::string*> results[] = {
        {Edit8, &r.qds}, {Edit9, &r.qhs},  {Edit10, &r.qhm}, {Edit11, &r.Nh},  {Edit12, &r.Voz},
        {Edit13, &r.Vdz}, {Edit14, &r.Qdz}, {Edit16, &r.Qbz}, {Edit15, &r.phiR},
    };
    for (const auto& [edit, text] : results) edit->setText(FromStd(*text));
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

}  // namespace vimtal

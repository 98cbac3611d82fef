#include "orifice/OrificeForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/AmbientAir.h"
#include "core/ui/FieldGrid.h"
#include "core/ui/Guard.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "core/ui/Widgets.h"
#include "orifice/OrificeSizing.h"

namespace vimtal {

namespace {

constexpr const char* kRoundSizeText = "Podaj srednicę przewodu";
const QString kRoundSize = QString::fromUtf8(kRoundSizeText);
const QString kSideA = QStringLiteral("Podaj wymiar boku A");
const QString kBore = QStringLiteral("Srednica kryzy wynosi");
const QString kOrificeSideA = QStringLiteral("Długosc boku A kryzy wynosi");
const QString kOrificeSideB = QStringLiteral("Dlugosc boku B kryzy wynosi");
const QString kDamperAngle = QStringLiteral("Kąt otwarcia przepustnicy");
const QString kMm = QStringLiteral("mm");
const QString kDeg = QStringLiteral("deg");

// A label that keeps its place in the grid while hidden, so the rows below
// do not jump when the rectangular-duct lines come and go.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

// One of two choices: the window's member, its name and its caption.
struct Choice {
    QRadioButton*& button;
    const char* name;
    const char* caption;
};

// A frame of two choices under a green caption, laid in `direction`; the
// first one is checked.
QGroupBox* NewChoiceFrame(QWidget* parent, const char* name, const char* caption, QBoxLayout::Direction direction,
                          Choice first, Choice second) {
    QGroupBox* frame = NewGroupBox(parent, QString::fromLatin1(name), QString::fromUtf8(caption));
    SetTextColor(frame, colors::Green);
    for (const Choice& choice : {first, second}) {
        choice.button = new QRadioButton(QString::fromUtf8(choice.caption), frame);
        choice.button->setObjectName(QString::fromLatin1(choice.name));
    }
    auto* layout = new QBoxLayout(direction, frame);
    layout->addWidget(first.button);
    layout->addWidget(second.button);
    first.button->setChecked(true);
    return frame;
}

using Row = FieldBindings<orifice::SizingInput>::Row;
using In = orifice::SizingInput;
constexpr FieldRole kIn = FieldRole::Input;

// Caption, box (blue, against its right edge) and unit.
const FieldLook kLook{.boxWidth = 80, .rightAligned = true, .boxText = colors::Blue, .unitMinimumWidth = 32};

// How a report names the size of a round duct; of a rectangular one, side A.
constexpr const char* kDiameterReport = "Średnica przewodu";

}  // namespace

TForm1::TForm1(const AmbientAir& air)
    : Form(QStringLiteral("TForm1"), QStringLiteral("Moduł doboru kryz osiowosymetrycznych")), air_(air) {
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    SetClientSize(394, 514);
    QWidget* c = Client();
    QGridLayout* grid = NewGrid(c, {14, 14, 14, 14}, 8, 10);
    grid->setColumnStretch(0, 1);
    BuildInputs(grid);
    BuildResults(grid);

    Button1 = NewButton(c, QStringLiteral("Button1"), QStringLiteral("Oblicz"));
    BitBtn1 = NewBitBtn(this, c, QStringLiteral("BitBtn1"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    for (QPushButton* b : {Button1, BitBtn1}) b->setMinimumSize(100, 30);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addSpacing(16);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    grid->addLayout(buttons, 10, 0, 1, 3);

    AddReportActions(this, nullptr, nullptr, QStringLiteral("dobor_kryzy.pdf"), [this] { return BuildReport(); });
    Connect();
}

void TForm1::BuildInputs(QGridLayout* grid) {
    QWidget* c = grid->parentWidget();
    const Row flows[] = {
        {"Edit1", &Edit1, {"Podaj cisnienie do zdławienia", nullptr, nullptr, "Pa"},
         {"Ciśnienie do zdławienia", "Δp"}, kIn, &In::pressure},
        {"Edit2", &Edit2, {"Podaj przepływ w regulowanym obiegu", nullptr, nullptr, "m3/h"},
         {"Przepływ powietrza", "V"}, kIn, &In::flow},
    };
    const std::vector<FieldRowWidgets> flowRows = LayFields(grid, 0, flows, kLook, fields_);
    NameRow(flowRows[0], Label1, "Label1", Label2, "Label2");
    NameRow(flowRows[1], Label3, "Label3", Label4, "Label4");

    // The duct's cross-section.
    GroupBox1 = NewChoiceFrame(c, "GroupBox1", "  Przekrój kanału wentylacyjnego", QBoxLayout::LeftToRight,
                               {RadioButton4, "RadioButton4", "Okrągły"}, {RadioButton5, "RadioButton5", "Prostokątny"});
    grid->addWidget(GroupBox1, 2, 0, 1, 3);
    fields_.Add(Row::Choice(RadioButton4, RadioButton5, {"Przekrój kanału", "okrągły", "prostokątny"}));

    const Row sizes[] = {
        {"Edit3", &Edit3, {kRoundSizeText, nullptr, nullptr, "mm"}, {kDiameterReport, "D"}, kIn,
         &In::sizeA},
        {"Edit4", &Edit4, {"Podaj wymiar boku B", nullptr, nullptr, "mm"}, {"Bok B przewodu", "B"}, kIn, &In::sizeB},
    };
    const std::vector<FieldRowWidgets> laid = LayFields(grid, 3, sizes, kLook, fields_);
    NameRow(laid[0], Label5, "Label5", Label6, "Label6");
    NameRow(laid[1], Label7, "Label7", Label8, "Label8");
    for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Edit4), static_cast<QWidget*>(Label8)}) {
        KeepPlaceWhenHidden(w);
        w->hide();
    }

    // The element: a frame with the two choices inside.
    RadioGroup1 = NewChoiceFrame(c, "RadioGroup1", "      Wybierz typ elementu regulacyjnego", QBoxLayout::TopToBottom,
                                 {RadioButton1, "RadioButton1", "Kryza osiowosymetryczna"},
                                 {RadioButton2, "RadioButton2", "Przepustnica jednopłaszczyznowa"});
    grid->addWidget(RadioGroup1, 5, 0, 1, 3);
    fields_.Add(Row::Choice(RadioButton1, RadioButton2,
                            {"Element regulacyjny", "kryza osiowosymetryczna", "przepustnica jednopłaszczyznowa"}));
    // Only the frames' captions are green; the choices keep the normal text.
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton4, RadioButton5})
        SetTextColor(b, palette().color(QPalette::WindowText));
}

void TForm1::NameRow(const FieldRowWidgets& row, QLabel*& caption, const char* captionName, QLabel*& unit,
                     const char* unitName) {
    caption = static_cast<QLabel*>(row.caption);
    caption->setObjectName(QString::fromLatin1(captionName));
    unit = row.unit;
    unit->setObjectName(QString::fromLatin1(unitName));
}

void TForm1::BuildResults(QGridLayout* grid) {
    QWidget* c = grid->parentWidget();
    // Results: caption, value, unit; the second line only for the sides of
    // a rectangular orifice.
    auto result = [&](QLabel*& caption, const char* captionName, const QString& captionText, QLabel*& value,
                      const char* valueName, QLabel*& unit, const char* unitName, int row) {
        caption = NewLabel(c, QString::fromLatin1(captionName), captionText);
        value = NewLabel(c, QString::fromLatin1(valueName), {});
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(80);
        unit = NewLabel(c, QString::fromLatin1(unitName), kMm);
        for (QLabel* l : {caption, value, unit}) {
            SetTextColor(l, colors::Red);
            SetFont(l, 10, true);
            KeepPlaceWhenHidden(l);
        }
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        grid->addWidget(unit, row, 2);
    };
    result(Label9, "Label9", kBore, Label11, "Label11", Label13, "Label13", 7);
    result(Label10, "Label10", kOrificeSideB, Label12, "Label12", Label14, "Label14", 8);
    ShowSecondResultLine(false);
    // The results in the free space between the choices and the buttons.
    grid->setRowStretch(6, 1);
    grid->setRowStretch(9, 1);
}

void TForm1::Connect() {
    On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
    On(RadioButton1, &QRadioButton::clicked, [this] { RadioButton1Click(); });
    On(RadioButton2, &QRadioButton::clicked, [this] { RadioButton2Click(); });
    On(RadioButton4, &QRadioButton::clicked, [this] { RadioButton4Click(); });
    On(RadioButton5, &QRadioButton::clicked, [this] { RadioButton5Click(); });
}

void TForm1::ClearResults() {
    Label11->clear();
    Label12->clear();
}

void TForm1::ShowSecondResultLine(bool visible) {
    for (QLabel* l : {Label10, Label12, Label14}) l->setVisible(visible);
}

void TForm1::ShowDuctSize(bool rectangular) {
    Label5->setText(rectangular ? kSideA : kRoundSize);
    for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Label8), static_cast<QWidget*>(Edit4)})
        w->setVisible(rectangular);
    ClearResults();
    ShowSecondResultLine(rectangular);
}

void TForm1::RadioButton4Click() {
    ShowDuctSize(false);
    if (RadioButton1->isChecked()) {
        Label9->setText(kBore);
        Label13->setText(kMm);
    }
    if (RadioButton2->isChecked()) {
        Label9->setText(kDamperAngle);
        Label13->setText(kDeg);
    }
}

void TForm1::RadioButton5Click() {
    ShowDuctSize(true);
    Label9->setText(kOrificeSideA);
    Label13->setText(kMm);
    if (RadioButton2->isChecked()) {
        Label9->setText(kDamperAngle);
        Label13->setText(kDeg);
        ShowSecondResultLine(false);
    }
}

void TForm1::RadioButton1Click() {
    const bool round = RadioButton4->isChecked();
    Label9->setText(round ? kBore : kOrificeSideA);
    Label13->setText(kMm);
    ClearResults();
    ShowSecondResultLine(!round);
}

void TForm1::RadioButton2Click() {
    Label9->setText(kDamperAngle);
    Label13->setText(kDeg);
    ClearResults();
    ShowSecondResultLine(false);
}

void TForm1::Button1Click() {
    orifice::SizingInput input = fields_.Read();
    // The density as the settings window shows it (rounded to 0.01 kg/m3).
    input.density = air_.Displays().density;
    input.shape = RadioButton4->isChecked() ? orifice::DuctShape::Round : orifice::DuctShape::Rectangular;
    input.element = RadioButton1->isChecked() ? orifice::Element::Orifice : orifice::Element::Damper;

    // The side search of a large duct can take a moment.
    WaitCursor busy;
    const orifice::SizingResult result = orifice::Size(input);
    if (input.element == orifice::Element::Orifice) Label13->setText(kMm);
    Label11->setText(FromStd(result.firstText));
    if (result.secondText) Label12->setText(FromStd(*result.secondText));
}

Report TForm1::BuildReport() const {
    Report report{ReportDocument(ToStd(windowTitle())), {}};
    const bool round = RadioButton4->isChecked();
    // The size of a rectangular duct is its side A; side B only there.
    FieldRows inputs = fields_.Report(FieldRole::Input, [&](const Row& r) { return !round || r.edit != Edit4; });
    for (FieldRow& row : inputs) {
        if (!round && row.label == kDiameterReport) {
            row.label = "Bok A przewodu";
            row.symbol = "A";
        }
    }
    report.document.Inputs().Add(inputs).Add("Gęstość powietrza (z ustawień)", "ρ", air_.Displays().density, "kg/m3");

    report::FieldTable& results = report.document.Results();
    if (Label11->text().isEmpty()) return report;
    // The result lines under the names of what they give.
    const QString first = Label9->text();
    if (first == kBore) {
        results.Add("Średnica kryzy", "d", ToStd(Label11->text()), ToStd(Label13->text()));
    } else if (first == kDamperAngle) {
        results.Add("Kąt otwarcia przepustnicy", "α", ToStd(Label11->text()), ToStd(Label13->text()));
    } else {
        results.Add("Bok A kryzy", "a", ToStd(Label11->text()), ToStd(Label13->text()));
    }
    if (!Label12->isHidden() && !Label12->text().isEmpty()) {
        results.Add("Bok B kryzy", "b", ToStd(Label12->text()), ToStd(Label14->text()));
    }
    return report;
}

}  // namespace vimtal

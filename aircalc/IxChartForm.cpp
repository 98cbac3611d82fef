#include "aircalc/IxChartForm.h"

#include "aircalc/AirCalcForm.h"
#include "aircalc/IxChartDialogs.h"
#include "aircalc/IxChartPainter.h"
#include "aircalc/IxpFile.h"
#include "aircalc/ProcessSheet.h"
#include "core/Errors.h"
#include "core/Files.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/ui/FileDrops.h"
#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/Platform.h"
#include "core/ui/RecentFiles.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QAction>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <iterator>

namespace vimtal {

using aircalc::IxLayout;

// The chart: draws the kept picture of the line families and the overlay
// over it; passes the mouse to the window.
class IxChartView : public QWidget {
public:
    IxChartView(IxChartForm& form, QWidget* parent) : QWidget(parent), form_(form), measure_(IxFontMeasure()) {
        setObjectName(QStringLiteral("Wykres"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setMinimumSize(400, 300);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    // The line families or their choice changed: lay out and draw anew.
    void LinesChanged() {
        layout_.reset();
        cacheValid_ = false;
        overlayLabels_.reset();
        update();
    }
    void OverlayChanged() {
        overlayLabels_.reset();
        update();
    }

    const IxLayout& Layout() const {
        if (!layout_ || layoutSize_ != size()) {
            layout_ = aircalc::LayOutIxChart(form_.Lines(), width(), height(), measure_, form_.DensityLines());
            layoutSize_ = size();
            overlayLabels_.reset();
        }
        return *layout_;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const IxLayout& layout = Layout();
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = size() * ratio;
        if (!cacheValid_ || cache_.size() != pixels || cache_.devicePixelRatio() != ratio) {
            cache_ = QPixmap(pixels);
            cache_.setDevicePixelRatio(ratio);
            cache_.fill(Qt::white);
            QPainter painter(&cache_);
            PaintIxLines(painter, form_.Lines(), layout, form_.DensityLines());
            cacheValid_ = true;
        }
        if (!overlayLabels_) {
            overlayLabels_ = aircalc::PlaceOverlayLabels(form_.Overlay(), layout.transform, measure_, layout.labels);
        }
        QPainter painter(this);
        painter.drawPixmap(0, 0, cache_);
        PaintIxOverlay(painter, form_.Overlay(), layout.transform, *overlayLabels_);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        Guarded([&] { form_.ShowReadingAt(event->position()); });
    }
    void leaveEvent(QEvent*) override {
        Guarded([&] { form_.ShowReadingAt({-1, -1}); });
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        Guarded([&] { form_.ShowReadingAt(event->pos()); });
        form_.Wstawdokalkulatora1->setEnabled(form_.hovered_ && !form_.hovered_->fog);
        form_.PopupMenu1->popup(event->globalPos());
    }

private:
    IxChartForm& form_;
    aircalc::IxMeasure measure_;
    mutable std::optional<IxLayout> layout_;
    mutable QSize layoutSize_;
    mutable std::optional<std::vector<aircalc::IxLabel>> overlayLabels_;
    QPixmap cache_;
    bool cacheValid_ = false;
};

namespace {

// The status line's quantities: the text before the number and after it.
struct ReadoutField {
    const char* name;
    const char* before;
    const char* after;
    const char* widest;  // the longest text it shows, for a steady width
};
const ReadoutField kReadout[] = {
    {"LabelT", "t = ", " °C", "t = -20,0 °C"},
    {"LabelFi", "φ = ", " %", "φ = 100,0 %"},
    {"LabelX", "x = ", " g/kg", "x = 30,00 g/kg"},
    {"LabelI", "i = ", " kJ/kg", "i = 100,0 kJ/kg"},
    {"LabelRo", "ρ = ", " kg/m³", "ρ = 1,000 kg/m³"},
    {"LabelTr", "tr = ", " °C", "tr = -20,0 °C"},
    {"LabelTm", "tm = ", " °C", "tm = -20,0 °C"},
    {"LabelMgla", "", "", ""},
};

}  // namespace

IxChartForm::IxChartForm(TForm10& calculator, const IxDialogs& dialogs)
    : Form(QStringLiteral("IxChartForm"), QStringLiteral("Wykres i-x powietrza wilgotnego")),
      calculator_(calculator),
      dialogs_(dialogs) {
    BuildFileMenu();
    QMenu* chart = MenuBar()->addMenu(QStringLiteral("Wykres"));
    chart->setObjectName(QStringLiteral("Wykres1"));
    Zakres1 = NewAction(chart, QStringLiteral("Zakres1"), QStringLiteral("Zakres..."));
    Liniegstoci1 = NewAction(chart, QStringLiteral("Liniegstoci1"), QStringLiteral("Linie gęstości"));
    Liniegstoci1->setCheckable(true);

    QWidget* c = Client();
    columns_ = new QHBoxLayout(c);
    columns_->setContentsMargins(8, 6, 8, 6);
    columns_->setSpacing(8);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    columns_->addLayout(column, 1);

    auto* pressure = new QHBoxLayout;
    pressure->addWidget(NewLabel(c, {}, QStringLiteral("pb")));
    EditPb = NewEdit(c, QStringLiteral("EditPb"));
    EditPb->setFixedWidth(90);
    EditPb->setAlignment(Qt::AlignRight);
    pressure->addWidget(EditPb);
    pressure->addWidget(NewLabel(c, {}, QStringLiteral("Pa")));
    pressure->addStretch(1);
    column->addLayout(pressure);

    Wykres = new IxChartView(*this, c);
    column->addWidget(Wykres, 1);

    auto* status = new QHBoxLayout;
    status->setSpacing(14);
    for (const ReadoutField& field : kReadout) {
        QLabel* label = NewLabel(c, QString::fromLatin1(field.name), {});
        const QString widest = QString::fromUtf8(field.widest);
        if (!widest.isEmpty()) label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 4);
        status->addWidget(label);
        readout_.push_back(label);
    }
    status->addStretch(1);
    column->addLayout(status);
    BuildSheet(c);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Wstawdokalkulatora1 =
        NewAction(PopupMenu1, QStringLiteral("Wstawdokalkulatora1"), QStringLiteral("Wstaw do kalkulatora"));

    OnEach(this, &QAction::triggered,
           {{Nowy1, &IxChartForm::Nowy1Click},
            {Otwrz1, &IxChartForm::Otwrz1Click},
            {Zapisz1, &IxChartForm::Zapisz1Click},
            {EksportujdoCSV1, &IxChartForm::EksportujdoCSV1Click},
            {Zapiszwykres1, &IxChartForm::Zapiszwykres1Click},
            {Zakres1, &IxChartForm::Zakres1Click},
            {Liniegstoci1, &IxChartForm::Liniegstoci1Click},
            {Wstawdokalkulatora1, &IxChartForm::Wstawdokalkulatora1Click}});
    On(Zamknij1, &QAction::triggered, [this] { close(); });
    On(EditPb, &QLineEdit::editingFinished, [this] { EditPbExit(); });

    SetResizable(1240, 800);
    // The chart's column as narrow as its status line, the sheet beside it.
    setMinimumSize(1100, 560);
    EditPb->setText(FromStd(FloatToStr(pb_)));
    chain_.pressure = pb_;
    Recompute();
    FillSheet();
    ShowReading(std::nullopt);
    workFile_.Start(WorkRecord());
}

// "Plik": the chain's file, the recent files, the chart's picture, the
// report and the spreadsheet, "Zamknij".
void IxChartForm::BuildFileMenu() {
    QMenu* file = MenuBar()->addMenu(QStringLiteral("Plik"));
    file->setObjectName(QStringLiteral("Plik1"));
    Nowy1 = NewAction(file, QStringLiteral("Nowy1"), QStringLiteral("Nowy"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Otwrz1 = NewAction(file, QStringLiteral("Otwrz1"), QStringLiteral("Otwórz..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    Zapisz1 = NewAction(file, QStringLiteral("Zapisz1"), QStringLiteral("Zapisz..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    Zapiszwykres1 = NewAction(file, QStringLiteral("Zapiszwykres1"), QStringLiteral("Zapisz wykres..."));
    Zamknij1 = NewAction(file, QStringLiteral("Zamknij1"), QStringLiteral("Zamknij"));
    const QString extension = QString::fromLatin1(aircalc::kIxpExtension);
    recentFiles_ = new RecentFiles(file, Zapisz1, extension, [this](const QString& path) { Open(path); });
    AcceptDroppedFiles(this, extension, [this](const QString& path) { Open(path); });
    // The sheet on paper and in a spreadsheet, before "Zamknij".
    const ReportActions report =
        AddReportActions(this, file, Zamknij1, QStringLiteral("wykres_ix.pdf"), [this] { return BuildReport(); });
    EksportujdoCSV1 = new QAction(QStringLiteral("Eksportuj do CSV..."), file);
    EksportujdoCSV1->setObjectName(QStringLiteral("EksportujdoCSV1"));
    const QList<QAction*> items = file->actions();
    file->insertAction(items.value(items.indexOf(report.savePdf) + 1), EksportujdoCSV1);
}

bool IxChartForm::DensityLines() const { return Liniegstoci1->isChecked(); }

const IxLayout& IxChartForm::Layout() const { return Wykres->Layout(); }

void IxChartForm::Recompute() {
    lines_ = aircalc::ComputeIxLines(range_, pb_);
    UpdateOverlay();
    Wykres->LinesChanged();
}

void IxChartForm::UpdateOverlay() {
    const std::optional<aircalc::AirState> state = calculator_.LastState();
    overlay_ = state ? aircalc::CalculatorOverlay(*state, pb_) : aircalc::IxOverlay{};
    aircalc::AppendOverlay(overlay_, aircalc::ChainOverlay(chainResult_));
    Wykres->OverlayChanged();
}

void IxChartForm::SetRange(const aircalc::IxRange& range) {
    if (const auto refusal = aircalc::IxRangeRefusal(range)) throw NoticeError(*refusal, kInfoTitle);
    range_ = range;
    Recompute();
}

void IxChartForm::SetPressure(double pb) {
    if (const auto refusal = aircalc::IxPressureRefusal(pb)) throw NoticeError(*refusal, kInfoTitle);
    // The chain goes with the chart: both at the new pressure, or neither.
    aircalc::ChainInput chain = chain_;
    chain.pressure = pb;
    aircalc::ChainResult result = aircalc::ComputeChain(chain);
    pb_ = pb;
    chain_ = std::move(chain);
    chainResult_ = std::move(result);
    EditPb->setText(FromStd(FloatToStr(pb_)));
    Recompute();
    FillSheet();
}

void IxChartForm::SetChain(aircalc::ChainInput chain) {
    chain.pressure = pb_;
    aircalc::ChainResult result = aircalc::ComputeChain(chain);
    chain_ = std::move(chain);
    chainResult_ = std::move(result);
    FillSheet();
    UpdateOverlay();
}

void IxChartForm::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    // A window restored by the window manager shows what it had.
    if (event->spontaneous()) return;
    // A chain keeps its pressure; the calculator's state may have changed.
    if (!chain_.states.empty()) {
        UpdateOverlay();
        ShowReading(std::nullopt);
        return;
    }
    Guarded([this] {
        // The calculator's pressure when it converts to one the chart can
        // draw, else the standard one.
        double pb = aircalc::kIxDefaultPressure;
        try {
            const double typed = StrToFloat(ToStd(calculator_.PressureText()));
            if (!aircalc::IxPressureRefusal(typed)) pb = typed;
        } catch (const ConversionError&) {
        }
        pb_ = pb;
        chain_.pressure = pb;
        EditPb->setText(FromStd(FloatToStr(pb_)));
        Recompute();
        ShowReading(std::nullopt);
    });
}

void IxChartForm::ShowCalculatorState() { UpdateOverlay(); }

void IxChartForm::EditPbExit() {
    try {
        const double pb = StrToFloat(ToStd(EditPb->text()));
        if (pb != pb_) SetPressure(pb);
    } catch (...) {
        // The field shows the pressure the chart is drawn at again.
        EditPb->setText(FromStd(FloatToStr(pb_)));
        throw;
    }
}

void IxChartForm::ShowReadingAt(const QPointF& pixel) {
    const aircalc::IxTransform& transform = Layout().transform;
    const aircalc::PixelPoint at{pixel.x(), pixel.y()};
    if (!transform.Plot().Contains(at)) {
        ShowReading(std::nullopt);
        return;
    }
    ShowReading(aircalc::ReadingAt(transform.ToChart(at), pb_));
}

void IxChartForm::ShowReading(const std::optional<aircalc::IxReading>& reading) {
    hovered_ = reading;
    if (!reading) {
        for (QLabel* label : readout_) label->clear();
        readout_.front()->setText(QStringLiteral("Wskaż punkt wykresu myszą."));
        return;
    }
    const aircalc::IxReadingTexts texts = aircalc::ReadingTexts(*reading);
    const std::string* values[] = {&texts.t, &texts.phi, &texts.x, &texts.i, &texts.rho, &texts.tr, &texts.tm};
    for (std::size_t k = 0; k < std::size(values); ++k) {
        readout_[k]->setText(QString::fromUtf8(kReadout[k].before) + FromStd(*values[k]) +
                             QString::fromUtf8(kReadout[k].after));
    }
    readout_.back()->setText(FromStd(texts.fog));
}

QString IxChartForm::ReadingText() const {
    QStringList parts;
    for (const QLabel* label : readout_) {
        if (!label->text().isEmpty()) parts << label->text();
    }
    return parts.join(QStringLiteral("; "));
}

void IxChartForm::Wstawdokalkulatora1Click() {
    if (!hovered_ || hovered_->fog) return;
    const aircalc::IxReadingTexts texts = aircalc::ReadingTexts(*hovered_);
    // The calculator's error box, if any, comes first; the chart shows the
    // state the calculator holds after it either way.
    Guarded([&] { calculator_.InsertState(FromStd(texts.t), FromStd(texts.phi)); });
    UpdateOverlay();
}

void IxChartForm::Zakres1Click() { dialogs_.range.ShowModal(); }

void IxChartForm::Liniegstoci1Click() {
    // The density lines' labels take places other labels may have had.
    Wykres->LinesChanged();
}

void IxChartForm::Zapiszwykres1Click() {
    const std::optional<QString> path = platform().SaveFileDialog(
        platform().SaveRecordDialog(kPictureFilter, QStringLiteral("png"), QStringLiteral("wykres_ix.png")));
    if (!path || path->isEmpty()) return;
    SaveChart(*path);
}

void IxChartForm::Otwrz1Click() {
    const std::optional<QString> path = platform().OpenFileDialog(
        platform().OpenRecordDialog(kChainFilter, QString::fromLatin1(aircalc::kIxpExtension)));
    if (!path || path->isEmpty()) return;
    Open(*path);
}

bool IxChartForm::Open(const QString& path) {
    const bool opened = Guarded([&] {
        // The whole file is read and computed before anything changes.
        aircalc::ChainInput chain = aircalc::OpenIxp(ToStd(path));
        if (const auto refusal = aircalc::IxPressureRefusal(chain.pressure)) {
            throw NoticeError("Nie można otworzyć pliku „" + ToStd(QFileInfo(path).fileName()) + "”: " + *refusal,
                              kInfoTitle);
        }
        aircalc::ChainResult result = aircalc::ComputeChain(chain);
        const bool newPressure = chain.pressure != pb_;
        pb_ = chain.pressure;
        chain_ = std::move(chain);
        chainResult_ = std::move(result);
        EditPb->setText(FromStd(FloatToStr(pb_)));
        if (newPressure) {
            Recompute();
        } else {
            UpdateOverlay();
        }
        FillSheet();
    });
    if (opened) {
        savedFileName_ = path;
        recentFiles_->Add(path);
        workFile_.Keep(WorkRecord(), path);
    }
    return opened;
}

void IxChartForm::Nowy1Click() {
    if (Changed()) {
        switch (platform().AskToSave(QStringLiteral("Zapisać zmiany w przemianach powietrza?"),
                                     QString::fromUtf8(kInfoTitle))) {
        case SaveAnswer::Save:
            if (!SaveChanges()) return;
            break;
        case SaveAnswer::Discard:
            break;
        case SaveAnswer::Cancel:
            return;
        }
    }
    // An empty chain always computes; the chart keeps its pressure and range.
    aircalc::ChainInput empty;
    empty.pressure = pb_;
    SetChain(std::move(empty));
    savedFileName_.clear();
    workFile_.Start(WorkRecord());
}

void IxChartForm::Zapisz1Click() { SaveAs(); }

bool IxChartForm::SaveAs() {
    // A save dialog must accept a new name; it asks before replacing a file.
    const std::optional<QString> path = platform().SaveFileDialog(platform().SaveRecordDialog(
        kChainFilter, QString::fromLatin1(aircalc::kIxpExtension),
        savedFileName_.isEmpty() ? QStringLiteral("przemiany.ixp") : savedFileName_));
    if (!path || path->isEmpty()) return false;
    savedFileName_ = *path;
    return Save(*path);
}

bool IxChartForm::Save(const QString& path) {
    const bool saved = Guarded([&] { aircalc::SaveIxp(ToStd(path), chain_); });
    if (saved) {
        recentFiles_->Add(path);
        workFile_.Keep(WorkRecord(), path);
    }
    return saved;
}

Bytes IxChartForm::WorkRecord() const {
    const std::string text = aircalc::WriteIxp(chain_);
    return Bytes(text.begin(), text.end());
}

bool IxChartForm::Changed() const {
    // A chain emptied since it was started is nothing to save; emptied
    // since it was opened or saved, its file would lose what it holds.
    if (chain_.states.empty() && workFile_.Path().isEmpty()) return false;
    return workFile_.Differs(WorkRecord());
}


void IxChartForm::EksportujdoCSV1Click() {
    const std::optional<QString> path = platform().SaveFileDialog(
        platform().SaveRecordDialog(kCsvFilter, QStringLiteral("csv"), QStringLiteral("przemiany.csv")));
    if (!path || path->isEmpty()) return;
    ExportCsv(*path);
}

void IxChartForm::ExportCsv(const QString& path) const {
    const std::string csv = aircalc::ChainCsv(chainResult_);
    WriteFileAtomically(ToStd(path), Bytes(csv.begin(), csv.end()));
}

void IxChartForm::SaveChart(const QString& path) const {
    const IxPicture picture{lines_, overlay_, DensityLines()};
    QByteArray bytes;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        bytes = IxChartSvg(picture, Wykres->size());
    } else {
        // Twice the pixels of the screen, for print.
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        IxChartImage(picture, Wykres->size(), 2.0).save(&buffer, "PNG");
    }
    WriteFileAtomically(ToStd(path), Bytes(bytes.begin(), bytes.end()));
}

Report IxChartForm::BuildReport() const {
    Report report{ReportDocument(ToStd(windowTitle())), {}};
    ReportDocument& d = report.document;
    d.Inputs()
        .Add("Ciśnienie barometryczne", "pb", FloatToStr(pb_), "Pa")
        .Add("Najniższa temperatura wykresu", "t min", FloatToStr(range_.tMin), "°C")
        .Add("Najwyższa temperatura wykresu", "t max", FloatToStr(range_.tMax), "°C")
        .Add("Największa zawartość wilgoci", "x max", FloatToStr(range_.xMax), "g/kg");
    auto& state = d.AddFields("Stan z kalkulatora powietrza (punkt K)",
                              "Brak stanu: oblicz go w kalkulatorze powietrza");
    std::vector<std::string> notes;
    if (const std::optional<aircalc::AirState> s = calculator_.LastState()) {
        const aircalc::IxReadingTexts t = aircalc::ReadingTexts(aircalc::ReadingOf(*s));
        state.Add("Temperatura", "t", t.t, "°C")
            .Add("Wilgotność względna", "φ", t.phi, "%")
            .Add("Zawartość wilgoci", "x", t.x, "g/kg")
            .Add("Entalpia właściwa", "i", t.i, "kJ/kg")
            .Add("Gęstość powietrza wilgotnego", "ρ", t.rho, "kg/m³")
            .Add("Temperatura punktu rosy", "tr", t.tr, "°C")
            .Add("Temperatura termometru mokrego", "tm", t.tm, "°C");
        if (s->pb != pb_) {
            notes.push_back("Stan K obliczono w kalkulatorze przy pb = " + FloatToStr(s->pb) +
                            " Pa, a wykres narysowano przy pb = " + FloatToStr(pb_) + " Pa.");
        }
    }
    // The chain of processes: both tables of the sheet and its notes.
    if (!chain_.states.empty()) {
        aircalc::AddChainToReport(d, chain_, chainResult_);
        notes.insert(notes.end(), chainResult_.notes.begin(), chainResult_.notes.end());
    }
    if (range_.tMin < 0) {
        notes.push_back("Poniżej 0 °C linia nasycenia i linie φ wykresu biegną według prawa ciśnienia nasycenia "
                        "kalkulatora, wyznaczonego nad wodą (nie nad lodem).");
    }
    d.AddNotes(notes);
    // A page of its own, upright as printed Mollier charts are, with room
    // below for the signatures.
    d.AddChart("ix", "Wykres i-x", 170, 180);
    report.charts["ix"] = [picture = IxPicture{lines_, overlay_, DensityLines()}](QPainter& painter,
                                                                                  const QRect& target) {
        // Logical pixels of 1/96 inch: the chart's texts print at the size
        // the screen shows them.
        const double scale = painter.device()->logicalDpiX() / 96.0;
        painter.translate(target.topLeft());
        painter.scale(scale, scale);
        PaintIxChart(painter, target.width() / scale, target.height() / scale, picture);
    };
    return report;
}

}  // namespace vimtal

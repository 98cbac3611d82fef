#include "pressureloss/CircuitForm.h"

#include "pressureloss/CatalogueForm.h"
#include "pressureloss/CircuitColumns.h"
#include "pressureloss/CircuitEditing.h"
#include "pressureloss/FittingKinds.h"

#include "core/AmbientAir.h"
#include "core/Files.h"
#include "core/Numbers.h"
#include "core/ui/FileDrops.h"
#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/Platform.h"
#include "core/ui/RecentFiles.h"
#include "core/ui/ReportActions.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "core/ui/Widgets.h"

#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <iterator>
#include <stdexcept>

// The calculator's glyphs, sketches and help text (a static library's
// resources are registered by hand, outside any namespace).
static void InitPressureLossResources() { Q_INIT_RESOURCE(pressureloss); }

namespace vimtal {

using pressureloss::Field;

namespace {
const QColor kListBackground(192, 220, 192);

constexpr int kRows = 7;
constexpr int kRowHeight = 16;  // room for the accents of capitals (Ó, Ś)

QIcon Glyph(const char* name) { return QIcon(QStringLiteral(":/pressureloss/glyphs/%1.svg").arg(QLatin1String(name))); }

}  // namespace

TForm15::TForm15(AmbientAir& air, pressureloss::Session& session, WindowLink<TForm16>& catalogue)
    : Form(QStringLiteral("TForm15"), QStringLiteral("Kalkulator strat ciśnienia - obiegu krytycznego")),
      air_(air),
      session_(session),
      circuit_(session.circuit),
      catalogue_(catalogue) {
    InitPressureLossResources();
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    SetClientSize(892, 295);
    BuildMenus();
    BuildColumns();
    BuildTotal();
    BuildOptions();
    // Left of the total, under the columns.
    LabelUwagi = new NotesLabel(Client(), 12, 166, 600);
    workFile_.Start(WorkRecord());
}

void TForm15::BuildMenus() {
    // A menu item with its glyph, running its handler.
    const auto item = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut,
                             const char* glyph, void (TForm15::*handler)()) {
        QAction* action =
            NewAction(menu, QString::fromLatin1(name), QString::fromUtf8(caption), shortcut, Glyph(glyph));
        On(action, &QAction::triggered, [this, handler] { (this->*handler)(); });
        return action;
    };
    // The commands on the fittings: the "Opcje" menu and the columns'
    // context menu.
    const auto fittingItems = [&](QMenu* menu, const char* edit, const char* remove, const char* add) {
        item(menu, edit, "Edytuj kształtkę", {}, "edit", &TForm15::Edytujksztatk1Click);
        item(menu, remove, "Usuń kształtkę", {}, "delete", &TForm15::Usuksztatk1Click);
        item(menu, add, "Dodaj kształtkę", {}, "add", &TForm15::SpeedButton1Click);
    };

    QMenu* file = MenuBar()->addMenu(QStringLiteral("   Plik   "));
    item(file, "Noweobliczenia1", "Nowe obliczenia", Qt::CTRL | Qt::Key_N, "new", &TForm15::Noweobliczenia1Click);
    item(file, "Otwrzobliczenia1", "Otwórz obliczenia", Qt::CTRL | Qt::Key_O, "open", &TForm15::Otwrzobliczenia1Click);
    QAction* save = item(file, "Zapiszobliczenia1", "Zapisz obliczenia", Qt::CTRL | Qt::Key_S, "save",
                         &TForm15::Zapiszobliczenia1Click);
    file->addSeparator();
    QAction* close = item(file, "Zamknij1", "Zamknij", Qt::CTRL | Qt::Key_X, "close", &TForm15::Zamknij1Click);
    recentFiles_ = new RecentFiles(file, save,
                                   QStringLiteral("moh"), [this](const QString& path) { Open(path); });
    AcceptDroppedFiles(this, QStringLiteral("moh"), [this](const QString& path) { Open(path); });
    fittingItems(MenuBar()->addMenu(QStringLiteral("Opcje   ")), "Edytujksztatk1", "Usuksztatk1", "Dodajksztatk1");
    QMenu* help = MenuBar()->addMenu(QStringLiteral("Pomoc"));
    item(help, "Pomocprogramu1", "Pomoc programu", Qt::Key_F1, "help", &TForm15::Pomocprogramu1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    fittingItems(PopupMenu1, "Waciwociksztatki1", "Usuksztatk2", "Dodajksztatk2");

    // The sheet and the spreadsheet file, before "Zamknij".
    const ReportActions report =
        AddReportActions(this, file, close, QStringLiteral("obieg_krytyczny.pdf"), [this] { return BuildReport(); });
    auto* csv = new QAction(QStringLiteral("Eksportuj do CSV..."), file);
    csv->setObjectName(QStringLiteral("EksportujdoCSV1"));
    const QList<QAction*> items = file->actions();
    file->insertAction(items.value(items.indexOf(report.savePdf) + 1), csv);
    On(csv, &QAction::triggered, [this] { EksportujdoCSV1Click(); });
}

// The list box of each column, left to right: the additional loss dpp is
// ListBox11, the total dpc the last one, ListBox10.
struct TForm15::ColumnList {
    QListWidget* TForm15::*member;
    const char* name;
};
const TForm15::ColumnList TForm15::kColumnLists[] = {
    {&TForm15::ListBox1, "ListBox1"}, {&TForm15::ListBox2, "ListBox2"},   {&TForm15::ListBox3, "ListBox3"},
    {&TForm15::ListBox4, "ListBox4"}, {&TForm15::ListBox5, "ListBox5"},   {&TForm15::ListBox6, "ListBox6"},
    {&TForm15::ListBox7, "ListBox7"}, {&TForm15::ListBox8, "ListBox8"},   {&TForm15::ListBox9, "ListBox9"},
    {&TForm15::ListBox11, "ListBox11"}, {&TForm15::ListBox10, "ListBox10"},
};
void TForm15::BuildColumns() {
    static_assert(std::size(kColumnLists) == pressureloss::kCircuitColumnCount);
    QWidget* c = Client();
    // The column titles and the columns in the same small type.
    QFont small = font();
    small.setPointSizeF(7.5);
    int x = 8;
    for (int i = 0; i < pressureloss::kCircuitColumnCount; ++i) {
        const pressureloss::CircuitColumn& column = pressureloss::kCircuitColumns[i];
        QLabel* label = NewLabel(c, QStringLiteral("Label%1").arg(i + 1), FromStd(pressureloss::ColumnTitle(column)));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->setFont(small);
        label->setGeometry(x, 4, column.width, 32);
        label->setToolTip(QString::fromUtf8(column.hint));

        QListWidget* list = NewColumnList(i, QRect(x, 38, column.width, kRows * kRowHeight + 6), small);
        columns_[static_cast<std::size_t>(i)] = list;
        this->*kColumnLists[i].member = list;
        x += column.width;
    }

    ScrollBar1 = new QScrollBar(Qt::Vertical, c);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(x + 1, 38, 17, kRows * kRowHeight + 6);
    ScrollBar1->setRange(0, 0);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    On(ScrollBar1, &QScrollBar::valueChanged, [this] { ScrollBar1Change(); });
}

QListWidget* TForm15::NewColumnList(int i, const QRect& geometry, const QFont& font) {
    const pressureloss::CircuitColumn& column = pressureloss::kCircuitColumns[i];
    auto* list = new QListWidget(Client());
    list->setObjectName(QString::fromLatin1(kColumnLists[i].name));
    list->setGeometry(geometry);
    list->setFont(font);
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setToolTip(QString::fromUtf8(column.hint));
    // Focus only by a click: a list that took the focus when the window
    // opens would select its first row on its own, and "Usuń kształtkę"
    // would then remove a fitting the user never chose.
    list->setFocusPolicy(Qt::ClickFocus);
    SetBaseColor(list, kListBackground);
    // Every column but the additional loss offers the context menu.
    if (column.field != Field::ExtraLoss) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& at) { PopupMenu1->popup(list->viewport()->mapToGlobal(at)); });
    }
    On(list, &QListWidget::currentRowChanged, [this, i] { ListBoxClick(i); });
    On(list, &QListWidget::itemDoubleClicked, [this] { ListBoxDblClick(); });
    return list;
}

// The circuit's total below the total-loss column.
void TForm15::BuildTotal() {
    QWidget* c = Client();
    const QRect last = ListBox10->geometry();
    QLabel* sigma = NewLabel(c, QStringLiteral("Label12"), QStringLiteral("Σ"));
    SetFont(sigma, 12, true);
    sigma->setGeometry(last.x() - 22, last.bottom() + 6, 18, 22);
    sigma->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1 = NewEdit(c, QStringLiteral("Edit1"));
    Edit1->setGeometry(last.x(), last.bottom() + 6, last.width() - 30, 22);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setToolTip(QStringLiteral("Suma strat ciśnienia w obiegu [Pa]"));
    SetBaseColor(Edit1, kListBackground);
    QLabel* pa = NewLabel(c, QStringLiteral("Label13"), QStringLiteral("[Pa]"));
    pa->setGeometry(last.right() - 26, last.bottom() + 6, 28, 22);
}

// "Opcje": adding a fitting, closing the window.
void TForm15::BuildOptions() {
    auto* group = new QGroupBox(QStringLiteral("Opcje"), Client());
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 192, 876, 92);
    SpeedButton1 = new QToolButton(group);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Dodaj kształtkę"));
    SpeedButton1->setToolTip(QStringLiteral("Dodaje kształtkę do obliczeń"));
    SpeedButton1->setIcon(Glyph("add"));
    SpeedButton1->setIconSize(QSize(24, 24));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setGeometry(16, 32, 170, 40);
    On(SpeedButton1, &QToolButton::clicked, [this] { SpeedButton1Click(); });
    BitBtn1 = NewBitBtn(this, group, QStringLiteral("BitBtn1"), BitBtnKind::Close, QStringLiteral("Zamknij"));
    BitBtn1->setGeometry(620, 36, 115, 32);
    BitBtn2 = NewBitBtn(this, group, QStringLiteral("BitBtn2"), BitBtnKind::Cancel, QStringLiteral("Anuluj"));
    BitBtn2->setGeometry(745, 36, 115, 32);
}

int TForm15::EditedIndex() const {
    const int row = ListBox1->currentRow();
    return row < 0 ? -1 : row + ScrollBar1->value();
}

QString TForm15::TotalText() const { return Edit1->text(); }
void TForm15::SetTotalText(const QString& text) { Edit1->setText(text); }
void TForm15::SetScrollMaximum(int maximum) { ScrollBar1->setMaximum(maximum); }

void TForm15::EmptyColumns() {
    syncing_ = true;
    for (QListWidget* list : columns_) list->clear();
    syncing_ = false;
}

void TForm15::Refill() {
    EmptyColumns();
    const int first = ScrollBar1->value();
    for (int i = 0; i < pressureloss::kCircuitColumnCount; ++i) {
        QListWidget* list = columns_[static_cast<std::size_t>(i)];
        for (int row = 0; row < kRows; ++row) {
            const pressureloss::CircuitColumn& column = pressureloss::kCircuitColumns[i];
            auto* item = new QListWidgetItem(FromStd(circuit_.FieldText(first + row, column.field)), list);
            item->setSizeHint(QSize(column.width, kRowHeight));
        }
    }
    LabelUwagi->ShowNotes(circuit_.AllNotes());
}

void TForm15::ListBoxClick(int column) {
    if (syncing_) return;
    syncing_ = true;
    const int row = columns_[static_cast<std::size_t>(column)]->currentRow();
    for (QListWidget* list : columns_) {
        if (list->currentRow() != row) list->setCurrentRow(row);
    }
    syncing_ = false;
}

void TForm15::ListBoxDblClick() { Edytujksztatk1Click(); }

void TForm15::ScrollBar1Change() { Refill(); }

void TForm15::SpeedButton1Click() { catalogue_.ShowModal(); }

void TForm15::Edytujksztatk1Click() {
    if (circuit_.Count() == 0 || ListBox1->currentRow() < 0) return;
    const std::optional<pressureloss::FittingKind> kind =
        pressureloss::KindFromText(circuit_.FieldText(EditedIndex(), Field::Kind));
    if (!kind) return;  // the row holds no fitting
    circuit_.editFlag = true;
    catalogue_->PrepareKind(*kind);
}

void TForm15::Usuksztatk1Click() {
    if (circuit_.Count() == 0 || ListBox1->currentRow() < 0) return;
    const std::string total = pressureloss::DeleteFitting(circuit_, EditedIndex(), ToStd(Edit1->text()));
    Edit1->setText(FromStd(total));
    Refill();
}

void TForm15::Noweobliczenia1Click() {
    EmptyColumns();
    circuit_.Clear();
    Edit1->setText(QStringLiteral("0"));
    LabelUwagi->ShowNotes({});
    workFile_.Start(WorkRecord());
}

void TForm15::Zapiszobliczenia1Click() { SaveAs(); }

bool TForm15::SaveAs() {
    const std::optional<QString> chosen = platform().SaveFileDialog(platform().SaveRecordDialog(
        QStringLiteral("Pliki Obliczeń Hydraulicznych (*.moh)"), QStringLiteral("moh"), lastSaveName_));
    if (!chosen || chosen->isEmpty()) return false;
    lastSaveName_ = *chosen;
    return Save(*chosen);
}

bool TForm15::Save(const QString& path) {
    const bool saved = Guarded([&] { circuit_.Save(ToStd(path)); });
    if (!saved) return false;
    recentFiles_->Add(path);
    workFile_.Keep(WorkRecord(), path);
    return true;
}

// The circuit's .moh bytes; a new calculation is a circuit without a file.
Bytes TForm15::WorkRecord() const { return circuit_.Serialize(); }

void TForm15::Otwrzobliczenia1Click() {
    const std::optional<QString> chosen = platform().OpenFileDialog(
        platform().OpenRecordDialog(QStringLiteral("Pliki obliczeń hydraulicznych (*.moh)"), QStringLiteral("moh")));
    if (!chosen || chosen->isEmpty()) return;
    Open(*chosen);
}

bool TForm15::Open(const QString& path) {
    const bool opened = Guarded([&] {
        // The circuit is replaced only once the file was read: a file that
        // cannot be read leaves the user's circuit as it was.
        PlatformMessages messages;
        {
            WaitCursor busy;
            circuit_.Load(ToStd(path), messages);
        }
        EmptyColumns();
        Edit1->setText(QStringLiteral("0"));
        ScrollBar1->setMaximum(circuit_.Count());
        ScrollBar1->setValue(0);
        Refill();
        const double total = circuit_.SumOfTotalLosses();
        circuit_.runningTotal = total;
        Edit1->setText(FromStd(pressureloss::TotalText(total)));
    });
    if (!opened) return false;
    recentFiles_->Add(path);
    workFile_.Keep(WorkRecord(), path);
    return true;
}

void TForm15::Zamknij1Click() { close(); }

report::Table TForm15::CircuitTable() const {
    pressureloss::CircuitTable circuit = pressureloss::TableOfCircuit(circuit_);
    report::Table table;
    table.heading = "Obieg krytyczny";
    for (std::string& title : circuit.titles) table.columns.push_back({std::move(title)});
    for (std::vector<std::string>& row : circuit.rows) table.AddRow(std::move(row));
    std::vector<std::string> summary(table.columns.size());
    summary.front() = "Σ";
    summary.back() = ToStd(Edit1->text());
    table.SetSummary(std::move(summary));
    return table;
}

vimtal::Report TForm15::BuildReport() const {
    vimtal::Report report{ReportDocument(ToStd(windowTitle())), {}};
    ReportDocument& sheet = report.document;
    // The figures the calculator works with, as the settings window shows them.
    sheet.Inputs()
        .Add("Gęstość powietrza (z ustawień)", "ρ", air_.Displays().density, "kg/m³")
        .Add("Lepkość kinematyczna powietrza (z ustawień)", "ν", air_.Displays().viscosity, "m²/s");
    if (circuit_.Count() == 0) {
        sheet.Results();  // "Brak wyników"
        return report;
    }
    sheet.AddTable({}, {}) = CircuitTable();
    report::Table& details = sheet.AddTable("Wymiary i wykonanie kształtek",
                                            {{"Lp"}, {"Nazwa kształtki"}, {"Wymiary [mm]"}, {"α [°]"}, {"r [mm]"},
                                             {"Wykonanie"}, {"Materiał"}, {"k [mm]"}});
    for (int i = 0; i < circuit_.Count(); ++i) {
        const pressureloss::FittingRecord& fitting = circuit_.Slot(i);
        const pressureloss::FittingDetails d = pressureloss::DetailsOf(fitting);
        details.AddRow({fitting.ordinal, fitting.name, d.sizes, d.angle, d.radius, d.construction, d.material,
                        d.roughness});
    }
    // The notes of the fittings computed in this session, each with its Lp.
    sheet.AddNotes(LabelUwagi->CurrentNotes());
    return report;
}

void TForm15::EksportujdoCSV1Click() {
    const std::optional<QString> chosen = platform().SaveFileDialog(platform().SaveRecordDialog(
        QStringLiteral("Arkusz CSV (*.csv)"), QStringLiteral("csv"), QStringLiteral("obieg_krytyczny.csv")));
    if (!chosen || chosen->isEmpty()) return;
    ExportCsv(*chosen);
}

void TForm15::ExportCsv(const QString& path) {
    Guarded([&] { WriteFileAtomically(ToStd(path), CircuitTable().ToCsv()); });
}

void TForm15::Pomocprogramu1Click() {
    QFile help(QStringLiteral(":/pressureloss/texts/help.txt"));
    help.open(QIODevice::ReadOnly);
    platform().MessageBox(QString::fromUtf8(help.readAll()).trimmed(), QStringLiteral("Pomoc programu"));
}

void TForm15::FormActivate() { air_.UseDisplayedFigures(); }

}  // namespace vimtal

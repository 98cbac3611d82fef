// The process sheet of the i-x chart window: the tables "Punkty" and
// "Przemiany" beside the chart, their buttons and context menus.
#include "aircalc/IxChartDialogs.h"
#include "aircalc/IxChartForm.h"
#include "aircalc/ProcessSheet.h"
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/ui/Guard.h"
#include "core/ui/NotesLabel.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vimtal {

namespace {

// The sheet's width: both tables' columns whole at the window's default
// size. A narrower window narrows the sheet first (its tables scroll
// sideways), down to the narrowest, and keeps the chart's column as wide
// as its status line.
constexpr int kSheetWidth = 520;
constexpr int kNarrowestSheet = 400;
constexpr int kChartColumn = 700;

// The fog region's pale blue, as the chart shades it.
const QColor kFogRow{226, 236, 246};

QTableWidget* NewTable(QWidget* parent, const QString& name, const std::vector<std::string>& columns) {
    auto* grid = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    grid->setObjectName(name);
    QStringList titles;
    for (const std::string& title : columns) titles << FromStd(title);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
    return grid;
}

// Rows of texts: the columns from `firstNumber` on hold numbers, to the
// right; a row of fog is shaded as the fog region is.
void Fill(QTableWidget* grid, const std::vector<std::vector<std::string>>& rows, std::size_t firstNumber,
          const std::vector<bool>& fog = {}) {
    grid->clearContents();
    grid->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(FromStd(rows[r][c]));
            const bool number = c >= firstNumber;
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            if (r < fog.size() && fog[r]) item->setBackground(kFogRow);
            grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    grid->resizeColumnsToContents();
}

std::optional<std::size_t> Chosen(const QTableWidget* grid) {
    const QList<QTableWidgetItem*> items = grid->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(items.front()->row());
}

}  // namespace

void IxChartForm::BuildSheet(QWidget* parent) {
    auto* sheet = new QWidget(parent);
    sheet->setObjectName(QStringLiteral("Arkusz"));
    sheet->setFixedWidth(kSheetWidth);
    sheet_ = sheet;
    auto* column = new QVBoxLayout(sheet);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    // A title over a table; the notes label lies beside the first one.
    const auto title = [&](const QString& text) {
        auto* row = new QWidget(sheet);
        row->setFixedHeight(22);
        QLabel* label = NewLabel(row, {}, text);
        SetFont(label, 9, true);
        label->move(0, 3);
        column->addWidget(row);
        return row;
    };
    const auto buttons = [&](std::initializer_list<std::pair<QPushButton**, std::pair<const char*, const char*>>> list) {
        auto* row = new QHBoxLayout;
        for (const auto& [button, text] : list) {
            *button = NewButton(sheet, QString::fromLatin1(text.first), QString::fromUtf8(text.second));
            row->addWidget(*button);
        }
        row->addStretch(1);
        column->addLayout(row);
    };
    QWidget* states = title(QStringLiteral("Punkty"));
    LabelUwagi = new NotesLabel(states, 90, 3, 200);
    GridPunkty = NewTable(sheet, QStringLiteral("GridPunkty"), aircalc::StateColumns());
    column->addWidget(GridPunkty, 3);
    buttons({{&ButtonDodajPunkt, {"ButtonDodajPunkt", "Dodaj punkt..."}},
             {&ButtonEdytujPunkt, {"ButtonEdytujPunkt", "Edytuj..."}},
             {&ButtonUsunPunkt, {"ButtonUsunPunkt", "Usuń"}}});
    column->addSpacing(6);
    title(QStringLiteral("Przemiany"));
    GridPrzemiany = NewTable(sheet, QStringLiteral("GridPrzemiany"), aircalc::ProcessColumns());
    column->addWidget(GridPrzemiany, 2);
    buttons({{&ButtonDodajPrzemiane, {"ButtonDodajPrzemiane", "Dodaj przemianę..."}},
             {&ButtonEdytujPrzemiane, {"ButtonEdytujPrzemiane", "Edytuj..."}},
             {&ButtonUsunPrzemiane, {"ButtonUsunPrzemiane", "Usuń"}}});
    columns_->addWidget(sheet);
    ConnectSheet();
}

void IxChartForm::ConnectSheet() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Dodajpunkt1 = NewAction(PopupMenu2, QStringLiteral("Dodajpunkt1"), QStringLiteral("Dodaj punkt..."));
    Edytujpunkt1 = NewAction(PopupMenu2, QStringLiteral("Edytujpunkt1"), QStringLiteral("Edytuj punkt..."));
    Usupunkt1 = NewAction(PopupMenu2, QStringLiteral("Usupunkt1"), QStringLiteral("Usuń punkt"));
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    Dodajprzemian1 = NewAction(PopupMenu3, QStringLiteral("Dodajprzemian1"), QStringLiteral("Dodaj przemianę..."));
    Edytujprzemian1 = NewAction(PopupMenu3, QStringLiteral("Edytujprzemian1"), QStringLiteral("Edytuj przemianę..."));
    Usuprzemian1 = NewAction(PopupMenu3, QStringLiteral("Usuprzemian1"), QStringLiteral("Usuń przemianę"));

    // Each command of the sheet: its button under the table and its item in
    // the table's context menu.
    const struct {
        QPushButton* button;
        QAction* item;
        void (IxChartForm::*handler)();
    } commands[] = {
        {ButtonDodajPunkt, Dodajpunkt1, &IxChartForm::ButtonDodajPunktClick},
        {ButtonEdytujPunkt, Edytujpunkt1, &IxChartForm::ButtonEdytujPunktClick},
        {ButtonUsunPunkt, Usupunkt1, &IxChartForm::ButtonUsunPunktClick},
        {ButtonDodajPrzemiane, Dodajprzemian1, &IxChartForm::ButtonDodajPrzemianeClick},
        {ButtonEdytujPrzemiane, Edytujprzemian1, &IxChartForm::ButtonEdytujPrzemianeClick},
        {ButtonUsunPrzemiane, Usuprzemian1, &IxChartForm::ButtonUsunPrzemianeClick},
    };
    for (const auto& command : commands) {
        const auto run = [this, handler = command.handler] { (this->*handler)(); };
        On(command.button, &QPushButton::clicked, run);
        On(command.item, &QAction::triggered, run);
    }
    OnEach(this, &QTableWidget::itemSelectionChanged,
           {{GridPunkty, &IxChartForm::UpdateSheetButtons}, {GridPrzemiany, &IxChartForm::UpdateSheetButtons}});
    OnEach(this, &QTableWidget::cellDoubleClicked,
           {{GridPunkty, &IxChartForm::ButtonEdytujPunktClick}, {GridPrzemiany, &IxChartForm::ButtonEdytujPrzemianeClick}});
    // A right click chooses the row under it and offers its items.
    for (const auto& [grid, menu] : {std::pair{GridPunkty, PopupMenu2}, std::pair{GridPrzemiany, PopupMenu3}}) {
        QObject::connect(grid, &QTableWidget::customContextMenuRequested, this, [grid = grid, menu = menu](const QPoint& at) {
            const int row = grid->rowAt(at.y());
            if (row >= 0) {
                grid->selectRow(row);
            } else {
                grid->clearSelection();
            }
            menu->popup(grid->viewport()->mapToGlobal(at));
        });
    }
}

void IxChartForm::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    sheet_->setFixedWidth(std::clamp(width() - kChartColumn, kNarrowestSheet, kSheetWidth));
}

void IxChartForm::FillSheet() {
    std::vector<std::vector<std::string>> states, processes;
    std::vector<bool> fog;
    for (const aircalc::StateResult& s : chainResult_.states) {
        states.push_back(aircalc::StateCells(s));
        fog.push_back(s.fog);
    }
    for (std::size_t n = 0; n < chainResult_.processes.size(); ++n) {
        processes.push_back(aircalc::ProcessCells(chain_, chainResult_, n));
    }
    Fill(GridPunkty, states, 1, fog);
    Fill(GridPrzemiany, processes, 4);
    LabelUwagi->ShowNotes(chainResult_.notes);
    UpdateSheetButtons();
}

std::optional<std::size_t> IxChartForm::ChosenState() const { return Chosen(GridPunkty); }

std::optional<std::size_t> IxChartForm::ChosenProcess() const { return Chosen(GridPrzemiany); }

void IxChartForm::SelectRows(QTableWidget* grid, std::optional<std::size_t> row) {
    if (row && *row < static_cast<std::size_t>(grid->rowCount())) {
        grid->selectRow(static_cast<int>(*row));
    } else {
        grid->clearSelection();
    }
}

void IxChartForm::UpdateSheetButtons() {
    const bool state = ChosenState().has_value(), process = ChosenProcess().has_value();
    for (QPushButton* b : {ButtonEdytujPunkt, ButtonUsunPunkt}) b->setEnabled(state);
    for (QAction* a : {Edytujpunkt1, Usupunkt1}) a->setEnabled(state);
    for (QPushButton* b : {ButtonEdytujPrzemiane, ButtonUsunPrzemiane}) b->setEnabled(process);
    for (QAction* a : {Edytujprzemian1, Usuprzemian1}) a->setEnabled(process);
    const bool startable = !chain_.states.empty();
    ButtonDodajPrzemiane->setEnabled(startable);
    Dodajprzemian1->setEnabled(startable);
}

void IxChartForm::PutState(std::optional<std::size_t> index, aircalc::StateInput state) {
    SetChain(aircalc::PutState(chain_, index, std::move(state)));
    SelectRows(GridPunkty, index.value_or(chain_.states.size() - 1));
}

void IxChartForm::PutProcess(std::optional<std::size_t> index, aircalc::ProcessInput process) {
    SetChain(aircalc::PutProcess(chain_, index, std::move(process)));
    SelectRows(GridPrzemiany, index.value_or(chain_.processes.size() - 1));
}

void IxChartForm::ButtonDodajPunktClick() {
    aircalc::StateInput state;
    state.name = aircalc::FreeName(chain_);
    dialogs_.state->Prepare(std::nullopt, state);
    dialogs_.state.ShowModal();
}

void IxChartForm::ButtonEdytujPunktClick() {
    const std::optional<std::size_t> row = ChosenState();
    if (!row) return;
    // Below the given states, a row is the end of a process.
    if (*row >= chain_.states.size()) {
        EditProcess(*row - chain_.states.size());
        return;
    }
    dialogs_.state->Prepare(*row, chain_.states[*row]);
    dialogs_.state.ShowModal();
}

void IxChartForm::ButtonUsunPunktClick() {
    const std::optional<std::size_t> row = ChosenState();
    if (!row) return;
    if (*row >= chain_.states.size()) {
        SetChain(aircalc::RemoveProcess(chain_, *row - chain_.states.size()));
    } else {
        SetChain(aircalc::RemoveState(chain_, *row));
    }
}

void IxChartForm::EditProcess(std::optional<std::size_t> index) {
    if (chain_.states.empty()) {
        throw NoticeError("Przemiana zaczyna się w punkcie: dodaj najpierw punkt początkowy.", kInfoTitle);
    }
    aircalc::ProcessInput process;
    if (index) {
        process = chain_.processes.at(*index);
    } else {
        process.to = aircalc::FreeName(chain_);
    }
    dialogs_.process->Prepare(index, process, aircalc::StartsFor(chain_, index));
    dialogs_.process.ShowModal();
}

void IxChartForm::ButtonDodajPrzemianeClick() { EditProcess(std::nullopt); }

void IxChartForm::ButtonEdytujPrzemianeClick() {
    if (const std::optional<std::size_t> n = ChosenProcess()) EditProcess(*n);
}

void IxChartForm::ButtonUsunPrzemianeClick() {
    if (const std::optional<std::size_t> n = ChosenProcess()) SetChain(aircalc::RemoveProcess(chain_, *n));
}

}  // namespace vimtal

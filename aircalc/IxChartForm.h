// "Wykres i-x powietrza wilgotnego": the Mollier chart of the air
// calculator's laws, with the calculator's last state on it, and the
// air-handling processes drawn on it ("Przemiany powietrza").
//
// The window opens from the calculator's menu ("Wykres i-x"), modal and
// resizable, or with an .ixp file from outside. Its client area is a row of
// columns: the chart's column (the pressure field, the chart `Wykres` and
// the status line of the state under the mouse) and the process sheet
// beside it: the states ("Punkty", GridPunkty) and the processes
// ("Przemiany", GridPrzemiany), each with its buttons and context menu to
// add, edit and delete, and the notes label LabelUwagi.
//
// The chain's inputs (aircalc::ChainInput) are the window's: every change -
// a dialog confirmed, a row deleted, a file opened, a new pressure - is
// recomputed at once, and kept only when the whole chain computes; a refusal
// shows its message and leaves the chain, the sheet and the chart as they
// were. The chain is computed at the chart's pressure. When the chain is
// empty the window opens as the plain chart does, at the calculator's
// pressure; a chain keeps its own.
//
// The chart computes its line families when the range or the pressure
// changes and draws them once per size into a kept pixmap (at the screen's
// device pixel ratio); a paint draws that pixmap and the overlay over it,
// and a mouse move computes the one state under the cursor.
#pragma once

#include "aircalc/AirProcesses.h"
#include "aircalc/IxChart.h"
#include "core/ui/Form.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WidgetsFwd.h"
#include "core/ui/WindowLink.h"

#include <optional>
#include <vector>

namespace vimtal {

class IxChartView;
class IxProcessForm;
class IxRangeForm;
class IxStateForm;
class NotesLabel;
class RecentFiles;
class TForm10;

// The windows the chart opens.
struct IxDialogs {
    WindowLink<IxRangeForm>& range;      // "Zakres..."
    WindowLink<IxStateForm>& state;      // a state of the chain
    WindowLink<IxProcessForm>& process;  // a process of the chain
};

class IxChartForm : public Form, public ModuleWork {
    Q_OBJECT
public:
    // `calculator`: the air calculator whose state the chart shows and into
    // which "Wstaw do kalkulatora" writes; `dialogs`: the range, state and
    // process dialogs.
    IxChartForm(TForm10& calculator, const IxDialogs& dialogs);

    double Pressure() const { return pb_; }
    const aircalc::IxRange& Range() const { return range_; }
    bool DensityLines() const;
    const aircalc::IxLines& Lines() const { return lines_; }
    const aircalc::IxOverlay& Overlay() const { return overlay_; }
    // The chart's layout at its present size (the pixels of its points).
    const aircalc::IxLayout& Layout() const;

    // A new range or pressure; refused with a message (NoticeError) when
    // the chart cannot be drawn so.
    void SetRange(const aircalc::IxRange& range);
    void SetPressure(double pb);

    // The calculator's last state, read again (after it changed).
    void ShowCalculatorState();

    // The chain of processes: its inputs and what they computed.
    const aircalc::ChainInput& Chain() const { return chain_; }
    const aircalc::ChainResult& ChainResults() const { return chainResult_; }
    // New inputs, computed at the chart's pressure (the chain's own is
    // replaced) and shown; refused (NoticeError) with nothing changed when
    // they do not compute.
    void SetChain(aircalc::ChainInput chain);
    // The dialogs' confirmations: a given state (index empty: a new one)
    // or a process, put into the chain as SetChain puts it.
    void PutState(std::optional<std::size_t> index, aircalc::StateInput state);
    void PutProcess(std::optional<std::size_t> index, aircalc::ProcessInput process);

    // The .ixp file at `path`: opened (the chain and its pressure) or saved
    // as "Otwórz..." and "Zapisz..." do once the file is chosen. Each shows
    // its own errors and says whether it succeeded; a file that cannot be
    // opened changes nothing.
    bool Open(const QString& path) override;
    bool Save(const QString& path) override;
    // "Zapisz...": the save dialog, then Save.
    bool SaveAs() override;
    // A chain never saved is compared with the empty one.
    bool Changed() const override;
    // What "Eksportuj do CSV..." writes once the file is chosen.
    void ExportCsv(const QString& path) const;

    // The state under a pixel of the chart, in the status line; nothing
    // outside the plot.
    void ShowReadingAt(const QPointF& pixel);
    // The status line, as one text.
    QString ReadingText() const;

    void Zapiszwykres1Click();        // "Zapisz wykres..."
    void Zakres1Click();              // "Zakres..."
    void Liniegstoci1Click();         // "Linie gęstości"
    void Wstawdokalkulatora1Click();  // "Wstaw do kalkulatora"
    void EditPbExit();                // the pressure typed, Enter or leaving the field
    void Nowy1Click();                // "Nowy": an empty chain, after the question about the present one
    void Otwrz1Click();               // "Otwórz..."
    void Zapisz1Click();              // "Zapisz..."
    void EksportujdoCSV1Click();      // "Eksportuj do CSV..."
    // The sheet's buttons, each also in its table's context menu: on the
    // row chosen in "Punkty" (a process's end edits or deletes its process)
    // or in "Przemiany".
    void ButtonDodajPunktClick();
    void ButtonEdytujPunktClick();
    void ButtonUsunPunktClick();
    void ButtonDodajPrzemianeClick();
    void ButtonEdytujPrzemianeClick();
    void ButtonUsunPrzemianeClick();

    // What "Zapisz wykres..." writes once the file is chosen: an SVG when
    // the name ends in ".svg", a PNG of twice the chart's pixels otherwise.
    void SaveChart(const QString& path) const;
    // The chart, its range and pressure and the calculator's state on A4.
    Report BuildReport() const;

    inline static const QString kPictureFilter = QStringLiteral("Obraz PNG (*.png);;Rysunek SVG (*.svg)");
    inline static const QString kChainFilter = QStringLiteral("Przemiany powietrza (*.ixp)");
    inline static const QString kCsvFilter = QStringLiteral("Arkusz CSV (*.csv)");

protected:
    void showEvent(QShowEvent* event) override;
    // The sheet narrows before the chart's column does.
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class IxChartView;
    void Recompute();
    void UpdateOverlay();
    void ShowReading(const std::optional<aircalc::IxReading>& reading);

    void BuildFileMenu();
    // The chain's .ixp file as a save would write it.
    Bytes WorkRecord() const override;
    // The process sheet (IxChartSheet.cpp).
    void BuildSheet(QWidget* parent);
    // The tables' context menus, and the sheet's buttons, items and tables
    // wired to their handlers.
    void ConnectSheet();
    void FillSheet();
    // The row chosen in a table, if any.
    std::optional<std::size_t> ChosenState() const;
    std::optional<std::size_t> ChosenProcess() const;
    void EditProcess(std::optional<std::size_t> index);
    void SelectRows(QTableWidget* grid, std::optional<std::size_t> row);
    void UpdateSheetButtons();

    QLineEdit* EditPb = nullptr;
    IxChartView* Wykres = nullptr;
    std::vector<QLabel*> readout_;  // t, phi, x, i, rho, tr, tm, fog
    QAction* Zapiszwykres1 = nullptr;
    QAction* Zamknij1 = nullptr;
    QAction* Zakres1 = nullptr;
    QAction* Liniegstoci1 = nullptr;
    QAction* Wstawdokalkulatora1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Nowy1 = nullptr;
    QAction* Otwrz1 = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* EksportujdoCSV1 = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    // The columns of the client area: the chart's column first.
    QHBoxLayout* columns_ = nullptr;

    // The process sheet.
    QWidget* sheet_ = nullptr;
    QTableWidget* GridPunkty = nullptr;
    QTableWidget* GridPrzemiany = nullptr;
    QPushButton* ButtonDodajPunkt = nullptr;
    QPushButton* ButtonEdytujPunkt = nullptr;
    QPushButton* ButtonUsunPunkt = nullptr;
    QPushButton* ButtonDodajPrzemiane = nullptr;
    QPushButton* ButtonEdytujPrzemiane = nullptr;
    QPushButton* ButtonUsunPrzemiane = nullptr;
    QMenu* PopupMenu2 = nullptr;  // on "Punkty"
    QMenu* PopupMenu3 = nullptr;  // on "Przemiany"
    QAction* Dodajpunkt1 = nullptr;
    QAction* Edytujpunkt1 = nullptr;
    QAction* Usupunkt1 = nullptr;
    QAction* Dodajprzemian1 = nullptr;
    QAction* Edytujprzemian1 = nullptr;
    QAction* Usuprzemian1 = nullptr;
    NotesLabel* LabelUwagi = nullptr;

    aircalc::IxRange range_;
    double pb_ = aircalc::kIxDefaultPressure;
    aircalc::IxLines lines_;
    aircalc::IxOverlay overlay_;
    std::optional<aircalc::IxReading> hovered_;  // the state under the mouse
    aircalc::ChainInput chain_;         // at pb_
    aircalc::ChainResult chainResult_;  // of chain_
    QString savedFileName_;             // preset in "Zapisz..."

    TForm10& calculator_;
    IxDialogs dialogs_;
};

}  // namespace vimtal

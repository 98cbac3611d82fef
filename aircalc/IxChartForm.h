// "Wykres i-x powietrza wilgotnego": the Mollier chart of the air
// calculator's laws, with the calculator's last state on it.
//
// The window opens from the calculator's menu ("Wykres i-x"), modal and
// resizable. Its client area is a row of columns: the chart's column (the
// pressure field, the chart `Wykres` and the status line of the state under
// the mouse) and room on its right for a panel beside the chart.
//
// The chart computes its line families when the range or the pressure
// changes and draws them once per size into a kept pixmap (at the screen's
// device pixel ratio); a paint draws that pixmap and the overlay over it,
// and a mouse move computes the one state under the cursor.
#pragma once

#include "aircalc/IxChart.h"
#include "core/ui/Form.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"

#include <optional>
#include <vector>

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vimtal {

class IxChartView;
class IxRangeForm;
class TForm10;

class IxChartForm : public Form {
    Q_OBJECT
public:
    // `calculator`: the air calculator whose state the chart shows and into
    // which "Wstaw do kalkulatora" writes; `range`: the "Zakres..." dialog.
    IxChartForm(TForm10& calculator, WindowLink<IxRangeForm>& range);

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

    // What "Zapisz wykres..." writes once the file is chosen: an SVG when
    // the name ends in ".svg", a PNG of twice the chart's pixels otherwise.
    void SaveChart(const QString& path) const;
    // The chart, its range and pressure and the calculator's state on A4.
    Report BuildReport() const;

    inline static const QString kPictureFilter = QStringLiteral("Obraz PNG (*.png);;Rysunek SVG (*.svg)");

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class IxChartView;
    void Recompute();
    void UpdateOverlay();
    void ShowReading(const std::optional<aircalc::IxReading>& reading);

    QLineEdit* EditPb = nullptr;
    IxChartView* Wykres = nullptr;
    std::vector<QLabel*> readout_;  // t, phi, x, i, rho, tr, tm, fog
    QAction* Zapiszwykres1 = nullptr;
    QAction* Zamknij1 = nullptr;
    QAction* Zakres1 = nullptr;
    QAction* Liniegstoci1 = nullptr;
    QAction* Wstawdokalkulatora1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    // The columns of the client area: the chart's column first.
    QHBoxLayout* columns_ = nullptr;

    aircalc::IxRange range_;
    double pb_ = aircalc::kIxDefaultPressure;
    aircalc::IxLines lines_;
    aircalc::IxOverlay overlay_;
    std::optional<aircalc::IxReading> hovered_;  // the state under the mouse

    TForm10& calculator_;
    WindowLink<IxRangeForm>& rangeDialog_;
};

// "Zakres wykresu i-x": t min, t max and x max of the chart.
class IxRangeForm : public Form {
    Q_OBJECT
public:
    explicit IxRangeForm(IxChartForm& chart);

    void Button1Click();  // "OK": the range, checked, to the chart

protected:
    void FormShow() override;

private:
    QLineEdit* Edit1 = nullptr;  // t min
    QLineEdit* Edit2 = nullptr;  // t max
    QLineEdit* Edit3 = nullptr;  // x max
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    IxChartForm& chart_;
};

}  // namespace vimtal

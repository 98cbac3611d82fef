// The small dialogs of the i-x chart window: its range ("Zakres wykresu
// i-x"), and for the process sheet beside the chart a state of the chain
// ("Punkt powietrza") and a process ("Przemiana powietrza").
//
// The chart prepares a sheet's dialog with the chain's inputs (a new item, or the
// one to edit) and shows it modally. "OK" reads the fields as typed (the
// locale's numbers; an empty field is a value not given) and hands the item
// to the chart, which recomputes the whole chain: a refusal shows its
// message and the dialog stays open with what was typed; otherwise it
// closes. "Anuluj" changes nothing.
#pragma once

#include "aircalc/AirProcesses.h"
#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vimtal {

class IxChartForm;

// The boxes of a dialog's values, each with the input's value it shows and
// reads (an empty box: a value not given).
template <typename Input>
using ValueFields = std::vector<std::pair<QLineEdit*, std::optional<double> Input::*>>;

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

// "Punkt powietrza": the name, two of t, phi, x and i, and the flow (m or
// V, or none).
class IxStateForm : public Form {
    Q_OBJECT
public:
    explicit IxStateForm(IxChartForm& chart);

    // The fields for a new state (`index` empty, named `name`) or for the
    // given state `index` of the chain, as it was given.
    void Prepare(std::optional<std::size_t> index, const aircalc::StateInput& state);

    void Button1Click();  // "OK"

private:
    QLineEdit* EditNazwa = nullptr;
    QLineEdit* EditT = nullptr;
    QLineEdit* EditFi = nullptr;
    QLineEdit* EditX = nullptr;
    QLineEdit* EditI = nullptr;
    QLineEdit* EditM = nullptr;
    QLineEdit* EditV = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    ValueFields<aircalc::StateInput> values_;  // t, phi, x, i

    IxChartForm& chart_;
    std::optional<std::size_t> index_;
};

// "Przemiana powietrza": the type, the start (two for a mixing), the new
// state's name and the type's parameters; only the rows of the chosen type
// are shown and read.
class IxProcessForm : public Form {
    Q_OBJECT
public:
    explicit IxProcessForm(IxChartForm& chart);

    // The fields for a new process (`index` empty) or process `index`, with
    // the states it may start from.
    void Prepare(std::optional<std::size_t> index, const aircalc::ProcessInput& process,
                 const std::vector<std::string>& starts);

    void ComboTypChange();  // the rows of the type chosen
    void Button1Click();    // "OK"

private:
    aircalc::ProcessType Type() const;

    QComboBox* ComboTyp = nullptr;
    QComboBox* ComboZ = nullptr;
    QComboBox* ComboZ2 = nullptr;
    QLineEdit* EditDo = nullptr;
    QLineEdit* EditT2 = nullptr;
    QLineEdit* EditQ = nullptr;
    QLineEdit* EditTadp = nullptr;
    QLineEdit* EditBf = nullptr;
    QLineEdit* EditX2 = nullptr;
    QLineEdit* EditFi2 = nullptr;
    QLineEdit* EditTs = nullptr;
    QLineEdit* EditTw = nullptr;
    QLabel* LabelOpis = nullptr;  // what the type needs
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    // Each row's widgets (label, control, unit), to show with its type.
    std::vector<std::vector<QWidget*>> rows_;
    ValueFields<aircalc::ProcessInput> values_;  // the parameters

    IxChartForm& chart_;
    std::optional<std::size_t> index_;
};

}  // namespace vimtal

#include "CircuitColumns.h"

namespace vimtal::pressureloss {

CircuitTable TableOfCircuit(const Circuit& circuit) {
    CircuitTable table;
    for (const CircuitColumn& column : kCircuitColumns) {
        std::string title = column.header1;
        if (*column.header2) title += std::string(" ") + column.header2;
        table.titles.push_back(title);
    }
    for (int i = 0; i < circuit.Count(); ++i) {
        std::vector<std::string>& row = table.rows.emplace_back();
        for (const CircuitColumn& column : kCircuitColumns) row.push_back(circuit.Slot(i).Get(column.field));
    }
    return table;
}

}  // namespace vimtal::pressureloss

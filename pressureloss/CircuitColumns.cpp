#include "CircuitColumns.h"

#include "FittingKinds.h"

namespace vimtal::pressureloss {

std::string ColumnTitle(const CircuitColumn& column) {
    std::string title = column.header1;
    if (*column.header2) title += std::string("\n") + column.header2;
    return title;
}

CircuitTable TableOfCircuit(const Circuit& circuit) {
    CircuitTable table;
    for (const CircuitColumn& column : kCircuitColumns) table.titles.push_back(ColumnTitle(column));
    for (int i = 0; i < circuit.Count(); ++i) {
        std::vector<std::string>& row = table.rows.emplace_back();
        for (const CircuitColumn& column : kCircuitColumns) row.push_back(circuit.Slot(i).Get(column.field));
    }
    return table;
}

FittingDetails DetailsOf(const FittingRecord& record) {
    const std::optional<FittingKind> kind = KindFromText(record.kind);
    const unsigned has = kind ? InfoOf(*kind).inputs : ~0u;
    FittingDetails details;
    // The sizes in the editor's order, each with its symbol.
    const struct {
        unsigned input;
        const char* symbol;
        const std::string& text;
    } sizes[] = {
        {kLength, "L", record.length},       {kDiameter1, "Φ1", record.diameter1}, {kSidesAB, "A", record.sideA},
        {kSidesAB, "B", record.sideB},       {kDiameter2, "Φ2", record.diameter2}, {kSidesCD, "C", record.sideC},
        {kSidesCD, "D", record.sideD},       {kOffsetE, "e", record.offsetE},
    };
    for (const auto& size : sizes) {
        if (!(has & size.input) || size.text.empty()) continue;
        if (!details.sizes.empty()) details.sizes += "; ";
        details.sizes += std::string(size.symbol) + " = " + size.text;
    }
    if (has & kAngle) details.angle = record.angle;
    if (has & kRadius) details.radius = record.radius;
    std::string construction;
    if (has & kRoundElbowType) construction = record.roundElbowType;
    if (has & kRectElbowType) construction = record.rectElbowType;
    if (has & kTeeLists) construction = record.teePath + ", " + record.teeFlow;
    details.construction = kind ? construction : "";
    details.material = record.material;
    details.roughness = record.roughness;
    return details;
}

}  // namespace vimtal::pressureloss

// The labels and positions of a scale's ticks, for the scale tests.
#pragma once

#include "charts/ChartScale.h"

#include <string>
#include <vector>

namespace vimtal::charts::testing {

inline std::vector<std::string> Labels(const std::vector<ChartTick>& ticks) {
    std::vector<std::string> labels;
    for (const ChartTick& t : ticks) labels.push_back(t.label);
    return labels;
}

inline std::vector<int> Positions(const std::vector<ChartTick>& ticks) {
    std::vector<int> positions;
    for (const ChartTick& t : ticks) positions.push_back(t.position);
    return positions;
}

}  // namespace vimtal::charts::testing

#include "EditorLists.h"

#include "FittingInputs.h"

#include "core/Errors.h"

namespace vimtal::pressureloss {

const std::vector<std::string>& SizeItems() {
    static const std::vector<std::string> items = {
        "100",  "106",  "112",  "118",  "125",  "132",  "140",  "150",  "160",  "170",  "180",  "190",  "200",
        "212",  "224",  "236",  "250",  "265",  "280",  "300",  "315",  "335",  "375",  "400",  "425",  "450",
        "475",  "500",  "530",  "560",  "600",  "630",  "670",  "710",  "750",  "800",  "850",  "900",  "950",
        "1000", "1060", "1120", "1180", "1250", "1320", "1400", "1500", "1600", "1700", "1800", "1900", "2000",
        "2120", "2240", "2360", "2500", "2650", "2800", "3000", "3150", "3350", "3750", "4000", "4250", "4500",
        "4750", "5000", "5300", "5600", "6000", "6300", "6700", "7100", "7500", "8000"};
    return items;
}

const std::vector<std::string>& AngleItems() {
    static const std::vector<std::string> items = {"5",  "10", "15", "20", "25", "30",  "35",  "40",  "45",  "50", "55",
                                                   "60", "65", "70", "75", "80", "85", "90", "110", "150", "180"};
    return items;
}

const std::vector<std::string>& RadiusItems() {
    static const std::vector<std::string> items = {"50",   "100",  "150",  "200",  "250",  "300",  "350",  "400",
                                                   "450",  "500",  "600",  "700",  "800",  "1000", "1200", "1400",
                                                   "1600", "1800", "2000", "2500", "3000", "3500", "4000"};
    return items;
}

const std::vector<std::string>& RoundElbowTypeItems() {
    static const std::vector<std::string> items = {"ŁUK GŁADKI", "KOLANO", "5-SEGMENTÓW", "4-SEGMENTY", "3-SEGMENTY"};
    return items;
}

const std::vector<std::string>& RectElbowTypeItems() {
    static const std::vector<std::string> items = {"ŁUK", "KOLANO"};
    return items;
}

const std::vector<std::string>& TeePathItems() {
    static const std::vector<std::string> items = {"PRZELOT", "ODGAŁĘŹIENIE"};
    return items;
}

const std::vector<std::string>& TeeFlowItems() {
    static const std::vector<std::string> items = {"ROZPŁYW", "ŁĄCZENIE STRUG"};
    return items;
}

const std::vector<std::string>& MaterialItems() {
    static const std::vector<std::string> items = {"PVC", "Stal ocynk", "Inny"};
    return items;
}

std::string ChooseRadius(double boundMm) {
    const std::vector<std::string>& radii = RadiusItems();
    // The first item (50 mm) is never chosen.
    for (std::size_t i = 1; i < radii.size(); ++i) {
        if (ToNumber(radii[i]) >= boundMm) return radii[i];
    }
    return radii.back();
}

std::string RaiseRadius(const std::string& picked, double boundMm) {
    double value = 0.0;
    try {
        value = ToNumber(picked);
    } catch (const ConversionError&) {
        return picked;
    }
    // The smallest radius allowed is the one the automatic choice makes.
    const std::string smallest = ChooseRadius(boundMm);
    return value < ToNumber(smallest) ? smallest : picked;
}

MaterialRoughness RoughnessOf(const std::string& material) {
    if (material == "PVC") return {std::string("0,007"), false};
    if (material == "Stal ocynk") return {std::string("0,15"), false};
    if (material == "Inny") return {std::nullopt, true};
    // A typed material of the user's own: the roughness is the user's too.
    return {std::nullopt, true};
}

std::optional<int> TeeSketchIndex(const std::string& path, const std::string& flow) {
    const int p = path == "PRZELOT" ? 0 : path == "ODGAŁĘŹIENIE" ? 1 : -1;
    const int f = flow == "ROZPŁYW" ? 0 : flow == "ŁĄCZENIE STRUG" ? 1 : -1;
    if (p < 0 || f < 0) return std::nullopt;
    return f * 2 + p;
}

}  // namespace vimtal::pressureloss

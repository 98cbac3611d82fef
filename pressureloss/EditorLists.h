// The standard values the fitting editor offers in its lists, and the rules
// that go with them: the smallest elbow radius that can be built for a duct
// size, and the roughness of the duct materials.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vimtal::pressureloss {

// Diameters and sides [mm] of the standard duct series (no 355, no 3550).
const std::vector<std::string>& SizeItems();
// Angles [deg]: 5 to 90 in steps of 5, then 110, 150, 180.
const std::vector<std::string>& AngleItems();
// Elbow radii [mm].
const std::vector<std::string>& RadiusItems();
const std::vector<std::string>& RoundElbowTypeItems();  // "ŁUK GŁADKI", "KOLANO", ...
const std::vector<std::string>& RectElbowTypeItems();   // "ŁUK", "KOLANO"
const std::vector<std::string>& TeePathItems();         // "PRZELOT", "ODGAŁĘŹIENIE"
const std::vector<std::string>& TeeFlowItems();         // "ROZPŁYW", "ŁĄCZENIE STRUG"
const std::vector<std::string>& MaterialItems();        // "PVC", "Stal ocynk", "Inny"

// The radius of the automatic choice: the first radius from "100" on that
// reaches `boundMm`, or the largest one ("4000") when none does.
std::string ChooseRadius(double boundMm);

// A radius the user picked stands unless it is smaller than the automatic
// choice for the bound; then it is raised to that choice. A text that is not
// a number is left for the confirmation to refuse.
std::string RaiseRadius(const std::string& picked, double boundMm);

// Wall roughness of a material [mm] as the roughness field shows it, and
// whether the user may type it: "PVC" and "Stal ocynk" write their figure
// and lock the field; "Inny" unlocks it and keeps its text.
struct MaterialRoughness {
    std::optional<std::string> text;  // nothing: the text is kept
    bool editable;
};
MaterialRoughness RoughnessOf(const std::string& material);

// Index of the tee sketch (0..3) for the tee path and flow pattern: straight
// or branch, diverging or converging; nothing for texts off the lists.
std::optional<int> TeeSketchIndex(const std::string& path, const std::string& flow);

}  // namespace vimtal::pressureloss

// The catalogue of the 18 fitting kinds: nine round fittings and the same
// nine for rectangular ducts, each group in the order straight duct, elbow,
// offset, tee, roof intake/outlet, silencer, roof base, reducer, grille.
//
// For every kind: its name and type code, which inputs the editor shows, the
// starting texts of its sizes and the file of its picture below the start
// folder.
#pragma once

#include "core/Messages.h"

#include <array>
#include <optional>
#include <string>

namespace vimtal::pressureloss {

// The kinds with the numbers a record's Kind field keeps ("1".."18").
enum class FittingKind {
    RoundStraight = 1,  // straight duct
    RoundElbow,
    RoundOffset,
    RoundTee,
    RoundRoofOutlet,    // roof intake or outlet
    RoundSilencer,
    RoundRoofBase,
    RoundReducer,
    RoundGrille,        // supply or exhaust grille
    RectStraight = 10,
    RectElbow,
    RectOffset,
    RectTee,
    RectRoofOutlet,
    RectSilencer,
    RectRoofBase,
    RectReducer,
    RectGrille = 18,
};
static_assert(static_cast<int>(FittingKind::RectStraight) == 10 && static_cast<int>(FittingKind::RoundGrille) == 9);

inline constexpr int kKindCount = 18;

constexpr int Number(FittingKind kind) { return static_cast<int>(kind); }
// The kind numbered 1..18; nothing for any other number.
constexpr std::optional<FittingKind> KindOfNumber(int number) {
    if (number < 1 || number > kKindCount) return std::nullopt;
    return static_cast<FittingKind>(number);
}
// The kind a record's Kind text names ("1".."18" exactly), or nothing.
std::optional<FittingKind> KindFromText(const std::string& text);
// The 18 kinds in the catalogue's order.
constexpr std::array<FittingKind, kKindCount> AllKinds() {
    std::array<FittingKind, kKindCount> kinds{};
    for (int i = 0; i < kKindCount; ++i) kinds[static_cast<std::size_t>(i)] = static_cast<FittingKind>(i + 1);
    return kinds;
}

// Kinds of rectangular ducts (sides A x B, flow in m3/s); the others are
// round (diameter, flow in m3/h).
constexpr bool IsRectangular(FittingKind kind) { return Number(kind) >= Number(FittingKind::RectStraight); }
// The tees and reducers: a second section, with its velocity w2 and its
// (equivalent) diameter d2.
constexpr bool HasSecondSection(FittingKind kind) {
    return kind == FittingKind::RoundTee || kind == FittingKind::RoundReducer || kind == FittingKind::RectTee ||
           kind == FittingKind::RectReducer;
}
// The tees: the second section carries the other stream Vo.
constexpr bool IsTee(FittingKind kind) { return kind == FittingKind::RoundTee || kind == FittingKind::RectTee; }
// The elbows: a radius and a construction.
constexpr bool IsElbow(FittingKind kind) { return kind == FittingKind::RoundElbow || kind == FittingKind::RectElbow; }
// Elbows and grilles have no length of their own.
constexpr bool HasNoLength(FittingKind kind) {
    return IsElbow(kind) || kind == FittingKind::RoundGrille || kind == FittingKind::RectGrille;
}

// Inputs of the editor that only some kinds show (a bit set).
enum KindInput : unsigned {
    kLength = 1u << 0,           // L
    kDiameter1 = 1u << 1,        // round diameter 1
    kDiameter2 = 1u << 2,        // round diameter 2 (tee branch, reducer end)
    kSidesAB = 1u << 3,          // rectangular A and B
    kSidesCD = 1u << 4,          // second rectangular section C and D
    kAngle = 1u << 5,            // alpha
    kRadius = 1u << 6,           // elbow radius r
    kOffsetE = 1u << 7,          // offset dimension e
    kRoundElbowType = 1u << 8,   // construction of a round elbow
    kRectElbowType = 1u << 9,    // construction of a rectangular elbow
    kTeeLists = 1u << 10,        // tee path and tee flow pattern
    kBranchFlow = 1u << 11,      // Vo, the tee's other stream
    kVelocity2 = 1u << 12,       // w2 in the second section
};

struct KindInfo {
    FittingKind kind;
    const char* name;        // "PROSTKA_OKRĄGŁA"
    const char* typeCode;    // short designation shown as "TYP"
    unsigned inputs;         // KindInput bits
    const char* length;      // starting length, nullptr: keeps the reset's "0"
    const char* secondSize;  // starting size of the second section (diameter 2, or C and D), nullptr: none
    const char* picture;     // below the start folder, exact letter case
};
const KindInfo& InfoOf(FittingKind kind);

// The starting texts of the six size inputs: the main section "100", the
// second section as the kind gives it, every size the kind has not "0".
struct StartingSizes {
    std::string diameter1, diameter2, sideA, sideB, sideC, sideD;
};
StartingSizes StartingSizesOf(FittingKind kind);

// Titles of the calculator's message boxes.
inline constexpr const char* kEditorTitle = "BRENTAX info";
inline constexpr const char* kCircuitTitle = kInfoTitle;

}  // namespace vimtal::pressureloss

// The catalogue of the 18 fitting kinds: nine round fittings and the same
// nine for rectangular ducts, each group in the order straight duct, elbow,
// offset, tee, roof intake/outlet, silencer, roof base, reducer, grille.
//
// For every kind: its name and type code, which inputs the editor shows, the
// starting texts of its sizes and the file of its picture below the start
// folder.
#pragma once

#include <string>

namespace vimtal::pressureloss {

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

struct FittingKind {
    int number;              // 1..18
    const char* button;      // the catalogue's button, "SpeedButton1"
    const char* name;        // "PROSTKA_OKRĄGŁA"
    const char* typeCode;    // short designation shown as "TYP"
    bool rectangular;        // kinds 10..18
    unsigned inputs;         // KindInput bits
    const char* length;      // starting length, nullptr: keeps the reset's "0"
    const char* diameter1;   // starting texts of the six size inputs
    const char* diameter2;
    const char* sideA;
    const char* sideB;
    const char* sideC;
    const char* sideD;
    const char* picture;     // below the start folder, exact letter case
};

inline constexpr int kKindCount = 18;

bool IsKind(int number);
// Throws std::out_of_range for a number outside 1..18.
const FittingKind& KindOf(int number);
// The kind a record's Kind text names, or 0 when it names none.
int KindFromText(const std::string& text);

// Kinds with a second section (w2 and d2): the tees and reducers.
inline bool HasSecondSection(int kind) { return kind == 4 || kind == 8 || kind == 13 || kind == 17; }
// Kinds without a length: elbows and grilles.
inline bool HasNoLength(int kind) { return kind == 2 || kind == 9 || kind == 11 || kind == 18; }

}  // namespace vimtal::pressureloss

#include "FittingKinds.h"

#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
constexpr unsigned kRoundStraight = kLength | kDiameter1;
constexpr unsigned kRectStraight = kLength | kSidesAB;

// Type codes: P straight duct (prostka), K elbow (kolano), O offset
// (odsadzka), T tee (trójnik), R reducer (redukcja), then O round / P
// rectangular. The kinds marked "*" have no coefficient of their own: their
// loss is the manufacturer's figure, entered as the additional loss.
constexpr FittingKind kKinds[kKindCount] = {
    {1, "SpeedButton1", "PROSTKA_OKRĄGŁA", "PO", false, kRoundStraight,
     "2000", "100", "0", "0", "0", "0", "0", "/calc/prostka_o.bmp"},
    {2, "SpeedButton3", "KOLANO_OKRĄGŁE", "KO", false, kDiameter1 | kAngle | kRadius | kRoundElbowType,
     nullptr, "100", "0", "0", "0", "0", "0", "/calc/KOLANO_O.BMP"},
    {3, "SpeedButton4", "ODSADZKA_OKRĄGŁA", "OO", false, kRoundStraight | kOffsetE,
     "500", "100", "0", "0", "0", "0", "0", "/calc/odsadzka_o.bmp"},
    {4, "SpeedButton5", "TRÓJNIK_OKRĄGŁY", "TO", false,
     kRoundStraight | kDiameter2 | kAngle | kVelocity2 | kTeeLists | kBranchFlow,
     "500", "100", "100", "0", "0", "0", "0", "/calc/trojnik_o.bmp"},
    {5, "SpeedButton6", "CZERPNIA/WYRZUTNIA_DACHOWA_OKRĄGŁA", "CWO*", false, kRoundStraight,
     "300", "100", "0", "0", "0", "0", "0", "/calc/czerpnia_o.bmp"},
    {6, "SpeedButton7", "TŁUMIK_HAŁASU_OKRĄGŁY", "TLO*", false, kRoundStraight,
     "1000", "100", "0", "0", "0", "0", "0", "/calc/tlumik_o.bmp"},
    {7, "SpeedButton8", "PODSTAWA_DACHOWA_OKRĄGŁA", "PDO*", false, kRoundStraight,
     "1000", "100", "0", "0", "0", "0", "0", "/calc/podstawa_o.bmp"},
    {8, "SpeedButton2", "REDUKCJA_OKRĄGŁA", "RO", false, kRoundStraight | kDiameter2 | kAngle | kVelocity2,
     "300", "100", "125", "0", "0", "0", "0", "/calc/redukcja_o.bmp"},
    {9, "SpeedButton17", "KRATKA_NAWIEWNA/WYWIEWNA_OKRĄGŁA", "KRO*", false, kDiameter1,
     nullptr, "100", "0", "0", "0", "0", "0", "/calc/kratka_o.bmp"},
    {10, "SpeedButton9", "PROSTKA_PROSTOKĄTNA", "PP", true, kRectStraight,
     "2000", "0", "0", "100", "100", "0", "0", "/calc/prostka_p.bmp"},
    {11, "SpeedButton10", "KOLANO_PROSTOKĄTNE", "KP", true, kSidesAB | kAngle | kRadius | kRectElbowType,
     nullptr, "0", "0", "100", "100", "0", "0", "/calc/kolano_p.bmp"},
    {12, "SpeedButton11", "ODSADZKA_PROSTOKĄTNA", "OP", true, kRectStraight | kOffsetE,
     "500", "0", "0", "100", "100", "0", "0", "/calc/odsadzka_p.bmp"},
    {13, "SpeedButton12", "TRÓJNIK_PROSTOKĄTNY", "TP", true,
     kRectStraight | kSidesCD | kAngle | kVelocity2 | kTeeLists | kBranchFlow,
     "500", "0", "0", "100", "100", "100", "100", "/calc/trojnik_p.bmp"},
    {14, "SpeedButton13", "CZERPNIA/WYRZUTNIA_DACHOWA_PROSTOKĄTNA", "CWP*", true, kRectStraight,
     "300", "0", "0", "100", "100", "0", "0", "/calc/czerpnia_p.bmp"},
    {15, "SpeedButton14", "TŁUMIK_HAŁASU_PROSTOKĄTNY", "TLP*", true, kRectStraight,
     "1000", "0", "0", "100", "100", "0", "0", "/calc/tlumik_p.bmp"},
    {16, "SpeedButton15", "PODSTAWA_DACHOWA_PROSTOKĄTNA", "PDP*", true, kRectStraight,
     "1000", "0", "0", "100", "100", "0", "0", "/calc/podstawa_p.bmp"},
    {17, "SpeedButton16", "REDUKCJA_PROSTOKĄTNA", "RP", true, kRectStraight | kSidesCD | kVelocity2,
     "300", "0", "0", "100", "100", "125", "125", "/calc/redukcja_p.bmp"},
    {18, "SpeedButton18", "KRATKA_NAWIEWNA/WYWIEWNA_PROSTOKĄTNA", "KRP*", true, kSidesAB,
     nullptr, "0", "0", "100", "100", "0", "0", "/calc/kratka_p.bmp"},
};
}  // namespace

bool IsKind(int number) { return number >= 1 && number <= kKindCount; }

const FittingKind& KindOf(int number) {
    if (!IsKind(number)) throw std::out_of_range("fitting kind outside 1..18");
    return kKinds[number - 1];
}

int KindFromText(const std::string& text) {
    for (int k = 1; k <= kKindCount; ++k) {
        if (text == std::to_string(k)) return k;
    }
    return 0;
}

}  // namespace vimtal::pressureloss

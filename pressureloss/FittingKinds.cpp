#include "FittingKinds.h"

#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
using enum FittingKind;

constexpr unsigned kRoundStraight = kLength | kDiameter1;
constexpr unsigned kRectStraight = kLength | kSidesAB;
constexpr unsigned kRoundTee = kRoundStraight | kDiameter2 | kAngle | kVelocity2 | kTeeLists | kBranchFlow;
constexpr unsigned kRectTee = kRectStraight | kSidesCD | kAngle | kVelocity2 | kTeeLists | kBranchFlow;

// Type codes: P straight duct (prostka), K elbow (kolano), O offset
// (odsadzka), T tee (trójnik), R reducer (redukcja), then O round / P
// rectangular. The kinds marked "*" have no coefficient of their own: their
// loss is the manufacturer's figure, entered as the additional loss.
constexpr KindInfo kKinds[kKindCount] = {
    {RoundStraight, "PROSTKA_OKRĄGŁA", "PO", kRoundStraight, "2000", nullptr, "/calc/prostka_o.bmp"},
    {RoundElbow, "KOLANO_OKRĄGŁE", "KO", kDiameter1 | kAngle | kRadius | kRoundElbowType, nullptr,
     nullptr, "/calc/KOLANO_O.BMP"},
    {RoundOffset, "ODSADZKA_OKRĄGŁA", "OO", kRoundStraight | kOffsetE, "500", nullptr,
     "/calc/odsadzka_o.bmp"},
    {RoundTee, "TRÓJNIK_OKRĄGŁY", "TO", kRoundTee, "500", "100", "/calc/trojnik_o.bmp"},
    {RoundRoofOutlet, "CZERPNIA/WYRZUTNIA_DACHOWA_OKRĄGŁA", "CWO*", kRoundStraight, "300", nullptr,
     "/calc/czerpnia_o.bmp"},
    {RoundSilencer, "TŁUMIK_HAŁASU_OKRĄGŁY", "TLO*", kRoundStraight, "1000", nullptr,
     "/calc/tlumik_o.bmp"},
    {RoundRoofBase, "PODSTAWA_DACHOWA_OKRĄGŁA", "PDO*", kRoundStraight, "1000", nullptr,
     "/calc/podstawa_o.bmp"},
    {RoundReducer, "REDUKCJA_OKRĄGŁA", "RO", kRoundStraight | kDiameter2 | kAngle | kVelocity2, "300",
     "125", "/calc/redukcja_o.bmp"},
    {RoundGrille, "KRATKA_NAWIEWNA/WYWIEWNA_OKRĄGŁA", "KRO*", kDiameter1, nullptr, nullptr,
     "/calc/kratka_o.bmp"},
    {RectStraight, "PROSTKA_PROSTOKĄTNA", "PP", kRectStraight, "2000", nullptr, "/calc/prostka_p.bmp"},
    {RectElbow, "KOLANO_PROSTOKĄTNE", "KP", kSidesAB | kAngle | kRadius | kRectElbowType, nullptr,
     nullptr, "/calc/kolano_p.bmp"},
    {RectOffset, "ODSADZKA_PROSTOKĄTNA", "OP", kRectStraight | kOffsetE, "500", nullptr,
     "/calc/odsadzka_p.bmp"},
    {RectTee, "TRÓJNIK_PROSTOKĄTNY", "TP", kRectTee, "500", "100", "/calc/trojnik_p.bmp"},
    {RectRoofOutlet, "CZERPNIA/WYRZUTNIA_DACHOWA_PROSTOKĄTNA", "CWP*", kRectStraight, "300", nullptr,
     "/calc/czerpnia_p.bmp"},
    {RectSilencer, "TŁUMIK_HAŁASU_PROSTOKĄTNY", "TLP*", kRectStraight, "1000", nullptr,
     "/calc/tlumik_p.bmp"},
    {RectRoofBase, "PODSTAWA_DACHOWA_PROSTOKĄTNA", "PDP*", kRectStraight, "1000", nullptr,
     "/calc/podstawa_p.bmp"},
    {RectReducer, "REDUKCJA_PROSTOKĄTNA", "RP", kRectStraight | kSidesCD | kVelocity2, "300", "125",
     "/calc/redukcja_p.bmp"},
    {RectGrille, "KRATKA_NAWIEWNA/WYWIEWNA_PROSTOKĄTNA", "KRP*", kSidesAB, nullptr, nullptr,
     "/calc/kratka_p.bmp"},
};

constexpr bool InKindOrder() {
    for (int i = 0; i < kKindCount; ++i) {
        if (Number(kKinds[i].kind) != i + 1) return false;
    }
    return true;
}
static_assert(InKindOrder(), "the table is indexed by the kind's number");

// The kind tests and the inputs each kind shows say the same thing.
constexpr bool TestsAgreeWithInputs() {
    for (const KindInfo& info : kKinds) {
        const unsigned has = info.inputs;
        if (HasSecondSection(info.kind) != ((has & kVelocity2) != 0)) return false;
        if (IsTee(info.kind) != ((has & kTeeLists) != 0)) return false;
        if (IsElbow(info.kind) != ((has & kRadius) != 0)) return false;
        if (HasNoLength(info.kind) != ((has & kLength) == 0)) return false;
    }
    return true;
}
static_assert(TestsAgreeWithInputs(), "a kind test disagrees with the inputs the kind shows");
}  // namespace

std::optional<FittingKind> KindFromText(const std::string& text) {
    for (FittingKind kind : AllKinds()) {
        if (text == std::to_string(Number(kind))) return kind;
    }
    return std::nullopt;
}

const KindInfo& InfoOf(FittingKind kind) {
    if (!KindOfNumber(Number(kind))) throw std::out_of_range("fitting kind outside 1..18");
    return kKinds[Number(kind) - 1];
}

StartingSizes StartingSizesOf(FittingKind kind) {
    const KindInfo& info = InfoOf(kind);
    const std::string second = info.secondSize ? info.secondSize : "0";
    if (IsRectangular(kind)) return {"0", "0", "100", "100", second, second};
    return {"100", second, "0", "0", "0", "0"};
}

}  // namespace vimtal::pressureloss

#include "pressureloss/EditorLists.h"
#include "pressureloss/FittingKinds.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vimtal::pressureloss {
namespace {

using enum FittingKind;

TEST(FittingKinds, TypeCodesAreShortUniqueUpperCaseDesignations) {
    std::set<std::string> seen;
    bool someStarred = false;
    for (FittingKind kind : AllKinds()) {
        const std::string code = InfoOf(kind).typeCode;
        ASSERT_GE(code.size(), 1u);
        ASSERT_LE(code.size(), 5u);
        std::string body = code;
        if (body.back() == '*') {
            someStarred = true;
            body.pop_back();
        }
        ASSERT_FALSE(body.empty());
        for (char c : body) EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << code;
        EXPECT_TRUE(seen.insert(code).second) << code;
        EXPECT_EQ(InfoOf(kind).kind, kind);
    }
    EXPECT_TRUE(someStarred);
}

// The numbers are those of the record's Kind field and of the catalogue.
TEST(FittingKinds, NumbersNameTheKindsOfTheRecordsAndTheirShapes) {
    struct Case {
        int number;
        FittingKind kind;
        bool rectangular, second, tee, elbow, noLength;
        const char* name;
    };
    const Case cases[] = {
        {1, RoundStraight, false, false, false, false, false, "PROSTKA_OKRĄGŁA"},
        {2, RoundElbow, false, false, false, true, true, "KOLANO_OKRĄGŁE"},
        {3, RoundOffset, false, false, false, false, false, "ODSADZKA_OKRĄGŁA"},
        {4, RoundTee, false, true, true, false, false, "TRÓJNIK_OKRĄGŁY"},
        {5, RoundRoofOutlet, false, false, false, false, false, "CZERPNIA/WYRZUTNIA_DACHOWA_OKRĄGŁA"},
        {6, RoundSilencer, false, false, false, false, false, "TŁUMIK_HAŁASU_OKRĄGŁY"},
        {7, RoundRoofBase, false, false, false, false, false, "PODSTAWA_DACHOWA_OKRĄGŁA"},
        {8, RoundReducer, false, true, false, false, false, "REDUKCJA_OKRĄGŁA"},
        {9, RoundGrille, false, false, false, false, true, "KRATKA_NAWIEWNA/WYWIEWNA_OKRĄGŁA"},
        {10, RectStraight, true, false, false, false, false, "PROSTKA_PROSTOKĄTNA"},
        {11, RectElbow, true, false, false, true, true, "KOLANO_PROSTOKĄTNE"},
        {12, RectOffset, true, false, false, false, false, "ODSADZKA_PROSTOKĄTNA"},
        {13, RectTee, true, true, true, false, false, "TRÓJNIK_PROSTOKĄTNY"},
        {14, RectRoofOutlet, true, false, false, false, false, "CZERPNIA/WYRZUTNIA_DACHOWA_PROSTOKĄTNA"},
        {15, RectSilencer, true, false, false, false, false, "TŁUMIK_HAŁASU_PROSTOKĄTNY"},
        {16, RectRoofBase, true, false, false, false, false, "PODSTAWA_DACHOWA_PROSTOKĄTNA"},
        {17, RectReducer, true, true, false, false, false, "REDUKCJA_PROSTOKĄTNA"},
        {18, RectGrille, true, false, false, false, true, "KRATKA_NAWIEWNA/WYWIEWNA_PROSTOKĄTNA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Number(c.kind), c.number);
        EXPECT_EQ(KindOfNumber(c.number), c.kind);
        EXPECT_EQ(KindFromText(std::to_string(c.number)), c.kind);
        EXPECT_EQ(AllKinds()[static_cast<std::size_t>(c.number - 1)], c.kind);
        EXPECT_EQ(IsRectangular(c.kind), c.rectangular) << c.number;
        EXPECT_EQ(HasSecondSection(c.kind), c.second) << c.number;
        EXPECT_EQ(IsTee(c.kind), c.tee) << c.number;
        EXPECT_EQ(IsElbow(c.kind), c.elbow) << c.number;
        EXPECT_EQ(HasNoLength(c.kind), c.noLength) << c.number;
        EXPECT_STREQ(InfoOf(c.kind).name, c.name);
    }
    for (int number : {0, 19, -1}) EXPECT_FALSE(KindOfNumber(number).has_value()) << number;
    for (const char* text : {"", "0", "19", "01", " 1", "1 "}) EXPECT_FALSE(KindFromText(text).has_value()) << text;
    EXPECT_THROW(InfoOf(static_cast<FittingKind>(19)), std::out_of_range);
}

TEST(FittingKinds, EveryPreparationWritesAllSixSizes) {
    struct Case {
        FittingKind kind;
        StartingSizes sizes;  // diameter 1, 2, sides A, B, C, D
    };
    const Case cases[] = {
        {RoundStraight, {"100", "0", "0", "0", "0", "0"}},  {RoundTee, {"100", "100", "0", "0", "0", "0"}},
        {RoundReducer, {"100", "125", "0", "0", "0", "0"}}, {RoundGrille, {"100", "0", "0", "0", "0", "0"}},
        {RectElbow, {"0", "0", "100", "100", "0", "0"}},    {RectTee, {"0", "0", "100", "100", "100", "100"}},
        {RectReducer, {"0", "0", "100", "100", "125", "125"}},
    };
    for (const Case& c : cases) {
        const StartingSizes s = StartingSizesOf(c.kind);
        EXPECT_EQ((std::vector<std::string>{s.diameter1, s.diameter2, s.sideA, s.sideB, s.sideC, s.sideD}),
                  (std::vector<std::string>{c.sizes.diameter1, c.sizes.diameter2, c.sizes.sideA, c.sizes.sideB,
                                            c.sizes.sideC, c.sizes.sideD}))
            << c.kind;
    }
}

TEST(EditorLists, ListsHoldTheStandardSeries) {
    EXPECT_EQ(SizeItems().size(), 75u);
    EXPECT_EQ(AngleItems().size(), 21u);
    EXPECT_EQ(RadiusItems().size(), 23u);
    EXPECT_EQ(std::count(SizeItems().begin(), SizeItems().end(), "355"), 0);
    EXPECT_EQ(std::count(SizeItems().begin(), SizeItems().end(), "3550"), 0);
    for (const auto* list : {&SizeItems(), &AngleItems(), &RadiusItems()}) {
        for (std::size_t i = 1; i < list->size(); ++i) {
            EXPECT_LT(std::stoi((*list)[i - 1]), std::stoi((*list)[i]));
        }
    }
    EXPECT_EQ(RoughnessOf("PVC").text, "0,007");
    EXPECT_FALSE(RoughnessOf("PVC").editable);
    EXPECT_EQ(RoughnessOf("Stal ocynk").text, "0,15");
    EXPECT_FALSE(RoughnessOf("Inny").text.has_value());
    EXPECT_TRUE(RoughnessOf("Inny").editable);
    EXPECT_EQ(TeeSketchIndex("PRZELOT", "ROZPŁYW"), 0);
    EXPECT_EQ(TeeSketchIndex("ODGAŁĘŹIENIE", "ROZPŁYW"), 1);
    EXPECT_EQ(TeeSketchIndex("PRZELOT", "ŁĄCZENIE STRUG"), 2);
    EXPECT_EQ(TeeSketchIndex("ODGAŁĘŹIENIE", "ŁĄCZENIE STRUG"), 3);
    EXPECT_FALSE(TeeSketchIndex("X", "ROZPŁYW").has_value());
}

}  // namespace
}  // namespace vimtal::pressureloss

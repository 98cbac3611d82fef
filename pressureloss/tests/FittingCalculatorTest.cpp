#include "pressureloss/EditorLists.h"
#include "pressureloss/FittingCalculator.h"
#include "pressureloss/FittingKinds.h"

#include "TestSupport.h"
#include "TypicalInputs.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace vimtal::pressureloss {
namespace {

using enum FittingKind;
using testing::CommaLocale;
using testing::DefaultAir;
using testing::Local;
using testing::TypicalInputs;

class Calculation : public CommaLocale {
protected:
    LossResult Run(FittingKind kind, const FittingInputs& in, const std::string& total = "") {
        return calculator.LossStep(kind, in, total, nullptr, 0.0);
    }
    FittingCalculator calculator{DefaultAir()};
};

TEST_F(Calculation, StraightRoundDuct) {
    // 100 m3/h through a 100 mm PVC duct, 2 m long, in air of 1,2 kg/m3: the
    // steps to its losses, which are the first row of the table below.
    const LossResult r = Run(RoundStraight, TypicalInputs(RoundStraight));
    EXPECT_EQ(r.display.w1, "3,537");  // 400 / (3,1415 * 0,01 * 3600)
    EXPECT_NEAR(calculator.Values().reynolds, 23579.2, 0.05);
    EXPECT_NEAR(calculator.Values().lambda, 0.02504, 1e-12);
    EXPECT_EQ(r.totalText, "3,76");
}

TEST_F(Calculation, RectangularVelocityIsShownWithTwoDecimalsAndStoredWithThree) {
    const LossResult r = Run(RectStraight, TypicalInputs(RectStraight));
    EXPECT_EQ(r.display.w1, "2,78");
    EXPECT_EQ(r.velocity1, "2,778");
    EXPECT_EQ(r.equivDiameter, "100");
    testing::UseLocale('.');
    EXPECT_EQ(Run(RectStraight, TypicalInputs(RectStraight)).velocity1, "2.778");
}

// Every kind against values computed independently (a separate
// double-precision implementation of the same laws and tables).
struct KindCase {
    std::string what;
    FittingKind kind;
    std::function<void(FittingInputs&)> set;
    std::string w1, w2, zeta, dpl, dpm, dpc, deq, deq2;
    int steps;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.what; }

class EveryKind : public CommaLocale, public ::testing::WithParamInterface<KindCase> {};

TEST_P(EveryKind, MatchesTheIndependentCalculation) {
    const KindCase& c = GetParam();
    FittingInputs in = TypicalInputs(c.kind);
    c.set(in);
    FittingCalculator calculator{DefaultAir()};
    const LossResult r = calculator.LossStep(c.kind, in, "", nullptr, 0.0);
    EXPECT_EQ(r.velocity1, Local(c.w1));
    EXPECT_EQ(r.velocity2, Local(c.w2));
    EXPECT_EQ(r.zeta, Local(c.zeta));
    EXPECT_EQ(r.frictionLoss, Local(c.dpl));
    EXPECT_EQ(r.localLoss, Local(c.dpm));
    EXPECT_EQ(r.totalLoss, Local(c.dpc));
    EXPECT_EQ(r.equivDiameter, Local(c.deq));
    EXPECT_EQ(r.equivDiameter2, Local(c.deq2));
    EXPECT_EQ(calculator.Values().frictionSteps, c.steps);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryKind,
    ::testing::Values(
        KindCase{"1 straight", RoundStraight, [](FittingInputs&) {}, "3.537", "", "0", "3.76", "0", "3.76", "100", "", 2504},
        KindCase{"2 smooth bend 250", RoundElbow, [](FittingInputs& i) { i.diameter1 = "250"; i.radius = "150"; },
                 "0.566", "", "0.558", "0", "0.11", "0.11", "250", "", 3141},
        KindCase{"2 five segments 45 deg", RoundElbow,
                 [](FittingInputs& i) { i.diameter1 = "200"; i.radius = "300"; i.angle = "45"; i.roundElbowType = "5-SEGMENTÓW"; },
                 "0.884", "", "0.144", "0", "0.07", "0.07", "200", "", 2964},
        KindCase{"2 four segments 60 deg", RoundElbow,
                 [](FittingInputs& i) { i.diameter1 = "160"; i.radius = "200"; i.angle = "60"; i.roundElbowType = "4-SEGMENTY"; i.flow = "400"; },
                 "5.526", "", "0.25", "0", "4.57", "4.57", "160", "", 2032},
        KindCase{"2 three segments", RoundElbow,
                 [](FittingInputs& i) { i.diameter1 = "125"; i.radius = "100"; i.roundElbowType = "3-SEGMENTY"; i.flow = "250"; },
                 "5.659", "", "0.516", "0", "9.91", "9.91", "125", "", 2137},
        KindCase{"2 mitre 30 deg", RoundElbow, [](FittingInputs& i) { i.angle = "30"; i.roundElbowType = "KOLANO"; },
                 "3.537", "", "0.198", "0", "1.48", "1.48", "100", "", 2504},
        KindCase{"2 bend below r/d 0.5", RoundElbow, [](FittingInputs& i) { i.radius = "40"; },
                 "3.537", "", "0.71", "0", "5.33", "5.33", "100", "", 2504},
        KindCase{"3 offset", RoundOffset, [](FittingInputs& i) { i.diameter1 = "160"; i.offsetE = "200"; i.flow = "300"; },
                 "4.145", "", "0.26", "0.7", "2.68", "3.38", "160", "", 2163},
        KindCase{"4 diverging straight", RoundTee,
                 [](FittingInputs& i) { i.diameter1 = "200"; i.diameter2 = "125"; i.flow = "600"; i.branchFlow = "200"; },
                 "5.305", "4.527", "0.111", "0.82", "1.88", "2.7", "200", "125", 1952},
        KindCase{"4 diverging branch 45 deg", RoundTee,
                 [](FittingInputs& i) { i.diameter1 = "200"; i.diameter2 = "125"; i.angle = "45"; i.flow = "600"; i.branchFlow = "200"; i.teePath = "ODGAŁĘŹIENIE"; },
                 "5.305", "4.527", "0.525", "0.82", "8.86", "9.68", "200", "125", 1952},
        KindCase{"4 converging straight", RoundTee,
                 [](FittingInputs& i) { i.diameter1 = "200"; i.diameter2 = "125"; i.flow = "600"; i.branchFlow = "200"; i.teeFlow = "ŁĄCZENIE STRUG"; },
                 "5.305", "4.527", "0.556", "0.82", "9.38", "10.21", "200", "125", 1952},
        KindCase{"4 converging branch 60 deg", RoundTee,
                 [](FittingInputs& i) { i.diameter1 = "200"; i.diameter2 = "125"; i.angle = "60"; i.flow = "600"; i.branchFlow = "200"; i.teePath = "ODGAŁĘŹIENIE"; i.teeFlow = "ŁĄCZENIE STRUG"; },
                 "5.305", "4.527", "0.555", "0.82", "9.37", "10.19", "200", "125", 1952},
        KindCase{"4 diverging branch faster than the main stream", RoundTee,
                 [](FittingInputs& i) { i.diameter2 = "160"; i.angle = "30"; i.flow = "300"; i.branchFlow = "500"; i.teePath = "ODGAŁĘŹIENIE"; },
                 "10.611", "6.908", "0.296", "6.64", "20.01", "26.65", "100", "160", 1967},
        KindCase{"5 roof intake", RoundRoofOutlet, [](FittingInputs& i) { i.extraLoss = "12"; },
                 "3.537", "", "0", "0.56", "0", "12.56", "100", "", 2504},
        KindCase{"6 silencer, galvanised steel", RoundSilencer, [](FittingInputs& i) { i.extraLoss = "25.5"; i.roughness = "0,15"; },
                 "3.537", "", "0", "2.11", "0", "27.61", "100", "", 2810},
        KindCase{"7 roof base", RoundRoofBase, [](FittingInputs&) {}, "3.537", "", "0", "1.88", "0", "1.88", "100", "", 2504},
        KindCase{"8 reducer", RoundReducer, [](FittingInputs& i) { i.angle = "30"; i.flow = "200"; },
                 "7.074", "4.527", "0.23", "1.93", "6.92", "8.85", "100", "125", 2141},
        KindCase{"9 grille", RoundGrille, [](FittingInputs& i) { i.extraLoss = "5"; },
                 "3.537", "", "0", "0", "0", "5", "100", "", 2504},
        KindCase{"10 straight", RectStraight, [](FittingInputs&) {}, "2.778", "", "0", "2.46", "0", "2.46", "100", "", 2653},
        KindCase{"11 bend", RectElbow,
                 [](FittingInputs& i) { i.sideA = "200"; i.sideB = "400"; i.radius = "150"; i.flow = "1800"; },
                 "6.25", "", "0.491", "0", "11.5", "11.5", "266.7", "", 1776},
        KindCase{"11 mitre 45 deg", RectElbow,
                 [](FittingInputs& i) { i.sideA = "300"; i.sideB = "150"; i.angle = "45"; i.radius = "300"; i.flow = "3000"; i.rectElbowType = "KOLANO"; },
                 "18.519", "", "0.37", "0", "76.13", "76.13", "200", "", 1533},
        KindCase{"12 offset", RectOffset,
                 [](FittingInputs& i) { i.sideA = "200"; i.offsetE = "250"; i.flow = "500"; },
                 "6.944", "", "0.35", "2.19", "10.13", "12.31", "133.3", "", 2016},
        KindCase{"13 diverging branch", RectTee,
                 [](FittingInputs& i) { i.sideA = "300"; i.sideB = "200"; i.sideC = "200"; i.sideD = "200"; i.flow = "2000"; i.branchFlow = "500"; i.teePath = "ODGAŁĘŹIENIE"; },
                 "9.259", "3.472", "1.065", "1.8", "54.77", "56.57", "240", "200", 1680},
        KindCase{"13 converging straight 60 deg", RectTee,
                 [](FittingInputs& i) { i.sideA = "300"; i.sideB = "200"; i.sideC = "250"; i.sideD = "200"; i.angle = "60"; i.flow = "2000"; i.branchFlow = "700"; i.teeFlow = "ŁĄCZENIE STRUG"; },
                 "9.259", "3.889", "0.435", "1.8", "22.36", "24.16", "240", "222.2", 1680},
        KindCase{"14 roof intake", RectRoofOutlet, [](FittingInputs& i) { i.sideA = "200"; i.sideB = "200"; i.flow = "800"; },
                 "5.556", "", "0", "0.54", "0", "0.54", "200", "", 1933},
        KindCase{"15 silencer", RectSilencer,
                 [](FittingInputs& i) { i.sideA = "400"; i.sideB = "200"; i.flow = "1500"; i.extraLoss = "40"; },
                 "5.208", "", "0", "1.12", "0", "41.12", "266.7", "", 1842},
        KindCase{"16 roof base", RectRoofBase, [](FittingInputs& i) { i.sideA = "250"; i.sideB = "250"; i.flow = "900"; },
                 "4", "", "0", "0.76", "0", "0.76", "250", "", 1973},
        KindCase{"17 reducer 45 deg", RectReducer,
                 [](FittingInputs& i) { i.sideA = "200"; i.sideB = "200"; i.sideC = "250"; i.sideD = "250"; i.angle = "45"; i.flow = "1000"; },
                 "6.944", "4.444", "0.252", "0.8", "7.29", "8.09", "200", "250", 1847},
        KindCase{"18 grille", RectGrille, [](FittingInputs& i) { i.sideA = "300"; i.sideB = "150"; i.flow = "600"; i.extraLoss = "15"; },
                 "3.704", "", "0", "0", "0", "15", "200", "", 2108}));

TEST_F(Calculation, EitherSeparatorIsAcceptedInTypedNumbers) {
    FittingInputs dots = TypicalInputs(RoundElbow);
    dots.diameter1 = "250.0";
    dots.radius = "150.0";
    FittingInputs commas = TypicalInputs(RoundElbow);
    commas.diameter1 = "250,0";
    commas.radius = "150,0";
    EXPECT_EQ(Run(RoundElbow, dots).zeta, "0,558");
    EXPECT_EQ(Run(RoundElbow, commas).zeta, "0,558");
    FittingInputs both = TypicalInputs(RoundStraight);
    both.length = "1.234,5";
    EXPECT_THROW(Run(RoundStraight, both), ConversionError);
}

TEST_F(Calculation, TeeCoefficientsAtTheSwitchPointsOfTheFormulas) {
    // q = 1: no branch flow, the straight stream keeps the velocity: zeta 0.
    FittingInputs straight = TypicalInputs(RoundTee);
    straight.branchFlow = "0";
    EXPECT_EQ(Run(RoundTee, straight).zeta, "0");
    // p = 1: the branch velocity equals wc cos(alpha); with alpha 0 and equal
    // sections that is Vo = V, and the coefficient is sin^2(0) = 0.
    FittingInputs branch = TypicalInputs(RoundTee);
    branch.angle = "0";
    branch.branchFlow = "100";
    branch.teePath = "ODGAŁĘŹIENIE";
    EXPECT_EQ(Run(RoundTee, branch).zeta, "0");
    // p < 1 at 60 deg with a slow branch:
    // (cos 60 - wb/wc)^2 + sin^2 60 = (0.5 - 0.2)^2 + 0.75.
    branch.angle = "60";
    branch.branchFlow = "20";
    EXPECT_EQ(Run(RoundTee, branch).zeta, "0,84");
}

TEST_F(Calculation, MitreUsesTheReynoldsNumberOfItsOwnFitting) {
    // A large flow first, so that a stale Reynolds number would be far off.
    FittingInputs big = TypicalInputs(RoundStraight);
    big.flow = "2000";
    Run(RoundStraight, big);
    FittingInputs mitre = TypicalInputs(RoundElbow);
    mitre.roundElbowType = "KOLANO";
    mitre.angle = "30";
    EXPECT_EQ(Run(RoundElbow, mitre).zeta, "0,198");  // MitreElbowZeta(30) x MitreReynoldsFactor(23579)

    FittingInputs rect = TypicalInputs(RectElbow);
    rect.sideA = "200";
    rect.sideB = "400";
    rect.radius = "150";
    rect.flow = "1800";
    Run(RoundStraight, big);
    EXPECT_EQ(Run(RectElbow, rect).zeta, "0,491");
}

TEST_F(Calculation, AnElbowConstructionOffTheListIsRefused) {
    Run(RoundElbow, TypicalInputs(RoundElbow));  // a previous fitting with a coefficient
    struct Case {
        FittingKind kind;
        std::function<void(FittingInputs&)> set;
    };
    const Case cases[] = {
        {RoundElbow, [](FittingInputs& i) { i.roundElbowType = "łuk gładki"; }},
        {RoundElbow, [](FittingInputs& i) { i.roundElbowType = ""; }},
        {RectElbow, [](FittingInputs& i) { i.rectElbowType = "ŁUK GŁADKI"; }},
        {RoundTee, [](FittingInputs& i) { i.teePath = "PROSTO"; }},
        {RectTee, [](FittingInputs& i) { i.teeFlow = "ŁĄCZENIE"; }},
    };
    for (const Case& c : cases) {
        FittingInputs in = TypicalInputs(c.kind);
        c.set(in);
        try {
            Run(c.kind, in);
            FAIL() << "kind " << c.kind << " computed with an unknown construction";
        } catch (const NoticeError& e) {
            EXPECT_EQ(e.Title(), "BRENTAX info");
            EXPECT_NE(std::string(e.what()).find("Wybierz"), std::string::npos);
        }
    }
}

TEST_F(Calculation, ZeroSizesAndFlowsStopWithTheFloatingPointError) {
    struct Case {
        FittingKind kind;
        std::function<void(FittingInputs&)> set;
        std::string message;
    };
    const Case cases[] = {
        {RoundStraight, [](FittingInputs& i) { i.diameter1 = "0"; }, "Floating point division by zero"},
        {RectStraight, [](FittingInputs& i) { i.sideB = "0"; }, "Floating point division by zero"},  // V / (A B)
        {RectStraight, [](FittingInputs& i) { i.sideA = "0"; i.sideB = "0"; }, "Invalid floating point operation"},  // 2AB / (A + B) = 0/0
        {RoundStraight, [](FittingInputs& i) { i.flow = "0,0"; }, "Floating point division by zero"},  // Re = 0 in the friction law
        {RoundOffset, [](FittingInputs& i) { i.length = "0"; }, "Floating point division by zero"},  // e / L
    };
    for (const Case& c : cases) {
        FittingInputs in = TypicalInputs(c.kind);
        c.set(in);
        try {
            Run(c.kind, in);
            FAIL() << "kind " << c.kind;
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << "kind " << c.kind;
        }
    }
}

TEST_F(Calculation, VelocityStepKeepsTheFlowOfAnEmptyField) {
    FittingInputs in = TypicalInputs(RoundStraight);
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "3,537");
    in.flow = "";
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "3,537");
    in.diameter1 = "200";
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "0,884");

    FittingInputs tee = TypicalInputs(RoundTee);
    tee.branchFlow = "50";
    const VelocityDisplay shown = calculator.VelocityStep(RoundTee, tee);
    EXPECT_EQ(shown.w1, "3,537");
    EXPECT_EQ(shown.w2, "1,768");
    FittingInputs reducer = TypicalInputs(RoundReducer);  // w2 from V in the 125 mm end
    EXPECT_EQ(calculator.VelocityStep(RoundReducer, reducer).w2, "2,264");
    FittingInputs rectTee = TypicalInputs(RectTee);
    rectTee.sideC = "200";
    rectTee.branchFlow = "360";
    EXPECT_EQ(calculator.VelocityStep(RectTee, rectTee).w2, "5");  // 0,1 m3/s in 0,02 m2
    FittingInputs rectReducer = TypicalInputs(RectReducer);
    EXPECT_EQ(calculator.VelocityStep(RectReducer, rectReducer).w2, "1,78");
}

TEST_F(Calculation, AdditionalLossPairSettles) {
    FittingInputs in = TypicalInputs(RoundStraight);  // w1 = 3,537 m/s, dynamic pressure 7,506 Pa
    in.extraLoss = "5";
    const VelocityDisplay shown = calculator.VelocityStep(RoundStraight, in);
    ASSERT_TRUE(shown.extraZeta.has_value());
    EXPECT_EQ(*shown.extraZeta, "0,67");
    EXPECT_FALSE(shown.extraLoss.has_value());

    // The two fields rewrite each other until a rewrite changes nothing.
    std::string loss = "5", zeta = *shown.extraZeta;
    for (int round = 0; round < 10; ++round) {
        const std::string newLoss = *calculator.ExtraLossFor(zeta);
        if (newLoss == loss) break;
        loss = newLoss;
        zeta = *calculator.ExtraZetaFor(loss);
    }
    EXPECT_EQ(loss, "5");
    EXPECT_EQ(*calculator.ExtraLossFor("0,67"), "5");
    EXPECT_EQ(*calculator.ExtraZetaFor("12,3"), "1,64");
    EXPECT_EQ(*calculator.ExtraLossFor("1,64"), "12,3");

    in.extraLossChosen = false;
    in.extraZeta = "2";
    const VelocityDisplay byZeta = calculator.VelocityStep(RoundStraight, in);
    EXPECT_FALSE(byZeta.extraZeta.has_value());
    EXPECT_EQ(*byZeta.extraLoss, "15");

    // Zero flow: nothing to bring into step; an empty field is left alone.
    in.flow = "0";
    EXPECT_FALSE(calculator.VelocityStep(RoundStraight, in).extraLoss.has_value());
    EXPECT_FALSE(calculator.ExtraZetaFor("5").has_value());
    in.flow = "100";
    calculator.VelocityStep(RoundStraight, in);
    EXPECT_FALSE(calculator.ExtraZetaFor("").has_value());
}

TEST_F(Calculation, RunningTotalIsCarriedThroughTheTotalText) {
    FittingInputs grille = TypicalInputs(RoundGrille);  // no length, no coefficient: dpc = dpp
    grille.extraLoss = "12,3";
    struct Case {
        std::string field;
        const char* editedTotal;
        double runningTotal;
        std::string expected;
    };
    const Case cases[] = {
        {"", nullptr, 0.0, "12,3"},
        {"", nullptr, 7.5, "19,8"},        // empty field: the running total
        {"10,5", nullptr, 99.0, "22,8"},   // the field wins over the running total
        {"10.5", nullptr, 0.0, "22,8"},    // typed with a dot
        {"25", "10", 0.0, "27,3"},         // edit: 25 - 10 + 12,3
        {"25,004", "10", 0.0, "27,3"},     // through the 2-decimal text
    };
    for (const Case& c : cases) {
        const std::string edited = c.editedTotal ? c.editedTotal : "";
        const LossResult r = calculator.LossStep(RoundGrille, grille, c.field, c.editedTotal ? &edited : nullptr, c.runningTotal);
        EXPECT_EQ(r.totalText, c.expected) << c.field;
    }
    EXPECT_THROW(calculator.LossStep(RoundGrille, grille, "abc", nullptr, 0.0), ConversionError);
}

TEST_F(Calculation, RadiusChoice) {
    struct Case {
        FittingKind kind;
        std::string diameter1, sideB;
        std::string picked;  // empty: the automatic choice
        std::string expected;
    };
    const Case cases[] = {
        {RoundElbow, "250", "0", "", "150"},   {RoundElbow, "100", "0", "", "100"},   {RoundElbow, "200", "0", "", "100"},
        {RoundElbow, "300", "0", "", "150"},   {RectElbow, "0", "8000", "", "4000"}, {RectElbow, "0", "200", "", "150"},
        {RoundElbow, "100", "0", "500", "500"}, {RoundElbow, "100", "0", "50", "100"},  {RoundElbow, "250", "0", "100", "150"},
        {RoundElbow, "250", "0", "125", "150"}, {RoundElbow, "250", "0", "160", "160"}, {RectElbow, "0", "8000", "5000", "5000"}, {RoundElbow, "100", "0", "abc", "abc"},
    };
    for (const Case& c : cases) {
        FittingInputs in = TypicalInputs(c.kind);
        in.diameter1 = c.diameter1 == "0" ? in.diameter1 : c.diameter1;
        in.sideB = c.sideB == "0" ? in.sideB : c.sideB;
        calculator.VelocityStep(c.kind, in);
        const double bound = calculator.RadiusBoundMm(c.kind);
        const std::string radius = c.picked.empty() ? ChooseRadius(bound) : RaiseRadius(c.picked, bound);
        EXPECT_EQ(radius, c.expected) << c.kind << " " << c.diameter1 << " " << c.sideB << " " << c.picked;
    }
}

}  // namespace
}  // namespace vimtal::pressureloss

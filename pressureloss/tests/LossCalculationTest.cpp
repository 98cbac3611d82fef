#include "pressureloss/EditorLists.h"
#include "pressureloss/FittingKinds.h"
#include "pressureloss/CircuitEditing.h"
#include "pressureloss/FittingCalculator.h"
#include "pressureloss/Friction.h"
#include "pressureloss/RecordMapping.h"

#include "TestSupport.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace vimtal::pressureloss {
namespace {

using enum FittingKind;
using testing::CommaLocale;
using testing::DefaultAir;
using testing::Local;

// The editor's texts as the catalogue leaves them for a kind, with the
// editor's own defaults for everything else.
FittingInputs Defaults(FittingKind kind) {
    const KindInfo& k = InfoOf(kind);
    const StartingSizes sizes = StartingSizesOf(kind);
    FittingInputs in;
    in.name = k.name;
    in.typeCode = k.typeCode;
    in.length = k.length ? k.length : "0";
    in.diameter1 = sizes.diameter1;
    in.diameter2 = sizes.diameter2;
    in.sideA = sizes.sideA;
    in.sideB = sizes.sideB;
    in.sideC = sizes.sideC;
    in.sideD = sizes.sideD;
    in.angle = "90";
    in.radius = "50";
    in.offsetE = "50";
    in.roundElbowType = "ŁUK GŁADKI";
    in.rectElbowType = "ŁUK";
    in.teePath = "PRZELOT";
    in.teeFlow = "ROZPŁYW";
    in.flow = "100";
    in.branchFlow = "0";
    in.extraLoss = "0";
    in.extraZeta = "0";
    in.material = "PVC";
    in.roughness = "0,007";
    return in;
}

class Calculation : public CommaLocale {
protected:
    LossResult Run(FittingKind kind, const FittingInputs& in, const std::string& total = "") {
        return calculator.LossStep(kind, in, total, nullptr, 0.0);
    }
    FittingCalculator calculator{DefaultAir()};
};

TEST_F(Calculation, StraightRoundDuct) {
    // 100 m3/h through a 100 mm PVC duct, 2 m long, in air of 1,2 kg/m3.
    FittingInputs in = Defaults(RoundStraight);
    const LossResult r = Run(RoundStraight, in);
    EXPECT_EQ(r.display.w1, "3,537");  // 400 / (3,1415 * 0,01 * 3600)
    EXPECT_NEAR(calculator.Values().reynolds, 23579.2, 0.05);
    EXPECT_EQ(calculator.Values().frictionSteps, 2504);
    EXPECT_NEAR(calculator.Values().lambda, 0.02504, 1e-12);
    EXPECT_EQ(r.velocity1, "3,537");
    EXPECT_EQ(r.zeta, "0");
    EXPECT_EQ(r.frictionLoss, "3,76");
    EXPECT_EQ(r.localLoss, "0");
    EXPECT_EQ(r.totalLoss, "3,76");
    EXPECT_EQ(r.equivDiameter, "100");
    EXPECT_EQ(r.totalText, "3,76");
    EXPECT_EQ(r.velocity2, "");
}

TEST_F(Calculation, RectangularVelocityIsShownWithTwoDecimalsAndStoredWithThree) {
    const LossResult r = Run(RectStraight, Defaults(RectStraight));
    EXPECT_EQ(r.display.w1, "2,78");
    EXPECT_EQ(r.velocity1, "2,778");
    EXPECT_EQ(r.equivDiameter, "100");
    testing::UseLocale('.');
    EXPECT_EQ(Run(RectStraight, Defaults(RectStraight)).velocity1, "2.778");
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
    FittingInputs in = Defaults(c.kind);
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
    FittingInputs dots = Defaults(RoundElbow);
    dots.diameter1 = "250.0";
    dots.radius = "150.0";
    FittingInputs commas = Defaults(RoundElbow);
    commas.diameter1 = "250,0";
    commas.radius = "150,0";
    EXPECT_EQ(Run(RoundElbow, dots).zeta, "0,558");
    EXPECT_EQ(Run(RoundElbow, commas).zeta, "0,558");
    FittingInputs both = Defaults(RoundStraight);
    both.length = "1.234,5";
    EXPECT_THROW(Run(RoundStraight, both), ConversionError);
}

TEST_F(Calculation, TeeCoefficientsAtTheSwitchPointsOfTheFormulas) {
    // q = 1: no branch flow, the straight stream keeps the velocity: zeta 0.
    FittingInputs straight = Defaults(RoundTee);
    straight.branchFlow = "0";
    EXPECT_EQ(Run(RoundTee, straight).zeta, "0");
    // p = 1: the branch velocity equals wc cos(alpha); with alpha 0 and equal
    // sections that is Vo = V, and the coefficient is sin^2(0) = 0.
    FittingInputs branch = Defaults(RoundTee);
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
    FittingInputs big = Defaults(RoundStraight);
    big.flow = "2000";
    Run(RoundStraight, big);
    FittingInputs mitre = Defaults(RoundElbow);
    mitre.roundElbowType = "KOLANO";
    mitre.angle = "30";
    EXPECT_EQ(Run(RoundElbow, mitre).zeta, "0,198");  // MitreElbowZeta(30) x MitreReynoldsFactor(23579)

    FittingInputs rect = Defaults(RectElbow);
    rect.sideA = "200";
    rect.sideB = "400";
    rect.radius = "150";
    rect.flow = "1800";
    Run(RoundStraight, big);
    EXPECT_EQ(Run(RectElbow, rect).zeta, "0,491");
}

TEST_F(Calculation, AnElbowConstructionOffTheListIsRefused) {
    Run(RoundElbow, Defaults(RoundElbow));  // a previous fitting with a coefficient
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
        FittingInputs in = Defaults(c.kind);
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
        FittingInputs in = Defaults(c.kind);
        c.set(in);
        try {
            Run(c.kind, in);
            FAIL() << "kind " << c.kind;
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << "kind " << c.kind;
        }
    }
}

TEST_F(Calculation, FrictionFactorScan) {
    struct Case {
        double re, k, d;
        int steps;
    };
    const Case cases[] = {
        {23579.20549867072, 0.000007, 0.1, 2504},
        {23579.20549867072, 0.0, 0.1, 2487},  // smooth wall: the scan still ends
        {1e6, 0.0, 0.1, 1165},
    };
    for (const Case& c : cases) {
        const FrictionFactorResult r = FrictionFactor(c.re, c.k, c.d);
        EXPECT_EQ(r.steps, c.steps) << c.re;
        // A multiple of 0.00001 up to the rounding of the repeated addition.
        EXPECT_NEAR(r.lambda, r.steps * 0.00001, 1e-12);
        // The law holds at the crossing: one step earlier the left side was larger.
        const double left = 1.0 / std::sqrt(r.lambda);
        const double right = -2.0 * std::log10(2.51 / (c.re * std::sqrt(r.lambda)) + 0.2695 * c.k / c.d);
        EXPECT_LE(left, right);
        const double before = r.lambda - 0.00001;
        EXPECT_GT(1.0 / std::sqrt(before),
                  -2.0 * std::log10(2.51 / (c.re * std::sqrt(before)) + 0.2695 * c.k / c.d));
    }
}

TEST_F(Calculation, FrictionFactorScanEndsWithAMessageWhereTheLawHasNoSolution) {
    struct Case {
        std::string what;
        double re, k, d;
    };
    const Case cases[] = {
        {"roughness above 3.7 d", 23579.0, 0.4, 0.1},
        {"0,001 m3/h in a 1000 mm duct", 0.0235, 0.000007, 1.0},
        {"Re below 1e-5, where the addition stalls", 1e-6, 0.000007, 0.1},
    };
    for (const Case& c : cases) {
        try {
            FrictionFactor(c.re, c.k, c.d);
            FAIL() << c.what;
        } catch (const NoticeError& e) {
            EXPECT_EQ(e.Title(), "BRENTAX info") << c.what;
            EXPECT_NE(std::string(e.what()).find("λ"), std::string::npos) << c.what;
        }
    }
}

TEST_F(Calculation, VelocityStepKeepsTheFlowOfAnEmptyField) {
    FittingInputs in = Defaults(RoundStraight);
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "3,537");
    in.flow = "";
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "3,537");
    in.diameter1 = "200";
    EXPECT_EQ(calculator.VelocityStep(RoundStraight, in).w1, "0,884");

    FittingInputs tee = Defaults(RoundTee);
    tee.branchFlow = "50";
    const VelocityDisplay shown = calculator.VelocityStep(RoundTee, tee);
    EXPECT_EQ(shown.w1, "3,537");
    EXPECT_EQ(shown.w2, "1,768");
    FittingInputs reducer = Defaults(RoundReducer);  // w2 from V in the 125 mm end
    EXPECT_EQ(calculator.VelocityStep(RoundReducer, reducer).w2, "2,264");
    FittingInputs rectTee = Defaults(RectTee);
    rectTee.sideC = "200";
    rectTee.branchFlow = "360";
    EXPECT_EQ(calculator.VelocityStep(RectTee, rectTee).w2, "5");  // 0,1 m3/s in 0,02 m2
    FittingInputs rectReducer = Defaults(RectReducer);
    EXPECT_EQ(calculator.VelocityStep(RectReducer, rectReducer).w2, "1,78");
}

TEST_F(Calculation, AdditionalLossPairSettles) {
    FittingInputs in = Defaults(RoundStraight);  // w1 = 3,537 m/s, dynamic pressure 7,506 Pa
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
    FittingInputs grille = Defaults(RoundGrille);  // no length, no coefficient: dpc = dpp
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
        FittingInputs in = Defaults(c.kind);
        in.diameter1 = c.diameter1 == "0" ? in.diameter1 : c.diameter1;
        in.sideB = c.sideB == "0" ? in.sideB : c.sideB;
        calculator.VelocityStep(c.kind, in);
        const double bound = calculator.RadiusBoundMm(c.kind);
        const std::string radius = c.picked.empty() ? ChooseRadius(bound) : RaiseRadius(c.picked, bound);
        EXPECT_EQ(radius, c.expected) << c.kind << " " << c.diameter1 << " " << c.sideB << " " << c.picked;
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

// ---- The confirmation of the editor -----------------------------------------

class Confirmation : public CommaLocale {
protected:
    ConfirmOutcome Confirm(FittingKind kind, const FittingInputs& in, const std::string& total = "", int edited = -1) {
        circuit.currentKind = kind;
        return ConfirmFitting(circuit, calculator, in, total, edited, messages);
    }
    Circuit circuit;
    FittingCalculator calculator{DefaultAir()};
    RecordingMessageSink messages;
};

TEST_F(Confirmation, MissingFieldsAreNamedOneAtATimeAndNothingIsStored) {
    struct Case {
        FittingKind kind;
        std::function<void(FittingInputs&)> set;
        std::string message;  // empty: stored
    };
    const Case cases[] = {
        {RoundStraight, [](FittingInputs& i) { i.length = ""; }, "Podaj długość kształtki"},
        {RoundStraight, [](FittingInputs& i) { i.length = ""; i.flow = ""; }, "Podaj długość kształtki"},
        {RoundElbow, [](FittingInputs& i) { i.length = ""; }, ""},  // an elbow has no length
        {RectGrille, [](FittingInputs& i) { i.length = ""; i.sideA = "100"; }, ""},
        {RoundStraight, [](FittingInputs& i) { i.flow = ""; }, "Podaj przepływ powietrza przez kształtkę"},
        {RoundStraight, [](FittingInputs& i) { i.flow = "0"; }, "Podaj przepływ powietrza przez kształtkę"},
        {RoundStraight, [](FittingInputs& i) { i.roughness = ""; }, "Współczynnik szorstkości materiału musi być większy od zera"},
        {RoundStraight, [](FittingInputs& i) { i.roughness = "0"; }, ""},  // a smooth wall is allowed
    };
    for (const Case& c : cases) {
        circuit.Clear();
        messages.messages.clear();
        FittingInputs in = Defaults(c.kind);
        c.set(in);
        const ConfirmOutcome outcome = Confirm(c.kind, in);
        if (c.message.empty()) {
            EXPECT_TRUE(outcome.stored) << c.kind;
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_EQ(circuit.Count(), 1);
        } else {
            EXPECT_FALSE(outcome.stored);
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, c.message);
            EXPECT_EQ(messages.messages[0].title, "BRENTAX info");
            EXPECT_EQ(circuit.Count(), 0);
        }
    }
}

TEST_F(Confirmation, StoresTheTypedTextsAndTheRoundedResults) {
    FittingInputs in = Defaults(RoundTee);
    in.diameter1 = "200";
    in.diameter2 = "125";
    in.flow = "600";
    in.branchFlow = "200";
    in.extraLoss = "";
    in.material = "Inny";
    in.roughness = "0.1";
    const ConfirmOutcome outcome = Confirm(RoundTee, in);
    ASSERT_TRUE(outcome.stored);
    EXPECT_TRUE(outcome.extraLossDefaulted);
    EXPECT_TRUE(outcome.appended);
    EXPECT_EQ(outcome.index, 0);
    const FittingRecord& r = circuit.Slot(0);
    EXPECT_EQ(r.Get(Field::Ordinal), "0");
    EXPECT_EQ(r.Get(Field::Name), "TRÓJNIK_OKRĄGŁY");
    EXPECT_EQ(r.Get(Field::TypeCode), "TO");
    EXPECT_EQ(r.Get(Field::Kind), "4");
    EXPECT_EQ(r.Get(Field::Length), "500");
    EXPECT_EQ(r.Get(Field::Diameter1), "200");
    EXPECT_EQ(r.Get(Field::Diameter2), "125");
    EXPECT_EQ(r.Get(Field::Flow), "600");
    EXPECT_EQ(r.Get(Field::BranchFlow), "200");
    EXPECT_EQ(r.Get(Field::Roughness), "0.1");  // typed texts stay as typed
    EXPECT_EQ(r.Get(Field::Material), "Inny");
    EXPECT_EQ(r.Get(Field::ExtraLoss), "0");
    EXPECT_EQ(r.Get(Field::Velocity1), "5,305");
    EXPECT_EQ(r.Get(Field::Velocity2), "4,527");
    EXPECT_EQ(r.Get(Field::EquivDiameter), "200");
    EXPECT_EQ(r.Get(Field::EquivDiameter2), "125");
    EXPECT_EQ(r.Get(Field::Zeta), "0,111");
    EXPECT_EQ(r.Get(Field::TeePath), "PRZELOT");
    EXPECT_EQ(r.Get(Field::TeeFlow), "ROZPŁYW");
    EXPECT_EQ(r.Get(Field::RoundElbowTypeCopy), r.Get(Field::RoundElbowType));
    EXPECT_EQ(outcome.result.totalText, r.Get(Field::TotalLoss));
    EXPECT_DOUBLE_EQ(circuit.runningTotal, outcome.result.runningTotal);

    // The editor fills itself back from the record with the same texts.
    const FittingInputs back = TextsOfRecord(r);
    EXPECT_EQ(back.diameter1, "200");
    EXPECT_EQ(back.branchFlow, "200");
    EXPECT_EQ(back.roughness, "0.1");
    EXPECT_EQ(back.velocity2, "4,527");
}

TEST_F(Confirmation, EditingReplacesTheFittingAndItsShareOfTheTotal) {
    FittingInputs duct = Defaults(RoundStraight);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Confirm(RoundStraight, duct, i == 0 ? "" : circuit.Slot(0).Get(Field::TotalLoss)).stored);
    ASSERT_EQ(circuit.Count(), 3);
    // The total field shows 3 x 3,76; fitting 1 becomes a 12,3 Pa grille.
    FittingInputs grille = Defaults(RoundGrille);
    grille.extraLoss = "12,3";
    circuit.editFlag = true;
    const ConfirmOutcome outcome = Confirm(RoundGrille, grille, "11,28", 1);
    ASSERT_TRUE(outcome.stored);
    EXPECT_FALSE(outcome.appended);
    EXPECT_EQ(circuit.Count(), 3);
    EXPECT_EQ(circuit.FieldText(1, Field::Ordinal), "1");
    EXPECT_EQ(circuit.FieldText(1, Field::Kind), "9");
    EXPECT_EQ(outcome.result.totalText, "19,82");  // 11,28 - 3,76 + 12,3
    EXPECT_FALSE(circuit.editFlag);
}

TEST_F(Confirmation, AFailedCalculationStoresNothingAndKeepsTheEditFlag) {
    Confirm(RoundStraight, Defaults(RoundStraight));
    circuit.editFlag = true;
    FittingInputs bad = Defaults(RoundStraight);
    bad.angle = "x";  // every kind reads the angle
    EXPECT_THROW(Confirm(RoundStraight, bad, "3,76", 0), ConversionError);
    EXPECT_TRUE(circuit.editFlag);
    EXPECT_EQ(circuit.FieldText(0, Field::TotalLoss), "3,76");
    EXPECT_EQ(circuit.Count(), 1);
}

TEST_F(Confirmation, AFullCircuitRefusesTheNextFitting) {
    for (int i = 0; i < kTableSlots; ++i) ASSERT_TRUE(Confirm(RoundStraight, Defaults(RoundStraight)).stored);
    const ConfirmOutcome outcome = Confirm(RoundStraight, Defaults(RoundStraight));
    EXPECT_FALSE(outcome.stored);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "BRENTAX info");
    EXPECT_EQ(circuit.Count(), kTableSlots);
    // Editing still works in a full circuit.
    circuit.editFlag = true;
    EXPECT_TRUE(Confirm(RoundStraight, Defaults(RoundStraight), "0", 100).stored);
}

TEST_F(Confirmation, DeleteTakesTheFittingsLossOffTheTotal) {
    FittingInputs a = Defaults(RoundGrille);
    a.extraLoss = "10";
    FittingInputs b = Defaults(RoundGrille);
    b.extraLoss = "2,5";
    Confirm(RoundGrille, a);
    Confirm(RoundGrille, b, "10");
    Confirm(RoundGrille, a, "12,5");
    EXPECT_EQ(DeleteFitting(circuit, 0, "22,5"), "12,5");
    EXPECT_EQ(circuit.Count(), 2);
    EXPECT_EQ(circuit.FieldText(0, Field::ExtraLoss), "2,5");
    // An empty row, or a total that is not a number: conversion error, nothing changes.
    EXPECT_THROW(DeleteFitting(circuit, 5, "12,5"), ConversionError);
    EXPECT_THROW(DeleteFitting(circuit, 0, ""), ConversionError);
    EXPECT_THROW(DeleteFitting(circuit, 0, "12.5"), ConversionError);  // the locale's conversion only
    EXPECT_EQ(circuit.Count(), 2);
}

}  // namespace
}  // namespace vimtal::pressureloss

#include "dhwsizing/TankSizing.h"

#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

namespace vimtal::dhwsizing {
namespace {

class TankSizingTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator(','); }
    SizingValues values;
    RecordingMessageSink sink;
};

TEST_F(TankSizingTest, DwellingsGiveDemandsCapacityAndPower) {
    struct Case {
        const char *dwellings, *persons;
        SizingResults expected;
    } cases[] = {
        {"1", "4", {"520", "34,667", "230,37", "6,645", "104", "100", "4,8", "13,4", "0,34"}},
        {"20", "3", {"7800", "520", "1784,639", "3,432", "1012", "1010", "59", "103,9", "0,35"}},
    };
    for (const Case& c : cases) {
        SizingTexts texts;
        texts.dwellings = c.dwellings;
        texts.persons = c.persons;
        SizingValues v;
        const SizingResults r = Calculate(v, texts, sink);
        EXPECT_EQ(r.qds, c.expected.qds) << c.dwellings;
        EXPECT_EQ(r.qhs, c.expected.qhs) << c.dwellings;
        EXPECT_EQ(r.qhm, c.expected.qhm) << c.dwellings;
        EXPECT_EQ(r.Nh, c.expected.Nh) << c.dwellings;
        EXPECT_EQ(r.Voz, c.expected.Voz) << c.dwellings;
        EXPECT_EQ(r.Vdz, c.expected.Vdz) << c.dwellings;
        EXPECT_EQ(r.Qdz, c.expected.Qdz) << c.dwellings;
        EXPECT_EQ(r.Qbz, c.expected.Qbz) << c.dwellings;
        EXPECT_EQ(r.phiR, c.expected.phiR) << c.dwellings;
        EXPECT_TRUE(sink.messages.empty());
    }
    // The accumulation the rounded capacity gives, kept unrounded.
    Calculate(values, SizingTexts{}, sink);
    EXPECT_NEAR(values.phiR, 0.33771829, 1e-8);
    EXPECT_EQ(values.Vdz, 100.0);
}

TEST_F(TankSizingTest, ChosenCapacityIsTheDesignCapacityToEvenTens) {
    const std::pair<double, double> cases[] = {
        {105, 100}, {115, 120}, {125, 120}, {135, 140}, {104.99, 100}, {105.01, 110}, {1012.18, 1010}, {4, 0},
    };
    for (const auto& [design, chosen] : cases) EXPECT_EQ(ChosenCapacity(design), chosen) << design;
}

TEST_F(TankSizingTest, EmptyBoxesAreNamedAndTheStoredValuesUsed) {
    Calculate(values, SizingTexts{}, sink);  // stores the defaults
    SizingTexts texts;
    texts.dwellings = "20";
    texts.persons = "3";
    texts.hours.clear();
    texts.hotWater.clear();
    const SizingResults r = Calculate(values, texts, sink);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].text, "Podaj liczbę godzin na dobę użytkowania instalacji CWU");
    EXPECT_EQ(sink.messages[1].text, "Podaj temperaturę wody ciepłej wyprowadzanej z zasobnika");
    EXPECT_EQ(sink.messages[0].title, "Vimtal info");
    EXPECT_EQ(r.Vdz, "1010");  // with tau = 15 and tc = 60 from before
    EXPECT_EQ(r.Qbz, "103,9");

    // Every box empty: seven messages, in order.
    SizingTexts none{"", "", "", "", "", "", ""};
    RecordingMessageSink all;
    Calculate(values, none, all);
    const char* expected[] = {
        "Podaj liczbę miejszkań w budynku",
        "Podaj średnią liczbę osób zamieszkujących dane mieszkanie",
        "Podaj dobowe zapotrzebowanie na CWU/osobę",
        "Podaj liczbę godzin na dobę użytkowania instalacji CWU",
        "Podaj współczynnik akumulacji zasobnika",
        "Podaj temperaturę wody zimnej doprowadzanej do zasobnika",
        "Podaj temperaturę wody ciepłej wyprowadzanej z zasobnika",
    };
    ASSERT_EQ(all.messages.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(all.messages[i].text, expected[i]);
}

TEST_F(TankSizingTest, FaultsEndTheCalculation) {
    struct Case {
        const char* box;
        const char* text;
        FloatFault fault;
    } cases[] = {
        {"hours", "", FloatFault::DivisionByZero},   // a first calculation: tau = 0
        {"hours", "0", FloatFault::DivisionByZero},
        {"dwellings", "0", FloatFault::DivisionByZero},  // no persons: ln 0
        {"persons", "0", FloatFault::DivisionByZero},
        {"persons", "-2", FloatFault::InvalidOperation},
    };
    for (const Case& c : cases) {
        SizingTexts texts;
        (std::string(c.box) == "hours" ? texts.hours : std::string(c.box) == "dwellings" ? texts.dwellings
                                                                                         : texts.persons) = c.text;
        SizingValues fresh;
        RecordingMessageSink messages;
        try {
            Calculate(fresh, texts, messages);
            ADD_FAILURE() << c.box << " '" << c.text << "' calculated";
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(e.Fault(), c.fault) << c.box << " '" << c.text << "'";
        }
        EXPECT_EQ(fresh.tc, 60);  // every input was read before the fault
    }
    // A text that is not a number stops at its box.
    SizingTexts texts;
    texts.accumulation = "0.35";
    SizingValues fresh;
    EXPECT_THROW(Calculate(fresh, texts, sink), ConversionError);
    EXPECT_EQ(fresh.tau, 15);
    EXPECT_EQ(fresh.phi, 0);
    EXPECT_EQ(fresh.U, 0);
}

TEST_F(TankSizingTest, HeightOfTheChosenTankOfHalfAMetre) {
    const std::pair<const char*, const char*> cases[] = {
        {"100", "0,509295817894065"}, {"1010", "5,14388776073006"}, {"0", "0"},
    };
    for (const auto& [capacity, height] : cases) EXPECT_EQ(FloatToStr(TankHeight(capacity)), height) << capacity;
    EXPECT_THROW(TankHeight(""), ConversionError);
    EXPECT_THROW(TankHeight("1oo"), ConversionError);
}

TEST_F(TankSizingTest, DecimalPointLocaleRefusesTheCommaDefault) {
    SetDecimalSeparator('.');
    EXPECT_THROW(Calculate(values, SizingTexts{}, sink), ConversionError);
    EXPECT_EQ(values.tau, 15);  // read before the accumulation coefficient
}

}  // namespace
}  // namespace vimtal::dhwsizing

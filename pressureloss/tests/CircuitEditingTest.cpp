#include "pressureloss/CircuitEditing.h"
#include "pressureloss/RecordMapping.h"

#include "TestSupport.h"
#include "TypicalInputs.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace vimtal::pressureloss {
namespace {

using enum FittingKind;
using testing::CommaLocale;
using testing::DefaultAir;
using testing::TypicalInputs;

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
        FittingInputs in = TypicalInputs(c.kind);
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
    FittingInputs in = TypicalInputs(RoundTee);
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
    const std::pair<Field, const char*> stored[] = {
        {Field::Ordinal, "0"},         {Field::Name, "TRÓJNIK_OKRĄGŁY"}, {Field::TypeCode, "TO"},
        {Field::Kind, "4"},            {Field::Length, "500"},          {Field::Diameter1, "200"},
        {Field::Diameter2, "125"},     {Field::Flow, "600"},            {Field::BranchFlow, "200"},
        {Field::Roughness, "0.1"},  // typed texts stay as typed
        {Field::Material, "Inny"},     {Field::ExtraLoss, "0"},         {Field::Velocity1, "5,305"},
        {Field::Velocity2, "4,527"},   {Field::EquivDiameter, "200"},   {Field::EquivDiameter2, "125"},
        {Field::Zeta, "0,111"},        {Field::TeePath, "PRZELOT"},     {Field::TeeFlow, "ROZPŁYW"},
    };
    for (const auto& [field, text] : stored) EXPECT_EQ(r.Get(field), text) << static_cast<int>(field);
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
    FittingInputs duct = TypicalInputs(RoundStraight);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Confirm(RoundStraight, duct, i == 0 ? "" : circuit.Slot(0).Get(Field::TotalLoss)).stored);
    ASSERT_EQ(circuit.Count(), 3);
    // The total field shows 3 x 3,76; fitting 1 becomes a 12,3 Pa grille.
    FittingInputs grille = TypicalInputs(RoundGrille);
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
    Confirm(RoundStraight, TypicalInputs(RoundStraight));
    circuit.editFlag = true;
    FittingInputs bad = TypicalInputs(RoundStraight);
    bad.angle = "x";  // every kind reads the angle
    EXPECT_THROW(Confirm(RoundStraight, bad, "3,76", 0), ConversionError);
    EXPECT_TRUE(circuit.editFlag);
    EXPECT_EQ(circuit.FieldText(0, Field::TotalLoss), "3,76");
    EXPECT_EQ(circuit.Count(), 1);
}

TEST_F(Confirmation, AFullCircuitRefusesTheNextFitting) {
    for (int i = 0; i < kTableSlots; ++i) ASSERT_TRUE(Confirm(RoundStraight, TypicalInputs(RoundStraight)).stored);
    const ConfirmOutcome outcome = Confirm(RoundStraight, TypicalInputs(RoundStraight));
    EXPECT_FALSE(outcome.stored);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "BRENTAX info");
    EXPECT_EQ(circuit.Count(), kTableSlots);
    // Editing still works in a full circuit.
    circuit.editFlag = true;
    EXPECT_TRUE(Confirm(RoundStraight, TypicalInputs(RoundStraight), "0", 100).stored);
}

TEST_F(Confirmation, DeleteTakesTheFittingsLossOffTheTotal) {
    FittingInputs a = TypicalInputs(RoundGrille);
    a.extraLoss = "10";
    FittingInputs b = TypicalInputs(RoundGrille);
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

// The notes of a fitting are kept beside it for the session: they follow
// it when others are deleted, go with it, are replaced when it is edited,
// and a circuit opened from a file has none.
TEST_F(Confirmation, NotesFollowTheirFittingsThroughTheCircuit) {
    FittingInputs slow = TypicalInputs(RoundStraight);
    slow.flow = "1";  // 0,035 m/s in 100 mm: Re about 240, laminar
    FittingInputs bend = TypicalInputs(RoundElbow);
    bend.radius = "15000";  // r/d = 150, beyond the smooth-bend table
    ASSERT_TRUE(Confirm(RoundStraight, TypicalInputs(RoundStraight)).stored);
    const ConfirmOutcome laminar = Confirm(RoundStraight, slow, "3,76");
    ASSERT_TRUE(laminar.stored);
    ASSERT_EQ(laminar.result.notes.size(), 1u);
    EXPECT_EQ(laminar.result.notes[0].rfind("Liczba Reynoldsa Re = ", 0), 0u);
    EXPECT_NE(laminar.result.notes[0].find("jest mniejsza od 2320 (przepływ laminarny)"), std::string::npos);
    ASSERT_TRUE(Confirm(RoundElbow, bend, "3,76").stored);

    Notes all = circuit.AllNotes();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].rfind("Lp 1: Liczba Reynoldsa", 0), 0u) << all[0];
    EXPECT_EQ(all[1].rfind("Lp 2: Tabela ζ łuku gładkiego: r/d = 150", 0), 0u) << all[1];

    // The first fitting goes: the others move up with their notes.
    DeleteFitting(circuit, 0, "10");
    all = circuit.AllNotes();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].rfind("Lp 0: Liczba", 0), 0u) << all[0];
    EXPECT_EQ(all[1].rfind("Lp 1: Tabela", 0), 0u) << all[1];

    // Edited within the table's range, the elbow's note goes.
    circuit.editFlag = true;
    bend.radius = "200";
    ASSERT_TRUE(Confirm(RoundElbow, bend, "10", 1).stored);
    all = circuit.AllNotes();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].rfind("Lp 0:", 0), 0u);

    // An elbow at low Re: no friction of its own, no note on Colebrook.
    FittingInputs slowBend = TypicalInputs(RoundElbow);
    slowBend.flow = "1";
    const ConfirmOutcome elbow = Confirm(RoundElbow, slowBend, "10");
    ASSERT_TRUE(elbow.stored);
    for (const std::string& note : elbow.result.notes) EXPECT_EQ(note.find("Colebrook"), std::string::npos) << note;

    RecordingMessageSink quiet;
    circuit.LoadBytes(circuit.Serialize(), quiet);
    EXPECT_TRUE(circuit.AllNotes().empty());
    EXPECT_EQ(circuit.Count(), 3);
    circuit.Clear();
    EXPECT_TRUE(circuit.AllNotes().empty());
}

}  // namespace
}  // namespace vimtal::pressureloss

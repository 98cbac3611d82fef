#include "pressureloss/RecordMapping.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace vimtal::pressureloss {
namespace {

// Every text of the editor with a text of its own, and every computed figure.
FittingInputs DistinctTexts() {
    return {.name = "name", .typeCode = "code", .length = "L", .diameter1 = "d1", .diameter2 = "d2",
            .sideA = "A", .sideB = "B", .sideC = "C", .sideD = "D", .angle = "alpha", .radius = "r", .offsetE = "e",
            .roundElbowType = "round", .rectElbowType = "rect", .teePath = "path", .teeFlow = "pattern",
            .flow = "V", .branchFlow = "Vo", .velocity1 = "w1 shown", .velocity2 = "w2 shown", .extraLoss = "dpp typed",
            .extraZeta = "zeta typed", .extraLossChosen = true, .material = "material", .roughness = "k"};
}

LossResult Computed() {
    return {.display = {}, .velocity1 = "w1", .velocity2 = "w2", .extraLoss = "dpp", .zeta = "zeta",
            .frictionLoss = "dpl", .localLoss = "dpm", .totalLoss = "dpc", .equivDiameter = "d",
            .equivDiameter2 = "d2 eq", .runningTotal = 0.0, .totalText = "", .notes = {}};
}

TEST(RecordMapping, TypedTextsAsTypedComputedFiguresAsRounded) {
    const FittingRecord record = MakeRecord(FittingKind::RectTee, DistinctTexts(), Computed());
    const std::pair<Field, std::string> expected[] = {
        {Field::Ordinal, ""},          {Field::Name, "name"},           {Field::TypeCode, "code"},
        {Field::Length, "L"},          {Field::SideA, "A"},             {Field::Diameter1, "d1"},
        {Field::SideB, "B"},           {Field::Diameter2, "d2"},        {Field::SideC, "C"},
        {Field::SideD, "D"},           {Field::Angle, "alpha"},         {Field::Flow, "V"},
        {Field::BranchFlow, "Vo"},     {Field::Velocity1, "w1"},        {Field::Velocity2, "w2"},
        {Field::ExtraLoss, "dpp"},     {Field::Zeta, "zeta"},           {Field::Roughness, "k"},
        {Field::FrictionLoss, "dpl"},  {Field::LocalLoss, "dpm"},       {Field::TotalLoss, "dpc"},
        {Field::EquivDiameter, "d"},   {Field::EquivDiameter2, "d2 eq"}, {Field::Kind, "13"},
        {Field::RoundElbowType, "round"}, {Field::RectElbowType, "rect"}, {Field::Material, "material"},
        {Field::Radius, "r"},          {Field::OffsetE, "e"},           {Field::TeePath, "path"},
        {Field::TeeFlow, "pattern"},   {Field::RoundElbowTypeCopy, "round"},
    };
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kFieldCount));
    for (const auto& [field, text] : expected) EXPECT_EQ(record.Get(field), text) << static_cast<int>(field);
}

TEST(RecordMapping, EditingShowsTheStoredTextsAndTheStoredVelocities) {
    const FittingInputs back = TextsOfRecord(MakeRecord(FittingKind::RectTee, DistinctTexts(), Computed()));
    FittingInputs expected = DistinctTexts();
    expected.velocity1 = "w1";   // as stored, 3 decimals
    expected.velocity2 = "w2";
    expected.extraLoss = "dpp";  // the rounded additional loss
    expected.extraZeta = "";     // not kept: the pair brings it into step
    const auto texts = [](const FittingInputs& in) {
        return std::vector<std::string>{in.name, in.typeCode, in.length, in.diameter1, in.diameter2, in.sideA,
                                        in.sideB, in.sideC, in.sideD, in.angle, in.radius, in.offsetE,
                                        in.roundElbowType, in.rectElbowType, in.teePath, in.teeFlow, in.flow,
                                        in.branchFlow, in.velocity1, in.velocity2, in.extraLoss, in.extraZeta,
                                        in.material, in.roughness};
    };
    EXPECT_EQ(texts(back), texts(expected));
}

// The editor reads a stored fitting back in the record's order, except the
// tee's other stream, which comes last.
TEST(RecordMapping, ReadingOrderIsTheRecordsWithTheOtherStreamLast) {
    std::vector<Field> order;
    for (const RecordText& t : kRecordTexts) {
        if (ReadBack(t)) order.push_back(t.field);
    }
    ASSERT_EQ(order.back(), Field::BranchFlow);
    order.pop_back();
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(FieldFormat(order[i - 1]).offset, FieldFormat(order[i]).offset) << i;
    }
}

}  // namespace
}  // namespace vimtal::pressureloss

// Between the fitting editor's texts and the fitting record: which field
// keeps which text, the record a confirmed fitting is stored as, and the
// texts the editor shows again when a stored fitting is edited.
#pragma once

#include "FittingCalculator.h"
#include "FittingInputs.h"
#include "FittingKinds.h"
#include "FittingRecord.h"

namespace vimtal::pressureloss {

enum class Keeping {
    Typed,     // stored as typed, read back when the fitting is edited
    Computed,  // stored as the calculation rounded it, read back for display
    CopyOnly,  // stored as typed, never read back
};

// A text of the editor and the record field that keeps it.
struct RecordText {
    std::string FittingInputs::*text;
    Field field;
    Keeping keeping;
};

// In the order the editor reads a stored fitting back: each text written
// there runs its box's reaction (a size recomputes the velocities, the
// round elbow's diameter chooses a radius), and the other stream of a tee
// comes last so that w2 is shown as its flow gives it.
inline constexpr RecordText kRecordTexts[] = {
    {&FittingInputs::name, Field::Name, Keeping::Typed},
    {&FittingInputs::typeCode, Field::TypeCode, Keeping::Typed},
    {&FittingInputs::length, Field::Length, Keeping::Typed},
    {&FittingInputs::sideA, Field::SideA, Keeping::Typed},
    {&FittingInputs::diameter1, Field::Diameter1, Keeping::Typed},
    {&FittingInputs::sideB, Field::SideB, Keeping::Typed},
    {&FittingInputs::diameter2, Field::Diameter2, Keeping::Typed},
    {&FittingInputs::sideC, Field::SideC, Keeping::Typed},
    {&FittingInputs::sideD, Field::SideD, Keeping::Typed},
    {&FittingInputs::angle, Field::Angle, Keeping::Typed},
    {&FittingInputs::flow, Field::Flow, Keeping::Typed},
    {&FittingInputs::velocity1, Field::Velocity1, Keeping::Computed},
    {&FittingInputs::velocity2, Field::Velocity2, Keeping::Computed},
    {&FittingInputs::extraLoss, Field::ExtraLoss, Keeping::Computed},
    {&FittingInputs::roughness, Field::Roughness, Keeping::Typed},
    {&FittingInputs::roundElbowType, Field::RoundElbowType, Keeping::Typed},
    {&FittingInputs::rectElbowType, Field::RectElbowType, Keeping::Typed},
    {&FittingInputs::material, Field::Material, Keeping::Typed},
    {&FittingInputs::radius, Field::Radius, Keeping::Typed},
    {&FittingInputs::offsetE, Field::OffsetE, Keeping::Typed},
    {&FittingInputs::teePath, Field::TeePath, Keeping::Typed},
    {&FittingInputs::teeFlow, Field::TeeFlow, Keeping::Typed},
    {&FittingInputs::branchFlow, Field::BranchFlow, Keeping::Typed},
    {&FittingInputs::roundElbowType, Field::RoundElbowTypeCopy, Keeping::CopyOnly},
};

constexpr bool ReadBack(const RecordText& text) { return text.keeping != Keeping::CopyOnly; }

// The record a confirmed fitting is stored as: typed texts from the
// controls, computed values from the loss step.
FittingRecord MakeRecord(FittingKind kind, const FittingInputs& inputs, const LossResult& result);

// The editor's texts of a stored fitting (edit mode): every text read back
// as stored, the others empty.
FittingInputs TextsOfRecord(const FittingRecord& record);

}  // namespace vimtal::pressureloss

#include "RecordMapping.h"

#include "core/Numbers.h"

namespace vimtal::pressureloss {

FittingRecord MakeRecord(FittingKind kind, const FittingInputs& in, const LossResult& r) {
    FittingRecord record;
    for (const RecordText& t : kRecordTexts) {
        if (t.keeping != Keeping::Computed) record.Set(t.field, in.*t.text);
    }
    record.Set(Field::Velocity1, r.velocity1);
    record.Set(Field::Velocity2, r.velocity2);
    record.Set(Field::ExtraLoss, r.extraLoss);
    record.Set(Field::Zeta, r.zeta);
    record.Set(Field::FrictionLoss, r.frictionLoss);
    record.Set(Field::LocalLoss, r.localLoss);
    record.Set(Field::TotalLoss, r.totalLoss);
    record.Set(Field::EquivDiameter, r.equivDiameter);
    record.Set(Field::EquivDiameter2, r.equivDiameter2);
    record.Set(Field::Kind, IntToStr(Number(kind)));
    return record;
}

FittingInputs TextsOfRecord(const FittingRecord& record) {
    FittingInputs in;
    for (const RecordText& t : kRecordTexts) {
        if (ReadBack(t)) in.*t.text = record.Get(t.field);
    }
    return in;
}

}  // namespace vimtal::pressureloss

#include "CwuFile.h"

#include "core/Files.h"

#include <stdexcept>

namespace vimtal::dhwsim {

Bytes EncodeCwu(const CwuRecord& record) {
    RecordBuffer buffer(kCwuRecordSize);
    for (std::size_t i = 0; i < kCwuFields.size(); ++i) {
        const CwuField& field = kCwuFields[i];
        if (field.flag) {
            buffer.PutFlag(field.offset, record[i].flag);
        } else {
            buffer.PutString(field.offset, kCwuTextCapacity, record[i].text);
        }
    }
    return buffer.bytes();
}

CwuRecord DecodeCwu(const Bytes& bytes) {
    if (bytes.size() < kCwuRecordSize) throw std::logic_error("DecodeCwu: short record");
    const RecordBuffer buffer(Bytes(bytes.begin(), bytes.begin() + kCwuRecordSize));
    CwuRecord record;
    for (std::size_t i = 0; i < kCwuFields.size(); ++i) {
        const CwuField& field = kCwuFields[i];
        if (field.flag) {
            record[i].flag = buffer.GetByte(field.offset) == 1;
        } else {
            record[i].text = buffer.GetString(field.offset, kCwuTextCapacity);
        }
    }
    return record;
}

void SaveCwu(const std::string& path, const CwuRecord& record) { WriteFileAtomically(path, EncodeCwu(record)); }

CwuRecord LoadCwu(const std::string& path) { return DecodeCwu(ReadFirstRecord(path, kCwuRecordSize)); }

}  // namespace vimtal::dhwsim

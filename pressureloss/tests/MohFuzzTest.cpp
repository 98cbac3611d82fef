// Loads thousands of random and mutated .moh files: whatever the bytes, the
// loader neither crashes nor reads outside its buffers (run under
// AddressSanitizer with -DVIMTAL_SANITIZE=ON), it loads exactly the whole
// records at the start of the file, and what it loaded saves and loads again
// unchanged.
#include "pressureloss/FittingRecord.h"
#include "pressureloss/RecordMapping.h"

#include "TestSupport.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <random>

namespace vimtal::pressureloss {
namespace {

class MohFuzz : public testing::CommaLocale {};

Bytes ValidFile(std::mt19937& random, int records) {
    const char* texts[] = {"0", "3,76", "ŁUK GŁADKI", "ŁĄCZENIE STRUG", "PROSTKA_OKRĄGŁA", "12.5", "", "-1E300"};
    Circuit circuit;
    for (int i = 0; i < records; ++i) {
        FittingRecord record;
        for (int f = 0; f < kFieldCount; ++f) record.Set(static_cast<Field>(f), texts[random() % 8]);
        circuit.Append(record);
    }
    return circuit.Serialize();
}

// Reads everything a window would read from the loaded circuit.
void UseEverything(const Circuit& circuit) {
    for (int i = 0; i < kTableSlots + 7; ++i) {
        for (int f = 0; f < kFieldCount; ++f) {
            const std::string text = circuit.FieldText(i, static_cast<Field>(f));
            ASSERT_LE(text.size(), 3u * 40u);  // at most 40 characters of up to 3 UTF-8 bytes
        }
        if (i < circuit.Count()) {
            (void)TextsOfRecord(circuit.Slot(i));
        }
    }
    try {
        (void)circuit.SumOfTotalLosses();
    } catch (const ConversionError&) {
        // A total that is not a number is reported, never misread.
    }
}

TEST_F(MohFuzz, RandomAndMutatedFilesLoadSafely) {
    std::mt19937 random(20240607);
    RecordingMessageSink messages;
    int loaded = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes bytes;
        switch (round % 4) {
        case 0: {  // pure noise of any length, around record boundaries too
            const std::size_t size = random() % (kRecordSize * 4 + 3);
            bytes.resize(size);
            for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
            break;
        }
        case 1: {  // a valid file with flipped bytes (length bytes above capacity, undefined cp1250 bytes)
            bytes = ValidFile(random, 1 + static_cast<int>(random() % 5));
            const int flips = 1 + static_cast<int>(random() % 40);
            for (int k = 0; k < flips; ++k) {
                const std::uint8_t values[] = {0xFF, 0x81, 0x83, 0x88, 0x90, 0x98, 0x00, 0x7F, 0x0B, 0x29};
                bytes[random() % bytes.size()] = values[random() % 10];
            }
            break;
        }
        case 2: {  // a valid file cut anywhere
            bytes = ValidFile(random, 1 + static_cast<int>(random() % 4));
            bytes.resize(random() % (bytes.size() + 1));
            break;
        }
        default: {  // every length byte set to its maximum, over up to 110 records
            const int records = 1 + static_cast<int>(random() % 110);
            bytes.assign(static_cast<std::size_t>(records) * kRecordSize, 0);
            for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % 3 == 0 ? 0xFF : 0x8D + random() % 3);
            break;
        }
        }

        Circuit circuit;
        FittingRecord keep;
        keep.Set(Field::Name, "KEEP");
        circuit.Append(keep);
        try {
            const LoadResult result = circuit.LoadBytes(bytes, messages);
            ++loaded;
            const std::size_t whole = bytes.size() / kRecordSize;
            ASSERT_EQ(result.records, static_cast<int>(std::min<std::size_t>(whole, kTableSlots)));
            ASSERT_EQ(circuit.Count(), result.records);
            const Bytes back = circuit.Serialize();
            ASSERT_EQ(back.size(), static_cast<std::size_t>(result.records) * kRecordSize);
            // Records the program wrote come back unchanged, byte for byte.
            if (round % 4 == 2) {
                ASSERT_TRUE(std::equal(back.begin(), back.end(), bytes.begin()));
            }
            // Whatever was read saves to a file that loads and saves to the
            // same bytes again (a byte the code page leaves undefined is
            // saved as '?', the length bytes and the bytes behind the texts
            // as the program writes them).
            Circuit again;
            again.LoadBytes(back, messages);
            ASSERT_EQ(again.Serialize(), back);
        } catch (const FileError& e) {
            ++refused;
            ASSERT_LT(bytes.size(), kRecordSize);
            ASSERT_EQ(e.Fault(), FileFault::EndOfFile);
            ASSERT_EQ(circuit.FieldText(0, Field::Name), "KEEP");
        }
        UseEverything(circuit);
    }
    // Both outcomes were exercised.
    EXPECT_GT(loaded, 1000);
    EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace vimtal::pressureloss

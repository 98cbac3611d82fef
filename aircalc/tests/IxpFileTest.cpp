// .ixp files: the documented shape, the round trip to the same figures, and
// every refusal with its place in the file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "aircalc/IxpFile.h"
#include "core/Errors.h"
#include "core/Files.h"
#include "core/Messages.h"
#include "core/testing/TempFolder.h"

// The chains below name only the fields they give (designated initializers);
// GCC 12 takes the fields left out for forgotten ones.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vimtal::aircalc {
namespace {

// The example chain users read about, in its documented layout.
const char* const kExample =
    "{\"format\": \"vimtal-ix\", \"version\": 1, \"pressure\": 101325,\n"
    " \"states\": [{\"name\": \"1\", \"t\": -10, \"phi\": 80, \"flow\": {\"m\": 1}},\n"
    "            {\"name\": \"2\", \"t\": 22, \"phi\": 45, \"flow\": {\"V\": 9000}}],\n"
    " \"processes\": [{\"type\": \"mixing\", \"from\": [\"1\", \"2\"], \"to\": \"M\"},\n"
    "               {\"type\": \"heating\", \"from\": \"M\", \"t2\": 32, \"to\": \"3\"},\n"
    "               {\"type\": \"steam\", \"from\": \"3\", \"phi2\": 40, \"to\": \"4\"}]}\n";

void ExpectSameResults(const ChainResult& a, const ChainResult& b) {
    ASSERT_EQ(a.states.size(), b.states.size());
    for (std::size_t k = 0; k < a.states.size(); ++k) {
        const StateResult &s = a.states[k], &r = b.states[k];
        EXPECT_EQ(s.name, r.name);
        for (const auto member : {&StateResult::t, &StateResult::phi, &StateResult::x, &StateResult::i,
                                  &StateResult::rho, &StateResult::tr, &StateResult::tm}) {
            EXPECT_EQ(s.*member, r.*member) << s.name;  // bit for bit
        }
        EXPECT_EQ(s.massFlow, r.massFlow) << s.name;
    }
    ASSERT_EQ(a.processes.size(), b.processes.size());
    for (std::size_t k = 0; k < a.processes.size(); ++k) {
        EXPECT_EQ(a.processes[k].massFlow, b.processes[k].massFlow);
        EXPECT_EQ(a.processes[k].power, b.processes[k].power);
        EXPECT_EQ(a.processes[k].water, b.processes[k].water);
    }
    EXPECT_EQ(a.notes, b.notes);
}

TEST(IxpFile, ExampleReadsAndWritesInItsDocumentedShape) {
    const ChainInput chain = ReadIxp(kExample);
    EXPECT_EQ(chain.pressure, 101325);
    ASSERT_EQ(chain.states.size(), 2u);
    EXPECT_EQ(chain.states[1].flow->kind, AirFlow::Kind::Volume);
    EXPECT_EQ(chain.states[1].flow->value, 9000);
    EXPECT_FALSE(chain.states[1].x.has_value());
    ASSERT_EQ(chain.processes.size(), 3u);
    EXPECT_EQ(chain.processes[0].from, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(chain.processes[2].type, ProcessType::Steam);
    EXPECT_EQ(chain.processes[2].phi2, 40);
    EXPECT_FALSE(chain.processes[2].ts.has_value());  // the default stays a default
    EXPECT_EQ(WriteIxp(chain), kExample);
}

TEST(IxpFile, SavedChainsReopenToTheSameFigures) {
    // Inputs no short decimal writes exactly, every process type and both
    // kinds of flow; saved to a file and opened again.
    std::mt19937_64 random(7);
    const auto near = [&](double value) { return value * (1 + std::uniform_real_distribution<double>(-1e-3, 1e-3)(random)); };
    const ChainInput chain{near(99000),
                           {{.name = "Zewnętrzne \"Z\"", .t = near(-12.3), .phi = near(85), .flow = AirFlow{AirFlow::Kind::Mass, near(1.7)}},
                            {.name = "Wyw\\1", .x = near(8.1), .i = near(42), .flow = AirFlow{AirFlow::Kind::Volume, near(7300)}}},
                           {{.type = ProcessType::Mixing, .from = {"Zewnętrzne \"Z\"", "Wyw\\1"}, .to = "M"},
                            {.type = ProcessType::Heating, .from = {"M"}, .to = "H", .q = near(30)},
                            {.type = ProcessType::Cooling, .from = {"H"}, .to = "C", .adp = near(9), .bf = near(0.1)},
                            {.type = ProcessType::Spray, .from = {"C"}, .to = "S", .phi2 = near(90), .tw = near(12)},
                            {.type = ProcessType::Steam, .from = {"H"}, .to = "P", .x2 = near(9), .ts = near(120)}}};
    const vimtal::testing::TempFolder folder;
    const std::string path = folder.File("obieg.ixp");
    SaveIxp(path, chain);
    const ChainInput reopened = OpenIxp(path);
    EXPECT_EQ(WriteIxp(reopened), WriteIxp(chain));
    EXPECT_EQ(reopened.states[0].t, chain.states[0].t);
    EXPECT_EQ(reopened.processes[3].tw, chain.processes[3].tw);
    ExpectSameResults(ComputeChain(reopened), ComputeChain(chain));
}

TEST(IxpFile, UnknownKeysAndOtherTypesKeysAreIgnored) {
    const ChainInput chain = ReadIxp(
        "\xEF\xBB\xBF{\"format\": \"vimtal-ix\", \"version\": 1, \"pressure\": 101325, \"author\": {\"n\": [1, null]},\n"
        " \"states\": [{\"name\": \"A\", \"t\": 20, \"x\": 5, \"colour\": \"red\", \"flow\": {\"m\": 2, \"unit\": \"kg/s\"}}],\n"
        " \"processes\": [{\"type\": \"heating\", \"from\": \"A\", \"t2\": 30, \"adp\": 5, \"to\": \"B\"}]}");
    ASSERT_EQ(chain.processes.size(), 1u);
    EXPECT_FALSE(chain.processes[0].adp.has_value());
    EXPECT_EQ(ComputeChain(chain).states[1].t, 30);
    // A chain may have no processes at all.
    EXPECT_TRUE(ReadIxp("{\"format\": \"vimtal-ix\", \"version\": 1, \"pressure\": 1e5, \"states\": []}").processes.empty());
}

TEST(IxpFile, BrokenFilesAreRefusedWithTheirPlace) {
    const std::string head = "{\"format\": \"vimtal-ix\", \"version\": 1, \"pressure\": 101325,\n";
    const std::string stateA = "{\"name\": \"A\", \"t\": 20, \"phi\": 50, \"flow\": {\"m\": 1}}";
    const auto file = [&](const std::string& processes) {
        return head + " \"states\": [" + stateA + "],\n \"processes\": [" + processes + "]}";
    };
    const struct Case {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "błąd składni JSON (wiersz 1, kolumna 1): oczekiwano wartości"},
        {head + " \"states\": [" + stateA + ",]}", "błąd składni JSON (wiersz 2, kolumna 65): oczekiwano wartości"},
        {head + " \"states\": [" + stateA + "]", "(wiersz 2, kolumna 65): oczekiwano „,” lub „}”, a jest koniec tekstu"},
        {"[1, 2]", "obiekt główny (wiersz 1, kolumna 1): oczekiwano: obiekt, a jest: tablica"},
        {"{\"version\": 1}", "obiekt główny (wiersz 1, kolumna 1): brak klucza „format”"},
        {"{\"format\": \"vimtal-cwu\"}", "format (wiersz 1, kolumna 12): to nie jest łańcuch przemian"},
        {"{\"format\": \"vimtal-ix\", \"version\": 2, \"states\": {}}", "version (wiersz 1, kolumna 36): plik zapisano w nowszej wersji formatu (2)"},
        {"{\"format\": \"vimtal-ix\", \"version\": 0.5}", "numer wersji musi być liczbą całkowitą"},
        {"{\"format\": \"vimtal-ix\", \"version\": 1, \"states\": []}", "brak klucza „pressure”"},
        {"{\"format\": \"vimtal-ix\", \"version\": 1, \"pressure\": \"101325\", \"states\": []}",
         "pressure (wiersz 1, kolumna 51): oczekiwano: liczba, a jest: tekst"},
        {head + " \"states\": [{\"name\": \"A\", \"t\": 20}]}",
         "states[0] (wiersz 2, kolumna 13): punkt podaje się dwiema z wielkości t, phi, x, i"},
        {head + " \"states\": [{\"t\": 20, \"x\": 5}]}", "states[0] (wiersz 2, kolumna 13): brak klucza „name”"},
        {head + " \"states\": [" + stateA + ", {\"name\": \"A\", \"t\": 1, \"x\": 2}]}",
         "states[1].name (wiersz 2, kolumna 75): nazwa punktu „A” powtarza się"},
        {head + " \"states\": [{\"name\": \"A\", \"t\": 20, \"x\": 5, \"flow\": {\"m\": 1, \"V\": 2}}]}",
         "states[0].flow (wiersz 2, kolumna 52): przepływ podaje się jednym kluczem"},
        {head + " \"states\": [{\"name\": \"A\", \"t\": 20, \"x\": 5, \"flow\": {\"m\": true}}]}",
         "states[0].flow.m (wiersz 2, kolumna 58): oczekiwano: liczba, a jest: wartość logiczna"},
        {head + " \"states\": {}}", "states (wiersz 2, kolumna 12): oczekiwano: tablica, a jest: obiekt"},
        {file("{\"type\": \"warming\", \"from\": \"A\", \"to\": \"B\"}"),
         "processes[0].type (wiersz 3, kolumna 25): nieznany typ przemiany „warming”"},
        {file("{\"from\": \"A\", \"to\": \"B\"}"), "processes[0] (wiersz 3, kolumna 16): brak klucza „type”"},
        {file("{\"type\": \"heating\", \"from\": \"X\", \"t2\": 30, \"to\": \"B\"}"),
         "processes[0].from (wiersz 3, kolumna 44): punkt „X” nie został jeszcze zdefiniowany"},
        {file("{\"type\": \"heating\", \"from\": \"C\", \"t2\": 30, \"to\": \"B\"}, "
              "{\"type\": \"heating\", \"from\": \"A\", \"t2\": 30, \"to\": \"C\"}"),
         "punkt „C” nie został jeszcze zdefiniowany"},
        {file("{\"type\": \"heating\", \"from\": \"A\", \"t2\": 30, \"to\": \"A\"}"),
         "processes[0].to (wiersz 3, kolumna 65): nazwa punktu „A” powtarza się"},
        {file("{\"type\": \"heating\", \"from\": \"A\", \"to\": \"B\"}"), "podaj dokładnie jeden z kluczy \"t2\", \"Q\""},
        {file("{\"type\": \"heating\", \"from\": \"A\", \"t2\": 30, \"Q\": 2, \"to\": \"B\"}"), "dokładnie jeden z kluczy"},
        {file("{\"type\": \"cooling\", \"from\": \"A\", \"adp\": 5, \"to\": \"B\"}"), "brak klucza „bf”"},
        {file("{\"type\": \"steam\", \"from\": \"A\", \"to\": \"B\"}"), "podaj dokładnie jeden z kluczy \"x2\", \"phi2\""},
        {file("{\"type\": \"mixing\", \"from\": \"A\", \"to\": \"B\"}"), "processes[0].from (wiersz 3, kolumna 43): oczekiwano: tablica"},
        {file("{\"type\": \"mixing\", \"from\": [\"A\"], \"to\": \"B\"}"), "mieszanie łączy dwa punkty"},
        {file("{\"type\": \"spray\", \"from\": \"A\", \"x2\": null, \"to\": \"B\"}"), "processes[0].x2 (wiersz 3, kolumna 53): oczekiwano: liczba, a jest: null"},
        {file("{\"type\": \"spray\", \"from\": \"A\", \"x2\": 1e999, \"to\": \"B\"}"), "liczba 1e999 wykracza poza zakres"},
    };
    for (const Case& c : cases) {
        try {
            ReadIxp(c.text);
            ADD_FAILURE() << "not refused: " << c.message;
        } catch (const NoticeError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("Błędny plik .ixp – ", 0), 0u) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message << "\n  expected: " << c.message;
            EXPECT_EQ(error.Title(), kInfoTitle);
        }
    }
}

TEST(IxpFile, AFailedSaveKeepsTheOldFile) {
    const vimtal::testing::TempFolder folder;
    const std::string path = folder.File("obieg.ixp");
    SaveIxp(path, ReadIxp(kExample));
    testing_hooks::writeAllowed = [](std::size_t) { return false; };
    EXPECT_THROW(SaveIxp(path, ChainInput{}), FileError);
    testing_hooks::writeAllowed = nullptr;
    EXPECT_EQ(WriteIxp(OpenIxp(path)), kExample);
    EXPECT_THROW(OpenIxp(folder.File("brak.ixp")), FileError);
}

}  // namespace
}  // namespace vimtal::aircalc

// The process sheet's edits of a chain (renames carried to the processes,
// deletions refused while something starts there) and its cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aircalc/IxpFile.h"
#include "aircalc/ProcessSheet.h"
#include "core/Errors.h"
#include "core/Numbers.h"

// The chains below name only the fields they give (designated initializers);
// GCC 12 takes the fields left out for forgotten ones.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vimtal::aircalc {
namespace {

// Outdoor and return air mixed, heated, then a steam humidifier; a second
// heating from the outdoor air (no flow on the return air: a sketch of it
// cannot be mixed, so it has one).
const char* const kChain = R"({"format": "vimtal-ix", "version": 1, "pressure": 101325,
  "states": [{"name": "Zew", "t": -10, "phi": 80, "flow": {"m": 1}},
             {"name": "Wyw", "t": 22, "phi": 45, "flow": {"V": 9000}},
             {"name": "Szkic", "t": 10, "phi": 50}],
  "processes": [{"type": "mixing", "from": ["Zew", "Wyw"], "to": "M"},
                {"type": "heating", "from": "M", "t2": 30, "to": "N"},
                {"type": "steam", "from": "N", "phi2": 40, "to": "S"},
                {"type": "heating", "from": "Szkic", "t2": 20, "to": "H"}]})";

std::vector<std::vector<std::string>> Starts(const ChainInput& chain) {
    std::vector<std::vector<std::string>> starts;
    for (const ProcessInput& p : chain.processes) starts.push_back(p.from);
    return starts;
}

TEST(ProcessSheet, RenamesCarryTheProcessesAlong) {
    const ChainInput chain = ReadIxp(kChain);
    StateInput renamed = chain.states[1];
    renamed.name = "Powrót";
    const ChainInput a = PutState(chain, 1, renamed);
    EXPECT_EQ(Starts(a), (std::vector<std::vector<std::string>>{{"Zew", "Powrót"}, {"M"}, {"N"}, {"Szkic"}}));
    ProcessInput heating = chain.processes[1];
    heating.to = "Nagrz";
    const ChainInput b = PutProcess(chain, 1, heating);
    EXPECT_EQ(b.processes[1].to, "Nagrz");
    EXPECT_EQ(Starts(b)[2], std::vector<std::string>{"Nagrz"});
    // Both still compute; a new item goes at the end.
    EXPECT_EQ(ComputeChain(a).states.size(), 7u);
    EXPECT_EQ(ComputeChain(b).states.size(), 7u);
    EXPECT_EQ(PutState(chain, std::nullopt, {.name = "4", .t = 5, .phi = 50}).states.back().name, "4");
}

TEST(ProcessSheet, DeletionsAreRefusedWhileAProcessStartsThere) {
    const ChainInput chain = ReadIxp(kChain);
    SetDecimalSeparator(',');
    struct Case {
        bool state;
        std::size_t index;
        const char* refusal;  // nullptr: deleted
    } cases[] = {
        {true, 0, "Nie można usunąć punktu „Zew”: z punktu „Zew” wychodzi przemiana 1 (mieszanie, Zew+Wyw → M)"},
        {true, 2, "wychodzi przemiana 4 (ogrzewanie, Szkic → H). Usuń ją najpierw"},
        {false, 0, "z punktu „M” wychodzi przemiana 2 (ogrzewanie, M → N)"},
        {false, 1, "przemiany 2 (ogrzewanie, M → N): z punktu „N”"},
        {false, 2, nullptr},
        {false, 3, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + (c.state ? " state" : " process"));
        try {
            const ChainInput left = c.state ? RemoveState(chain, c.index) : RemoveProcess(chain, c.index);
            EXPECT_EQ(c.refusal, nullptr);
            EXPECT_EQ(left.processes.size(), chain.processes.size() - 1);
            EXPECT_EQ(ComputeChain(left).states.size(), 6u);
        } catch (const NoticeError& error) {
            ASSERT_NE(c.refusal, nullptr) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.refusal), std::string::npos) << error.what();
        }
    }
    // Two processes from one state are named together.
    ChainInput twice = chain;
    twice.processes.push_back({.type = ProcessType::Heating, .from = {"Zew"}, .to = "Z2", .t2 = 5});
    try {
        RemoveState(twice, 0);
        ADD_FAILURE();
    } catch (const NoticeError& error) {
        EXPECT_NE(std::string(error.what()).find("wychodzą przemiany 1 (mieszanie, Zew+Wyw → M), 5 (ogrzewanie, Zew → Z2)"),
                  std::string::npos)
            << error.what();
    }
}

TEST(ProcessSheet, StartsAndFreeNames) {
    const ChainInput chain = ReadIxp(kChain);
    EXPECT_EQ(StartsFor(chain, 0), (std::vector<std::string>{"Zew", "Wyw", "Szkic"}));
    EXPECT_EQ(StartsFor(chain, 2), (std::vector<std::string>{"Zew", "Wyw", "Szkic", "M", "N"}));
    EXPECT_EQ(StartsFor(chain, std::nullopt).size(), 7u);
    EXPECT_EQ(FreeName(chain), "1");
    ChainInput numbered = chain;
    numbered.states[0].name = "1";
    numbered.processes[2].to = "2";
    EXPECT_EQ(FreeName(numbered), "3");
}

TEST(ProcessSheet, CellsShowFogAndUnknownFlows) {
    SetDecimalSeparator(',');
    const ChainInput chain = ReadIxp(kChain);
    const ChainResult r = ComputeChain(chain);
    EXPECT_EQ(StateCells(r.states[2]).back(), "–");  // the sketch has no flow
    EXPECT_EQ(StateCells(r.states[0]), (std::vector<std::string>{"Zew", "-10", "80", "1,41", "-6,5", "1,34", "-12,7",
                                                                  "-10,6", "1"}));
    EXPECT_EQ(ProcessCells(chain, r, 0)[3], "–");  // a mixing has no parameters
    EXPECT_EQ(ProcessCells(chain, r, 3),
              (std::vector<std::string>{"ogrzewanie", "Szkic", "H", "t2 = 20 °C", "–", "–", "–"}));
    EXPECT_EQ(ProcessCells(chain, r, 2)[6], RoundedDisplay(*r.processes[2].water, -2));
    StateResult fog = r.states[0];
    fog.fog = true;
    EXPECT_EQ(StateCells(fog)[0], "Zew (mgła)");
}

}  // namespace
}  // namespace vimtal::aircalc

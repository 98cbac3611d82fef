#include "aircalc/IxpFile.h"

#include "core/Errors.h"
#include "core/Files.h"
#include "core/Json.h"
#include "core/Messages.h"

#include <array>
#include <cmath>
#include <set>
#include <utility>

namespace vimtal::aircalc {

namespace {

using json::Value;
using Kind = json::Value::Kind;

constexpr const char* kRefused = "Błędny plik .ixp – ";

std::string Quoted(const std::string& text) { return "„" + text + "”"; }

[[noreturn]] void Refuse(const std::string& message) { throw NoticeError(kRefused + message + ".", kInfoTitle); }

std::string Where(json::Position at) {
    return "wiersz " + std::to_string(at.line) + ", kolumna " + std::to_string(at.column);
}

// A value with its path in the file ("processes[2].type").
struct Node {
    const Value& value;
    std::string path;

    [[noreturn]] void Fail(const std::string& problem) const {
        Refuse((path.empty() ? std::string("obiekt główny") : path) + " (" + Where(value.position) + "): " + problem);
    }

    void Require(Kind kind) const {
        if (!value.Is(kind)) Fail("oczekiwano: " + json::KindName(kind) + ", a jest: " + json::KindName(value.kind));
    }

    std::optional<Node> Member(const std::string& key) const {
        const Value* member = value.Find(key);
        if (!member) return std::nullopt;
        return Node{*member, path.empty() ? key : path + "." + key};
    }

    Node Required(const std::string& key) const {
        std::optional<Node> member = Member(key);
        if (!member) Fail("brak klucza " + Quoted(key));
        return *member;
    }

    Node Item(std::size_t k) const { return Node{value.items[k], path + "[" + std::to_string(k) + "]"}; }

    double Number() const {
        Require(Kind::Number);
        return value.number;
    }

    const std::string& Text() const {
        Require(Kind::String);
        return value.text;
    }

    std::optional<double> OptionalNumber(const std::string& key) const {
        std::optional<Node> member = Member(key);
        if (!member) return std::nullopt;
        return member->Number();
    }
};

struct TypeKey {
    const char* key;
    ProcessType type;
};
constexpr std::array<TypeKey, 5> kTypes{{{"mixing", ProcessType::Mixing},
                                        {"heating", ProcessType::Heating},
                                        {"cooling", ProcessType::Cooling},
                                        {"steam", ProcessType::Steam},
                                        {"spray", ProcessType::Spray}}};

// The keys of each type's parameters, in the order they are written.
struct ParameterKey {
    const char* key;
    std::optional<double> ProcessInput::*member;
    ProcessType type;
    ProcessType alsoType;
};
constexpr std::array<ParameterKey, 8> kParameterKeys{{
    {"t2", &ProcessInput::t2, ProcessType::Heating, ProcessType::Heating},
    {"Q", &ProcessInput::q, ProcessType::Heating, ProcessType::Heating},
    {"adp", &ProcessInput::adp, ProcessType::Cooling, ProcessType::Cooling},
    {"bf", &ProcessInput::bf, ProcessType::Cooling, ProcessType::Cooling},
    {"x2", &ProcessInput::x2, ProcessType::Steam, ProcessType::Spray},
    {"phi2", &ProcessInput::phi2, ProcessType::Steam, ProcessType::Spray},
    {"ts", &ProcessInput::ts, ProcessType::Steam, ProcessType::Steam},
    {"tw", &ProcessInput::tw, ProcessType::Spray, ProcessType::Spray},
}};

bool Belongs(const ParameterKey& parameter, ProcessType type) {
    return parameter.type == type || parameter.alsoType == type;
}

class Reader {
public:
    ChainInput Read(const Node& root) {
        root.Require(Kind::Object);
        CheckFormatAndVersion(root);
        ChainInput chain;
        chain.pressure = root.Required("pressure").Number();
        const Node states = root.Required("states");
        states.Require(Kind::Array);
        for (std::size_t k = 0; k < states.value.items.size(); ++k) chain.states.push_back(ReadState(states.Item(k)));
        if (const std::optional<Node> processes = root.Member("processes")) {
            processes->Require(Kind::Array);
            for (std::size_t k = 0; k < processes->value.items.size(); ++k) {
                chain.processes.push_back(ReadProcess(processes->Item(k)));
            }
        }
        return chain;
    }

private:
    static void CheckFormatAndVersion(const Node& root) {
        const Node format = root.Required("format");
        if (format.Text() != kIxpFormat) {
            format.Fail("to nie jest łańcuch przemian powietrza (oczekiwano " + Quoted(kIxpFormat) + ")");
        }
        const Node version = root.Required("version");
        const double number = version.Number();
        if (number != std::floor(number) || number < 1) version.Fail("numer wersji musi być liczbą całkowitą od 1");
        if (number > kIxpVersion) {
            version.Fail("plik zapisano w nowszej wersji formatu (" + json::NumberText(number) +
                         "), a ten program czyta wersję " + std::to_string(kIxpVersion) +
                         "; otwórz go w nowszym programie Vimtal");
        }
    }

    // A new name, not given or made before.
    std::string NewName(const Node& node) {
        const std::string& name = node.Text();
        if (name.empty()) node.Fail("nazwa punktu nie może być pusta");
        if (!names_.insert(name).second) node.Fail("nazwa punktu " + Quoted(name) + " powtarza się");
        return name;
    }

    StateInput ReadState(const Node& node) {
        node.Require(Kind::Object);
        StateInput s;
        s.name = NewName(node.Required("name"));
        s.t = node.OptionalNumber("t");
        s.phi = node.OptionalNumber("phi");
        s.x = node.OptionalNumber("x");
        s.i = node.OptionalNumber("i");
        if (s.t.has_value() + s.phi.has_value() + s.x.has_value() + s.i.has_value() != 2) {
            node.Fail("punkt podaje się dwiema z wielkości t, phi, x, i – ani jedną, ani trzema");
        }
        if (const std::optional<Node> flow = node.Member("flow")) {
            flow->Require(Kind::Object);
            const std::optional<Node> mass = flow->Member("m");
            const std::optional<Node> volume = flow->Member("V");
            if (mass.has_value() == volume.has_value()) {
                flow->Fail("przepływ podaje się jednym kluczem: \"m\" (kg/s) albo \"V\" (m³/h)");
            }
            s.flow = mass ? AirFlow{AirFlow::Kind::Mass, mass->Number()}
                          : AirFlow{AirFlow::Kind::Volume, volume->Number()};
        }
        return s;
    }

    std::string Reference(const Node& node) const {
        const std::string& name = node.Text();
        if (names_.count(name) == 0) {
            node.Fail("punkt " + Quoted(name) + " nie został jeszcze zdefiniowany (przemiana może zaczynać się "
                      "tylko w punkcie podanym w \"states\" lub utworzonym przez wcześniejszą przemianę)");
        }
        return name;
    }

    ProcessInput ReadProcess(const Node& node) {
        node.Require(Kind::Object);
        ProcessInput p;
        const Node type = node.Required("type");
        const std::string& key = type.Text();
        bool known = false;
        for (const TypeKey& t : kTypes) {
            if (key == t.key) p.type = t.type, known = true;
        }
        if (!known) {
            type.Fail("nieznany typ przemiany " + Quoted(key) +
                      " (dozwolone: mixing, heating, cooling, steam, spray)");
        }
        const Node from = node.Required("from");
        if (p.type == ProcessType::Mixing) {
            from.Require(Kind::Array);
            if (from.value.items.size() != 2) from.Fail("mieszanie łączy dwa punkty: podaj parę nazw [\"A\", \"B\"]");
            for (std::size_t k = 0; k < 2; ++k) p.from.push_back(Reference(from.Item(k)));
        } else {
            p.from.push_back(Reference(from));
        }
        for (const ParameterKey& parameter : kParameterKeys) {
            if (Belongs(parameter, p.type)) p.*parameter.member = node.OptionalNumber(parameter.key);
        }
        const auto exactlyOne = [&](const std::optional<double>& a, const std::optional<double>& b, const char* keys) {
            if (a.has_value() == b.has_value()) node.Fail(std::string("podaj dokładnie jeden z kluczy ") + keys);
        };
        switch (p.type) {
            case ProcessType::Mixing: break;
            case ProcessType::Heating: exactlyOne(p.t2, p.q, "\"t2\", \"Q\""); break;
            case ProcessType::Cooling:
                node.Required("adp");
                node.Required("bf");
                break;
            case ProcessType::Steam:
            case ProcessType::Spray: exactlyOne(p.x2, p.phi2, "\"x2\", \"phi2\""); break;
        }
        // The new state's name last: a process cannot start from its own end.
        p.to = NewName(node.Required("to"));
        return p;
    }

    std::set<std::string> names_;
};

// Numbers as JSON; a value that is not finite has no JSON text.
std::string Number(double value) {
    if (!std::isfinite(value)) {
        throw NoticeError("Nie można zapisać łańcucha: jedna z wartości nie jest liczbą.", kInfoTitle);
    }
    return json::NumberText(value);
}

std::string Member(const char* key, const std::string& text) { return std::string(", ") + json::Quote(key) + ": " + text; }

std::string StateText(const StateInput& s) {
    std::string text = "{\"name\": " + json::Quote(s.name);
    const std::array<std::pair<const char*, const std::optional<double>*>, 4> properties{
        {{"t", &s.t}, {"phi", &s.phi}, {"x", &s.x}, {"i", &s.i}}};
    for (const auto& [key, value] : properties) {
        if (*value) text += Member(key, Number(**value));
    }
    if (s.flow) {
        const char* key = s.flow->kind == AirFlow::Kind::Mass ? "m" : "V";
        text += Member("flow", "{" + json::Quote(key) + ": " + Number(s.flow->value) + "}");
    }
    return text + "}";
}

std::string ProcessText(const ProcessInput& p) {
    std::string text = "{\"type\": " + json::Quote(ProcessKey(p.type));
    if (p.type == ProcessType::Mixing && p.from.size() == 2) {
        text += Member("from", "[" + json::Quote(p.from[0]) + ", " + json::Quote(p.from[1]) + "]");
    } else {
        text += Member("from", json::Quote(p.from.empty() ? std::string() : p.from[0]));
    }
    for (const ParameterKey& parameter : kParameterKeys) {
        const std::optional<double>& value = p.*parameter.member;
        if (value && Belongs(parameter, p.type)) text += Member(parameter.key, Number(*value));
    }
    return text + Member("to", json::Quote(p.to)) + "}";
}

// The items under their key, one a line, aligned under the first.
std::string List(const char* key, const std::vector<std::string>& items) {
    const std::string head = std::string(" \"") + key + "\": [";
    std::string text = head;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) text += ",\n" + std::string(head.size(), ' ');
        text += items[k];
    }
    return text + "]";
}

}  // namespace

ChainInput ReadIxp(std::string_view text) {
    json::Value root;
    try {
        root = json::Parse(text);
    } catch (const json::ParseError& error) {
        Refuse("błąd składni JSON (" + Where(error.Where()) + "): " + error.Problem());
    }
    return Reader().Read(Node{root, ""});
}

std::string WriteIxp(const ChainInput& chain) {
    std::vector<std::string> states, processes;
    for (const StateInput& s : chain.states) states.push_back(StateText(s));
    for (const ProcessInput& p : chain.processes) processes.push_back(ProcessText(p));
    return "{\"format\": " + json::Quote(kIxpFormat) + ", \"version\": " + std::to_string(kIxpVersion) +
           ", \"pressure\": " + Number(chain.pressure) + ",\n" + List("states", states) + ",\n" +
           List("processes", processes) + "}\n";
}

ChainInput OpenIxp(const std::string& path) {
    const Bytes bytes = ReadFileBytes(path);
    return ReadIxp(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SaveIxp(const std::string& path, const ChainInput& chain) {
    const std::string text = WriteIxp(chain);
    WriteFileAtomically(path, Bytes(text.begin(), text.end()));
}

}  // namespace vimtal::aircalc

// The files named on the command line: which module opens each, or why it
// cannot be opened.
//
// Plain C++ (no Qt): the names are UTF-8 texts as the command line gave
// them; each is resolved against the folder the program runs in and sorted
// by its extension. A name that cannot be opened gets a Polish message for
// the user instead of a place in the list; the launcher starts either way.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vimtal {

// The kinds of file the modules read and write.
enum class FileKind {
    DhwSimulation,  // .cwu: the DHW tank charging simulation, TForm5
    DuctCooling,    // .kan: the duct cooling simulation, TForm9
    PressureLoss,   // .moh: the pressure-loss circuit, TForm15
    AirProcesses,   // .ixp: air-handling processes on the i-x chart, IxChartForm
};

// The window that opens a file of that kind ("TForm5").
const char* FormOf(FileKind kind);

// The kind a file name's extension stands for (compared without regard to
// case, as the files come from Windows too); nothing for any other name.
std::optional<FileKind> KindOfName(const std::string& name);

struct StartupFile {
    FileKind kind;
    std::string path;  // absolute, without "." and ".." steps
    bool operator==(const StartupFile&) const = default;
};

struct StartupFiles {
    std::vector<StartupFile> files;     // in the order given, each path once
    std::vector<std::string> messages;  // one for each name that cannot be opened
};

// Resolves the names (relative ones against `currentDirectory`) and sorts
// them into the files to open and the messages for the rest: an unknown
// extension, a name that does not exist, a folder or another thing that is
// not a plain file.
StartupFiles ResolveStartupFiles(const std::vector<std::string>& names, const std::string& currentDirectory);

}  // namespace vimtal

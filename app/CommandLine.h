// The command line: vimtal [-h | --help] [-v | --version] [FILE...]
//
// Parsed before any window system is touched, so that --help and --version
// answer on a machine without a display. Options other than Vimtal's own are
// refused, except that Qt's options (-platform, -style...) are taken out by
// the application object before the full parse.
#pragma once

#include <QStringList>

#include <string>
#include <vector>

namespace vimtal {

struct CommandLine {
    enum class Action {
        Start,    // start the program and open `files`
        Help,     // print `output` (the Polish help) to stdout and end with 0
        Version,  // print `output` (the name and version) to stdout and end with 0
        Error,    // print `output` to stderr and end with `exitCode`
    };
    Action action = Action::Start;
    std::string output;
    int exitCode = 0;
    std::vector<std::string> files;  // the file names as given (UTF-8)
};

// `arguments` as QCoreApplication::arguments() gives them: the program
// first. Help wins over the version, and both over a refused option.
CommandLine ParseCommandLine(const QStringList& arguments);

// The arguments of main() as texts, for the parse before the application
// object exists.
QStringList ArgumentsOf(int argc, const char* const* argv);

}  // namespace vimtal

#include "StartupFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vimtal {

namespace fs = std::filesystem;

const char* FormOf(FileKind kind) {
    switch (kind) {
    case FileKind::DhwSimulation: return "TForm5";
    case FileKind::DuctCooling: return "TForm9";
    case FileKind::PressureLoss: return "TForm15";
    case FileKind::AirProcesses: return "IxChartForm";
    }
    return "";
}

std::optional<FileKind> KindOfName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (extension == "cwu") return FileKind::DhwSimulation;
    if (extension == "kan") return FileKind::DuctCooling;
    if (extension == "moh") return FileKind::PressureLoss;
    if (extension == "ixp") return FileKind::AirProcesses;
    return std::nullopt;
}

namespace {
std::string Quoted(const std::string& name) { return "„" + name + "”"; }
}  // namespace

StartupFiles ResolveStartupFiles(const std::vector<std::string>& names, const std::string& currentDirectory) {
    StartupFiles result;
    for (const std::string& name : names) {
        const fs::path path = (fs::path(currentDirectory) / fs::path(name)).lexically_normal();
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (fs::is_directory(status)) {
            result.messages.push_back("Nie można otworzyć " + Quoted(name) + ": to jest folder, a nie plik.");
            continue;
        }
        const std::optional<FileKind> kind = KindOfName(name);
        if (!kind) {
            result.messages.push_back("Nie można otworzyć pliku " + Quoted(name) +
                                      ": nieznany typ pliku. Vimtal otwiera pliki .cwu, .kan, .moh i .ixp.");
            continue;
        }
        if (!fs::exists(status)) {
            result.messages.push_back("Nie można otworzyć pliku " + Quoted(name) + ": taki plik nie istnieje.");
            continue;
        }
        if (!fs::is_regular_file(status)) {
            result.messages.push_back("Nie można otworzyć " + Quoted(name) + ": to nie jest zwykły plik.");
            continue;
        }
        // A file named twice (as "a.moh" and "./a.moh") is opened once.
        const StartupFile file{*kind, path.string()};
        if (std::find(result.files.begin(), result.files.end(), file) == result.files.end()) {
            result.files.push_back(file);
        }
    }
    return result;
}

}  // namespace vimtal

// The list behind "Ostatnio otwierane": the files of one kind a module window
// opened or saved last, newest first.
//
// Plain list logic on absolute paths (UTF-8); where the list is kept and how
// the menu shows it are the window layer's business (core/ui/RecentFiles.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vimtal::recent {

// The most files the menu offers.
inline constexpr std::size_t kLimit = 8;

// The list with `path` first: an earlier place of the same file is given up
// and the oldest entries beyond the limit fall off. Empty entries and repeats
// (a list edited by hand) go too.
std::vector<std::string> PutFirst(const std::vector<std::string>& list, const std::string& path);

// The list without `path` (a file that is gone).
std::vector<std::string> Remove(const std::vector<std::string>& list, const std::string& path);

// What the menu shows for each entry: the file's name, which an engineer
// knows the project by; where two entries share a name, the folder follows
// it ("obieg.moh — ~/Projekty/Szkoła"), the home folder `home` written "~".
std::vector<std::string> Labels(const std::vector<std::string>& list, const std::string& home);

}  // namespace vimtal::recent

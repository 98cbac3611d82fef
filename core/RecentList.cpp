#include "RecentList.h"

#include <algorithm>

namespace vimtal::recent {

namespace {
bool Contains(const std::vector<std::string>& list, const std::string& path) {
    return std::find(list.begin(), list.end(), path) != list.end();
}

// The name after the last '/', and the folder before it ("/" for a file in
// the root).
std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path, std::string home) {
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    if (!home.empty() && home != "/") {
        if (folder == home) return "~";
        if (folder.starts_with(home) && folder[home.size()] == '/') return "~" + folder.substr(home.size());
    }
    return folder;
}
}  // namespace

std::vector<std::string> PutFirst(const std::vector<std::string>& list, const std::string& path) {
    std::vector<std::string> result;
    if (!path.empty()) result.push_back(path);
    for (const std::string& entry : list) {
        if (result.size() == kLimit) break;
        if (!entry.empty() && !Contains(result, entry)) result.push_back(entry);
    }
    return result;
}

std::vector<std::string> Remove(const std::vector<std::string>& list, const std::string& path) {
    std::vector<std::string> result = list;
    std::erase(result, path);
    return result;
}

std::vector<std::string> Labels(const std::vector<std::string>& list, const std::string& home) {
    std::vector<std::string> labels;
    for (const std::string& path : list) {
        const std::string name = NameOf(path);
        const bool shared = std::count_if(list.begin(), list.end(),
                                          [&](const std::string& other) { return NameOf(other) == name; }) > 1;
        labels.push_back(shared ? name + " — " + FolderOf(path, home) : name);
    }
    return labels;
}

}  // namespace vimtal::recent

#include "core/RecentList.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vimtal::recent {
namespace {

using List = std::vector<std::string>;

// The files /p/<first>.moh ... /p/<last>.moh, newest first.
List Numbered(int first, int last) {
    List list;
    for (int i = first; i <= last; ++i) list.push_back("/p/" + std::to_string(i) + ".moh");
    return list;
}

TEST(RecentList, PutFirst) {
    struct Case {
        const char* what;
        List before;
        std::string path;
        List after;
    } cases[] = {
        {"the first file", {}, "/p/a.moh", {"/p/a.moh"}},
        {"a new file goes on top", {"/p/a.moh", "/p/b.moh"}, "/p/c.moh", {"/p/c.moh", "/p/a.moh", "/p/b.moh"}},
        {"a listed file moves up, not twice",
         {"/p/a.moh", "/p/b.moh", "/p/c.moh"}, "/p/c.moh", {"/p/c.moh", "/p/a.moh", "/p/b.moh"}},
        {"the newest again changes nothing", {"/p/a.moh", "/p/b.moh"}, "/p/a.moh", {"/p/a.moh", "/p/b.moh"}},
        {"the ninth file pushes the oldest off", Numbered(1, 8), "/p/9.moh",
         List{"/p/9.moh", "/p/1.moh", "/p/2.moh", "/p/3.moh", "/p/4.moh", "/p/5.moh", "/p/6.moh", "/p/7.moh"}},
        {"the oldest of eight moves up, none falls off", Numbered(1, 8), "/p/8.moh",
         List{"/p/8.moh", "/p/1.moh", "/p/2.moh", "/p/3.moh", "/p/4.moh", "/p/5.moh", "/p/6.moh", "/p/7.moh"}},
        {"names differing in case are different files on Linux", {"/p/A.moh"}, "/p/a.moh", {"/p/a.moh", "/p/A.moh"}},
        {"a list edited by hand: empties and repeats go, the limit holds",
         {"", "/p/1.moh", "/p/1.moh", "/p/2.moh", "", "/p/3.moh", "/p/4.moh", "/p/5.moh", "/p/6.moh", "/p/7.moh",
          "/p/8.moh", "/p/9.moh"},
         "", Numbered(1, 8)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PutFirst(c.before, c.path), c.after) << c.what;
        EXPECT_LE(PutFirst(c.before, c.path).size(), kLimit) << c.what;
    }
}

TEST(RecentList, RemoveTakesOffOnlyThatFile) {
    EXPECT_EQ(Remove({"/p/a.moh", "/p/b.moh", "/p/c.moh"}, "/p/b.moh"), (List{"/p/a.moh", "/p/c.moh"}));
    EXPECT_EQ(Remove({"/p/a.moh"}, "/p/x.moh"), List{"/p/a.moh"});
    EXPECT_EQ(Remove({"/p/a.moh"}, "/p/a.moh"), List{});
}

TEST(RecentList, LabelsShowTheNameAndTheFolderWhereNamesAreAlike) {
    // {home folder, list, labels}, with what the case is about.
    const std::tuple<std::string, List, List, const char*> cases[] = {
        {"/home/jan", {"/home/jan/Projekty/Szkoła/obieg.moh", "/srv/biuro/hala.moh"}, {"obieg.moh", "hala.moh"},
         "names only"},
        {"/home/jan", {"/home/jan/Szkoła/obieg.moh", "/srv/Hala/obieg.moh", "/home/jan/inny.moh"},
         {"obieg.moh — ~/Szkoła", "obieg.moh — /srv/Hala", "inny.moh"}, "two alike: both with their folders, home as ~"},
        {"/home/jan/", {"/home/jan/a.cwu", "/tmp/a.cwu"}, {"a.cwu — ~", "a.cwu — /tmp"}, "a file right in the home folder"},
        {"/home/jan", {"/home/janek/a.kan", "/home/jan/a.kan"}, {"a.kan — /home/janek", "a.kan — ~"},
         "a folder that only starts like home is not home"},
        {"", {"/a.kan", "/x/a.kan"}, {"a.kan — /", "a.kan — /x"}, "a file in the root"},
    };
    for (const auto& [home, list, labels, what] : cases) EXPECT_EQ(Labels(list, home), labels) << what;
}

}  // namespace
}  // namespace vimtal::recent

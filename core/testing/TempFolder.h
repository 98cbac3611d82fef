// A folder of its own for a test that writes files: made under the system's
// temporary folder with a name no other test or run shares, and removed with
// everything in it when the test's TempFolder goes. Plain C++, so the model
// tests use it as the window tests do; a Qt test also gets its paths as
// QStrings.
//
//   TempFolder folder;
//   kTankFormat.Save(folder.File("zbiornik.cwu"), record);
//   app.Fake().saveAnswers = {folder.QtFile("raport.pdf")};   // Qt tests
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#ifdef QT_CORE_LIB
#include <QString>
#endif

namespace vimtal::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vimtal-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder in " + pattern);
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the folder (UTF-8).
    std::string File(const std::string& name) const { return (path_ / name).string(); }

#ifdef QT_CORE_LIB
    QString QtPath() const { return QString::fromStdString(path_.string()); }
    QString QtFile(const QString& name) const { return QtPath() + QLatin1Char('/') + name; }
#endif

private:
    std::filesystem::path path_;
};

}  // namespace vimtal::testing

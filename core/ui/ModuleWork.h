// Work a module keeps in a file, as the launcher asks about it before the
// program ends.
//
// A module's work has changed when the record a save would write now is not
// the record the module last opened or saved (or, neither yet, the one it
// started with): exactly what a save would change. The module remembers
// that record, and the file, in a WorkFile.
#pragma once

#include "core/Files.h"

#include <QString>

#include <utility>

namespace vimtal {

class ModuleWork {
public:
    virtual ~ModuleWork() = default;

    // The record a save would write differs from the one last opened, saved
    // or started with.
    virtual bool Changed() const = 0;
    // Saves as the module's "Zapisz" saves: into the file last opened or
    // saved, through the save dialog while there is none. False when the
    // dialog was cancelled or the file could not be written (the error box
    // has said why).
    virtual bool SaveChanges() = 0;
    // Takes the work as it is for the one last opened or saved (the user
    // chose to end the program without saving it).
    virtual void AcceptChanges() = 0;
};

// The record a module's work was last opened from, saved to or started
// with, and the file.
class WorkFile {
public:
    // A work without a file (start-up, a new calculation).
    void Start(Bytes record) {
        record_ = std::move(record);
        path_.clear();
    }
    // Opened from or saved to `path`.
    void Keep(Bytes record, const QString& path) {
        record_ = std::move(record);
        path_ = path;
    }
    // The work as it is now is taken for the one kept; the file stays.
    void Accept(Bytes record) { record_ = std::move(record); }

    bool Differs(const Bytes& record) const { return record != record_; }
    // Empty while the work has no file.
    const QString& Path() const { return path_; }

private:
    Bytes record_;
    QString path_;
};

}  // namespace vimtal

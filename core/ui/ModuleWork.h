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

// A module window whose work the user keeps in a file.
class ModuleWork {
public:
    virtual ~ModuleWork() = default;

    // Opens the file at `path` as the module's "Otwórz" does once a name is
    // chosen, and saves into `path` as its "Zapisz" does (the file replaced
    // safely). Each shows its own errors in the error box and says whether
    // it succeeded; a file that cannot be read changes nothing. A file read
    // or written goes first in "Ostatnio otwierane".
    virtual bool Open(const QString& path) = 0;
    virtual bool Save(const QString& path) = 0;
    // The save dialog, then Save; false when cancelled or not written.
    virtual bool SaveAs() = 0;

    // The record a save would write differs from the one last opened, saved
    // or started with.
    virtual bool Changed() const { return workFile_.Differs(WorkRecord()); }
    // Saves as the module's "Zapisz" saves: into the file last opened or
    // saved, through the save dialog while there is none. False when the
    // dialog was cancelled or the file could not be written (the error box
    // has said why).
    bool SaveChanges() { return workFile_.Path().isEmpty() ? SaveAs() : Save(workFile_.Path()); }
    // Takes the work as it is for the one last opened or saved (the user
    // chose to end the program without saving it).
    void AcceptChanges() { workFile_.Accept(WorkRecord()); }

protected:
    // The bytes a save would write now.
    virtual Bytes WorkRecord() const = 0;

    WorkFile workFile_;  // the record last opened, saved or started with
};

}  // namespace vimtal

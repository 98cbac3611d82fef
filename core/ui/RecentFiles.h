// "Ostatnio otwierane": the submenu of a module window's "Plik" menu listing
// the files of its kind opened or saved last (core/RecentList.h), newest
// first, kept per user between runs.
//
//   // in the constructor, once the "Plik" menu holds its own items:
//   recentFiles_ = new RecentFiles(file, Zapisz1, QStringLiteral("kan"),
//                                  [this](const QString& path) { Open(path); });
//   // wherever a file was opened or saved by path:
//   recentFiles_->Add(path);
//
// The submenu follows `after` (the window's last own item) after a
// separator, and a separator parts it from what comes next ("Zamknij"), so
// items added later before "Zamknij" stay below it. Each entry shows the
// file's name (its folder too where two names are alike), the full path as
// its tooltip; an empty list shows a disabled "(brak)". Choosing an entry
// opens the file through `open` under the guard; an entry whose file is gone
// is taken off the list with a message.
//
// The lists live in the user's settings (QSettings, organisation and
// application "Vimtal": ~/.config/Vimtal/Vimtal.conf), one per extension,
// read afresh whenever the submenu is shown, so that two running copies of
// the program do not undo each other's entries.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace vimtal {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<void(const QString& path)>;

    // `extension` ("cwu") names the list; the object belongs to `fileMenu`.
    RecentFiles(QMenu* fileMenu, QAction* after, const QString& extension, Opener open);

    // The file just opened or saved goes first.
    void Add(const QString& path);
    // The list as kept, newest first.
    QStringList Entries() const;
    // The submenu (objectName "Ostatniootwierane1").
    QMenu* Menu() const { return menu_; }

private:
    void Rebuild();
    void Choose(const QString& path);

    QMenu* menu_ = nullptr;
    QString extension_;
    Opener open_;
};

// The user's kept list of files with that extension, and storing it.
QStringList StoredRecentFiles(const QString& extension);
void StoreRecentFiles(const QString& extension, const QStringList& paths);

}  // namespace vimtal

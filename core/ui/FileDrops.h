// Files dropped on a window from the file manager.
//
// Only local files are taken (a drag of web addresses or of text is left to
// the controls, which take text as usual). A drag of files is the window's
// wherever it is dropped: the edits, which would otherwise write the files'
// addresses into themselves, hand it to the window. A window below a modal
// one refuses it, as it refuses every other input.
//
// The window's handler runs once the drop is over (queued), so that a
// message or a modal window it shows does not keep the file manager waiting
// for the drop to end; it runs under the guard.
//
//   // the launcher: any number of files
//   new FileDrops(this, FileDrops::Many, [this](const QStringList& paths) { ... });
//   // a module window: one file of its own kind, as "Otwórz" opens it
//   AcceptDroppedFiles(this, QStringLiteral("kan"), [this](const QString& path) { Open(path); });
#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace vimtal {

class Form;

// The local files a drag carries, as absolute paths; none when it carries
// anything else than local files.
QStringList LocalFiles(const QMimeData* data);

class FileDrops : public QObject {
    Q_OBJECT
public:
    enum Count { One, Many };
    using Handler = std::function<void(const QStringList& paths)>;

    // Belongs to `window`.
    FileDrops(QWidget* window, Count count, Handler dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hands the window every control in it that takes drops itself.
    void WatchControls();
    bool Takes(const QMimeData* data) const;

    QWidget* window_;
    Count count_;
    Handler dropped_;
    QSet<QObject*> watched_;
};

// A module window's drops: one file with the extension (compared without
// regard to case) opens through `open`, as "Otwórz" would open it; a file of
// another kind only gets a message.
FileDrops* AcceptDroppedFiles(Form* window, const QString& extension, std::function<void(const QString& path)> open);

}  // namespace vimtal

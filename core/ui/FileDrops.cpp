#include "FileDrops.h"

#include "Form.h"
#include "Guard.h"
#include "Platform.h"
#include "Text.h"
#include "core/Messages.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vimtal {

QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        paths << QFileInfo(url.toLocalFile()).absoluteFilePath();
    }
    return paths;
}

FileDrops::FileDrops(QWidget* window, Count count, Handler dropped)
    : QObject(window), window_(window), count_(count), dropped_(std::move(dropped)) {
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
    WatchControls();
}

void FileDrops::WatchControls() {
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        if (!control->acceptDrops() || watched_.contains(control)) continue;
        watched_.insert(control);
        control->installEventFilter(this);
        QObject::connect(control, &QObject::destroyed, this, [this, control] { watched_.remove(control); });
    }
}

bool FileDrops::Takes(const QMimeData* data) const {
    const QStringList paths = LocalFiles(data);
    if (paths.isEmpty() || (count_ == One && paths.size() != 1)) return false;
    // Input to a window below a modal one is refused.
    const std::vector<Form*>& modal = platform().ModalStack();
    return modal.empty() || modal.back() == window_;
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // Controls built after the window's drops were set up.
        if (watched == window_) WatchControls();
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!Takes(drag->mimeData())) return false;  // text and the like: the control's own business
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!Takes(drop->mimeData())) return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        const QStringList paths = LocalFiles(drop->mimeData());
        QMetaObject::invokeMethod(
            this, [this, paths] { Guarded([&] { dropped_(paths); }); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

FileDrops* AcceptDroppedFiles(Form* window, const QString& extension, std::function<void(const QString& path)> open) {
    return new FileDrops(window, FileDrops::One, [extension, open = std::move(open)](const QStringList& paths) {
        const QFileInfo file(paths.constFirst());
        if (file.suffix().compare(extension, Qt::CaseInsensitive) == 0) {
            open(file.absoluteFilePath());
            return;
        }
        platform().MessageBox(QStringLiteral("Pliku „%1” nie można otworzyć w tym oknie: otwiera ono tylko pliki .%2. "
                                             "Plik innego modułu upuść na okno główne Vimtal.")
                                  .arg(file.fileName(), extension),
                              FromStd(kInfoTitle));
    });
}

}  // namespace vimtal

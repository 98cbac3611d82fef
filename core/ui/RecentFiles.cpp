#include "RecentFiles.h"

#include "Guard.h"
#include "Platform.h"
#include "Text.h"
#include "core/Messages.h"
#include "core/RecentList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <string>
#include <vector>

namespace vimtal {

namespace {
const QString kOrganisation = QStringLiteral("Vimtal");
const QString kApplication = QStringLiteral("Vimtal");

QString KeyOf(const QString& extension) { return QStringLiteral("RecentFiles/") + extension; }

std::vector<std::string> ToList(const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& path : paths) list.push_back(ToStd(path));
    return list;
}

QStringList FromList(const std::vector<std::string>& list) {
    QStringList paths;
    for (const std::string& path : list) paths << FromStd(path);
    return paths;
}

// "&3 obieg.moh": the entry's number is its key in the open menu; an "&" of
// the name is shown as it is.
QString EntryText(int number, const std::string& label) {
    QString text = FromStd(label);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(text);
}
}  // namespace

QStringList StoredRecentFiles(const QString& extension) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    // Whatever the file holds, the menu offers a clean list.
    return FromList(recent::PutFirst(ToList(settings.value(KeyOf(extension)).toStringList()), {}));
}

void StoreRecentFiles(const QString& extension, const QStringList& paths) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    settings.setValue(KeyOf(extension), paths);
}

RecentFiles::RecentFiles(QMenu* fileMenu, QAction* after, const QString& extension, Opener open)
    : QObject(fileMenu), extension_(extension), open_(std::move(open)) {
    menu_ = new QMenu(QStringLiteral("Ostatnio otwierane"), fileMenu);
    menu_->setObjectName(QStringLiteral("Ostatniootwierane1"));
    // The item the submenu hangs on, found by the same name.
    menu_->menuAction()->setObjectName(QStringLiteral("Ostatniootwierane1"));
    menu_->setToolTipsVisible(true);

    // The entries exist once and are only rewritten: an entry chosen may
    // change the list while its own signal runs.
    auto* none = menu_->addAction(QStringLiteral("(brak)"));
    none->setObjectName(QStringLiteral("Brak1"));
    none->setEnabled(false);
    for (int number = 1; number <= static_cast<int>(recent::kLimit); ++number) {
        QAction* entry = menu_->addAction(QString());
        entry->setObjectName(QStringLiteral("Ostatni%1").arg(number));
        On(entry, &QAction::triggered, [this, entry] { Choose(entry->data().toString()); });
    }
    QObject::connect(menu_, &QMenu::aboutToShow, this, [this] { Rebuild(); });
    Rebuild();

    // ..., `after`, separator, the submenu, separator, what followed `after`.
    const QList<QAction*> items = fileMenu->actions();
    const qsizetype at = items.indexOf(after);
    QAction* next = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    fileMenu->insertSeparator(next);
    fileMenu->insertMenu(next, menu_);
    if (next && !next->isSeparator()) fileMenu->insertSeparator(next);
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    StoreRecentFiles(extension_, FromList(recent::PutFirst(ToList(StoredRecentFiles(extension_)), ToStd(absolute))));
    Rebuild();
}

QStringList RecentFiles::Entries() const { return StoredRecentFiles(extension_); }

void RecentFiles::Rebuild() {
    const QStringList paths = Entries();
    const std::vector<std::string> labels = recent::Labels(ToList(paths), ToStd(QDir::homePath()));
    const QList<QAction*> actions = menu_->actions();  // "(brak)", then the entries
    actions[0]->setVisible(paths.isEmpty());
    for (qsizetype i = 1; i < actions.size(); ++i) {
        QAction* entry = actions[i];
        const qsizetype index = i - 1;
        const bool used = index < paths.size();
        entry->setVisible(used);
        entry->setEnabled(used);
        entry->setText(used ? EntryText(static_cast<int>(i), labels[static_cast<std::size_t>(index)]) : QString());
        entry->setToolTip(used ? QDir::toNativeSeparators(paths[index]) : QString());
        entry->setStatusTip(entry->toolTip());
        entry->setData(used ? paths[index] : QString());
    }
}

void RecentFiles::Choose(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        StoreRecentFiles(extension_, FromList(recent::Remove(ToList(StoredRecentFiles(extension_)), ToStd(path))));
        Rebuild();
        platform().MessageBox(QStringLiteral("Plik „%1” już nie istnieje i został usunięty z listy ostatnio otwieranych.")
                                  .arg(QDir::toNativeSeparators(path)),
                              FromStd(kInfoTitle));
        return;
    }
    open_(path);
}

}  // namespace vimtal

#include "AppHarness.h"

#include "app/Forms.h"
#include "app/StartupFiles.h"
#include "core/Numbers.h"
#include "core/ui/Platform.h"
#include "core/testing/TempFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSettings>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace vimtal {

namespace {
// QTest's key events reach a widget only when it belongs to a visible
// window; the offscreen platform has no focus rules to get in the way.
void EnsureShown(QWidget* control) {
    if (!control->window()->isVisible()) control->window()->show();
}
}  // namespace

AppHarness::AppHarness(char separator) {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings_.QtPath());
    }
    SetDecimalSeparator(separator);
    fake_.currentDirectory = QDir::currentPath();
    SetPlatform(&fake_);
    windows_ = CreateForms();
    Form& launcher = *windows_.front();
    launcher.show();
    launcher.Activate();
}

AppHarness::~AppHarness() {
    DestroyForms();
    SetPlatform(nullptr);
    SetDecimalSeparator(',');
}

AmbientAir& AppHarness::Air() { return ProgramAmbientAir(); }

void AppHarness::Fail(const QString& what) {
    ADD_FAILURE() << what.toStdString();
    throw std::runtime_error(what.toStdString());
}

Form* AppHarness::FindWindow(const QString& className) const {
    for (Form* form : windows_) {
        if (form->objectName() == className) return form;
    }
    return nullptr;
}

Form* AppHarness::Window(const QString& className) {
    Form* form = FindWindow(className);
    if (!form) Fail("no window " + className);
    return form;
}

QString AppHarness::Text(const QString& className, const QString& name) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    if (!control) Fail("window " + className + " has no control " + name);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) return memo->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(control)) return rich->toPlainText();
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
    if (auto* action = qobject_cast<QAction*>(control)) return action->text();
    Fail(name + " has no text");
}

void AppHarness::SetText(const QString& className, const QString& name, const QString& text) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    Fail("window " + className + " has no edit " + name);
}

void AppHarness::Type(const QString& className, const QString& name, const QString& text) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    QWidget* target = nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->clear();
        target = edit;
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->clearEditText();
        target = combo->lineEdit();
    } else {
        Fail("window " + className + " has no edit " + name);
    }
    EnsureShown(target);
    QTest::keyClicks(target, text);
}

void AppHarness::Click(const QString& className, const QString& name) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    if (auto* action = qobject_cast<QAction*>(control)) {
        if (!action->isEnabled()) Fail("menu item " + name + " is disabled");
        action->trigger();
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (!button->isEnabled()) Fail("button " + name + " is disabled");
        button->click();
        return;
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        EnsureShown(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
        return;
    }
    Fail("window " + className + " has no control " + name);
}

std::vector<QRect> AppHarness::Placement(const QString& className) {
    std::vector<QRect> places;
    for (QWidget* w : Window(className)->findChildren<QWidget*>()) {
        if (w->objectName() != QStringLiteral("LabelUwagi")) places.push_back(w->geometry());
    }
    return places;
}

QByteArray AppHarness::SaveReport(const QString& className) {
    vimtal::testing::TempFolder folder;
    const QString path = folder.QtFile(QStringLiteral("raport.pdf"));
    fake_.saveAnswers.push_back(path);
    Click(className, QStringLiteral("ZapiszraportPDF1"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = file.readAll();
    // With VIMTAL_KEEP_REPORTS set, each report is kept there as
    // <window>.pdf for a person to look at.
    const QString keep = qEnvironmentVariable("VIMTAL_KEEP_REPORTS");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        QFile copy(keep + QStringLiteral("/") + className + QStringLiteral(".pdf"));
        if (copy.open(QIODevice::WriteOnly)) copy.write(pdf);
    }
    return pdf;
}

void AppHarness::DoubleClick(const QString& className, const QString& name, int row) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        if (row < 0 || row >= list->count()) Fail(name + " has no row " + QString::number(row));
        list->setCurrentRow(row);
        EnsureShown(list);
        const QRect area = list->visualItemRect(list->item(row));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, area.center());
        return;
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        EnsureShown(widget);
        QTest::mouseDClick(widget, Qt::LeftButton);
        return;
    }
    Fail("window " + className + " has no control " + name);
}

void AppHarness::Select(const QString& className, const QString& name, int index) {
    QObject* control = Window(className)->findChild<QObject*>(name);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (index < 0 || index >= combo->count()) Fail(name + " has no item " + QString::number(index));
        combo->setCurrentIndex(index);
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        if (index < -1 || index >= list->count()) Fail(name + " has no row " + QString::number(index));
        list->setCurrentRow(index);
        return;
    }
    Fail("window " + className + " has no combo box or list " + name);
}

void AppHarness::MouseMove(const QString& className, const QString& name) {
    Form* form = Window(className);
    QWidget* target = form->Client();
    if (!name.isEmpty()) {
        target = form->findChild<QWidget*>(name);
        if (!target) Fail("window " + className + " has no control " + name);
    }
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

void AppHarness::ShowMenu(const QString& className, const QString& menuName) {
    auto* menu = Control<QMenu>(className, menuName);
    menu->popup(Window(className)->mapToGlobal(QPoint(0, 0)));
    menu->hide();
}

void AppHarness::OpenFromCommandLine(const QStringList& names) {
    std::vector<std::string> given;
    for (const QString& name : names) given.push_back(name.toStdString());
    OpenStartupFiles(ResolveStartupFiles(given, QDir::currentPath().toStdString()));
    RunQueued();
}

bool AppHarness::Drop(const QString& className, const QString& name, const QMimeData& data) {
    QWidget* target = name.isEmpty() ? Window(className) : Control<QWidget>(className, name);
    EnsureShown(target);
    while (target && !target->acceptDrops()) target = target->parentWidget();
    if (!target) return false;
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(target, &drop);
    RunQueued();
    return drop.isAccepted();
}

bool AppHarness::DropUrls(const QString& className, const QString& name, const QList<QUrl>& urls) {
    // As file managers drag files: the addresses, and the same as text,
    // which an edit would take.
    QMimeData data;
    data.setUrls(urls);
    QStringList lines;
    for (const QUrl& url : urls) lines << url.toString();
    data.setText(lines.join(QLatin1Char('\n')));
    return Drop(className, name, data);
}

void AppHarness::RunQueued() {
    // A queued call may queue the next one (a drop starts an opening, which
    // opens its file once the module is shown).
    for (int round = 0; round < 4; ++round) QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void AppHarness::Close(const QString& className) { Window(className)->close(); }

bool AppHarness::IsVisible(const QString& className) { return Window(className)->isVisible(); }

QStringList AppHarness::Shown() const {
    QStringList shown;
    for (const QString& name : fake_.shownWindows) shown << name;
    return shown;
}

QStringList AppHarness::Messages() const {
    QStringList texts;
    for (const auto& m : fake_.messages) texts << m.text;
    return texts;
}

QString AppHarness::LastMessage() const { return fake_.messages.empty() ? QString() : fake_.messages.back().text; }

QString AppHarness::LastError() const {
    for (auto it = fake_.messages.rbegin(); it != fake_.messages.rend(); ++it) {
        if (it->error) return it->text;
    }
    return {};
}

int AppHarness::ErrorCount() const {
    int count = 0;
    for (const auto& m : fake_.messages) count += m.error ? 1 : 0;
    return count;
}

QImage AppHarness::Grab(const QString& className, const QString& name) {
    Form* form = Window(className);
    QWidget* target = form;
    if (!name.isEmpty()) {
        target = form->findChild<QWidget*>(name);
        if (!target) Fail("window " + className + " has no control " + name);
    }
    const bool wasVisible = form->isVisible();
    if (!wasVisible) form->show();
    QApplication::processEvents();
    QImage image = target->grab().toImage();
    if (!wasVisible) form->hide();
    return image;
}

}  // namespace vimtal

#include "QtPlatform.h"

#include "Form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPushButton>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QUrl>

namespace vimtal {

namespace {
QWidget* ActiveParent() { return QApplication::activeWindow(); }

std::optional<QString> RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    const QString previousDirectory = QDir::currentPath();
    QFileDialog dialog(ActiveParent(), options.title, options.initialDirectory, options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && options.mustExist ? QFileDialog::ExistingFile
                                                                            : QFileDialog::AnyFile);
    if (!options.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(options.defaultSuffix);
        // With several filters ("PNG;;SVG"), a name typed without an
        // extension takes the one of the filter chosen.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            static const QRegularExpression kExtension(QStringLiteral("\\*\\.(\\w+)"));
            const QRegularExpressionMatch match = kExtension.match(filter);
            if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
        });
    }
    if (!options.fileName.isEmpty()) dialog.selectFile(options.fileName);
    if (mode == QFileDialog::AcceptSave && !options.overwritePrompt) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (options.keepCurrentDirectory) QDir::setCurrent(previousDirectory);
    if (!accepted) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
}  // namespace

void QtPlatform::MessageBox(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, ActiveParent());
    box.exec();
}

void QtPlatform::ErrorBox(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, ActiveParent());
    box.exec();
}

SaveAnswer QtPlatform::AskToSave(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, ActiveParent());
    QPushButton* save = box.addButton(QStringLiteral("Zapisz"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Nie zapisuj"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

std::optional<QString> QtPlatform::OpenFileDialog(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPlatform::SaveFileDialog(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

bool QtPlatform::Print(const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.documentName);
    // The dialog opens on the sheet the reports are laid out for.
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                      QPageLayout::Millimeter));
    QPrintDialog dialog(&printer, ActiveParent());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    int first = 0, last = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage();
        last = printer.toPage();
    }
    job.render(printer, first, last);
    return true;
}

void QtPlatform::ShellOpen(const QString& target) {
    QUrl url;
    if (target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"))) {
        url = QUrl(target);
    } else {
        url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(target));
    }
    QDesktopServices::openUrl(url);  // the result is ignored, as on every desktop
}

QString QtPlatform::CurrentDirectory() { return QDir::currentPath(); }

void QtPlatform::Present(Form* form) {
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    form->raise();
    form->activateWindow();
}

void QtPlatform::WaitUntilClosed(Form* form) {
    QPointer<Form> guard(form);
    if (!form->isVisible()) return;
    QEventLoop loop;
    QObject::connect(form, &Form::Closed, &loop, &QEventLoop::quit);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
}

void QtPlatform::Reactivate(Form* form) {
    form->raise();
    form->activateWindow();
}

}  // namespace vimtal

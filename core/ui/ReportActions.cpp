#include "ReportActions.h"

#include "Form.h"
#include "Guard.h"
#include "LongRun.h"
#include "Platform.h"
#include "Text.h"
#include "WaitCursor.h"
#include "core/Files.h"

#include <QAction>
#include <QBuffer>
#include <QMenu>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace vimtal {

namespace {
QAction* NewReportAction(QObject* parent, const QString& name, const QString& caption, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

// Draws the report on a worker thread, its charts' model runs reporting to
// the progress dialog: false after "Anuluj".
bool DrawOnWorker(QWidget* owner, const std::function<void()>& draw) {
    RunControl control;
    return RunWithProgress(owner, control, [&] {
        const CurrentRunScope scope(control);
        draw();
    });
}
}  // namespace

ReportActions AddReportActions(Form* form, QMenu* fileMenu, QAction* closeAction, const QString& pdfName,
                               ReportBuilder build, ReportRenderOptions options) {
    ReportActions actions;
    QObject* owner = fileMenu ? static_cast<QObject*>(fileMenu) : static_cast<QObject*>(form);
    actions.print = NewReportAction(owner, QStringLiteral("Drukuj1"), QStringLiteral("Drukuj..."),
                                    QKeySequence(QStringLiteral("Ctrl+P")));
    actions.savePdf = NewReportAction(owner, QStringLiteral("ZapiszraportPDF1"), QStringLiteral("Zapisz raport PDF..."), {});

    if (fileMenu) {
        // ..., separator, the two items, separator, "Zamknij".
        const QList<QAction*> items = fileMenu->actions();
        const qsizetype at = closeAction ? items.indexOf(closeAction) : -1;
        QAction* before = at >= 0 ? closeAction : nullptr;
        // The item the two follow: the one above "Zamknij", or the last.
        const QAction* above = at > 0 ? items[at - 1] : (at < 0 && !items.isEmpty() ? items.last() : nullptr);
        if (above && !above->isSeparator()) fileMenu->insertSeparator(before);
        fileMenu->insertAction(before, actions.print);
        fileMenu->insertAction(before, actions.savePdf);
        if (before) fileMenu->insertSeparator(before);
    } else {
        // The shortcuts work anywhere in the window; a right click on the
        // window (not on an edit, which has its own menu) shows both.
        form->addAction(actions.print);
        form->addAction(actions.savePdf);
        actions.contextMenu = new QMenu(form);
        actions.contextMenu->setObjectName(QStringLiteral("PopupMenu1"));
        actions.contextMenu->addAction(actions.print);
        actions.contextMenu->addAction(actions.savePdf);
        form->setContextMenuPolicy(Qt::CustomContextMenu);
        QMenu* menu = actions.contextMenu;
        QObject::connect(form, &QWidget::customContextMenuRequested, menu,
                         [form, menu](const QPoint& at) { menu->popup(form->mapToGlobal(at)); });
    }

    On(actions.print, &QAction::triggered, [build, form, options] { PrintReport(build, form, options); });
    On(actions.savePdf, &QAction::triggered,
       [build, pdfName, form, options] { SaveReportPdfAs(build, pdfName, form, options); });
    return actions;
}

void PrintReport(const ReportBuilder& build, QWidget* owner, const ReportRenderOptions& options) {
    const Report report = build();
    PrintJob job;
    job.documentName = FromStd(report.document.Caption());
    job.render = [&report, owner, options](QPagedPaintDevice& printer, int firstPage, int lastPage) {
        ReportRenderOptions pages = options;
        pages.firstPage = firstPage;
        pages.lastPage = lastPage;
        // The trial: the same pages at the printer's resolution, so that
        // every chart computes at the size the printer needs.
        const int dotsPerInch = printer.logicalDpiX();
        const bool drawn = DrawOnWorker(owner, [&] {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter trial(&buffer);
            trial.setResolution(dotsPerInch);
            RenderReport(report, trial, pages);
        });
        if (!drawn) return;
        WaitCursor busy;
        RenderReport(report, printer, pages);
    };
    platform().Print(job);
}

void SaveReportPdfAs(const ReportBuilder& build, const QString& pdfName, QWidget* owner,
                     const ReportRenderOptions& options) {
    const std::optional<QString> path =
        platform().SaveFileDialog(platform().SaveRecordDialog(kPdfFilter, QStringLiteral("pdf"), pdfName));
    if (!path || path->isEmpty()) return;
    const Report report = build();
    QByteArray pdf;
    if (!DrawOnWorker(owner, [&] { pdf = ReportPdf(report, options); })) return;
    WriteFileAtomically(ToStd(*path), Bytes(pdf.begin(), pdf.end()));
}

}  // namespace vimtal

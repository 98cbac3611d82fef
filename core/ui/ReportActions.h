// "Drukuj..." and "Zapisz raport PDF..." of a module window.
//
// A window with a "Plik" menu gets both items in it before "Zamknij", after a
// separator (the existing items keep their order). A window without one keeps
// its menu bar and client size: the items are in its context menu (a right
// click on the window) and work by their shortcuts. Each item asks the window
// for its report when chosen, so the report shows the window as it is.
//
//   // in the constructor, after the "Plik" menu is built:
//   AddReportActions(this, file, Zamknij1, QStringLiteral("symulacja_cwu.pdf"),
//                    [this] { return BuildReport(); });
//   // a window without a "Plik" menu:
//   AddReportActions(this, nullptr, nullptr, QStringLiteral("dobor_kryzy.pdf"),
//                    [this] { return BuildReport(); });
//
// Printing goes through the platform's print dialog; the PDF through its
// save dialog (filter "Dokument PDF (*.pdf)", the preset name, the start
// folder) and is written the safe way. Errors end in the "VIMTAL" error box.
//
// A report's charts may run a simulation (two runs of up to a hundred
// million steps), so the sheet is drawn on a worker thread, with the wait
// cursor and, when it takes a while, the progress dialog with "Anuluj" over
// the window (core/ui/LongRun.h); the charts' model runs report to the
// control that CurrentRunControl() gives them there. "Anuluj" writes no file
// and prints nothing. A printer is drawn on by the window's thread: the
// sheet is first drawn on the worker at the printer's resolution, and the
// charts keep what they computed for the same size, so the printer gets the
// sheet without running a model again.
#pragma once

#include "ReportRenderer.h"

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace vimtal {

class Form;

inline const QString kPdfFilter = QStringLiteral("Dokument PDF (*.pdf)");

using ReportBuilder = std::function<Report()>;

struct ReportActions {
    QAction* print = nullptr;    // "Drukuj..." (Drukuj1), Ctrl+P
    QAction* savePdf = nullptr;  // "Zapisz raport PDF..." (ZapiszraportPDF1)
    QMenu* contextMenu = nullptr;  // PopupMenu1 of a window without "Plik"; null otherwise
};

// Adds both items to the window's "Plik" menu before `closeAction` ("Zamknij";
// at the end when null), or, when `fileMenu` is null, to a context menu of
// the window. `options` are those of every report the items draw (the clock
// of their headers, the logo).
ReportActions AddReportActions(Form* form, QMenu* fileMenu, QAction* closeAction, const QString& pdfName,
                               ReportBuilder build, ReportRenderOptions options = {});

// The two handlers themselves (they raise errors; the items run them under
// the guard). PrintReport shows the print dialog and prints the pages it
// asks for; SaveReportPdfAs shows the save dialog with `pdfName` preset and
// writes the file. The progress dialog stands over `owner`.
void PrintReport(const ReportBuilder& build, QWidget* owner = nullptr, const ReportRenderOptions& options = {});
void SaveReportPdfAs(const ReportBuilder& build, const QString& pdfName, QWidget* owner = nullptr,
                     const ReportRenderOptions& options = {});

}  // namespace vimtal

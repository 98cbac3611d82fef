// The platform layer: everything the program asks of the operating system.
//
// Message boxes, the "VIMTAL" error box, file dialogs, the print dialog,
// shell open, modal showing of a window and the current directory all go
// through platform().
// The real program installs QtPlatform; tests install FakePlatform
// (core/ui/testing), which records every request and never blocks.
#pragma once

#include "core/Messages.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace vimtal {

class Form;

struct FileDialogOptions {
    QString title;             // empty: the platform's own title
    QString initialDirectory;  // the folder the dialog opens in
    QString filter;            // e.g. "Pliki Symulacji cwu (*.cwu)"; entries apart by ";;"
    QString defaultSuffix;     // appended when the typed name has none, e.g. "cwu"; with several
                               // filters, that of the filter chosen
    QString fileName;          // preset name
    bool mustExist = false;    // the chosen file must already exist (open)
    bool overwritePrompt = true;        // ask before replacing a file (save)
    bool keepCurrentDirectory = true;   // the dialog must not change the current directory
};

// A document to print: its name in the printer's queue and the drawing of
// its pages on the printer the user chose. `render` draws pages firstPage to
// lastPage (counted from 1; 0 and 0 for every page) and raises an error when
// it cannot.
struct PrintJob {
    QString documentName;
    std::function<void(QPagedPaintDevice& printer, int firstPage, int lastPage)> render;
};

// The answers to "save the changes before ...?".
enum class SaveAnswer { Save, Discard, Cancel };

class Platform {
public:
    virtual ~Platform() = default;

    // A message with one OK button.
    virtual void MessageBox(const QString& text, const QString& title) = 0;
    // The framework's error box: title "VIMTAL", error icon, one OK button.
    virtual void ErrorBox(const QString& text) = 0;
    // A question about unsaved work, with the buttons "Zapisz", "Nie zapisuj"
    // and "Anuluj" (the default and the close box: "Anuluj").
    virtual SaveAnswer AskToSave(const QString& text, const QString& title) = 0;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> OpenFileDialog(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> SaveFileDialog(const FileDialogOptions& options) = 0;
    // The print dialog; when the user confirms it, the job is printed on the
    // printer chosen. False when the user cancelled.
    virtual bool Print(const PrintJob& job) = 0;
    // Hands a web address, a "mailto:" address or a document file to the
    // desktop; the result is ignored.
    virtual void ShellOpen(const QString& target) = 0;
    virtual QString CurrentDirectory() = 0;

    // Shows the pre-created window modally above the current one and returns
    // its modal result when it closes. The window is activated when shown;
    // when it closes, the window below it is activated again.
    int ShowModal(Form* form);

    // The launcher: the window below every modal window.
    void SetMainForm(Form* form) { mainForm_ = form; }
    Form* MainForm() const { return mainForm_; }
    // Windows shown modally and not yet closed, bottom first.
    const std::vector<Form*>& ModalStack() const { return modalStack_; }
    // Forgets the modal windows (used when the windows are destroyed).
    void ResetModalState();

    // The folder the program works in, taken by the launcher at each of its
    // activations: the initial folder of every file dialog and the folder
    // whose calc/ subfolder holds the fitting pictures. Empty until then.
    const QString& StartDirectory() const { return startDirectory_; }
    void SetStartDirectory(const QString& folder) { startDirectory_ = folder; }

    // The dialogs of the record files: one filter entry and its default
    // extension, opening in the start folder and leaving the current
    // directory unchanged. Opening accepts only an existing file and presets
    // the name to "*.<extension>"; saving accepts a new name (preset
    // `fileName`) and asks before replacing a file.
    FileDialogOptions OpenRecordDialog(const QString& filter, const QString& extension) const;
    FileDialogOptions SaveRecordDialog(const QString& filter, const QString& extension,
                                       const QString& fileName = {}) const;

protected:
    // Makes the window visible and active.
    virtual void Present(Form* form) = 0;
    // Returns when the window has closed (the real platform runs a nested
    // event loop; the fake returns at once).
    virtual void WaitUntilClosed(Form* form) = 0;
    // Gives the window below the focus back when a modal window closes.
    virtual void Reactivate(Form* /*form*/) {}

private:
    void OnClosed(Form* form);

    Form* mainForm_ = nullptr;
    QString startDirectory_;
    std::vector<Form*> modalStack_;
    std::vector<Form*> watched_;
};

// The installed platform (the caller keeps ownership).
Platform& platform();
void SetPlatform(Platform* platform);

// Model messages shown through the platform's message box.
class PlatformMessages : public MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& title) override;
};

}  // namespace vimtal

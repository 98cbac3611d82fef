// The recording platform of the tests: nothing ever blocks.
//
// Every message, error box, shell open and modally shown window is recorded;
// file dialogs are answered from scripted answers (cancel when none is left).
// The print dialog too: a confirmed job is printed into a PDF kept in
// `printed`, so a test reads what the printer would have received.
// Showing a window modally shows and activates it and returns at once with
// mrNone; closing it activates the window below again, as in the real
// program.
#pragma once

#include "core/ui/Platform.h"

#include <QByteArray>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace vimtal {

class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        QString title;  // "VIMTAL" for the error box
        bool error = false;
    };

    void MessageBox(const QString& text, const QString& title) override;
    void ErrorBox(const QString& text) override;
    SaveAnswer AskToSave(const QString& text, const QString& title) override;
    std::optional<QString> OpenFileDialog(const FileDialogOptions& options) override;
    std::optional<QString> SaveFileDialog(const FileDialogOptions& options) override;
    bool Print(const PrintJob& job) override;
    void ShellOpen(const QString& target) override;
    QString CurrentDirectory() override { return currentDirectory; }

    // What happened, in order.
    std::vector<Message> messages;
    std::vector<QString> shownWindows;  // class names of the windows shown modally
    std::vector<QString> shellOpened;
    std::vector<FileDialogOptions> openRequests;
    std::vector<FileDialogOptions> saveRequests;
    std::vector<QString> printRequests;  // document names, one per print dialog
    std::vector<QByteArray> printed;     // the PDF of each confirmed job

    // Scripted answers: a path, or std::nullopt for "Cancel".
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // true: the user confirms the print dialog; false or none left: cancels.
    std::deque<bool> printAnswers;
    // The questions about unsaved work, each also recorded in `messages`, and
    // their scripted answers ("Anuluj" when none is left).
    std::vector<QString> saveQuestions;
    std::deque<SaveAnswer> saveQuestionAnswers;

    QString currentDirectory;

    // Called with each message as it is shown (for tests that react to a box).
    std::function<void(const Message&)> onMessage;

    void Clear();

protected:
    void Present(Form* form) override;
    void WaitUntilClosed(Form*) override {}
};

}  // namespace vimtal

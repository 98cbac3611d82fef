#include "FakePlatform.h"

#include "core/ui/Form.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>

namespace vimtal {

namespace {
std::optional<QString> TakeAnswer(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;  // no script left: the user cancels
    const bool cancelled = !answers.front().has_value();
    const QString path = cancelled ? QString() : *answers.front();
    answers.pop_front();
    if (cancelled) return std::nullopt;
    return path;
}
}  // namespace

void FakePlatform::MessageBox(const QString& text, const QString& title) {
    messages.push_back({text, title, false});
    if (onMessage) onMessage(messages.back());
}

void FakePlatform::ErrorBox(const QString& text) {
    messages.push_back({text, QApplication::applicationName(), true});
    if (onMessage) onMessage(messages.back());
}

SaveAnswer FakePlatform::AskToSave(const QString& text, const QString& title) {
    saveQuestions.push_back(text);
    messages.push_back({text, title, false});
    if (onMessage) onMessage(messages.back());
    if (saveQuestionAnswers.empty()) return SaveAnswer::Cancel;
    const SaveAnswer answer = saveQuestionAnswers.front();
    saveQuestionAnswers.pop_front();
    return answer;
}

std::optional<QString> FakePlatform::OpenFileDialog(const FileDialogOptions& options) {
    openRequests.push_back(options);
    return TakeAnswer(openAnswers);
}

std::optional<QString> FakePlatform::SaveFileDialog(const FileDialogOptions& options) {
    saveRequests.push_back(options);
    return TakeAnswer(saveAnswers);
}

bool FakePlatform::Print(const PrintJob& job) {
    printRequests.push_back(job.documentName);
    const bool confirmed = !printAnswers.empty() && printAnswers.front();
    if (!printAnswers.empty()) printAnswers.pop_front();
    if (!confirmed) return false;
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter printer(&buffer);
        printer.setResolution(600);  // a common printer's
        job.render(printer, 0, 0);
    }
    printed.push_back(pdf);
    return true;
}

void FakePlatform::ShellOpen(const QString& target) { shellOpened.push_back(target); }

void FakePlatform::Clear() {
    messages.clear();
    shownWindows.clear();
    shellOpened.clear();
    openRequests.clear();
    saveRequests.clear();
    printRequests.clear();
    printed.clear();
    saveQuestions.clear();
}

void FakePlatform::Present(Form* form) {
    shownWindows.push_back(form->objectName());
    form->show();
}

}  // namespace vimtal

#include "FakePlatform.h"

#include "core/ui/Form.h"

#include <QApplication>

namespace vimtal {

void FakePlatform::MessageBox(const QString& text, const QString& title) {
    messages.push_back({text, title, false});
    if (onMessage) onMessage(messages.back());
}

void FakePlatform::ErrorBox(const QString& text) {
    messages.push_back({text, QApplication::applicationName(), true});
    if (onMessage) onMessage(messages.back());
}

std::optional<QString> FakePlatform::OpenFileDialog(const FileDialogOptions& options) {
    openRequests.push_back(options);
    if (openAnswers.empty()) return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> FakePlatform::SaveFileDialog(const FileDialogOptions& options) {
    saveRequests.push_back(options);
    if (saveAnswers.empty()) return std::nullopt;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void FakePlatform::ShellOpen(const QString& target) { shellOpened.push_back(target); }

void FakePlatform::Clear() {
    messages.clear();
    shownWindows.clear();
    shellOpened.clear();
    openRequests.clear();
    saveRequests.clear();
}

void FakePlatform::Present(Form* form) {
    shownWindows.push_back(form->objectName());
    form->show();
}

}  // namespace vimtal

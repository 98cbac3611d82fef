// The platform layer of the real program, on Qt.
#pragma once

#include "Platform.h"

namespace vimtal {

class QtPlatform : public Platform {
public:
    void MessageBox(const QString& text, const QString& title) override;
    void ErrorBox(const QString& text) override;
    SaveAnswer AskToSave(const QString& text, const QString& title) override;
    std::optional<QString> OpenFileDialog(const FileDialogOptions& options) override;
    std::optional<QString> SaveFileDialog(const FileDialogOptions& options) override;
    bool Print(const PrintJob& job) override;
    void ShellOpen(const QString& target) override;
    QString CurrentDirectory() override;

protected:
    void Present(Form* form) override;
    void WaitUntilClosed(Form* form) override;
    void Reactivate(Form* form) override;
};

}  // namespace vimtal

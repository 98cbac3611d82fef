#include "Platform.h"

#include "Form.h"
#include "Text.h"
#include "WindowLink.h"

#include <algorithm>
#include <stdexcept>

namespace vimtal {

namespace {
Platform* installed = nullptr;
}

Platform& platform() {
    if (!installed) throw std::logic_error("no platform installed");
    return *installed;
}

void SetPlatform(Platform* platform) { installed = platform; }

int Platform::ShowModal(Form* form) {
    if (std::find(watched_.begin(), watched_.end(), form) == watched_.end()) {
        watched_.push_back(form);
        QObject::connect(form, &Form::Closed, form, [this, form] { OnClosed(form); });
        QObject::connect(form, &QObject::destroyed, [this, form] {
            watched_.erase(std::remove(watched_.begin(), watched_.end(), form), watched_.end());
            modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), form), modalStack_.end());
        });
    }
    form->ClearModalResult();
    modalStack_.push_back(form);
    Present(form);
    form->Activate();
    WaitUntilClosed(form);
    return form->ModalResult();
}

void Platform::OnClosed(Form* form) {
    const auto it = std::find(modalStack_.begin(), modalStack_.end(), form);
    if (it == modalStack_.end()) return;  // not shown modally (the launcher itself)
    modalStack_.erase(it, modalStack_.end());
    Form* below = modalStack_.empty() ? mainForm_ : modalStack_.back();
    if (below) {
        Reactivate(below);
        below->Activate();
    }
}

void Platform::ResetModalState() {
    modalStack_.clear();
    mainForm_ = nullptr;
}

FileDialogOptions Platform::OpenRecordDialog(const QString& filter, const QString& extension) const {
    FileDialogOptions options;
    options.initialDirectory = startDirectory_;
    options.filter = filter;
    options.defaultSuffix = extension;
    options.fileName = QStringLiteral("*.") + extension;
    options.mustExist = true;
    options.overwritePrompt = false;
    options.keepCurrentDirectory = true;
    return options;
}

FileDialogOptions Platform::SaveRecordDialog(const QString& filter, const QString& extension,
                                             const QString& fileName) const {
    FileDialogOptions options;
    options.initialDirectory = startDirectory_;
    options.filter = filter;
    options.defaultSuffix = extension;
    options.fileName = fileName;
    options.mustExist = false;  // a new name is welcome
    options.overwritePrompt = true;
    options.keepCurrentDirectory = true;
    return options;
}

int FormLink::ShowModal() const { return platform().ShowModal(&GetForm()); }

void PlatformMessages::ShowMessage(const std::string& text, const std::string& title) {
    platform().MessageBox(FromStd(text), FromStd(title));
}

}  // namespace vimtal

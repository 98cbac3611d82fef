#include "FormRegistry.h"

#include "Form.h"

#include <QLineEdit>

#include <algorithm>

namespace vimtal {

namespace {
std::vector<Form*>& Forms() {
    static std::vector<Form*> forms;
    return forms;
}
}  // namespace

void RegisterForm(Form* form) {
    auto& forms = Forms();
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
}

void UnregisterAllForms() { Forms().clear(); }

const std::vector<Form*>& RegisteredForms() { return Forms(); }

Form* FindForm(const QString& className) {
    for (Form* form : Forms()) {
        if (form->objectName() == className) return form;
    }
    return nullptr;
}

QLineEdit* FormEdit(const QString& className, const QString& control) {
    Form* form = FindForm(className);
    if (!form) throw std::logic_error("window " + className.toStdString() + " does not exist");
    auto* edit = form->findChild<QLineEdit*>(control);
    if (!edit) throw std::logic_error("window " + className.toStdString() + " has no " + control.toStdString());
    return edit;
}

}  // namespace vimtal

#include "FormRegistry.h"

#include "Form.h"


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

}  // namespace vimtal

// The windows of the program in their creation order, found by class name:
// for the test harness and the screenshots. Windows never look each other up
// here; start-up hands each window what it uses (core/ui/WindowLink.h).
#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

namespace vimtal {

class Form;

void RegisterForm(Form* form);
void UnregisterAllForms();
const std::vector<Form*>& RegisteredForms();

// The window whose objectName is `className` ("TForm2"), or nullptr.
Form* FindForm(const QString& className);

template <typename T>
T* FindFormAs(const QString& className) {
    return dynamic_cast<T*>(FindForm(className));
}

}  // namespace vimtal

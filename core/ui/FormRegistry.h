// The windows of the program in their creation order, found by class name.
//
// Modules that read or write another module's window (the orifice sizing
// reads the settings window's density display, the tank sizing fills the
// charging simulation) find it here rather than holding a pointer to a class
// of another folder.
#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

class QLineEdit;

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

// The edit `control` of window `className`; throws std::logic_error when
// either does not exist (a programming error, shown in the error box).
QLineEdit* FormEdit(const QString& className, const QString& control);

}  // namespace vimtal

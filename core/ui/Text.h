// Moving text between Qt controls and the plain C++ models (UTF-8).
#pragma once

#include <QString>

#include <string>

namespace vimtal {

inline std::string ToStd(const QString& text) { return text.toStdString(); }
inline QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace vimtal

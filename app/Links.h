// The maker's web page and contact address, opened by the shell from the
// launcher's logo and menu and from the About window.
#pragma once

#include <QString>

namespace vimtal {

inline const QString kWebPage = QStringLiteral("https://www.vimtal.pl/");
inline const QString kContactMail = QStringLiteral("kontakt@vimtal.pl");

}  // namespace vimtal

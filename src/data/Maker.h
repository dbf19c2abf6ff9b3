#pragma once
// The maker of Tassella as the program names it in its windows, links and PDF files.

#include <QString>

namespace Maker {
inline const QString name = QStringLiteral("Officina Tessera");
inline const QString webAddress = QStringLiteral("www.officinatessera.example");
inline const QString webUrl = QStringLiteral("https://www.officinatessera.example");
inline const QString supportMail = QStringLiteral("assistenza@officinatessera.example");
} // namespace Maker

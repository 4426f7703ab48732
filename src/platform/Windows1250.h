#pragma once
// The code page at the engine boundary: every text goes to the database files and comes back
// as Windows-1250 bytes, because the stored files and the manufacturer's order files rely on it.

#include <QByteArray>
#include <QString>

#include <optional>

namespace tvr
{

// The bytes of text in Windows-1250; a character the code page cannot hold becomes '?'.
QByteArray ToWindows1250Lossy(const QString &text);
// The first character (as a string: it may be a surrogate pair) that Windows-1250 cannot hold.
std::optional<QString> FirstCharacterOutsideWindows1250(const QString &text);
QString FromWindows1250(const char *bytes, qsizetype length);
inline QString FromWindows1250(const QByteArray &bytes)
{
    return FromWindows1250(bytes.constData(), bytes.size());
}

} // namespace tvr

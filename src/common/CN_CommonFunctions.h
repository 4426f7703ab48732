#pragma once
// Text and file operations shared by every screen.

#include <QString>

namespace tvr
{

// The first from character replaced by to.
QString ReplaceFirst(const QString &text, QChar from, QChar to);
// The first comma replaced by a point (user-typed decimals before they are stored).
QString CommaToPoint(const QString &text);
// Every double quote doubled (double-quoted literals in statement texts).
QString EscapeDoubleQuotes(const QString &text);
// Every ampersand doubled, so that a caption does not read it as an accelerator.
QString EscapeAmpersands(const QString &text);
// Every blank and every non-breaking space (character 160) removed.
QString RemoveSpaces(const QString &text);
// MD5 of the text's Windows-1250 bytes as 32 upper-case hexadecimal digits.
QString PasswordHash(const QString &text);
// Whole forints as a Hungarian workstation writes them, whatever the machine's locale:
// groups of three separated by a non-breaking space, then " Ft" ("12 345 Ft").
QString CurrencyText(double amount);

// Copies source into target byte for byte, creating or overwriting it; FileError on failure.
void CopyFileTo(const QString &source, const QString &target);
// Deletes every file of folder matching mask (wildcards * and ?), read-only ones too; when
// recursive, does the same in every subfolder and removes the subfolder. FileError when a
// file or subfolder cannot be removed.
void DeleteFilesIn(const QString &folder, const QString &mask, bool recursive);

} // namespace tvr

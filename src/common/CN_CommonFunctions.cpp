#include "common/CN_CommonFunctions.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "platform/Windows1250.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tvr
{

QString ReplaceFirst(const QString &text, QChar from, QChar to)
{
    QString s = text;
    const qsizetype i = s.indexOf(from);
    if (i >= 0)
        s[i] = to;
    return s;
}

QString CommaToPoint(const QString &text)
{
    return ReplaceFirst(text, u',', u'.');
}

QString EscapeDoubleQuotes(const QString &text)
{
    QString s = text;
    return s.replace(u'"', u"\"\""_s);
}

QString EscapeAmpersands(const QString &text)
{
    QString s = text;
    return s.replace(u'&', u"&&"_s);
}

QString RemoveSpaces(const QString &text)
{
    QString s = text;
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    return s;
}

QString PasswordHash(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(ToWindows1250Lossy(text), QCryptographicHash::Md5).toHex().toUpper());
}

QString CurrencyText(double amount)
{
    RequireFinite(amount);
    // Round as the 15-digit decimal the workstation would print, halves away from zero.
    const double decimal = QString::number(amount, 'e', 14).toDouble();
    const double whole = std::round(decimal);
    QString digits = QString::number(std::fabs(whole), 'f', 0);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QChar(0x00A0));
    return (whole < 0 ? u"-"_s : QString()) + digits + u" Ft"_s;
}

void CopyFileTo(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FileError(u"A(z) %1 fájl nem olvasható: %2"_s.arg(QDir::toNativeSeparators(source), in.errorString()));
    QFile out(target);
    if (out.exists())
        out.setPermissions(out.permissions() | QFileDevice::WriteOwner);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(target), out.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            throw FileError(
                u"A(z) %1 fájl nem olvasható: %2"_s.arg(QDir::toNativeSeparators(source), in.errorString()));
        if (out.write(chunk) != chunk.size())
            throw FileError(u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(target), out.errorString()));
    }
    if (!out.flush())
        throw FileError(u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(target), out.errorString()));
}

void DeleteFilesIn(const QString &folder, const QString &mask, bool recursive)
{
    QDir dir(folder);
    const auto files = dir.entryInfoList({mask}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files) {
        QFile f(file.absoluteFilePath());
        if (f.remove())
            continue;
        f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
        if (!f.remove())
            throw FileError(u"A(z) %1 fájl nem törölhető: %2"_s.arg(QDir::toNativeSeparators(file.absoluteFilePath()),
                                                                    f.errorString()));
    }
    if (!recursive)
        return;
    const auto subfolders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &sub : subfolders) {
        DeleteFilesIn(sub.absoluteFilePath(), mask, true);
        if (!dir.rmdir(sub.fileName()))
            throw FileError(u"A(z) %1 mappa nem törölhető."_s.arg(QDir::toNativeSeparators(sub.absoluteFilePath())));
    }
}

} // namespace tvr

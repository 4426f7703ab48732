#include "common/CN_CommonMathFunctions.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace tvr
{

double ParseAmount(const QString &text)
{
    // The first point is read as the decimal comma; any further point makes it no number. The
    // digits are read by from_chars, which (unlike strtod) ignores the desktop's locale: a
    // Hungarian desktop would otherwise expect a comma and refuse every stored amount.
    const QString trimmed = text.trimmed();
    QString s = PointToComma(trimmed);
    bool valid = !s.isEmpty() && !s.contains(u'.') && s.count(u',') <= 1;
    for (const QChar c : s)
        valid = valid &&
                ((c.isDigit() && c.unicode() < 128) || c == u',' || c == u'+' || c == u'-' || c == u'e' || c == u'E');
    if (valid) {
        std::string ascii = s.replace(u',', u'.').toStdString();
        // from_chars takes a minus but no plus sign.
        if (ascii.size() > 1 && ascii.front() == '+' && ascii[1] != '-' && ascii[1] != '+')
            ascii.erase(0, 1);
        double value = 0;
        const char *const last = ascii.data() + ascii.size();
        const auto [end, error] = std::from_chars(ascii.data(), last, value);
        if (error == std::errc() && end == last && std::isfinite(value))
            return value;
    }
    throw ConversionError(u"„%1” nem érvényes szám!"_s.arg(text));
}

int ParseInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return -1;
    return value;
}

double RoundHalfUp2(double x)
{
    return std::floor(x / 0.01 + 0.5) * 0.01;
}

void RequireFinite(double x)
{
    if (!std::isfinite(x))
        throw ConversionError(u"A kiszámított érték nem szám (végtelen vagy meghatározatlan), ezért nem írható le! "
                              u"Kérem, ellenőrizze a megadott méreteket és mennyiségeket."_s);
}

QString FormatDecimals(double x, int decimals)
{
    RequireFinite(x);
    // The exact decimal expansion of the double, rounded once at the last decimal to nearest with
    // ties to even, as fixed notation does in the C locale; to_chars never looks at the locale.
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::fixed, std::max(decimals, 0));
    if (error != std::errc())
        throw ConversionError(u"A(z) %1 érték nem írható le %2 tizedesjeggyel."_s.arg(x).arg(decimals));
    QString digits = QString::fromLatin1(buffer.data(), end - buffer.data());
    // No "-0.00": a value that rounds to zero is written without a sign.
    if (digits.startsWith(u'-') &&
        std::all_of(digits.begin() + 1, digits.end(), [](QChar c) { return c == u'0' || c == u'.'; }))
        digits.remove(0, 1);
    return digits;
}

QString FormatAmount2(double x)
{
    return FormatDecimals(RoundHalfUp2(x), 2);
}

QString FormatAmount0(double x)
{
    return FormatDecimals(RoundHalfUp2(x), 0);
}

QString PointToComma(const QString &text)
{
    return ReplaceFirst(text, u'.', u',');
}

} // namespace tvr

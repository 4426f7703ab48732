#include "common/CN_CommonMathFunctions.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace Qt::StringLiterals;

namespace tvr
{

double ParseAmount(const QString &text)
{
    // The first point is read as the decimal comma; any further point makes it no number.
    const QString trimmed = text.trimmed();
    QString s = PointToComma(trimmed);
    bool valid = !s.isEmpty() && !s.contains(u'.') && s.count(u',') <= 1;
    for (const QChar c : s)
        valid = valid &&
                ((c.isDigit() && c.unicode() < 128) || c == u',' || c == u'+' || c == u'-' || c == u'e' || c == u'E');
    if (valid) {
        const std::string ascii = s.replace(u',', u'.').toStdString();
        char *end = nullptr;
        const double value = std::strtod(ascii.c_str(), &end);
        if (end == ascii.c_str() + ascii.size() && std::isfinite(value))
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

QString FormatDecimals(double x, int decimals)
{
    // Scaled in extended precision, where the product of a double and a small power of ten is
    // exact: the only rounding is the last one, to nearest with ties to even (the default mode).
    long double power = 1.0L;
    for (int i = 0; i < decimals; ++i)
        power *= 10.0L;
    long double whole = std::nearbyint(static_cast<long double>(x) * power);
    if (whole == 0.0L)
        whole = 0.0L; // no "-0.00"
    QString digits = QString::number(static_cast<double>(std::fabs(whole)), 'f', 0);
    if (decimals > 0) {
        if (digits.size() <= decimals)
            digits = QString(decimals + 1 - digits.size(), u'0') + digits;
        digits.insert(digits.size() - decimals, u'.');
    }
    return whole < 0 ? u'-' + digits : digits;
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

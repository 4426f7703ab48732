#pragma once
// Amounts are binary doubles while computed and decimal texts with a point when stored. These
// conversions fix the program's rounding; every price relies on them, so they are exact to the bit.

#include <QString>

namespace tvr
{

// VAT (27 %): gross = net * GrossFactor; net = gross * NetFactor (a multiplication, never a
// division by 1.27, so that every price comes out the same wherever it is worked out).
inline constexpr double GrossFactor = 1.27;
inline constexpr double NetFactor = 0.7874015748031496063;

// The value of a decimal written with a point or a comma ("12.5" or "12,5"). No rounding.
// A text that is not a number (also an empty one) throws ConversionError naming the text. The
// desktop's locale plays no part.
double ParseAmount(const QString &text);
// The integer value, or -1 when the text is not an integer.
int ParseInt(const QString &text);

// Half-up rounding to two decimals: floor(x / 0.01 + 0.5) * 0.01. The division (not a
// multiplication by 100) is intended, with its binary rounding. Halves go up, so a negative
// exact half goes toward zero; floor (not truncation) keeps other negative values exact.
double RoundHalfUp2(double x);
// RoundHalfUp2, then two decimals with a point, no grouping, leading minus for negatives.
QString FormatAmount2(double x);
// RoundHalfUp2, then whole forints; this last step sends an exact half to the even neighbour.
QString FormatAmount0(double x);
// x with exactly n decimals (a point): its decimal expansion rounded at the n-th decimal to
// nearest, ties to even, whatever the desktop's locale.
QString FormatDecimals(double x, int decimals);
// Throws ConversionError for infinity and NaN: such an amount is never written. Every formatter
// above (and CurrencyText) checks it.
void RequireFinite(double x);
// The first point replaced by a comma.
QString PointToComma(const QString &text);

} // namespace tvr

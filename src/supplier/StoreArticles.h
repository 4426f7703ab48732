#pragma once
// Store articles of a kitchen work (sinks, taps, siphons from the manufacturer's store: the Ecorgan
// leaflet and Dorvat Kft.'s own cheap sinks), and the glass price list: the statements of their
// lists and the line a chosen store article becomes.

#include "database/DB_DatabaseFunctions.h"
#include "database/TableLayouts.h"

namespace tvr
{


// The rows the store-article chooser offers (lister 25): active, orderable articles of one range
// (vestra 1 the store's own sinks, 0 the Ecorgan products) whose number and name begin with the
// typed filters, by name, at most `limit` rows (digits only; empty means 10).
SqlStatement StoreArticleListStatement(bool vestra, const QString &numberFilter, const QString &nameFilter,
                                       const QString &limit);
// The limit the chooser uses for a typed text: the text when it is digits only, else "10".
QString StoreArticleLimit(const QString &typed);

// The caption of the chooser's button on a row: "kiválaszt:" + number + " (Ára: " + the gross
// price of one piece as a currency amount + ")". Throws ConversionError for a price that is not
// a number.
QString StoreArticleCaption(const QString &articleNumber, const QString &netPrice, double multiplier);

// The line written for the chosen article (quantity 1), recorded now by the current user, with N
// its net sale price, G = N x 1.27 x multiplier and G1 = N x 1.27. Throws ConversionError when N is
// not a number.
Ttable_tvr_b_basic_ecorgan_termekek StoreArticleLine(const QString &articleId, const QString &articleNumber,
                                                     const QString &netPrice, const QString &workId, double multiplier);

// A sink list of the work (lister 26 the Ecorgan range, 48 the store's own range): the active lines
// with their article's number, name and size. A line whose article has left the catalogue is listed
// with the Ecorgan range (with its own article number and "MÁR NEM!"), so it can still be seen and
// deleted.
SqlStatement SinkListStatement(bool vestra, const QString &workId);

// The glass chooser's list (lister 27): active glass types whose name begins with the filter.
SqlStatement GlassListStatement(const QString &nameFilter);

} // namespace tvr

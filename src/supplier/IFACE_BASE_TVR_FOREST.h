#pragma once
// The Forest catalogue (TVR_FOREST.s3db, attached as TVR_FOREST) and the Forest lines of a kitchen
// work: looking an article up by its number, pricing a line, the record the article dialog writes
// and the statement of the editor's Forest list.

#include "database/DB_DatabaseFunctions.h"
#include "database/TableLayouts.h"

#include <optional>

namespace tvr
{

class TDatabaseConnection;

// True for a Forest article number: 1 to 11 digits (leading zeros belong to it). Only such a
// number names a picture file or goes into a picture address.
bool IsForestArticleNumber(const QString &text);

// The active article whose number is exactly the text (compared as text: a number typed without its
// leading zeros is another number), or none. A failing read is shown and gives none.
std::optional<Ttable_tvr_r_forest_arucikkek> FindForestArticle(TDatabaseConnection &db, const QString &articleNumber);

// A typed quantity as a number above zero, or none ("", "0", "00", "0,0", ",", "-1", "abc").
std::optional<double> ParseForestQuantity(const QString &text);

// The money texts of one Forest line of quantity q of an article of net price P (`sajat_ar`):
// U = P x priceFactor x multiplier; every text has two decimals (half up).
struct ForestLinePrices {
    double unitPrice = 0; // U
    QString unit;         // U
    QString net;          // q x U
    QString gross;        // q x U x 1.27
    QString purchase;     // q x P
};
ForestLinePrices PriceForestLine(double quantity, double ownPrice, double priceFactor, double multiplier);

// The line the article dialog writes for the article at the typed quantity (its first comma turned
// into a point), recorded now by the current user. Throws ConversionError when the article's price
// or the quantity is not a number.
Ttable_tvr_b_basic_forest_termekek ForestLine(const Ttable_tvr_r_forest_arucikkek &article, const QString &typedNumber,
                                              const QString &typedQuantity, double priceFactor, double multiplier,
                                              const QString &workId);

// The Forest list of a work (lister 37): its lines in the order they were written.
SqlStatement ForestListStatement(const QString &workId);

// The price factor of the picture browser: (100 - forest_kedv) / 100 of the single row of
// tvr_dv_egyeb_arak; 1.0 when the row or a readable discount is missing.
double ForestBrowserPriceFactor(TDatabaseConnection &db);

} // namespace tvr

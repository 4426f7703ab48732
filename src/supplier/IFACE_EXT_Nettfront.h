#pragma once
// Prices of Nettfront front orders: the category of a milling and a colour, whether a front of a
// type and size can be ordered, what one order line costs, the totals and areas of an order, and
// two catalogue look-ups that the kitchen front choice shares.
//
// All prices here are gross (VAT 1.27 included). Catalogue prices are net and multiplied by 1.27;
// the irregular custom-size price of a category is already gross and used as it is. Every sale
// price is the purchase price times the caller's price multiplier.
//
// The line pricing reads the catalogue rows it needs and refuses (TvrError with a message for the
// joiner) when one is missing or holds no number: a line is then neither priced nor written.

#include "database/TableLayouts.h"

#include <QString>

namespace tvr
{

class TDatabaseConnection;

// The category (nettfront_kategoria_id) that a milling and a colour belong to, "0" when none: the
// one with the lowest sorszam (as a number) among those holding both, active pairs and active
// milling and colour only.
QString NettfrontCategoryFor(TDatabaseConnection &db, const QString &millingId, const QString &colourId);

struct NettfrontSizeCheck {
    bool orderable = false;
    // Below 126 mm high or 250 mm wide: orderable in custom size, but without the milling pattern.
    bool tooSmall = false;
};
// Whether a front of the type can be ordered in height x width mm: a series size of the type, or a
// custom size (box enabled and ticked, type orderable in custom size) of at most 2500 x 1200 mm and
// at least 126 x 250 mm, or below that (too small) down to 115 mm either way. Never below 115 mm.
NettfrontSizeCheck NettfrontCheckSize(TDatabaseConnection &db, const QString &frontTypeId, int height, int width,
                                      bool customEnabled, bool customTicked);

struct NettfrontIrregularPrice {
    bool found = false;
    QString purchase; // "-1" when the custom size is ticked but the category has no such price
    QString sale;
};
// The irregular custom-size price (gross per m2) of the category; looked for only when the custom
// size is ticked.
NettfrontIrregularPrice NettfrontIrregularCustomPrice(TDatabaseConnection &db, const QString &categoryId,
                                                      bool customTicked);

// What the front-line form hands to the pricing.
struct NettfrontFrontLineInput {
    QString orderId;
    QString quantity; // digits; empty means 1
    QString millingId;
    QString colourId;
    QString frontTypeId;
    QString categoryId; // from NettfrontCategoryFor, not "0"
    QString height;     // mm, digits as typed
    QString width;
    bool custom = false;
    bool rebated = false;
    bool tooSmall = false; // from NettfrontCheckSize
    QString categoryLabel; // the category text the form shows; a series line's classification
};
// The filled line (key and active left empty), ready to be inserted or to rewrite the line by its
// id. Throws TvrError when the order, the category, the front type or a price setting the line
// needs is missing, or a price is not a number.
Ttable_tvr_r_nettfront_megrendeles_tetelei
NettfrontPriceFrontLine(TDatabaseConnection &db, const NettfrontFrontLineInput &input, double multiplier);

struct NettfrontOtherLineInput {
    QString orderId;
    QString productId; // nettfront_egyebtermek_id
    QString colourId;
    QString quantity; // digits; empty means 0
};
// The filled other-product line; throws TvrError like NettfrontPriceFrontLine.
Ttable_tvr_r_nettfront_megrendeles_tetelei
NettfrontPriceOtherLine(TDatabaseConnection &db, const NettfrontOtherLineInput &input, double multiplier);

// The gross total of the order's active lines (fronts and other products).
double NettfrontOrderGrossTotal(TDatabaseConnection &db, const QString &orderId);
// Rewrites the order's totals and area sums from its active lines and returns the gross total.
// Throws TvrError when the order row is missing (nothing is written then).
double NettfrontRecalcOrderTotals(TDatabaseConnection &db, const QString &orderId, double multiplier);

// Whether the milling offers the split-glass front type (row 1 of the glass-exchange settings).
bool NettfrontHasSplitGlassType(TDatabaseConnection &db, const QString &millingId);
// Whether the order has at least one active other-product line.
bool NettfrontOrderHasOtherProducts(TDatabaseConnection &db, const QString &orderId);
// The number of the order's active front lines (nettfront_egyebtermek_id 0), and of all its active
// lines: an order is empty, and locked to no milling and colour, by these counts.
int NettfrontActiveFrontLineCount(TDatabaseConnection &db, const QString &orderId);
int NettfrontActiveLineCount(TDatabaseConnection &db, const QString &orderId);

// Deletes the order (header and its deactivated lines, in one transaction) when it has no active
// line left; true when it was deleted. An order whose lines cannot be counted is kept.
bool NettfrontDeleteEmptyOrder(TDatabaseConnection &db, const QString &orderId);
// Deactivates the order and every one of its lines, in one transaction; true when both were written.
bool NettfrontDeactivateOrder(TDatabaseConnection &db, const QString &orderId);

// The category label of the front-line form for a found category: "kat.:" + sorszam, followed by
// " bruttó ár:" + price + "Ft/nm" when an irregular custom price was found.
QString NettfrontCategoryLabel(TDatabaseConnection &db, const QString &categoryId,
                               const NettfrontIrregularPrice &irregular);

} // namespace tvr

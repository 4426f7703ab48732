#pragma once
// The shared calculations of the kitchen system: how a work is created with its companion rows,
// the unit prices of the supplementary items, and the prices of cut panels and cut worktops.
// Everything here reads the catalogue through the connection and writes nothing but what it names;
// no widget.

#include "common/CN_CommonMathFunctions.h"
#include "database/TableLayouts.h"

#include <QString>

#include <array>
#include <optional>

namespace tvr
{

class TDatabaseConnection;

// The edge length of a part in metres: A / 1000 for every A of the code and B / 1000 for every B
// (b counts as B), times the count. A and B in mm. An empty code gives 0.
double EdgeLength(int a, int b, const QString &code, int count);

// The edge codes of one part together: fewer than 5 letters, at most two A and at most two B
// (b counts as B), nothing but A and B.
bool EdgeCodesValid(const QString &code1, const QString &code2);

// The 21 supplementary items of a quote, by the name of their quantity column
// ("vizveto", "szokli", ...), with the catalogue columns of their list price and discount.
struct SupplementaryItem {
    const char *name;
    const char *price;
    const char *discount;
};
const std::array<SupplementaryItem, 21> &SupplementaryItems();

// The unit prices of the supplementary items (whole forints, as stored in the egys_ columns), in
// the order of SupplementaryItems(): list price * (1 - discount / 100). The antique flag takes the
// cornice and light-rail prices from their antique columns. Throws TvrError when the catalogue's
// price row (tvr_dv_egyeb_arak, row 1) is missing or holds a price that is not a number: a quote
// must not be priced at zero by accident.
std::array<QString, 21> SupplementaryUnitPrices(TDatabaseConnection &db, bool antique);

// Creates the work of a new kitchen quote with its two companion rows, all or nothing (one
// transaction), the unit prices worked out before anything is written. Returns the new work id.
// Throws TvrError with the reason; nothing is written then.
QString CreateKitchenWork(TDatabaseConnection &db, const QString &quoteId, const QString &userId, const QString &now);

// The first active work of a quote (lowest id), or empty when it has none.
QString FirstActiveWork(TDatabaseConnection &db, const QString &quoteId);

// One chosen edge band of a cut panel: its id, its code letters and its (multiplied) unit price.
struct EdgeBandChoice {
    QString id;
    QString code;
    double unitPrice = 0;
};

// What the cut panel dialog knows of a line.
struct CutPanelInput {
    int a = 0;
    int b = 0;
    int count = 0;
    double panelUnitPrice = 0; // already multiplied and rounded to the cent
    std::optional<EdgeBandChoice> band1;
    std::optional<EdgeBandChoice> band2;
    double multiplier = 1.0;
};

// Fills the computed columns of a cut panel line: area (to the cent of a m2, halves to even,
// written with 20 decimals), panel value, both edge bands (length with 5 decimals, unit price and
// value; "0" when not chosen), gross and net values.
void PriceCutPanel(const CutPanelInput &input, Ttable_tvr_b_basic_szabott_lapok &line);

// What the worktop dialog knows of a line.
struct CutWorktopInput {
    int length = 0; // hossz, mm
    int depth = 0;  // melyseg, mm
    int count = 0;
    QString code;               // decoration code: b, B, A
    double unitPrice = 0;       // gross per running metre
    double decorationPrice = 0; // gross per running metre of decoration
    double multiplier = 1.0;
};

// Fills the computed columns of a cut worktop line: decoration length (5 decimals), worktop and
// decoration values, the discounted copies and the net values.
void PriceCutWorktop(const CutWorktopInput &input, Ttable_tvr_b_basic_szabott_munkalapok &line);

} // namespace tvr

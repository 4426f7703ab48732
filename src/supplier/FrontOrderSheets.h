#pragma once
// What the two Nettfront order sheets share, and the hook that joins them into one document: the
// fronts sheet, followed by the other-products sheet when the order has other products.

#include "platform/report/ReportLayout.h"

#include <QString>

namespace tvr
{

class TDatabaseConnection;
class Tnettfront_egyebtermek_megrendelolap_nyomtatott;
class Tnettfront_megrendelolap_nyomtatott;

// A stored amount as whole forints (CurrencyText): the line totals are stored with up to 20
// decimals, which help nobody on paper. An empty text stays empty; a text that is not a number is
// printed as it is stored rather than dropped.
QString PrintedWholeForints(const QString &stored);

// The page footer of both sheets: two dotted signature lines captioned "rögzítő" and "vásárló",
// the page number in the middle and the print date and time.
TReportBand FrontOrderSheetFooter();

// The customer of a front order: the quote of the kitchen work the order belongs to. Empty texts
// when the order has no work or quote.
struct FrontOrderCustomer {
    QString name;
    QString telephone;
};
FrontOrderCustomer ReadFrontOrderCustomer(TDatabaseConnection &db, const QString &orderId);

// The composite-report hook: clears the document, prepares the fronts sheet with the customer and
// the order, prepares the other-products sheet only when the order has other products, and adds
// the fronts sheet and then (when prepared) the other-products sheet. False, with the document
// left empty, when the order could not be read.
bool ComposeFrontOrderSheets(TCompositeReport &document, Tnettfront_megrendelolap_nyomtatott &fronts,
                             Tnettfront_egyebtermek_megrendelolap_nyomtatott &others, const QString &orderId,
                             const FrontOrderCustomer &customer);

} // namespace tvr

#pragma once
// The order file: one SQLite file per order, made from the template EBR.s3db and holding the
// quote's rows in the manufacturer's tv_ tables. The manufacturer reads it into production, so it
// is written whole or not at all: the rows go into a temporary copy of the template in one
// transaction, and only a complete file is renamed to the order's name. The quote becomes ordered
// (status 1) only after that.

#include "database/DB_DatabaseConnection.h"

#include <QString>

namespace tvr
{

// A partner code is a whole number above zero (at most nine digits). The typed text normalised
// (no blanks, no leading zeros), or an empty text when it is no such number.
QString NormalisedPartnerCode(const QString &typed);
bool IsValidPartnerCode(const QString &text);

// <today>_zederivu_<partner code>-<quote id>.s3db, for example 2023.06.06._zederivu_7-152.s3db.
QString OrderFileName(const QString &today, const QString &partnerCode, const QString &quoteId);

struct OrderFileResult {
    bool ok = false;
    QString path; // the order file's full path, when ok
    // Why no file was made, for the joiner. A failing statement gives OperationFailedMessage()
    // with the statement as detail (statementFailed); the other reasons need no detail.
    QString message;
    QString detail;
    bool statementFailed = false;
};

// Writes the order file of a kitchen-system quote into the folder rendelesek (replacing the same
// day's file of the same quote) and sets the quote's status to 1. The partner code is the
// installation setting; it must have been given. Nothing is written, and the status stays as it
// was, when the quote, its type, the partner code, the catalogue's version row, the template or a
// writable order folder is missing, or when any statement fails; the connection is left without
// the order file attached on every path. Shows nothing itself.
OrderFileResult ExportOrderFile(TDatabaseConnection &db, const QString &quoteId);

} // namespace tvr

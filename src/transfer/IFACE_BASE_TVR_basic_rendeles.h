#pragma once
// Record access of the order file: for every tv_ table of the file, the statement that copies the
// rows of one order from the local table of the same name (tvr_ followed by the name after tv_)
// into the attached file. The engine copies the rows itself (insert ... select), so every stored
// byte arrives unchanged; only the decimal columns pass CommaToPoint, and a NULL is written as an
// empty text, as the manufacturer's files always held texts.
//
// Every statement names the order file's schema (basic_<quote id>.tv_...), so no other attached
// file can receive its rows, and reads the local tables from main. The column lists come from the
// table layouts; a tv_ column without a local counterpart, or a decimal column the tv_ table does
// not have, does not compile.

#include "database/DB_DatabaseFunctions.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tvr
{

// basic_<quote id>: the schema an order file is attached as while it is written.
QString OrderFileSchema(const QString &quoteId);

// The names of the tables an order file holds (those of the template).
QStringList OrderFileTables();

// The statements that fill an attached order file, in the order they run: tv_info (the versions of
// the materials catalogue), tv_arajanlat (the quote as it stands, its status included), and, when
// workId is not empty, the work and every line table of it. Only active rows are copied, in key
// order; the aluminium frames of each active element and the lines of each active Nettfront order
// follow their element or order, and the lines get their keys from the file in that order.
std::vector<SqlStatement> OrderFileStatements(const QString &schema, const QString &quoteId, const QString &workId);

} // namespace tvr

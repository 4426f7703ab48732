#pragma once
// Building a complete demo data folder from the SQL texts under data/demo.

#include <QString>

namespace tvr
{

// (Re)builds the data folder at dir: the two catalogues, the two internet settings files, the
// empty order-file template, the encrypted tvr.s3db with the store manager, and the tmp,
// rendelesek and pictures folders. Throws TvrError.
void MakeDemoDataFolder(const QString &dir, const QString &demoSqlDir);

} // namespace tvr

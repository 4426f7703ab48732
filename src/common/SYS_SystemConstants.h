#pragma once
// Program-wide values held for the whole run, and the data folder every path is built from.

#include <QString>

namespace tvr
{

// The built-in program version, compared with the update server's and shown in the version menu.
QString ProgramVersion();

struct SystemValues {
    QString CurrentUserId = QStringLiteral("0"); // "0" until a login succeeds
    QString CurrentUserName;
    QString MaterialsCatalogueVersion;
    QString ForestCatalogueVersion;
    QString PartnerCode;
};
// The one set of program-wide values of this run.
SystemValues &System();

// The data folder: C:\TVR_zederivu on Windows, ~/TVR_zederivu elsewhere, unless overridden by
// --data-dir or TVR_DATA_DIR. Every file of the program lives under it.
class DataFolder
{
public:
    explicit DataFolder(QString root) : m_root(std::move(root)) {}
    // The default folder, or TVR_DATA_DIR when that is set.
    static QString DefaultRoot();

    const QString &root() const { return m_root; }
    QString file(const QString &name) const; // root/name
    QString mainDatabase() const;            // tvr.s3db
    QString materialsCatalogue() const;      // TVR_CAT_ALAPANYAG_zederivu.s3db
    QString forestCatalogue() const;         // TVR_FOREST.s3db
    QString downloadSettings() const;        // internet.s3db
    QString uploadSettings() const;          // internet2.s3db
    QString orderTemplate() const;           // EBR.s3db
    QString tmpFolder() const;               // tmp
    QString ordersFolder() const;            // rendelesek
    QString picturesFolder() const;          // pictures

private:
    QString m_root;
};

} // namespace tvr

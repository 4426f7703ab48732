#pragma once
// A joiner's data folder and the manufacturer's update folder on a real FTP server, laid out per
// test: installed catalogue versions, published versions, sizes and files.

#include "database/DB_Schema.h"
#include "support/FtpServer.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace tvr::test
{

// A catalogue file holding only its version row (and a marker row to tell files apart).
inline void WriteCatalogueFile(const QString &path, Placement placement, const QString &version)
{
    if (placement == Placement::Materials)
        CreatePlainDatabase(path, placement,
                            {QStringLiteral("insert into tvr_info (info_id,active,alapanyag_katalogus_verzio) values "
                                            "(1,'1','%1');"
                                            "insert into tvr_butorlapok (butorlap_id,megnevezes,active) values "
                                            "(1,'Tábla %1','1');")
                                 .arg(version)});
    else
        CreatePlainDatabase(path, placement,
                            {QStringLiteral("insert into tvr_info_forest (info_id,active,forest_katalogus_verzio) "
                                            "values (1,'1','%1');"
                                            "insert into tvr_r_forest_arucikkek (forest_arucikk_id,cikkszam,megnev,"
                                            "active) values (1,'F-1','Pánt %1','1');")
                                 .arg(version)});
}

inline QString MarkerVersion(const QString &version)
{
    return QString(version).remove(u'.');
}

struct UpdateFixture {
    TestDataFolder data;
    QTemporaryDir serverRoot;
    std::unique_ptr<FtpServer> server;

    QString updateFolder() const { return QDir(serverRoot.path()).filePath(QStringLiteral("zederivu")); }

    UpdateFixture(const QString &materials = QStringLiteral("2023.06.01."),
                  const QString &forest = QStringLiteral("2023.06.01."), FtpServer::Options options = {})
    {
        WriteCatalogueFile(data.folder().materialsCatalogue(), Placement::Materials, materials);
        WriteCatalogueFile(data.folder().forestCatalogue(), Placement::Forest, forest);
        QDir().mkpath(updateFolder());
        server = std::make_unique<FtpServer>(serverRoot.path(), options);
        writeSettings(server->host());
    }

    void writeSettings(const QString &host) const { WriteSettings(data.folder(), host); }

    // Both settings files of a data folder, naming host with the demo account.
    static void WriteSettings(const DataFolder &folder, const QString &host)
    {
        const QString row = QStringLiteral("insert into internet (internet_id,update_host,update_user,update_pwd,"
                                           "update_passive_mode,active) values (1,'%1','zederivu',"
                                           "'demo-zederivu-2023','0','1');")
                                .arg(host);
        CreatePlainDatabase(folder.downloadSettings(), Placement::Settings, {row});
        CreatePlainDatabase(folder.uploadSettings(), Placement::Settings, {row});
    }

    // Publishes a catalogue file with its version and size markers.
    void publishCatalogue(Placement placement, const QString &version) const
    {
        const bool materials = placement == Placement::Materials;
        const QString file = QDir(updateFolder())
                                 .filePath(materials ? QStringLiteral("TVR_CAT_ALAPANYAG_zederivu.s3db")
                                                     : QStringLiteral("TVR_FOREST.s3db"));
        WriteCatalogueFile(file, placement, version);
        FtpServer::WriteMarkers(
            updateFolder(),
            {MarkerVersion(version) + (materials ? QStringLiteral(".0") : QStringLiteral(".4")),
             QString::number(QFileInfo(file).size()) + (materials ? QStringLiteral(".C0") : QStringLiteral(".C4"))});
    }

    void publishProgram(const QString &version, const QByteArray &archive) const
    {
        FtpServer::WriteFile(QDir(updateFolder()).filePath(QStringLiteral("update.zip")), archive);
        FtpServer::WriteMarkers(updateFolder(), {MarkerVersion(version) + QStringLiteral(".prg"),
                                                 QString::number(archive.size()) + QStringLiteral(".sprg")});
    }
};

} // namespace tvr::test

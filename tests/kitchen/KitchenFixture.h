#pragma once
// A data folder with the demo catalogue, one kitchen quote and its work: the ground every kitchen
// window test stands on.

#include "database/DB_DatabaseConnection.h"
#include "kitchen/IFACE_EXT_TVR.h"
#include "support/TestDataFolder.h"

#include <QString>

#include <memory>

namespace tvr::test
{

struct KitchenFixture {
    TestDataFolder data;
    std::unique_ptr<TDatabaseConnection> db;
    QString quoteId;
    QString workId;

    explicit KitchenFixture(bool withWork = true, const QString &status = QStringLiteral("0"))
    {
        data.writeDemoCatalogues();
        db = data.open();
        db->execute(QStringLiteral("insert into tvr_arajanlat (megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,"
                                   "active,rogzitette,rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,"
                                   "munka_mappa_id,basic_munka_id) values ('Kovács Ödön','06 30 555 0101','','1','1',"
                                   "'2023.06.05. 10:00','1',?,'','0','0')"),
                    {status});
        quoteId = db->select(QStringLiteral("select max(arajanlat_id) from tvr_arajanlat"), {}).value(0);
        if (withWork)
            workId = CreateKitchenWork(*db, quoteId, QStringLiteral("1"), QStringLiteral("2023.06.05. 10:00"));
    }
    QString value(const QString &sql, const QStringList &params = {}) const { return db->select(sql, params).value(0); }
    QStringList row(const QString &sql, const QStringList &params = {}) const { return db->select(sql, params); }
};

} // namespace tvr::test

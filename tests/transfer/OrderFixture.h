#pragma once
// A joiner's data folder ready to order: the materials catalogue's version row, the order-file
// template, the partner code, a fixed day, and quotes whose work and lines are inserted directly
// (as the kitchen editor would have written them). Order files are read back with a plain SQLite
// connection, without the program's key, as the manufacturer reads them.

#include "common/CN_CommonDateFunctions.h"
#include "database/DB_Schema.h"
#include "database/InstallationSettings.h"
#include "platform/Windows1250.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <sqlcipher/sqlite3.h>

#include <memory>
#include <stdexcept>

namespace tvr::test
{

inline const QString kOrderDay = QStringLiteral("2023.06.06.");

// Every row of a statement on a plain file, its cells joined by '|' (NULL as "<NULL>"); throws when
// the file cannot be read without a key.
inline QStringList PlainRows(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw std::runtime_error("cannot open " + file.toStdString());
    }
    sqlite3_stmt *st = nullptr;
    const QByteArray text = ToWindows1250Lossy(sql);
    if (sqlite3_prepare_v2(db, text.constData(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string why = sqlite3_errmsg(db);
        sqlite3_close_v2(db);
        throw std::runtime_error(why + " in " + sql.toStdString());
    }
    QStringList rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList cells;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
            cells << (bytes ? FromWindows1250(bytes, sqlite3_column_bytes(st, c)) : QStringLiteral("<NULL>"));
        }
        rows << cells.join(u'|');
    }
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return rows;
}

// A quote of the given type and status.
inline QString QuoteSql(int id, const QString &type = QStringLiteral("1"), const QString &status = QStringLiteral("0"))
{
    return QStringLiteral(
               "insert into tvr_arajanlat (arajanlat_id,megrendelo_neve,megrendelo_telefonszama,"
               "megrendelo_cime,active,rogzitette,rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,"
               "munka_mappa_id,basic_munka_id) values (%1,'Kovács Ödön %1','06 1 234 5678','Győr, Fő utca 1',"
               "'1','1','2023.06.05. 10:00','%2','%3','SAJÁT-%1','0','0');")
        .arg(id)
        .arg(type, status);
}

// A work with panels of the given count (each a few hundred bytes in the file).
inline QString PanelsSql(int workId, int firstId, int count)
{
    return QStringLiteral("with recursive n(i) as (select 0 union all select i+1 from n where i<%3-1) "
                          "insert into tvr_b_basic_szabott_lapok (basic_szabott_lapok_id,basic_munka_id,active,"
                          "rogzitette,rogzites_ideje,butorlap_id,a,b,db,butorlap_terulete,butorlap_erteke,"
                          "butorlap_egysegara,elzaro1_id,elzaro1_kod,elzaro1_hossza,elzaro1_egysegara,elzaro1_erteke,"
                          "elzaro2_id,elzaro2_kod,elzaro2_hossza,elzaro2_egysegara,elzaro2_erteke,tetel_brutto_erteke,"
                          "forgathato,atemelve,netto_beszerzesi_ar,netto_eladasi_ar) select %2+i,'%1','1','1',"
                          "'2023.06.05. 10:00','3',cast(300+i%400 as text),'560','2','0,3360','4536,00','13500,00',"
                          "'7','10/04','1,12','320,00','358,40','8','10/2','0,56','540,00','302,40','5196,80','0','0',"
                          "'3274,00','4092,00' from n;")
        .arg(workId)
        .arg(firstId)
        .arg(count);
}

struct OrderFolder {
    TestDataFolder data;
    std::unique_ptr<TDatabaseConnection> db;

    explicit OrderFolder(const QString &partnerCode = QStringLiteral("7"), bool withTemplate = true)
    {
        data.writeMaterials({QStringLiteral(
            "insert into tvr_info (info_id,active,basic_katalogus_verzio,zelvo_katalogus_verzio,"
            "egyeb_katalogus_verzio,alapanyag_katalogus_verzio) values (1,'1','2023.05.02.','2023.05.03.',"
            "'2023.05.04.','2023.06.01.');")});
        if (withTemplate)
            CreatePlainDatabase(data.folder().orderTemplate(), Placement::Order);
        db = data.open();
        if (!partnerCode.isEmpty())
            SetInstallationSetting(*db, PartnerCodeSetting(), partnerCode);
        SetClock([] { return QDateTime(QDate(2023, 6, 6), QTime(9, 30)); });
    }
    ~OrderFolder() { SetClock({}); }

    QString orderFile(int quoteId, const QString &partner = QStringLiteral("7")) const
    {
        return QDir(data.folder().ordersFolder())
            .filePath(kOrderDay + QStringLiteral("_zederivu_") + partner + u'-' + QString::number(quoteId) +
                      QStringLiteral(".s3db"));
    }
    // The files of the order folder (hidden ones too: a temporary file must not stay).
    QStringList ordersFolderFiles() const
    {
        return QDir(data.folder().ordersFolder())
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    QString status(int quoteId) const
    {
        return db
            ->select(QStringLiteral("select statusza from tvr_arajanlat where arajanlat_id=?"),
                     {QString::number(quoteId)})
            .value(0);
    }
    QStringList attached() const
    {
        int n = 0;
        const QStringList rows = db->select(QStringLiteral("pragma database_list;"), {}, &n);
        QStringList names;
        for (qsizetype i = 1; i < rows.size(); i += n)
            names << rows.at(i);
        return names;
    }
};

} // namespace tvr::test

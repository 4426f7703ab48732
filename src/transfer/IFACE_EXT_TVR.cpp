#include "transfer/IFACE_EXT_TVR.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/InstallationSettings.h"
#include "transfer/IFACE_BASE_TVR_basic_rendeles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <filesystem>
#include <mutex>
#include <system_error>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

OrderFileResult Refused(const QString &message)
{
    OrderFileResult r;
    r.message = message;
    return r;
}

OrderFileResult StatementFailed(const SqlError &e)
{
    OrderFileResult r;
    r.message = OperationFailedMessage();
    r.detail = e.detail();
    r.statementFailed = true;
    return r;
}

QString Native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString TemplateBroken(const QString &file, const QString &why)
{
    return u"A rendelési fájl sablonja (%1) hibás: %2. A rendelés nem készült el; kérje a sablont a Dorvat Kft.-től!"_s
        .arg(Native(file), why);
}

QString FolderUnwritable(const QString &folder, const QString &why)
{
    return u"A rendelési fájl nem írható a(z) %1 mappába (%2). A rendelés nem készült el; kérem, ellenőrizze, hogy "
           u"a mappa írható!"_s.arg(Native(folder), why);
}

} // namespace

QString NormalisedPartnerCode(const QString &typed)
{
    static const QRegularExpression digits(u"^[0-9]+$"_s);
    QString text = typed.trimmed();
    if (!digits.match(text).hasMatch())
        return {};
    while (text.size() > 1 && text.startsWith(u'0'))
        text.remove(0, 1);
    if (text == u"0" || text.size() > 9)
        return {};
    return text;
}

bool IsValidPartnerCode(const QString &text)
{
    return !text.isEmpty() && NormalisedPartnerCode(text) == text;
}

QString OrderFileName(const QString &today, const QString &partnerCode, const QString &quoteId)
{
    return today + u"_zederivu_"_s + partnerCode + u'-' + quoteId + u".s3db"_s;
}

OrderFileResult ExportOrderFile(TDatabaseConnection &db, const QString &quoteId)
{
    static const QRegularExpression id(u"^[1-9][0-9]{0,17}$"_s);
    if (!id.match(quoteId).hasMatch())
        return Refused(u"A rendelés azonosítója hibás: „%1”."_s.arg(quoteId));
    const DataFolder &folder = db.folder();
    const QString templateFile = folder.orderTemplate();
    if (!QFileInfo(templateFile).isFile())
        return Refused(u"A rendelési fájl sablonja (%1) hiányzik, ezért a rendelés nem készíthető el. Kérem, kérje "
                       u"a sablont a Dorvat Kft.-től!"_s.arg(Native(templateFile)));

    // Nothing of the user-interface thread or of a worker may come between these statements.
    std::lock_guard lock(db.mutex());

    // What the file needs, before anything is written.
    QString partnerCode;
    QStringList quote;
    QStringList work;
    try {
        partnerCode = InstallationSetting(db, PartnerCodeSetting());
        quote =
            db.select(u"select arajanlat_tipus from main.tvr_arajanlat where arajanlat_id=%1;"_s.arg(AsInteger(u"?"_s)),
                      {quoteId});
        // The first active work of the quote. Without one only the quote itself is written: the
        // lines of no work (basic_munka_id "0") must never come along.
        work = db.select(u"select basic_munka_id from main.tvr_b_basic_munka where active=1 and %1=%2 order by "
                         u"basic_munka_id limit 1;"_s.arg(AsInteger(u"arajanlat_id"_s), AsInteger(u"?"_s)),
                         {quoteId});
    } catch (const SqlError &e) {
        return StatementFailed(e);
    }
    if (!IsValidPartnerCode(partnerCode))
        return Refused(u"A partnerkód (a Dorvat Kft.-től kapott azonosító szám) nincs megadva, ezért a rendelési "
                       u"fájl nem készíthető el."_s);
    if (quote.isEmpty())
        return Refused(u"A(z) %1. számú rendelés nem található, ezért nem küldhető el."_s.arg(quoteId));
    if (quote.first() != u"1")
        return Refused(u"Csak DORVAT BASIC konyharendszer árajánlat rendelhető meg a programból."_s);
    try {
        const QStringList info = db.select(
            u"select count(*) from %1.tvr_info where %2=1;"_s.arg(MaterialsSchema(), AsInteger(u"info_id"_s)), {});
        if (info.value(0) == u"0")
            return Refused(u"Az alapanyag-katalógusból hiányzik a verziók sora (tvr_info), ezért a rendelés nem "
                           u"készíthető el. Kérem, frissítse az árlistát!"_s);
    } catch (const SqlError &e) {
        return Refused(u"Az alapanyag-katalógus verziói (tvr_info) nem olvashatók (%1), ezért a rendelés nem "
                       u"készíthető el. Kérem, frissítse az árlistát!"_s.arg(e.message()));
    }

    // A copy of the template under a temporary name beside the order files.
    const QString ordersFolder = folder.ordersFolder();
    if (!QDir().mkpath(ordersFolder) || !QFileInfo(ordersFolder).isDir())
        return Refused(FolderUnwritable(ordersFolder, u"a mappa nem hozható létre"_s));
    QFile source(templateFile);
    if (!source.open(QIODevice::ReadOnly))
        return Refused(TemplateBroken(templateFile, source.errorString()));
    const QByteArray templateBytes = source.readAll();
    if (templateBytes.size() != source.size())
        return Refused(TemplateBroken(templateFile, u"nem olvasható végig"_s));
    source.close();
    QTemporaryFile temp(QDir(ordersFolder).filePath(u".rendeles-XXXXXX.tmp"_s));
    if (!temp.open())
        return Refused(FolderUnwritable(ordersFolder, temp.errorString()));
    if (temp.write(templateBytes) != templateBytes.size() || !temp.flush())
        return Refused(FolderUnwritable(ordersFolder, temp.errorString()));
    temp.close();
    temp.setPermissions(source.permissions());
    const QString tempFile = temp.fileName();

    const QString schema = OrderFileSchema(quoteId);
    bool attached = false;
    // Every way out leaves the connection as it was: the order file detached (the transaction
    // below rolls itself back).
    const auto abandon = [&] {
        if (attached) {
            try {
                DetachDatabase(db, schema);
            } catch (const SqlError &) {
            }
        }
    };
    try {
        if (db.isAttached(schema)) // left over by an interrupted export
            DetachDatabase(db, schema);
        // The copy must be a database holding the template's empty tables.
        QStringList tables;
        try {
            AttachDatabase(db, tempFile, schema);
            attached = db.isAttached(schema);
            tables = db.select(u"select name from %1.sqlite_master where type='table';"_s.arg(schema), {});
        } catch (const SqlError &e) {
            abandon();
            return Refused(TemplateBroken(templateFile, e.message()));
        }
        for (const QString &table : OrderFileTables()) {
            if (!tables.contains(table, Qt::CaseInsensitive)) {
                abandon();
                return Refused(TemplateBroken(templateFile, u"hiányzik belőle a(z) %1 tábla"_s.arg(table)));
            }
            if (db.select(u"select count(*) from %1.%2;"_s.arg(schema, table), {}).value(0) != u"0") {
                abandon();
                return Refused(TemplateBroken(templateFile, u"a(z) %1 táblája nem üres"_s.arg(table)));
            }
        }

        {
            TTransaction transaction(db);
            for (const SqlStatement &statement : OrderFileStatements(schema, quoteId, work.value(0)))
                db.execute(statement.sql, statement.params);
            transaction.commit();
        }
        DetachDatabase(db, schema);
        attached = false;
    } catch (const SqlError &e) {
        abandon();
        return StatementFailed(e);
    }

    // Only the complete file takes the order's name (the same day's file of the quote is replaced).
    const QString orderFile = QDir(ordersFolder).filePath(OrderFileName(TodayText(), partnerCode, quoteId));
    std::error_code error;
    std::filesystem::rename(QFile(tempFile).filesystemFileName(), QFile(orderFile).filesystemFileName(), error);
    if (error)
        return Refused(u"A rendelési fájl (%1) nem írható: %2. A rendelés nem készült el."_s.arg(
            Native(orderFile), QString::fromLocal8Bit(error.message())));

    try {
        RunSql(db, u"update tvr_arajanlat set statusza=1 where arajanlat_id=?"_s, {quoteId});
    } catch (const SqlError &e) {
        // An order whose quote cannot be marked is not sent: its file goes too.
        QFile::remove(orderFile);
        return StatementFailed(e);
    }
    OrderFileResult r;
    r.ok = true;
    r.path = orderFile;
    return r;
}

} // namespace tvr

#include "transfer/TFeltoltes.h"

#include "common/CN_CommonDateFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/FtpClient.h"
#include "transfer/IFACE_BASE_internet.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
// The removal of a partial file is a last step that may meet a server already gone: it gets
// short limits of its own.
constexpr int CleanupLimitMs = 5000;
} // namespace

QString OrderUploadFolder()
{
    return u"zederivu"_s;
}

QString UploadFailedText()
{
    return u"Nem sikerült a küldés, kérem próbálja újra!"_s;
}

QString ResendText()
{
    return u"Hiba történt a rendelés feltöltésekor. Próbálja meg újraküldeni!"_s;
}

TFeltoltes::TFeltoltes(TDatabaseConnection &db, DataFolder folder, QString orderFile)
    : m_db(db), m_folder(std::move(folder)), m_file(std::move(orderFile))
{
    // <date>_zederivu_<partner>-<quote id>.s3db
    static const QRegularExpression quote(u"-([0-9]+)\\.s3db$"_s);
    m_quoteId = quote.match(QFileInfo(m_file).fileName()).captured(1);
}

UploadResult TFeltoltes::run(const std::function<bool()> &stopRequested)
{
    const auto stop = [&stopRequested] { return stopRequested && stopRequested(); };
    if (onStatus)
        onStatus(u"A küldés folyamatban van..."_s);
    UploadResult result = send(stop);
    record(result);
    return result;
}

UploadResult TFeltoltes::send(const std::function<bool()> &stop)
{
    UploadResult r;
    // The name on the server is the file's own name, wherever the data folder is.
    r.remoteName = QFileInfo(m_file).fileName();
    const QFileInfo local(m_file);
    if (!local.isFile()) {
        r.error = u"A rendelési fájl nem található: %1"_s.arg(QDir::toNativeSeparators(m_file));
        return r;
    }
    r.fileSize = local.size();

    std::optional<Ttable_internet> row;
    try {
        row = ReadInternetSettings(m_db, m_folder.uploadSettings());
    } catch (const SqlError &e) {
        r.error = u"A küldés beállításai (%1) nem olvashatók: %2"_s.arg(
            QDir::toNativeSeparators(m_folder.uploadSettings()), e.message());
        return r;
    }
    if (!row) {
        r.error = QFileInfo::exists(m_folder.uploadSettings())
                      ? u"A küldés beállításai hiányoznak: a(z) %1 fájlban nincs meg az 1. sor."_s.arg(
                            QDir::toNativeSeparators(m_folder.uploadSettings()))
                      : u"A küldés beállításai hiányoznak: nincs meg a(z) %1 fájl. Kérje a Dorvat Kft.-től!"_s.arg(
                            QDir::toNativeSeparators(m_folder.uploadSettings()));
        return r;
    }
    FtpSettings settings = FtpSettingsFrom(*row);
    settings.connectTimeoutMs = m_timeouts.connectMs;
    settings.stallTimeoutMs = m_timeouts.stallMs;

    const auto stopped = [&r] {
        r.cancelled = true;
        r.error = u"A küldés leállt, mert az ablakot bezárták."_s;
        return r;
    };
    if (stop())
        return stopped();
    FtpClient client(settings);
    FtpResult step = client.connectToServer();
    if (step.ok)
        step = client.changeFolder(OrderUploadFolder());
    if (!step.ok) {
        r.error = step.error;
        return stop() ? stopped() : r;
    }
    if (stop())
        return stopped();

    qint64 lastReported = -1;
    step = client.upload(m_file, r.remoteName, [&](qint64 done, qint64) {
        if (onProgress && done != lastReported) {
            lastReported = done;
            onProgress(done);
        }
        return !stop();
    });
    if (step.ok) {
        // The bytes handed to the network say nothing of what the server stored.
        qint64 size = -1;
        const FtpResult asked = client.remoteSize(r.remoteName, size);
        r.remoteSize = size;
        if (!asked.ok)
            r.error = u"A küldött fájl nem ellenőrizhető a kiszolgálón: %1"_s.arg(asked.error);
        else if (size != r.fileSize)
            r.error = u"A kiszolgálóra %1 bájt érkezett a(z) %2 bájtos fájlból."_s.arg(size).arg(r.fileSize);
        else
            r.ok = true;
    } else {
        r.error = step.error;
    }
    client.disconnectFromServer();
    if (r.ok)
        return r;
    if (stop())
        stopped(); // a stop during the transfer ends it; what it left on the server is still removed

    // What the server may hold of this file is incomplete: it goes.
    FtpSettings cleanupSettings = settings;
    cleanupSettings.connectTimeoutMs = std::min(settings.connectTimeoutMs, CleanupLimitMs);
    cleanupSettings.stallTimeoutMs = std::min(settings.stallTimeoutMs, CleanupLimitMs);
    FtpClient cleanup(cleanupSettings);
    FtpResult removed = cleanup.connectToServer();
    if (removed.ok)
        removed = cleanup.changeFolder(OrderUploadFolder());
    if (removed.ok) {
        qint64 size = -1;
        // Nothing to remove when the transfer never created the file.
        if (cleanup.remoteSize(r.remoteName, size).ok)
            removed = cleanup.remove(r.remoteName);
    }
    if (!removed.ok)
        r.error += u"\nA kiszolgálón maradhatott a fájl egy csonka példánya; az újraküldés felülírja."_s;
    return r;
}

void TFeltoltes::record(UploadResult &result)
{
    Ttable_tvr_rendeles_kuldesek row;
    row.arajanlat_id = m_quoteId;
    row.rendeles_file = result.remoteName;
    row.fajlmeret = QString::number(result.fileSize);
    row.kuldes_ideje = NowText();
    row.sikeres = result.ok ? u"1"_s : u"0"_s;
    row.hibauzenet = result.error;
    QStringList columns;
    QStringList values;
    for (const auto &c : TableLayout<Ttable_tvr_rendeles_kuldesek>::columns) {
        if (c.role == ColumnRole::Key)
            continue;
        columns << QString::fromLatin1(c.name);
        values << row.*c.field;
    }
    const SqlStatement s = InsertStatement(u"tvr_rendeles_kuldesek"_s, columns, values);
    try {
        m_db.execute(s.sql, s.params);
    } catch (const SqlError &e) {
        result.recordError = e.detail();
    }
}

} // namespace tvr

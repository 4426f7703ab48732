#pragma once
// The upload of one order file into the folder zederivu of the manufacturer's FTP server, under
// the file's own name, in active mode. It runs on a worker thread (it waits for the network) and
// reports its status and progress through callbacks on that thread; the window posts them to its
// own. The FTP account is row 1 of internet2.s3db, read through the shared connection, which is
// locked for the read.
//
// A send succeeds only when the server holds the whole file: its size is asked after the transfer.
// After a failed or cut transfer the file of that name is deleted from the server (as far as the
// server can still be reached), so the manufacturer never reads half an order. Every send, whatever
// its end, is recorded in the main file (tvr_rendeles_kuldesek).

#include "common/SYS_SystemConstants.h"

#include <QString>

#include <functional>

namespace tvr
{

class TDatabaseConnection;

// "zederivu": the folder of the manufacturer's server that receives the orders.
QString OrderUploadFolder();
// "Nem sikerült a küldés, kérem próbálja újra!"
QString UploadFailedText();
// "Hiba történt a rendelés feltöltésekor. Próbálja meg újraküldeni!"
QString ResendText();

struct UploadTimeouts {
    int connectMs = 15000; // connecting, logging in, the server's data connection
    int stallMs = 30000;   // no byte moving (or no answer) for this long ends the transfer
};

struct UploadResult {
    bool ok = false;        // the server holds the whole file
    bool cancelled = false; // stopped on request
    QString remoteName;
    qint64 fileSize = 0;
    qint64 remoteSize = -1; // what the server reported holding after the transfer (-1: not known)
    QString error;          // why the send failed, in Hungarian
    QString recordError;    // the record of the send could not be written: the failing statement
    static UploadResult Failed(const QString &message)
    {
        UploadResult r;
        r.error = message;
        return r;
    }
};

class TFeltoltes
{
public:
    TFeltoltes(TDatabaseConnection &db, DataFolder folder, QString orderFile);

    // The quote the file orders (for the record); by default read from the file's name.
    void setQuoteId(const QString &quoteId) { m_quoteId = quoteId; }
    void setTimeouts(const UploadTimeouts &timeouts) { m_timeouts = timeouts; }

    // Called on the sending thread.
    std::function<void(const QString &status)> onStatus;
    std::function<void(qint64 sent)> onProgress; // bytes handed to the network so far

    // Sends the file on the calling thread. stopRequested is asked at every step and while bytes
    // move; once it answers true the transfer ends (and its partial file is removed).
    UploadResult run(const std::function<bool()> &stopRequested = {});

private:
    UploadResult send(const std::function<bool()> &stop);
    void record(UploadResult &result);

    TDatabaseConnection &m_db;
    DataFolder m_folder;
    QString m_file;
    QString m_quoteId;
    UploadTimeouts m_timeouts;
};

} // namespace tvr

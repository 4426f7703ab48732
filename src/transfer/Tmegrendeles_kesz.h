#pragma once
// The upload window: sends one order file to the manufacturer on a worker (TFeltoltes) and shows
// its progress. One second after it opens the transfer starts; when the server holds the whole
// file the window closes itself. A failure is told in the window ("Nem sikerült a küldés, kérem
// próbálja újra!", the reason below it, then the re-send message), which stays open and offers
// "Újraküldés": the same file is sent again, without a new order file. Closing the window while
// the file is on its way ("mégsem", Escape) stops the transfer; the window closes once the worker
// has ended, so no late report ever reaches a closed window.

#include "common/SYS_SystemConstants.h"
#include "transfer/TFeltoltes.h"

#include <QDialog>

#include <atomic>
#include <memory>

class QTimer;

namespace Ui
{
class Tmegrendeles_kesz;
}

namespace tvr
{

class TDatabaseConnection;
class TWorkers;

class Tmegrendeles_kesz : public QDialog
{
    Q_OBJECT
public:
    Tmegrendeles_kesz(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent = nullptr);
    ~Tmegrendeles_kesz() override;

    // The order file's full path; set before the window is shown.
    void setOrderFile(const QString &path);
    QString orderFile() const { return m_file; }
    // The quote the file orders (for the send record).
    void setQuoteId(const QString &quoteId) { m_quoteId = quoteId; }
    void setTimeouts(const UploadTimeouts &timeouts) { m_timeouts = timeouts; }

    // True once the server held the whole file.
    bool succeeded() const { return m_succeeded; }
    bool busy() const { return m_busy; }
    // The counters of the last send: the file's size and the bytes handed to the network.
    qint64 fileSize() const { return m_fileSize; }
    qint64 bytesSent() const { return m_bytesSent; }

    // "mégsem", Escape and the window's close button: during a transfer, stop it first.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startUpload();
    void showProgress(qint64 sent);
    void finish(const UploadResult &result);
    void fail(const QString &reason);

    std::unique_ptr<Ui::Tmegrendeles_kesz> m_ui;
    TDatabaseConnection &m_db;
    DataFolder m_folder;
    QString m_file;
    QString m_quoteId;
    UploadTimeouts m_timeouts;
    QTimer *m_uploadTimer;
    TWorkers *m_workers;
    std::shared_ptr<std::atomic<bool>> m_stop;
    qint64 m_fileSize = 0;
    qint64 m_bytesSent = 0;
    bool m_started = false;
    bool m_busy = false;
    bool m_closing = false;
    bool m_succeeded = false;
};

} // namespace tvr

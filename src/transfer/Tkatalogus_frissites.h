#pragma once
// The catalogue window: downloads one catalogue of the update folder on a worker and, for the
// materials and the Forest catalogue, swaps it in while the program runs. It closes itself when
// the file is installed; a failed download is reported in the window, which may then be closed,
// and the installed catalogue stays as it was.

#include "common/SYS_SystemConstants.h"
#include "transfer/UpdateService.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QTimer;

namespace Ui
{
class Tkatalogus_frissites;
}

namespace tvr
{

class TDatabaseConnection;
class TWorkers;

// Progress of a transfer shown in a bar (kilobytes, so that large files fit an int) and a status
// label, posted from the worker to the window's thread; nothing happens once the widgets are gone.
TransferProgress ShowProgressIn(TWorkers *workers, QProgressBar *bar, QLabel *status);
// A byte count as a value of such a bar.
int ProgressBarValue(qint64 bytes);

class Tkatalogus_frissites : public QDialog
{
    Q_OBJECT
public:
    Tkatalogus_frissites(TDatabaseConnection &db, const DataFolder &folder, int catalogueNumber,
                         QWidget *parent = nullptr);
    ~Tkatalogus_frissites() override;

    void setTimeouts(const UpdateTimeouts &timeouts) { m_timeouts = timeouts; }
    // True once the catalogue was downloaded (and, for 0 and 4, installed).
    bool succeeded() const { return m_succeeded; }

    void reject() override; // Escape and "Bezár": not while the download runs

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startWork();
    void startDownload(qint64 expectedSize);
    void finish(const DownloadResult &result);
    void setStatus(const QString &status);
    void fail(const QString &message);

    std::unique_ptr<Ui::Tkatalogus_frissites> m_ui;
    TDatabaseConnection &m_db;
    DataFolder m_folder;
    int m_number;
    UpdateTimeouts m_timeouts;
    QTimer *m_workTimer;
    TWorkers *m_workers;
    bool m_busy = false;
    bool m_succeeded = false;
};

} // namespace tvr

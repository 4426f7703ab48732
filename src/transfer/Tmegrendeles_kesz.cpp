#include "transfer/Tmegrendeles_kesz.h"

#include "common/CN_CommonErrorFunctions.h"
#include "platform/Workers.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "ui_Tmegrendeles_kesz.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int UploadDelayMs = 1000;
} // namespace

Tmegrendeles_kesz::Tmegrendeles_kesz(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_ui(std::make_unique<Ui::Tmegrendeles_kesz>()), m_db(db), m_folder(folder),
      m_uploadTimer(new QTimer(this)), m_workers(new TWorkers(this)), m_stop(std::make_shared<std::atomic<bool>>(false))
{
    m_ui->setupUi(this);
    setModal(true);
    m_ui->Frissites_Foallapot->hide();
    m_ui->lab_hiba_oka->hide();
    m_ui->btn_ujrakuldes->hide();
    connect(m_ui->btn_ok, &QPushButton::clicked, this, &Tmegrendeles_kesz::reject);
    connect(m_ui->btn_ujrakuldes, &QPushButton::clicked, this, [this] { runAction([this] { startUpload(); }); });

    m_uploadTimer->setObjectName(u"UploadTimer"_s);
    m_uploadTimer->setSingleShot(true);
    m_uploadTimer->setInterval(UploadDelayMs);
    connect(m_uploadTimer, &QTimer::timeout, this, [this] { runAction([this] { startUpload(); }); });
}

Tmegrendeles_kesz::~Tmegrendeles_kesz()
{
    // A window destroyed during a transfer (the program ending) still stops and waits for it, while
    // it is whole; the worker's reports are dropped with the workers.
    *m_stop = true;
    m_workers->stopAll();
}

void Tmegrendeles_kesz::setOrderFile(const QString &path)
{
    m_file = path;
    m_ui->lab_rendeles_file->setText(QDir::toNativeSeparators(path));
}

void Tmegrendeles_kesz::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Coming back from behind another window is not a new start.
    if (event->spontaneous() || m_started)
        return;
    m_started = true;
    m_fileSize = 0;
    m_bytesSent = 0;
    m_ui->feltoltes_label->clear();
    CenterOnScreen(this);
    m_uploadTimer->start();
}

void Tmegrendeles_kesz::startUpload()
{
    m_uploadTimer->stop();
    if (m_busy || m_succeeded)
        return;
    m_fileSize = 0;
    m_bytesSent = 0;
    m_ui->btn_ujrakuldes->hide();
    m_ui->lab_hiba_oka->hide();
    m_ui->lab_hiba_oka->clear();
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(u"A rendelési fájl nem nyitható meg (%1): %2"_s.arg(QDir::toNativeSeparators(m_file), file.errorString()));
        return;
    }
    m_fileSize = file.size();
    file.close();
    QProgressBar *bar = m_ui->Frissites_Foallapot;
    bar->setRange(0, int(std::min<qint64>(m_fileSize, std::numeric_limits<int>::max())));
    bar->setValue(0);
    bar->show();

    m_busy = true;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const auto stop = m_stop;
    TDatabaseConnection *db = &m_db;
    const DataFolder folder = m_folder;
    const QString orderFile = m_file;
    const QString quoteId = m_quoteId;
    const UploadTimeouts timeouts = m_timeouts;
    TWorkers *workers = m_workers;
    const QPointer<Tmegrendeles_kesz> self(this);
    m_workers->start<UploadResult>(
        [=](const TWorkers::Cancel &cancel) {
            TFeltoltes job(*db, folder, orderFile);
            if (!quoteId.isEmpty())
                job.setQuoteId(quoteId);
            job.setTimeouts(timeouts);
            job.onStatus = [workers, self](const QString &text) {
                workers->post([self, text] {
                    if (self && !self->m_closing)
                        self->m_ui->feltoltes_label->setText(text);
                });
            };
            job.onProgress = [workers, self](qint64 sent) {
                workers->post([self, sent] {
                    if (self)
                        self->showProgress(sent);
                });
            };
            return job.run([cancel, stop] { return cancel->load() || stop->load(); });
        },
        [this](const UploadResult &result) { runAction([&] { finish(result); }); });
}

void Tmegrendeles_kesz::showProgress(qint64 sent)
{
    m_bytesSent = sent;
    QProgressBar *bar = m_ui->Frissites_Foallapot;
    bar->setValue(int(std::min<qint64>(sent, bar->maximum())));
}

void Tmegrendeles_kesz::finish(const UploadResult &result)
{
    m_busy = false;
    if (!result.recordError.isEmpty())
        ReportError(OperationFailedMessage(), result.recordError);
    if (m_closing) {
        QDialog::reject();
        return;
    }
    if (result.ok) {
        // What the server confirmed holding, not what the progress reports said.
        m_bytesSent = result.remoteSize;
        m_ui->Frissites_Foallapot->setValue(m_ui->Frissites_Foallapot->maximum());
        m_ui->feltoltes_label->clear();
        m_succeeded = true;
        accept();
        return;
    }
    fail(result.error);
}

void Tmegrendeles_kesz::fail(const QString &reason)
{
    m_ui->feltoltes_label->setText(UploadFailedText());
    m_ui->lab_hiba_oka->setText(reason);
    m_ui->lab_hiba_oka->setVisible(!reason.isEmpty());
    m_ui->btn_ujrakuldes->show();
    m_ui->btn_ok->setEnabled(true);
    m_ui->btn_ujrakuldes->setFocus();
    // The server does not hold the whole file.
    ShowMessage(ResendText(), this);
}

void Tmegrendeles_kesz::reject()
{
    if (m_busy) {
        // The window goes when the worker has stopped and removed what it left on the server.
        if (!m_closing) {
            m_closing = true;
            *m_stop = true;
            m_ui->feltoltes_label->setText(u"A küldés leállítása folyamatban..."_s);
            m_ui->btn_ok->setEnabled(false);
        }
        return;
    }
    m_uploadTimer->stop();
    QDialog::reject();
}

} // namespace tvr

#include "transfer/Tkatalogus_frissites.h"

#include "platform/Workers.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "ui_Tkatalogus_frissites.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int WorkDelayMs = 2000;
} // namespace

int ProgressBarValue(qint64 bytes)
{
    return int(std::min<qint64>(bytes / 1024, std::numeric_limits<int>::max()));
}

TransferProgress ShowProgressIn(TWorkers *workers, QProgressBar *bar, QLabel *status)
{
    const QPointer<QProgressBar> barGuard = bar;
    const QPointer<QLabel> statusGuard = status;
    TransferProgress progress;
    progress.bytes = [workers, barGuard](qint64 done, qint64) {
        workers->post([barGuard, done] {
            if (barGuard && barGuard->maximum() > 0)
                barGuard->setValue(std::min(ProgressBarValue(done), barGuard->maximum()));
        });
    };
    progress.status = [workers, statusGuard](const QString &text) {
        workers->post([statusGuard, text] {
            if (statusGuard)
                statusGuard->setText(text);
        });
    };
    return progress;
}

Tkatalogus_frissites::Tkatalogus_frissites(TDatabaseConnection &db, const DataFolder &folder, int catalogueNumber,
                                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::Tkatalogus_frissites>()),
      m_db(db), m_folder(folder), m_number(catalogueNumber), m_workTimer(new QTimer(this)),
      m_workers(new TWorkers(this))
{
    m_ui->setupUi(this);
    setModal(true);
    m_ui->Frissites_Foallapot->hide();
    m_ui->FrissitesAllapot->hide();
    m_ui->btn_bezar->hide();
    m_ui->lab_katalogus_neve->hide();
    setStyleSheet(u"#Tkatalogus_frissites { border: 2px solid #1f4e79; }"_s);
    connect(m_ui->btn_bezar, &QPushButton::clicked, this, &Tkatalogus_frissites::reject);

    m_workTimer->setObjectName(u"WorkTimer"_s);
    m_workTimer->setSingleShot(true);
    m_workTimer->setInterval(WorkDelayMs);
    connect(m_workTimer, &QTimer::timeout, this, &Tkatalogus_frissites::startWork);
    m_workTimer->start();
}

Tkatalogus_frissites::~Tkatalogus_frissites() = default;

void Tkatalogus_frissites::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QDir().mkpath(m_folder.tmpFolder());
    setStatus({});
    if (const CatalogueFile *c = CatalogueByNumber(m_number))
        m_ui->lab_katalogus_neve->setText(c->displayName);
    CenterOnScreen(this);
}

void Tkatalogus_frissites::setStatus(const QString &status)
{
    m_ui->letoltes_label->setText(status);
}

void Tkatalogus_frissites::reject()
{
    if (m_busy)
        return;
    QDialog::reject();
}

void Tkatalogus_frissites::fail(const QString &message)
{
    m_busy = false;
    m_ui->FrissitesAllapot->hide();
    setStatus(message);
    m_ui->btn_bezar->show();
    m_ui->btn_bezar->setFocus();
}

void Tkatalogus_frissites::startWork()
{
    if (m_busy)
        return;
    if (!QFile::exists(m_folder.downloadSettings())) {
        // No download without the settings; the window must still be closable.
        fail(MissingSettingsMessage(m_folder));
        return;
    }
    m_busy = true;
    setStatus(u"A letöltés folyamatban van..."_s);
    TDatabaseConnection *db = &m_db;
    const DataFolder folder = m_folder;
    const UpdateTimeouts timeouts = m_timeouts;
    // The sizes of the catalogue files come with the version check.
    m_workers->start<CatalogueCheckResult>(
        [db, folder, timeouts](const TWorkers::Cancel &cancel) {
            return CheckCatalogues(*db, folder, timeouts, cancel);
        },
        [this](const CatalogueCheckResult &check) {
            if (check.error) {
                fail(u"A letöltés nem sikerült: %1"_s.arg(check.errorText));
                return;
            }
            startDownload(m_number == 0 ? check.listing.materialsSize : m_number == 4 ? check.listing.forestSize : 0);
        });
}

void Tkatalogus_frissites::startDownload(qint64 expectedSize)
{
    m_ui->Frissites_Foallapot->setRange(0, ProgressBarValue(expectedSize));
    m_ui->Frissites_Foallapot->setValue(0);
    m_ui->Frissites_Foallapot->show();
    m_ui->FrissitesAllapot->show();
    TDatabaseConnection *db = &m_db;
    const DataFolder folder = m_folder;
    const UpdateTimeouts timeouts = m_timeouts;
    const int number = m_number;
    const TransferProgress progress = ShowProgressIn(m_workers, m_ui->Frissites_Foallapot, m_ui->letoltes_label);
    m_workers->start<DownloadResult>(
        [=](const TWorkers::Cancel &cancel) {
            return DownloadCatalogue(*db, folder, number, expectedSize, timeouts, progress, cancel);
        },
        [this](const DownloadResult &result) { finish(result); });
}

void Tkatalogus_frissites::finish(const DownloadResult &result)
{
    if (!result.ok) {
        // The reason names what failed; the joiner also learns whether the old catalogue is
        // still there (where it is not, the reason says so).
        fail(result.previousKept ? u"%1\nA korábbi árlista megmaradt."_s.arg(result.error) : result.error);
        return;
    }
    m_ui->Frissites_Foallapot->setValue(m_ui->Frissites_Foallapot->maximum());
    m_busy = false;
    m_succeeded = true;
    setStatus({});
    accept();
}

} // namespace tvr

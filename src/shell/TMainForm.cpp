#include "shell/TMainForm.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/PasswordMask.h"
#include "platform/Pictures.h"
#include "platform/Workers.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "shell/TQuoteListPages.h"
#include "shell/Tfelhasznalo_bevitel.h"
#include "shell/Tkerdes.h"
#include "transfer/Tkatalogus_frissites.h"
#include "ui_TMainForm.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int StatusPictureSize = 24;
constexpr int UpdateCheckDelayMs = 2000;
} // namespace

QString TMainForm::CompanyName()
{
    return u"Dorvat Kft."_s;
}

QString TMainForm::PostalAddress()
{
    return u"6000 Kecskemét, Forgács utca 12."_s;
}

QString TMainForm::TelephoneLine()
{
    return u"Tel.: +36 76 555 0182"_s;
}

QString TMainForm::EmailAddress()
{
    return u"rendeles@dorvat.hu"_s;
}

QString TMainForm::WebShopAddress()
{
    return u"https://webshop.dorvat.hu"_s;
}

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TMainForm>()), m_versionsPopup(new QMenu(this)),
      m_updateCheckTimer(new QTimer(this)), m_updaterPath(DefaultUpdaterPath()), m_workers(new TWorkers(this))
{
    m_ui->setupUi(this);
    // Hidden at start (here rather than in the form file, which Designer would not keep them in):
    // the update check shows the login or the update button, the login shows the work area.
    const std::initializer_list<QWidget *> hiddenAtStart{m_ui->btn_frissites, m_ui->btn_belepes, m_ui->btn_beallitasok,
                                                         m_ui->functionpanel, m_ui->img_igen,    m_ui->img_nem};
    for (QWidget *hidden : hiddenAtStart)
        hidden->hide();
    setWindowTitle(CompanyName() + u" - "_s + PostalAddress() + u" - "_s + TelephoneLine());
    m_ui->lab_ceg->setText(CompanyName());
    m_ui->lab_cim->setText(PostalAddress());
    m_ui->lab_telefon->setText(TelephoneLine());
    m_ui->Label2->setText(u"<a href=\"mailto:%1\">%1</a>"_s.arg(EmailAddress()));
    m_ui->Label3->setText(
        u"<a href=\"%1\">%2</a>"_s.arg(WebShopAddress(), QString(WebShopAddress()).remove(u"https://"_s)));

    // The hidden stock pictures the update check copies into the status images.
    m_ui->img_igen->setPixmap(TickPixmap(StatusPictureSize));
    m_ui->img_nem->setPixmap(CrossPixmap(StatusPictureSize));
    m_programCheckAnimation = new BusyIndicator(m_ui->img_prog_verzio_anim, StatusPictureSize);
    m_catalogueCheckAnimation = new BusyIndicator(m_ui->img_arlista_verzio_anim, StatusPictureSize);

    SetPasswordMaskCharacter(m_ui->jelszo, u'X');

    m_versionsPopup->setObjectName(u"VerziokPopup"_s);
    m_versionsPopup->addAction(m_ui->program1);
    m_versionsPopup->addAction(m_ui->alapanyag1);
    m_versionsPopup->addAction(m_ui->Forest1);
    connect(m_versionsPopup, &QMenu::aboutToShow, this, &TMainForm::updateVersionCaptions);
    connect(m_ui->Panel1, &QWidget::customContextMenuRequested, this, &TMainForm::showVersionsPopup);

    m_updateCheckTimer->setObjectName(u"UpdateCheckTimer"_s);
    m_updateCheckTimer->setInterval(UpdateCheckDelayMs);
    m_updateCheckTimer->setSingleShot(true);

    connect(m_updateCheckTimer, &QTimer::timeout, this, &TMainForm::runUpdateCheck);

    // The login always uses the first active user: the selector exists but is not shown.
    auto *userSelector = new QComboBox(m_ui->jelszo->parentWidget());
    userSelector->setObjectName(u"UserSelector"_s);
    userSelector->hide();

    connect(m_ui->btn_kilepes, &QPushButton::clicked, this, &TMainForm::askExit);
    connect(m_ui->btn_frissites, &QPushButton::clicked, this, [this] { runAction([this] { startUpdate(); }); });
    connect(m_ui->jelszo, &QLineEdit::returnPressed, this, &TMainForm::pressLoginOnEnter);
    connect(m_ui->btn_belepes, &QPushButton::clicked, this, [this] { runAction([this] { login(); }); });
    connect(m_ui->btn_beallitasok, &QPushButton::clicked, this, [this] { runAction([this] { changePassword(); }); });

    // JELSZÓCSERE is offered after login, when the login panel is gone: beside KILÉPÉS.
    if (auto *footer = qobject_cast<QBoxLayout *>(m_ui->btn_kilepes->parentWidget()->layout()))
        footer->insertWidget(footer->indexOf(m_ui->btn_kilepes), m_ui->btn_beallitasok);

    // A new installation has no user: its store manager is created here first.
    auto *createManager =
        new QPushButton(u"Első indítás: az üzletvezető jelszavának megadása"_s, m_ui->jelszo->parentWidget());
    createManager->setObjectName(u"btn_uzletvezeto_letrehozasa"_s);
    createManager->hide();
    if (auto *layout = qobject_cast<QBoxLayout *>(m_ui->jelszo->parentWidget()->layout()))
        layout->insertWidget(layout->indexOf(m_ui->btn_belepes) + 1, createManager);
    connect(createManager, &QPushButton::clicked, this, [this] { runAction([this] { createStoreManager(); }); });
}

TMainForm::~TMainForm()
{
    // A running check or download is told to stop and waited for before the window goes.
    m_workers->stopAll();
}

QString TMainForm::DefaultUpdaterPath()
{
#ifdef Q_OS_WIN
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"update.exe"_s);
#else
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"update"_s);
#endif
}

void TMainForm::setServices(TDatabaseConnection *db, const DataFolder &folder)
{
    m_db = db;
    m_folder = folder;
    delete m_pages;
    m_pages = new TQuoteListPages(*db, this, m_ui->functionpanel);
    m_ui->functionpanel->layout()->addWidget(m_pages);
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated)
        QTimer::singleShot(0, this, &TMainForm::firstActivation);
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Some platforms do not activate a window that is shown without a user; the first show
    // counts as the first activation then.
    if (!m_activated)
        QTimer::singleShot(0, this, &TMainForm::firstActivation);
}

void TMainForm::firstActivation()
{
    if (m_activated || !m_db || !m_folder)
        return;
    m_activated = true;
    runAction([this] {
        if (!checkRunningRights())
            return;
        QDir().mkpath(m_folder->tmpFolder());
        m_ui->letoltes_label->clear();
        m_ui->Frissites_Foallapot->hide();
        // A missing Forest catalogue is reported (not created empty); the update fetches it.
        if (!m_db->isAttached(ForestSchema()))
            m_db->attachCatalogue(m_folder->forestCatalogue(), ForestSchema());
        System().CurrentUserId = u"0"_s;
        System().MaterialsCatalogueVersion = InstalledMaterialsVersion(*m_db);
        System().ForestCatalogueVersion = InstalledForestVersion(*m_db);
        setMaterialsCatalogueVersion(System().MaterialsCatalogueVersion);
        setForestCatalogueVersion(System().ForestCatalogueVersion);
        m_loggedIn = false;
        loadUsers();
        m_ui->jelszo->clear();
        m_ui->jelszo->setFocus();
        m_ui->img_prog_verzio->hide();
        m_ui->img_arlista_verzio->hide();
        m_ui->img_prog_verzio_anim->show();
        m_programCheckAnimation->start();
        m_catalogueCheckAnimation->stop();
        m_ui->img_arlista_verzio_anim->hide();
        m_updateCheckTimer->start();
    });
}

bool TMainForm::checkRunningRights()
{
    // The program writes its data folder (databases, downloads, order files): without the right
    // to write it, nothing could be saved.
    const QString root = m_folder->root();
    QTemporaryFile probe(QDir(root).filePath(u"jogosultsag_XXXXXX.tmp"_s));
    if (QDir().mkpath(root) && probe.open())
        return true;
    ShowMessage(u"A program nem írhatja az adatmappáját (%1). A programot olyan felhasználóként kell futtatni, "
                u"aki ezt a mappát létrehozhatja és írhatja."_s.arg(QDir::toNativeSeparators(root)),
                this);
    close();
    EndProgram();
    return false;
}

void TMainForm::loadUsers()
{
    m_users = tvr_users_list(*m_db, u"active=1"_s, u"user_id"_s);
    auto *selector = findChild<QComboBox *>(u"UserSelector"_s);
    selector->clear();
    for (const Ttable_tvr_users &user : m_users)
        selector->addItem(user.user_name, user.user_id);
    selector->setCurrentIndex(m_users.empty() ? -1 : 0);
    findChild<QPushButton *>(u"btn_uzletvezeto_letrehozasa"_s)->setVisible(m_users.empty() && !m_loggedIn);
}

void TMainForm::login()
{
    if (m_users.empty())
        return;
    const Ttable_tvr_users &user = m_users.front();
    // Compared exactly: the stored digits are upper case.
    if (PasswordHash(m_ui->jelszo->text()) != user.pwd) {
        ShowMessage(u"Hibás jelszó!"_s, this);
        return;
    }
    m_loggedIn = true;
    System().CurrentUserId = user.user_id;
    System().CurrentUserName = user.user_name;
    // The work area takes the window; the check and the password are done with.
    m_ui->startPanel->hide();
    m_ui->functionpanel->show();
    m_ui->btn_beallitasok->setVisible(user.user_id == u"1");
    m_pages->showAfterLogin();
}

void TMainForm::changePassword()
{
    Tfelhasznalo_bevitel dialog(*m_db, this);
    dialog.setUserId(u"1"_s);
    dialog.setChangeExisting(true);
    dialog.exec();
    loadUsers();
}

void TMainForm::createStoreManager()
{
    if (!m_users.empty())
        return;
    Tfelhasznalo_bevitel dialog(*m_db, this);
    dialog.setChangeExisting(false);
    dialog.exec();
    loadUsers();
}

void TMainForm::pressLoginOnEnter()
{
    if (!m_ui->btn_belepes->isVisible())
        return;
    m_ui->btn_belepes->setFocus();
    m_ui->btn_belepes->click();
}

void TMainForm::runUpdateCheck()
{
    m_updateCheckTimer->stop();
    m_programOutdated = false;
    m_programSize = 0;
    if (!QFile::exists(m_folder->downloadSettings())) {
        m_programCheckAnimation->stop();
        ShowMessage(MissingSettingsMessage(*m_folder), this);
        startCatalogueCheck();
        return;
    }
    TDatabaseConnection *db = m_db;
    const DataFolder folder = *m_folder;
    const UpdateTimeouts timeouts = m_timeouts;
    m_workers->start<ProgramCheckResult>(
        [db, folder, timeouts](const TWorkers::Cancel &cancel) { return CheckProgram(*db, folder, timeouts, cancel); },
        [this](const ProgramCheckResult &result) { programCheckDone(result); });
}

void TMainForm::programCheckDone(const ProgramCheckResult &result)
{
    m_programCheckAnimation->stop();
    m_ui->img_prog_verzio_anim->hide();
    if (result.error) {
        // Not known to be up to date: the cross, and the reason for the user.
        m_ui->img_prog_verzio->setPixmap(m_ui->img_nem->pixmap());
        m_ui->img_prog_verzio->show();
        ShowMessage(u"Hiba az internet kapcsolatban!"_s, this);
    } else {
        m_programOutdated = result.listing.outdated;
        m_programSize = result.listing.size;
        m_ui->img_prog_verzio->setPixmap(m_programOutdated ? m_ui->img_nem->pixmap() : m_ui->img_igen->pixmap());
        m_ui->img_prog_verzio->show();
    }
    startCatalogueCheck();
}

void TMainForm::startCatalogueCheck()
{
    m_ui->img_arlista_verzio->setPixmap(m_ui->img_igen->pixmap());
    m_ui->img_arlista_verzio_anim->show();
    m_catalogueCheckAnimation->start();
    if (!QFile::exists(m_folder->downloadSettings())) {
        m_catalogueCheckAnimation->stop();
        ShowMessage(MissingSettingsMessage(*m_folder), this);
        emit updateCheckFinished();
        return;
    }
    TDatabaseConnection *db = m_db;
    const DataFolder folder = *m_folder;
    const UpdateTimeouts timeouts = m_timeouts;
    m_workers->start<CatalogueCheckResult>(
        [db, folder, timeouts](const TWorkers::Cancel &cancel) {
            return CheckCatalogues(*db, folder, timeouts, cancel);
        },
        [this](const CatalogueCheckResult &result) { catalogueCheckDone(result); });
}

void TMainForm::catalogueCheckDone(const CatalogueCheckResult &result)
{
    // A server that cannot be reached counts as nothing outdated.
    m_materialsOutdated = !result.error && result.listing.materialsOutdated;
    m_forestOutdated = !result.error && result.listing.forestOutdated;
    const bool catalogueOutdated = m_materialsOutdated || m_forestOutdated;
    if (m_programOutdated || catalogueOutdated) {
        m_ui->btn_frissites->setText(m_programOutdated ? u"PROGRAM FRISSÍTÉS"_s : u"ÁRLISTÁK FRISSÍTÉSE"_s);
        m_ui->btn_frissites->setEnabled(true);
        m_ui->btn_frissites->show();
        m_ui->btn_belepes->hide();
    } else {
        m_ui->btn_frissites->hide();
        m_ui->btn_belepes->show();
    }
    m_ui->img_arlista_verzio->setPixmap(catalogueOutdated ? m_ui->img_nem->pixmap() : m_ui->img_igen->pixmap());
    m_ui->img_arlista_verzio->show();
    m_catalogueCheckAnimation->stop();
    m_ui->img_arlista_verzio_anim->hide();
    emit updateCheckFinished();
}

void TMainForm::startUpdate()
{
    if (m_workers->busy())
        return;
    if (m_programOutdated) {
        m_ui->btn_frissites->setEnabled(false);
        m_ui->Frissites_Foallapot->setRange(0, ProgressBarValue(m_programSize));
        m_ui->Frissites_Foallapot->setValue(0);
        m_ui->Frissites_Foallapot->show();
        TDatabaseConnection *db = m_db;
        const DataFolder folder = *m_folder;
        const UpdateTimeouts timeouts = m_timeouts;
        const qint64 size = m_programSize;
        const TransferProgress progress = ShowProgressIn(m_workers, m_ui->Frissites_Foallapot, m_ui->letoltes_label);
        m_workers->start<DownloadResult>(
            [=](const TWorkers::Cancel &cancel) {
                return DownloadProgram(*db, folder, size, timeouts, progress, cancel);
            },
            [this](const DownloadResult &result) { programDownloadDone(result); });
        return;
    }
    for (const auto &[outdated, number] : {std::pair{m_materialsOutdated, 0}, std::pair{m_forestOutdated, 4}}) {
        if (!outdated)
            continue;
        Tkatalogus_frissites window(*m_db, *m_folder, number, this);
        window.setTimeouts(m_timeouts);
        window.exec();
    }
    System().MaterialsCatalogueVersion = InstalledMaterialsVersion(*m_db);
    System().ForestCatalogueVersion = InstalledForestVersion(*m_db);
    setMaterialsCatalogueVersion(System().MaterialsCatalogueVersion);
    setForestCatalogueVersion(System().ForestCatalogueVersion);
    m_ui->img_arlista_verzio->hide();
    startCatalogueCheck();
}

void TMainForm::programDownloadDone(const DownloadResult &result)
{
    if (!result.ok) {
        m_ui->letoltes_label->setText(u"A program letöltése nem sikerült."_s);
        m_ui->btn_frissites->setEnabled(true);
        ShowMessage(u"A program letöltése nem sikerült: %1"_s.arg(result.error), this);
        return;
    }
    m_ui->Frissites_Foallapot->setValue(m_ui->Frissites_Foallapot->maximum());
    m_ui->letoltes_label->setText(u"kész."_s);
    // The updater replaces the installation from the archive once this program has ended.
    if (!QFileInfo(m_updaterPath).isExecutable() ||
        !QProcess::startDetached(m_updaterPath, {}, QFileInfo(m_updaterPath).absolutePath())) {
        m_ui->btn_frissites->setEnabled(true);
        ShowMessage(u"A letöltött frissítést (%1) a frissítő program (%2) nem tudta elindítani. Kérem, jelezze a "
                    u"Dorvat Kft.-nek!"_s.arg(QDir::toNativeSeparators(result.savedFile),
                                              QDir::toNativeSeparators(m_updaterPath)),
                    this);
        return;
    }
    close();
    EndProgram();
}

void TMainForm::setMaterialsCatalogueVersion(const QString &version)
{
    m_materialsCatalogueVersion = version;
}

void TMainForm::setForestCatalogueVersion(const QString &version)
{
    m_forestCatalogueVersion = version;
}

void TMainForm::showVersionsPopup(const QPoint &position)
{
    m_versionsPopup->popup(m_ui->Panel1->mapToGlobal(position));
}

void TMainForm::updateVersionCaptions()
{
    m_ui->program1->setText(u"program verzió:"_s + ProgramVersion());
    m_ui->alapanyag1->setText(u"alapanyag katalógus:"_s + m_materialsCatalogueVersion);
    m_ui->Forest1->setText(u"forest katalógus:"_s + m_forestCatalogueVersion);
}

void TMainForm::askExit()
{
    if (AskQuestion(u"Kilép a programból?"_s, this))
        close();
}

} // namespace tvr

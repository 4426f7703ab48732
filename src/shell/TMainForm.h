#pragma once
// The main window: the title, the update-check status, the password login, the manufacturer's
// contact lines and, after login, the work area (functionpanel with the page control MainPage).

#include "common/SYS_SystemConstants.h"
#include "database/TableLayouts.h"
#include "transfer/UpdateService.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QTimer;

namespace Ui
{
class TMainForm;
}

namespace tvr
{

class BusyIndicator;
class TDatabaseConnection;
class TQuoteListPages;
class TWorkers;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The connection and the data folder the window works with (set by startProgram before the
    // window is first shown).
    void setServices(TDatabaseConnection *db, const DataFolder &folder);
    // Timeouts of the update's transfers (tests shorten them).
    void setUpdateTimeouts(const UpdateTimeouts &timeouts) { m_timeouts = timeouts; }
    // The updater started after a program download: "update" (update.exe on Windows) beside the
    // program unless set.
    void setUpdaterPath(const QString &path) { m_updaterPath = path; }
    static QString DefaultUpdaterPath();

    // The active users loaded at the first activation, the first of which logs in.
    const std::vector<Ttable_tvr_users> &users() const { return m_users; }
    bool isLoggedIn() const { return m_loggedIn; }

    // The catalogue versions shown in the versions popup (right click on the title).
    void setMaterialsCatalogueVersion(const QString &version);
    void setForestCatalogueVersion(const QString &version);
    QString materialsCatalogueVersion() const { return m_materialsCatalogueVersion; }
    QString forestCatalogueVersion() const { return m_forestCatalogueVersion; }

    // The manufacturer's contact texts of the caption and the footer.
    static QString CompanyName();
    static QString PostalAddress();
    static QString TelephoneLine();
    static QString EmailAddress();
    static QString WebShopAddress();

signals:
    // The update check decided: the login or the update button is shown, or the check stopped.
    void updateCheckFinished();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The steps of the first activation; later activations do nothing.
    void firstActivation();
    bool checkRunningRights();
    void loadUsers();
    // The update check of UpdateCheckTimer: the program check, then the catalogue check.
    void runUpdateCheck();
    void programCheckDone(const ProgramCheckResult &result);
    void startCatalogueCheck();
    void catalogueCheckDone(const CatalogueCheckResult &result);
    // btn_frissites: the program download, or the catalogue updates and a new catalogue check.
    void startUpdate();
    void programDownloadDone(const DownloadResult &result);
    void pressLoginOnEnter();
    // BELÉPÉS: the password of the first active user opens the work area.
    void login();
    // JELSZÓCSERE (user 1), and the store manager of an installation that has no user yet.
    void changePassword();
    void createStoreManager();
    void showVersionsPopup(const QPoint &position);
    void updateVersionCaptions();
    void askExit();

    std::unique_ptr<Ui::TMainForm> m_ui;
    QMenu *m_versionsPopup;
    // One-shot update check after the first activation; created stopped.
    QTimer *m_updateCheckTimer;
    // The animations of img_prog_verzio_anim and img_arlista_verzio_anim.
    BusyIndicator *m_programCheckAnimation;
    BusyIndicator *m_catalogueCheckAnimation;
    QString m_materialsCatalogueVersion;
    QString m_forestCatalogueVersion;

    TDatabaseConnection *m_db = nullptr;
    std::optional<DataFolder> m_folder;
    UpdateTimeouts m_timeouts;
    QString m_updaterPath;
    TWorkers *m_workers;
    TQuoteListPages *m_pages = nullptr;
    bool m_activated = false;
    bool m_loggedIn = false;
    std::vector<Ttable_tvr_users> m_users;
    // What the update check found.
    bool m_programOutdated = false;
    bool m_materialsOutdated = false;
    bool m_forestOutdated = false;
    qint64 m_programSize = 0;
};

} // namespace tvr

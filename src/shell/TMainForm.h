#pragma once
// The main window: the title, the update-check status, the password login, the manufacturer's
// contact lines and, after login, the work area (functionpanel with the page control MainPage).

#include <QMainWindow>

#include <memory>

class QMenu;
class QTimer;

namespace Ui
{
class TMainForm;
}

namespace tvr
{

class BusyIndicator;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

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

private:
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
};

} // namespace tvr

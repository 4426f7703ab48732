#include "shell/TMainForm.h"

#include "platform/PasswordMask.h"
#include "platform/Pictures.h"
#include "shell/SYS_SystemConstants.h"
#include "shell/Tkerdes.h"
#include "ui_TMainForm.h"

#include <QMenu>
#include <QTimer>

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
      m_updateCheckTimer(new QTimer(this))
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

    connect(m_ui->btn_kilepes, &QPushButton::clicked, this, &TMainForm::askExit);
}

TMainForm::~TMainForm() = default;

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

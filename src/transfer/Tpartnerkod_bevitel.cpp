#include "transfer/Tpartnerkod_bevitel.h"

#include "common/SYS_SystemConstants.h"
#include "database/InstallationSettings.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "transfer/IFACE_EXT_TVR.h"
#include "ui_Tpartnerkod_bevitel.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tpartnerkod_bevitel::Tpartnerkod_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tpartnerkod_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    // Enter moves to "Rögzítem!"; a second Enter presses it.
    keys()->overrideEnter(m_ui->partnerkod, [this] { m_ui->btn_rogzit->setFocus(); });
    connect(m_ui->btn_rogzit, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tpartnerkod_bevitel::~Tpartnerkod_bevitel() = default;

QLineEdit *Tpartnerkod_bevitel::firstInput() const
{
    return m_ui->partnerkod;
}

bool Tpartnerkod_bevitel::store()
{
    const QString code = NormalisedPartnerCode(m_ui->partnerkod->text());
    if (code.isEmpty()) {
        ShowMessage(u"A partnerkód csak nullánál nagyobb egész szám lehet (legfeljebb 9 számjegy)!"_s, this);
        m_ui->partnerkod->setFocus();
        return false;
    }
    // A failing statement reaches the action's handler; the form stays open with the typed text.
    SetInstallationSetting(m_db, PartnerCodeSetting(), code);
    m_code = code;
    System().PartnerCode = code;
    return true;
}

} // namespace tvr

#include "shell/Tfelhasznalo_bevitel.h"

#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "shell/TMessageDialog.h"
#include "ui_Tfelhasznalo_bevitel.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tfelhasznalo_bevitel::Tfelhasznalo_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tfelhasznalo_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->pwd, [this] { m_ui->pwd_2x->setFocus(); });
    keys->overrideEnter(m_ui->pwd_2x, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { store(); });
    connect(m_ui->btn_bezar, &QPushButton::clicked, this, &QDialog::reject);
}

Tfelhasznalo_bevitel::~Tfelhasznalo_bevitel() = default;

void Tfelhasznalo_bevitel::load()
{
    m_ui->pwd->clear();
}

QLineEdit *Tfelhasznalo_bevitel::firstInput() const
{
    return m_ui->pwd;
}

void Tfelhasznalo_bevitel::store()
{
    const QString password = m_ui->pwd->text();
    if (password.isEmpty()) {
        ShowMessage(u"Az új jelszót meg kell adni!"_s, this);
        m_ui->pwd->setFocus();
        return;
    }
    if (password != m_ui->pwd_2x->text()) {
        ShowMessage(u"A két jelszó nem egyezik!"_s, this);
        m_ui->pwd_2x->setFocus();
        return;
    }
    const bool stored = runAction([&] {
        Ttable_tvr_users user;
        user.user_name = u"Üzletvezető"_s;
        user.pwd = PasswordHash(password);
        if (m_changeExisting)
            tvr_users_update(m_db, m_userId, user);
        else
            tvr_users_insert(m_db, user);
    });
    if (!stored)
        return;
    storedAndClose();
}

} // namespace tvr

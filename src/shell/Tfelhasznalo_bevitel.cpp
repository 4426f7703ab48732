#include "shell/Tfelhasznalo_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "platform/Windows1250.h"
#include "shell/TMessageDialog.h"
#include "ui_Tfelhasznalo_bevitel.h"

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The store manager is user 1: JELSZÓCSERE is his. A new installation may still hold inactive
// user rows, user 1 among them; user 1 then comes back with the new password, rather than a
// store manager of another number being created.
bool CreateStoreManager(TDatabaseConnection &db, const Ttable_tvr_users &user)
{
    const QString id = u"1"_s;
    if (tvr_users_get(db, id))
        return UpdateRows(db, u"tvr_users"_s, {u"user_name"_s, u"pwd"_s, u"active"_s}, u"user_id=1"_s,
                          {user.user_name, user.pwd, u"1"_s});
    return InsertRow(db, u"tvr_users"_s, {u"user_id"_s, u"user_name"_s, u"pwd"_s, u"active"_s},
                     {id, user.user_name, user.pwd, u"1"_s});
}

} // namespace

Tfelhasznalo_bevitel::Tfelhasznalo_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tfelhasznalo_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->pwd, [this] { m_ui->pwd_2x->setFocus(); });
    keys->overrideEnter(m_ui->pwd_2x, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_bezar, &QPushButton::clicked, this, &QDialog::reject);
}

Tfelhasznalo_bevitel::~Tfelhasznalo_bevitel() = default;

bool Tfelhasznalo_bevitel::load()
{
    m_ui->pwd->clear();
    return true;
}

QLineEdit *Tfelhasznalo_bevitel::firstInput() const
{
    return m_ui->pwd;
}

bool Tfelhasznalo_bevitel::store()
{
    const QString password = m_ui->pwd->text();
    if (password.isEmpty()) {
        ShowMessage(u"Az új jelszót meg kell adni!"_s, this);
        m_ui->pwd->setFocus();
        return false;
    }
    // The password is hashed as its Windows-1250 bytes: a character the code page lacks would
    // become "?", and two different passwords would then open the program alike.
    if (const auto bad = FirstCharacterOutsideWindows1250(password)) {
        ShowMessage(u"A jelszóban nem használható a(z) „%1” karakter. Kérem, válasszon más jelszót!"_s.arg(*bad), this);
        m_ui->pwd->setFocus();
        return false;
    }
    if (password != m_ui->pwd_2x->text()) {
        ShowMessage(u"A két jelszó nem egyezik!"_s, this);
        m_ui->pwd_2x->setFocus();
        return false;
    }
    Ttable_tvr_users user;
    user.user_name = u"Üzletvezető"_s;
    user.pwd = PasswordHash(password);
    if (m_changeExisting)
        return tvr_users_update(m_db, m_userId, user);
    return CreateStoreManager(m_db, user);
}

} // namespace tvr

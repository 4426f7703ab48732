#include "shell/Tmegrendelo_modositas.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "ui_Tmegrendelo_modositas.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tmegrendelo_modositas::Tmegrendelo_modositas(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tmegrendelo_modositas>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->telefonszama, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tmegrendelo_modositas::~Tmegrendelo_modositas() = default;

bool Tmegrendelo_modositas::load()
{
    const auto quote = tvr_arajanlat_get(m_db, m_quoteId);
    if (!quote)
        return false;
    m_ui->megrendelo_neve->setText(quote->megrendelo_neve);
    m_ui->cime->setText(quote->megrendelo_cime);
    m_ui->telefonszama->setText(quote->megrendelo_telefonszama);
    return true;
}

QLineEdit *Tmegrendelo_modositas::firstInput() const
{
    return m_ui->megrendelo_neve;
}

bool Tmegrendelo_modositas::store()
{
    // Nothing is validated: an empty name is stored as an empty text. A failing statement
    // reaches the action's handler, and the dialog stays open with the typed texts.
    RunSql(m_db,
           u"update tvr_arajanlat set megrendelo_neve=?,megrendelo_telefonszama=?,megrendelo_cime=?  where "
           u"arajanlat_id=?"_s,
           {m_ui->megrendelo_neve->text(), m_ui->telefonszama->text(), m_ui->cime->text(), m_quoteId});
    return true;
}

} // namespace tvr

#include "shell/Tarajanlat_indulas.h"

#include "database/DB_DatabaseConnection.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "ui_Tarajanlat_indulas.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tarajanlat_indulas::Tarajanlat_indulas(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tarajanlat_indulas>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    // The telephone number is the last thing to type: Enter there goes on at once.
    keys->overrideEnter(m_ui->megrendelo_telefonszama, [this] {
        m_ui->btn_tovabb_dorvatbasic->setFocus();
        m_ui->btn_tovabb_dorvatbasic->click();
    });
    connect(m_ui->btn_tovabb_dorvatbasic, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_close, &QPushButton::clicked, this, &QDialog::reject);
}

Tarajanlat_indulas::~Tarajanlat_indulas() = default;

bool Tarajanlat_indulas::load()
{
    m_quoteType = u"0"_s;
    m_newQuoteId.clear();
    return true;
}

QLineEdit *Tarajanlat_indulas::firstInput() const
{
    return m_ui->megrendelo_neve;
}

bool Tarajanlat_indulas::store()
{
    if (m_ui->megrendelo_neve->text().isEmpty()) {
        ShowMessage(u"A vásárló nevét nem adta meg!"_s, this);
        m_ui->megrendelo_neve->setFocus();
        return false;
    }
    Ttable_tvr_arajanlat quote;
    quote.megrendelo_neve = m_ui->megrendelo_neve->text();
    quote.megrendelo_telefonszama = m_ui->megrendelo_telefonszama->text();
    quote.megrendelo_cime = QString();
    quote.rogzitette = System().CurrentUserId;
    quote.rogzites_ideje = NowText();
    quote.arajanlat_tipus = u"1"_s;
    quote.statusza = u"0"_s;
    quote.rendelesszam = QString();
    // The manufacturer's confirmation numbers are "0" until the joiner enters them.
    quote.munka_mappa_id = u"0"_s;
    quote.basic_munka_id = u"0"_s;
    // A refused insert (the error dialog said why) writes nothing: the dialog then stays open
    // rather than hand on the id of an earlier row as the new quote's.
    if (!tvr_arajanlat_insert(m_db, quote))
        return false;
    m_quoteType = u"1"_s;
    m_newQuoteId = LastInsertId(m_db);
    return true;
}

} // namespace tvr

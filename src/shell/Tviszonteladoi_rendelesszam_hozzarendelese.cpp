#include "shell/Tviszonteladoi_rendelesszam_hozzarendelese.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "ui_Tviszonteladoi_rendelesszam_hozzarendelese.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tviszonteladoi_rendelesszam_hozzarendelese::Tviszonteladoi_rendelesszam_hozzarendelese(TDatabaseConnection &db,
                                                                                       QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tviszonteladoi_rendelesszam_hozzarendelese>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    // Enter moves to "Rögzítem!"; a second Enter presses it.
    keys->overrideEnter(m_ui->rendeleszam, [this] { m_ui->btn_rogzit->setFocus(); });
    connect(m_ui->btn_rogzit, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tviszonteladoi_rendelesszam_hozzarendelese::~Tviszonteladoi_rendelesszam_hozzarendelese() = default;

bool Tviszonteladoi_rendelesszam_hozzarendelese::load()
{
    const auto quote = tvr_arajanlat_get(m_db, m_quoteId);
    if (!quote)
        return false;
    m_ui->rendeleszam->setText(quote->rendelesszam);
    return true;
}

QLineEdit *Tviszonteladoi_rendelesszam_hozzarendelese::firstInput() const
{
    return m_ui->rendeleszam;
}

bool Tviszonteladoi_rendelesszam_hozzarendelese::store()
{
    // A failing statement reaches the action's handler; the dialog stays open with the typed text.
    RunSql(m_db, u"update tvr_arajanlat set rendelesszam=? where arajanlat_id=?"_s,
           {m_ui->rendeleszam->text(), m_quoteId});
    return true;
}

} // namespace tvr

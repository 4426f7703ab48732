#include "supplier/Tarajanlathoz_raktari_fogo_bevitel.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "ui_Tarajanlathoz_raktari_fogo_bevitel.h"

#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace tvr
{

Tarajanlathoz_raktari_fogo_bevitel::Tarajanlathoz_raktari_fogo_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tarajanlathoz_raktari_fogo_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    m_ui->mennyiseg->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this));
    keys()->overrideEnter(m_ui->mennyiseg, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tarajanlathoz_raktari_fogo_bevitel::~Tarajanlathoz_raktari_fogo_bevitel() = default;

QLineEdit *Tarajanlathoz_raktari_fogo_bevitel::firstInput() const
{
    return m_ui->mennyiseg;
}

bool Tarajanlathoz_raktari_fogo_bevitel::load()
{
    m_ui->fogo_selector->clear();
    m_ui->mennyiseg->clear();
    for (const auto &handle : tvr_raktari_fogok_list(m_db, u"active=1"_s, u"cikkszam"_s))
        m_ui->fogo_selector->addItem(handle.cikkszam, handle.raktari_fogo_id);
    if (m_ui->fogo_selector->count() > 0)
        m_ui->fogo_selector->setCurrentIndex(0);
    return true;
}

bool Tarajanlathoz_raktari_fogo_bevitel::store()
{
    const int index = m_ui->fogo_selector->currentIndex();
    if (index < 0) {
        ShowMessage(u"Nincs kiválasztott raktári fogó!"_s, this);
        m_ui->fogo_selector->setFocus();
        return false;
    }
    // "0", "00" and an empty field are all no quantity.
    if (ParseInt(m_ui->mennyiseg->text()) <= 0) {
        ShowMessage(u"Mennyiséget meg kell adni!"_s, this);
        m_ui->mennyiseg->setFocus();
        return false;
    }
    Ttable_tvr_b_basic_raktari_fogok line;
    line.raktari_fogo_id = m_ui->fogo_selector->itemData(index).toString();
    line.mennyiseg = m_ui->mennyiseg->text();
    line.rogzitette = System().CurrentUserId;
    line.rogzites_ideje = NowText();
    line.basic_munka_id = m_workId;
    return tvr_b_basic_raktari_fogok_insert(m_db, line);
}

} // namespace tvr

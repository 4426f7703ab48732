#include "supplier/Tnettfront_rendelheto_meretek.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "platform/ListerGrid.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "ui_Tnettfront_rendelheto_meretek.h"

#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int SizesLister = 32;
}

QString Tnettfront_rendelheto_meretek::SizesStatement()
{
    // Ordered by the sizes as numbers: "1000" after "896".
    return u"select tvr_r_nettfront_fronttipus_meret_parok.meret_par_id, tvr_r_nettfront_meretek.meret, "
           u"tvr_r_nettfront_meretek.magassag, tvr_r_nettfront_meretek.szelesseg from "
           u"tvr_r_nettfront_fronttipus_meret_parok join tvr_r_nettfront_meretek using (meret_id) where "
           u"cast(tvr_r_nettfront_fronttipus_meret_parok.active as integer)=1 and "
           u"cast(tvr_r_nettfront_meretek.active as integer)=1 and "
           u"cast(tvr_r_nettfront_fronttipus_meret_parok.front_tipus_id as integer)=cast(? as integer) "
           u" order by cast(tvr_r_nettfront_meretek.szelesseg as integer), "
           u"cast(tvr_r_nettfront_meretek.magassag as integer), "
           u"cast(tvr_r_nettfront_fronttipus_meret_parok.meret_par_id as integer);"_s;
}

Tnettfront_rendelheto_meretek::Tnettfront_rendelheto_meretek(TDatabaseConnection &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_ui(std::make_unique<Ui::Tnettfront_rendelheto_meretek>()), m_db(db)
{
    m_ui->setupUi(this);
    BindGrid(m_ui->DBGridMeretek, db.lister(SizesLister),
             {{u"meret_par_id"_s, {}, true}, {u"meret"_s, u"A kijelölt fronttipushoz tartozó méretek"_s}});
    connect(m_ui->DBGridMeretek, &QAbstractItemView::doubleClicked, this, [this] { choose(); });
    connect(m_ui->btn_fronttipus_vissza, &QPushButton::clicked, this, &QDialog::reject);
}

Tnettfront_rendelheto_meretek::~Tnettfront_rendelheto_meretek() = default;

void Tnettfront_rendelheto_meretek::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnScreen(this);
    m_height.clear();
    m_width.clear();
    runAction([this] { RefreshLister(m_db, SizesLister, SizesStatement(), {m_frontTypeId}); });
    m_ui->DBGridMeretek->setFocus();
}

void Tnettfront_rendelheto_meretek::choose()
{
    TLister *sizes = m_db.lister(SizesLister);
    if (sizes->isEmpty() || sizes->currentRow() < 0)
        return;
    m_height = sizes->currentValue(u"magassag"_s);
    m_width = sizes->currentValue(u"szelesseg"_s);
    accept();
}

} // namespace tvr

#include "supplier/TNettfrontOrdersPage.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "platform/ListerGrid.h"
#include "shell/Tkerdes.h"
#include "supplier/FrontOrderSheetPreview.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "supplier/Tnettfront_rendeles_bevitel.h"
#include "ui_TNettfrontOrdersPage.h"

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int OrdersLister = 29;
}

QString TNettfrontOrdersPage::OrdersStatement()
{
    return u"select tvr_r_nettfront_megrendelesek.nettfront_megrendeles_id, "
           u"tvr_r_nettfront_megrendelesek.rogzites_ideje, tvr_r_nettfront_megrendelesek.rendeleskor_osszes_elad_ar, "
           u"tvr_r_nettfront_megrendelesek.megrendelo_id, tvr_r_nettfront_megrendelesek.basic_munka_id "
           u"from tvr_r_nettfront_megrendelesek "
           u"where cast(tvr_r_nettfront_megrendelesek.active as integer)=1 "
           u" and cast(tvr_r_nettfront_megrendelesek.basic_munka_id as integer)=cast(? as integer) "
           u" order by tvr_r_nettfront_megrendelesek.nettfront_megrendeles_id desc; "_s;
}

TNettfrontOrdersPage::TNettfrontOrdersPage(TDatabaseConnection &db, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TNettfrontOrdersPage>()), m_db(db)
{
    m_ui->setupUi(this);
    m_ui->btn_megrendelolap->hide();
    BindGrid(m_ui->DBGridTetelek, db.lister(OrdersLister),
             {{u"nettfront_megrendeles_id"_s, {}, true},
              {u"rogzites_ideje"_s, u"Rögzítve"_s},
              {u"rendeleskor_osszes_elad_ar"_s, u"Bruttó érték"_s}});
    const auto guarded = [](auto action) { return [action] { runAction(action); }; };
    connect(m_ui->btn_uj_frontrendeles, &QPushButton::clicked, this, guarded([this] { newOrder(); }));
    connect(m_ui->btn_frontrendeles_modositasa, &QPushButton::clicked, this, guarded([this] { changeOrder(); }));
    connect(m_ui->btn_frontrendeles_torlese, &QPushButton::clicked, this, guarded([this] { deleteOrder(); }));
    connect(m_ui->btn_megrendelolap_nyomtatas, &QPushButton::clicked, this, guarded([this] { printOrderSheet(); }));
}

TNettfrontOrdersPage::~TNettfrontOrdersPage() = default;

void TNettfrontOrdersPage::setWork(const QString &workId, double priceMultiplier)
{
    m_workId = workId;
    m_multiplier = priceMultiplier;
}

void TNettfrontOrdersPage::refresh()
{
    RefreshLister(m_db, OrdersLister, OrdersStatement(), {m_workId});
}

void TNettfrontOrdersPage::newOrder()
{
    Tnettfront_rendeles_bevitel form(m_db, window());
    form.setExistingOrder(false);
    form.setWorkId(m_workId);
    form.setSupplementaryOrder(true);
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    refresh();
}

void TNettfrontOrdersPage::changeOrder()
{
    TLister *orders = m_db.lister(OrdersLister);
    if (orders->isEmpty() || orders->currentRow() < 0)
        return;
    Tnettfront_rendeles_bevitel form(m_db, window());
    form.setExistingOrder(true);
    form.setOrderId(orders->currentKey());
    form.setWorkId(m_workId);
    form.setSupplementaryOrder(true);
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    refresh();
}

void TNettfrontOrdersPage::deleteOrder()
{
    TLister *orders = m_db.lister(OrdersLister);
    if (orders->isEmpty() || orders->currentRow() < 0)
        return;
    const QString orderId = orders->currentKey();
    if (!AskQuestion(u"Biztos, hogy törölhető a kihelölt frontrendelés?"_s, window()))
        return;
    NettfrontDeactivateOrder(m_db, orderId);
    refresh();
}

void TNettfrontOrdersPage::printOrderSheet()
{
    // The order sheet of the selected order, in the print preview (print or save as PDF).
    TLister *orders = m_db.lister(OrdersLister);
    if (orders->isEmpty() || orders->currentRow() < 0)
        return;
    ShowFrontOrderSheet(window(), m_db, orders->currentKey());
}

} // namespace tvr

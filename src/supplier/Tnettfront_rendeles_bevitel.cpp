#include "supplier/Tnettfront_rendeles_bevitel.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/ListerGrid.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "shell/Tkerdes.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "supplier/Tnettfront_egyeb_megrendeles_tetel_bevitel.h"
#include "supplier/Tnettfront_megrendeles_tetel_bevitel.h"
#include "ui_Tnettfront_rendeles_bevitel.h"

#include <QShowEvent>

#include <mutex>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int FrontLinesLister = 31;
constexpr int OtherLinesLister = 35;
} // namespace

QString Tnettfront_rendeles_bevitel::FrontLinesStatement()
{
    // Left joins: a line whose milling, front type or colour has left the catalogue stays listed
    // (and is still ordered), with an empty name.
    return u"select l.nettfront_megrendeles_tetel_id, l.nettfront_megrendeles_id, l.rendelt_mennyiseg, l.magassag, "
           u"l.szelesseg, l.besorolas, l.tetel_brutto_eladasi_ara, "
           u"(case when cast(l.panthelymarasok_szama as integer)=0 then '' else l.panthelymarasok_szama end) as "
           u"panthelymarasok_szama, "
           u"(case when cast(l.egyedi_meret as integer)=1 then 'Egyedi.' else '' end) as e_meret, "
           u"(case when cast(l.nem_lesz_marasminta_rajta_mert_kicsi as integer)=1 then 'X' else '' end) as k, "
           u"m.azonosito, t.megnevezes, "
           u"(case when cast(t.uveges_elem as integer)=1 then 'Üveges' else '' end) as uveges, "
           u"(case when cast(l.falcolassal as integer)=1 then 'FALCOLÁS' else '' end) as falcolas, "
           u"sz.szin "
           u"from tvr_r_nettfront_megrendeles_tetelei l "
           u"left join tvr_r_nettfront_marasok m on (cast(l.maras_id as integer) = cast(m.maras_id as integer)) "
           u"left join tvr_r_nettfront_fronttipusok t on "
           u"(cast(l.front_tipus_id as integer) = cast(t.front_tipus_id as integer)) "
           u"left join tvr_r_nettfront_szinek sz on "
           u"(cast(l.nettfront_szin_id as integer) = cast(sz.nettfront_szin_id as integer)) "
           u"where cast(l.active as integer)=1 and "
           u"cast(l.nettfront_megrendeles_id as integer)=cast(? as integer) and "
           u"cast(l.nettfront_egyebtermek_id as integer)=0 "
           u"order by l.nettfront_megrendeles_tetel_id;"_s;
}

QString Tnettfront_rendeles_bevitel::OtherLinesStatement()
{
    return u"select l.nettfront_megrendeles_tetel_id, l.rendelt_mennyiseg, sz.szin, p.*, g.csoport_neve "
           u"from tvr_r_nettfront_megrendeles_tetelei l "
           u"left join tvr_r_nettfront_szinek sz on "
           u"(cast(l.nettfront_szin_id as integer) = cast(sz.nettfront_szin_id as integer)) "
           u"left join tvr_r_nettfront_egyeb_termekek p on "
           u"(cast(l.nettfront_egyebtermek_id as integer) = cast(p.nettfront_egyebtermek_id as integer)) "
           u"left join tvr_r_nettfront_egyeb_termek_csoport g on "
           u"(cast(p.nettfront_egyebtermek_csoport_id as integer) = cast(g.nettfront_egyebtermek_csoport_id as "
           u"integer)) "
           u"where cast(l.active as integer)=1 and cast(l.nettfront_egyebtermek_id as integer)<>0 and "
           u"cast(l.nettfront_megrendeles_id as integer)=cast(? as integer) "
           u"order by l.nettfront_megrendeles_tetel_id;"_s;
}

Tnettfront_rendeles_bevitel::Tnettfront_rendeles_bevitel(TDatabaseConnection &db, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_ui(std::make_unique<Ui::Tnettfront_rendeles_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    TLister *fronts = db.lister(FrontLinesLister);
    TLister *others = db.lister(OtherLinesLister);
    BindGrid(m_ui->DBGridTetelek, fronts,
             {{u"nettfront_megrendeles_tetel_id"_s, {}, true},
              {u"rendelt_mennyiseg"_s, u"Mennyiség"_s},
              {u"e_meret"_s, u"Egyedi?"_s},
              {u"magassag"_s, u"Mag."_s},
              {u"szelesseg"_s, u"Szél."_s},
              {u"azonosito"_s, u"Front"_s},
              {u"megnevezes"_s, u"Fronttipus"_s},
              {u"szin"_s, u"Szín"_s},
              {u"panthelymarasok_szama"_s, u"Pánthely m."_s}});
    BindGrid(m_ui->DBGridEgyebTetelek, others,
             {{u"nettfront_megrendeles_tetel_id"_s, {}, true},
              {u"rendelt_mennyiseg"_s, u"Mennyiség"_s},
              {u"magassag"_s, u"Mag."_s},
              {u"szelesseg"_s, u"Szél."_s},
              {u"hosszusag"_s, u"Hossz."_s},
              {u"atmero"_s, u"Átm."_s},
              {u"csoport_neve"_s, u"Csoport"_s},
              {u"megnevezes"_s, u"Termék"_s},
              {u"szin"_s, u"Szín"_s}});

    const auto guarded = [](auto action) { return [action] { runAction(action); }; };
    connect(m_ui->btn_ujszin, &QPushButton::clicked, this, guarded([this] { newFrontLine(); }));
    connect(m_ui->btn_szin_modositas, &QPushButton::clicked, this, guarded([this] { changeFrontLine(); }));
    connect(m_ui->btn_szin_torles, &QPushButton::clicked, this, guarded([this, fronts] { deleteLine(fronts); }));
    connect(m_ui->btn_uj_fronttipus, &QPushButton::clicked, this, guarded([this] { newOtherLine(); }));
    connect(m_ui->btn_fronttipus_modositas, &QPushButton::clicked, this, guarded([this] { changeOtherLine(); }));
    connect(m_ui->btn_frontttipus_torles, &QPushButton::clicked, this, guarded([this, others] { deleteLine(others); }));
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->MainPage, &QTabWidget::currentChanged, this, guarded([this] {
                if (!m_activated || m_orderId.isEmpty())
                    return;
                if (m_ui->MainPage->currentWidget() == m_ui->Page1)
                    refreshFronts();
                else
                    refreshOthers();
            }));
}

Tnettfront_rendeles_bevitel::~Tnettfront_rendeles_bevitel() = default;

void Tnettfront_rendeles_bevitel::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_activated)
        return;
    CenterOnScreen(this);
    m_activated = true;
    bool ready = false;
    runAction([this, &ready] { ready = activate(); });
    // An order that could not be read or created cannot be worked on.
    if (!ready)
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

bool Tnettfront_rendeles_bevitel::activate()
{
    m_rememberedFrontType.clear();
    m_rememberedGroup.clear();
    m_rememberedProduct.clear();
    m_rememberedOtherColour.clear();
    m_rememberedMilling.clear();
    m_rememberedColour.clear();
    {
        const QSignalBlocker quiet(m_ui->MainPage);
        m_ui->MainPage->setCurrentWidget(m_ui->Page1);
    }

    if (m_existing) {
        if (!tvr_r_nettfront_megrendelesek_get(m_db, m_orderId)) {
            ShowMessage(u"A frontrendelés nem olvasható be."_s, this);
            return false;
        }
        readLock();
    } else {
        Ttable_tvr_r_nettfront_megrendelesek order;
        order.megrendelo_id = u"0"_s;
        order.rogzitette = System().CurrentUserId;
        order.rogzites_ideje = NowText();
        order.rendeleskor_osszes_besz_ar = u"0"_s;
        order.rendeleskor_osszes_elad_ar = u"0"_s;
        order.tmp = u"1"_s;
        order.napnev_id = u"0"_s;
        order.kiegeszito_frontrendeles = m_supplementary ? u"1"_s : u"0"_s;
        order.basic_munka_id = m_supplementary ? m_workId : u"0"_s;
        // The new id is read under the same lock, so that no other statement's row can come between.
        std::lock_guard lock(m_db.mutex());
        if (!tvr_r_nettfront_megrendelesek_insert(m_db, order))
            return false;
        m_orderId = LastInsertId(m_db);
        m_existing = true;
        m_locked = false;
    }
    refreshFronts();
    return true;
}

void Tnettfront_rendeles_bevitel::readLock()
{
    const auto first = tvr_r_nettfront_megrendeles_tetelei_list(
        m_db,
        u"cast(active as integer)=1 and cast(nettfront_megrendeles_id as integer)=cast(? as integer) and "
        u"cast(nettfront_egyebtermek_id as integer)=0"_s,
        u"cast(nettfront_megrendeles_tetel_id as integer) limit 1"_s, {m_orderId});
    m_locked = !first.empty();
    if (m_locked) {
        m_rememberedMilling = first.front().maras_id;
        m_rememberedColour = first.front().nettfront_szin_id;
    }
}

void Tnettfront_rendeles_bevitel::showTotal()
{
    m_ui->brutto_ertek->setText(CurrencyText(NettfrontRecalcOrderTotals(m_db, m_orderId, m_multiplier)));
}

void Tnettfront_rendeles_bevitel::refreshFronts()
{
    RefreshLister(m_db, FrontLinesLister, FrontLinesStatement(), {m_orderId});
    showTotal();
}

void Tnettfront_rendeles_bevitel::refreshOthers()
{
    RefreshLister(m_db, OtherLinesLister, OtherLinesStatement(), {m_orderId});
    showTotal();
}

void Tnettfront_rendeles_bevitel::newFrontLine()
{
    Tnettfront_megrendeles_tetel_bevitel form(m_db, this);
    form.setMode(Tnettfront_megrendeles_tetel_bevitel::Mode::New);
    form.setOrderId(m_orderId);
    form.setUnlocked(!m_locked);
    form.setRememberedFrontType(m_rememberedFrontType);
    form.setRememberedMilling(m_rememberedMilling);
    form.setRememberedColour(m_rememberedColour);
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    if (form.saved()) {
        m_locked = true;
        m_rememberedMilling = form.savedMillingId();
        m_rememberedColour = form.savedColourId();
        m_rememberedFrontType = form.savedFrontTypeId();
    }
    refreshFronts();
}

void Tnettfront_rendeles_bevitel::changeFrontLine()
{
    TLister *lines = m_db.lister(FrontLinesLister);
    if (lines->isEmpty() || lines->currentRow() < 0)
        return;
    Tnettfront_megrendeles_tetel_bevitel form(m_db, this);
    form.setMode(Tnettfront_megrendeles_tetel_bevitel::Mode::Modify);
    form.setOrderId(m_orderId);
    form.setLineId(lines->currentValue(u"nettfront_megrendeles_tetel_id"_s));
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    refreshFronts();
}

void Tnettfront_rendeles_bevitel::newOtherLine()
{
    Tnettfront_egyeb_megrendeles_tetel_bevitel form(m_db, this);
    form.setMode(Tnettfront_egyeb_megrendeles_tetel_bevitel::Mode::New);
    form.setOrderId(m_orderId);
    form.setRemembered(m_rememberedGroup, m_rememberedProduct, m_rememberedOtherColour);
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    if (form.saved()) {
        m_rememberedGroup = form.savedGroupId();
        m_rememberedProduct = form.savedProductId();
        m_rememberedOtherColour = form.savedColourId();
    }
    refreshOthers();
}

void Tnettfront_rendeles_bevitel::changeOtherLine()
{
    TLister *lines = m_db.lister(OtherLinesLister);
    if (lines->isEmpty() || lines->currentRow() < 0)
        return;
    Tnettfront_egyeb_megrendeles_tetel_bevitel form(m_db, this);
    form.setMode(Tnettfront_egyeb_megrendeles_tetel_bevitel::Mode::Modify);
    form.setOrderId(m_orderId);
    form.setLineId(lines->currentValue(u"nettfront_megrendeles_tetel_id"_s));
    form.setPriceMultiplier(m_multiplier);
    form.exec();
    refreshOthers();
}

void Tnettfront_rendeles_bevitel::deleteLine(TLister *lines)
{
    if (lines->isEmpty() || lines->currentRow() < 0)
        return;
    const QString lineId = lines->currentValue(u"nettfront_megrendeles_tetel_id"_s);
    if (!AskQuestion(u"Biztos, hogy törölhető a kijelölt tétel?"_s, this))
        return;
    if (tvr_r_nettfront_megrendeles_tetelei_deactivate(m_db, lineId) && lines->number() == FrontLinesLister)
        readLock(); // the last front line gone frees the milling and colour
    if (lines->number() == FrontLinesLister)
        refreshFronts();
    else
        refreshOthers();
}

void Tnettfront_rendeles_bevitel::done(int result)
{
    if (!m_closed && !m_orderId.isEmpty()) {
        m_closed = true;
        // Judged by the stored lines, not by what a grid happens to show.
        runAction([this] { NettfrontDeleteEmptyOrder(m_db, m_orderId); });
    }
    QDialog::done(result);
}

} // namespace tvr

#include "kitchen/Tdorvatbasic_bevitel.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/IFACE_EXT_TVR.h"
#include "kitchen/Tdorvatbasic_butorlap_bevitel.h"
#include "kitchen/Tdorvatbasic_munkalap_bevitel.h"
#include "platform/ListerGrid.h"
#include "shell/EditorProtocol.h"
#include "shell/TMessageDialog.h"
#include "shell/Tkerdes.h"
#include "shell/Tmegrendelo_modositas.h"
#include "supplier/TForestPage.h"
#include "supplier/TNettfrontOrdersPage.h"
#include "supplier/TSinksPage.h"
#include "ui_Tdorvatbasic_bevitel.h"

#include <QMouseEvent>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int PanelLister = 22;
constexpr int WorktopLister = 23;

const QColor PageBlack(0, 0, 0);
const QColor PageMaroon(128, 0, 0);

// Runs an action of the editor with the application's error handling.
template <class F> auto Guarded(F action)
{
    return [action] { runAction(action); };
}

} // namespace

Tdorvatbasic_bevitel::Tdorvatbasic_bevitel(TDatabaseConnection &db, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Tdorvatbasic_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_ui->btn_arajanlat->hide();
    m_ui->lab_leadott_rendeles->hide();
    // The element-row pages are part of the form, but nothing shows them.
    for (QWidget *hidden : {m_ui->Page1, m_ui->Page2, m_ui->Page6, m_ui->Page7})
        m_ui->MainPage->setTabVisible(m_ui->MainPage->indexOf(hidden), false);
    m_ui->Page1->setEnabled(false);
    m_ui->MainPage->setCurrentWidget(m_ui->Page3);
    m_ui->MainPage->setAutoFillBackground(true);
    m_forest = new TForestPage(db, db.folder(), m_ui->Page4);
    m_ui->Page4->layout()->addWidget(m_forest);
    m_sinks = new TSinksPage(db, m_ui->Page5);
    m_ui->Page5->layout()->addWidget(m_sinks);
    m_fronts = new TNettfrontOrdersPage(db, m_ui->Page8);
    m_ui->Page8->layout()->addWidget(m_fronts);

    BindGrid(m_ui->DBGrid_szabott_butorlapok, db.lister(PanelLister),
             {{u"basic_szabott_lapok_id"_s, {}, true},
              {u"a"_s, u"A (szálirány h.)"_s},
              {u"b"_s, u"B"_s},
              {u"db"_s, u"db"_s},
              {u"elzaro1_kod"_s, u"é.kód 1."_s},
              {u"elzaro2_kod"_s, u"é. kód 2."_s},
              {u"butorlap_neve"_s, u"bútorlap"_s},
              {u"rogzites_ideje"_s, u"alkatrész neve"_s},
              {u"butorlap_erteke"_s, u"bruttó ár"_s},
              {u"elz1_neve"_s, u"1. élzáró"_s},
              {u"elz2_neve"_s, u"2. élzáró"_s}});
    BindGrid(m_ui->DBGrid_szabott_munkalapok, db.lister(WorktopLister),
             {{u"basic_szabott_munkalapok_id"_s, {}, true},
              {u"hossz"_s, u"Hossz"_s},
              {u"melyseg"_s, u"Mélység"_s},
              {u"darab"_s, u"db"_s},
              {u"munkalap_neve"_s, u"Munkalap neve"_s},
              {u"elzaro_kod"_s, u"é.kód"_s},
              {u"brutto_ar"_s, u"bruttó ár"_s}});
    connect(db.lister(PanelLister), &TLister::currentRowChanged, this, [this] { panelRowChanged(); });

    for (QLineEdit *filter :
         {m_ui->inp_filter_a, m_ui->inp_filter_b, m_ui->inp_filter_butorlap_kodja, m_ui->inp_filter_butorlap})
        connect(filter, &QLineEdit::textChanged, this, Guarded([this] { refreshPanels(); }));
    connect(m_ui->btn_uj_szabott_lap, &QPushButton::clicked, this, Guarded([this] { editPanel(false); }));
    connect(m_ui->btn_modosit_szabott_lap, &QPushButton::clicked, this, Guarded([this] { editPanel(true); }));
    connect(m_ui->btn_szabott_lap_torles, &QPushButton::clicked, this, Guarded([this] { deletePanel(); }));
    connect(m_ui->btn_uj_szabott_munkalap, &QPushButton::clicked, this, Guarded([this] { editWorktop(false); }));
    connect(m_ui->btn_munkalap_modosit, &QPushButton::clicked, this, Guarded([this] { editWorktop(true); }));
    connect(m_ui->btn_szabott_munkalap_torles, &QPushButton::clicked, this, Guarded([this] { deleteWorktop(); }));
    connect(m_ui->MainPage, &QTabWidget::currentChanged, this, Guarded([this] { pageChanged(); }));
    connect(m_ui->BrevoButton1, &QPushButton::clicked, this, Guarded([this] { editCustomer(); }));
    connect(m_ui->btn_close, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget *label : {m_ui->Label1, m_ui->lab_megrendelo, m_ui->Label19, m_ui->lab_megrendelo_telefonszama})
        label->installEventFilter(this);
}

Tdorvatbasic_bevitel::~Tdorvatbasic_bevitel() = default;

bool Tdorvatbasic_bevitel::afterOrder() const
{
    return !m_ui->lab_leadott_rendeles->isHidden();
}

void Tdorvatbasic_bevitel::Register()
{
    RegisterEditor(u"1"_s, [](QWidget *mainWindow, TDatabaseConnection &db, const EditorRequest &request) {
        Tdorvatbasic_bevitel editor(db, mainWindow);
        editor.setReadOnly(false);
        editor.setQuote(request.quoteId);
        // A quote without a work yet (made before the editor, or whose creation failed) gets one now.
        editor.setWork(request.workId);
        editor.setExistingWork(!request.workId.isEmpty());
        editor.setFirstActivation(true);
        editor.exec();
    });
}

Tdorvatbasic_bevitel::Statement Tdorvatbasic_bevitel::PanelListStatement(const QString &workId, const QString &a,
                                                                         const QString &b, const QString &panelCode,
                                                                         const QString &panelName)
{
    // Left joins: a line whose panel or band is gone from a replaced catalogue is still listed
    // (with an empty name), since it is still part of the order.
    Statement s;
    s.sql = u"select tvr_b_basic_szabott_lapok.basic_szabott_lapok_id, tvr_b_basic_szabott_lapok.a, "
            u"tvr_b_basic_szabott_lapok.b, tvr_b_basic_szabott_lapok.db, "
            u"tvr_b_basic_szabott_lapok.tetel_brutto_erteke as butorlap_erteke, "
            u"tvr_b_basic_szabott_lapok.elzaro1_kod, tvr_b_basic_szabott_lapok.elzaro2_kod, "
            u"tvr_butorlapok.sorszama || '-' || tvr_butorlapok.megnevezes as butorlap_neve, "
            u"elz1.sorszama || '-' || elz1.megnevezes as elz1_neve, "
            u"elz2.sorszama || '-' || elz2.megnevezes as elz2_neve, "
            u"tvr_b_basic_szabott_lapok.rogzites_ideje "
            u"from tvr_b_basic_szabott_lapok "
            u"left join tvr_butorlapok on (tvr_butorlapok.butorlap_id = tvr_b_basic_szabott_lapok.butorlap_id) "
            u"left join tvr_elzarok elz1 on (elz1.elzaro_id = tvr_b_basic_szabott_lapok.elzaro1_id) "
            u"left join tvr_elzarok elz2 on (elz2.elzaro_id = tvr_b_basic_szabott_lapok.elzaro2_id) "
            u"where tvr_b_basic_szabott_lapok.active=1"_s;
    if (!a.isEmpty()) {
        s.sql += u" and tvr_b_basic_szabott_lapok.a like ? escape '\\'"_s;
        s.params << LikePrefix(a);
    }
    if (!b.isEmpty()) {
        s.sql += u" and tvr_b_basic_szabott_lapok.b like ? escape '\\'"_s;
        s.params << LikePrefix(b);
    }
    if (!panelCode.isEmpty()) {
        s.sql += u" and tvr_butorlapok.sorszama = ?"_s;
        s.params << panelCode;
    }
    if (!panelName.isEmpty()) {
        s.sql += u" and tvr_butorlapok.megnevezes like ? escape '\\'"_s;
        s.params << LikePrefix(panelName);
    }
    s.sql +=
        u" and tvr_b_basic_szabott_lapok.basic_munka_id = ? order by tvr_b_basic_szabott_lapok.basic_szabott_lapok_id"_s;
    s.params << workId;
    return s;
}

Tdorvatbasic_bevitel::Statement Tdorvatbasic_bevitel::WorktopListStatement(const QString &workId)
{
    return {u"select w.basic_szabott_munkalapok_id, w.hossz, w.melyseg, w.darab, "
            u"tvr_munkalapok.sorszama || '-' || tvr_munkalapok.megnevezes as munkalap_neve, w.elzaro_kod, "
            u"elz1.sorszama || '-' || elz1.megnevezes as elz1_neve, w.sarokosszemarasok_szama as s, "
            u"w.mosogatohely_1_maras_szama as m1, w.mosogatohely_2_maras_szama as m2, w.fozolap_maras_szama as f, "
            u"w.megjegyzes, w.ja, w.jf, w.bf, w.ba, w.kedv_ar_munkalap as brutto_ar "
            u"from tvr_b_basic_szabott_munkalapok w "
            u"left join tvr_munkalapok on (tvr_munkalapok.munkalap_id = w.munkalap_id) "
            u"left join tvr_elzarok elz1 on (elz1.elzaro_id = w.elzaro_id) "
            u"where w.active=1 and w.basic_munka_id = ? order by w.basic_szabott_munkalapok_id"_s,
            {workId}};
}

void Tdorvatbasic_bevitel::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && m_firstActivation)
        firstActivation();
}

bool Tdorvatbasic_bevitel::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        // Black on every activation; the selected panel line may mark it again.
        if (m_work)
            panelRowChanged();
        else
            setPageColour(PageBlack);
    }
    return QDialog::event(event);
}

bool Tdorvatbasic_bevitel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        runAction([this] { editCustomer(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tdorvatbasic_bevitel::setPageColour(const QColor &colour)
{
    QPalette palette = m_ui->MainPage->palette();
    palette.setColor(QPalette::Window, colour);
    m_ui->MainPage->setPalette(palette);
}

void Tdorvatbasic_bevitel::firstActivation()
{
    m_firstActivation = false;
    m_multiplier = 1.0;
    m_lastPanel = m_lastEdge1 = m_lastEdge2 = u"0"_s;
    m_lastWorktop = m_lastWorktopEdge = u"0"_s;
    const bool ready = runAction([this] {
        m_settings = tvr_dv_beallitasok_get(m_db, u"1"_s);
        if (!m_existingWork) {
            m_workId = CreateKitchenWork(m_db, m_quoteId, System().CurrentUserId, NowText());
            m_existingWork = true;
        }
        m_work = tvr_b_basic_munka_get(m_db, m_workId);
        if (!m_work)
            throw TvrError(u"A munka (%1) nem olvasható."_s.arg(m_workId));
        m_resale = true;
        m_forest->setWork(m_workId, m_multiplier);
        m_sinks->setWork(m_workId, m_multiplier);
        m_fronts->setWork(m_workId, m_multiplier);
        loadCustomer();
        refreshPanels();
        refreshWorktops();
    });
    if (!ready) {
        // Nothing half made stays behind: the message said why, and the editor closes.
        ShowMessage(u"A konyhabútor árajánlata nem nyitható meg. Kérem, próbálja újra, vagy jelezze a Dorvat "
                    u"Kft.-nek!"_s,
                    this);
        QTimer::singleShot(0, this, &QDialog::reject);
    }
}

void Tdorvatbasic_bevitel::loadCustomer()
{
    const auto quote = tvr_arajanlat_get(m_db, m_quoteId);
    m_ui->lab_megrendelo->setText(quote ? quote->megrendelo_neve : QString());
    m_ui->lab_megrendelo_telefonszama->setText(quote ? quote->megrendelo_telefonszama : QString());
    m_ui->lab_leadott_rendeles->setVisible(quote && quote->statusza == u"1");
}

void Tdorvatbasic_bevitel::editCustomer()
{
    Tmegrendelo_modositas dialog(m_db, this);
    dialog.setQuoteId(m_quoteId);
    dialog.exec();
    loadCustomer();
}

void Tdorvatbasic_bevitel::pageChanged()
{
    QWidget *page = m_ui->MainPage->currentWidget();
    if (page == m_ui->Page3) {
        refreshPanels();
        refreshWorktops();
    } else if (page == m_ui->Page4) {
        m_forest->refresh();
    } else if (page == m_ui->Page5) {
        m_sinks->refresh();
    } else if (page == m_ui->Page8) {
        m_fronts->refresh();
    }
}

void Tdorvatbasic_bevitel::refreshPanels()
{
    if (m_workId.isEmpty())
        return;
    const Statement s = PanelListStatement(m_workId, m_ui->inp_filter_a->text(), m_ui->inp_filter_b->text(),
                                           m_ui->inp_filter_butorlap_kodja->text(), m_ui->inp_filter_butorlap->text());
    RefreshLister(m_db, PanelLister, s.sql, s.params);
}

void Tdorvatbasic_bevitel::refreshWorktops()
{
    if (m_workId.isEmpty())
        return;
    const Statement s = WorktopListStatement(m_workId);
    RefreshLister(m_db, WorktopLister, s.sql, s.params);
}

void Tdorvatbasic_bevitel::panelRowChanged()
{
    TLister *panels = m_db.lister(PanelLister);
    m_ui->lab_rogzites_ideje->clear();
    setPageColour(PageBlack);
    if (panels->rowCount() > 0 && panels->currentValue(u"rogzites_ideje"_s).startsWith(u'!')) {
        setPageColour(PageMaroon);
        m_ui->lab_rogzites_ideje->setText(u"Figyelem! Ezt a tételt a megrendelés után módosítottad / rögzítetted."_s);
    }
}

void Tdorvatbasic_bevitel::editPanel(bool modify)
{
    TLister *panels = m_db.lister(PanelLister);
    if (modify && panels->isEmpty())
        return;
    Tdorvatbasic_butorlap_bevitel dialog(m_db, this);
    dialog.setAfterOrder(afterOrder());
    dialog.setMode(modify ? Tdorvatbasic_butorlap_bevitel::Mode::Modify : Tdorvatbasic_butorlap_bevitel::Mode::New);
    if (modify)
        dialog.setLineId(panels->currentKey());
    dialog.setRememberedPanel(m_lastPanel);
    dialog.setRememberedEdge1(m_lastEdge1);
    dialog.setRememberedEdge2(m_lastEdge2);
    dialog.setWorkId(m_workId);
    dialog.exec();
    if (dialog.cancelled())
        return;
    m_lastPanel = dialog.rememberedPanel();
    m_lastEdge1 = dialog.rememberedEdge1();
    m_lastEdge2 = dialog.rememberedEdge2();
    refreshPanels();
}

void Tdorvatbasic_bevitel::deletePanel()
{
    TLister *panels = m_db.lister(PanelLister);
    if (panels->isEmpty())
        return;
    if (!AskQuestion(u"Törölhető a kijelölt bútorlap tétel?"_s, this))
        return;
    if (tvr_b_basic_szabott_lapok_deactivate(m_db, panels->currentKey()))
        refreshPanels();
}

void Tdorvatbasic_bevitel::editWorktop(bool modify)
{
    TLister *worktops = m_db.lister(WorktopLister);
    if (modify && worktops->isEmpty())
        return;
    Tdorvatbasic_munkalap_bevitel dialog(m_db, this);
    dialog.setRememberedWorktop(m_lastWorktop);
    dialog.setRememberedEdge(m_lastWorktopEdge);
    dialog.setWorkId(m_workId);
    if (modify)
        dialog.setResale(m_resale);
    dialog.setDefaultWorktop(m_work && !m_work->dv_munkalap_id.isEmpty() ? m_work->dv_munkalap_id : u"0"_s);
    dialog.setMode(modify ? Tdorvatbasic_munkalap_bevitel::Mode::Modify : Tdorvatbasic_munkalap_bevitel::Mode::New);
    if (modify)
        dialog.setLineId(worktops->currentKey());
    dialog.setPriceMultiplier(m_multiplier);
    dialog.exec();
    if (dialog.cancelled())
        return;
    m_lastWorktop = dialog.rememberedWorktop();
    m_lastWorktopEdge = dialog.rememberedEdge();
    m_resale = m_work && m_work->viszonteladonak == u"1";
    refreshWorktops();
}

void Tdorvatbasic_bevitel::deleteWorktop()
{
    TLister *worktops = m_db.lister(WorktopLister);
    if (worktops->isEmpty())
        return;
    if (!AskQuestion(u"Törölhető a kijelölt munkalap tétel?"_s, this))
        return;
    if (tvr_b_basic_szabott_munkalapok_deactivate(m_db, worktops->currentKey()))
        refreshWorktops();
}

} // namespace tvr

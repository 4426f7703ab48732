#include "shell/TQuoteListPages.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/ListerGrid.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/EditorProtocol.h"
#include "shell/TMessageDialog.h"
#include "shell/Tarajanlat_indulas.h"
#include "shell/Tfeljegyzes_bevitel.h"
#include "shell/Tkerdes.h"
#include "shell/Tvisszaigazolasi_szamok_bevitel.h"
#include "shell/Tviszonteladoi_rendelesszam_hozzarendelese.h"
#include "ui_TQuoteListPages.h"

#include <QMenu>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int QuoteLister = 1;
constexpr int NotesLister = 43;
constexpr int InProgressLister = 44;
constexpr int DeliveredLister = 45;

// The right-click menu of an order list: the own identifier and the manufacturer's two numbers of
// the current row as captions (set when the menu opens), and the step back to the previous list.
struct OrderPopup {
    QAction *ownId;
    QAction *folder;
    QAction *kitchen;
    QAction *back;
};

OrderPopup BuildOrderPopup(QMenu *menu, const QString &name, const QString &suffix, TLister *list,
                           const QString &ownIdCaption, const QString &backCaption)
{
    menu->setObjectName(name);
    const auto add = [&](const QString &objectName, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(objectName + suffix);
        return action;
    };
    const OrderPopup popup{add(u"rendelesazonosito"_s, {}), add(u"mappaszam"_s, {}), add(u"basicszam"_s, {}),
                           add(u"visszarakas"_s, backCaption)};
    QObject::connect(menu, &QMenu::aboutToShow, menu, [popup, list, ownIdCaption] {
        popup.ownId->setText(ownIdCaption + list->currentValue(u"rendelesszam"_s));
        popup.folder->setText(u"A DORVAT KFT a visszaigazolási MAPPA száma: "_s +
                              list->currentValue(u"munka_mappa_id"_s));
        popup.kitchen->setText(u"A DORVAT KFT a visszaigazolási BASIC száma: "_s +
                               list->currentValue(u"basic_munka_id"_s));
    });
    return popup;
}

const QString kTypeCase = u"(case arajanlat_tipus        when 1 then \"DORVAT BASIC konyharendszer\"        when 2 "
                          u"then \"Zelvo,Rumka,Pentla,Ovra\"        when 3 then \"Egyéb bútor\"        end) as "
                          u"arajanlat_besorolas"_s;
const QString kFrom = u"  from        tvr_arajanlat  join  tvr_users on (tvr_arajanlat.rogzitette = "
                      u"tvr_users.user_id)  where tvr_arajanlat.active=1 "_s;

TQuoteListPages::OrderSender &Sender()
{
    static TQuoteListPages::OrderSender sender;
    return sender;
}

} // namespace

TQuoteListPages::OrderSender TQuoteListPages::SetOrderSender(OrderSender sender)
{
    return std::exchange(Sender(), std::move(sender));
}

TQuoteListPages::Statement TQuoteListPages::QuoteListStatement(const QString &nameFilter)
{
    Statement s;
    s.sql = u"select        arajanlat_id,        megrendelo_neve,        megrendelo_telefonszama,        "
            u"megrendelo_cime,        tvr_users.user_name,        rogzites_ideje,        arajanlat_tipus,        "
            u"rendelesszam,        statusza,        "_s +
            kTypeCase + u",        (case statusza when 0 then \"\" when 1 then \"megrendelve\" end) as mergendelve"_s +
            kFrom;
    if (!nameFilter.isEmpty()) {
        s.sql += u" and megrendelo_neve like ? escape '\\' "_s;
        s.params << LikePrefix(nameFilter);
    }
    s.sql += u" order by arajanlat_id desc; "_s;
    return s;
}

TQuoteListPages::Statement TQuoteListPages::OrderListStatement(const QString &status, const QString &name,
                                                               const QString &ownId, const QString &folderNumber,
                                                               const QString &kitchenNumber)
{
    static const QRegularExpression number(u"^[0-9]{1,9}$"_s);
    Statement s;
    s.sql = u"select        arajanlat_id,        megrendelo_neve,        megrendelo_telefonszama,        "
            u"megrendelo_cime,        tvr_users.user_name,        rogzites_ideje,        arajanlat_tipus,        "
            u"rendelesszam,        "_s +
            kTypeCase + u",        munka_mappa_id,        basic_munka_id"_s + kFrom + u" and statusza="_s + status +
            u' ';
    if (!name.isEmpty()) {
        s.sql += u" and megrendelo_neve like ? escape '\\' "_s;
        s.params << LikePrefix(name);
    }
    if (!ownId.isEmpty()) {
        s.sql += u" and rendelesszam = ? "_s;
        s.params << ownId;
    }
    // The manufacturer's numbers are whole numbers of at most 9 digits, compared as numbers ("007"
    // finds 7). A filter that is not such a number matches nothing (rather than failing).
    for (const auto &[text, column] :
         {std::pair{folderNumber, u"munka_mappa_id"_s}, {kitchenNumber, u"basic_munka_id"_s}}) {
        if (text.isEmpty())
            continue;
        if (!number.match(text).hasMatch()) {
            s.sql += u" and 1=0 "_s;
            continue;
        }
        s.sql += u" and %1 = %2 "_s.arg(AsInteger(column), AsInteger(u"?"_s));
        s.params << text;
    }
    s.sql += u" order by arajanlat_id desc; "_s;
    return s;
}

QString TQuoteListPages::NotesStatement()
{
    return u"select * from tvr_feljegyzesek where active=1 order by feljegyzes_id desc"_s;
}

TQuoteListPages::TQuoteListPages(TDatabaseConnection &db, QWidget *mainWindow, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TQuoteListPages>()), m_db(db), m_mainWindow(mainWindow),
      m_popup1(new QMenu(this)), m_popup2(new QMenu(this)), m_popup3(new QMenu(this))
{
    m_ui->setupUi(this);
    // Pages 2 and 3 exist, with their lists and actions, but nothing selects them.
    m_ui->MainPage->setTabVisible(1, false);
    m_ui->MainPage->setTabVisible(2, false);
    m_ui->korabbi_panel->hide();
    m_ui->filter_megrendelo_neve->setMaxLength(50);

    TLister *quotes = db.lister(QuoteLister);
    TListerColumns *quoteColumns = BindGrid(m_ui->DBGridArajanlatok, quotes,
                                            {{u"arajanlat_id"_s, u"SORSZÁM"_s},
                                             {u"megrendelo_neve"_s, u"A vevőd neve"_s},
                                             {u"megrendelo_telefonszama"_s, u"Telefonszáma"_s},
                                             {u"rogzites_ideje"_s, u"Rögzítve"_s},
                                             {u"mergendelve"_s, u"Megrendelve?"_s}});
    // An ordered quote is orange, except while it is the selected row.
    quoteColumns->setRowColour([quotes](int row) {
        return quotes->value(row, u"statusza"_s) == u"1" && row != quotes->currentRow() ? QColor(255, 128, 0)
                                                                                        : QColor();
    });
    connect(quotes, &TLister::currentRowChanged, this, &TQuoteListPages::showOlderCatalogueWarning);

    const QList<GridColumn> orderColumns{
        {u"arajanlat_id"_s, u"SORSZÁM"_s, true},        {u"arajanlat_besorolas"_s, u"Árajánlat tipusa"_s},
        {u"megrendelo_neve"_s, u"A megrendelő neve"_s}, {u"megrendelo_telefonszama"_s, u"Telefonszáma"_s},
        {u"munka_mappa_id"_s, u"TVR MAPPA szám"_s},     {u"basic_munka_id"_s, u"TVR BASIC szám"_s},
        {u"rendelesszam"_s, u"Rendelés azonosító"_s}};
    BindGrid(m_ui->DBGridMegrendelesAlatt, db.lister(InProgressLister), orderColumns);
    BindGrid(m_ui->DBGridLeszallitott, db.lister(DeliveredLister), orderColumns);
    BindGrid(m_ui->DBGridFeljegyzesek, db.lister(NotesLister),
             {{u"feljegyzes_id"_s, {}, true},
              {u"rogzites_ideje"_s, u"rögzítve"_s},
              {u"feljegyzes"_s, u"a feljegyzés / emlékeztető"_s}});

    const auto guarded = [](auto action) { return [action] { runAction(action); }; };

    // Page 1.
    connect(m_ui->filter_megrendelo_neve, &QLineEdit::textChanged, this, guarded([this] { refreshQuotes(); }));
    connect(m_ui->btn_uj_arajanlat, &QPushButton::clicked, this, guarded([this] { newQuote(); }));
    connect(m_ui->btn_modosit_arajanlat, &QPushButton::clicked, this, guarded([this, quotes] { openQuote(quotes); }));
    connect(m_ui->btn_torol_arajanlat, &QPushButton::clicked, this,
            guarded([this, quotes] { deleteQuote(quotes, u"Törölhető a kijelölt árajánlat?"_s); }));
    connect(m_ui->btn_arajanlatbol_megrendeles, &QPushButton::clicked, this, guarded([this] { orderQuote(); }));
    m_popup1->setObjectName(u"PopupMenu1"_s);
    QAction *ownIdCaption = m_popup1->addAction(QString());
    ownIdCaption->setObjectName(u"Egyedirendelsazonostttadokneki1"_s);
    QAction *ownIdAction = m_popup1->addAction(u"Egyedi rendelésazonosítót adok neki!"_s);
    ownIdAction->setObjectName(u"Egyedirendelsazonostttadokneki2"_s);
    connect(m_popup1, &QMenu::aboutToShow, this, [ownIdCaption, quotes] {
        ownIdCaption->setText(u"Egyedi rendelésazonosítója: "_s + quotes->currentValue(u"rendelesszam"_s));
    });
    connect(ownIdAction, &QAction::triggered, this, guarded([this, quotes] { setOwnIdentifier(quotes); }));
    connect(m_ui->DBGridArajanlatok, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup1->popup(m_ui->DBGridArajanlatok->viewport()->mapToGlobal(at)); });
    connect(m_ui->MainPage, &QTabWidget::currentChanged, this, guarded([this] {
                if (m_ui->MainPage->currentWidget() == m_ui->TabSheet1) {
                    refreshQuotes();
                    m_ui->filter_megrendelo_neve->setFocus();
                    CaretToEnd(m_ui->filter_megrendelo_neve);
                } else if (m_ui->MainPage->currentWidget() == m_ui->TabSheet4) {
                    refreshNotes();
                }
            }));

    // Page 2: orders in progress.
    TLister *inProgress = db.lister(InProgressLister);
    for (QLineEdit *filter :
         {m_ui->filter_ra_megrendelo, m_ui->filter_ra_rend_azon, m_ui->filter_ra_mappaszam, m_ui->filter_ra_basic})
        connect(filter, &QLineEdit::textChanged, this, guarded([this] { refreshOrdersInProgress(); }));
    connect(m_ui->btn_megrendeles_modositasa, &QPushButton::clicked, this, guarded([this] { openOrderInProgress(); }));
    connect(m_ui->btn_megrendeles_torlese, &QPushButton::clicked, this,
            guarded([this, inProgress] { deleteQuote(inProgress, u"Törölhető a kijelölt megrendelés?"_s); }));
    connect(m_ui->btn_leszallitva, &QPushButton::clicked, this, guarded([this] { markDelivered(); }));
    const OrderPopup popup2 = BuildOrderPopup(m_popup2, u"PopupMenu2"_s, u"2"_s, inProgress,
                                              u"Egyedi rendelésazonosítója (ide kattintva változtatható): "_s,
                                              u"Visszarakom az árajánlatok közé!"_s);
    connect(popup2.ownId, &QAction::triggered, this, guarded([this, inProgress] { setOwnIdentifier(inProgress); }));
    connect(popup2.folder, &QAction::triggered, this,
            guarded([this, inProgress] { setConfirmationNumber(inProgress, true); }));
    connect(popup2.kitchen, &QAction::triggered, this,
            guarded([this, inProgress] { setConfirmationNumber(inProgress, false); }));
    connect(popup2.back, &QAction::triggered, this, guarded([this, inProgress] {
                setStatus(inProgress, u"Biztos, hogy visszarakható az árajánlatok közé?"_s, u"0"_s);
            }));
    connect(m_ui->DBGridMegrendelesAlatt, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup2->popup(m_ui->DBGridMegrendelesAlatt->viewport()->mapToGlobal(at)); });

    // Page 3: delivered orders.
    TLister *delivered = db.lister(DeliveredLister);
    for (QLineEdit *filter :
         {m_ui->filter_le_megrendelo, m_ui->filter_le_rend_azon, m_ui->filter_le_mappaszam, m_ui->filter_le_basic})
        connect(filter, &QLineEdit::textChanged, this, guarded([this] { refreshDelivered(); }));
    connect(m_ui->btn_leszallitott_megnyitasa, &QPushButton::clicked, this,
            guarded([this, delivered] { openQuote(delivered); }));
    connect(m_ui->btn_munka_torlese, &QPushButton::clicked, this,
            guarded([this, delivered] { deleteQuote(delivered, u"Törölhető a kijelölt megrendelés?"_s); }));
    // On this page the identifier and the numbers are shown only.
    const OrderPopup popup3 =
        BuildOrderPopup(m_popup3, u"PopupMenu3"_s, u"3"_s, delivered, u"Egyedi rendelésazonosítója: "_s,
                        u"Visszarakom a megrendelés alatt lévők közé!"_s);
    connect(popup3.back, &QAction::triggered, this, guarded([this, delivered] {
                setStatus(delivered, u"Biztos, hogy visszarakható a megrendelés alattiak közé?"_s, u"1"_s);
            }));
    connect(m_ui->DBGridLeszallitott, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup3->popup(m_ui->DBGridLeszallitott->viewport()->mapToGlobal(at)); });

    // Page 4: notes.
    connect(m_ui->btn_uj_feljegyzes_irasa, &QPushButton::clicked, this, guarded([this] { editNote(false); }));
    connect(m_ui->btn_feljegyzes_modoasitasa, &QPushButton::clicked, this, guarded([this] { editNote(true); }));
    connect(m_ui->btn_feljegyzes_torlese, &QPushButton::clicked, this, guarded([this] { deleteNote(); }));
}

TQuoteListPages::~TQuoteListPages() = default;

void TQuoteListPages::showAfterLogin()
{
    const QSignalBlocker noRefreshTwice(m_ui->MainPage);
    m_ui->MainPage->setCurrentWidget(m_ui->TabSheet1);
    refreshAll();
    m_ui->filter_megrendelo_neve->setFocus();
}

void TQuoteListPages::refreshAll()
{
    refreshQuotes();
    refreshNotes();
    refreshOrdersInProgress();
    refreshDelivered();
}

void TQuoteListPages::refreshQuotes()
{
    const Statement s = QuoteListStatement(m_ui->filter_megrendelo_neve->text());
    RefreshLister(m_db, QuoteLister, s.sql, s.params);
    showOlderCatalogueWarning();
}

void TQuoteListPages::refreshNotes()
{
    RefreshLister(m_db, NotesLister, NotesStatement());
}

void TQuoteListPages::refreshOrdersInProgress()
{
    const Statement s =
        OrderListStatement(u"1"_s, m_ui->filter_ra_megrendelo->text(), m_ui->filter_ra_rend_azon->text(),
                           m_ui->filter_ra_mappaszam->text(), m_ui->filter_ra_basic->text());
    RefreshLister(m_db, InProgressLister, s.sql, s.params);
}

void TQuoteListPages::refreshDelivered()
{
    const Statement s =
        OrderListStatement(u"2"_s, m_ui->filter_le_megrendelo->text(), m_ui->filter_le_rend_azon->text(),
                           m_ui->filter_le_mappaszam->text(), m_ui->filter_le_basic->text());
    RefreshLister(m_db, DeliveredLister, s.sql, s.params);
}

void TQuoteListPages::showOlderCatalogueWarning()
{
    TLister *quotes = m_db.lister(QuoteLister);
    m_ui->korabbi_panel->hide();
    if (quotes->currentRow() < 0)
        return;
    // The date part of the recording time, compared as text with the installed versions.
    const QString recorded = quotes->currentValue(u"rogzites_ideje"_s).left(11);
    if (recorded < System().MaterialsCatalogueVersion || recorded < System().ForestCatalogueVersion)
        m_ui->korabbi_panel->show();
}

void TQuoteListPages::newQuote()
{
    Tarajanlat_indulas dialog(m_db, m_mainWindow);
    dialog.exec();
    refreshQuotes();
    if (!dialog.cancelled())
        OpenQuoteEditor(m_mainWindow, m_db, dialog.quoteType(), dialog.newQuoteId(), false);
}

void TQuoteListPages::openQuote(TLister *list)
{
    if (list->isEmpty())
        return;
    const QString id = list->currentKey();
    if (list->number() == QuoteLister && list->currentValue(u"statusza"_s) == u"1")
        ShowMessage(u"Figyelem! Ezt a rendelést már megrendelte."_s, m_mainWindow);
    OpenQuoteEditor(m_mainWindow, m_db, list->currentValue(u"arajanlat_tipus"_s), id, true);
    refreshAll();
}

void TQuoteListPages::openOrderInProgress()
{
    TLister *list = m_db.lister(InProgressLister);
    if (list->isEmpty())
        return;
    // Kitchen quotes of a catalogue older than the hinge change cannot be priced again.
    const auto info = tvr_info_get(m_db, u"1"_s);
    if (info && info->basic_katalogus_verzio < u"2010.04.16"_s) {
        ShowMessage(u"A BLUM pántok miatt frissíteni kell a DORVAT BASIC katalógust!"_s, m_mainWindow);
        return;
    }
    openQuote(list);
}

void TQuoteListPages::deleteQuote(TLister *list, const QString &question)
{
    if (list->isEmpty())
        return;
    const QString id = list->currentKey();
    if (!AskQuestion(question, m_mainWindow))
        return;
    RunSql(m_db, u"update tvr_arajanlat set active=0 where arajanlat_id=?"_s, {id});
    refreshAll();
}

void TQuoteListPages::orderQuote()
{
    TLister *quotes = m_db.lister(QuoteLister);
    if (quotes->isEmpty())
        return;
    const QString id = quotes->currentKey();
    const QString type = quotes->currentValue(u"arajanlat_tipus"_s);
    if (type != u"1") {
        // Only a kitchen-system quote has an order file for the manufacturer.
        ShowMessage(u"Csak DORVAT BASIC konyharendszer árajánlat rendelhető meg a programból. Ez a(z) „%1” "
                    u"árajánlat nem küldhető el."_s.arg(QuoteTypeText(type)),
                    m_mainWindow);
        return;
    }
    const bool ordered = quotes->currentValue(u"statusza"_s) == u"1";
    if (!AskQuestion(ordered ? u"Újrarendelhető a kijelölt rendelés?"_s : u"Megrendelhető a kijelölt rendelés?"_s,
                     m_mainWindow))
        return;
    if (Sender())
        Sender()(m_mainWindow, m_db, id);
    else
        ShowMessage(u"A megrendelés elküldése ebben a programváltozatban még nem érhető el: a rendelés NEM ment el "
                    u"a Dorvat Kft.-hez."_s,
                    m_mainWindow);
    refreshQuotes();
}

void TQuoteListPages::setOwnIdentifier(TLister *list)
{
    if (list->isEmpty())
        return;
    Tviszonteladoi_rendelesszam_hozzarendelese dialog(m_db, m_mainWindow);
    dialog.setQuoteId(list->currentKey());
    dialog.exec();
    refreshAll();
}

void TQuoteListPages::setConfirmationNumber(TLister *list, bool folder)
{
    if (list->isEmpty())
        return;
    Tvisszaigazolasi_szamok_bevitel dialog(m_db, m_mainWindow);
    dialog.setQuoteId(list->currentKey());
    dialog.setMode(folder ? Tvisszaigazolasi_szamok_bevitel::Mode::Folder
                          : Tvisszaigazolasi_szamok_bevitel::Mode::KitchenSystem);
    dialog.exec();
    refreshAll();
}

void TQuoteListPages::setStatus(TLister *list, const QString &question, const QString &status)
{
    if (list->isEmpty())
        return;
    const QString id = list->currentKey();
    if (!AskQuestion(question, m_mainWindow))
        return;
    RunSql(m_db, u"update tvr_arajanlat set statusza=? where arajanlat_id=?"_s, {status, id});
    refreshAll();
}

void TQuoteListPages::markDelivered()
{
    TLister *list = m_db.lister(InProgressLister);
    if (list->isEmpty())
        return;
    setStatus(list,
              u"Leszállítva? MAPPA:"_s + list->currentValue(u"munka_mappa_id"_s) + u" BASIC:"_s +
                  list->currentValue(u"basic_munka_id"_s) + u" RENDELÉS:"_s + list->currentValue(u"rendelesszam"_s),
              u"2"_s);
}

void TQuoteListPages::editNote(bool change)
{
    TLister *notes = m_db.lister(NotesLister);
    if (change && notes->isEmpty())
        return;
    Tfeljegyzes_bevitel dialog(m_db, m_mainWindow);
    dialog.setMode(change ? Tfeljegyzes_bevitel::Mode::Change : Tfeljegyzes_bevitel::Mode::New);
    if (change)
        dialog.setNoteId(notes->currentKey());
    dialog.exec();
    refreshNotes();
}

void TQuoteListPages::deleteNote()
{
    TLister *notes = m_db.lister(NotesLister);
    if (notes->isEmpty())
        return;
    const QString id = notes->currentKey();
    if (!AskQuestion(u"Törölhető a kijelölt megjegyzes?"_s, m_mainWindow))
        return;
    RunSql(m_db, u"delete from tvr_feljegyzesek where feljegyzes_id=?"_s, {id});
    refreshNotes();
}

} // namespace tvr

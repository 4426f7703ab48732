// The store-article chooser and the sinks page with both store ranges, the glass chooser, the
// installation note and the stock-handle dialog, driven by object name against a real encrypted
// database with the demo catalogue.

#include "database/DB_Listers.h"
#include "supplier/TSinksPage.h"
#include "supplier/Tarajanlathoz_raktari_fogo_bevitel.h"
#include "supplier/Taruhazi_termek_kivalaszto.h"
#include "supplier/Tdorvatbasic_helyszini_beszereles_megjegyzese.h"
#include "supplier/Tuveg_kivalasztasa.h"
#include "support/Gallery.h"

#include "SupplierTestSupport.h"

#include <QComboBox>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const QString WorkId = u"5"_s;

QStringList GridColumn(QTableView *grid, int column)
{
    QStringList values;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        values << grid->model()->index(r, column).data().toString();
    return values;
}

QStringList GridTitles(QTableView *grid)
{
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    return titles;
}

void SelectRow(QTableView *grid, int row)
{
    grid->setFocus();
    grid->selectionModel()->setCurrentIndex(grid->model()->index(row, 1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace

class StoreDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionsAndLimits_data();
    void captionsAndLimits();

    void chooserOffersOneRange_data();
    void chooserOffersOneRange();
    void chooserRowLimit_data();
    void chooserRowLimit();
    void chooserFilterNarrowsAsTyped();
    void chooserWritesTheChosenLine_data();
    void chooserWritesTheChosenLine();
    void chooserCancelWritesNothing_data();
    void chooserCancelWritesNothing();
    void chooserEmptyListWritesNothing();

    void sinksPageAddsToTheRangeOfItsButton_data();
    void sinksPageAddsToTheRangeOfItsButton();
    void sinksPageDeleteDeactivates_data();
    void sinksPageDeleteDeactivates();
    void sinksPageDeleteOnEmptyListAsksNothing();

    void glassChooserFiltersAndChooses();
    void glassChooserCancelAndEmptyChooseNothing();

    void installationNoteKeepsOneRow();
    void installationNoteCancelChangesNothing();

    void stockHandleRefusesWithoutQuantity_data();
    void stockHandleRefusesWithoutQuantity();
    void stockHandleIsWritten();
    void stockHandleWithoutHandlesRefuses();

    void gallery();

private:
    std::unique_ptr<SupplierData> m_data;
};

void StoreDialogsTest::init()
{
    ResetModalAnswers();
    m_data = std::make_unique<SupplierData>();
}

void StoreDialogsTest::cleanup()
{
    const auto errors = m_data->errors->errors;
    m_data.reset();
    QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run");
    QVERIFY(!QApplication::activeModalWidget());
    for (const auto &[message, detail] : errors)
        qWarning("unexpected error: %s / %s", qPrintable(message), qPrintable(detail));
    QVERIFY(errors.empty());
}

// ---------------------------------------------------------------------------------------------

using WidgetFactory = std::function<std::unique_ptr<QWidget>(TDatabaseConnection &)>;
Q_DECLARE_METATYPE(WidgetFactory)

void StoreDialogsTest::captionsAndLimits_data()
{
    QTest::addColumn<WidgetFactory>("factory");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("borderless");
    QTest::addColumn<QStringList>("texts");  // control=text (labels and buttons)
    QTest::addColumn<QStringList>("limits"); // field=maximum length

    QTest::newRow("chooser") << WidgetFactory([](TDatabaseConnection &db) -> std::unique_ptr<QWidget> {
        return std::make_unique<Taruhazi_termek_kivalaszto>(db);
    }) << u"Taruhazi_termek_kivalaszto"_s
                             << u"Mosogatótálca kiválasztása DORVAT BASIC konyhabútorhoz"_s << false
                             << QStringList{u"lab_cikkszam=cikkszám"_s,
                                            u"lab_szifon=(a szifon cikkszáma: SZIFON)"_s,
                                            u"lab_termek_neve=Szűrés a termék nevére"_s,
                                            u"lab_utolso=Utolsó "_s,
                                            u"lab_listazza=-t listázza"_s,
                                            u"lab_enter=<-ENTER"_s,
                                            u"lab_cim=mosogatótálca kiválasztása"_s,
                                            u"btn_tovabb=Rögzítés"_s,
                                            u"BrevoButton1=Mégsem"_s}
                             << QStringList{u"limit=6"_s};
    QTest::newRow("glass") << WidgetFactory([](TDatabaseConnection &db) -> std::unique_ptr<QWidget> {
        return std::make_unique<Tuveg_kivalasztasa>(db);
    }) << u"Tuveg_kivalasztasa"_s
                           << u"ÜVEG KIVÁLASZTÁSA"_s << true
                           << QStringList{u"lab_cim=ÜVEG KIVÁLASZTÁSA"_s, u"lab_filtertext=Szűrés az üveg nevére:"_s,
                                          u"lab_enter=<-ENTER"_s, u"btn_ok=OK, KIVÁLASZTOM"_s, u"btn_megsem=Mégsem"_s}
                           << QStringList{};
    QTest::newRow("note") << WidgetFactory([](TDatabaseConnection &db) -> std::unique_ptr<QWidget> {
        return std::make_unique<Tdorvatbasic_helyszini_beszereles_megjegyzese>(db);
    }) << u"Tdorvatbasic_helyszini_beszereles_megjegyzese"_s
                          << u"Helyszíni beszerelésre vonatkozó megjegyzések"_s << true
                          << QStringList{u"lab_cim=Helyszíni beszerelésre vonatkozó megjegyzések"_s,
                                         u"lab_szerelesi_megjegyzes=A megjegyzés:"_s, u"btn_rogzites=Rögzítés"_s,
                                         u"btn_megsem=Mégsem"_s}
                          << QStringList{};
    QTest::newRow("handle") << WidgetFactory([](TDatabaseConnection &db) -> std::unique_ptr<QWidget> {
        return std::make_unique<Tarajanlathoz_raktari_fogo_bevitel>(db);
    }) << u"Tarajanlathoz_raktari_fogo_bevitel"_s
                            << u"Raktári fogó"_s << true
                            << QStringList{u"lab_cikkszam=Cikkszám"_s, u"lab_x=X"_s, u"lab_mennyiseg=Mennyiség"_s,
                                           u"btn_rogzites=Rögzítés"_s, u"btn_megsem=Mégsem"_s}
                            << QStringList{u"mennyiseg=4"_s};
    QTest::newRow("sinks page") << WidgetFactory([](TDatabaseConnection &db) -> std::unique_ptr<QWidget> {
        return std::make_unique<TSinksPage>(db);
    }) << u"TSinksPage"_s << QString()
                                << false
                                << QStringList{u"Label23=Az Ecorgan szórólapból:"_s,
                                               u"Label21=A DORVAT KFT által forgalmazott olcsó mosogatótálcákból:"_s,
                                               u"lab_vestra_440x780=440x780"_s,
                                               u"lab_vestra_760x435=760x435"_s,
                                               u"lab_vestra_480=átm:480mm"_s,
                                               u"lab_vestra_480x480=480x480"_s,
                                               u"btn_ecorgan_uj=Új tétel"_s,
                                               u"btn_vestra_uj=Új tétel"_s,
                                               u"btn_ecorgan_torles=Törlés"_s,
                                               u"btn_vestra_torles=Törlés"_s}
                                << QStringList{};
}

void StoreDialogsTest::captionsAndLimits()
{
    QFETCH(WidgetFactory, factory);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, borderless);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, limits);

    const auto widget = factory(*m_data->db);
    QCOMPARE(widget->objectName(), name);
    QCOMPARE(widget->windowTitle(), caption);
    QCOMPARE(bool(widget->windowFlags() & Qt::FramelessWindowHint), borderless);
    for (const QString &entry : texts) {
        QWidget *control = Find(widget.get(), entry.section(u'=', 0, 0));
        const QString text = entry.section(u'=', 1);
        if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), text);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), text);
        else
            QFAIL(qPrintable(entry));
    }
    for (const QString &entry : limits)
        QCOMPARE(Find<QLineEdit>(widget.get(), entry.section(u'=', 0, 0))->maxLength(), entry.section(u'=', 1).toInt());
}

// ---------------------------------------------------------------------------------------------
// Store-article chooser

void StoreDialogsTest::chooserOffersOneRange_data()
{
    QTest::addColumn<bool>("vestra");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("caption");
    // By name; never an article that cannot be ordered (EC-GR-090, DV-INOX-8050) or is inactive.
    QTest::newRow("Ecorgan") << false << QStringList{u"EC-CSAP-30"_s, u"EC-CSAP-20"_s, u"EC-CSAP-10"_s, u"EC-GR-100"_s,
                                                     u"EC-GR-150"_s,  u"EC-GR-200"_s,  u"EC-GR-R48"_s,  u"EC-GR-080"_s,
                                                     u"SZIFON"_s,     u"SZIFON-2"_s}
                             << u"kiválaszt:EC-CSAP-30 (Ára: 50\u00a0165 Ft)"_s;
    QTest::newRow("store's own") << true
                                 << QStringList{u"DV-CSAP-01"_s, u"DV-INOX-7844"_s, u"DV-INOX-7643"_s, u"DV-INOX-R48"_s,
                                                u"DV-INOX-4848"_s}
                                 << u"kiválaszt:DV-CSAP-01 (Ára: 20\u00a0193 Ft)"_s;
}

void StoreDialogsTest::chooserOffersOneRange()
{
    QFETCH(bool, vestra);
    QFETCH(QStringList, numbers);
    QFETCH(QString, caption);
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    chooser.setStoreRange(vestra);
    chooser.setPriceMultiplier(1.0);
    QVERIFY(ShowActive(chooser));
    auto *grid = Find<QTableView>(&chooser, u"DBGridTermekek"_s);
    QCOMPARE(GridTitles(grid), (QStringList{u"Cikkszám"_s, u"Megnevezés"_s, u"Méret"_s}));
    QCOMPARE(GridColumn(grid, 1), numbers);
    QCOMPARE(Find<QLineEdit>(&chooser, u"limit"_s)->text(), u"10"_s);
    QCOMPARE(FocusedName(), u"filter_cikkszam"_s);
    QCOMPARE(Find<QPushButton>(&chooser, u"btn_tovabb"_s)->text(), caption);
    chooser.reject();
}

void StoreDialogsTest::chooserRowLimit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("shown");
    QTest::newRow("3") << u"3"_s << 3 << u"3"_s;
    QTest::newRow("1") << u"1"_s << 1 << u"1"_s;
    QTest::newRow("0") << u"0"_s << 0 << u"0"_s;
    QTest::newRow("empty becomes 10") << QString() << 10 << u"10"_s;
    QTest::newRow("more than there are") << u"500"_s << 11 << u"500"_s;
    QTest::newRow("letters are not typed") << u"2x;"_s << 2 << u"2"_s;
}

void StoreDialogsTest::chooserRowLimit()
{
    QFETCH(QString, typed);
    QFETCH(int, rows);
    QFETCH(QString, shown);
    // More Ecorgan articles than the default limit, so that 10 is a real limit.
    m_data->db->execute(u"insert into tvr_r_aruhazi_arucikkek (aruhazi_arucikk_id,cikkszam,megnevezes,meret,"
                        u"mennyiseg_egyseg,netto_eladasi_ar,akcios_blanco,rendelheto,vestra,active) values "
                        u"('80','EC-ZZ-1','Zuhanyfej','','db','100.00','0','1','0','1')"_s);
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    chooser.setStoreRange(false);
    QVERIFY(ShowActive(chooser));
    auto *grid = Find<QTableView>(&chooser, u"DBGridTermekek"_s);
    QCOMPARE(grid->model()->rowCount(), 10);
    auto *limit = Find<QLineEdit>(&chooser, u"limit"_s);
    Retype(limit, typed);
    QTest::keyClick(limit, Qt::Key_Return);
    QCOMPARE(limit->text(), shown);
    m_data->db->lister(Taruhazi_termek_kivalaszto::ArticleLister)->fetchAll();
    QCOMPARE(grid->model()->rowCount(), rows);
    QCOMPARE(Find<QPushButton>(&chooser, u"btn_tovabb"_s)->text().startsWith(u"kiválaszt:"_s), rows > 0);
    chooser.reject();
}

void StoreDialogsTest::chooserFilterNarrowsAsTyped()
{
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    chooser.setStoreRange(false);
    QVERIFY(ShowActive(chooser));
    auto *grid = Find<QTableView>(&chooser, u"DBGridTermekek"_s);
    auto *number = Find<QLineEdit>(&chooser, u"filter_cikkszam"_s);
    TypeText(number, u"SZ"_s);
    QCOMPARE(GridColumn(grid, 1), (QStringList{u"SZIFON"_s, u"SZIFON-2"_s}));
    TypeText(number, u"IFON-"_s);
    QCOMPARE(GridColumn(grid, 1), (QStringList{u"SZIFON-2"_s}));
    Retype(number, QString());
    TypeText(Find<QLineEdit>(&chooser, u"filter_termek_neve"_s), u"Gránit k"_s);
    QCOMPARE(GridColumn(grid, 1), (QStringList{u"EC-GR-R48"_s, u"EC-GR-080"_s}));
    // Text that means something to the statement is looked for as typed: nothing has it.
    Retype(Find<QLineEdit>(&chooser, u"filter_termek_neve"_s), u"\"%_"_s);
    QCOMPARE(grid->model()->rowCount(), 0);
    QCOMPARE(Find<QPushButton>(&chooser, u"btn_tovabb"_s)->text(), u"Rögzítés"_s);
    chooser.reject();
}

void StoreDialogsTest::chooserWritesTheChosenLine_data()
{
    QTest::addColumn<bool>("vestra");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("prices"); // gross, net at quote time, net, purchase
    QTest::newRow("Ecorgan by filter") << false << u"EC-GR-100"_s << 0 << u"1"_s << u"EC-GR-100"_s
                                       << QStringList{u"88773.00"_s, u"69900"_s, u"69900.00"_s, u"69900.00"_s};
    QTest::newRow("store's own, second row") << true << QString() << 1 << u"21"_s << u"DV-INOX-7844"_s
                                             << QStringList{u"31623.00"_s, u"24900"_s, u"24900.00"_s, u"24900.00"_s};
}

void StoreDialogsTest::chooserWritesTheChosenLine()
{
    QFETCH(bool, vestra);
    QFETCH(QString, filter);
    QFETCH(int, row);
    QFETCH(QString, id);
    QFETCH(QString, number);
    QFETCH(QStringList, prices);
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    chooser.setStoreRange(vestra);
    chooser.setPriceMultiplier(1.0);
    QVERIFY(ShowActive(chooser));
    if (!filter.isEmpty())
        TypeText(Find<QLineEdit>(&chooser, u"filter_cikkszam"_s), filter);
    SelectRow(Find<QTableView>(&chooser, u"DBGridTermekek"_s), row);
    auto *button = Find<QPushButton>(&chooser, u"btn_tovabb"_s);
    QVERIFY(button->text().startsWith(u"kiválaszt:"_s + number + u" (Ára: "_s));
    QTest::mouseClick(button, Qt::LeftButton);

    QVERIFY(!chooser.isVisible());
    QVERIFY(!chooser.cancelled());
    QCOMPARE(chooser.chosenId(), id);
    QCOMPARE(m_data->count(u"tvr_b_basic_ecorgan_termekek"_s), 1);
    const QStringList stored = m_data->row(
        u"select aruhazi_arucikk_id,cikkszam,mennyiseg,basic_munka_id,rogzitette,rogzites_ideje,active,"
        u"arajanlatkor_brutto_eladasi_ar,arajanlatkor_brutto_egysegar,kedv_arajanlatkor_brutto_eladasi_ar,"
        u"kedv_arajanatkor_brutto_egysegar,arajanlatkor_netto_eladasi_ar,kedv_arajanlatkor_netto_eladasi_ar,"
        u"netto_eladasi_ar,netto_beszerzesi_ar,kedvezmeny_szazalek from tvr_b_basic_ecorgan_termekek"_s);
    const QStringList expected{id,        number,    u"1"_s,    WorkId,    SupplierUserId(), SupplierNowText(),
                               u"1"_s,    prices[0], prices[0], prices[0], prices[0],        prices[1],
                               prices[2], prices[2], prices[3], QString()};
    QCOMPARE(stored, expected);
}

void StoreDialogsTest::chooserCancelWritesNothing_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Mégsem") << false;
    QTest::newRow("Escape") << true;
}

void StoreDialogsTest::chooserCancelWritesNothing()
{
    QFETCH(bool, byEscape);
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    QVERIFY(ShowActive(chooser));
    SelectRow(Find<QTableView>(&chooser, u"DBGridTermekek"_s), 2);
    if (byEscape) {
        Find<QLineEdit>(&chooser, u"filter_cikkszam"_s)->setFocus();
        Press(Qt::Key_Escape);
    } else {
        QTest::mouseClick(Find<QPushButton>(&chooser, u"BrevoButton1"_s), Qt::LeftButton);
    }
    QVERIFY(!chooser.isVisible());
    QVERIFY(chooser.cancelled());
    QCOMPARE(chooser.chosenId(), u"0"_s);
    QCOMPARE(m_data->count(u"tvr_b_basic_ecorgan_termekek"_s), 0);
}

void StoreDialogsTest::chooserEmptyListWritesNothing()
{
    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    QVERIFY(ShowActive(chooser));
    TypeText(Find<QLineEdit>(&chooser, u"filter_cikkszam"_s), u"NINCS-ILYEN"_s);
    QTest::mouseClick(Find<QPushButton>(&chooser, u"btn_tovabb"_s), Qt::LeftButton);
    QVERIFY(chooser.isVisible());
    QVERIFY(chooser.cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_ecorgan_termekek"_s), 0);
    chooser.reject();
}

// ---------------------------------------------------------------------------------------------
// Sinks page

void StoreDialogsTest::sinksPageAddsToTheRangeOfItsButton_data()
{
    QTest::addColumn<bool>("vestra");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("ecorganRows");
    QTest::addColumn<QStringList>("vestraRows");
    QTest::newRow("Ecorgan") << false << u"SZIFON-2"_s << QStringList{u"SZIFON-2"_s} << QStringList{};
    QTest::newRow("store's own") << true << u"DV-INOX-R48"_s << QStringList{} << QStringList{u"DV-INOX-R48"_s};
}

void StoreDialogsTest::sinksPageAddsToTheRangeOfItsButton()
{
    QFETCH(bool, vestra);
    QFETCH(QString, filter);
    QFETCH(QStringList, ecorganRows);
    QFETCH(QStringList, vestraRows);
    TSinksPage page(*m_data->db);
    page.setWork(WorkId, 1.0);
    page.resize(1000, 440);
    page.show();
    page.refresh();
    auto *ecorgan = Find<QTableView>(&page, u"DBGridEcorgan"_s);
    auto *own = Find<QTableView>(&page, u"DBGridVestra"_s);
    QCOMPARE(GridTitles(ecorgan),
             (QStringList{u"Cikkszám"_s, u"Tipus"_s, u"Méret"_s, u"M."_s, u"M.E."_s, u"bruttó ár"_s}));
    QCOMPARE(GridTitles(own), GridTitles(ecorgan));
    QCOMPARE(ecorgan->model()->rowCount(), 0);

    bool chosen = false;
    AnswerModal(u"Taruhazi_termek_kivalaszto"_s, [&](QWidget *dialog) {
        auto *chooser = qobject_cast<Taruhazi_termek_kivalaszto *>(dialog);
        QVERIFY(chooser);
        QCOMPARE(chooser->storeRange(), vestra);
        QCOMPARE(chooser->workId(), WorkId);
        TypeText(Find<QLineEdit>(dialog, u"filter_cikkszam"_s), filter);
        QTest::mouseClick(Find<QPushButton>(dialog, u"btn_tovabb"_s), Qt::LeftButton);
        chosen = true;
    });
    QTest::mouseClick(Find<QPushButton>(&page, vestra ? u"btn_vestra_uj"_s : u"btn_ecorgan_uj"_s), Qt::LeftButton);
    QVERIFY(chosen);
    QCOMPARE(GridColumn(ecorgan, 1), ecorganRows);
    QCOMPARE(GridColumn(own, 1), vestraRows);
    QCOMPARE(m_data->count(u"tvr_b_basic_ecorgan_termekek"_s, u"basic_munka_id='5' and mennyiseg='1'"_s), 1);
}

void StoreDialogsTest::sinksPageDeleteDeactivates_data()
{
    QTest::addColumn<bool>("vestra");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Ecorgan, yes") << false << true;
    QTest::newRow("Ecorgan, no") << false << false;
    QTest::newRow("store's own, yes") << true << true;
    QTest::newRow("store's own, no") << true << false;
}

void StoreDialogsTest::sinksPageDeleteDeactivates()
{
    QFETCH(bool, vestra);
    QFETCH(bool, yes);
    for (const auto &[article, number] : {std::pair{u"1"_s, u"EC-GR-100"_s},
                                          {u"9"_s, u"SZIFON"_s},
                                          {u"21"_s, u"DV-INOX-7844"_s},
                                          {u"23"_s, u"DV-INOX-R48"_s}})
        m_data->db->execute(u"insert into tvr_b_basic_ecorgan_termekek (aruhazi_arucikk_id,cikkszam,mennyiseg,"
                            u"basic_munka_id,arajanlatkor_brutto_eladasi_ar) values (?,?,'1','5','1.00')"_s,
                            {article, number});
    TSinksPage page(*m_data->db);
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    auto *grid = Find<QTableView>(&page, vestra ? u"DBGridVestra"_s : u"DBGridEcorgan"_s);
    auto *other = Find<QTableView>(&page, vestra ? u"DBGridEcorgan"_s : u"DBGridVestra"_s);
    QCOMPARE(grid->model()->rowCount(), 2);
    SelectRow(grid, 1);
    const QString deleted = vestra ? u"DV-INOX-R48"_s : u"SZIFON"_s;
    QCOMPARE(grid->model()->index(1, 1).data().toString(), deleted);

    bool asked = false;
    AnswerQuestion(u"Biztos, hogy törölhető a tétel?"_s, yes, asked);
    QTest::mouseClick(Find<QPushButton>(&page, vestra ? u"btn_vestra_torles"_s : u"btn_ecorgan_torles"_s),
                      Qt::LeftButton);
    QVERIFY(asked);
    QCOMPARE(grid->model()->rowCount(), yes ? 1 : 2);
    QCOMPARE(other->model()->rowCount(), 2);
    // The row stays, deactivated.
    QCOMPARE(m_data->count(u"tvr_b_basic_ecorgan_termekek"_s), 4);
    QCOMPARE(m_data->row(u"select active from tvr_b_basic_ecorgan_termekek where cikkszam=?"_s, {deleted}),
             QStringList{yes ? u"0"_s : u"1"_s});
}

void StoreDialogsTest::sinksPageDeleteOnEmptyListAsksNothing()
{
    TSinksPage page(*m_data->db);
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    // A question would block here: nothing may open.
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_vestra_torles"_s), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_ecorgan_torles"_s), Qt::LeftButton);
    QCOMPARE(PendingModalAnswers(), 0);
}

// ---------------------------------------------------------------------------------------------
// Glass chooser

void StoreDialogsTest::glassChooserFiltersAndChooses()
{
    Tuveg_kivalasztasa dialog(*m_data->db);
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.chosenId(), u"0"_s);
    auto *grid = Find<QTableView>(&dialog, u"DBGridUveg"_s);
    QCOMPARE(GridTitles(grid), QStringList{u"Üveg neve"_s});
    QCOMPARE(grid->model()->rowCount(), 7);
    auto *filter = Find<QLineEdit>(&dialog, u"filtertext"_s);
    TypeText(filter, u"F"_s);
    QCOMPARE(grid->model()->rowCount(), 7); // the filter applies on Enter
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(GridColumn(grid, 1), (QStringList{u"Fehérre festett üveg 4mm"_s, u"Füstszürke float 4mm"_s}));
    SelectRow(grid, 1);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_ok"_s), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(dialog.chosenId(), u"5"_s);
    QCOMPARE(dialog.chosenName(), u"Füstszürke float 4mm"_s);
    QCOMPARE(dialog.chosenUnitPrice(), u"10200.00"_s);
}

void StoreDialogsTest::glassChooserCancelAndEmptyChooseNothing()
{
    Tuveg_kivalasztasa dialog(*m_data->db);
    QVERIFY(ShowActive(dialog));
    auto *filter = Find<QLineEdit>(&dialog, u"filtertext"_s);
    TypeText(filter, u"Nincs ilyen"_s);
    QTest::keyClick(filter, Qt::Key_Return);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_ok"_s), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.chosenId(), u"0"_s);
    Press(Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(dialog.chosenId(), u"0"_s);
}

// ---------------------------------------------------------------------------------------------
// Installation note

void StoreDialogsTest::installationNoteKeepsOneRow()
{
    m_data->db->execute(u"insert into tvr_b_basic_munka_megjegyzes (basic_munka_id,szerelesi_megjegyzes) values "
                        u"('6','Másik munka')"_s);
    for (const QString &text : {u"A falat előtte vakolni kell"_s, u"Második: \"emelet\" 50% _"_s}) {
        Tdorvatbasic_helyszini_beszereles_megjegyzese dialog(*m_data->db);
        dialog.setWorkId(WorkId);
        QVERIFY(ShowActive(dialog));
        QCOMPARE(FocusedName(), u"szerelesi_megjegyzes"_s);
        Retype(Find<QLineEdit>(&dialog, u"szerelesi_megjegyzes"_s), text);
        Press(Qt::Key_Return);
        QCOMPARE(FocusedName(), u"btn_rogzites"_s);
        QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.cancelled());
        QCOMPARE(m_data->row(u"select szerelesi_megjegyzes,active from tvr_b_basic_munka_megjegyzes where "
                             u"basic_munka_id='5'"_s),
                 (QStringList{text, u"1"_s}));
    }
    // Opening it again shows the stored text; the other work's note is untouched.
    Tdorvatbasic_helyszini_beszereles_megjegyzese dialog(*m_data->db);
    dialog.setWorkId(WorkId);
    QVERIFY(ShowActive(dialog));
    QCOMPARE(Find<QLineEdit>(&dialog, u"szerelesi_megjegyzes"_s)->text(), u"Második: \"emelet\" 50% _"_s);
    dialog.reject();
    QCOMPARE(m_data->count(u"tvr_b_basic_munka_megjegyzes"_s), 2);
    QCOMPARE(m_data->row(u"select szerelesi_megjegyzes from tvr_b_basic_munka_megjegyzes where basic_munka_id='6'"_s),
             QStringList{u"Másik munka"_s});
}

void StoreDialogsTest::installationNoteCancelChangesNothing()
{
    m_data->db->execute(u"insert into tvr_b_basic_munka_megjegyzes (basic_munka_id,szerelesi_megjegyzes) values "
                        u"('5','Eredeti')"_s);
    Tdorvatbasic_helyszini_beszereles_megjegyzese dialog(*m_data->db);
    dialog.setWorkId(WorkId);
    QVERIFY(ShowActive(dialog));
    Retype(Find<QLineEdit>(&dialog, u"szerelesi_megjegyzes"_s), u"Más"_s);
    Press(Qt::Key_Escape);
    QVERIFY(dialog.cancelled());
    QCOMPARE(m_data->row(u"select szerelesi_megjegyzes from tvr_b_basic_munka_megjegyzes"_s),
             QStringList{u"Eredeti"_s});
}

// ---------------------------------------------------------------------------------------------
// Stock handles

void StoreDialogsTest::stockHandleRefusesWithoutQuantity_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::newRow("empty") << QString();
    QTest::newRow("0") << u"0"_s;
    QTest::newRow("0000") << u"0000"_s;
}

void StoreDialogsTest::stockHandleRefusesWithoutQuantity()
{
    QFETCH(QString, quantity);
    Tarajanlathoz_raktari_fogo_bevitel dialog(*m_data->db);
    dialog.setWorkId(WorkId);
    QVERIFY(ShowActive(dialog));
    TypeText(Find<QLineEdit>(&dialog, u"mennyiseg"_s), quantity);
    bool seen = false;
    ExpectMessage(u"Mennyiséget meg kell adni!"_s, seen);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(dialog.isVisible());
    // The window's focus (the message has just closed, so the window may not be active yet).
    QCOMPARE(dialog.focusWidget()->objectName(), u"mennyiseg"_s);
    QCOMPARE(m_data->count(u"tvr_b_basic_raktari_fogok"_s), 0);
    dialog.reject();
}

void StoreDialogsTest::stockHandleIsWritten()
{
    Tarajanlathoz_raktari_fogo_bevitel dialog(*m_data->db);
    dialog.setWorkId(WorkId);
    QVERIFY(ShowActive(dialog));
    auto *selector = Find<QComboBox>(&dialog, u"fogo_selector"_s);
    // Active handles by article number, the first selected; the inactive RF-160-INOX is not offered.
    QStringList offered;
    for (int i = 0; i < selector->count(); ++i)
        offered << selector->itemText(i);
    QCOMPARE(offered, (QStringList{u"GF-30-KROM"_s, u"IF-96-BRONZ"_s, u"IF-96-NIKKEL"_s, u"RF-128-ALU"_s,
                                   u"RF-128-FEKETE"_s, u"RF-128-INOX"_s}));
    QCOMPARE(selector->currentIndex(), 0);
    QCOMPARE(FocusedName(), u"mennyiseg"_s);
    selector->setCurrentIndex(5);
    TypeText(Find<QLineEdit>(&dialog, u"mennyiseg"_s), u"12a5"_s); // letters are not taken
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzites"_s);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(m_data->row(u"select raktari_fogo_id,mennyiseg,active,rogzitette,rogzites_ideje,basic_munka_id from "
                         u"tvr_b_basic_raktari_fogok"_s),
             (QStringList{u"1"_s, u"125"_s, u"1"_s, SupplierUserId(), SupplierNowText(), WorkId}));
}

void StoreDialogsTest::stockHandleWithoutHandlesRefuses()
{
    m_data->db->execute(u"update tvr_raktari_fogok set active='0'"_s);
    Tarajanlathoz_raktari_fogo_bevitel dialog(*m_data->db);
    dialog.setWorkId(WorkId);
    QVERIFY(ShowActive(dialog));
    TypeText(Find<QLineEdit>(&dialog, u"mennyiseg"_s), u"4"_s);
    bool seen = false;
    ExpectMessage(u"Nincs kiválasztott raktári fogó!"_s, seen);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_data->count(u"tvr_b_basic_raktari_fogok"_s), 0);
    dialog.reject();
}

// ---------------------------------------------------------------------------------------------

void StoreDialogsTest::gallery()
{
    for (const auto &[article, number, price] : {std::tuple{u"1"_s, u"EC-GR-100"_s, u"88773.00"_s},
                                                 {u"7"_s, u"EC-CSAP-20"_s, u"59563.00"_s},
                                                 {u"9"_s, u"SZIFON"_s, u"8763.00"_s},
                                                 {u"21"_s, u"DV-INOX-7844"_s, u"31623.00"_s},
                                                 {u"12"_s, u"EC-CSAP-05"_s, u"29083.00"_s}})
        m_data->db->execute(u"insert into tvr_b_basic_ecorgan_termekek (aruhazi_arucikk_id,cikkszam,mennyiseg,"
                            u"basic_munka_id,arajanlatkor_brutto_eladasi_ar) values (?,?,'1','5',?)"_s,
                            {article, number, price});
    TSinksPage page(*m_data->db);
    page.setWork(WorkId, 1.0);
    page.resize(1100, 460);
    page.show();
    page.refresh();
    QVERIFY(!SaveToGallery(&page, u"supplier_TSinksPage"_s).isEmpty());

    Taruhazi_termek_kivalaszto chooser(*m_data->db);
    chooser.setWorkId(WorkId);
    QVERIFY(ShowActive(chooser));
    TypeText(Find<QLineEdit>(&chooser, u"filter_termek_neve"_s), u"Gránit"_s);
    SelectRow(Find<QTableView>(&chooser, u"DBGridTermekek"_s), 1);
    QVERIFY(!SaveToGallery(&chooser, u"supplier_Taruhazi_termek_kivalaszto"_s).isEmpty());
    chooser.reject();

    Tuveg_kivalasztasa glass(*m_data->db);
    QVERIFY(ShowActive(glass));
    QVERIFY(!SaveToGallery(&glass, u"supplier_Tuveg_kivalasztasa"_s).isEmpty());
    glass.reject();

    m_data->db->execute(u"insert into tvr_b_basic_munka_megjegyzes (basic_munka_id,szerelesi_megjegyzes) values "
                        u"('5','A mosogatóhoz a vízbekötés a bal oldalon, 60 cm magasan van.')"_s);
    Tdorvatbasic_helyszini_beszereles_megjegyzese note(*m_data->db);
    note.setWorkId(WorkId);
    QVERIFY(ShowActive(note));
    QVERIFY(!SaveToGallery(&note, u"supplier_Tdorvatbasic_helyszini_beszereles_megjegyzese"_s).isEmpty());
    note.reject();

    Tarajanlathoz_raktari_fogo_bevitel handle(*m_data->db);
    handle.setWorkId(WorkId);
    QVERIFY(ShowActive(handle));
    TypeText(Find<QLineEdit>(&handle, u"mennyiseg"_s), u"14"_s);
    QVERIFY(!SaveToGallery(&handle, u"supplier_Tarajanlathoz_raktari_fogo_bevitel"_s).isEmpty());
    handle.reject();
}

QTEST_MAIN(StoreDialogsTest)
#include "test_store_dialogs.moc"

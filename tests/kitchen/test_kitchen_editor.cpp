// The kitchen quote editor: the work made once for a new quote (all or nothing), the cut panel
// page with its lists, filters, warning and actions, the customer labels and the banner, and the
// road from the main window: new quote, panels and a worktop, close, reopen, all there.

#include "KitchenFixture.h"
#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/DB_Schema.h"
#include "database/IFACE_BASE_tvr.h"
#include "database/InstallationSettings.h"
#include "kitchen/Tdorvatbasic_bevitel.h"
#include "platform/Windows1250.h"
#include "shell/StartProgram.h"
#include "shell/TMainForm.h"
#include "support/FtpServer.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"
#include "transfer/UpdateFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

template <class T = QWidget> T *Find(const QWidget *w, const QString &name)
{
    return FindNamed<T>(w, name);
}

void AddPanel(KitchenFixture &f, const QString &a, const QString &panelId, const QString &name,
              const QString &active = u"1"_s)
{
    f.db->execute(u"insert into tvr_b_basic_szabott_lapok (basic_munka_id,active,butorlap_id,a,b,db,elzaro1_id,"
                  u"elzaro2_id,elzaro1_kod,elzaro2_kod,tetel_brutto_erteke,rogzites_ideje) values (?,?,?,?,'400','1',"
                  u"'0','0','','','1000.00',?)"_s,
                  {f.workId, active, panelId, a, name});
}

void AddWorktop(KitchenFixture &f, const QString &worktopId, const QString &active = u"1"_s)
{
    f.db->execute(u"insert into tvr_b_basic_szabott_munkalapok (basic_munka_id,active,munkalap_id,hossz,melyseg,"
                  u"darab,elzaro_kod,kedv_ar_munkalap) values (?,?,?,'3000','600','1','','30000.00')"_s,
                  {f.workId, active, worktopId});
}

// One value read from a plain (order) file, as the manufacturer reads it.
QString PlainValue(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    QString value;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            value = FromWindows1250(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return value;
}

QStringList Column(TLister *list, const QString &column)
{
    list->fetchAll();
    QStringList values;
    for (int r = 0; r < list->rowCount(); ++r)
        values << list->value(r, column);
    return values;
}

struct Editor {
    std::unique_ptr<Tdorvatbasic_bevitel> window;
    explicit Editor(KitchenFixture &f) : window(std::make_unique<Tdorvatbasic_bevitel>(*f.db))
    {
        window->setQuote(f.quoteId);
        window->setWork(f.workId);
        window->setExistingWork(!f.workId.isEmpty());
        window->setFirstActivation(true);
    }
    Tdorvatbasic_bevitel *operator->() const { return window.get(); }
    template <class T = QWidget> T *find(const QString &name) const { return Find<T>(window.get(), name); }
    void click(const QString &button) const { find<QPushButton>(button)->click(); }
};

} // namespace

class KitchenEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ResetModalAnswers();
        System().CurrentUserId = u"1"_s;
    }
    void cleanup()
    {
        QVERIFY(AllModalsAnswered());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aNewQuoteGetsItsWorkOnce()
    {
        KitchenFixture f(false);
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        QCOMPARE(e->objectName(), u"Tdorvatbasic_bevitel"_s);
        QCOMPARE(e->windowTitle(), u"Dorvat Kft. - Lapszabászati megrendelések"_s);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_munka"_s), u"1"_s);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_automatikusan_szamolt"_s), u"1"_s);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_arajanlaton_szerepel"_s), u"1"_s);
        QCOMPARE(e->workId(), f.value(u"select basic_munka_id from tvr_b_basic_munka"_s));
        QCOMPARE(f.value(u"select arajanlat_id from tvr_b_basic_munka"_s), f.quoteId);
        // The demo's plinth price 2000 less 10 %.
        QCOMPARE(f.value(u"select egys_szokli from tvr_b_basic_arajanlaton_szerepel"_s), u"1800"_s);
        e->hide();
        QVERIFY(ShowActive(*e.window));
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_munka"_s), u"1"_s);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_arajanlaton_szerepel"_s), u"1"_s);

        // The pages, in order; only four have tabs.
        auto *pages = e.find<QTabWidget>(u"MainPage"_s);
        QCOMPARE(pages->count(), 8);
        const QStringList names{u"Page1"_s, u"Page2"_s, u"Page3"_s, u"Page4"_s,
                                u"Page5"_s, u"Page6"_s, u"Page7"_s, u"Page8"_s};
        const QStringList titles{
            u"Korpuszok, front, munkalap"_s, u"Kiegészítő tételek"_s, u"Szabott lapok"_s, u"FOREST"_s,
            u"Mosogatótálcák, Ecorgan"_s,    u"Üveg stb.."_s,         u"Raktári fogók"_s, u"Nettfront rendelések"_s};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(pages->widget(i)->objectName(), names[i]);
            QCOMPARE(pages->tabText(i), titles[i]);
            QCOMPARE(pages->isTabVisible(i), i == 2 || i == 3 || i == 4 || i == 7);
        }
        QCOMPARE(pages->currentWidget()->objectName(), u"Page3"_s);
        QVERIFY(!e.find(u"btn_arajanlat"_s)->isVisible());
        QCOMPARE(e.find<QLabel>(u"lab_megrendelo"_s)->text(), u"Kovács Ödön"_s);
        QCOMPARE(e.find<QLabel>(u"lab_megrendelo_telefonszama"_s)->text(), u"06 30 555 0101"_s);
        QVERIFY(!e.find(u"lab_leadott_rendeles"_s)->isVisible());
        e.click(u"btn_close"_s);
        QVERIFY(!e->isVisible());
    }

    void aWorkThatCannotBeMadeLeavesNothingAndTheEditorCloses()
    {
        KitchenFixture f(false);
        f.db->execute(u"delete from tvr_dv_egyeb_arak"_s);
        Editor e(f);
        ErrorRecorder errors; // the reason, as the error dialog would show it
        QString closing;
        ExpectMessage(&closing);
        e->show();
        QTRY_VERIFY(!e->isVisible());
        QVERIFY(AllModalsAnswered());
        QCOMPARE(errors.errors.size(), size_t(1));
        QVERIFY2(errors.errors[0].first.contains(u"tvr_dv_egyeb_arak"_s), qPrintable(errors.errors[0].first));
        QVERIFY(closing.contains(u"nem nyitható meg"_s));
        for (const QString &table :
             {u"tvr_b_basic_munka"_s, u"tvr_b_basic_automatikusan_szamolt"_s, u"tvr_b_basic_arajanlaton_szerepel"_s})
            QCOMPARE(f.value(u"select count(*) from "_s + table), u"0"_s);
    }

    void thePanelListShowsActiveLinesAndFilters()
    {
        KitchenFixture f;
        AddPanel(f, u"1200"_s, u"3"_s, u"oldal"_s); // 22 Cseresznye
        AddPanel(f, u"600"_s, u"1"_s, u"polc"_s);   // 10 Fehér
        AddPanel(f, u"125"_s, u"3"_s, u"léc"_s);
        AddPanel(f, u"999"_s, u"3"_s, u"törölt"_s, u"0"_s);
        AddPanel(f, u"700"_s, u"99"_s, u"régi lap"_s); // its panel is gone from the catalogue
        AddWorktop(f, u"1"_s);
        AddWorktop(f, u"2"_s, u"0"_s);
        AddWorktop(f, u"99"_s);
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        TLister *panels = f.db->lister(22);
        QCOMPARE(Column(panels, u"a"_s), (QStringList{u"1200"_s, u"600"_s, u"125"_s, u"700"_s}));
        QCOMPARE(Column(panels, u"butorlap_neve"_s),
                 (QStringList{u"22-Cseresznye"_s, u"10-Fehér"_s, u"22-Cseresznye"_s, u""_s}));
        TLister *worktops = f.db->lister(23);
        QCOMPARE(Column(worktops, u"munkalap_neve"_s), (QStringList{u"ML101-Fehér márvány"_s, u""_s}));
        QCOMPARE(Column(worktops, u"brutto_ar"_s), (QStringList{u"30000.00"_s, u"30000.00"_s}));
        QCOMPARE(e.find<QTableView>(u"DBGrid_szabott_butorlapok"_s)->model()->headerData(1, Qt::Horizontal),
                 QVariant(u"A (szálirány h.)"_s));

        struct Case {
            const char *field;
            QString text;
            QStringList a;
        };
        const Case cases[] = {
            {"inp_filter_a", u"12"_s, {u"1200"_s, u"125"_s}},
            {"inp_filter_a", u"%"_s, {}},
            {"inp_filter_b", u"40"_s, {u"1200"_s, u"600"_s, u"125"_s, u"700"_s}},
            {"inp_filter_butorlap_kodja", u"22"_s, {u"1200"_s, u"125"_s}},
            {"inp_filter_butorlap_kodja", u"2"_s, {}},
            {"inp_filter_butorlap", u"Feh"_s, {u"600"_s}},
            {"inp_filter_butorlap", u"_eh"_s, {}},
            {"inp_filter_butorlap", u"\"x"_s, {}},
        };
        ErrorRecorder errors;
        for (const Case &c : cases) {
            auto *filter = e.find<QLineEdit>(QString::fromLatin1(c.field));
            filter->setText(c.text);
            QCOMPARE(Column(panels, u"a"_s), c.a);
            filter->clear();
        }
        QCOMPARE(panels->rowCount(), 4);
        QVERIFY(errors.errors.empty());
    }

    void aLineChangedAfterTheOrderIsMarked()
    {
        KitchenFixture f(true, u"1"_s);
        AddPanel(f, u"600"_s, u"3"_s, u"!polc"_s);
        AddPanel(f, u"500"_s, u"3"_s, u"oldal"_s);
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        QVERIFY(e.find(u"lab_leadott_rendeles"_s)->isVisible());
        QCOMPARE(e.find<QLabel>(u"lab_leadott_rendeles"_s)->text(), u" EZ EGY MÁR LEADOTT RENDELÉS! "_s);
        auto *pages = e.find<QTabWidget>(u"MainPage"_s);
        auto *grid = e.find<QTableView>(u"DBGrid_szabott_butorlapok"_s);
        grid->selectRow(0);
        QCOMPARE(e.find<QLabel>(u"lab_rogzites_ideje"_s)->text(),
                 u"Figyelem! Ezt a tételt a megrendelés után módosítottad / rögzítetted."_s);
        QCOMPARE(pages->palette().color(QPalette::Window), QColor(128, 0, 0));
        SaveToGallery(e.window.get(), u"Tdorvatbasic_bevitel_figyelmeztetes"_s);
        grid->selectRow(1);
        QVERIFY(e.find<QLabel>(u"lab_rogzites_ideje"_s)->text().isEmpty());
        QCOMPARE(pages->palette().color(QPalette::Window), QColor(0, 0, 0));

        // A new panel saved now carries the "!" too.
        AnswerModal(u"Tdorvatbasic_butorlap_bevitel"_s, [](QWidget *d) {
            auto *code = Find<QLineEdit>(d, u"butorlap_szama"_s);
            code->setText(u"10"_s);
            QTest::keyClick(code, Qt::Key_Return);
            Find<QLineEdit>(d, u"a"_s)->setText(u"300"_s);
            Find<QLineEdit>(d, u"b"_s)->setText(u"300"_s);
            Find<QLineEdit>(d, u"db"_s)->setText(u"1"_s);
            Find<QLineEdit>(d, u"alkatresz_neve"_s)->setText(u"ajtó"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        e.click(u"btn_uj_szabott_lap"_s);
        QCOMPARE(Column(f.db->lister(22), u"rogzites_ideje"_s), (QStringList{u"!polc"_s, u"oldal"_s, u"!ajtó"_s}));
    }

    void deletingAsksAndDeactivates()
    {
        KitchenFixture f;
        AddPanel(f, u"600"_s, u"3"_s, u"polc"_s);
        AddWorktop(f, u"1"_s);
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        QString question;
        AnswerQuestion(false, &question);
        e.click(u"btn_szabott_lap_torles"_s);
        QCOMPARE(question, u"Törölhető a kijelölt bútorlap tétel?"_s);
        QCOMPARE(f.db->lister(22)->rowCount(), 1);
        AnswerQuestion(true);
        e.click(u"btn_szabott_lap_torles"_s);
        QCOMPARE(f.db->lister(22)->rowCount(), 0);
        QCOMPARE(f.value(u"select active from tvr_b_basic_szabott_lapok"_s), u"0"_s);
        // An empty list asks nothing.
        e.click(u"btn_szabott_lap_torles"_s);
        e.click(u"btn_modosit_szabott_lap"_s);
        AnswerQuestion(true, &question);
        e.click(u"btn_szabott_munkalap_torles"_s);
        QCOMPARE(question, u"Törölhető a kijelölt munkalap tétel?"_s);
        QCOMPARE(f.db->lister(23)->rowCount(), 0);
        QCOMPARE(f.value(u"select active from tvr_b_basic_szabott_munkalapok"_s), u"0"_s);
        QVERIFY(AllModalsAnswered());
    }

    void theCustomerDataAreChangedFromTheEditor()
    {
        KitchenFixture f;
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        AnswerModal(u"Tmegrendelo_modositas"_s, [](QWidget *d) {
            Find<QLineEdit>(d, u"megrendelo_neve"_s)->setText(u"Nagy Ilona"_s);
            Find<QLineEdit>(d, u"telefonszama"_s)->setText(u"06 1 222 3333"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        e.click(u"BrevoButton1"_s);
        QCOMPARE(e.find<QLabel>(u"lab_megrendelo"_s)->text(), u"Nagy Ilona"_s);
        QCOMPARE(e.find<QLabel>(u"lab_megrendelo_telefonszama"_s)->text(), u"06 1 222 3333"_s);
        // The labels open it too.
        AnswerModal(u"Tmegrendelo_modositas"_s, [](QWidget *d) { QTest::keyClick(d, Qt::Key_Escape); });
        QTest::mouseClick(e.find(u"lab_megrendelo"_s), Qt::LeftButton);
        QVERIFY(AllModalsAnswered());
    }

    void theSupplierPagesShowTheWorksLines()
    {
        KitchenFixture f;
        // No picture server answers there: the page stays without a picture, and asks nothing.
        SetInstallationSetting(*f.db, PictureHostSetting(), u"127.0.0.1:9"_s);
        f.db->execute(
            u"insert into tvr_b_basic_forest_termekek (basic_munka_id,active,cikkszam,mennyiseg,"
            u"brutto_eladasi_ar) values (?,'1','00013300200','2','3048.00'),('9','1','00013300201','1','1')"_s,
            {f.workId});
        f.db->execute(u"insert into tvr_b_basic_ecorgan_termekek (basic_munka_id,active,aruhazi_arucikk_id,cikkszam,"
                      u"mennyiseg,arajanlatkor_brutto_eladasi_ar) values (?,'1','1','EC-GR-100','1','88773.00')"_s,
                      {f.workId});
        f.db->execute(u"insert into tvr_r_nettfront_megrendelesek (basic_munka_id,active,rogzites_ideje,"
                      u"rendeleskor_osszes_elad_ar,megrendelo_id) values (?,'1','2023.06.05. 11:00','1270.00','0')"_s,
                      {f.workId});
        Editor e(f);
        QVERIFY(ShowActive(*e.window));
        auto *pages = e.find<QTabWidget>(u"MainPage"_s);
        pages->setCurrentWidget(e.find(u"Page4"_s));
        QCOMPARE(Column(f.db->lister(37), u"cikkszam"_s), QStringList{u"00013300200"_s});
        QVERIFY(e.find(u"DBGridForest"_s)->isVisible());
        SaveToGallery(e.window.get(), u"Tdorvatbasic_bevitel_forest"_s);
        pages->setCurrentWidget(e.find(u"Page5"_s));
        QCOMPARE(Column(f.db->lister(26), u"cikkszam"_s), QStringList{u"EC-GR-100"_s});
        QCOMPARE(f.db->lister(48)->rowCount(), 0);
        pages->setCurrentWidget(e.find(u"Page8"_s));
        QCOMPARE(Column(f.db->lister(29), u"rendeleskor_osszes_elad_ar"_s), QStringList{u"1270.00"_s});
        SaveToGallery(e.window.get(), u"Tdorvatbasic_bevitel_frontrendelesek"_s);
        // The order sheet of the selected front order opens in the print preview.
        AnswerModal(u"TReportPreview"_s, [](QWidget *preview) { preview->close(); });
        e.click(u"btn_megrendelolap_nyomtatas"_s);
        QVERIFY(AllModalsAnswered());
        pages->setCurrentWidget(e.find(u"Page3"_s));
        QCOMPARE(f.db->lister(22)->rowCount(), 0);
    }

    void theRoadOfAQuoteFromTheMainWindow()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        CreatePlainDatabase(data.folder().orderTemplate(), Placement::Order);
        QTemporaryDir serverRoot;
        FtpServer server(serverRoot.path());
        UpdateFixture::WriteSettings(data.folder(), server.host());
        {
            auto setup = data.open();
            SetInstallationSetting(*setup, PartnerCodeSetting(), u"7"_s);
            setup->execute(u"insert into tvr_users (user_id,user_name,pwd,active) values (1,'Üzletvezető',?,'1')"_s,
                           {PasswordHash(u"dorvat"_s)});
        }
        auto form = startProgram({data.folder().root(), [] { return QDateTime(QDate(2023, 6, 6), QTime(9, 30)); }});
        QVERIFY(form);
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(form->findChild<QTimer *>(u"UpdateCheckTimer"_s)->isActive(), 5000);
        form->findChild<QTimer *>(u"UpdateCheckTimer"_s)->stop();
        Find<QPushButton>(form.get(), u"btn_belepes"_s)->show();
        auto *password = Find<QLineEdit>(form.get(), u"jelszo"_s);
        TypeText(password, u"dorvat"_s);
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(form->isLoggedIn());

        const auto addPanel = [](QWidget *editor, const QString &code, const QString &a, const QString &name) {
            AnswerModal(u"Tdorvatbasic_butorlap_bevitel"_s, [=](QWidget *d) {
                auto *field = Find<QLineEdit>(d, u"butorlap_szama"_s);
                field->setText(code);
                QTest::keyClick(field, Qt::Key_Return);
                Find<QLineEdit>(d, u"a"_s)->setText(a);
                Find<QLineEdit>(d, u"b"_s)->setText(u"560"_s);
                Find<QLineEdit>(d, u"db"_s)->setText(u"2"_s);
                Find<QLineEdit>(d, u"elzaro1_kod"_s)->setText(u"A"_s);
                Find<QLineEdit>(d, u"alkatresz_neve"_s)->setText(name);
                Find<QPushButton>(d, u"btn_rogzites"_s)->click();
            });
            Find<QPushButton>(editor, u"btn_uj_szabott_lap"_s)->click();
        };
        QStringList panelNames;
        QStringList worktopNames;
        AnswerModal(u"Tarajanlat_indulas"_s, [](QWidget *d) {
            Find<QLineEdit>(d, u"megrendelo_neve"_s)->setText(u"Szabó Emese konyhája"_s);
            Find<QLineEdit>(d, u"megrendelo_telefonszama"_s)->setText(u"06 20 111 2222"_s);
            Find<QPushButton>(d, u"btn_tovabb_dorvatbasic"_s)->click();
        });
        AnswerModal(u"Tdorvatbasic_bevitel"_s, [&](QWidget *editor) {
            addPanel(editor, u"22"_s, u"720"_s, u"oldal"_s);
            addPanel(editor, u"10"_s, u"564"_s, u"polc"_s);
            AnswerModal(u"Tdorvatbasic_munkalap_bevitel"_s, [](QWidget *d) {
                auto *field = Find<QLineEdit>(d, u"munkalap_szama"_s);
                field->setText(u"ML102"_s);
                QTest::keyClick(field, Qt::Key_Return);
                Find<QLineEdit>(d, u"hossz"_s)->setText(u"2450"_s);
                Find<QPushButton>(d, u"btn_rogzites"_s)->click();
            });
            Find<QPushButton>(editor, u"btn_uj_szabott_munkalap"_s)->click();
            SaveToGallery(editor, u"Tdorvatbasic_bevitel"_s);
            Find<QPushButton>(editor, u"btn_close"_s)->click();
        });
        Find<QPushButton>(form.get(), u"btn_uj_arajanlat"_s)->click();
        QVERIFY(AllModalsAnswered());

        // Reopened from the list: everything is there, with its prices.
        AnswerModal(u"Tdorvatbasic_bevitel"_s, [&](QWidget *) {
            panelNames = Column(db->lister(22), u"rogzites_ideje"_s);
            worktopNames = Column(db->lister(23), u"munkalap_neve"_s);
        });
        Find<QPushButton>(form.get(), u"btn_modosit_arajanlat"_s)->click();
        QVERIFY(AllModalsAnswered());
        QCOMPARE(panelNames, (QStringList{u"oldal"_s, u"polc"_s}));
        QCOMPARE(worktopNames, QStringList{u"ML102-Bézs homokkő"_s});
        QCOMPARE(db->select(u"select count(*) from tvr_b_basic_munka"_s, {}), QStringList{u"1"_s});
        // 0.72 x 0.56 x 2 = 0.8064 -> 0.81 m2 at 12900, and 2 x 0.72 m of 22/04 at 210.
        QCOMPARE(db->select(u"select butorlap_terulete, butorlap_erteke, elzaro1_hossza, elzaro1_erteke, "
                            u"tetel_brutto_erteke from tvr_b_basic_szabott_lapok order by basic_szabott_lapok_id "
                            u"limit 1"_s,
                            {}),
                 (QStringList{u"0.81000000000000000000"_s, u"10449.00"_s, u"1.44000"_s, u"302.40"_s, u"10751.40"_s}));

        // MEGRENDELEM!: the order file with both panels and the worktop reaches the manufacturer.
        const QString quoteId = db->select(u"select max(arajanlat_id) from tvr_arajanlat"_s, {}).value(0);
        AnswerModal(u"Tkerdes"_s, [](QWidget *d) { Find<QPushButton>(d, u"igen"_s)->click(); });
        AnswerModal(
            u"Tmegrendeles_kesz"_s, [](QWidget *w) { QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 30000); }, 30000);
        Find<QPushButton>(form.get(), u"btn_arajanlatbol_megrendeles"_s)->click();
        QVERIFY(AllModalsAnswered());
        const QString arrived = serverRoot.path() + u"/zederivu/2023.06.06._zederivu_7-"_s + quoteId + u".s3db"_s;
        QVERIFY2(QFile::exists(arrived), qPrintable(arrived));
        QCOMPARE(PlainValue(arrived, u"select group_concat(rogzites_ideje) from tv_b_basic_szabott_lapok"_s),
                 u"oldal,polc"_s);
        QCOMPARE(PlainValue(arrived, u"select kedv_ar_munkalap from tv_b_basic_szabott_munkalapok"_s),
                 db->select(u"select kedv_ar_munkalap from tvr_b_basic_szabott_munkalapok"_s, {}).value(0));
        QCOMPARE(db->lister(1)->value(0, u"mergendelve"_s), u"megrendelve"_s);
    }
};

QTEST_MAIN(KitchenEditorTest)
#include "test_kitchen_editor.moc"

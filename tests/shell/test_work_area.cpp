// Login and the work area: the password of the first active user, the quote list with its
// filter, colours, warning and actions, the hidden order pages and the notes.

#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "shell/EditorProtocol.h"
#include "shell/StartProgram.h"
#include "shell/TMainForm.h"
#include "shell/TQuoteListPages.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

template <class T = QWidget> T *Find(QWidget *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

// The main window of a data folder, activated, with the update check passed as "nothing
// outdated" (the check itself is tested against a real server elsewhere).
struct Program {
    TestDataFolder data;
    std::unique_ptr<TMainForm> form;
    TDatabaseConnection *db = nullptr;

    explicit Program(const QString &usersSql = u"insert into tvr_users (user_id,user_name,pwd,active) values "
                                               u"(1,'Üzletvezető','%1','1');"_s.arg(PasswordHash(u"titok"_s)))
    {
        data.writeMaterials({u"insert into tvr_info (info_id,active,basic_katalogus_verzio,alapanyag_katalogus_verzio) "
                             u"values (1,'1','2023.06.01.','2023.06.01.');"_s});
        data.writeForest({u"insert into tvr_info_forest (info_id,active,forest_katalogus_verzio) values "
                          u"(1,'1','2023.05.01.');"_s});
        {
            auto setup = data.open();
            setup->executeScript(usersSql);
        }
        form = startProgram({data.folder().root(), [] { return QDateTime(QDate(2023, 6, 6), QTime(9, 30)); }});
        db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(form->findChild<QTimer *>(u"UpdateCheckTimer"_s)->isActive(), 5000);
        form->findChild<QTimer *>(u"UpdateCheckTimer"_s)->stop();
        Find<QPushButton>(form.get(), u"btn_belepes"_s)->show();
    }
    ~Program() { SetClock({}); }

    void typePassword(const QString &password)
    {
        auto *field = Find<QLineEdit>(form.get(), u"jelszo"_s);
        field->clear();
        TypeText(field, password);
        QTest::keyClick(field, Qt::Key_Return);
    }
    bool loggedIn() const { return form->isLoggedIn() && form->findChild<QWidget *>(u"functionpanel"_s)->isVisible(); }
    TLister *quotes() const { return db->lister(1); }
    QString value(const QString &sql) const { return db->select(sql, {}).value(0); }
    void addQuote(const QString &name, const QString &status = u"0"_s, const QString &type = u"1"_s,
                  const QString &recorded = u"2023.06.05. 10:00"_s)
    {
        RunSql(*db,
               u"insert into tvr_arajanlat (megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,rogzitette,"
               u"rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,basic_munka_id) values "
               u"(?,'06 1 234 5678','','1',?,?,?,'','0','0')"_s,
               {name, recorded, type, status});
    }
    void click(const QString &button) { Find<QPushButton>(form.get(), button)->click(); }
    void answerQuestion(bool yes)
    {
        AnswerModal(u"Tkerdes"_s, [yes](QWidget *d) { Find<QPushButton>(d, yes ? u"igen"_s : u"nem"_s)->click(); });
    }
    void expectMessage(QString *text)
    {
        AnswerModal(u"TMessageDialog"_s, [text](QWidget *d) {
            *text = Find<QLabel>(d, u"message_label"_s)->text();
            QTest::keyClick(d, Qt::Key_Escape);
        });
    }
};

QStringList Names(TLister *list)
{
    QStringList names;
    for (int r = 0; r < list->rowCount(); ++r)
        names << list->value(r, u"megrendelo_neve"_s);
    return names;
}

} // namespace

class WorkAreaTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetModalAnswers(); }
    void cleanup() { QVERIFY(AllModalsAnswered()); }

    void rightPasswordOpensTheWorkAreaWrongOneDoesNot()
    {
        Program p;
        QString message;
        p.expectMessage(&message);
        p.typePassword(u"rossz"_s);
        QCOMPARE(message, u"Hibás jelszó!"_s);
        QVERIFY(!p.loggedIn());
        QCOMPARE(Find<QLineEdit>(p.form.get(), u"jelszo"_s)->text(), u"rossz"_s);
        QCOMPARE(System().CurrentUserId, u"0"_s);
        p.typePassword(u"titok"_s);
        QVERIFY(p.loggedIn());
        QCOMPARE(System().CurrentUserId, u"1"_s);
        QCOMPARE(System().CurrentUserName, u"Üzletvezető"_s);
        QVERIFY(Find(p.form.get(), u"btn_beallitasok"_s)->isVisible());
        QCOMPARE(Find<QTabWidget>(p.form.get(), u"MainPage"_s)->currentWidget()->objectName(), u"TabSheet1"_s);
    }

    void onlyTheFirstActiveUserIsChecked()
    {
        struct Case {
            const char *title;
            QString users;
            QString password;
            bool loggedIn;
            QString userId;
        };
        const QString h1 = PasswordHash(u"egy"_s), h2 = PasswordHash(u"ketto"_s);
        const Case cases[] = {
            {"user 2's password", u"(1,'A','%1','1'),(2,'B','%2','1')"_s.arg(h1, h2), u"ketto"_s, false, {}},
            {"user 1's password", u"(1,'A','%1','1'),(2,'B','%2','1')"_s.arg(h1, h2), u"egy"_s, true, u"1"_s},
            {"inactive user 1", u"(1,'A','%1','0'),(2,'B','%2','1')"_s.arg(h1, h2), u"ketto"_s, true, u"2"_s},
            {"lower-case hash", u"(1,'A','%1','1')"_s.arg(h1.toLower()), u"egy"_s, false, {}},
        };
        for (const Case &c : cases) {
            Program p(u"insert into tvr_users (user_id,user_name,pwd,active) values %1;"_s.arg(c.users));
            QString message;
            if (!c.loggedIn)
                p.expectMessage(&message);
            p.typePassword(c.password);
            QVERIFY2(p.loggedIn() == c.loggedIn, c.title);
            if (c.loggedIn) {
                QCOMPARE(System().CurrentUserId, c.userId);
                // JELSZÓCSERE belongs to user 1 only.
                QCOMPARE(Find(p.form.get(), u"btn_beallitasok"_s)->isVisible(), c.userId == u"1");
            } else {
                QCOMPARE(message, u"Hibás jelszó!"_s);
            }
            QVERIFY(AllModalsAnswered());
        }
    }

    void passwordChangeRenamesTheUserAndRetiresTheOldPassword()
    {
        Program p(u"insert into tvr_users (user_id,user_name,pwd,active) values (1,'Bolt','%1','1');"_s.arg(
            PasswordHash(u"regi"_s)));
        p.typePassword(u"regi"_s);
        QVERIFY(p.loggedIn());
        AnswerModal(u"Tfelhasznalo_bevitel"_s, [](QWidget *d) {
            TypeText(Find(d, u"pwd"_s), u"Új-jelszó"_s);
            TypeText(Find(d, u"pwd_2x"_s), u"Új-jelszó"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        p.click(u"btn_beallitasok"_s);
        QCOMPARE(p.value(u"select user_name from tvr_users where user_id=1;"_s), u"Üzletvezető"_s);
        QCOMPARE(p.value(u"select pwd from tvr_users where user_id=1;"_s), PasswordHash(u"Új-jelszó"_s));
        QCOMPARE(p.form->users().front().pwd, PasswordHash(u"Új-jelszó"_s));
    }

    void newInstallationCanCreateItsStoreManager()
    {
        Program p(u"select 1;"_s);
        QPushButton *create = Find<QPushButton>(p.form.get(), u"btn_uzletvezeto_letrehozasa"_s);
        QVERIFY(create->isVisible());
        p.typePassword(u"barmi"_s); // no user: BELÉPÉS does nothing
        QVERIFY(!p.loggedIn());
        AnswerModal(u"Tfelhasznalo_bevitel"_s, [](QWidget *d) {
            TypeText(Find(d, u"pwd"_s), u"kezdo"_s);
            TypeText(Find(d, u"pwd_2x"_s), u"kezdo"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        create->click();
        QVERIFY(!create->isVisible());
        p.typePassword(u"kezdo"_s);
        QVERIFY(p.loggedIn());
        QCOMPARE(System().CurrentUserId, u"1"_s);
    }

    void newQuoteComesFirstAndOpensItsEditor()
    {
        Program p;
        p.addQuote(u"Régi vevő"_s);
        p.typePassword(u"titok"_s);
        std::vector<EditorRequest> opened;
        const EditorOpener previous = RegisterEditor(
            u"1"_s, [&](QWidget *, TDatabaseConnection &, const EditorRequest &r) { opened.push_back(r); });
        AnswerModal(u"Tarajanlat_indulas"_s, [](QWidget *d) {
            TypeText(Find(d, u"megrendelo_neve"_s), u"Kiss Ödön"_s);
            TypeText(Find(d, u"megrendelo_telefonszama"_s), u"06 30 111 2222"_s);
            Find<QPushButton>(d, u"btn_tovabb_dorvatbasic"_s)->click();
        });
        p.click(u"btn_uj_arajanlat"_s);
        RegisterEditor(u"1"_s, previous);
        QCOMPARE(p.quotes()->value(0, u"megrendelo_neve"_s), u"Kiss Ödön"_s);
        QCOMPARE(p.quotes()->value(0, u"arajanlat_tipus"_s), u"1"_s);
        QCOMPARE(p.quotes()->value(0, u"statusza"_s), u"0"_s);
        QCOMPARE(p.quotes()->value(0, u"rogzites_ideje"_s), u"2023.06.06. 09:30"_s);
        QCOMPARE(opened.size(), size_t(1));
        QCOMPARE(opened[0].quoteId, p.quotes()->value(0, u"arajanlat_id"_s));
        QVERIFY(!opened[0].existing);
    }

    void cancelledOrNamelessNewQuoteCreatesNothing()
    {
        Program p;
        p.typePassword(u"titok"_s);
        AnswerModal(u"Tarajanlat_indulas"_s, [](QWidget *d) {
            TypeText(Find(d, u"megrendelo_neve"_s), u"Mégse"_s);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        p.click(u"btn_uj_arajanlat"_s);
        AnswerModal(u"Tarajanlat_indulas"_s, [](QWidget *d) { Find<QPushButton>(d, u"btn_close"_s)->click(); });
        p.click(u"btn_uj_arajanlat"_s);
        QString message;
        AnswerModal(u"Tarajanlat_indulas"_s, [&](QWidget *d) {
            p.expectMessage(&message);
            Find<QPushButton>(d, u"btn_tovabb_dorvatbasic"_s)->click();
            QVERIFY(d->isVisible());
            QTest::keyClick(d, Qt::Key_Escape);
        });
        p.click(u"btn_uj_arajanlat"_s);
        QCOMPARE(message, u"A vásárló nevét nem adta meg!"_s);
        QCOMPARE(p.value(u"select count(*) from tvr_arajanlat;"_s), u"0"_s);
    }

    void refusedNewQuoteOpensNoEditor()
    {
        Program p;
        p.addQuote(u"Előző vevő"_s);
        p.typePassword(u"titok"_s);
        ErrorRecorder errors;
        int opened = 0;
        const EditorOpener previous =
            RegisterEditor(u"1"_s, [&](QWidget *, TDatabaseConnection &, const EditorRequest &) { ++opened; });
        AnswerModal(u"Tarajanlat_indulas"_s, [](QWidget *d) {
            // A character the database cannot hold: the insert is refused with a message.
            Find<QLineEdit>(d, u"megrendelo_neve"_s)->setText(u"Torta 🎂 Bt."_s);
            Find<QPushButton>(d, u"btn_tovabb_dorvatbasic"_s)->click();
            QVERIFY(d->isVisible());
            QTest::keyClick(d, Qt::Key_Escape);
        });
        p.click(u"btn_uj_arajanlat"_s);
        RegisterEditor(u"1"_s, previous);
        QCOMPARE(opened, 0);
        QCOMPARE(errors.errors.size(), size_t(1));
        QVERIFY(errors.errors[0].first.contains(u"🎂"_s));
        QCOMPARE(p.value(u"select count(*) from tvr_arajanlat;"_s), u"1"_s);
    }

    void nameFilterMatchesTheTypedPrefixLiterally()
    {
        Program p;
        for (const QString &name : {u"Kovács Béla"_s, u"Kovács \"Kis\" Kft."_s, u"Kovácsné"_s, u"Nagy 100% Bt."_s,
                                    u"Nagy 1000 Bt."_s, u"Szabó_Anna"_s, u"SzabóXAnna"_s})
            p.addQuote(name);
        p.typePassword(u"titok"_s);
        ErrorRecorder errors;
        struct Case {
            QString typed;
            QStringList names;
        };
        const Case cases[] = {
            {u"Kovács "_s, {u"Kovács \"Kis\" Kft."_s, u"Kovács Béla"_s}},
            {u"Kovács \"K"_s, {u"Kovács \"Kis\" Kft."_s}},
            {u"Nagy 100%"_s, {u"Nagy 100% Bt."_s}},
            {u"Szabó_"_s, {u"Szabó_Anna"_s}},
            {u"x"_s, {}},
            {u""_s,
             {u"SzabóXAnna"_s, u"Szabó_Anna"_s, u"Nagy 1000 Bt."_s, u"Nagy 100% Bt."_s, u"Kovácsné"_s,
              u"Kovács \"Kis\" Kft."_s, u"Kovács Béla"_s}},
        };
        auto *filter = Find<QLineEdit>(p.form.get(), u"filter_megrendelo_neve"_s);
        for (const Case &c : cases) {
            filter->setText(c.typed);
            QCOMPARE(Names(p.quotes()), c.names);
        }
        QVERIFY(errors.errors.empty());
    }

    void orderedRowIsOrangeOnlyWhenNotSelected()
    {
        Program p;
        p.addQuote(u"Rendelt"_s, u"1"_s);
        p.addQuote(u"Készülő"_s, u"0"_s);
        p.typePassword(u"titok"_s);
        auto *grid = Find<QTableView>(p.form.get(), u"DBGridArajanlatok"_s);
        const QColor orange(255, 128, 0);
        // Newest first: row 0 "Készülő" is selected, row 1 is the ordered one.
        QCOMPARE(p.quotes()->currentRow(), 0);
        QCOMPARE(grid->model()->index(1, 4).data().toString(), u"megrendelve"_s);
        QCOMPARE(grid->model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), orange);
        QVERIFY(!grid->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
        SaveToGallery(p.form.get(), u"TMainForm_munkaterulet"_s);
        grid->selectRow(1);
        QCOMPARE(p.quotes()->currentRow(), 1);
        QVERIFY(!grid->model()->index(1, 1).data(Qt::BackgroundRole).isValid());
    }

    void olderCatalogueWarningFollowsTheCurrentRow()
    {
        Program p;
        p.addQuote(u"Tavalyi"_s, u"0"_s, u"1"_s, u"2023.04.30. 08:00"_s); // before both catalogues
        p.addQuote(u"Tegnapi"_s, u"0"_s, u"1"_s, u"2023.06.05. 08:00"_s);
        p.addQuote(u"Májusi"_s, u"0"_s, u"1"_s, u"2023.05.20. 08:00"_s); // before the materials only
        p.typePassword(u"titok"_s);
        auto *grid = Find<QTableView>(p.form.get(), u"DBGridArajanlatok"_s);
        QWidget *warning = Find(p.form.get(), u"korabbi_panel"_s);
        const bool expected[] = {true, false, true};
        for (int row = 0; row < 3; ++row) {
            grid->selectRow(row);
            QVERIFY2(warning->isVisible() == expected[row], qPrintable(p.quotes()->currentValue(u"megrendelo_neve"_s)));
        }
    }

    void deleteKeepsTheRowInactive()
    {
        Program p;
        p.addQuote(u"Törlendő"_s);
        p.typePassword(u"titok"_s);
        p.answerQuestion(false);
        p.click(u"btn_torol_arajanlat"_s);
        QCOMPARE(p.quotes()->rowCount(), 1);
        p.answerQuestion(true);
        p.click(u"btn_torol_arajanlat"_s);
        QCOMPARE(p.quotes()->rowCount(), 0);
        QCOMPARE(p.value(u"select active from tvr_arajanlat where megrendelo_neve='Törlendő';"_s), u"0"_s);
    }

    void ownIdentifierIsStoredAsTyped()
    {
        Program p;
        p.addQuote(u"Vevő"_s);
        p.typePassword(u"titok"_s);
        auto *popup = Find<QMenu>(p.form.get(), u"PopupMenu1"_s);
        AnswerModal(u"Tviszonteladoi_rendelesszam_hozzarendelese"_s, [](QWidget *d) {
            TypeText(Find(d, u"rendeleszam"_s), u"A\"2%_x"_s);
            Find<QPushButton>(d, u"btn_rogzit"_s)->click();
        });
        popup->findChild<QAction *>(u"Egyedirendelsazonostttadokneki2"_s)->trigger();
        QCOMPARE(p.value(u"select rendelesszam from tvr_arajanlat;"_s), u"A\"2%_x"_s);
        emit popup->aboutToShow();
        QCOMPARE(popup->findChild<QAction *>(u"Egyedirendelsazonostttadokneki1"_s)->text(),
                 u"Egyedi rendelésazonosítója: A\"2%_x"_s);
    }

    void openingWarnsOfAnOrderedQuoteAndHandsOnItsFirstWork()
    {
        Program p;
        p.addQuote(u"Munka nélkül"_s, u"0"_s);
        p.addQuote(u"Megrendelt"_s, u"1"_s);
        RunSql(*p.db, u"insert into tvr_b_basic_munka (arajanlat_id, active) values ('2', '0')"_s);
        RunSql(*p.db, u"insert into tvr_b_basic_munka (arajanlat_id) values ('2')"_s);
        RunSql(*p.db, u"insert into tvr_b_basic_munka (arajanlat_id) values ('2')"_s);
        p.typePassword(u"titok"_s);
        std::vector<EditorRequest> opened;
        const EditorOpener previous = RegisterEditor(
            u"1"_s, [&](QWidget *, TDatabaseConnection &, const EditorRequest &r) { opened.push_back(r); });
        QString message;
        p.expectMessage(&message);
        p.click(u"btn_modosit_arajanlat"_s); // row 0: the ordered quote
        QCOMPARE(message, u"Figyelem! Ezt a rendelést már megrendelte."_s);
        QCOMPARE(opened.size(), size_t(1));
        QVERIFY(opened[0].existing);
        QCOMPARE(opened[0].workId, u"2"_s); // the first active one
        Find<QTableView>(p.form.get(), u"DBGridArajanlatok"_s)->selectRow(1);
        // No work record yet: the editor opens all the same, to create it.
        p.click(u"btn_modosit_arajanlat"_s);
        QCOMPARE(opened.size(), size_t(2));
        QVERIFY(opened[1].existing);
        QVERIFY(opened[1].workId.isEmpty());
        RegisterEditor(u"1"_s, previous);
    }

    void editorsNotBuiltYetSaySo()
    {
        Program p;
        p.addQuote(u"Egyéb"_s, u"0"_s, u"3"_s);
        p.typePassword(u"titok"_s);
        const EditorOpener previous = RegisterEditor(u"3"_s, {});
        QString message;
        p.expectMessage(&message);
        p.click(u"btn_modosit_arajanlat"_s);
        QVERIFY2(message.contains(u"„Egyéb bútor”"_s), qPrintable(message));
        RegisterEditor(u"3"_s, previous);
    }

    void orderingSaysPlainlyWhatHappens()
    {
        Program p;
        // Without an order sender (the program installs one; its road is tested with the transfer).
        const auto restore =
            qScopeGuard([sender = TQuoteListPages::SetOrderSender({})] { TQuoteListPages::SetOrderSender(sender); });
        p.addQuote(u"Zelvo konyha"_s, u"0"_s, u"2"_s);
        p.addQuote(u"Konyha"_s, u"0"_s, u"1"_s);
        p.typePassword(u"titok"_s);
        QString message;
        p.answerQuestion(true);
        p.expectMessage(&message);
        p.click(u"btn_arajanlatbol_megrendeles"_s); // the kitchen quote
        QVERIFY2(message.contains(u"NEM ment el"_s), qPrintable(message));
        Find<QTableView>(p.form.get(), u"DBGridArajanlatok"_s)->selectRow(1);
        p.expectMessage(&message);
        p.click(u"btn_arajanlatbol_megrendeles"_s); // type 2: refused without a question
        QVERIFY2(message.startsWith(u"Csak DORVAT BASIC"_s), qPrintable(message));
        QCOMPARE(p.value(u"select group_concat(statusza) from tvr_arajanlat;"_s), u"0,0"_s);
    }

    void notesAreWrittenChangedAndDeleted()
    {
        Program p;
        p.typePassword(u"titok"_s);
        Find<QTabWidget>(p.form.get(), u"MainPage"_s)->setCurrentIndex(3);
        TLister *notes = p.db->lister(43);
        AnswerModal(u"Tfeljegyzes_bevitel"_s, [](QWidget *d) {
            QCOMPARE(d->windowTitle(), u"Új feljegyzés"_s);
            TypeText(Find(d, u"feljegyzes"_s), u"Hívd vissza „Kiss” urat"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        p.click(u"btn_uj_feljegyzes_irasa"_s);
        QCOMPARE(notes->rowCount(), 1);
        QCOMPARE(notes->value(0, u"feljegyzes"_s), u"Hívd vissza „Kiss” urat"_s);
        AnswerModal(u"Tfeljegyzes_bevitel"_s, [](QWidget *d) {
            QCOMPARE(d->windowTitle(), u"Feljegyzés módosítása"_s);
            auto *field = Find<QLineEdit>(d, u"feljegyzes"_s);
            field->clear();
            TypeText(field, u"Kész"_s);
            Find<QPushButton>(d, u"btn_rogzites"_s)->click();
        });
        p.click(u"btn_feljegyzes_modoasitasa"_s);
        QCOMPARE(notes->value(0, u"feljegyzes"_s), u"Kész"_s);
        p.answerQuestion(true);
        p.click(u"btn_feljegyzes_torlese"_s);
        QCOMPARE(notes->rowCount(), 0);
        QCOMPARE(p.value(u"select count(*) from tvr_feljegyzesek;"_s), u"0"_s); // deleted outright
    }

    void everyActionOnAnEmptyListDoesNothing()
    {
        Program p;
        p.typePassword(u"titok"_s);
        for (const QString &button :
             {u"btn_modosit_arajanlat"_s, u"btn_torol_arajanlat"_s, u"btn_arajanlatbol_megrendeles"_s,
              u"btn_feljegyzes_modoasitasa"_s, u"btn_feljegyzes_torlese"_s, u"btn_megrendeles_modositasa"_s,
              u"btn_megrendeles_torlese"_s, u"btn_leszallitva"_s, u"btn_leszallitott_megnyitasa"_s,
              u"btn_munka_torlese"_s})
            p.click(button);
        Find<QMenu>(p.form.get(), u"PopupMenu1"_s)
            ->findChild<QAction *>(u"Egyedirendelsazonostttadokneki2"_s)
            ->trigger();
        QCOMPARE(PendingModalAnswers(), 0);
        QCOMPARE(p.value(u"select count(*) from tvr_arajanlat;"_s), u"0"_s);
    }

    void hiddenPagesMoveTheStatusOneTwoOneZero()
    {
        Program p;
        p.addQuote(u"Folyamatban"_s, u"1"_s);
        p.typePassword(u"titok"_s);
        auto *pages = Find<QTabWidget>(p.form.get(), u"MainPage"_s);
        QVERIFY(!pages->isTabVisible(1));
        QVERIFY(!pages->isTabVisible(2));
        TLister *inProgress = p.db->lister(44);
        TLister *delivered = p.db->lister(45);
        QCOMPARE(inProgress->rowCount(), 1);
        const auto status = [&] { return p.value(u"select statusza from tvr_arajanlat;"_s); };

        p.answerQuestion(true);
        p.click(u"btn_leszallitva"_s);
        QCOMPARE(status(), u"2"_s);
        QCOMPARE(delivered->rowCount(), 1);
        p.answerQuestion(true);
        Find<QMenu>(p.form.get(), u"PopupMenu3"_s)->findChild<QAction *>(u"visszarakas3"_s)->trigger();
        QCOMPARE(status(), u"1"_s);
        QCOMPARE(inProgress->rowCount(), 1);
        QCOMPARE(delivered->rowCount(), 0);
        p.answerQuestion(true);
        Find<QMenu>(p.form.get(), u"PopupMenu2"_s)->findChild<QAction *>(u"visszarakas2"_s)->trigger();
        QCOMPARE(status(), u"0"_s);
        QCOMPARE(inProgress->rowCount(), 0);
        QCOMPARE(p.quotes()->rowCount(), 1);
    }

    void numberFiltersOfTheHiddenPagesNeverFail()
    {
        Program p;
        p.addQuote(u"Mappás"_s, u"1"_s);
        RunSql(*p.db, u"update tvr_arajanlat set munka_mappa_id='4711'"_s);
        p.addQuote(u"Mappa nélküli"_s, u"1"_s);
        p.typePassword(u"titok"_s);
        ErrorRecorder errors;
        TLister *inProgress = p.db->lister(44);
        auto *folder = Find<QLineEdit>(p.form.get(), u"filter_ra_mappaszam"_s);
        folder->setText(u"4711"_s);
        QCOMPARE(inProgress->rowCount(), 1);
        folder->setText(u"47a\""_s);
        QCOMPARE(inProgress->rowCount(), 0);
        folder->setText(u"12"_s);
        QCOMPARE(inProgress->rowCount(), 0);
        // Compared as numbers: leading zeros do not matter.
        folder->setText(u"0004711"_s);
        QCOMPARE(inProgress->rowCount(), 1);
        folder->clear();
        QCOMPARE(inProgress->rowCount(), 2);
        // The numbers have at most 9 digits: a longer text lists nothing, rather than overflowing
        // to 0 and finding every quote without a number.
        auto *kitchen = Find<QLineEdit>(p.form.get(), u"filter_ra_basic"_s);
        for (const QString &tooLong : {u"1234567890"_s, u"12345678901234567890"_s, u"0000000000"_s}) {
            kitchen->setText(tooLong);
            QCOMPARE(inProgress->rowCount(), 0);
        }
        kitchen->setText(u"0"_s);
        QCOMPARE(inProgress->rowCount(), 2);
        Find<QLineEdit>(p.form.get(), u"filter_ra_rend_azon"_s)->setText(u"\"x"_s);
        QVERIFY(errors.errors.empty());
    }
};

QTEST_MAIN(WorkAreaTest)
#include "test_work_area.moc"

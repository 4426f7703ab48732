// The cut panel dialog and the panel chooser, driven by object name against the demo catalogue:
// code look-ups, the edge-code rule, every save check in its order, and the stored line to the cent.

#include "KitchenFixture.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/Tbutorlap_kivalaszto.h"
#include "kitchen/Tdorvatbasic_butorlap_bevitel.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

template <class T = QLineEdit> T *Find(const QWidget *w, const QString &name)
{
    return FindNamed<T>(w, name);
}

using Dialog = Tdorvatbasic_butorlap_bevitel;

// Types a code into a field and presses Enter there, as the joiner does.
void EnterCode(QLineEdit *field, const QString &code)
{
    field->setFocus();
    field->setText(code);
    QTest::keyClick(field, Qt::Key_Return);
}

struct Line {
    QString a, b, db, code1, code2;
};

void Fill(Dialog &d, const Line &line)
{
    Find(&d, u"a"_s)->setText(line.a);
    Find(&d, u"b"_s)->setText(line.b);
    Find(&d, u"db"_s)->setText(line.db);
    Find(&d, u"elzaro1_kod"_s)->setText(line.code1);
    Find(&d, u"elzaro2_kod"_s)->setText(line.code2);
}

} // namespace

class CutPanelDialogTest : public QObject
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

    void namesListsAndCodeOrder()
    {
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        QVERIFY(ShowActive(d));
        QCOMPARE(d.objectName(), u"Tdorvatbasic_butorlap_bevitel"_s);
        QCOMPARE(d.windowTitle(), u"Szabott bútorlap megadása"_s);
        auto *panels = Find<QComboBox>(&d, u"butorlap_selector"_s);
        // Codes order as numbers: 5 and 7 before 10; the inactive panel 33 is not offered.
        QCOMPARE(panels->itemText(0), u"5 - Fekete (vastagság: 18mm)"_s);
        QCOMPARE(panels->itemText(1), u"7 - Akác (vastagság: 18mm)"_s);
        QCOMPARE(panels->itemText(2), u"10 - Fehér (vastagság: 18mm)"_s);
        QCOMPARE(panels->findText(u"33"_s, Qt::MatchStartsWith), -1);
        auto *thin = Find<QComboBox>(&d, u"elzaro_selector_1"_s);
        QCOMPARE(thin->itemText(0), u"-- NINCS --"_s);
        QCOMPARE(thin->itemText(1), u"5/04 - Fekete ABS 0.4mm(szélesség:22mm, vastagság:0mm)"_s);
        auto *thick = Find<QComboBox>(&d, u"elzaro_selector_2"_s);
        QCOMPARE(thick->itemText(1), u"5/2 - Fekete ABS 2mm(szélesség:22mm, vastagság:2mm)"_s);
        // Worktop bands are never offered for panels, the 1 mm band is a thick one.
        QCOMPARE(thick->findText(u"ML101/E"_s, Qt::MatchStartsWith), -1);
        QVERIFY(thick->findText(u"60/1"_s, Qt::MatchStartsWith) > 0);
        QCOMPARE(FocusedName(), u"butorlap_szama"_s);
        QVERIFY(Find(&d, u"elzaro1_kod"_s)->isReadOnly());
        SaveToGallery(&d, u"Tdorvatbasic_butorlap_bevitel_ures"_s);
    }

    void aNewLineIsPricedAndStored()
    {
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        QVERIFY(ShowActive(d));
        // The code picks the panel and, with nothing remembered, its recommended bands.
        EnterCode(Find(&d, u"butorlap_szama"_s), u"22"_s);
        QCOMPARE(Find<QComboBox>(&d, u"butorlap_selector"_s)->currentText(), u"22 - Cseresznye (vastagság: 18mm)"_s);
        QCOMPARE(Find(&d, u"elzaro_szama_1"_s)->text(), u"22/04"_s);
        QCOMPARE(Find(&d, u"elzaro_szama_2"_s)->text(), u"22/2"_s);
        QCOMPARE(FocusedName(), u"elzaro_szama_1"_s);
        QVERIFY(!Find<QCheckBox>(&d, u"chk_forgathato"_s)->isChecked());
        Find(&d, u"a"_s)->setText(u"600"_s);
        Find(&d, u"b"_s)->setText(u"400"_s);
        Find(&d, u"db"_s)->setText(u"2"_s);
        // The code field takes 1/a as A and 2/b as B and nothing else.
        auto *code1 = Find(&d, u"elzaro1_kod"_s);
        code1->setFocus();
        QTest::keyClicks(code1, u"1x"_s);
        QTest::keyClicks(code1, u"b"_s);
        QCOMPARE(code1->text(), u"AB"_s);
        TypeText(Find(&d, u"alkatresz_neve"_s), u"polc"_s);
        SaveToGallery(&d, u"Tdorvatbasic_butorlap_bevitel"_s);
        QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);

        QVERIFY(!d.isVisible());
        QVERIFY(!d.cancelled());
        const auto lines = tvr_b_basic_szabott_lapok_list(*f.db);
        QCOMPARE(lines.size(), size_t(1));
        const auto &l = lines[0];
        QCOMPARE(l.basic_munka_id, f.workId);
        QCOMPARE(l.active, u"1"_s);
        QCOMPARE(l.rogzitette, u"1"_s);
        QCOMPARE(l.butorlap_id, u"3"_s);
        QCOMPARE(QStringList({l.a, l.b, l.db}), QStringList({u"600"_s, u"400"_s, u"2"_s}));
        QCOMPARE(l.butorlap_terulete, u"0.48000000000000000000"_s);
        QCOMPARE(l.butorlap_egysegara, u"12900.00"_s);
        QCOMPARE(l.butorlap_erteke, u"6192.00"_s);
        QCOMPARE(QStringList({l.elzaro1_id, l.elzaro1_kod, l.elzaro1_hossza, l.elzaro1_egysegara, l.elzaro1_erteke}),
                 QStringList({u"5"_s, u"AB"_s, u"2.00000"_s, u"210.00"_s, u"420.00"_s}));
        QCOMPARE(QStringList({l.elzaro2_id, l.elzaro2_kod, l.elzaro2_hossza, l.elzaro2_egysegara, l.elzaro2_erteke}),
                 QStringList({u"6"_s, u""_s, u"0.00000"_s, u"480.00"_s, u"0.00"_s}));
        QCOMPARE(l.tetel_brutto_erteke, u"6612.00"_s);
        QCOMPARE(l.netto_eladasi_ar, u"5206.30"_s);
        QCOMPARE(l.netto_beszerzesi_ar, u"5206.30"_s);
        QCOMPARE(l.forgathato, u"0"_s);
        QCOMPARE(l.rogzites_ideje, u"polc"_s);
        QCOMPARE(QStringList({d.rememberedPanel(), d.rememberedEdge1(), d.rememberedEdge2()}),
                 QStringList({u"3"_s, u"5"_s, u"6"_s}));
    }

    void savesAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("band1");
        QTest::addColumn<QString>("band2");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("db");
        QTest::addColumn<QString>("code1");
        QTest::addColumn<QString>("code2");
        QTest::addColumn<QString>("message"); // empty: saved
        const QString sizes = u"A méretek nincsenek megadva, vagy túl nagy/kicsi!"_s;
        const QString bad = u"Hibás élzáró kód!"_s;
        const QString small = u"Túl kicsi az élzáráshoz!"_s;
        const QString count = u"A darabszám nincs megadva!"_s;
        QTest::newRow("2774 fits") << "22"
                                   << "22/04"
                                   << ""
                                   << "2774"
                                   << "500"
                                   << "1"
                                   << "A"
                                   << ""
                                   << "";
        QTest::newRow("2775 too long") << "22"
                                       << "22/04"
                                       << ""
                                       << "2775"
                                       << "500"
                                       << "1"
                                       << "A"
                                       << "" << sizes;
        QTest::newRow("B 2775") << "22"
                                << ""
                                << ""
                                << "500"
                                << "2775"
                                << "1"
                                << ""
                                << "" << sizes;
        QTest::newRow("no size") << "22"
                                 << ""
                                 << ""
                                 << ""
                                 << "500"
                                 << "1"
                                 << ""
                                 << "" << sizes;
        QTest::newRow("count empty") << "22"
                                     << ""
                                     << ""
                                     << "500"
                                     << "500"
                                     << ""
                                     << ""
                                     << "" << count;
        QTest::newRow("count 00") << "22"
                                  << ""
                                  << ""
                                  << "500"
                                  << "500"
                                  << "00"
                                  << ""
                                  << "" << count;
        QTest::newRow("band 1 missing") << "22"
                                        << ""
                                        << ""
                                        << "500"
                                        << "500"
                                        << "1"
                                        << "A"
                                        << "" << u"A 1. élzáró nincs kiválasztva!"_s;
        QTest::newRow("band 2 missing") << "22"
                                        << "22/04"
                                        << ""
                                        << "500"
                                        << "500"
                                        << "1"
                                        << "A"
                                        << "B" << u"A 2. élzáró nincs kiválasztva!"_s;
        QTest::newRow("AAB+B") << "22"
                               << "22/04"
                               << "22/2"
                               << "500"
                               << "500"
                               << "1"
                               << "AAB"
                               << "B"
                               << "";
        QTest::newRow("AABB") << "22"
                              << "22/04"
                              << ""
                              << "500"
                              << "500"
                              << "1"
                              << "AABB"
                              << ""
                              << "";
        QTest::newRow("AA+A") << "22"
                              << "22/04"
                              << "22/2"
                              << "500"
                              << "500"
                              << "1"
                              << "AA"
                              << "A" << bad;
        QTest::newRow("BBB") << "22"
                             << "22/04"
                             << ""
                             << "500"
                             << "500"
                             << "1"
                             << "BBB"
                             << "" << bad;
        QTest::newRow("AAB+BB") << "22"
                                << "22/04"
                                << "22/2"
                                << "500"
                                << "500"
                                << "1"
                                << "AAB"
                                << "BB" << bad;
        QTest::newRow("AA+AA clicked") << "22"
                                       << "22/04"
                                       << "22/2"
                                       << "500"
                                       << "500"
                                       << "1"
                                       << "AA"
                                       << "AA" << bad;
        QTest::newRow("49x70 A") << "22"
                                 << "22/04"
                                 << ""
                                 << "49"
                                 << "70"
                                 << "1"
                                 << "A"
                                 << "" << small;
        QTest::newRow("50x69 A") << "22"
                                 << "22/04"
                                 << ""
                                 << "50"
                                 << "69"
                                 << "1"
                                 << "A"
                                 << "" << small;
        QTest::newRow("50x70 A") << "22"
                                 << "22/04"
                                 << ""
                                 << "50"
                                 << "70"
                                 << "1"
                                 << "A"
                                 << ""
                                 << "";
        QTest::newRow("60x60 A") << "22"
                                 << "22/04"
                                 << ""
                                 << "60"
                                 << "60"
                                 << "1"
                                 << "A"
                                 << "" << small;
        QTest::newRow("70x49 B") << "22"
                                 << ""
                                 << "22/2"
                                 << "70"
                                 << "49"
                                 << "1"
                                 << ""
                                 << "B" << small;
        QTest::newRow("1/10 banded") << "70"
                                     << "10/04"
                                     << ""
                                     << "500"
                                     << "500"
                                     << "1"
                                     << "A"
                                     << "" << u"Az 1/10 illetve az 1/12 anyagokat nem élzárjuk!"_s;
        QTest::newRow("1/10 plain") << "70"
                                    << ""
                                    << ""
                                    << "500"
                                    << "500"
                                    << "1"
                                    << ""
                                    << ""
                                    << "";
    }

    void savesAreCheckedInOrder()
    {
        QFETCH(QString, panel);
        QFETCH(QString, band1);
        QFETCH(QString, band2);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, db);
        QFETCH(QString, code1);
        QFETCH(QString, code2);
        QFETCH(QString, message);
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        // A remembered band keeps the recommendations away; choices come from the codes below.
        d.setRememberedEdge1(u"99"_s);
        QVERIFY(ShowActive(d));
        EnterCode(Find(&d, u"butorlap_szama"_s), panel);
        for (const auto &[field, code] : {std::pair{u"elzaro_szama_1"_s, band1}, {u"elzaro_szama_2"_s, band2}}) {
            auto *edit = Find(&d, field);
            edit->setFocus();
            edit->setText(code);
            Find(&d, u"a"_s)->setFocus(); // leaving the field looks the code up
        }
        Fill(d, {a, b, db, code1, code2});
        QString shown;
        if (!message.isEmpty())
            ExpectMessage(&shown);
        QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);
        QVERIFY(AllModalsAnswered());
        QCOMPARE(shown, message);
        QCOMPARE(d.isVisible(), !message.isEmpty());
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_szabott_lapok"_s), message.isEmpty() ? u"1"_s : u"0"_s);
        if (!message.isEmpty())
            d.reject();
    }

    void codesThatAreNotThereOrNotHereAreSaid()
    {
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        QVERIFY(ShowActive(d));
        QString shown;
        ExpectMessage(&shown);
        EnterCode(Find(&d, u"butorlap_szama"_s), u"999"_s);
        QCOMPARE(shown, u"Nem létező bútorlap szám!"_s);
        QVERIFY(Find(&d, u"butorlap_szama"_s)->text().isEmpty());
        QVERIFY(Reactivate(d));
        QCOMPARE(FocusedName(), u"butorlap_szama"_s);

        EnterCode(Find(&d, u"butorlap_szama"_s), u"22"_s);
        auto *band1 = Find(&d, u"elzaro_szama_1"_s);
        ExpectMessage(&shown);
        band1->setText(u"22/2"_s); // a thick band where a thin one belongs
        Find(&d, u"a"_s)->setFocus();
        QCOMPARE(shown, u"A(z) 22/2 élzáró ide nem kiválasztható!"_s);
        QCOMPARE(Find<QComboBox>(&d, u"elzaro_selector_1"_s)->currentText().left(5), u"22/04"_s);
        QCOMPARE(band1->text(), u"22/04"_s); // the field shows the band that stays selected
        QVERIFY(Reactivate(d));

        ExpectMessage(&shown);
        band1->setFocus();
        band1->setText(u"99/9"_s);
        Find(&d, u"a"_s)->setFocus();
        QCOMPARE(shown, u"Nincs ilyen számú élzáró:99/9"_s);
        QCOMPARE(Find<QComboBox>(&d, u"elzaro_selector_1"_s)->currentIndex(), 0);
        QVERIFY(band1->text().isEmpty());
        QVERIFY(Reactivate(d));

        // NINCS makes the code read-only; a band again makes it editable.
        auto *selector = Find<QComboBox>(&d, u"elzaro_selector_1"_s);
        emit selector->activated(0);
        QVERIFY(Find(&d, u"elzaro1_kod"_s)->isReadOnly());
        selector->setCurrentIndex(3);
        emit selector->activated(3);
        QVERIFY(!Find(&d, u"elzaro1_kod"_s)->isReadOnly());
        QCOMPARE(FocusedName(), u"elzaro_szama_2"_s);
        QVERIFY(AllModalsAnswered());
        d.reject();
    }

    void partNameAfterAnOrderAndModifyRoundTrip()
    {
        KitchenFixture f;
        {
            Dialog d(*f.db);
            d.setWorkId(f.workId);
            d.setAfterOrder(true);
            QVERIFY(ShowActive(d));
            EnterCode(Find(&d, u"butorlap_szama"_s), u"7"_s);
            Fill(d, {u"250"_s, u"500"_s, u"1"_s, u"AB"_s, u""_s});
            Find(&d, u"alkatresz_neve"_s)->setText(u"oldal"_s);
            QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);
            QVERIFY(!d.cancelled());
        }
        const QString id = f.value(u"select basic_szabott_lapok_id from tvr_b_basic_szabott_lapok"_s);
        auto line = tvr_b_basic_szabott_lapok_get(*f.db, id);
        QCOMPARE(line->rogzites_ideje, u"!oldal"_s);
        QCOMPARE(line->butorlap_terulete, u"0.12000000000000000000"_s); // 0.125, the half to even
        QCOMPARE(line->elzaro1_id, u"25"_s);
        QCOMPARE(line->elzaro1_hossza, u"0.75000"_s);

        Dialog d(*f.db);
        d.setWorkId(f.workId);
        d.setAfterOrder(true);
        d.setMode(Dialog::Mode::Modify);
        d.setLineId(id);
        QVERIFY(ShowActive(d));
        QCOMPARE(Find(&d, u"butorlap_szama"_s)->text(), u"7"_s);
        QCOMPARE(Find(&d, u"elzaro_szama_1"_s)->text(), u"7/04"_s);
        QCOMPARE(Find(&d, u"elzaro_szama_2"_s)->text(), u"7/2"_s);
        QCOMPARE(Find(&d, u"alkatresz_neve"_s)->text(), u"!oldal"_s);
        QCOMPARE(Find(&d, u"elzaro1_kod"_s)->text(), u"AB"_s);
        Find(&d, u"a"_s)->setText(u"750"_s);
        QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);
        QVERIFY(!d.cancelled());
        line = tvr_b_basic_szabott_lapok_get(*f.db, id);
        QCOMPARE(line->rogzites_ideje, u"!!oldal"_s);                   // every save after the order is marked
        QCOMPARE(line->butorlap_terulete, u"0.38000000000000000000"_s); // 0.375
        QCOMPARE(line->a, u"750"_s);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_szabott_lapok"_s), u"1"_s);
    }

    void aLineWhosePanelIsGoneAsksForOne()
    {
        KitchenFixture f;
        f.db->execute(u"insert into tvr_b_basic_szabott_lapok (basic_munka_id,active,butorlap_id,a,b,db,elzaro1_id,"
                      u"elzaro2_id,elzaro1_kod,elzaro2_kod,rogzites_ideje) values (?,'1','12','500','500','1','0','0',"
                      u"'','','régi')"_s,
                      {f.workId});
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        d.setMode(Dialog::Mode::Modify);
        d.setLineId(f.value(u"select max(basic_szabott_lapok_id) from tvr_b_basic_szabott_lapok"_s));
        QVERIFY(ShowActive(d));
        QCOMPARE(Find<QComboBox>(&d, u"butorlap_selector"_s)->currentIndex(), -1);
        QString shown;
        ExpectMessage(&shown);
        QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);
        QVERIFY(shown.startsWith(u"Nincs kiválasztva bútorlap!"_s));
        QVERIFY(Reactivate(d));
        QCOMPARE(FocusedName(), u"butorlap_szama"_s);
        QCOMPARE(f.value(u"select butorlap_id from tvr_b_basic_szabott_lapok"_s), u"12"_s);
        d.reject();
    }

    void theChooserRestrictsAndLooksUpCodes()
    {
        KitchenFixture f;
        Tbutorlap_kivalaszto chooser(*f.db);
        chooser.restrictToFrontPanels();
        chooser.setInitialPanelId(u"10"_s);
        QVERIFY(ShowActive(chooser));
        QCOMPARE(chooser.windowTitle(), u"Bútorlap kiválasztása"_s);
        auto *list = Find<QListWidget>(&chooser, u"butorlap_selector"_s);
        QCOMPARE(list->currentItem()->text(), u"60 - Fehér magasfényű (vastagság: 18mm)"_s);
        QVERIFY(list->findItems(u"70 -"_s, Qt::MatchStartsWith).isEmpty()); // the back panel is no front
        QString shown;
        ExpectMessage(&shown);
        EnterCode(Find(&chooser, u"butorlap_szama"_s), u"33"_s);
        QCOMPARE(shown, u"Nem létező bútorlap szám!"_s);
        QVERIFY(Reactivate(chooser));
        EnterCode(Find(&chooser, u"butorlap_szama"_s), u"42"_s);
        QCOMPARE(FocusedName(), u"btn_ok"_s);
        SaveToGallery(&chooser, u"Tbutorlap_kivalaszto"_s);
        Find<QPushButton>(&chooser, u"btn_ok"_s)->click();
        QCOMPARE(chooser.chosenId(), u"7"_s);
        QCOMPARE(chooser.chosenCode(), u"42"_s);

        Tbutorlap_kivalaszto cancelled(*f.db);
        QVERIFY(ShowActive(cancelled));
        Press(Qt::Key_Escape);
        QCOMPARE(cancelled.chosenId(), u"0"_s);
    }
};

QTEST_MAIN(CutPanelDialogTest)
#include "test_cut_panel_dialog.moc"

// The worktop dialog against the demo catalogue: the worktop by code or list, the decoration
// boxes and code, the three checks, the stored line to the cent, and a modify that keeps what the
// dialog does not show.

#include "KitchenFixture.h"
#include "common/CN_CommonDateFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/Tdorvatbasic_munkalap_bevitel.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

using Dialog = Tdorvatbasic_munkalap_bevitel;

void EnterCode(QLineEdit *field, const QString &code)
{
    field->setFocus();
    field->setText(code);
    QTest::keyClick(field, Qt::Key_Return);
}

void Save(Dialog &d)
{
    QTest::mouseClick(Find<QPushButton>(&d, u"btn_rogzites"_s), Qt::LeftButton);
}

} // namespace

class WorktopDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ResetModalAnswers();
        System().CurrentUserId = u"1"_s;
        SetClock([] { return QDateTime(QDate(2023, 6, 6), QTime(10, 15)); });
    }
    void cleanup()
    {
        SetClock({});
        QVERIFY(AllModalsAnswered());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aNewLineWithDecorationIsStored()
    {
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        QVERIFY(ShowActive(d));
        QCOMPARE(d.windowTitle(), u"Szabott munkalap megadása"_s);
        auto *list = Find<QComboBox>(&d, u"munkalap_selector"_s);
        QCOMPARE(list->itemText(0), u"ML101[38mm] - Fehér márvány"_s);
        QCOMPARE(list->findText(u"ML108"_s, Qt::MatchStartsWith), -1); // not offered for kitchens
        QCOMPARE(Find(&d, u"melyseg"_s)->text(), u"600"_s);
        QCOMPARE(Find(&d, u"db"_s)->text(), u"1"_s);
        QVERIFY(Find<QWidget>(&d, u"panel_marasok"_s)->isHidden());
        EnterCode(Find(&d, u"munkalap_szama"_s), u"ml105"_s.toUpper());
        QCOMPARE(list->currentText(), u"ML105[38mm] - Natúr tölgy hatású"_s);
        QCOMPARE(FocusedName(), u"hossz"_s);
        Find(&d, u"hossz"_s)->setText(u"3000"_s);
        for (const QString &box : {u"chk_dekor_bal"_s, u"chk_dekor_jobb"_s, u"chk_dekor_hosszu"_s})
            QTest::mouseClick(Find<QCheckBox>(&d, box), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(Find(&d, u"elzaro_kod"_s)->text(), u"bBA"_s);
        SaveToGallery(&d, u"Tdorvatbasic_munkalap_bevitel"_s);
        Save(d);
        QVERIFY(!d.cancelled());
        const auto lines = tvr_b_basic_szabott_munkalapok_list(*f.db);
        QCOMPARE(lines.size(), size_t(1));
        const auto &l = lines[0];
        QCOMPARE(l.munkalap_id, u"5"_s);
        QCOMPARE(QStringList({l.hossz, l.melyseg, l.darab, l.elzaro_kod}),
                 QStringList({u"3000"_s, u"600"_s, u"1"_s, u"bBA"_s}));
        QCOMPARE(l.munkalap_egysegara, f.value(u"select basic_egysegara from tvr_munkalapok where munkalap_id=5"_s));
        const double unit = l.munkalap_egysegara.toDouble();
        QCOMPARE(l.elzaro_hossza, u"4.20000"_s);
        QCOMPARE(l.elzaras_erteke, u"6300.00"_s); // 4.2 m at 1500
        QCOMPARE(l.csak_a_munkalap_erteke, QString::number(3 * unit, 'f', 2));
        QCOMPARE(l.munkalap_erteke, QString::number(3 * unit + 6300, 'f', 2));
        QCOMPARE(l.kedv_ar_munkalap, l.munkalap_erteke);
        QCOMPARE(QStringList({l.elzaro_id, l.elzaro_egysegara, l.elzaras_kedv, l.munkalap_kedv}),
                 QStringList({u"0"_s, u"0.00"_s, u"0"_s, u"0"_s}));
        QCOMPARE(QStringList({l.sarokosszemarasok_szama, l.mosogatohely_1_maras_szama, l.fozolap_maras_szama}),
                 QStringList({u"0"_s, u"0"_s, u"0"_s}));
        QCOMPARE(l.rogzites_ideje, u"2023.06.06. 10:15"_s);
        QCOMPARE(d.rememberedWorktop(), u"5"_s);
        QCOMPARE(d.rememberedEdge(), u"0"_s);
    }

    void limitsAndCount_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        const QString depth = u"A mélység túl kicsi vagy túl nagy! (max: 600mm, min: 40mm"_s;
        const QString length = u"A hosszúság túl nagy! (max: 4100mm)"_s;
        QTest::newRow("40") << "1000"
                            << "40"
                            << "1"
                            << "";
        QTest::newRow("600") << "1000"
                             << "600"
                             << "1"
                             << "";
        QTest::newRow("39") << "1000"
                            << "39"
                            << "1" << depth;
        QTest::newRow("601") << "1000"
                             << "601"
                             << "1" << depth;
        QTest::newRow("empty depth") << "1000"
                                     << ""
                                     << "1" << depth;
        QTest::newRow("4100") << "4100"
                              << "600"
                              << "1"
                              << "";
        QTest::newRow("4101") << "4101"
                              << "600"
                              << "1" << length;
        QTest::newRow("length 0 is a zero line") << ""
                                                 << "600"
                                                 << "1"
                                                 << "";
        QTest::newRow("count 0") << "1000"
                                 << "600"
                                 << "0" << u"A darabszám nincs megadva!"_s;
        QTest::newRow("count empty") << "1000"
                                     << "600"
                                     << "" << u"A darabszám nincs megadva!"_s;
    }

    void limitsAndCount()
    {
        QFETCH(QString, length);
        QFETCH(QString, depth);
        QFETCH(QString, count);
        QFETCH(QString, message);
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        QVERIFY(ShowActive(d));
        Find(&d, u"hossz"_s)->setText(length);
        Find(&d, u"melyseg"_s)->setText(depth);
        Find(&d, u"db"_s)->setText(count);
        QString shown;
        if (!message.isEmpty())
            ExpectMessage(&shown);
        Save(d);
        QVERIFY(AllModalsAnswered());
        QCOMPARE(shown, message);
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_szabott_munkalapok"_s),
                 message.isEmpty() ? u"1"_s : u"0"_s);
        if (!message.isEmpty())
            d.reject();
    }

    void codesNotOfferedKeepTheChoice()
    {
        KitchenFixture f;
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        d.setDefaultWorktop(u"3"_s);
        QVERIFY(ShowActive(d));
        auto *list = Find<QComboBox>(&d, u"munkalap_selector"_s);
        QCOMPARE(list->currentText().left(5), u"ML103"_s); // the work's default
        EnterCode(Find(&d, u"munkalap_szama"_s), u"ML108"_s);
        QCOMPARE(list->currentText().left(5), u"ML103"_s);
        QCOMPARE(Find(&d, u"munkalap_szama"_s)->text(), u"ML103"_s);
        QString shown;
        ExpectMessage(&shown);
        EnterCode(Find(&d, u"munkalap_szama"_s), u"ML999"_s);
        QCOMPARE(shown, u"Nem létező munkalap szám!"_s);
        QVERIFY(Find(&d, u"munkalap_szama"_s)->text().isEmpty());
        d.reject();
    }

    void modifyKeepsWhatTheDialogDoesNotShow()
    {
        KitchenFixture f;
        f.db->execute(u"insert into tvr_b_basic_szabott_munkalapok (basic_munka_id,active,munkalap_id,hossz,melyseg,"
                      u"darab,elzaro_kod,megjegyzes,sarokosszemarasok_szama,mosogatohely_1_maras_szama,"
                      u"mosogatohely_2_maras_szama,fozolap_maras_szama,atemelve,ba,bf,jf,ja) values (?,'1','2','2400',"
                      u"'600','1','bA','sarok a falnál','2','1','0','1','0','5','6','7','8')"_s,
                      {f.workId});
        const QString id = f.value(u"select max(basic_szabott_munkalapok_id) from tvr_b_basic_szabott_munkalapok"_s);
        Dialog d(*f.db);
        d.setWorkId(f.workId);
        d.setMode(Dialog::Mode::Modify);
        d.setLineId(id);
        QVERIFY(ShowActive(d));
        QVERIFY(Find<QCheckBox>(&d, u"chk_dekor_bal"_s)->isChecked());
        QVERIFY(!Find<QCheckBox>(&d, u"chk_dekor_jobb"_s)->isChecked());
        QVERIFY(Find<QCheckBox>(&d, u"chk_dekor_hosszu"_s)->isChecked());
        QCOMPARE(Find(&d, u"munkalap_szama"_s)->text(), u"ML102"_s);
        QCOMPARE(Find(&d, u"hossz"_s)->text(), u"2400"_s);
        Find(&d, u"hossz"_s)->setText(u"2000"_s);
        Save(d);
        QVERIFY(!d.cancelled());
        const auto l = tvr_b_basic_szabott_munkalapok_get(*f.db, id);
        QCOMPARE(l->hossz, u"2000"_s);
        QCOMPARE(l->elzaro_hossza, u"2.60000"_s);
        QCOMPARE(QStringList({l->megjegyzes, l->sarokosszemarasok_szama, l->mosogatohely_1_maras_szama,
                              l->mosogatohely_2_maras_szama, l->fozolap_maras_szama, l->ba, l->bf, l->jf, l->ja}),
                 QStringList({u"sarok a falnál"_s, u"2"_s, u"1"_s, u"0"_s, u"1"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}));
        QCOMPARE(f.value(u"select count(*) from tvr_b_basic_szabott_munkalapok"_s), u"1"_s);

        // A worktop no longer offered is not swapped for another: the save asks for one.
        f.db->execute(u"update tvr_b_basic_szabott_munkalapok set munkalap_id='8'"_s);
        Dialog again(*f.db);
        again.setWorkId(f.workId);
        again.setMode(Dialog::Mode::Modify);
        again.setLineId(id);
        QVERIFY(ShowActive(again));
        QCOMPARE(Find<QComboBox>(&again, u"munkalap_selector"_s)->currentIndex(), -1);
        QString shown;
        ExpectMessage(&shown);
        Save(again);
        QVERIFY2(shown.startsWith(u"Nincs kiválasztva munkalap"_s), qPrintable(shown));
        QCOMPARE(f.value(u"select munkalap_id from tvr_b_basic_szabott_munkalapok"_s), u"8"_s);
        again.reject();
    }
};

QTEST_MAIN(WorktopDialogTest)
#include "test_worktop_dialog.moc"

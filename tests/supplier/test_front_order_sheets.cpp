// The printed sheets of a Nettfront front order, laid out from fixture orders in a real encrypted
// database with the demo catalogue: the fronts sheet's title, customer, colour and milling, note,
// columns, line totals and areas; the other-products sheet only for an order that has other
// products; page breaks with the column header repeated; the PDF read back with pdftotext; the
// preview opened for an order; and the sheets as long-lived objects of the program.

#include "common/CN_CommonDateFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/report/ReportOutput.h"
#include "shell/StartProgram.h"
#include "shell/TErrorDialog.h"
#include "shell/TMainForm.h"
#include "supplier/FrontOrderSheetPreview.h"
#include "supplier/FrontOrderSheets.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "supplier/Tnettfront_egyebtermek_megrendelolap_nyomtatott.h"
#include "supplier/Tnettfront_megrendelolap_nyomtatott.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const QDateTime FixedNow(QDate(2023, 6, 6), QTime(10, 15));
const QString FixedNowText = u"2023.06.06. 10:15"_s;
const QString CustomerName = u"Kőműves Ödön és Fiai"_s;
const QString CustomerPhone = u"+36 30 123 4567"_s;
const QString Note = u"Szállítás előtt hívja Győzőt; a fiókelőlapok ŐŰ-jelölésűek"_s;

// One front line of a fixture order (columns of tvr_r_nettfront_megrendeles_tetelei).
struct FrontLine {
    QString quantity, height, width, millingId, colourId, frontTypeId, classification, total;
    QString custom = u"0"_s, tooSmall = u"0"_s, rebated = u"0"_s, hingeHoles = u"0"_s, active = u"1"_s;
};

struct OtherLine {
    QString productId, colourId, quantity, total;
};

class Fixture
{
public:
    Fixture()
    {
        data.writeDemoCatalogues();
        db = data.open();
        frontsSheet = std::make_unique<Tnettfront_megrendelolap_nyomtatott>(*db);
        othersSheet = std::make_unique<Tnettfront_egyebtermek_megrendelolap_nyomtatott>(*db);
    }

    // A kitchen work of a quote of the customer, and a front order of that work.
    QString addOrder(const QString &supplementary, const QString &note = Note, const QString &total = u"41234.56"_s)
    {
        Ttable_tvr_arajanlat quote;
        quote.megrendelo_neve = CustomerName;
        quote.megrendelo_telefonszama = CustomerPhone;
        quote.arajanlat_tipus = u"1"_s;
        quote.statusza = u"0"_s;
        if (!tvr_arajanlat_insert(*db, quote))
            return {};
        const QString quoteId = LastInsertId(*db);
        Ttable_tvr_b_basic_munka work;
        work.arajanlat_id = quoteId;
        if (!tvr_b_basic_munka_insert(*db, work))
            return {};
        const QString workId = LastInsertId(*db);
        Ttable_tvr_r_nettfront_megrendelesek order;
        order.megrendelo_id = u"0"_s;
        order.kiegeszito_frontrendeles = supplementary;
        order.basic_munka_id = workId;
        order.megjegyzes = note;
        order.rendeleskor_osszes_elad_ar = total;
        order.terulet_szeria = u"0.5670"_s;
        order.terulet_uveges = u"0.3000"_s;
        order.terulet_egyedi = u"0.4500"_s;
        order.terulet_egyedi_uveges = u"0.0000"_s;
        order.terulet_falcolas = u"0.4500"_s;
        if (!tvr_r_nettfront_megrendelesek_insert(*db, order))
            return {};
        return LastInsertId(*db);
    }

    void addFront(const QString &orderId, const FrontLine &f)
    {
        Ttable_tvr_r_nettfront_megrendeles_tetelei line;
        line.nettfront_megrendeles_id = orderId;
        line.rendelt_mennyiseg = f.quantity;
        line.magassag = f.height;
        line.szelesseg = f.width;
        line.maras_id = f.millingId;
        line.nettfront_szin_id = f.colourId;
        line.front_tipus_id = f.frontTypeId;
        line.besorolas = f.classification;
        line.tetel_brutto_eladasi_ara = f.total;
        line.egyedi_meret = f.custom;
        line.nem_lesz_marasminta_rajta_mert_kicsi = f.tooSmall;
        line.falcolassal = f.rebated;
        line.panthelymarasok_szama = f.hingeHoles;
        line.nettfront_egyebtermek_id = u"0"_s;
        QVERIFY(tvr_r_nettfront_megrendeles_tetelei_insert(*db, line));
        if (f.active == u"0")
            QVERIFY(tvr_r_nettfront_megrendeles_tetelei_deactivate(*db, LastInsertId(*db)));
    }

    void addOther(const QString &orderId, const OtherLine &o)
    {
        Ttable_tvr_r_nettfront_megrendeles_tetelei line;
        line.nettfront_megrendeles_id = orderId;
        line.nettfront_egyebtermek_id = o.productId;
        line.nettfront_szin_id = o.colourId;
        line.rendelt_mennyiseg = o.quantity;
        line.tetel_brutto_eladasi_ara = o.total;
        line.maras_id = u"0"_s;
        QVERIFY(tvr_r_nettfront_megrendeles_tetelei_insert(*db, line));
    }

    // The four kinds of front of the worked examples: a series door, a rebated custom split-glass
    // door, a drawer face too small for the milling pattern, a glazed door; and a deleted line.
    void addTypicalFronts(const QString &orderId)
    {
        addFront(orderId,
                 {u"2"_s, u"716"_s, u"396"_s, u"2"_s, u"1"_s, u"1"_s, u"SZÉRIA kat.:2 bruttó ár:30480.00Ft/nm"_s,
                  u"17282.16000000000000000000"_s, u"0"_s, u"0"_s, u"0"_s, u"2"_s});
        addFront(orderId, {u"1"_s, u"1000"_s, u"450"_s, u"3"_s, u"2"_s, u"4"_s, u"EGYEDI"_s,
                           u"9525.50000000000000000000"_s, u"1"_s, u"0"_s, u"1"_s});
        addFront(orderId, {u"3"_s, u"110"_s, u"396"_s, u"2"_s, u"1"_s, u"2"_s,
                           u"SZÉRIA kat.:2 bruttó ár:30480.00Ft/nm"_s, u"1234.40000000000000000000"_s, u"0"_s, u"1"_s});
        addFront(orderId, {u"1"_s, u"716"_s, u"496"_s, u"2"_s, u"1"_s, u"3"_s,
                           u"SZÉRIA kat.:2 bruttó ár:36830.00Ft/nm"_s, u"13079.99999999999999999999"_s});
        addFront(orderId, {u"9"_s, u"999"_s, u"999"_s, u"2"_s, u"1"_s, u"1"_s, u"TÖRÖLT"_s, u"99999.00"_s, u"0"_s,
                           u"0"_s, u"0"_s, u"0"_s, u"0"_s});
    }

    // Lays the order's document out as the editor's hook composes it.
    TReportPages layOut(const QString &orderId, bool *composed = nullptr)
    {
        TCompositeReport document;
        const bool ok =
            ComposeFrontOrderSheets(document, fronts(), others(), orderId, ReadFrontOrderCustomer(*db, orderId));
        if (composed)
            *composed = ok;
        lastReports = document.reports();
        return LayOutReports(document);
    }

    TestDataFolder data;
    std::unique_ptr<TDatabaseConnection> db;
    std::unique_ptr<Tnettfront_megrendelolap_nyomtatott> frontsSheet;
    std::unique_ptr<Tnettfront_egyebtermek_megrendelolap_nyomtatott> othersSheet;
    Tnettfront_megrendelolap_nyomtatott &fronts() { return *frontsSheet; }
    Tnettfront_egyebtermek_megrendelolap_nyomtatott &others() { return *othersSheet; }
    std::vector<const TReport *> lastReports;
};

// The texts of one detail row of a page, by name.
std::map<QString, QString> RowTexts(const TReportPage &page, int row)
{
    std::map<QString, QString> texts;
    for (const TPlacedText &t : page.texts)
        if (t.band == TBandKind::Detail && t.row == row)
            texts[t.name] = t.text;
    return texts;
}

// A whole-forint amount as CurrencyText writes it: groups of three apart by non-breaking spaces.
QString Ft(const QString &digits)
{
    return QString(digits).replace(u' ', QChar(0x00A0)) + u" Ft"_s;
}

QString Text(const TReportPage &page, const QString &name)
{
    const TPlacedText *t = page.find(name);
    return t ? t->text : u"<nincs: %1>"_s.arg(name);
}

QString PdfText(const QString &file)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, u"-layout"_s, file, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class FrontOrderSheetsTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        SetClock([] { return FixedNow; });
    }
    void cleanup()
    {
        SetClock({});
        ResetModalAnswers();
    }

    void titleFollowsTheSupplementaryFlag_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("title");
        QTest::newRow("supplementary") << u"1"_s << u"KIEGÉSZÍTŐ RENDELÉS!"_s;
        QTest::newRow("own order") << u"0"_s << u"Ajtófront megrendelőlap"_s;
    }
    void titleFollowsTheSupplementaryFlag()
    {
        QFETCH(QString, flag);
        QFETCH(QString, title);
        Fixture f;
        const QString id = f.addOrder(flag);
        f.addTypicalFronts(id);
        const TReportPages pages = f.layOut(id);
        QCOMPARE(pages.pageCount(), 1);
        QCOMPARE(Text(pages.pages[0], u"lab_cim"_s), title);
    }

    void frontsSheetPrintsTheOrderAndEveryFrontLine()
    {
        Fixture f;
        ErrorRecorder errors;
        const QString id = f.addOrder(u"1"_s);
        f.addTypicalFronts(id);
        const TReportPages pages = f.layOut(id);
        QCOMPARE(pages.pageCount(), 1);
        const TReportPage &page = pages.pages[0];
        QCOMPARE(page.reportName, u"Tnettfront_megrendelolap_nyomtatott"_s);
        QCOMPARE(page.size, QSizeF(210, 297));

        QCOMPARE(page.textsOf(TBandKind::Title),
                 (QStringList{u"KIEGÉSZÍTŐ RENDELÉS!"_s, u"Megrendelő:"_s, u"Rendelés bruttó értéke:"_s, CustomerName,
                              Ft(u"41 235"_s), u"Tel.:"_s, CustomerPhone, u"SZÍN: FEHÉR MATT"_s, u"MARÁS: K10"_s,
                              u"Megj.:"_s, Note}));
        QCOMPARE(page.textsOf(TBandKind::ColumnHeader),
                 (QStringList{u"db"_s, u"egyedi?"_s, u"magasság"_s, u"szélesség"_s, u"garancia?"_s, u"üveges?"_s,
                              u"besorolás, fronttipus"_s, u"pánt."_s, u"bruttó elad. ár"_s}));
        // The header's columns stand in that order from left to right.
        double left = -1;
        for (const QString &name :
             {u"fej_db"_s, u"fej_egyedi"_s, u"fej_magassag"_s, u"fej_szelesseg"_s, u"fej_garancia"_s, u"fej_uveges"_s,
              u"fej_besorolas"_s, u"fej_pant"_s, u"fej_ar"_s}) {
            QVERIFY2(page.find(name)->rect.left() > left, qPrintable(name));
            left = page.find(name)->rect.left();
        }

        // Four active front lines in entry order; the deleted one and no other product among them.
        QCOMPARE(page.rows, (std::vector<int>{0, 1, 2, 3}));
        using Row = std::map<QString, QString>;
        const std::vector<Row> expected{
            {{u"k"_s, u""_s},
             {u"rendelt_mennyiseg"_s, u"2"_s},
             {u"egyedi_meret"_s, u""_s},
             {u"magassag"_s, u"716"_s},
             {u"szelesseg"_s, u"396"_s},
             {u"uveges"_s, u""_s},
             {u"falcolas"_s, u""_s},
             {u"besorolas"_s, u"SZÉRIA kat.:2 bruttó ár:30480.00Ft/nm"_s},
             {u"megnevezes"_s, u"AJTÓ"_s},
             {u"panthelymarasok_szama"_s, u"2"_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"17 282"_s)}},
            {{u"k"_s, u""_s},
             {u"rendelt_mennyiseg"_s, u"1"_s},
             {u"egyedi_meret"_s, u"Egyedi"_s},
             {u"magassag"_s, u"1000"_s},
             {u"szelesseg"_s, u"450"_s},
             {u"uveges"_s, u"OSZT.Ü."_s},
             {u"falcolas"_s, u"FALCOLÁS"_s},
             {u"besorolas"_s, u"EGYEDI"_s},
             {u"megnevezes"_s, u"OSZTOTT ÜVEGES AJTÓ"_s},
             {u"panthelymarasok_szama"_s, u""_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"9 526"_s)}},
            {{u"k"_s, u"X"_s},
             {u"rendelt_mennyiseg"_s, u"3"_s},
             {u"egyedi_meret"_s, u""_s},
             {u"magassag"_s, u"110"_s},
             {u"szelesseg"_s, u"396"_s},
             {u"uveges"_s, u""_s},
             {u"falcolas"_s, u""_s},
             {u"besorolas"_s, u"SZÉRIA kat.:2 bruttó ár:30480.00Ft/nm"_s},
             {u"megnevezes"_s, u"FIÓKELŐLAP"_s},
             {u"panthelymarasok_szama"_s, u""_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"1 234"_s)}},
            {{u"k"_s, u""_s},
             {u"rendelt_mennyiseg"_s, u"1"_s},
             {u"egyedi_meret"_s, u""_s},
             {u"magassag"_s, u"716"_s},
             {u"szelesseg"_s, u"496"_s},
             {u"uveges"_s, u"Üveges"_s},
             {u"falcolas"_s, u""_s},
             {u"besorolas"_s, u"SZÉRIA kat.:2 bruttó ár:36830.00Ft/nm"_s},
             {u"megnevezes"_s, u"TELIÜVEGES AJTÓ"_s},
             {u"panthelymarasok_szama"_s, u""_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"13 080"_s)}},
        };
        for (int r = 0; r < 4; ++r)
            QCOMPARE(RowTexts(page, r), expected[size_t(r)]);
        // The "X" marker stands just before the quantity, and the second line of a cell under its first.
        const TPlacedText *marker = page.find(u"k"_s, 2);
        const TPlacedText *quantity = page.find(u"rendelt_mennyiseg"_s, 2);
        QVERIFY(marker->rect.right() <= quantity->rect.left() + 0.01);
        QVERIFY(marker->font.bold);
        QVERIFY(page.find(u"falcolas"_s, 1)->rect.top() >= page.find(u"uveges"_s, 1)->rect.bottom() - 0.01);
        QVERIFY(page.find(u"megnevezes"_s, 0)->rect.top() >= page.find(u"besorolas"_s, 0)->rect.bottom() - 0.01);
        QVERIFY(page.find(u"megnevezes"_s, 0)->font.pointSize < page.find(u"besorolas"_s, 0)->font.pointSize);
        QCOMPARE(page.find(u"rendelt_mennyiseg"_s)->alignment & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        QCOMPARE(page.textsOf(TBandKind::Summary),
                 (QStringList{u"X = nem lesz rajta marásminta, mert túl kicsi"_s, u"Széria:"_s, u"0.5670 nm"_s,
                              u"Széria üveges:"_s, u"0.3000 nm"_s, u"Egyedi:"_s, u"0.4500 nm"_s, u"Egyedi üveges:"_s,
                              u"0.0000 nm"_s, u"Falcolás:"_s, u"0.4500 nm"_s}));
        const QString dots = u"......................................................."_s;
        QCOMPARE(page.textsOf(TBandKind::PageFooter),
                 (QStringList{dots, dots, u"rögzítő"_s, u"vásárló"_s, FixedNowText, u"1/1. oldal"_s}));
        for (const TPlacedText &t : page.texts)
            QVERIFY2(t.fits, qPrintable(t.name + u": "_s + t.text));
        QVERIFY(errors.errors.empty());
    }

    void aLongCustomerNamePushesTheLinesUnderItDown()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s);
        f.addTypicalFronts(id);
        const QString longName = u"Kőműves Ödön és Fiai Asztalosipari, Faipari és Lakberendezési Betéti Társaság "
                                 u"Győr-Moson-Sopron megyei telephelye"_s;
        TCompositeReport document;
        QVERIFY(ComposeFrontOrderSheets(document, f.fronts(), f.others(), id, {longName, CustomerPhone}));
        const TReportPages pages = LayOutReports(document);
        const TReportPage &page = pages.pages[0];
        const TPlacedText *name = page.find(u"lab_megrendelo_neve"_s);
        QCOMPARE(name->text, longName);
        QVERIFY(name->fits);
        QVERIFY(name->rect.height() > 9); // two lines at least
        QVERIFY(name->rect.right() < page.find(u"lab_brutto_ertek"_s)->rect.left());
        const QStringList chain{u"lab_megrendelo_neve"_s, u"lab_telefonszam"_s, u"lab_szin"_s, u"lab_megjegyzes"_s};
        for (qsizetype i = 1; i < chain.size(); ++i)
            QVERIFY2(page.find(chain[i])->rect.top() >= page.find(chain[i - 1])->rect.bottom() - 0.01,
                     qPrintable(chain[i]));
        QVERIFY(page.find(u"fej_db"_s)->rect.top() >= page.find(u"lab_megjegyzes"_s)->rect.bottom());
        QCOMPARE(page.find(u"lab_maras"_s)->rect.top(), page.find(u"lab_szin"_s)->rect.top());
    }

    void otherProductsAddTheSecondSheet()
    {
        Fixture f;
        ErrorRecorder errors;
        const QString without = f.addOrder(u"1"_s);
        f.addTypicalFronts(without);
        const QString with = f.addOrder(u"1"_s);
        f.addTypicalFronts(with);
        f.addOther(with, {u"5"_s, u"6"_s, u"2"_s, u"25800.00"_s}); // ESZTERGÁLT PILLÉR, ANTIKOLT FEHÉR
        f.addOther(with, {u"1"_s, u"2"_s, u"3"_s, u"26700.50"_s}); // MODERN PÁRKÁNYLÉC
        f.addOther(with, {u"10"_s, u"1"_s, u"1"_s, u"3900.00"_s}); // VÉGZÁRÓ TAKARÓLÉC

        QCOMPARE(f.layOut(without).pageCount(), 1);
        QCOMPARE(f.lastReports.size(), size_t(1));
        QVERIFY(!NettfrontOrderHasOtherProducts(*f.db, without));

        const TReportPages pages = f.layOut(with);
        QVERIFY(NettfrontOrderHasOtherProducts(*f.db, with));
        QCOMPARE(pages.pageCount(), 2);
        QCOMPARE(f.lastReports, (std::vector<const TReport *>{&f.fronts().report(), &f.others().report()}));
        QCOMPARE(pages.pages[0].rows.size(), size_t(4));
        const TReportPage &page = pages.pages[1];
        QCOMPARE(page.reportName, u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s);
        QCOMPARE(page.textsOf(TBandKind::Title), QStringList{u"Egyéb termékek:"_s});
        QCOMPARE(page.textsOf(TBandKind::ColumnHeader), (QStringList{u"db"_s, u"Mag."_s, u"Szél."_s, u"Hossz."_s,
                                                                     u"Átm."_s, u"Termék"_s, u"Bruttó eladási ár"_s}));
        using Row = std::map<QString, QString>;
        const std::vector<Row> expected{
            {{u"rendelt_mennyiseg"_s, u"2"_s},
             {u"magassag"_s, u"720"_s},
             {u"szelesseg"_s, u""_s},
             {u"hosszusag"_s, u""_s},
             {u"atmero"_s, u"60"_s},
             {u"csoport_neve"_s, u"PILLÉREK"_s},
             {u"megnevezes"_s, u"ESZTERGÁLT PILLÉR"_s},
             {u"szin"_s, u"ANTIKOLT FEHÉR"_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"25 800"_s)}},
            {{u"rendelt_mennyiseg"_s, u"3"_s},
             {u"magassag"_s, u""_s},
             {u"szelesseg"_s, u"60"_s},
             {u"hosszusag"_s, u"2000"_s},
             {u"atmero"_s, u""_s},
             {u"csoport_neve"_s, u"PÁRKÁNYLÉCEK"_s},
             {u"megnevezes"_s, u"MODERN PÁRKÁNYLÉC"_s},
             {u"szin"_s, u"FEHÉR MAGASFÉNYŰ"_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"26 701"_s)}},
            {{u"rendelt_mennyiseg"_s, u"1"_s},
             {u"magassag"_s, u"720"_s},
             {u"szelesseg"_s, u"30"_s},
             {u"hosszusag"_s, u""_s},
             {u"atmero"_s, u""_s},
             {u"csoport_neve"_s, u"TAKARÓLÉCEK"_s},
             {u"megnevezes"_s, u"VÉGZÁRÓ TAKARÓLÉC"_s},
             {u"szin"_s, u"FEHÉR MATT"_s},
             {u"tetel_brutto_eladasi_ara"_s, Ft(u"3 900"_s)}},
        };
        QCOMPARE(page.rows.size(), size_t(3));
        for (int r = 0; r < 3; ++r)
            QCOMPARE(RowTexts(page, r), expected[size_t(r)]);
        // "Termék" on three lines: group, product, colour.
        QVERIFY(page.find(u"megnevezes"_s)->rect.top() >= page.find(u"csoport_neve"_s)->rect.bottom() - 0.01);
        QVERIFY(page.find(u"szin"_s)->rect.top() >= page.find(u"megnevezes"_s)->rect.bottom() - 0.01);
        QVERIFY(page.textsOf(TBandKind::Summary).isEmpty());
        QVERIFY(page.textsOf(TBandKind::PageFooter).contains(u"2/2. oldal"_s));
        QVERIFY(pages.pages[0].textsOf(TBandKind::PageFooter).contains(u"1/2. oldal"_s));
        for (const TReportPage &p : pages.pages)
            for (const TPlacedText &t : p.texts)
                QVERIFY2(t.fits, qPrintable(t.name + u": "_s + t.text));
        QVERIFY(errors.errors.empty());
    }

    void anOrderOfOnlyOtherProductsPrintsABareFrontsSheetFirst()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s, {});
        f.addOther(id, {u"7"_s, u"1"_s, u"4"_s, u"29600.00"_s});
        const TReportPages pages = f.layOut(id);
        QCOMPARE(pages.pageCount(), 2);
        const TReportPage &fronts = pages.pages[0];
        QCOMPARE(Text(fronts, u"lab_szin"_s), u"SZÍN:"_s);
        QCOMPARE(Text(fronts, u"lab_maras"_s), u"MARÁS:"_s);
        QVERIFY(fronts.rows.empty());
        QVERIFY(fronts.textsOf(TBandKind::Detail).isEmpty());
        QCOMPARE(fronts.textsOf(TBandKind::ColumnHeader).size(), 9);
        QCOMPARE(pages.pages[1].rows.size(), size_t(1));
        QCOMPARE(RowTexts(pages.pages[1], 0).at(u"megnevezes"_s), u"MODERN FÉNYLÉC"_s);
    }

    void aLongOrderBreaksOntoMorePagesWithTheHeaderRepeated()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s);
        for (int i = 1; i <= 45; ++i)
            f.addFront(id, {QString::number(i), u"716"_s, u"396"_s, u"2"_s, u"1"_s, u"1"_s,
                            u"SZÉRIA kat.:2 bruttó ár:30480.00Ft/nm"_s, u"8641.08000000000000000000"_s});
        f.addOther(id, {u"1"_s, u"2"_s, u"1"_s, u"8900.00"_s});
        const TReportPages pages = f.layOut(id);
        QVERIFY(pages.pageCount() >= 3);
        const TReportPage &last = pages.pages.back();
        QCOMPARE(last.reportIndex, 1);
        const QString count = QString::number(pages.pageCount());
        std::vector<int> rows;
        for (const TReportPage &page : pages.pages) {
            QCOMPARE(page.find(u"lab_oldalszam"_s)->text, u"%1/%2. oldal"_s.arg(page.number).arg(count));
            QCOMPARE(page.find(u"lab_nyomtatva"_s)->text, FixedNowText);
            if (page.reportIndex != 0)
                continue;
            QCOMPARE(page.textsOf(TBandKind::ColumnHeader).first(), u"db"_s);
            QCOMPARE(page.textsOf(TBandKind::ColumnHeader).size(), 9);
            QCOMPARE(page.find(u"lab_cim"_s) != nullptr, page.number == 1);
            const double footerTop = page.find(u"lab_rogzito_vonal"_s)->rect.top() - 4;
            for (const TPlacedText &t : page.texts)
                if (t.band == TBandKind::Detail)
                    QVERIFY2(t.rect.bottom() <= footerTop + 0.01, qPrintable(t.text));
            rows.insert(rows.end(), page.rows.begin(), page.rows.end());
        }
        QCOMPARE(int(rows.size()), 45);
        for (int i = 0; i < 45; ++i)
            QCOMPARE(rows[size_t(i)], i);
        QVERIFY(pages.pages[1].rows.front() > 0);
        // The areas follow the last front line, on the last page of the fronts sheet.
        const TReportPage &lastFronts = pages.pages[size_t(pages.pageCount() - 2)];
        QVERIFY(lastFronts.textsOf(TBandKind::Summary).contains(u"0.5670 nm"_s));
        QVERIFY(pages.pages[0].textsOf(TBandKind::Summary).isEmpty());
    }

    void aFailingQueryIsShownAndNothingIsComposed()
    {
        // Without the materials catalogue the lines' joins cannot run.
        TestDataFolder data;
        ErrorRecorder errors;
        auto db = data.open();
        errors.errors.clear();
        db->executeScript(u"insert into tvr_r_nettfront_megrendelesek (kiegeszito_frontrendeles, active) values "
                          u"('1', '1');"_s);
        const QString id = LastInsertId(*db);
        Tnettfront_megrendelolap_nyomtatott fronts(*db);
        Tnettfront_egyebtermek_megrendelolap_nyomtatott others(*db);
        TCompositeReport document;
        QVERIFY(!ComposeFrontOrderSheets(document, fronts, others, id, {}));
        QVERIFY(document.reports().empty());
        QVERIFY(!errors.errors.empty());
        QCOMPARE(errors.errors.front().first, OperationFailedMessage());
        // A missing order is not composed either.
        Fixture f;
        QVERIFY(!ComposeFrontOrderSheets(document, f.fronts(), f.others(), u"999"_s, {}));
        QVERIFY(document.reports().empty());
    }

    void theCustomerIsTheQuoteOfTheOrdersWork()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s);
        const FrontOrderCustomer customer = ReadFrontOrderCustomer(*f.db, id);
        QCOMPARE(customer.name, CustomerName);
        QCOMPARE(customer.telephone, CustomerPhone);
        QVERIFY(ReadFrontOrderCustomer(*f.db, u"999"_s).name.isEmpty());
    }

    void lineTotalsPrintAsWholeForints_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::newRow("20 decimals") << u"14401.80000000000000000000"_s << Ft(u"14 402"_s);
        QTest::newRow("half") << u"9525.50000000000000000000"_s << Ft(u"9 526"_s);
        QTest::newRow("just under") << u"13079.99999999999999999999"_s << Ft(u"13 080"_s);
        QTest::newRow("two decimals") << u"26700.49"_s << Ft(u"26 700"_s);
        QTest::newRow("comma") << u"1234,6"_s << Ft(u"1 235"_s);
        QTest::newRow("millions") << u"1234567.00"_s << Ft(u"1 234 567"_s);
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("not a number") << u"n/a"_s << u"n/a"_s;
    }
    void lineTotalsPrintAsWholeForints()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        QCOMPARE(PrintedWholeForints(stored), printed);
    }

    void thePdfHoldsEveryCustomerTextLineAndTheTotal()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s);
        f.addTypicalFronts(id);
        f.addOther(id, {u"6"_s, u"7"_s, u"2"_s, u"31800.00"_s}); // ANTIK ESZTERGÁLT PILLÉR, ANTIKOLT VANÍLIA
        const TReportPages pages = f.layOut(id);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"frontrendelés.pdf"_s);
        WriteReportPdf(pages, file, u"Ajtófront megrendelőlap"_s);
        const QString text = PdfText(file);
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        const QString nbsp = QString(QChar(0x00A0));
        QStringList expected{CustomerName,
                             CustomerPhone,
                             u"KIEGÉSZÍTŐ RENDELÉS!"_s,
                             u"SZÍN: FEHÉR MATT"_s,
                             u"MARÁS: K10"_s,
                             u"Győzőt"_s,
                             u"ŐŰ-jelölésűek"_s,
                             Ft(u"41 235"_s),
                             Ft(u"17 282"_s),
                             Ft(u"9 526"_s),
                             Ft(u"1 234"_s),
                             Ft(u"13 080"_s),
                             Ft(u"31 800"_s),
                             u"OSZT.Ü."_s,
                             u"FALCOLÁS"_s,
                             u"OSZTOTT ÜVEGES AJTÓ"_s,
                             u"TELIÜVEGES AJTÓ"_s,
                             u"FIÓKELŐLAP"_s,
                             u"ANTIK ESZTERGÁLT PILLÉR"_s,
                             u"ANTIKOLT VANÍLIA"_s,
                             u"Egyéb termékek:"_s,
                             u"X = nem lesz rajta marásminta, mert túl kicsi"_s,
                             u"0.5670 nm"_s,
                             u"rögzítő"_s,
                             u"vásárló"_s,
                             u"1/2. oldal"_s,
                             u"2/2. oldal"_s,
                             FixedNowText,
                             u"garancia?"_s};
        // pdftotext writes the non-breaking space of the amounts as it is, or as a plain space.
        const QString plain = QString(text).replace(nbsp, u" "_s);
        for (const QString &e : expected)
            QVERIFY2(plain.contains(QString(e).replace(nbsp, u" "_s)), qPrintable(e + u"\n"_s + text));
        QVERIFY(!plain.contains(u"TÖRÖLT"_s));
        QVERIFY(!plain.contains(u"0000000"_s)); // no 20-decimal text on paper
    }

    void galleryHoldsTheFirstPageOfEachSheet()
    {
        Fixture f;
        const QString id = f.addOrder(u"1"_s);
        f.addTypicalFronts(id);
        f.addOther(id, {u"5"_s, u"6"_s, u"2"_s, u"25800.00"_s});
        f.addOther(id, {u"1"_s, u"2"_s, u"3"_s, u"26700.50"_s});
        const TReportPages pages = f.layOut(id);
        QCOMPARE(pages.pageCount(), 2);
        QVERIFY(
            !SaveToGallery(RenderReportPage(pages.pages[0], 110), u"Tnettfront_megrendelolap_nyomtatott"_s).isEmpty());
        QVERIFY(
            !SaveToGallery(RenderReportPage(pages.pages[1], 110), u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s)
                 .isEmpty());
    }

    void startProgramCreatesTheSheetsAfterTheConnection()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto form = startProgram({data.folder().root(), [] { return FixedNow; }});
        QVERIFY(form);
        const QObjectList children = form->children();
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s, Qt::FindDirectChildrenOnly);
        auto *fronts = form->findChild<Tnettfront_megrendelolap_nyomtatott *>(u"Tnettfront_megrendelolap_nyomtatott"_s,
                                                                              Qt::FindDirectChildrenOnly);
        auto *others = form->findChild<Tnettfront_egyebtermek_megrendelolap_nyomtatott *>(
            u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s, Qt::FindDirectChildrenOnly);
        QVERIFY(db && fronts && others);
        QVERIFY(children.indexOf(db) < children.indexOf(fronts));
        QVERIFY(children.indexOf(fronts) < children.indexOf(others));
        QCOMPARE(&fronts->database(), db);
        QCOMPARE(&others->database(), db);
    }

    void thePreviewShowsTheSheetsAndSavesThemAsPdf()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto form = startProgram({data.folder().root(), [] { return FixedNow; }});
        QVERIFY(form);
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        auto *sheet = form->findChild<Tnettfront_megrendelolap_nyomtatott *>(u"Tnettfront_megrendelolap_nyomtatott"_s);
        db->executeScript(u"insert into tvr_r_nettfront_megrendelesek (kiegeszito_frontrendeles, megjegyzes, "
                          u"rendeleskor_osszes_elad_ar, active, basic_munka_id, terulet_falcolas) values "
                          u"('0', 'Őszi szállítás', '8900.00', '1', '0', '0');"_s);
        const QString id = LastInsertId(*db);
        db->executeScript(u"insert into tvr_r_nettfront_megrendeles_tetelei (nettfront_megrendeles_id, "
                          u"nettfront_egyebtermek_id, nettfront_szin_id, rendelt_mennyiseg, tetel_brutto_eladasi_ara, "
                          u"active) values ('"_s +
                          id + u"', '1', '2', '1', '8900.00', '1');"_s);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"mentett.pdf"_s);
        int previewPages = 0;
        QString title;
        AnswerModal(u"TReportPreview"_s, [&](QWidget *preview) {
            title = preview->windowTitle();
            auto *widget = preview->findChild<QPrintPreviewWidget *>();
            QVERIFY(widget);
            widget->updatePreview();
            previewPages = widget->pageCount();
            SaveToGallery(preview, u"TReportPreview"_s);
            auto *save = preview->findChild<QAction *>(u"btn_pdf_mentes"_s);
            QVERIFY(save);
            AnswerModal(u"TPdfMentes"_s, [&](QWidget *dialog) {
                auto *files = qobject_cast<QFileDialog *>(dialog);
                QVERIFY(files);
                QVERIFY(files->selectedFiles().value(0).endsWith(u"frontrendeles_%1.pdf"_s.arg(id)));
                files->selectFile(pdf);
                static_cast<QDialog *>(files)->accept();
            });
            save->trigger();
        });
        QVERIFY(ShowFrontOrderSheet(form.get(), *db, id));
        QVERIFY(AllModalsAnswered());
        QCOMPARE(title, u"Ajtófront megrendelőlap"_s);
        QCOMPARE(previewPages, 2);
        // The long-lived sheet of the main window did the work.
        QCOMPARE(sheet->report().findText(u"lab_megjegyzes"_s)->text, u"Őszi szállítás"_s);
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(u"Őszi szállítás"_s), qPrintable(text));
        QVERIFY(text.contains(u"MODERN PÁRKÁNYLÉC"_s));
        QVERIFY(text.contains(u"2/2. oldal"_s));
    }

    void aMissingOrderIsAnsweredWithAMessage()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto db = data.open();
        QString message;
        AnswerModal(u"TMessageDialog"_s,
                    [&](QWidget *dialog) { message = dialog->findChild<QLabel *>(u"message_label"_s)->text(); });
        QVERIFY(!ShowFrontOrderSheet(nullptr, *db, u"4242"_s));
        QVERIFY(AllModalsAnswered());
        QCOMPARE(message, u"A frontrendelés nem található, ezért a megrendelőlap nem nyomtatható."_s);
    }
};

QTEST_MAIN(FrontOrderSheetsTest)
#include "test_front_order_sheets.moc"

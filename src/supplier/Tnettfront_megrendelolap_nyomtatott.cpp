#include "supplier/Tnettfront_megrendelolap_nyomtatott.h"

#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "supplier/FrontOrderSheets.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int kLister = 65;

const TReportFont Caption{9};
const TReportFont Bold{10, true};
const TReportFont Heading{8, true};
const TReportFont CellFont{9};
const TReportFont SmallCellFont{7};

QString LinesStatement()
{
    const QString t = u"tvr_r_nettfront_megrendeles_tetelei"_s;
    const QString c = t + u'.';
    return u"select "_s + c + u"nettfront_megrendeles_id, "_s + c + u"nettfront_megrendeles_tetel_id, "_s + c +
           u"rendelt_mennyiseg, "_s + c + u"magassag, "_s + c + u"szelesseg, "_s + c + u"besorolas, "_s + c +
           u"tetel_brutto_eladasi_ara, "_s + u"(case when "_s + AsReal(c + u"panthelymarasok_szama"_s) +
           u"=0 then '' else "_s + c + u"panthelymarasok_szama end) as panthelymarasok_szama, "_s + u"(case "_s +
           AsInteger(c + u"egyedi_meret"_s) + u" when 1 then 'Egyedi' else '' end) as egyedi_meret, "_s + u"(case "_s +
           AsInteger(c + u"nem_lesz_marasminta_rajta_mert_kicsi"_s) + u" when 1 then 'X' else '' end) as k, "_s + c +
           u"nettfront_egyebtermek_id, "_s + u"tvr_r_nettfront_marasok.azonosito, "_s + u"(case "_s +
           AsInteger(u"tvr_r_nettfront_fronttipusok.uveges_elem"_s) +
           u" when 1 then 'Üveges' when 2 then 'OSZT.Ü.' else '' end) as uveges, "_s + u"(case "_s +
           AsInteger(c + u"falcolassal"_s) + u" when 1 then 'FALCOLÁS' else '' end) as falcolas, "_s +
           u"tvr_r_nettfront_fronttipusok.megnevezes, tvr_r_nettfront_szinek.szin from "_s + t +
           u" left join tvr_r_nettfront_marasok on ("_s + AsInteger(u"tvr_r_nettfront_marasok.maras_id"_s) + u"="_s +
           AsInteger(c + u"maras_id"_s) + u") left join tvr_r_nettfront_fronttipusok on ("_s +
           AsInteger(u"tvr_r_nettfront_fronttipusok.front_tipus_id"_s) + u"="_s + AsInteger(c + u"front_tipus_id"_s) +
           u") left join tvr_r_nettfront_szinek on ("_s + AsInteger(u"tvr_r_nettfront_szinek.nettfront_szin_id"_s) +
           u"="_s + AsInteger(c + u"nettfront_szin_id"_s) + u") where "_s + c + u"active=1 and "_s +
           AsInteger(c + u"nettfront_megrendeles_id"_s) + u"="_s + AsInteger(u"?"_s) + u" and "_s +
           AsInteger(c + u"nettfront_egyebtermek_id"_s) + u"=0 order by "_s +
           AsInteger(c + u"nettfront_megrendeles_tetel_id"_s) + u", "_s + AsInteger(c + u"egyedi_meret"_s) + u';';
}

// Columns of the fronts, left to right: x and width in millimetres.
struct Column {
    double x;
    double width;
};
constexpr Column MarkerColumn{0, 4};
constexpr Column QuantityColumn{4.5, 8};
constexpr Column CustomColumn{14.5, 16};
constexpr Column HeightColumn{32, 18};
constexpr Column WidthColumn{52, 18};
constexpr Column WarrantyColumn{72.5, 17};
constexpr Column GlassColumn{91.5, 19};
constexpr Column ClassColumn{112.5, 39};
constexpr Column HingeColumn{153, 9};
constexpr Column PriceColumn{163, 27};

QRectF Cell(const Column &c, double top, double height)
{
    return {c.x, top, c.width, height};
}

} // namespace

Tnettfront_megrendelolap_nyomtatott::Tnettfront_megrendelolap_nyomtatott(TDatabaseConnection &db, QObject *parent)
    : QObject(parent), m_db(db), m_report(u"Tnettfront_megrendelolap_nyomtatott"_s)
{
    setObjectName(u"Tnettfront_megrendelolap_nyomtatott"_s);
    build();
}

Tnettfront_megrendelolap_nyomtatott::~Tnettfront_megrendelolap_nyomtatott() = default;

void Tnettfront_megrendelolap_nyomtatott::build()
{
    const auto right = Qt::AlignRight | Qt::AlignTop;

    TReportBand title(u"TitleBand"_s, 50);
    title.addText(u"lab_cim"_s, {0, 0, 190, 11}, u"Ajtófront megrendelőlap"_s, {18, true});
    title.addText(u"lab_megrendelo_felirat"_s, {0, 14, 60, 5}, u"Megrendelő:"_s, {10, true, false, true});
    // The lines under the customer's name move down with it when a long name takes two lines, and
    // so on down to the note.
    TReportText &name = title.addText(u"lab_megrendelo_neve"_s, {0, 19.5, 125, 6}, {}, {11, true});
    name.wordWrap = name.stretch = true;
    title.addText(u"lab_tel_felirat"_s, {0, 0.5, 11, 5.5}, u"Tel.:"_s, {10}).below = u"lab_megrendelo_neve"_s;
    TReportText &phone = title.addText(u"lab_telefonszam"_s, {11, 0.5, 114, 5.5}, {}, {10, true});
    phone.wordWrap = phone.stretch = true;
    phone.below = u"lab_megrendelo_neve"_s;
    title.addText(u"lab_brutto_felirat"_s, {130, 14, 60, 5}, u"Rendelés bruttó értéke:"_s, Caption, right);
    title.addText(u"lab_brutto_ertek"_s, {130, 19.5, 60, 6}, {}, {12, true}, right);
    TReportText &colour = title.addText(u"lab_szin"_s, {0, 2.5, 120, 6}, u"SZÍN:"_s, {11, true});
    colour.wordWrap = colour.stretch = true;
    colour.below = u"lab_telefonszam"_s;
    title.addText(u"lab_maras"_s, {120, 2.5, 70, 6}, u"MARÁS:"_s, {11, true}, right).below = u"lab_telefonszam"_s;
    title.addText(u"lab_megj_felirat"_s, {0, 2, 13, 5}, u"Megj.:"_s, Caption).below = u"lab_szin"_s;
    TReportText &note = title.addText(u"lab_megjegyzes"_s, {13, 2, 177, 5}, {}, Caption);
    note.below = u"lab_szin"_s;
    note.wordWrap = true;
    note.stretch = true;
    title.addLine({0, -1.5, 190, -1.5}, 0.3).fromBottom = true;
    m_report.title.push_back(std::move(title));

    TReportBand header(u"ColumnHeaderBand"_s, 9);
    const struct {
        const char16_t *name;
        Column column;
        const char16_t *text;
        bool right;
    } headings[] = {
        {u"fej_db", QuantityColumn, u"db", true},
        {u"fej_egyedi", CustomColumn, u"egyedi?", false},
        {u"fej_magassag", HeightColumn, u"magasság", true},
        {u"fej_szelesseg", WidthColumn, u"szélesség", true},
        {u"fej_garancia", WarrantyColumn, u"garancia?", false},
        {u"fej_uveges", GlassColumn, u"üveges?", false},
        {u"fej_besorolas", ClassColumn, u"besorolás, fronttipus", false},
        {u"fej_pant", HingeColumn, u"pánt.", false},
        {u"fej_ar", PriceColumn, u"bruttó elad. ár", true},
    };
    for (const auto &h : headings)
        header
            .addText(QString::fromUtf16(h.name), Cell(h.column, 1, 7), QString::fromUtf16(h.text), Heading,
                     h.right ? right : Qt::AlignLeft | Qt::AlignTop)
            .wordWrap = true;
    header.addLine({0, -0.5, 190, -0.5}, 0.3).fromBottom = true;
    m_report.columnHeader.push_back(std::move(header));

    TReportBand detail(u"DetailBand"_s, 9);
    detail.addField(u"k"_s, Cell(MarkerColumn, 1.5, 4), u"k"_s, {7, true}, Qt::AlignHCenter | Qt::AlignTop);
    detail.addField(u"rendelt_mennyiseg"_s, Cell(QuantityColumn, 1, 4.5), u"rendelt_mennyiseg"_s, {9, true}, right);
    detail.addField(u"egyedi_meret"_s, Cell(CustomColumn, 1, 4.5), u"egyedi_meret"_s, CellFont);
    detail.addField(u"magassag"_s, Cell(HeightColumn, 1, 4.5), u"magassag"_s, CellFont, right);
    detail.addField(u"szelesseg"_s, Cell(WidthColumn, 1, 4.5), u"szelesseg"_s, CellFont, right);
    // "garancia?" has no field in the query: the column stays blank.
    detail.addField(u"uveges"_s, Cell(GlassColumn, 1, 4.5), u"uveges"_s, CellFont);
    detail.addField(u"falcolas"_s, Cell(GlassColumn, 5.5, 3.5), u"falcolas"_s, SmallCellFont);
    TReportText &cls = detail.addField(u"besorolas"_s, Cell(ClassColumn, 1, 4), u"besorolas"_s, {8});
    cls.wordWrap = true;
    cls.stretch = true;
    TReportText &type = detail.addField(u"megnevezes"_s, Cell(ClassColumn, 0.3, 3.5), u"megnevezes"_s, SmallCellFont);
    type.wordWrap = true;
    type.stretch = true;
    type.below = u"besorolas"_s;
    detail.addField(u"panthelymarasok_szama"_s, Cell(HingeColumn, 1, 4.5), u"panthelymarasok_szama"_s, CellFont);
    detail.addComputed(
        u"tetel_brutto_eladasi_ara"_s, Cell(PriceColumn, 1, 4.5),
        [](const TReportRows &rows, int row) {
            return PrintedWholeForints(rows.value(row, u"tetel_brutto_eladasi_ara"_s));
        },
        CellFont, right);
    detail.addLine({0, -0.2, 190, -0.2}, 0.1, Qt::DotLine).fromBottom = true;
    m_report.detail.push_back(std::move(detail));

    TReportBand summary(u"SummaryBand"_s, 31);
    const struct {
        const char16_t *name;
        const char16_t *caption;
    } areas[] = {
        {u"lab_szeria", u"Széria:"},     {u"lab_szeria_uveges", u"Széria üveges:"},
        {u"lab_egyedi", u"Egyedi:"},     {u"lab_egyedi_uveges", u"Egyedi üveges:"},
        {u"lab_falcolas", u"Falcolás:"},
    };
    double y = 3;
    for (const auto &a : areas) {
        const QString name = QString::fromUtf16(a.name);
        summary.addText(name + u"_felirat"_s, {110, y, 45, 5}, QString::fromUtf16(a.caption), Caption, right);
        summary.addText(name, {155, y, 35, 5}, {}, {9, true}, right);
        y += 5.2;
    }
    summary.addText(u"lab_jelmagyarazat"_s, {0, 3, 105, 5}, u"X = nem lesz rajta marásminta, mert túl kicsi"_s, {8});
    m_report.summary.push_back(std::move(summary));

    m_report.pageFooter.push_back(FrontOrderSheetFooter());

    TLister *lister = m_db.lister(kLister);
    if (!lister)
        throw std::logic_error("the connection has no Lister65");
    m_report.setRows(std::make_shared<TListerRows>(*lister));
}

bool Tnettfront_megrendelolap_nyomtatott::prepare()
{
    const auto order = tvr_r_nettfront_megrendelesek_get(m_db, m_orderId);
    if (!order)
        return false;
    m_report.setText(u"lab_cim"_s, order->kiegeszito_frontrendeles != u"0"_s ? u"KIEGÉSZÍTŐ RENDELÉS!"_s
                                                                             : u"Ajtófront megrendelőlap"_s);
    m_report.setText(u"lab_megrendelo_neve"_s, m_customerName);
    m_report.setText(u"lab_telefonszam"_s, m_telephone);
    for (const QString &name : {u"lab_megrendelo_neve"_s, u"lab_tel_felirat"_s, u"lab_telefonszam"_s,
                                u"lab_brutto_felirat"_s, u"lab_brutto_ertek"_s, u"tetel_brutto_eladasi_ara"_s})
        m_report.setEnabled(name, true);
    m_report.setText(u"lab_megjegyzes"_s, order->megjegyzes);

    // The order's colour and milling are those of its first front line.
    QString colour = u"SZÍN:"_s;
    QString milling = u"MARÁS:"_s;
    const auto first = tvr_r_nettfront_megrendeles_tetelei_list(
        m_db,
        u"active=1 and "_s + AsInteger(u"nettfront_egyebtermek_id"_s) + u"=0 and "_s +
            AsInteger(u"nettfront_megrendeles_id"_s) + u'=' + AsInteger(u"?"_s),
        AsInteger(u"nettfront_megrendeles_tetel_id"_s) + u" limit 1"_s, {m_orderId});
    if (!first.empty()) {
        const Ttable_tvr_r_nettfront_megrendeles_tetelei &line = first.front();
        if (!line.maras_id.isEmpty())
            if (const auto m = tvr_r_nettfront_marasok_get(m_db, line.maras_id))
                milling = u"MARÁS: "_s + m->azonosito;
        if (!line.nettfront_szin_id.isEmpty())
            if (const auto c = tvr_r_nettfront_szinek_get(m_db, line.nettfront_szin_id))
                colour = u"SZÍN: "_s + c->szin;
    }
    m_report.setText(u"lab_szin"_s, colour);
    m_report.setText(u"lab_maras"_s, milling);

    const auto area = [](const QString &text) { return text + u" nm"_s; };
    m_report.setText(u"lab_szeria"_s, area(order->terulet_szeria));
    m_report.setText(u"lab_szeria_uveges"_s, area(order->terulet_uveges));
    m_report.setText(u"lab_egyedi"_s, area(order->terulet_egyedi));
    m_report.setText(u"lab_egyedi_uveges"_s, area(order->terulet_egyedi_uveges));
    m_report.setText(u"lab_falcolas"_s, area(order->terulet_falcolas));
    m_report.setText(u"lab_brutto_ertek"_s, PrintedWholeForints(order->rendeleskor_osszes_elad_ar));

    return RefreshLister(m_db, kLister, LinesStatement(), {m_orderId});
}

} // namespace tvr

#include "supplier/Tnettfront_egyebtermek_megrendelolap_nyomtatott.h"

#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "supplier/FrontOrderSheets.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int kLister = 66;

// A size of the product, empty when it is 0.
QString SizeColumn(const QString &column)
{
    const QString c = u"tvr_r_nettfront_egyeb_termekek."_s + column;
    return u"(case when "_s + AsReal(c) + u"=0 then '' else "_s + c + u" end) as "_s + column;
}

// Left joins where the original statement joins inner: a line whose product, group or colour has
// since gone from the catalogue must still stand on the sheet (its price is in the order's total).
QString LinesStatement()
{
    const QString t = u"tvr_r_nettfront_megrendeles_tetelei"_s;
    const QString c = t + u'.';
    return u"select "_s + c + u"nettfront_megrendeles_tetel_id, "_s + c + u"nettfront_megrendeles_id, "_s + c +
           u"rendelt_mennyiseg, "_s + c + u"tetel_brutto_eladasi_ara, "_s + SizeColumn(u"hosszusag"_s) + u", "_s +
           SizeColumn(u"szelesseg"_s) + u", "_s + SizeColumn(u"atmero"_s) + u", "_s + SizeColumn(u"magassag"_s) +
           u", tvr_r_nettfront_egyeb_termekek.megnevezes, tvr_r_nettfront_egyeb_termek_csoport.csoport_neve, "_s
           u"tvr_r_nettfront_szinek.szin from "_s +
           t + u" left join tvr_r_nettfront_egyeb_termekek on ("_s +
           AsInteger(u"tvr_r_nettfront_egyeb_termekek.nettfront_egyebtermek_id"_s) + u"="_s +
           AsInteger(c + u"nettfront_egyebtermek_id"_s) + u") left join tvr_r_nettfront_egyeb_termek_csoport on ("_s +
           AsInteger(u"tvr_r_nettfront_egyeb_termek_csoport.nettfront_egyebtermek_csoport_id"_s) + u"="_s +
           AsInteger(u"tvr_r_nettfront_egyeb_termekek.nettfront_egyebtermek_csoport_id"_s) +
           u") left join tvr_r_nettfront_szinek on ("_s + AsInteger(u"tvr_r_nettfront_szinek.nettfront_szin_id"_s) +
           u"="_s + AsInteger(c + u"nettfront_szin_id"_s) + u") where "_s + c + u"active=1 and "_s +
           AsInteger(c + u"nettfront_megrendeles_id"_s) + u"="_s + AsInteger(u"?"_s) + u" and "_s +
           AsInteger(c + u"nettfront_egyebtermek_id"_s) + u"<>0 order by "_s +
           AsInteger(c + u"nettfront_megrendeles_tetel_id"_s) + u';';
}

} // namespace

Tnettfront_egyebtermek_megrendelolap_nyomtatott::Tnettfront_egyebtermek_megrendelolap_nyomtatott(
    TDatabaseConnection &db, QObject *parent)
    : QObject(parent), m_db(db), m_report(u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s)
{
    setObjectName(u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s);
    build();
}

Tnettfront_egyebtermek_megrendelolap_nyomtatott::~Tnettfront_egyebtermek_megrendelolap_nyomtatott() = default;

void Tnettfront_egyebtermek_megrendelolap_nyomtatott::build()
{
    const auto right = Qt::AlignRight | Qt::AlignTop;
    const TReportFont heading{8, true};
    const TReportFont cell{9};

    TReportBand title(u"TitleBand"_s, 14);
    title.addText(u"lab_cim"_s, {0, 0, 190, 10}, u"Egyéb termékek:"_s, {16, true});
    m_report.title.push_back(std::move(title));

    struct Column {
        const char16_t *field;
        double x;
        double width;
        const char16_t *caption;
        bool right;
    };
    const Column sizes[] = {
        {u"rendelt_mennyiseg", 0, 10, u"db", true}, {u"magassag", 13, 16, u"Mag.", true},
        {u"szelesseg", 31, 16, u"Szél.", true},     {u"hosszusag", 49, 16, u"Hossz.", true},
        {u"atmero", 67, 14, u"Átm.", true},
    };
    constexpr double productX = 86, productWidth = 68, priceX = 156, priceWidth = 34;

    TReportBand header(u"ColumnHeaderBand"_s, 9);
    for (const Column &c : sizes)
        header.addText(u"fej_"_s + QString::fromUtf16(c.field), {c.x, 1, c.width, 7}, QString::fromUtf16(c.caption),
                       heading, right);
    header.addText(u"fej_termek"_s, {productX, 1, productWidth, 7}, u"Termék"_s, heading);
    header.addText(u"fej_ar"_s, {priceX, 1, priceWidth, 7}, u"Bruttó eladási ár"_s, heading, right).wordWrap = true;
    header.addLine({0, -0.5, 190, -0.5}, 0.3).fromBottom = true;
    m_report.columnHeader.push_back(std::move(header));

    TReportBand detail(u"DetailBand"_s, 14);
    for (const Column &c : sizes) {
        const QString field = QString::fromUtf16(c.field);
        detail.addField(field, {c.x, 1, c.width, 4.5}, field,
                        field == u"rendelt_mennyiseg" ? TReportFont{9, true} : cell, right);
    }
    // "Termék" on three lines: the group, the product, the colour.
    TReportText &group = detail.addField(u"csoport_neve"_s, {productX, 1, productWidth, 3.5}, u"csoport_neve"_s, {7});
    group.wordWrap = group.stretch = true;
    TReportText &product =
        detail.addField(u"megnevezes"_s, {productX, 0.2, productWidth, 4.5}, u"megnevezes"_s, {9, true});
    product.wordWrap = product.stretch = true;
    product.below = u"csoport_neve"_s;
    TReportText &colour = detail.addField(u"szin"_s, {productX, 0.2, productWidth, 4}, u"szin"_s, {8});
    colour.wordWrap = colour.stretch = true;
    colour.below = u"megnevezes"_s;
    detail.addComputed(
        u"tetel_brutto_eladasi_ara"_s, {priceX, 1, priceWidth, 4.5},
        [](const TReportRows &rows, int row) {
            return PrintedWholeForints(rows.value(row, u"tetel_brutto_eladasi_ara"_s));
        },
        cell, right);
    detail.addLine({0, -0.2, 190, -0.2}, 0.1, Qt::DotLine).fromBottom = true;
    m_report.detail.push_back(std::move(detail));

    // The summary band is empty.
    m_report.summary.push_back(TReportBand(u"SummaryBand"_s, 4));
    m_report.pageFooter.push_back(FrontOrderSheetFooter());

    TLister *lister = m_db.lister(kLister);
    if (!lister)
        throw std::logic_error("the connection has no Lister66");
    m_report.setRows(std::make_shared<TListerRows>(*lister));
}

bool Tnettfront_egyebtermek_megrendelolap_nyomtatott::prepare()
{
    return RefreshLister(m_db, kLister, LinesStatement(), {m_orderId});
}

} // namespace tvr

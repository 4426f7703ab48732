#include "kitchen/IFACE_EXT_TVR.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/IFACE_BASE_tvr.h"

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The field of a record by its column name (the names come from the table layouts, so a
// misspelt one is a programming error).
template <class R> QString &Field(R &record, const QString &column)
{
    for (const auto &c : TableLayout<R>::columns)
        if (column == QLatin1String(c.name))
            return record.*c.field;
    Q_ASSERT_X(false, "Field", qPrintable(column));
    static QString none;
    return none;
}

} // namespace

double EdgeLength(int a, int b, const QString &code, int count)
{
    double length = 0;
    for (const QChar c : code) {
        if (c == u'A' || c == u'a')
            length += a / 1000.0;
        else if (c == u'B' || c == u'b')
            length += b / 1000.0;
    }
    return length * count;
}

bool EdgeCodesValid(const QString &code1, const QString &code2)
{
    const QString both = code1 + code2;
    int as = 0;
    int bs = 0;
    for (const QChar c : both) {
        if (c == u'A')
            ++as;
        else if (c == u'B' || c == u'b')
            ++bs;
        else
            return false;
    }
    return both.size() < 5 && as <= 2 && bs <= 2;
}

const std::array<SupplementaryItem, 21> &SupplementaryItems()
{
    static const std::array<SupplementaryItem, 21> items{{
        {"dekorozas", "dekorozas", "dekorozas_kedv"},
        {"vizveto", "vizveto", "vizveto_kedv"},
        {"vizveto_vegzarok", "vizveto_vegzarok", "vizveto_vegzaro_kedv"},
        {"labazati_vizveto", "labazati_vizveto", "labazati_vizveto_kedv"},
        {"munkalap_osszemaras", "munkalap_osszemaras", "munkalap_osszemaras_kedv"},
        {"egymed_mosi_maras", "egymedences_mosi_maras", "egymedences_mosi_maras_kedv"},
        {"ketmed_mosi_maras", "ketmedences_mosi_maras", "ketmedences_mosi_maras_kedv"},
        {"fozolap_maras", "fozolap_maras", "fozolap_maras_kedv"},
        {"szokli", "szokli", "szokli_kedv"},
        {"parkanylec", "parkanylec", "parkanylec_kedv"},
        {"fenylec", "fenylec", "fenylec_kedv"},
        {"vizveto_sarok", "vizveto_sarok", "vizveto_sarok_kedv"},
        {"t_toldo", "raktari_t_toldo", "kedv_raktari_t_toldo"},
        {"fordito", "raktari_fordito", "kedv_raktari_fordito"},
        {"mlap_vegzaro_fem", "raktari_mlap_vegzaro_fem", "kedv_raktari_mlap_vegzaro_fem"},
        {"vinklivas", "vinklivas", "kedv_vinklivas"},
        {"munkalap_tores", "munkalap_tores_45", "kedv_munkalap_tores_45"},
        {"lampatarto", "lampatarto", "lampatarto_kedv"},
        {"parkanylec_szereles", "parkanylec_szereles", "parkanylec_szereles_kedv"},
        {"fenylec_szereles", "fenylec_szereles", "fenylec_szereles_kedv"},
        {"spot_maras", "spotlampa_maras", "spotlampa_maras_kedv"},
    }};
    return items;
}

std::array<QString, 21> SupplementaryUnitPrices(TDatabaseConnection &db, bool antique)
{
    QStringList columns;
    for (const SupplementaryItem &item : SupplementaryItems()) {
        const bool antiqueKind =
            antique && (qstrcmp(item.name, "parkanylec") == 0 || qstrcmp(item.name, "fenylec") == 0);
        columns << (antiqueKind ? u"antikolt_"_s : QString()) + QString::fromLatin1(item.price)
                << (antiqueKind ? u"antikolt_"_s : QString()) + QString::fromLatin1(item.discount);
    }
    QStringList row;
    try {
        row = db.select(u"select %1 from tvr_dv_egyeb_arak where egyeb_ar_id=1;"_s.arg(columns.join(u',')), {});
    } catch (const SqlError &e) {
        throw TvrError(u"A kiegészítő tételek árai nem olvashatók a katalógusból: %1"_s.arg(e.message()), e.detail());
    }
    if (row.size() != columns.size())
        throw TvrError(u"A katalógusból hiányoznak a kiegészítő tételek árai (tvr_dv_egyeb_arak). Kérem, frissítse "
                       u"az árlistát!"_s);
    std::array<QString, 21> prices;
    for (size_t i = 0; i < prices.size(); ++i) {
        const auto number = [&](qsizetype at) {
            try {
                // An empty discount is no discount; an empty price is not a price.
                if (at % 2 == 1 && row.at(at).trimmed().isEmpty())
                    return 0.0;
                return ParseAmount(row.at(at));
            } catch (const ConversionError &) {
                throw TvrError(u"A katalógusban a(z) %1 ára hibás: „%2”. Kérem, frissítse az árlistát!"_s.arg(
                    columns.at(at), row.at(at)));
            }
        };
        const double list = number(qsizetype(2 * i));
        const double discount = number(qsizetype(2 * i + 1));
        prices[i] = FormatAmount0(list * (1 - discount / 100) * 1.0);
    }
    return prices;
}

QString CreateKitchenWork(TDatabaseConnection &db, const QString &quoteId, const QString &userId, const QString &now)
{
    // Everything that can fail on its own comes first: nothing is written until the prices are known.
    const std::array<QString, 21> prices = SupplementaryUnitPrices(db, false);

    Ttable_tvr_b_basic_munka work;
    work.frontszin = QString();
    work.maras = QString();
    work.arkategoria = u"0"_s;
    work.takaro_szin = QString();
    work.munka_mappa_id = u"0"_s;
    work.rogzitette = userId;
    work.rogzites_ideje = now;
    work.viszonteladonak = u"1"_s;
    work.laminalt_front_butorlap_id = u"0"_s;
    work.labazat_tipus = u"1"_s;
    work.labazat_magassag = u"10"_s;
    work.arajanlat_id = quoteId;

    Ttable_tvr_b_basic_automatikusan_szamolt counted;
    for (const char *column :
         {"dekorozas", "vizveto", "vizveto_vegzarok", "labazati_vizveto", "munkalap_osszemaras", "egymed_mosi_maras",
          "ketmed_mosi_maras", "fozolap_maras", "szokli", "parkanylec", "fenylec"})
        Field(counted, QString::fromLatin1(column)) = u"0"_s;

    Ttable_tvr_b_basic_arajanlaton_szerepel onQuote;
    for (size_t i = 0; i < prices.size(); ++i) {
        const QString name = QString::fromLatin1(SupplementaryItems()[i].name);
        Field(onQuote, name) = u"0"_s;
        Field(onQuote, u"egys_"_s + name) = prices[i];
        Field(onQuote, u"ar_"_s + name) = u"0"_s;
    }

    try {
        TTransaction transaction(db);
        const QString workId = InsertRecordReturningKey(db, work);
        counted.basic_munka_id = workId;
        InsertRecordReturningKey(db, counted);
        onQuote.basic_munka_id = workId;
        InsertRecordReturningKey(db, onQuote);
        transaction.commit();
        return workId;
    } catch (const SqlError &e) {
        throw TvrError(u"A munka nem hozható létre: %1"_s.arg(e.message()), e.detail());
    }
}

QString FirstActiveWork(TDatabaseConnection &db, const QString &quoteId)
{
    return db
        .select(u"select basic_munka_id from tvr_b_basic_munka where active=1 and arajanlat_id=? order by "
                u"basic_munka_id limit 1;"_s,
                {quoteId})
        .value(0);
}

void PriceCutPanel(const CutPanelInput &input, Ttable_tvr_b_basic_szabott_lapok &line)
{
    // The area to the cent of a square metre, halves to the even cent, worked out in whole square
    // millimetres so that no binary fraction decides a half.
    const qint64 squareMm = qint64(input.a) * input.b * input.count;
    qint64 cents = squareMm / 10000;
    const qint64 rest = squareMm % 10000;
    if (rest > 5000 || (rest == 5000 && cents % 2 == 1))
        ++cents;
    const double area = double(cents) / 100.0;
    line.butorlap_terulete = FormatDecimals(area, 2) + QString(18, u'0');
    line.butorlap_egysegara = FormatAmount2(input.panelUnitPrice);
    line.butorlap_erteke = FormatAmount2(input.panelUnitPrice * area);
    double gross = ParseAmount(line.butorlap_erteke);

    const auto band = [&](const std::optional<EdgeBandChoice> &choice, QString &id, QString &length, QString &unit,
                          QString &value) {
        if (!choice) {
            id = u"0"_s;
            length = unit = value = u"0"_s;
            return;
        }
        id = choice->id;
        const double metres = EdgeLength(input.a, input.b, choice->code, input.count);
        length = FormatDecimals(metres, 5);
        unit = FormatAmount2(choice->unitPrice);
        value = FormatAmount2(choice->unitPrice * metres);
        gross += ParseAmount(value);
    };
    band(input.band1, line.elzaro1_id, line.elzaro1_hossza, line.elzaro1_egysegara, line.elzaro1_erteke);
    band(input.band2, line.elzaro2_id, line.elzaro2_hossza, line.elzaro2_egysegara, line.elzaro2_erteke);

    line.tetel_brutto_erteke = FormatAmount2(gross);
    line.netto_eladasi_ar = FormatAmount2(gross * NetFactor);
    line.netto_beszerzesi_ar = FormatAmount2(gross * NetFactor / input.multiplier);
}

void PriceCutWorktop(const CutWorktopInput &input, Ttable_tvr_b_basic_szabott_munkalapok &line)
{
    const double discount = 0; // munkalap_kedv: worktops are not discounted
    line.elzaro_hossza = FormatDecimals(EdgeLength(input.length, input.depth, input.code, input.count), 5);
    const double purchase = input.count * (input.length / 1000.0) * input.unitPrice * (1 - discount / 100);
    const double worktop = purchase * input.multiplier;
    const double decoration =
        line.elzaro_hossza == u"0" ? 0.0 : ParseAmount(line.elzaro_hossza) * input.decorationPrice;
    line.munkalap_erteke = FormatAmount2(worktop + decoration);
    line.elzaras_erteke = FormatAmount2(decoration);
    line.csak_a_munkalap_erteke = FormatAmount2(worktop);
    line.netto_beszerzesi_ar = FormatAmount2((decoration + purchase) * NetFactor);
    line.netto_eladasi_ar = FormatAmount2(ParseAmount(line.munkalap_erteke) * NetFactor);
    line.kedv_ar_elzaras = line.elzaras_erteke;
    line.kedv_ar_munkalap = line.munkalap_erteke;
    line.kedv_ar_csak_a_munkalap = line.csak_a_munkalap_erteke;
    line.elzaras_kedv = u"0"_s;
    line.munkalap_kedv = u"0"_s;
    line.elzaro_id = u"0"_s;
    line.elzaro_egysegara = u"0.00"_s;
}

} // namespace tvr

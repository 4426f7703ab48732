#include "supplier/IFACE_EXT_Nettfront.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"

#include <array>
#include <functional>
#include <mutex>
#include <utility>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// Conditions on catalogue and order columns compare numbers as numbers: the catalogue files may
// declare any column type, and a stored "01" or "0716" is the number it holds.
QString Equals(const QString &column)
{
    return AsInteger(column) + u'=' + AsInteger(u"?"_s);
}
QString IsActive(const QString &table)
{
    return AsInteger(table + u".active"_s) + u"=1"_s;
}

// A select through the catching operation; a failed one was shown already, and the action must not
// go on as if the catalogue had no such row.
QStringList Read(TDatabaseConnection &db, const QString &columns, const QString &table, const QString &ordering,
                 const QString &condition, const QStringList &params)
{
    QStringList values;
    if (!SelectValues(db, columns, table, ordering, condition, values, params))
        throw TvrError(u"A művelet nem fejezhető be, mert a szükséges adatok nem olvashatók."_s);
    return values;
}

// A flag or small number of the catalogue as the number it holds ("01" is 1); -1 when it is none.
int Number(const QString &text)
{
    return ParseInt(text.trimmed());
}

// A price of the catalogue; one that is no number stops the pricing with a message.
double CataloguePrice(const QString &text, const QString &what)
{
    try {
        return ParseAmount(text);
    } catch (const ConversionError &) {
        throw TvrError(u"A katalógusban %1 („%2”) nem szám, ezért a tétel nem árazható. Kérem, frissítse a "
                       u"katalógust!"_s.arg(what, text));
    }
}

// A size or quantity typed into the form (digits only).
double TypedNumber(const QString &text, const QString &what)
{
    try {
        return ParseAmount(text);
    } catch (const ConversionError &) {
        throw TvrError(u"A megadott %1 („%2”) nem szám!"_s.arg(what, text));
    }
}

// A stored amount of an order line; an empty one counts as 0, as in a sum.
double StoredAmount(const QString &text)
{
    return text.trimmed().isEmpty() ? 0.0 : ParseAmount(text);
}

[[noreturn]] void MissingSetting(const QString &what)
{
    throw TvrError(
        u"A katalógusból hiányzik %1, ezért a tétel nem árazható. Kérem, frissítse a katalógust!"_s.arg(what));
}

void RequireOrder(TDatabaseConnection &db, const QString &orderId)
{
    const QStringList found = Read(
        db, u"nettfront_megrendeles_id"_s, u"tvr_r_nettfront_megrendelesek"_s, {},
        Equals(u"nettfront_megrendeles_id"_s) + u" and "_s + IsActive(u"tvr_r_nettfront_megrendelesek"_s), {orderId});
    if (found.isEmpty())
        throw TvrError(u"A frontrendelés (%1) már nem létezik, ezért a tétel nem rögzíthető."_s.arg(orderId));
}

const QString &LinesTable()
{
    static const QString name = u"tvr_r_nettfront_megrendeles_tetelei"_s;
    return name;
}

QString ActiveLinesOf()
{
    return IsActive(LinesTable()) + u" and "_s + Equals(u"nettfront_megrendeles_id"_s);
}

int CountLines(TDatabaseConnection &db, const QString &orderId, const QString &extra)
{
    const QStringList values = Read(db, u"count(*)"_s, LinesTable(), {}, ActiveLinesOf() + extra, {orderId});
    return values.isEmpty() ? 0 : Number(values.first());
}

// Runs the writes as one transaction: committed when every write succeeded, else rolled back.
bool WriteWhole(TDatabaseConnection &db, const std::function<bool()> &writes)
{
    TTransaction transaction(db);
    if (!writes())
        return false; // rolled back
    transaction.commit();
    return true;
}

} // namespace

QString NettfrontCategoryFor(TDatabaseConnection &db, const QString &millingId, const QString &colourId)
{
    // Among several categories the one with the lowest number wins; the id breaks a tie so that
    // the answer never depends on the engine's row order.
    const QStringList values =
        Read(db, u"tvr_r_nettfront_kategoriak.nettfront_kategoria_id"_s,
             u"tvr_r_nettfront_kategoria_maras_parok join tvr_r_nettfront_marasok on "
             u"(tvr_r_nettfront_kategoria_maras_parok.maras_id = tvr_r_nettfront_marasok.maras_id) join "
             u"tvr_r_nettfront_kategoriak on (tvr_r_nettfront_kategoria_maras_parok.nettfront_kategoria_id = "
             u"tvr_r_nettfront_kategoriak.nettfront_kategoria_id) join tvr_r_nettfront_kategoria_szin_parok on "
             u"(tvr_r_nettfront_kategoriak.nettfront_kategoria_id = "
             u"tvr_r_nettfront_kategoria_szin_parok.nettfront_kategoria_id) join tvr_r_nettfront_szinek on "
             u"(tvr_r_nettfront_kategoria_szin_parok.nettfront_szin_id = tvr_r_nettfront_szinek.nettfront_szin_id)"_s,
             AsInteger(u"tvr_r_nettfront_kategoriak.sorszam"_s) + u", "_s +
                 AsInteger(u"tvr_r_nettfront_kategoriak.nettfront_kategoria_id"_s) + u" limit 1"_s,
             IsActive(u"tvr_r_nettfront_marasok"_s) + u" and "_s + IsActive(u"tvr_r_nettfront_szinek"_s) + u" and "_s +
                 IsActive(u"tvr_r_nettfront_kategoria_maras_parok"_s) + u" and "_s +
                 IsActive(u"tvr_r_nettfront_kategoria_szin_parok"_s) + u" and "_s +
                 Equals(u"tvr_r_nettfront_marasok.maras_id"_s) + u" and "_s +
                 Equals(u"tvr_r_nettfront_szinek.nettfront_szin_id"_s),
             {millingId, colourId});
    if (values.isEmpty() || values.first().trimmed().isEmpty())
        return u"0"_s;
    return values.first();
}

NettfrontSizeCheck NettfrontCheckSize(TDatabaseConnection &db, const QString &frontTypeId, int height, int width,
                                      bool customEnabled, bool customTicked)
{
    NettfrontSizeCheck result;
    // A series size of the type, matched by value ("0716" is 716).
    const QStringList series = Read(
        db, u"tvr_r_nettfront_meretek.meret_id"_s,
        u"tvr_r_nettfront_meretek join tvr_r_nettfront_fronttipus_meret_parok on "
        u"(tvr_r_nettfront_meretek.meret_id = tvr_r_nettfront_fronttipus_meret_parok.meret_id) join "
        u"tvr_r_nettfront_fronttipusok on (tvr_r_nettfront_fronttipus_meret_parok.front_tipus_id = "
        u"tvr_r_nettfront_fronttipusok.front_tipus_id)"_s,
        {},
        IsActive(u"tvr_r_nettfront_meretek"_s) + u" and "_s + IsActive(u"tvr_r_nettfront_fronttipus_meret_parok"_s) +
            u" and "_s + IsActive(u"tvr_r_nettfront_fronttipusok"_s) + u" and "_s +
            Equals(u"tvr_r_nettfront_meretek.magassag"_s) + u" and "_s +
            Equals(u"tvr_r_nettfront_meretek.szelesseg"_s) + u" and "_s +
            Equals(u"tvr_r_nettfront_fronttipus_meret_parok.front_tipus_id"_s),
        {QString::number(height), QString::number(width), frontTypeId});
    if (!series.isEmpty() && !series.first().trimmed().isEmpty())
        result.orderable = true;

    if (!result.orderable && customEnabled && customTicked) {
        const auto type = tvr_r_nettfront_fronttipusok_get(db, frontTypeId);
        if (type && Number(type->egyediben_rendelheto) == 1) {
            const bool heightFits = height <= 2500;
            const bool widthFits = width <= 1200;
            if (height >= 126 && heightFits && width >= 250 && widthFits)
                result.orderable = true;
            // Too small for the milling pattern, yet orderable: only while the other side stays
            // within its maximum, so that a narrow strip can never pass for a 3 m front.
            if (height < 126) {
                result.orderable = widthFits;
                result.tooSmall = widthFits;
            } else if (width < 250) {
                result.orderable = heightFits;
                result.tooSmall = heightFits;
            }
        }
    }
    if (height < 115 || width < 115) {
        result.orderable = false;
        result.tooSmall = false;
    }
    return result;
}

NettfrontIrregularPrice NettfrontIrregularCustomPrice(TDatabaseConnection &db, const QString &categoryId,
                                                      bool customTicked)
{
    NettfrontIrregularPrice result;
    if (!customTicked)
        return result;
    result.purchase = u"-1"_s;
    result.sale = u"-1"_s;
    const auto prices = tvr_r_nettfront_rendhagyo_egyedi_arak_list(
        db, IsActive(u"tvr_r_nettfront_rendhagyo_egyedi_arak"_s) + u" and "_s + Equals(u"nettfront_kategoria_id"_s),
        AsInteger(u"nettfront_rendhagyo_egyedi_ar_id"_s), {categoryId});
    if (!prices.empty()) {
        result.found = true;
        result.purchase = prices.front().egyedi_meret_eladasi_ar;
        result.sale = prices.front().egyedi_meret_eladasi_ar;
    }
    return result;
}

QString NettfrontCategoryLabel(TDatabaseConnection &db, const QString &categoryId,
                               const NettfrontIrregularPrice &irregular)
{
    const auto category = tvr_r_nettfront_kategoriak_get(db, categoryId);
    const QString number = category ? category->sorszam : QString();
    QString label = u"kat.:"_s + number;
    if (irregular.found)
        label += u" bruttó ár:"_s + irregular.sale + u"Ft/nm"_s;
    return label;
}

Ttable_tvr_r_nettfront_megrendeles_tetelei
NettfrontPriceFrontLine(TDatabaseConnection &db, const NettfrontFrontLineInput &input, double multiplier)
{
    RequireOrder(db, input.orderId);
    const auto category = tvr_r_nettfront_kategoriak_get(db, input.categoryId);
    if (!category)
        MissingSetting(u"a front árkategóriája (%1)"_s.arg(input.categoryId));
    const auto type = tvr_r_nettfront_fronttipusok_get(db, input.frontTypeId);
    if (!type)
        MissingSetting(u"a fronttipus (%1)"_s.arg(input.frontTypeId));
    const bool glazed = Number(type->uveges_elem) == 1;

    Ttable_tvr_r_nettfront_megrendeles_tetelei line;
    line.nettfront_megrendeles_id = input.orderId;
    line.rendelt_mennyiseg = input.quantity.trimmed().isEmpty() ? u"1"_s : input.quantity;
    const double quantity = TypedNumber(line.rendelt_mennyiseg, u"mennyiség"_s);
    const double height = TypedNumber(input.height, u"magasság"_s);
    const double width = TypedNumber(input.width, u"szélesség"_s);

    // Unit prices of the category, per square metre.
    const double categoryPrice = CataloguePrice(category->sajat_ar, u"az árkategória ára"_s);
    line.rendeleskor_besz_ar = FormatAmount2(categoryPrice * GrossFactor);
    line.rendeleskor_elad_ar = FormatAmount2(ParseAmount(line.rendeleskor_besz_ar) * multiplier);

    // A custom size has its own price per square metre, solid or glazed.
    double customBase = 0;
    if (input.custom) {
        const auto custom = tvr_r_nettfront_egyedi_meret_ara_get(db, u"1"_s);
        if (!custom)
            MissingSetting(u"az egyedi méretű frontok ára"_s);
        customBase = glazed ? CataloguePrice(custom->egyedi_uveges_eladasi_ar, u"az egyedi üveges front ára"_s)
                            : CataloguePrice(custom->egyedi_meret_eladasi_ar, u"az egyedi méretű front ára"_s);
        line.rendeleskor_besz_ar = FormatAmount2(customBase * GrossFactor);
        line.rendeleskor_elad_ar = FormatAmount2(customBase * (multiplier * GrossFactor));
    }

    // The area as written is the area priced.
    line.terulet = FormatDecimals(quantity * (height / 1000) * (width / 1000), 3);
    const double area = ParseAmount(line.terulet);
    line.meret = input.height + u'x' + input.width;

    double purchase = 0;
    double sale = 0;
    if (input.custom) {
        purchase = customBase * GrossFactor * area;
        sale = customBase * GrossFactor * area * multiplier;
        line.besorolas = glazed ? u"EGYEDI ÜVEGES"_s : u"EGYEDI"_s;
        const NettfrontIrregularPrice irregular = NettfrontIrregularCustomPrice(db, input.categoryId, true);
        if (irregular.found) {
            const double price = CataloguePrice(irregular.purchase, u"az árkategória rendhagyó egyedi ára"_s);
            purchase = price * area;
            sale = price * multiplier * area;
            line.besorolas = u"EGYEDI"_s;
        }
    } else {
        purchase = ParseAmount(line.rendeleskor_besz_ar) * area;
        sale = ParseAmount(line.rendeleskor_elad_ar) * area;
        line.besorolas = u"SZÉRIA "_s + input.categoryLabel;
    }

    if (input.rebated) {
        const auto services = tvr_r_nettfront_szolgaltatas_arak_get(db, u"1"_s);
        if (!services)
            MissingSetting(u"a falcolás ára"_s);
        const double rebate = CataloguePrice(services->uvegajto_falcolas_eladasi_ar, u"a falcolás ára"_s);
        purchase += rebate * GrossFactor * area;
        sale += rebate * GrossFactor * area * multiplier;
    }
    line.tetel_brutto_beszerzesi_ara = FormatDecimals(purchase, 20);
    line.tetel_brutto_eladasi_ara = FormatDecimals(sale, 20);

    line.nettfront_kategoria_id = input.categoryId;
    line.maras_id = input.millingId;
    line.nettfront_szin_id = input.colourId;
    line.front_tipus_id = input.frontTypeId;
    line.magassag = input.height;
    line.szelesseg = input.width;
    line.egyedi_meret = input.custom ? u"1"_s : u"0"_s;
    line.nettfront_egyebtermek_id = u"0"_s;
    line.panthelymarasok_szama = u"0"_s;
    line.panthelymarasokert_fizetni_kell = u"0.00"_s;

    // Exactly one class column holds the area (a split-glass front counts as solid here), and the
    // rebating column as well when rebated; the warranty areas are always zero.
    for (QString *column :
         {&line.terulet_szeria, &line.terulet_uveges, &line.terulet_egyedi, &line.terulet_egyedi_uveges,
          &line.terulet_falcolas, &line.terulet_g_szeria, &line.terulet_g_uveges, &line.terulet_g_egyedi,
          &line.terulet_g_egyedi_uveges, &line.terulet_g_falcolas})
        *column = u"0"_s;
    if (input.custom)
        (glazed ? line.terulet_egyedi_uveges : line.terulet_egyedi) = line.terulet;
    else
        (glazed ? line.terulet_uveges : line.terulet_szeria) = line.terulet;
    if (input.rebated)
        line.terulet_falcolas = line.terulet;

    // Written whole on an update too, as an insert would fill them.
    line.garanciaban_kerve = u"0"_s;
    line.nem_lesz_marasminta_rajta_mert_kicsi = input.tooSmall ? u"1"_s : u"0"_s;
    line.falcolassal = input.rebated ? u"1"_s : u"0"_s;
    return line;
}

Ttable_tvr_r_nettfront_megrendeles_tetelei
NettfrontPriceOtherLine(TDatabaseConnection &db, const NettfrontOtherLineInput &input, double multiplier)
{
    RequireOrder(db, input.orderId);
    const auto product = tvr_r_nettfront_egyeb_termekek_get(db, input.productId);
    if (!product)
        MissingSetting(u"a termék (%1)"_s.arg(input.productId));

    Ttable_tvr_r_nettfront_megrendeles_tetelei line;
    line.nettfront_megrendeles_id = input.orderId;
    line.rendelt_mennyiseg = input.quantity.trimmed().isEmpty() ? u"0"_s : input.quantity;
    const int quantity = ParseInt(line.rendelt_mennyiseg);
    if (quantity < 0)
        throw TvrError(u"A megadott mennyiség („%1”) nem egész szám!"_s.arg(line.rendelt_mennyiseg));

    const double unit = CataloguePrice(product->sajat_ar, u"a termék ára"_s) * GrossFactor;
    line.rendeleskor_besz_ar = FormatAmount2(unit);
    line.rendeleskor_elad_ar = FormatAmount2(unit * multiplier);
    line.tetel_brutto_beszerzesi_ara = FormatAmount2(quantity * unit);
    line.tetel_brutto_eladasi_ara = FormatAmount2(quantity * unit * multiplier);

    line.nettfront_kategoria_id = u"0"_s;
    line.maras_id = u"0"_s;
    line.nettfront_szin_id = input.colourId;
    line.front_tipus_id = u"0"_s;
    line.magassag = u"0"_s;
    line.szelesseg = u"0"_s;
    line.egyedi_meret = u"0"_s;
    line.nettfront_egyebtermek_id = input.productId;
    // The columns an insert fills with "0", filled here so that an update writes the same.
    line.panthelymarasok_szama = u"0"_s;
    line.panthelymarasokert_fizetni_kell = u"0"_s;
    line.garanciaban_kerve = u"0"_s;
    line.nem_lesz_marasminta_rajta_mert_kicsi = u"0"_s;
    line.terulet_falcolas = u"0"_s;
    line.terulet_g_falcolas = u"0"_s;
    line.falcolassal = u"0"_s;
    return line;
}

double NettfrontOrderGrossTotal(TDatabaseConnection &db, const QString &orderId)
{
    // The stored texts are added as the program reads them, rather than taking the engine's
    // 15-digit text of its sum: the 20-decimal line totals stay exact to the last bit.
    const QStringList values = Read(db, u"tetel_brutto_eladasi_ara,panthelymarasokert_fizetni_kell"_s, LinesTable(),
                                    AsInteger(u"nettfront_megrendeles_tetel_id"_s), ActiveLinesOf(), {orderId});
    double lines = 0;
    double hingeHoles = 0;
    for (qsizetype i = 0; i + 1 < values.size(); i += 2) {
        lines += StoredAmount(values.at(i));
        hingeHoles += StoredAmount(values.at(i + 1));
    }
    return lines + hingeHoles;
}

double NettfrontRecalcOrderTotals(TDatabaseConnection &db, const QString &orderId, double multiplier)
{
    static const std::array<QString Ttable_tvr_r_nettfront_megrendelesek::*, 10> orderAreas{
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_szeria,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_uveges,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_egyedi,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_egyedi_uveges,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_falcolas,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_g_szeria,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_g_uveges,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_g_egyedi,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_g_egyedi_uveges,
        &Ttable_tvr_r_nettfront_megrendelesek::terulet_g_falcolas};
    const QString areaColumns = u"terulet_szeria,terulet_uveges,terulet_egyedi,terulet_egyedi_uveges,"
                                u"terulet_falcolas,terulet_g_szeria,terulet_g_uveges,terulet_g_egyedi,"
                                u"terulet_g_egyedi_uveges,terulet_g_falcolas"_s;

    const QStringList values =
        Read(db, areaColumns, LinesTable(), AsInteger(u"nettfront_megrendeles_tetel_id"_s), ActiveLinesOf(), {orderId});
    std::array<double, 10> sums{};
    for (qsizetype row = 0; row + 10 <= values.size(); row += 10)
        for (size_t c = 0; c < sums.size(); ++c)
            sums[c] += StoredAmount(values.at(row + qsizetype(c)));

    const double gross = NettfrontOrderGrossTotal(db, orderId);
    const double net = gross * NetFactor;

    auto order = tvr_r_nettfront_megrendelesek_get(db, orderId);
    if (!order)
        throw TvrError(u"A frontrendelés (%1) nem található, ezért az összegei nem számolhatók újra."_s.arg(orderId));
    order->rendeleskor_osszes_elad_ar = CommaToPoint(FormatAmount2(gross));
    order->netto_eladasi_ar = CommaToPoint(FormatAmount2(net));
    order->netto_beszerzesi_ar = CommaToPoint(FormatAmount2(net / multiplier));
    order->rendeleskor_osszes_besz_ar = CommaToPoint(order->rendeleskor_osszes_besz_ar);
    for (size_t c = 0; c < sums.size(); ++c)
        (*order).*orderAreas[c] = CommaToPoint(FormatDecimals(sums[c], 4));
    if (!tvr_r_nettfront_megrendelesek_update(db, orderId, *order))
        throw TvrError(u"A frontrendelés összegei nem írhatók be."_s);
    return gross;
}

bool NettfrontHasSplitGlassType(TDatabaseConnection &db, const QString &millingId)
{
    const auto exchange = tvr_r_nettfront_basic_uvegcsere_get(db, u"1"_s);
    if (!exchange)
        MissingSetting(u"az üvegcsere beállítása"_s);
    const QStringList pairs = Read(db, u"maras_fronttipus_par_id"_s, u"tvr_r_nettfront_maras_fronttipus_parok"_s, {},
                                   Equals(u"maras_id"_s) + u" and "_s + Equals(u"front_tipus_id"_s),
                                   {millingId, exchange->osztott_uveges_id});
    return !pairs.isEmpty();
}

bool NettfrontOrderHasOtherProducts(TDatabaseConnection &db, const QString &orderId)
{
    return CountLines(db, orderId, u" and "_s + AsInteger(u"nettfront_egyebtermek_id"_s) + u"<>0"_s) > 0;
}

int NettfrontActiveFrontLineCount(TDatabaseConnection &db, const QString &orderId)
{
    return CountLines(db, orderId, u" and "_s + AsInteger(u"nettfront_egyebtermek_id"_s) + u"=0"_s);
}

int NettfrontActiveLineCount(TDatabaseConnection &db, const QString &orderId)
{
    return CountLines(db, orderId, {});
}

bool NettfrontDeleteEmptyOrder(TDatabaseConnection &db, const QString &orderId)
{
    std::lock_guard lock(db.mutex());
    if (NettfrontActiveLineCount(db, orderId) != 0)
        return false;
    return WriteWhole(db, [&] {
        return DeleteRows(db, LinesTable(), Equals(u"nettfront_megrendeles_id"_s), {orderId}) &&
               DeleteRows(db, u"tvr_r_nettfront_megrendelesek"_s, u"nettfront_megrendeles_id=?"_s, {orderId});
    });
}

bool NettfrontDeactivateOrder(TDatabaseConnection &db, const QString &orderId)
{
    return WriteWhole(db, [&] {
        return UpdateRows(db, u"tvr_r_nettfront_megrendelesek"_s, {u"active"_s}, u"nettfront_megrendeles_id=?"_s,
                          {u"0"_s}, {orderId}) &&
               UpdateRows(db, LinesTable(), {u"active"_s}, Equals(u"nettfront_megrendeles_id"_s), {u"0"_s}, {orderId});
    });
}

} // namespace tvr

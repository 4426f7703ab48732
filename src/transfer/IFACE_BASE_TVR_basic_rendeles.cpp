#include "transfer/IFACE_BASE_TVR_basic_rendeles.h"

#include "database/DB_DatabaseConnection.h"
#include "database/TableLayouts.h"

#include <span>
#include <string_view>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

using Names = std::span<const std::string_view>;

template <class R> consteval bool HasColumn(std::string_view name)
{
    for (const auto &c : TableLayout<R>::columns)
        if (std::string_view(c.name) == name)
            return true;
    return false;
}

// Every column the file's table writes exists in the local table (except the given extras, which
// are written as constants).
template <class Tv, class Local> consteval bool Mirrors(Names extras = {})
{
    for (const auto &c : TableLayout<Tv>::columns) {
        if (c.role == ColumnRole::Key)
            continue;
        bool extra = false;
        for (std::string_view e : extras)
            extra = extra || e == c.name;
        if (!extra && !HasColumn<Local>(c.name))
            return false;
    }
    return true;
}

template <class R> consteval bool HasAll(Names names)
{
    for (std::string_view n : names)
        if (!HasColumn<R>(n))
            return false;
    return true;
}

bool Contains(Names names, const char *name)
{
    for (std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

// insert into <schema>.<tv table> (<columns>) select <expressions> — the expressions read the local
// table as alias t: a kept key as it is, a decimal through CommaToPoint, every other column as
// text. A constant column takes its literal.
template <class Tv>
QString InsertSelect(const QString &schema, Names decimals, Names constantColumns = {},
                     const QStringList &constants = {})
{
    QStringList columns;
    QStringList expressions;
    for (const auto &c : TableLayout<Tv>::columns) {
        if (c.role == ColumnRole::Key)
            continue; // the file assigns it
        const QString name = QString::fromLatin1(c.name);
        columns << name;
        qsizetype constant = -1;
        for (size_t i = 0; i < constantColumns.size(); ++i)
            if (constantColumns[i] == c.name)
                constant = qsizetype(i);
        if (constant >= 0)
            expressions << constants.at(constant);
        else if (c.role == ColumnRole::KeptKey)
            expressions << u"t."_s + name;
        else if (Contains(decimals, c.name))
            expressions << u"CommaToPoint(t.%1)"_s.arg(name);
        else
            expressions << u"coalesce(t.%1,'')"_s.arg(name);
    }
    return u"insert into %1.%2 (%3) select %4"_s.arg(schema, QString::fromLatin1(TableLayout<Tv>::name),
                                                     columns.join(u','), expressions.join(u','));
}

template <class R> QString Table()
{
    return u"main."_s + QString::fromLatin1(TableLayout<R>::name);
}

template <class R> QString Key()
{
    return QString::fromLatin1(TableLayout<R>::columns[0].name);
}

// The id texts are compared as the numbers they are.
QString SameId(const QString &column)
{
    return AsInteger(column) + u'=' + AsInteger(u"?"_s);
}

// The decimal columns of each table (their first comma becomes a point).
constexpr std::string_view kWorkDecimals[] = {"teljes_netto_ar",
                                              "teljes_brutto_ar",
                                              "terheltsegi_ar",
                                              "uvegezendo_negyzetmeter",
                                              "uvegezes_egysegara",
                                              "uvegezes_ara",
                                              "uvegezes_egysegara_ajanlott",
                                              "uvegezes_ara_ajanlott"};
constexpr std::string_view kOnQuoteDecimals[] = {"dekorozas",
                                                 "vizveto",
                                                 "vizveto_vegzarok",
                                                 "labazati_vizveto",
                                                 "munkalap_osszemaras",
                                                 "egymed_mosi_maras",
                                                 "ketmed_mosi_maras",
                                                 "fozolap_maras",
                                                 "szokli",
                                                 "parkanylec",
                                                 "fenylec",
                                                 "egys_dekorozas",
                                                 "egys_vizveto",
                                                 "egys_vizveto_vegzarok",
                                                 "egys_labazati_vizveto",
                                                 "egys_munkalap_osszemaras",
                                                 "egys_egymed_mosi_maras",
                                                 "egys_ketmed_mosi_maras",
                                                 "egys_fozolap_maras",
                                                 "egys_szokli",
                                                 "egys_parkanylec",
                                                 "egys_fenylec",
                                                 "vizveto_sarok",
                                                 "egys_vizveto_sarok",
                                                 "ar_dekorozas",
                                                 "ar_vizveto",
                                                 "ar_vizveto_vegzarok",
                                                 "ar_labazati_vizveto",
                                                 "ar_vizveto_sarok",
                                                 "ar_munkalap_osszemaras",
                                                 "ar_egymed_mosi_maras",
                                                 "ar_ketmed_mosi_maras",
                                                 "ar_fozolap_maras",
                                                 "ar_szokli",
                                                 "ar_parkanylec",
                                                 "ar_fenylec",
                                                 "egys_t_toldo",
                                                 "ar_t_toldo",
                                                 "egys_fordito",
                                                 "ar_fordito",
                                                 "egys_mlap_vegzaro_fem",
                                                 "ar_mlap_vegzaro_fem",
                                                 "vinklivas",
                                                 "egys_vinklivas",
                                                 "ar_vinklivas",
                                                 "egys_munkalap_tores",
                                                 "ar_munkalap_tores",
                                                 "lampatarto",
                                                 "egys_lampatarto",
                                                 "ar_lampatarto",
                                                 "parkanylec_szereles",
                                                 "egys_parkanylec_szereles",
                                                 "ar_parkanylec_szereles",
                                                 "fenylec_szereles",
                                                 "egys_fenylec_szereles",
                                                 "ar_fenylec_szereles",
                                                 "egys_spot_maras",
                                                 "ar_spot_maras",
                                                 "netto_beszerzesi_ar",
                                                 "netto_eladasi_ar"};
constexpr std::string_view kAutomaticDecimals[] = {
    "dekorozas",         "vizveto",           "vizveto_vegzarok", "labazati_vizveto", "munkalap_osszemaras",
    "egymed_mosi_maras", "ketmed_mosi_maras", "fozolap_maras",    "szokli",           "parkanylec",
    "fenylec",           "vizveto_sarok"};
constexpr std::string_view kElementDecimals[] = {
    "alap_brutto_ar",   "emelt_brutto_ar", "kedvezmenyes_brutto_ar", "uvegezendo_negyzetmeter", "netto_beszerzesi_ar",
    "netto_eladasi_ar", "fioktipus"};
constexpr std::string_view kFrameDecimals[] = {"netto_beszerzesi_ar"};
constexpr std::string_view kForestDecimals[] = {"mennyiseg"};
constexpr std::string_view kFreePriceDecimals[] = {"netto_ertek", "brutto_ertek", "kedvezmenyes_netto_ertek",
                                                   "kedvezmenyes_brutto_ertek"};
constexpr std::string_view kPanelDecimals[] = {"butorlap_terulete",   "butorlap_erteke",     "butorlap_egysegara",
                                               "elzaro1_hossza",      "elzaro1_egysegara",   "elzaro1_erteke",
                                               "elzaro2_hossza",      "elzaro2_egysegara",   "elzaro2_erteke",
                                               "tetel_brutto_erteke", "netto_beszerzesi_ar", "netto_eladasi_ar"};
constexpr std::string_view kWorktopDecimals[] = {
    "munkalap_egysegara",     "elzaro_hossza",   "munkalap_erteke",         "elzaras_erteke",
    "csak_a_munkalap_erteke", "kedv_ar_elzaras", "kedv_ar_csak_a_munkalap", "kedv_ar_munkalap",
    "netto_beszerzesi_ar",    "netto_eladasi_ar"};
constexpr std::string_view kPieceDecimals[] = {"hossz"};
constexpr std::string_view kFrontOrderDecimals[] = {"rendeleskor_osszes_besz_ar",
                                                    "rendeleskor_osszes_elad_ar",
                                                    "terulet_szeria",
                                                    "terulet_uveges",
                                                    "terulet_egyedi_uveges",
                                                    "terulet_g_szeria",
                                                    "terulet_g_uveges",
                                                    "terulet_g_egyedi",
                                                    "terulet_g_egyedi_uveges",
                                                    "terulet_falcolas",
                                                    "terulet_g_falcolas",
                                                    "netto_beszerzesi_ar",
                                                    "netto_eladasi_ar"};
constexpr std::string_view kFrontLineDecimals[] = {"rendelt_mennyiseg",
                                                   "rendeleskor_besz_ar",
                                                   "rendeleskor_elad_ar",
                                                   "tetel_brutto_beszerzesi_ara",
                                                   "tetel_brutto_eladasi_ara",
                                                   "terulet",
                                                   "panthelymarasokert_fizetni_kell",
                                                   "terulet_szeria",
                                                   "terulet_uveges",
                                                   "terulet_egyedi",
                                                   "terulet_egyedi_uveges",
                                                   "terulet_g_szeria",
                                                   "terulet_g_uveges",
                                                   "terulet_g_egyedi_uveges",
                                                   "terulet_falcolas",
                                                   "terulet_g_falcolas"};
constexpr std::string_view kInfoConstants[] = {"megrendelo_id"};

static_assert(Mirrors<Ttable_tv_info, Ttable_tvr_info>(kInfoConstants));
static_assert(Mirrors<Ttable_tv_arajanlat, Ttable_tvr_arajanlat>());
static_assert(Mirrors<Ttable_tv_b_basic_munka, Ttable_tvr_b_basic_munka>() &&
              HasAll<Ttable_tv_b_basic_munka>(kWorkDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_arajanlaton_szerepel, Ttable_tvr_b_basic_arajanlaton_szerepel>() &&
              HasAll<Ttable_tv_b_basic_arajanlaton_szerepel>(kOnQuoteDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_automatikusan_szamolt, Ttable_tvr_b_basic_automatikusan_szamolt>() &&
              HasAll<Ttable_tv_b_basic_automatikusan_szamolt>(kAutomaticDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_ecorgan_termekek, Ttable_tvr_b_basic_ecorgan_termekek>());
static_assert(Mirrors<Ttable_tv_b_basic_elemsor, Ttable_tvr_b_basic_elemsor>() &&
              HasAll<Ttable_tv_b_basic_elemsor>(kElementDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_elemsor_alukeret, Ttable_tvr_b_basic_elemsor_alukeret>() &&
              HasAll<Ttable_tv_b_basic_elemsor_alukeret>(kFrameDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_forest_termekek, Ttable_tvr_b_basic_forest_termekek>() &&
              HasAll<Ttable_tv_b_basic_forest_termekek>(kForestDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_munkalap_toresek, Ttable_tvr_b_basic_munkalap_toresek>());
static_assert(Mirrors<Ttable_tv_b_basic_raktari_fogok, Ttable_tvr_b_basic_raktari_fogok>());
static_assert(Mirrors<Ttable_tv_b_basic_szabadaras_tetelek, Ttable_tvr_b_basic_szabadaras_tetelek>() &&
              HasAll<Ttable_tv_b_basic_szabadaras_tetelek>(kFreePriceDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_szabott_lapok, Ttable_tvr_b_basic_szabott_lapok>() &&
              HasAll<Ttable_tv_b_basic_szabott_lapok>(kPanelDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_szabott_munkalapok, Ttable_tvr_b_basic_szabott_munkalapok>() &&
              HasAll<Ttable_tv_b_basic_szabott_munkalapok>(kWorktopDecimals));
static_assert(Mirrors<Ttable_tv_b_basic_szalas_darabok, Ttable_tvr_b_basic_szalas_darabok>() &&
              HasAll<Ttable_tv_b_basic_szalas_darabok>(kPieceDecimals));
static_assert(Mirrors<Ttable_tv_r_nettfront_megrendelesek, Ttable_tvr_r_nettfront_megrendelesek>() &&
              HasAll<Ttable_tv_r_nettfront_megrendelesek>(kFrontOrderDecimals));
static_assert(Mirrors<Ttable_tv_r_nettfront_megrendeles_tetelei, Ttable_tvr_r_nettfront_megrendeles_tetelei>() &&
              HasAll<Ttable_tv_r_nettfront_megrendeles_tetelei>(kFrontLineDecimals));

// The active rows of a line table that belong to the work, in key order (at most `limit` rows when
// limit is not empty).
template <class Tv, class Local>
SqlStatement WorkLines(const QString &schema, Names decimals, const QString &workId, const QString &limit = {})
{
    QString sql = InsertSelect<Tv>(schema, decimals) + u" from %1 t where t.active=1 and %2 order by t.%3"_s.arg(
                                                           Table<Local>(), SameId(u"t.basic_munka_id"_s), Key<Local>());
    if (!limit.isEmpty())
        sql += u" limit "_s + limit;
    return {sql + u';', {workId}};
}

} // namespace

QString OrderFileSchema(const QString &quoteId)
{
    return u"basic_"_s + quoteId;
}

QStringList OrderFileTables()
{
    QStringList names;
    for (const TableSchema &t : AllTables())
        if (t.placement == Placement::Order)
            names << QString::fromLatin1(t.name);
    return names;
}

std::vector<SqlStatement> OrderFileStatements(const QString &schema, const QString &quoteId, const QString &workId)
{
    std::vector<SqlStatement> s;
    // The versions of the catalogue the quote was priced with; the manufacturer assigns the
    // customer, so megrendelo_id is "0".
    s.push_back({InsertSelect<Ttable_tv_info>(schema, {}, kInfoConstants, {u"'0'"_s}) +
                     u" from %1.tvr_info t where %2=1;"_s.arg(MaterialsSchema(), AsInteger(u"t.info_id"_s)),
                 {}});
    // The quote with the status it had before this order.
    s.push_back({InsertSelect<Ttable_tv_arajanlat>(schema, {}) +
                     u" from %1 t where t.%2=%3;"_s.arg(Table<Ttable_tvr_arajanlat>(), Key<Ttable_tvr_arajanlat>(),
                                                        AsInteger(u"?"_s)),
                 {quoteId}});
    if (workId.isEmpty())
        return s;

    s.push_back({InsertSelect<Ttable_tv_b_basic_munka>(schema, kWorkDecimals) +
                     u" from %1 t where t.%2=%3;"_s.arg(Table<Ttable_tvr_b_basic_munka>(),
                                                        Key<Ttable_tvr_b_basic_munka>(), AsInteger(u"?"_s)),
                 {workId}});
    s.push_back(WorkLines<Ttable_tv_b_basic_arajanlaton_szerepel, Ttable_tvr_b_basic_arajanlaton_szerepel>(
        schema, kOnQuoteDecimals, workId, u"1"_s));
    s.push_back(WorkLines<Ttable_tv_b_basic_automatikusan_szamolt, Ttable_tvr_b_basic_automatikusan_szamolt>(
        schema, kAutomaticDecimals, workId, u"1"_s));
    s.push_back(WorkLines<Ttable_tv_b_basic_ecorgan_termekek, Ttable_tvr_b_basic_ecorgan_termekek>(schema, {}, workId));
    s.push_back(WorkLines<Ttable_tv_b_basic_elemsor, Ttable_tvr_b_basic_elemsor>(schema, kElementDecimals, workId));
    // The frames of the work's active elements, element by element.
    s.push_back(
        {InsertSelect<Ttable_tv_b_basic_elemsor_alukeret>(schema, kFrameDecimals) +
             u" from %1 t join %2 e on %3=e.%4 where t.active=1 and e.active=1 and %5 order by e.%4, t.%6;"_s.arg(
                 Table<Ttable_tvr_b_basic_elemsor_alukeret>(), Table<Ttable_tvr_b_basic_elemsor>(),
                 AsInteger(u"t.basic_elemsor_id"_s), Key<Ttable_tvr_b_basic_elemsor>(), SameId(u"e.basic_munka_id"_s),
                 Key<Ttable_tvr_b_basic_elemsor_alukeret>()),
         {workId}});
    s.push_back(WorkLines<Ttable_tv_b_basic_forest_termekek, Ttable_tvr_b_basic_forest_termekek>(
        schema, kForestDecimals, workId));
    s.push_back(WorkLines<Ttable_tv_b_basic_munkalap_toresek, Ttable_tvr_b_basic_munkalap_toresek>(schema, {}, workId));
    s.push_back(WorkLines<Ttable_tv_b_basic_raktari_fogok, Ttable_tvr_b_basic_raktari_fogok>(schema, {}, workId));
    s.push_back(WorkLines<Ttable_tv_b_basic_szabadaras_tetelek, Ttable_tvr_b_basic_szabadaras_tetelek>(
        schema, kFreePriceDecimals, workId));
    s.push_back(
        WorkLines<Ttable_tv_b_basic_szabott_lapok, Ttable_tvr_b_basic_szabott_lapok>(schema, kPanelDecimals, workId));
    s.push_back(WorkLines<Ttable_tv_b_basic_szabott_munkalapok, Ttable_tvr_b_basic_szabott_munkalapok>(
        schema, kWorktopDecimals, workId));
    s.push_back(
        WorkLines<Ttable_tv_b_basic_szalas_darabok, Ttable_tvr_b_basic_szalas_darabok>(schema, kPieceDecimals, workId));
    s.push_back(WorkLines<Ttable_tv_r_nettfront_megrendelesek, Ttable_tvr_r_nettfront_megrendelesek>(
        schema, kFrontOrderDecimals, workId));
    // The lines of the work's active front orders, order by order: the file numbers them in this
    // sequence, so each order's lines follow one another.
    s.push_back(
        {InsertSelect<Ttable_tv_r_nettfront_megrendeles_tetelei>(schema, kFrontLineDecimals) +
             u" from %1 t join %2 m on %3=m.%4 where t.active=1 and m.active=1 and %5 order by m.%4, t.%6;"_s.arg(
                 Table<Ttable_tvr_r_nettfront_megrendeles_tetelei>(), Table<Ttable_tvr_r_nettfront_megrendelesek>(),
                 AsInteger(u"t.nettfront_megrendeles_id"_s), Key<Ttable_tvr_r_nettfront_megrendelesek>(),
                 SameId(u"m.basic_munka_id"_s), Key<Ttable_tvr_r_nettfront_megrendeles_tetelei>()),
         {workId}});
    return s;
}

} // namespace tvr

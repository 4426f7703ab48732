#include "kitchen/KitchenCatalogue.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/IFACE_BASE_tvr.h"

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// Codes order as numbers first, then as texts ("10/04" before "10/2", "ML101" among the rest).
QString ByCode()
{
    return AsInteger(u"sorszama"_s) + u", sorszama"_s;
}

QString Active()
{
    return AsInteger(u"active"_s) + u"=1"_s;
}

std::optional<double> Price(const QString &text, double multiplier)
{
    try {
        return ParseAmount(FormatAmount2(ParseAmount(text) * multiplier));
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

} // namespace

std::vector<CatalogueEntry> PanelEntries(TDatabaseConnection &db, double multiplier, PanelUse use)
{
    QString condition = Active();
    if (use == PanelUse::Carcass)
        condition += u" and "_s + AsInteger(u"basic_korpuszra"_s) + u"=1"_s;
    else if (use == PanelUse::Front)
        condition += u" and "_s + AsInteger(u"basic_frontra"_s) + u"=1"_s;
    std::vector<CatalogueEntry> entries;
    for (const auto &p : tvr_butorlapok_list(db, condition, ByCode()))
        entries.push_back({p.butorlap_id, p.sorszama,
                           p.sorszama + u" - "_s + p.megnevezes + u" (vastagság: "_s + p.vastagsag + u"mm)"_s,
                           Price(p.basic_egysegara, multiplier), p.basic_egysegara, p.forgathato});
    return entries;
}

std::vector<CatalogueEntry> EdgeBandEntries(TDatabaseConnection &db, double multiplier, bool thick)
{
    const QString condition =
        Active() + u" and "_s +
        (thick ? AsInteger(u"vastagsag"_s) + u">0 and "_s + AsInteger(u"elzaro_tipus_id"_s) + u"<>2"_s
               : AsInteger(u"vastagsag"_s) + u"=0"_s);
    std::vector<CatalogueEntry> entries;
    for (const auto &e : tvr_elzarok_list(db, condition, ByCode()))
        entries.push_back({e.elzaro_id,
                           e.sorszama,
                           e.sorszama + u" - "_s + e.megnevezes + u"(szélesség:"_s + e.szelesseg + u"mm, vastagság:"_s +
                               e.vastagsag + u"mm)"_s,
                           Price(e.basic_egysegara, multiplier),
                           e.basic_egysegara,
                           {}});
    return entries;
}

std::vector<CatalogueEntry> WorktopEntries(TDatabaseConnection &db)
{
    std::vector<CatalogueEntry> entries;
    for (const auto &w :
         tvr_munkalapok_list(db, Active() + u" and "_s + AsInteger(u"basic_munkalap"_s) + u"=1"_s, ByCode()))
        entries.push_back({w.munkalap_id,
                           w.sorszama,
                           w.sorszama + u"["_s + w.vastagsag + u"mm]"_s + u" - "_s + w.megnevezes,
                           Price(w.basic_egysegara, 1.0),
                           w.basic_egysegara,
                           {}});
    return entries;
}

int IndexOfId(const std::vector<CatalogueEntry> &entries, const QString &id)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].id == id)
            return int(i);
    return -1;
}

int IndexOfCode(const std::vector<CatalogueEntry> &entries, const QString &code)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == code)
            return int(i);
    return -1;
}

QString ActiveIdByCode(TDatabaseConnection &db, const QString &table, const QString &idColumn, const QString &code)
{
    QStringList ids;
    SelectValues(db, idColumn, table, idColumn, Active() + u" and sorszama=?"_s, ids, {code});
    return ids.value(0);
}

RecommendedBands RecommendedBandsOf(TDatabaseConnection &db, const QString &panelId)
{
    RecommendedBands bands;
    const auto pairs = tvr_lsz_butorlap_elzaro_parok_list(
        db, Active() + u" and "_s + AsInteger(u"korpusz_butorlap_id"_s) + u"="_s + AsInteger(u"?"_s),
        u"butorlap_elzaro_par_id"_s, {panelId});
    if (!pairs.empty()) {
        bands.thin = pairs.front().nulla_negyes_elzaro_id.isEmpty() ? u"0"_s : pairs.front().nulla_negyes_elzaro_id;
        bands.thick = pairs.front().kettes_elzaro_id.isEmpty() ? u"0"_s : pairs.front().kettes_elzaro_id;
    }
    return bands;
}

} // namespace tvr

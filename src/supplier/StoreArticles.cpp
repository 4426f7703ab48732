#include "supplier/StoreArticles.h"

#include "database/DB_DatabaseFunctions.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tvr
{

QString StoreArticleLimit(const QString &typed)
{
    static const QRegularExpression digits(u"^[0-9]{1,9}$"_s);
    return digits.match(typed).hasMatch() ? typed : u"10"_s;
}

SqlStatement StoreArticleListStatement(bool vestra, const QString &numberFilter, const QString &nameFilter,
                                       const QString &limit)
{
    SqlStatement s;
    s.sql = u"select tvr_r_aruhazi_arucikkek.*, (case when %1=1 then 'AKCIÓS ECORGAN' else '' end) as statusz "
            u"from tvr_r_aruhazi_arucikkek where %2=1 and %3=1 and %4=? "_s.arg(
                AsInteger(u"tvr_r_aruhazi_arucikkek.akcios_blanco"_s), AsInteger(u"tvr_r_aruhazi_arucikkek.active"_s),
                AsInteger(u"tvr_r_aruhazi_arucikkek.rendelheto"_s), AsInteger(u"tvr_r_aruhazi_arucikkek.vestra"_s));
    s.params << (vestra ? u"1"_s : u"0"_s);
    if (!nameFilter.isEmpty()) {
        s.sql += u" and megnevezes like ? escape '\\' "_s;
        s.params << LikePrefix(nameFilter);
    }
    if (!numberFilter.isEmpty()) {
        s.sql += u" and cikkszam like ? escape '\\' "_s;
        s.params << LikePrefix(numberFilter);
    }
    s.sql += u" order by megnevezes limit "_s + AsInteger(u"?"_s);
    s.params << StoreArticleLimit(limit);
    return s;
}

QString StoreArticleCaption(const QString &articleNumber, const QString &netPrice, double multiplier)
{
    return u"kiválaszt:"_s + articleNumber + u" (Ára: "_s + CurrencyText(ParseAmount(netPrice) * 1.27 * multiplier) +
           u')';
}

Ttable_tvr_b_basic_ecorgan_termekek StoreArticleLine(const QString &articleId, const QString &articleNumber,
                                                     const QString &netPrice, const QString &workId, double multiplier)
{
    const double n = ParseAmount(netPrice);
    const double g = n * 1.27 * multiplier;
    const double g1 = n * 1.27;
    Ttable_tvr_b_basic_ecorgan_termekek line;
    line.aruhazi_arucikk_id = articleId;
    line.cikkszam = articleNumber;
    line.mennyiseg = u"1"_s;
    line.basic_munka_id = workId;
    line.rogzitette = System().CurrentUserId;
    line.rogzites_ideje = NowText();
    line.arajanlatkor_brutto_eladasi_ar = FormatAmount2(g);
    line.arajanlatkor_brutto_egysegar = FormatAmount2(g);
    line.arajanlatkor_netto_eladasi_ar = FormatAmount0(g * NetFactor);
    // No discount is given here (a factor of 1.0); the column of its percentage stays empty.
    line.kedvezmeny_szazalek = QString();
    line.kedv_arajanlatkor_netto_eladasi_ar = FormatAmount2(g * NetFactor);
    line.kedv_arajanlatkor_brutto_eladasi_ar = FormatAmount2(g);
    line.kedv_arajanatkor_brutto_egysegar = FormatAmount2(g);
    line.netto_beszerzesi_ar = FormatAmount2(g1 * NetFactor);
    line.netto_eladasi_ar = FormatAmount2(g * NetFactor);
    return line;
}

SqlStatement SinkListStatement(bool vestra, const QString &workId)
{
    const QString range = AsInteger(u"tvr_r_aruhazi_arucikkek.vestra"_s);
    SqlStatement s;
    s.sql = u"select tvr_b_basic_ecorgan_termekek.basic_ecorgan_termek_id, "
            u"coalesce(tvr_r_aruhazi_arucikkek.cikkszam, tvr_b_basic_ecorgan_termekek.cikkszam) as cikkszam, "
            u"tvr_r_aruhazi_arucikkek.megnevezes, tvr_r_aruhazi_arucikkek.meret, "
            u"tvr_b_basic_ecorgan_termekek.mennyiseg, tvr_r_aruhazi_arucikkek.mennyiseg_egyseg, "
            u"tvr_b_basic_ecorgan_termekek.arajanlatkor_brutto_eladasi_ar, "
            u"tvr_b_basic_ecorgan_termekek.arajanlatkor_brutto_egysegar, "
            u"tvr_b_basic_ecorgan_termekek.arajanlatkor_netto_eladasi_ar, "
            u"tvr_b_basic_ecorgan_termekek.rogzites_ideje, "
            u"(case when %1=1 then 'rendelhető' else 'MÁR NEM!' end) as rendelheto_statusz "
            u"from tvr_b_basic_ecorgan_termekek left join tvr_r_aruhazi_arucikkek on "
            u"(tvr_b_basic_ecorgan_termekek.aruhazi_arucikk_id = tvr_r_aruhazi_arucikkek.aruhazi_arucikk_id) "
            u"where tvr_b_basic_ecorgan_termekek.active=1 and "_s.arg(AsInteger(u"tvr_r_aruhazi_arucikkek.active"_s));
    s.sql += vestra ? range + u"=1"_s : u"(%1=0 or tvr_r_aruhazi_arucikkek.aruhazi_arucikk_id is null)"_s.arg(range);
    s.sql += u" and tvr_b_basic_ecorgan_termekek.basic_munka_id=? "
             u"order by tvr_b_basic_ecorgan_termekek.basic_ecorgan_termek_id"_s;
    s.params << workId;
    return s;
}

SqlStatement GlassListStatement(const QString &nameFilter)
{
    SqlStatement s;
    s.sql = u"select uveg_arlista_id, megnevezes, basic_netto_egysegara from tvr_uveg_arlista "
            u"where %1=1 "_s.arg(AsInteger(u"tvr_uveg_arlista.active"_s));
    if (!nameFilter.isEmpty()) {
        s.sql += u" and megnevezes like ? escape '\\' "_s;
        s.params << LikePrefix(nameFilter);
    }
    s.sql += u" order by megnevezes "_s;
    return s;
}

} // namespace tvr

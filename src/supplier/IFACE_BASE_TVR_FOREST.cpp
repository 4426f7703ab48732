#include "supplier/IFACE_BASE_TVR_FOREST.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"

#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tvr
{

bool IsForestArticleNumber(const QString &text)
{
    static const QRegularExpression digits(u"^[0-9]{1,11}$"_s);
    return digits.match(text).hasMatch();
}

std::optional<Ttable_tvr_r_forest_arucikkek> FindForestArticle(TDatabaseConnection &db, const QString &articleNumber)
{
    const auto rows = tvr_r_forest_arucikkek_list(db, u"active=1 and cikkszam=?"_s, {}, {articleNumber});
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

std::optional<double> ParseForestQuantity(const QString &text)
{
    try {
        const double q = ParseAmount(text);
        if (std::isfinite(q) && q > 0)
            return q;
    } catch (const ConversionError &) {
    }
    return std::nullopt;
}

ForestLinePrices PriceForestLine(double quantity, double ownPrice, double priceFactor, double multiplier)
{
    ForestLinePrices p;
    p.unitPrice = ownPrice * priceFactor * multiplier;
    p.unit = FormatAmount2(p.unitPrice);
    p.net = CommaToPoint(FormatAmount2(quantity * p.unitPrice));
    p.gross = CommaToPoint(FormatAmount2(quantity * p.unitPrice * 1.27));
    p.purchase = CommaToPoint(FormatAmount2(quantity * ownPrice));
    return p;
}

Ttable_tvr_b_basic_forest_termekek ForestLine(const Ttable_tvr_r_forest_arucikkek &article, const QString &typedNumber,
                                              const QString &typedQuantity, double priceFactor, double multiplier,
                                              const QString &workId)
{
    const QString quantityText = CommaToPoint(typedQuantity);
    const ForestLinePrices prices =
        PriceForestLine(ParseAmount(quantityText), ParseAmount(article.sajat_ar), priceFactor, multiplier);
    Ttable_tvr_b_basic_forest_termekek line;
    line.forest_arucikk_id = article.forest_arucikk_id;
    line.cikkszam = typedNumber;
    line.mennyiseg = quantityText;
    line.arajanlat_id = QString();
    line.rogzitette = System().CurrentUserId;
    line.rogzites_ideje = NowText();
    line.basic_munka_id = workId;
    line.netto_eladasi_egysegar = CommaToPoint(prices.unit);
    line.netto_eladasi_ar = prices.net;
    line.brutto_eladasi_ar = prices.gross;
    line.netto_beszerzesi_ar = prices.purchase;
    line.csoport = article.csoport;
    line.tipus = article.tipus;
    line.meret = article.meret;
    line.szin = article.szin;
    line.meegys = article.meegys;
    return line;
}

SqlStatement ForestListStatement(const QString &workId)
{
    return {u"select basic_forest_termek_id, cikkszam, csoport, tipus, meret, szin, mennyiseg, meegys, "
            u"brutto_eladasi_ar from tvr_b_basic_forest_termekek where active=1 and basic_munka_id=? "
            u"order by basic_forest_termek_id"_s,
            {workId}};
}

double ForestBrowserPriceFactor(TDatabaseConnection &db)
{
    const auto prices = tvr_dv_egyeb_arak_get(db, u"1"_s);
    if (!prices || prices->forest_kedv.trimmed().isEmpty())
        return 1.0;
    try {
        return (100.0 - ParseAmount(prices->forest_kedv)) / 100.0;
    } catch (const ConversionError &) {
        return 1.0;
    }
}

} // namespace tvr

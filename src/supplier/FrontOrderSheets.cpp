#include "supplier/FrontOrderSheets.h"

#include "supplier/IFACE_EXT_Nettfront.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "supplier/Tnettfront_egyebtermek_megrendelolap_nyomtatott.h"
#include "supplier/Tnettfront_megrendelolap_nyomtatott.h"

using namespace Qt::StringLiterals;

namespace tvr
{

QString PrintedWholeForints(const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return {};
    try {
        return CurrencyText(ParseAmount(stored.trimmed()));
    } catch (const ConversionError &) {
        return stored;
    }
}

TReportBand FrontOrderSheetFooter()
{
    TReportBand footer(u"PageFooterBand"_s, 22);
    const QString dots = u"......................................................."_s;
    const TReportFont caption{8};
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    footer.addText(u"lab_rogzito_vonal"_s, {0, 4, 70, 5}, dots, {9}, centred);
    footer.addText(u"lab_rogzito"_s, {0, 8.5, 70, 4}, u"rögzítő"_s, caption, centred);
    footer.addText(u"lab_vasarlo_vonal"_s, {120, 4, 70, 5}, dots, {9}, centred);
    footer.addText(u"lab_vasarlo"_s, {120, 8.5, 70, 4}, u"vásárló"_s, caption, centred);
    footer.addText(u"lab_oldalszam"_s, {70, 15.5, 50, 4.5}, u"%1/%2. oldal"_s, caption, centred).kind =
        TReportTextKind::PageNumber;
    footer.addText(u"lab_nyomtatva"_s, {0, 15.5, 50, 4.5}, {}, caption).kind = TReportTextKind::PrintDateTime;
    return footer;
}

FrontOrderCustomer ReadFrontOrderCustomer(TDatabaseConnection &db, const QString &orderId)
{
    QStringList values;
    SelectValues(db, u"tvr_arajanlat.megrendelo_neve, tvr_arajanlat.megrendelo_telefonszama"_s,
                 u"tvr_r_nettfront_megrendelesek join tvr_b_basic_munka on ("_s +
                     AsInteger(u"tvr_b_basic_munka.basic_munka_id"_s) + u'=' +
                     AsInteger(u"tvr_r_nettfront_megrendelesek.basic_munka_id"_s) + u") join tvr_arajanlat on ("_s +
                     AsInteger(u"tvr_arajanlat.arajanlat_id"_s) + u'=' +
                     AsInteger(u"tvr_b_basic_munka.arajanlat_id"_s) + u')',
                 u"tvr_arajanlat.arajanlat_id limit 1"_s,
                 AsInteger(u"tvr_r_nettfront_megrendelesek.nettfront_megrendeles_id"_s) + u'=' + AsInteger(u"?"_s),
                 values, {orderId});
    if (values.size() < 2)
        return {};
    return {values.at(0), values.at(1)};
}

bool ComposeFrontOrderSheets(TCompositeReport &document, Tnettfront_megrendelolap_nyomtatott &fronts,
                             Tnettfront_egyebtermek_megrendelolap_nyomtatott &others, const QString &orderId,
                             const FrontOrderCustomer &customer)
{
    document.clear();
    fronts.setCustomerName(customer.name);
    fronts.setTelephone(customer.telephone);
    fronts.setOrderId(orderId);
    if (!fronts.prepare())
        return false;
    bool withOthers = false;
    if (NettfrontOrderHasOtherProducts(fronts.database(), orderId)) {
        others.setOrderId(orderId);
        // A sheet of other products that cannot be read is not printed as if the order had none.
        if (!others.prepare())
            return false;
        withOthers = true;
    }
    document.add(&fronts.report());
    if (withOthers)
        document.add(&others.report());
    return true;
}

} // namespace tvr

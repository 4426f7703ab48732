#include "supplier/FrontOrderSheetPreview.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "platform/report/ReportPreview.h"
#include "shell/TMessageDialog.h"
#include "supplier/FrontOrderSheets.h"
#include "supplier/Tnettfront_egyebtermek_megrendelolap_nyomtatott.h"
#include "supplier/Tnettfront_megrendelolap_nyomtatott.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The long-lived sheet of that class: a direct child of one of the window's ancestors (the main
// window owns them), or of any window of the application.
template <class Sheet> Sheet *FindSheet(QWidget *parent, TDatabaseConnection &db, const QString &name)
{
    auto usable = [&](QWidget *owner) -> Sheet * {
        auto *sheet = owner ? owner->findChild<Sheet *>(name, Qt::FindDirectChildrenOnly) : nullptr;
        return sheet && &sheet->database() == &db ? sheet : nullptr;
    };
    for (QWidget *w = parent; w; w = w->parentWidget())
        if (Sheet *sheet = usable(w))
            return sheet;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (Sheet *sheet = usable(w))
            return sheet;
    return nullptr;
}

} // namespace

bool ShowFrontOrderSheet(QWidget *parent, TDatabaseConnection &db, const QString &orderId)
{
    bool shown = false;
    runAction([&] {
        QStringList found;
        if (!SelectValues(db, u"nettfront_megrendeles_id"_s, u"tvr_r_nettfront_megrendelesek"_s, {},
                          AsInteger(u"nettfront_megrendeles_id"_s) + u'=' + AsInteger(u"?"_s), found, {orderId}))
            return;
        if (found.isEmpty()) {
            ShowMessage(u"A frontrendelés nem található, ezért a megrendelőlap nem nyomtatható."_s, parent);
            return;
        }

        std::unique_ptr<Tnettfront_megrendelolap_nyomtatott> ownFronts;
        std::unique_ptr<Tnettfront_egyebtermek_megrendelolap_nyomtatott> ownOthers;
        auto *fronts =
            FindSheet<Tnettfront_megrendelolap_nyomtatott>(parent, db, u"Tnettfront_megrendelolap_nyomtatott"_s);
        auto *others = FindSheet<Tnettfront_egyebtermek_megrendelolap_nyomtatott>(
            parent, db, u"Tnettfront_egyebtermek_megrendelolap_nyomtatott"_s);
        if (!fronts) {
            ownFronts = std::make_unique<Tnettfront_megrendelolap_nyomtatott>(db);
            fronts = ownFronts.get();
        }
        if (!others) {
            ownOthers = std::make_unique<Tnettfront_egyebtermek_megrendelolap_nyomtatott>(db);
            others = ownOthers.get();
        }

        TCompositeReport document;
        if (!ComposeFrontOrderSheets(document, *fronts, *others, orderId, ReadFrontOrderCustomer(db, orderId)))
            return;
        const TReportPages pages = LayOutReports(document);
        shown = true;
        ShowReportPreview(
            parent, pages, u"Ajtófront megrendelőlap"_s,
            u"frontrendeles_%1.pdf"_s.arg(QString(orderId).remove(QRegularExpression(u"[^0-9A-Za-z_-]"_s))));
    });
    return shown;
}

} // namespace tvr

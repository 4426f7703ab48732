#include "transfer/OrderSending.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/InstallationSettings.h"
#include "shell/TMessageDialog.h"
#include "shell/TQuoteListPages.h"
#include "transfer/IFACE_EXT_TVR.h"
#include "transfer/Tmegrendeles_kesz.h"
#include "transfer/Tpartnerkod_bevitel.h"

using namespace Qt::StringLiterals;

namespace tvr
{

void SendOrder(QWidget *mainWindow, TDatabaseConnection &db, const QString &quoteId)
{
    // The partner code names the file: without it nothing is written.
    QString code = InstallationSetting(db, PartnerCodeSetting());
    if (!IsValidPartnerCode(code)) {
        Tpartnerkod_bevitel dialog(db, mainWindow);
        dialog.exec();
        if (dialog.cancelled()) {
            ShowMessage(u"A partnerkód megadása nélkül a rendelési fájl nem készíthető el: a rendelés NEM ment el a "
                        u"Dorvat Kft.-hez."_s,
                        mainWindow);
            return;
        }
        code = dialog.partnerCode();
    }
    System().PartnerCode = code;

    const OrderFileResult file = ExportOrderFile(db, quoteId);
    if (!file.ok) {
        if (file.statementFailed)
            ReportError(file.message, file.detail);
        else
            ShowMessage(file.message, mainWindow);
        return;
    }
    Tmegrendeles_kesz upload(db, db.folder(), mainWindow);
    upload.setOrderFile(file.path);
    upload.setQuoteId(quoteId);
    upload.exec();
}

void InstallOrderSender()
{
    TQuoteListPages::SetOrderSender(&SendOrder);
}

} // namespace tvr

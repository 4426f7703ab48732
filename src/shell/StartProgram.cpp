#include "shell/StartProgram.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "kitchen/Tdorvatbasic_bevitel.h"
#include "shell/TErrorDialog.h"
#include "shell/TMainForm.h"
#include "supplier/Tnettfront_egyebtermek_megrendelolap_nyomtatott.h"
#include "supplier/Tnettfront_megrendelolap_nyomtatott.h"
#include "transfer/OrderSending.h"

using namespace Qt::StringLiterals;

namespace tvr
{

StartOptions ParseStartOptions(const QStringList &arguments)
{
    StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == u"--data-dir" && i + 1 < arguments.size())
            options.dataDir = arguments.at(++i);
        else if (a.startsWith(u"--data-dir="_s))
            options.dataDir = a.mid(11);
    }
    return options;
}

std::unique_ptr<TMainForm> startProgram(const StartOptions &options)
{
    SetClock(options.clock);
    // "MEGRENDELEM!" writes the order file and sends it to the manufacturer.
    InstallOrderSender();
    const DataFolder folder(options.dataDir.isEmpty() ? DataFolder::DefaultRoot() : options.dataDir);

    // The editors of the quote types this program holds.
    Tdorvatbasic_bevitel::Register();

    auto mainForm = std::make_unique<TMainForm>();
    auto *errorDialog = new TErrorDialog(mainForm.get());
    InstallAsErrorReporter(errorDialog);
    try {
        auto *connection = new TDatabaseConnection(folder, mainForm.get());
        mainForm->setServices(connection, folder);
        // The front order sheets, kept for every print of the run.
        new Tnettfront_megrendelolap_nyomtatott(*connection, mainForm.get());
        new Tnettfront_egyebtermek_megrendelolap_nyomtatott(*connection, mainForm.get());
    } catch (const TvrError &e) {
        errorDialog->showError(e.message(), e.detail());
        return nullptr;
    }
    return mainForm;
}

} // namespace tvr

#pragma once
// What main() does, callable from tests: the data folder, the clock, the editors and the order
// sender of the quote list, and the long-lived objects in their fixed order (main window, error
// dialog, database connection, front order sheets).

#include "common/CN_CommonDateFunctions.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace tvr
{

class TMainForm;

struct StartOptions {
    QString dataDir;     // empty: TVR_DATA_DIR, else the default folder
    ClockFunction clock; // empty: the computer's clock
};

// --data-dir DIR (or --data-dir=DIR) from the program's arguments.
StartOptions ParseStartOptions(const QStringList &arguments);

// Creates the long-lived objects in order and returns the main window, which owns the error
// dialog (objectName "TErrorDialog"), the connection ("TDatabaseConnection") and the two front
// order sheets ("Tnettfront_megrendelolap_nyomtatott", "Tnettfront_egyebtermek_megrendelolap_nyomtatott").
// When the database cannot be opened the error dialog says why and nothing is returned: the
// program ends.
std::unique_ptr<TMainForm> startProgram(const StartOptions &options);

} // namespace tvr

#pragma once
// "MEGRENDELEM!" for a kitchen-system quote: asks for the partner code once when it is missing,
// writes the order file and, when the file is whole, sends it in the upload window. Every refusal
// and failure is shown; nothing is sent when the file could not be made.

#include <QString>

class QWidget;

namespace tvr
{

class TDatabaseConnection;

void SendOrder(QWidget *mainWindow, TDatabaseConnection &db, const QString &quoteId);

// Makes SendOrder the quote list's order sender (startProgram does it).
void InstallOrderSender();

} // namespace tvr

#pragma once
// The printed sheets of a front order, shown in the print preview from which the joiner prints
// them or saves them as a PDF file.

#include <QString>

class QWidget;

namespace tvr
{

class TDatabaseConnection;

// Lays out the order's sheets (the fronts, then the other products when it has any) with the
// customer of its kitchen work, and shows them in the modal print preview. Uses the long-lived
// sheets created at program start (found by object name among the window's ancestors and the
// application's windows) when they work on this connection. A missing order is answered with a
// message. Returns true when the preview was shown.
bool ShowFrontOrderSheet(QWidget *parent, TDatabaseConnection &db, const QString &orderId);

} // namespace tvr

#pragma once
// How the main window opens the editor of a quote: by its type (1 kitchen system, 2 furniture
// lines, 3 other furniture), each editor shown modally with what the main window hands it. The
// editors register themselves here; a type whose editor is not part of this build says so.

#include <QPoint>
#include <QString>

#include <functional>

class QWidget;

namespace tvr
{

class TDatabaseConnection;

struct EditorRequest {
    QString quoteType;         // "1", "2" or "3"
    QString quoteId;           // arajanlat_id
    bool existing = false;     // an existing quote (else one just created)
    QString workId;            // type 1, existing: basic_munka_id of the quote's first active work record (or empty)
    QPoint mainWindowPosition; // type 2, existing: the main window's left and top
};

// Shows the editor modally and returns when it is closed.
using EditorOpener = std::function<void(QWidget *mainWindow, TDatabaseConnection &db, const EditorRequest &request)>;

// Installs the editor of a quote type; returns the one it replaces (tests put theirs back).
EditorOpener RegisterEditor(const QString &quoteType, EditorOpener opener);

// The list text of a quote type ("DORVAT BASIC konyharendszer", ...).
QString QuoteTypeText(const QString &quoteType);

// Opens the editor of the quote by the rules of the main window: an existing kitchen quote with
// its first active work record (none when it has no work yet: the editor then creates it), the
// main window hidden while an existing furniture-line quote is edited. Returns false when no editor
// was shown.
bool OpenQuoteEditor(QWidget *mainWindow, TDatabaseConnection &db, const QString &quoteType, const QString &quoteId,
                     bool existing);

} // namespace tvr

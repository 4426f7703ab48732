#pragma once
// Small operations on widgets shared by every screen.

#include <QColor>
#include <QString>

class QLineEdit;
class QWidget;

namespace tvr
{

// Puts the caret after the last character of the field, nothing selected.
void CaretToEnd(QLineEdit *edit);

// The colours of a status panel: green with the success text, blue with any other message. Both
// carry white text.
QColor StatusSuccessColour();
QColor StatusMessageColour();

// Paints the panel green with successText when success, otherwise blue with message. The panel is a
// QLabel (which shows the text itself) or any other widget whose first direct child QLabel shows
// it. The colours are set through the panel's palette, so the panel must not carry a style sheet.
void ShowStatus(QWidget *panel, bool success, const QString &successText, const QString &message);

// Moves the window to the middle of the available area of its screen (the dialogs of the program
// appear centred on the screen, not on their parent).
void CenterOnScreen(QWidget *window);

} // namespace tvr

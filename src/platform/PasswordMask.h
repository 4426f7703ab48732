#pragma once
// Password fields that show a chosen character for every typed one. Qt draws the platform's
// bullet; the password field of the main window shows X, as its users are used to.

#include <QChar>

class QLineEdit;

namespace tvr
{

// Puts the field in password mode showing mask for each character (no delayed reveal of the last
// typed character). The field's own style, a proxy of the application style, is its child.
void SetPasswordMaskCharacter(QLineEdit *edit, QChar mask);

} // namespace tvr

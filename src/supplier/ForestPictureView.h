#pragma once
// Showing a Forest article's picture file in a panel of a window.

#include <QString>

class QLabel;
class QWidget;

namespace tvr
{

// Shows the picture file scaled into the picture label (its minimum size) and shows the panel; hides
// the panel when there is no file or it is not a readable picture. True when a picture is shown.
bool ShowPictureFile(QWidget *panel, QLabel *picture, const QString &file);

} // namespace tvr

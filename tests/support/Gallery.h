#pragma once
// The gallery: pictures of the windows, for reviewing their look.

#include <QString>

class QImage;
class QWidget;

namespace tvr::test
{

// The gallery folder: $TVR_GALLERY_DIR, or "gallery" in the working folder when it is not set.
QString GalleryDir();

// Renders the widget (QWidget::grab) into GalleryDir()/name.png, creating the folder. Returns the
// file's path, or an empty text when it could not be written.
QString SaveToGallery(QWidget *widget, const QString &name);
// Saves a picture (a printed page, for instance) the same way.
QString SaveToGallery(const QImage &image, const QString &name);

} // namespace tvr::test

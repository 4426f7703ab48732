#include "support/Gallery.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace tvr::test
{

QString GalleryDir()
{
    const QString configured = qEnvironmentVariable("TVR_GALLERY_DIR");
    return configured.isEmpty() ? QDir::current().filePath(u"gallery"_s) : configured;
}

QString SaveToGallery(QWidget *widget, const QString &name)
{
    if (!widget)
        return {};
    const QDir dir(GalleryDir());
    if (!dir.mkpath(u"."_s))
        return {};
    const QString path = dir.filePath(name + u".png"_s);
    return widget->grab().save(path, "PNG") ? path : QString();
}

QString SaveToGallery(const QImage &image, const QString &name)
{
    const QDir dir(GalleryDir());
    if (image.isNull() || !dir.mkpath(u"."_s))
        return {};
    const QString path = dir.filePath(name + u".png"_s);
    return image.save(path, "PNG") ? path : QString();
}

} // namespace tvr::test

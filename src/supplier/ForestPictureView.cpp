#include "supplier/ForestPictureView.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace tvr
{

bool ShowPictureFile(QWidget *panel, QLabel *picture, const QString &file)
{
    QPixmap pixmap;
    if (!file.isEmpty() && QFileInfo::exists(file))
        pixmap.load(file);
    if (pixmap.isNull()) {
        panel->hide();
        picture->clear();
        return false;
    }
    picture->setPixmap(pixmap.scaled(picture->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->show();
    panel->show();
    return true;
}

} // namespace tvr

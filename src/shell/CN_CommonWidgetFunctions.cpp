#include "shell/CN_CommonWidgetFunctions.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace tvr
{

void CaretToEnd(QLineEdit *edit)
{
    if (!edit)
        return;
    edit->deselect();
    edit->end(false);
}

QColor StatusSuccessColour()
{
    return QColor(0x00, 0x80, 0x00);
}

QColor StatusMessageColour()
{
    return QColor(0x00, 0x00, 0xff);
}

void ShowStatus(QWidget *panel, bool success, const QString &successText, const QString &message)
{
    if (!panel)
        return;
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, success ? StatusSuccessColour() : StatusMessageColour());
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);

    auto *label = qobject_cast<QLabel *>(panel);
    if (!label)
        label = panel->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    if (label)
        label->setText(success ? successText : message);
    panel->update();
}

void CenterOnScreen(QWidget *window)
{
    if (!window)
        return;
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(available.x() + (available.width() - size.width()) / 2,
                 available.y() + (available.height() - size.height()) / 2);
}

} // namespace tvr

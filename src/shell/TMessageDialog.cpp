#include "shell/TMessageDialog.h"

#include "platform/Pictures.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "ui_TMessageDialog.h"

#include <QPointer>
#include <QShowEvent>

namespace tvr
{

TMessageDialog::TMessageDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::TMessageDialog>())
{
    m_ui->setupUi(this);
    m_ui->Image1->setPixmap(InformationPixmap(36));
    // Escape rejects through QDialog itself.
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

TMessageDialog::~TMessageDialog() = default;

void TMessageDialog::setText(const QString &text)
{
    m_ui->message_label->setText(text);
    adjustSize();
}

QString TMessageDialog::text() const
{
    return m_ui->message_label->text();
}

void TMessageDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CenterOnScreen(this);
}

void ShowMessage(const QString &text, QWidget *parent)
{
    // On the heap behind a guard: should the parent die while the message is open, it takes the
    // dialog with it and the guard notices.
    QPointer<TMessageDialog> dialog = new TMessageDialog(parent);
    dialog->setText(text);
    dialog->exec();
    delete dialog;
}

} // namespace tvr

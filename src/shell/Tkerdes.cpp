#include "shell/Tkerdes.h"

#include "platform/Pictures.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "ui_Tkerdes.h"

#include <QPointer>
#include <QShowEvent>

namespace tvr
{

Tkerdes::Tkerdes(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::Tkerdes>())
{
    m_ui->setupUi(this);
    m_ui->Image1->setPixmap(QuestionPixmap(36));
    connect(m_ui->igen, &QPushButton::clicked, this, [this] {
        m_answer = true;
        accept();
    });
    connect(m_ui->nem, &QPushButton::clicked, this, [this] {
        m_answer = false;
        reject();
    });
}

Tkerdes::~Tkerdes() = default;

void Tkerdes::setQuestion(const QString &question)
{
    m_ui->kerdeslabel->setText(question);
    adjustSize();
}

QString Tkerdes::question() const
{
    return m_ui->kerdeslabel->text();
}

void Tkerdes::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CenterOnScreen(this);
}

bool AskQuestion(const QString &question, QWidget *parent)
{
    QPointer<Tkerdes> dialog = new Tkerdes(parent);
    dialog->setQuestion(question);
    dialog->exec();
    const bool yes = dialog && dialog->answer();
    delete dialog;
    return yes;
}

} // namespace tvr

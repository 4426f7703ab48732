#include "shell/TErrorDialog.h"

#include "common/CN_CommonErrorFunctions.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "ui_TErrorDialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QShowEvent>
#include <QThread>

namespace tvr
{

TErrorDialog::TErrorDialog(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::TErrorDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TErrorDialog::~TErrorDialog() = default;

void TErrorDialog::setTexts(const QString &message, const QString &detail)
{
    m_ui->ErrorMessage->setText(message);
    m_ui->ErrorDetail->setPlainText(detail);
    m_ui->ErrorDetail->setVisible(!detail.isEmpty());
    adjustSize();
}

void TErrorDialog::showError(const QString &message, const QString &detail)
{
    if (isVisible()) {
        QPointer<TErrorDialog> nested = new TErrorDialog(parentWidget());
        nested->showError(message, detail);
        delete nested;
        return;
    }
    setTexts(message, detail);
    m_ui->Button1->setFocus();
    exec();
    if (message == FatalErrorMessage())
        EndProgram();
}

QString TErrorDialog::message() const
{
    return m_ui->ErrorMessage->text();
}

QString TErrorDialog::detail() const
{
    return m_ui->ErrorDetail->toPlainText();
}

void TErrorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CenterOnScreen(this);
}

void InstallAsErrorReporter(TErrorDialog *dialog)
{
    const QPointer<TErrorDialog> guard(dialog);
    SetErrorReporter([guard](const QString &message, const QString &detail) {
        if (!guard) {
            qWarning("%s\n%s", qUtf8Printable(message), qUtf8Printable(detail));
            return;
        }
        if (QThread::currentThread() == guard->thread()) {
            guard->showError(message, detail);
            return;
        }
        // A worker must not open a window, nor wait for the user while it may hold the connection.
        QMetaObject::invokeMethod(
            guard.data(),
            [guard, message, detail] {
                if (guard)
                    guard->showError(message, detail);
            },
            Qt::QueuedConnection);
    });
    SetProgramEnder([] { QCoreApplication::exit(1); });
}

} // namespace tvr

#include "support/ModalHelper.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace tvr::test
{

namespace
{

int g_pending = 0;
int g_missed = 0;

struct Answer {
    QString objectName;
    std::function<void(QWidget *)> act;
    int triesLeft = AnswerModalTries;
};

void CloseIfOpen(const QPointer<QWidget> &dialog)
{
    if (!dialog || !dialog->isVisible())
        return;
    if (auto *asDialog = qobject_cast<QDialog *>(dialog.data()))
        asDialog->reject();
    else
        dialog->close();
}

void Attempt(const std::shared_ptr<Answer> &answer)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != answer->objectName) {
        if (--answer->triesLeft > 0) {
            QTimer::singleShot(AnswerModalRetryIntervalMs, qApp, [answer] { Attempt(answer); });
            return;
        }
        --g_pending;
        ++g_missed;
        const QByteArray message = "AnswerModal: no modal dialog named \"" + answer->objectName.toUtf8() +
                                   "\" appeared (active modal: \"" +
                                   (modal ? modal->objectName().toUtf8() : QByteArray("none")) + "\")";
        // Whatever dialog is open instead would keep the test waiting forever: close it too.
        CloseIfOpen(modal);
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        return;
    }

    --g_pending;
    const QPointer<QWidget> dialog(modal);
    try {
        answer->act(modal);
    } catch (...) {
        CloseIfOpen(dialog);
        QTest::qFail("AnswerModal: the answer threw an exception", __FILE__, __LINE__);
        return;
    }
    CloseIfOpen(dialog);
}

} // namespace

void AnswerModal(const QString &objectName, std::function<void(QWidget *)> act)
{
    AnswerModal(objectName, std::move(act), AnswerModalTries * AnswerModalRetryIntervalMs);
}

void AnswerModal(const QString &objectName, std::function<void(QWidget *)> act, int waitMs)
{
    auto answer = std::make_shared<Answer>();
    answer->objectName = objectName;
    answer->act = std::move(act);
    answer->triesLeft = std::max(1, waitMs / AnswerModalRetryIntervalMs);
    ++g_pending;
    QTimer::singleShot(AnswerModalFirstLookMs, qApp, [answer] { Attempt(answer); });
}

int PendingModalAnswers()
{
    return g_pending;
}

bool AllModalsAnswered()
{
    return g_pending == 0 && g_missed == 0;
}

void ResetModalAnswers()
{
    g_missed = 0;
}

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const int key = c.isLetterOrNumber() && c.unicode() < 0x80 ? c.toUpper().unicode() : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

QString FocusedName()
{
    const QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void Press(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focused = QApplication::focusWidget();
    QVERIFY2(focused, "nothing has the focus");
    QTest::keyClick(focused, Qt::Key(key), modifiers);
}

bool ShowActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

bool Reactivate(QWidget &window)
{
    window.activateWindow();
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }, 5000);
}

void ExpectMessage(QString *text)
{
    AnswerModal(QStringLiteral("TMessageDialog"), [text](QWidget *dialog) {
        *text = FindNamed<QLabel>(dialog, QStringLiteral("message_label"))->text();
        FindNamed<QPushButton>(dialog, QStringLiteral("BitBtn1"))->click();
    });
}

void AnswerQuestion(bool yes, QString *question)
{
    AnswerModal(QStringLiteral("Tkerdes"), [yes, question](QWidget *dialog) {
        if (question)
            *question = FindNamed<QLabel>(dialog, QStringLiteral("kerdeslabel"))->text();
        FindNamed<QPushButton>(dialog, yes ? QStringLiteral("igen") : QStringLiteral("nem"))->click();
    });
}

} // namespace tvr::test

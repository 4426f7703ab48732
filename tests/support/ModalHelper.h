#pragma once
// Answering modal dialogs in window tests. A modal dialog runs its own event loop, so the test
// queues the answer before the action that opens the dialog:
//
//     AnswerModal(u"Tkerdes"_s, [](QWidget *dialog) {
//         QCOMPARE(dialog->findChild<QLabel *>(u"kerdeslabel"_s)->text(), u"Kilép a programból?"_s);
//         QTest::mouseClick(dialog->findChild<QPushButton *>(u"nem"_s), Qt::LeftButton);
//     });
//     QTest::mouseClick(form.findChild<QPushButton *>(u"btn_kilepes"_s), Qt::LeftButton);
//     QVERIFY(AllModalsAnswered());
//
// QtTest macros may be used inside the answer; a failed check returns from it, and the dialog is
// closed anyway (rejected), so a failure never leaves a dialog open.

#include <QString>
#include <Qt>
#include <QtGlobal>

#include <functional>

#include <QWidget>

namespace tvr::test
{

// How often and how long AnswerModal looks for its dialog. The first look comes as soon as an event
// loop runs (in practice inside the dialog's own loop). It is a 1 ms timer rather than a zero-delay
// call: a zero-delay call is a posted event, and a posted event queued before the one whose handler
// opens the dialog may be held back until that handler returns (after the dialog closed), while a
// timer fires in any running loop.
inline constexpr int AnswerModalFirstLookMs = 1;
inline constexpr int AnswerModalTries = 500;
inline constexpr int AnswerModalRetryIntervalMs = 10;

// Queues act for the modal dialog whose objectName is objectName: when
// QApplication::activeModalWidget() is that dialog, act runs with it, and afterwards the dialog is
// closed (rejected) if act left it open. A dialog that does not appear within the tries is a test
// failure.
void AnswerModal(const QString &objectName, std::function<void(QWidget *)> act);
// The same for a dialog that may take longer to come (a network wait before it): looks for it
// for waitMs.
void AnswerModal(const QString &objectName, std::function<void(QWidget *)> act, int waitMs);

// Answers queued by AnswerModal that have not run yet (neither acted nor given up).
int PendingModalAnswers();
// True when every queued answer has run and found its dialog.
bool AllModalsAnswered();
// Forgets the given-up answers (for the next test function).
void ResetModalAnswers();

// Types text into the widget key by key, accented letters included (QTest::keyClicks takes Latin-1
// only).
void TypeText(QWidget *widget, const QString &text);

// The objectName of the widget that has the focus (empty when none has).
QString FocusedName();
// Presses key where the focus is, as the keyboard would.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Shows a window and waits until it is the active one.
bool ShowActive(QWidget &window);
// Makes the window active again and waits for it. The offscreen platform does not give the focus
// back to a window after a message box on it closed (a desktop does); the focus the window set for
// itself shows once it is active again.
bool Reactivate(QWidget &window);

// The child widget of that objectName; the test stops (qFatal) when there is none.
template <class T = QWidget> T *FindNamed(const QWidget *parent, const QString &objectName)
{
    T *found = parent->findChild<T *>(objectName);
    if (!found)
        qFatal("no widget named %s", qPrintable(objectName));
    return found;
}

// Queues the answer of the next message box ("OK") and of the next yes/no question, recording
// their texts.
void ExpectMessage(QString *text);
void AnswerQuestion(bool yes, QString *question = nullptr);

} // namespace tvr::test

// The window-test helper itself: an answer finds its dialog, closes it on every path (a failed
// check, an exception, a dialog that never comes) and answers dialogs opened from an answer.

#include "shell/TMessageDialog.h"
#include "shell/Tkerdes.h"
#include "support/ModalHelper.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

class ModalHelperTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetModalAnswers(); }
    void cleanup() { QVERIFY(!QApplication::activeModalWidget()); }

    void answerActsOnTheNamedDialog();
    void failedCheckStillClosesTheDialog();
    void exceptionStillClosesTheDialog();
    void missingDialogIsAFailureAndTheOpenOneIsClosed();
    void answersDialogsOpenedFromAnAnswer();
    void typesAccentedText();
};

void ModalHelperTest::answerActsOnTheNamedDialog()
{
    QWidget *seen = nullptr;
    AnswerModal(u"Tkerdes"_s, [&](QWidget *dialog) {
        seen = dialog;
        QCOMPARE(PendingModalAnswers(), 0);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"igen"_s), Qt::LeftButton);
    });
    QCOMPARE(PendingModalAnswers(), 1);
    QVERIFY(AskQuestion(u"Menti?"_s));
    QVERIFY(seen);
    QVERIFY(AllModalsAnswered());
}

void ModalHelperTest::failedCheckStillClosesTheDialog()
{
    int closedWith = -100;
    Tkerdes question;
    AnswerModal(u"Tkerdes"_s, [](QWidget *) {
        QEXPECT_FAIL("", "a check failing inside the answer", Continue);
        QVERIFY(false);
    });
    closedWith = question.exec();
    QCOMPARE(closedWith, int(QDialog::Rejected));
    QVERIFY(!question.isVisible());
    QVERIFY(AllModalsAnswered());
}

void ModalHelperTest::exceptionStillClosesTheDialog()
{
    Tkerdes question;
    QEXPECT_FAIL("", "the answer throws", Continue);
    AnswerModal(u"Tkerdes"_s, [](QWidget *) { throw std::runtime_error("hiba"); });
    QCOMPARE(question.exec(), int(QDialog::Rejected));
    QVERIFY(!question.isVisible());
}

void ModalHelperTest::missingDialogIsAFailureAndTheOpenOneIsClosed()
{
    // The answer waits for a dialog that never comes; the one that is open instead gets closed when
    // the answer gives up, so the test ends instead of hanging.
    Tkerdes question;
    QEXPECT_FAIL("", "no such dialog", Continue);
    AnswerModal(u"Nincs_ilyen"_s, [](QWidget *) {});
    QCOMPARE(question.exec(), int(QDialog::Rejected));
    QVERIFY(!AllModalsAnswered());
    QCOMPARE(PendingModalAnswers(), 0);
}

void ModalHelperTest::answersDialogsOpenedFromAnAnswer()
{
    // Both answers queued up front; the second dialog opens from inside the first answer.
    QString message;
    AnswerModal(u"Tkerdes"_s, [&](QWidget *dialog) {
        ShowMessage(u"Előbb mentse a munkát!"_s, dialog);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"nem"_s), Qt::LeftButton);
    });
    AnswerModal(u"TMessageDialog"_s, [&](QWidget *dialog) {
        message = dialog->findChild<QLabel *>(u"message_label"_s)->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    });
    QVERIFY(!AskQuestion(u"Kilép a programból?"_s));
    QCOMPARE(message, u"Előbb mentse a munkát!"_s);
    QVERIFY(AllModalsAnswered());
}

void ModalHelperTest::typesAccentedText()
{
    QLineEdit edit;
    TypeText(&edit, u"Árvíztűrő tükörfúrógép 12,5"_s);
    QCOMPARE(edit.text(), u"Árvíztűrő tükörfúrógép 12,5"_s);
}

QTEST_MAIN(ModalHelperTest)
#include "test_modal_helper.moc"

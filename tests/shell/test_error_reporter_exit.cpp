// The installed error dialog ends the program for real: closing the fatal message leaves every
// running event loop with exit code 1. This runs in a process of its own, because once the
// application has been told to exit no later event loop of the process would run.

#include "common/CN_CommonErrorFunctions.h"
#include "shell/TErrorDialog.h"
#include "support/ModalHelper.h"

#include <QEventLoop>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

class ErrorReporterExitTest : public QObject
{
    Q_OBJECT

private slots:
    void fatalErrorInANestedLoopQuitsEveryLoop();
};

void ErrorReporterExitTest::fatalErrorInANestedLoopQuitsEveryLoop()
{
    TErrorDialog dialog;
    InstallAsErrorReporter(&dialog);
    QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);

    // The application's loop (the program) -> an inner loop (a modal editor) -> the action fails
    // fatally. QCoreApplication::exit acts only while the application's own loop runs, as it does
    // in the program, so that loop is run here too.
    QEventLoop inner;
    int innerResult = -100;
    bool actionCompleted = true;
    bool dialogShown = false;
    const auto failingAction = [&] {
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
            dialogShown = true;
            QTest::mouseClick(shown->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        });
        actionCompleted = runAction([] { FailFatally(u"a kulcs nem olvasható"_s); });
    };
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(0, qApp, failingAction);
        innerResult = inner.exec();
    });
    // A safety net: if exiting failed, this ends the loops with a code the test rejects.
    QTimer::singleShot(60000, qApp, [&] {
        inner.exit(-1);
        QCoreApplication::exit(-1);
    });
    const int outerResult = QCoreApplication::exec();

    QVERIFY(dialogShown);
    QCOMPARE(dialog.message(), FatalErrorMessage());
    QCOMPARE(dialog.detail(), u"a kulcs nem olvasható"_s);
    QVERIFY(!actionCompleted);
    QCOMPARE(innerResult, 1);
    QCOMPARE(outerResult, 1);
    QCOMPARE(aboutToQuit.count(), 1);
}

QTEST_MAIN(ErrorReporterExitTest)
#include "test_error_reporter_exit.moc"

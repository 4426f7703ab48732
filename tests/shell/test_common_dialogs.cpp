// The shared dialogs (error, message, question) driven as a user would, and the widget helpers.

#include "common/CN_CommonErrorFunctions.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TErrorDialog.h"
#include "shell/TMessageDialog.h"
#include "shell/Tkerdes.h"
#include "support/ModalHelper.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <functional>
#include <thread>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

// How a test closes a dialog.
enum class Close { Button, Escape };

void CloseDialog(QWidget *dialog, const QString &buttonName, Close how)
{
    if (how == Close::Escape) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    auto *button = dialog->findChild<QPushButton *>(buttonName);
    QVERIFY2(button, qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton);
}

bool IsRed(const QColor &colour)
{
    return colour.red() >= 150 && colour.green() <= 80 && colour.blue() <= 80;
}

} // namespace

Q_DECLARE_METATYPE(Close)

class CommonDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorDialogShowsDetailOnlyWhenGiven_data();
    void errorDialogShowsDetailOnlyWhenGiven();
    void closingTheFatalMessageEndsTheProgram_data();
    void closingTheFatalMessageEndsTheProgram();
    void reportedErrorsShowInTheInstalledDialog();
    void failedActionShowsItsMessageAndDetail();
    void errorWhileTheDialogIsOpenOpensASecondOne();
    void errorFromAWorkerThreadShowsOnTheWindowThread();

    void messageDialogClosesOnOkAndEscape_data();
    void messageDialogClosesOnOkAndEscape();

    void questionStartsAsNo();
    void questionAnswers_data();
    void questionAnswers();

    void dialogsAppearCentredOnTheScreen_data();
    void dialogsAppearCentredOnTheScreen();

    void caretToEnd_data();
    void caretToEnd();
    void showStatus_data();
    void showStatus();

private:
    ErrorReporter m_savedReporter;
    ProgramEnder m_savedEnder;
    int m_programEnds = 0;

    void installRecordingEnder()
    {
        SetProgramEnder([this] { ++m_programEnds; });
    }
};

void CommonDialogsTest::init()
{
    ResetModalAnswers();
    m_programEnds = 0;
    m_savedReporter = SetErrorReporter({});
    m_savedEnder = SetProgramEnder({});
}

void CommonDialogsTest::cleanup()
{
    SetErrorReporter(m_savedReporter);
    SetProgramEnder(m_savedEnder);
    QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run");
    QVERIFY(!QApplication::activeModalWidget());
}

void CommonDialogsTest::errorDialogShowsDetailOnlyWhenGiven_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("detail");
    QTest::newRow("no detail") << u"Hiba történt a művelet során!"_s << QString();
    QTest::newRow("statement") << u"Hiba történt a művelet során!"_s
                               << u"insert into tvr_arajanlat (megrendelo_neve) values (\"Kovács Ödön\");"_s;
    QTest::newRow("multi-line") << u"Árvíztűrő tükörfúrógép"_s << u"első sor\nmásodik sor"_s;
}

void CommonDialogsTest::errorDialogShowsDetailOnlyWhenGiven()
{
    QFETCH(QString, message);
    QFETCH(QString, detail);
    installRecordingEnder();
    TErrorDialog dialog;
    QCOMPARE(dialog.objectName(), u"TErrorDialog"_s);

    bool seen = false;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
        seen = true;
        QCOMPARE(shown, &dialog);
        QCOMPARE(shown->windowTitle(), u"Hiba"_s);
        auto *label = shown->findChild<QLabel *>(u"ErrorMessage"_s);
        auto *box = shown->findChild<QPlainTextEdit *>(u"ErrorDetail"_s);
        QVERIFY(label && box);
        QCOMPARE(label->text(), message);
        QVERIFY(IsRed(label->palette().color(QPalette::WindowText)));
        QVERIFY(label->font().bold());
        QCOMPARE(box->isVisible(), !detail.isEmpty());
        QCOMPARE(box->toPlainText(), detail);
        QVERIFY(box->isReadOnly());
        CloseDialog(shown, u"Button1"_s, Close::Button);
    });
    dialog.showError(message, detail);

    QVERIFY(seen);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_programEnds, 0);
}

void CommonDialogsTest::closingTheFatalMessageEndsTheProgram_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<Close>("how");
    QTest::addColumn<int>("ends");
    QTest::newRow("fatal, OK") << FatalErrorMessage() << Close::Button << 1;
    QTest::newRow("fatal, Escape") << FatalErrorMessage() << Close::Escape << 1;
    QTest::newRow("ordinary, OK") << OperationFailedMessage() << Close::Button << 0;
    QTest::newRow("fatal text and more") << FatalErrorMessage() + u" "_s << Close::Button << 0;
}

void CommonDialogsTest::closingTheFatalMessageEndsTheProgram()
{
    QFETCH(QString, message);
    QFETCH(Close, how);
    QFETCH(int, ends);
    installRecordingEnder();
    TErrorDialog dialog;

    int endsWhileOpen = -1;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
        endsWhileOpen = m_programEnds;
        CloseDialog(shown, u"Button1"_s, how);
    });
    dialog.showError(message, u"részletek"_s);

    QCOMPARE(endsWhileOpen, 0); // ends on closing, not on showing
    QCOMPARE(m_programEnds, ends);
}

void CommonDialogsTest::reportedErrorsShowInTheInstalledDialog()
{
    TErrorDialog dialog;
    InstallAsErrorReporter(&dialog);
    installRecordingEnder();

    QString shownMessage;
    QString shownDetail;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
        QCOMPARE(shown, &dialog);
        shownMessage = shown->findChild<QLabel *>(u"ErrorMessage"_s)->text();
        shownDetail = shown->findChild<QPlainTextEdit *>(u"ErrorDetail"_s)->toPlainText();
        CloseDialog(shown, u"Button1"_s, Close::Button);
    });
    ReportError(OperationFailedMessage(), u"delete from tvr_users where user_id=\"7\";"_s);

    QCOMPARE(shownMessage, OperationFailedMessage());
    QCOMPARE(shownDetail, u"delete from tvr_users where user_id=\"7\";"_s);
    QCOMPARE(m_programEnds, 0);
}

void CommonDialogsTest::failedActionShowsItsMessageAndDetail()
{
    TErrorDialog dialog;
    InstallAsErrorReporter(&dialog);
    installRecordingEnder();

    QString shownMessage;
    bool detailVisible = false;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
        shownMessage = dialog.message();
        detailVisible = shown->findChild<QPlainTextEdit *>(u"ErrorDetail"_s)->isVisible();
        CloseDialog(shown, u"Button1"_s, Close::Button);
    });
    const bool completed = runAction([] { throw SqlError(OperationFailedMessage(), u"select 1;"_s); });

    QVERIFY(!completed);
    QCOMPARE(shownMessage, OperationFailedMessage());
    QVERIFY(detailVisible);
    QCOMPARE(dialog.detail(), u"select 1;"_s);
}

void CommonDialogsTest::errorWhileTheDialogIsOpenOpensASecondOne()
{
    TErrorDialog dialog;
    InstallAsErrorReporter(&dialog);
    installRecordingEnder();

    QWidget *nestedDialog = nullptr;
    QString nestedMessage;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *outer) {
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *nested) {
            nestedDialog = nested;
            nestedMessage = nested->findChild<QLabel *>(u"ErrorMessage"_s)->text();
            CloseDialog(nested, u"Button1"_s, Close::Button);
        });
        ReportError(u"második"_s);
        QVERIFY(outer->isVisible()); // the first message is still there to be read
        QCOMPARE(dialog.message(), u"első"_s);
        CloseDialog(outer, u"Button1"_s, Close::Button);
    });
    ReportError(u"első"_s);

    QVERIFY(nestedDialog);
    QVERIFY(nestedDialog != &dialog);
    QCOMPARE(nestedMessage, u"második"_s);
}

void CommonDialogsTest::errorFromAWorkerThreadShowsOnTheWindowThread()
{
    TErrorDialog dialog;
    InstallAsErrorReporter(&dialog);
    installRecordingEnder();

    bool shownOnWindowThread = false;
    QString shownMessage;
    AnswerModal(u"TErrorDialog"_s, [&](QWidget *shown) {
        shownOnWindowThread = QThread::currentThread() == shown->thread();
        shownMessage = dialog.message();
        CloseDialog(shown, u"Button1"_s, Close::Button);
    });
    std::thread worker([] { ReportError(u"Hiba a háttérben"_s, u"részlet"_s); });
    worker.join(); // the worker does not wait for the user
    QTRY_VERIFY(PendingModalAnswers() == 0);

    QVERIFY(shownOnWindowThread);
    QCOMPARE(shownMessage, u"Hiba a háttérben"_s);
}

void CommonDialogsTest::messageDialogClosesOnOkAndEscape_data()
{
    QTest::addColumn<Close>("how");
    QTest::newRow("OK") << Close::Button;
    QTest::newRow("Escape") << Close::Escape;
}

void CommonDialogsTest::messageDialogClosesOnOkAndEscape()
{
    QFETCH(Close, how);
    QString shownText;
    QPixmap icon;
    bool borderless = false;
    AnswerModal(u"TMessageDialog"_s, [&](QWidget *shown) {
        shownText = shown->findChild<QLabel *>(u"message_label"_s)->text();
        icon = shown->findChild<QLabel *>(u"Image1"_s)->pixmap();
        borderless = shown->windowFlags().testFlag(Qt::FramelessWindowHint);
        QCOMPARE(shown->findChild<QPushButton *>(u"BitBtn1"_s)->text(), u"OK"_s);
        CloseDialog(shown, u"BitBtn1"_s, how);
        QVERIFY(!shown->isVisible());
    });
    ShowMessage(u"A megrendelés elküldve."_s);

    QCOMPARE(shownText, u"A megrendelés elküldve."_s);
    QVERIFY(!icon.isNull());
    QVERIFY(borderless);
}

void CommonDialogsTest::questionStartsAsNo()
{
    Tkerdes question;
    QCOMPARE(question.objectName(), u"Tkerdes"_s);
    QVERIFY(!question.answer());
    QVERIFY(question.windowFlags().testFlag(Qt::FramelessWindowHint));
}

void CommonDialogsTest::questionAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Close>("how");
    QTest::addColumn<bool>("yes");
    QTest::newRow("IGEN") << u"igen"_s << Close::Button << true;
    QTest::newRow("NEM") << u"nem"_s << Close::Button << false;
    QTest::newRow("Escape") << QString() << Close::Escape << false;
}

void CommonDialogsTest::questionAnswers()
{
    QFETCH(QString, button);
    QFETCH(Close, how);
    QFETCH(bool, yes);
    QString shownQuestion;
    AnswerModal(u"Tkerdes"_s, [&](QWidget *shown) {
        shownQuestion = shown->findChild<QLabel *>(u"kerdeslabel"_s)->text();
        QCOMPARE(shown->findChild<QPushButton *>(u"igen"_s)->text(), u"IGEN"_s);
        QCOMPARE(shown->findChild<QPushButton *>(u"nem"_s)->text(), u"NEM"_s);
        CloseDialog(shown, button, how);
    });
    const bool answer = AskQuestion(u"Biztosan törli a tételt?"_s);

    QCOMPARE(shownQuestion, u"Biztosan törli a tételt?"_s);
    QCOMPARE(answer, yes);
}

void CommonDialogsTest::dialogsAppearCentredOnTheScreen_data()
{
    QTest::addColumn<QString>("dialogName");
    QTest::newRow("TErrorDialog") << u"TErrorDialog"_s;
    QTest::newRow("TMessageDialog") << u"TMessageDialog"_s;
    QTest::newRow("Tkerdes") << u"Tkerdes"_s;
}

void CommonDialogsTest::dialogsAppearCentredOnTheScreen()
{
    QFETCH(QString, dialogName);
    installRecordingEnder();
    // A parent away from the middle of the screen: the dialogs still come up in the middle.
    QWidget parent;
    parent.setGeometry(0, 0, 200, 150);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    QPoint offCentre(-1000, -1000);
    AnswerModal(dialogName, [&](QWidget *dialog) {
        const QPoint screenCentre = dialog->screen()->availableGeometry().center();
        offCentre = dialog->frameGeometry().center() - screenCentre;
    });
    if (dialogName == u"TErrorDialog"_s) {
        TErrorDialog dialog(&parent);
        dialog.showError(u"Hiba történt a művelet során!"_s, u"select 1;"_s);
    } else if (dialogName == u"TMessageDialog"_s) {
        ShowMessage(u"Kész."_s, &parent);
    } else {
        AskQuestion(u"Folytatja?"_s, &parent);
    }
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(u"%1,%2"_s.arg(offCentre.x()).arg(offCentre.y())));
}

void CommonDialogsTest::caretToEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectLength");
    QTest::newRow("all selected") << u"Kovács Ödön"_s << 0 << 11;
    QTest::newRow("middle selected") << u"12,5"_s << 1 << 2;
    QTest::newRow("caret at start") << u"árvíz"_s << 0 << 0;
    QTest::newRow("empty") << QString() << 0 << 0;
}

void CommonDialogsTest::caretToEnd()
{
    QFETCH(QString, text);
    QFETCH(int, selectFrom);
    QFETCH(int, selectLength);
    QLineEdit edit;
    edit.setText(text);
    edit.setCursorPosition(0);
    if (selectLength > 0)
        edit.setSelection(selectFrom, selectLength);

    CaretToEnd(&edit);

    QCOMPARE(edit.cursorPosition(), text.size());
    QVERIFY(!edit.hasSelectedText());
    QCOMPARE(edit.text(), text); // nothing typed over
    CaretToEnd(nullptr);         // no field, nothing to do
}

void CommonDialogsTest::showStatus_data()
{
    QTest::addColumn<bool>("labelPanel");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QColor>("expectedColour");
    QTest::newRow("label, success") << true << true << u"Sikeres feltöltés"_s << QColor(0x00, 0x80, 0x00);
    QTest::newRow("label, message") << true << false << u"Hiba az internet kapcsolatban!"_s << QColor(0x00, 0x00, 0xff);
    QTest::newRow("frame, success") << false << true << u"Sikeres feltöltés"_s << QColor(0x00, 0x80, 0x00);
    QTest::newRow("frame, message") << false << false << u"Hiba az internet kapcsolatban!"_s
                                    << QColor(0x00, 0x00, 0xff);
}

void CommonDialogsTest::showStatus()
{
    QFETCH(bool, labelPanel);
    QFETCH(bool, success);
    QFETCH(QString, expectedText);
    QFETCH(QColor, expectedColour);

    QFrame frame;
    QLabel *textLabel = nullptr;
    QWidget *panel = nullptr;
    QLabel standalone;
    if (labelPanel) {
        panel = textLabel = &standalone;
    } else {
        auto *layout = new QVBoxLayout(&frame);
        textLabel = new QLabel(&frame);
        layout->addWidget(textLabel);
        panel = &frame;
    }
    panel->resize(200, 40);
    // A previous status of the other kind is replaced, text and colour.
    ShowStatus(panel, !success, u"Sikeres feltöltés"_s, u"Hiba az internet kapcsolatban!"_s);
    ShowStatus(panel, success, u"Sikeres feltöltés"_s, u"Hiba az internet kapcsolatban!"_s);

    QCOMPARE(textLabel->text(), expectedText);
    QCOMPARE(panel->palette().color(QPalette::Window), expectedColour);
    QCOMPARE(textLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
    // What is painted, not only what is set: the corner of the panel has the colour.
    const QImage picture = panel->grab().toImage();
    QCOMPARE(QColor(picture.pixel(2, 2)), expectedColour);
}

QTEST_MAIN(CommonDialogsTest)
#include "test_common_dialogs.moc"

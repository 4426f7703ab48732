// Pictures of the shell's windows for reviewing their look (build/<preset>/gallery). Dialogs are
// photographed while they are open, as the user sees them.

#include "common/CN_CommonErrorFunctions.h"
#include "platform/Pictures.h"
#include "shell/TErrorDialog.h"
#include "shell/TMainForm.h"
#include "shell/TMessageDialog.h"
#include "shell/Tkerdes.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

// A saved picture exists and has the widget's size.
void CheckSaved(const QString &path, const QWidget *widget)
{
    QVERIFY2(!path.isEmpty(), "the gallery picture was not written");
    const QImage saved(path);
    QVERIFY2(!saved.isNull(), qPrintable(path));
    QCOMPARE(saved.size(), widget->size() * widget->devicePixelRatio());
}

// Opens a dialog by action, saves its picture while it is open and closes it.
void PhotographModal(const QString &objectName, const QString &pictureName, const std::function<void()> &action)
{
    QString path;
    AnswerModal(objectName, [&](QWidget *dialog) {
        path = SaveToGallery(dialog, pictureName);
        CheckSaved(path, dialog);
    });
    action();
    QVERIFY(QFileInfo::exists(path));
}

} // namespace

class ShellGalleryTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetModalAnswers(); }
    void cleanup() { QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run"); }

    void errorDialog();
    void errorDialogWithoutDetail();
    void messageDialog();
    void question();
    void mainFormAtStart();
    void mainFormWaitingForLogin();
};

void ShellGalleryTest::errorDialog()
{
    TErrorDialog dialog;
    const ProgramEnder saved = SetProgramEnder([] {});
    PhotographModal(u"TErrorDialog"_s, u"TErrorDialog"_s, [&] {
        dialog.showError(
            OperationFailedMessage(),
            u"insert into tvr_arajanlat (megrendelo_neve, megrendelo_telefon, rogzites_ideje) values "
            u"(\"Kovács Ödön\", \"+36 30 555 0101\", \"2023.06.06. 10:15\");\nno such table: tvr_arajanlat"_s);
    });
    SetProgramEnder(saved);
}

void ShellGalleryTest::errorDialogWithoutDetail()
{
    TErrorDialog dialog;
    PhotographModal(u"TErrorDialog"_s, u"TErrorDialog_uzenet"_s,
                    [&] { dialog.showError(u"A fájl nem írható: c:\\TVR_zederivu\\tmp\\árlista.s3db"_s, QString()); });
}

void ShellGalleryTest::messageDialog()
{
    PhotographModal(u"TMessageDialog"_s, u"TMessageDialog"_s,
                    [] { ShowMessage(u"c:\\TVR_zederivu\\internet.s3db fájl hiányzik! Kérje e-mailben!"_s); });
}

void ShellGalleryTest::question()
{
    PhotographModal(u"Tkerdes"_s, u"Tkerdes"_s, [] { AskQuestion(u"Kilép a programból?"_s); });
}

void ShellGalleryTest::mainFormAtStart()
{
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    CheckSaved(SaveToGallery(&form, u"TMainForm"_s), &form);
}

void ShellGalleryTest::mainFormWaitingForLogin()
{
    // The look after a successful update check; the behaviour itself belongs to the window.
    TMainForm form;
    form.findChild<QLabel *>(u"img_prog_verzio"_s)->setPixmap(TickPixmap(24));
    form.findChild<QLabel *>(u"img_arlista_verzio"_s)->setPixmap(CrossPixmap(24));
    form.findChild<QLabel *>(u"img_prog_verzio_anim"_s)->hide();
    form.findChild<QLabel *>(u"img_arlista_verzio_anim"_s)->findChild<BusyIndicator *>()->start();
    form.findChild<QLabel *>(u"letoltes_label"_s)->setText(u"Letöltés: 1,2 MB / 3,4 MB"_s);
    form.findChild<QWidget *>(u"Frissites_Foallapot"_s)->setProperty("value", 35);
    form.findChild<QPushButton *>(u"btn_frissites"_s)->setText(u"ÁRLISTÁK FRISSÍTÉSE"_s);
    form.findChild<QPushButton *>(u"btn_frissites"_s)->show();
    form.findChild<QPushButton *>(u"btn_belepes"_s)->show();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    CheckSaved(SaveToGallery(&form, u"TMainForm_belepes"_s), &form);
}

QTEST_MAIN(ShellGalleryTest)
#include "test_shell_gallery.moc"

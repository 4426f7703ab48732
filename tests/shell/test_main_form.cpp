// The main window's form: its controls by name and caption, what is hidden at start, the versions
// popup of the title, the X mask of the password and the exit question.

#include "common/SYS_SystemConstants.h"
#include "platform/Pictures.h"
#include "shell/TMainForm.h"
#include "support/ModalHelper.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

QString Caption(const QObject *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return {};
}

// Opens the versions popup the way the user does, by a right click on the title panel.
QMenu *RightClickTitle(TMainForm &form)
{
    auto *title = form.findChild<QWidget *>(u"Panel1"_s);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 10), title->mapToGlobal(QPoint(20, 10)));
    QCoreApplication::sendEvent(title, &click);
    return form.findChild<QMenu *>(u"VerziokPopup"_s);
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetModalAnswers(); }
    void cleanup()
    {
        QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run");
        QVERIFY(!QApplication::activeModalWidget());
    }

    void controlsExistWithTheirKinds_data();
    void controlsExistWithTheirKinds();
    void captions_data();
    void captions();
    void visibilityAtStart_data();
    void visibilityAtStart();
    void windowShowsTheCompanyAndContact();
    void linkLabelsAddressTheManufacturer();
    void updateCheckTimerIsPreparedButStopped();
    void statusPicturesAreReady();
    void versionsPopupShowsCurrentVersions();
    void passwordShowsX();
    void exitAsksFirst_data();
    void exitAsksFirst();
};

void MainFormTest::controlsExistWithTheirKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const std::pair<const char *, const char *> controls[] = {
        {"Panel1", "QLabel"},
        {"Label8", "QLabel"},
        {"Label9", "QLabel"},
        {"img_prog_verzio", "QLabel"},
        {"img_prog_verzio_anim", "QLabel"},
        {"Label6", "QLabel"},
        {"img_arlista_verzio", "QLabel"},
        {"img_arlista_verzio_anim", "QLabel"},
        {"img_igen", "QLabel"},
        {"img_nem", "QLabel"},
        {"Frissites_Foallapot", "QProgressBar"},
        {"letoltes_label", "QLabel"},
        {"btn_frissites", "QPushButton"},
        {"jelszo", "QLineEdit"},
        {"label", "QLabel"},
        {"btn_belepes", "QPushButton"},
        {"Label2", "QLabel"},
        {"Label3", "QLabel"},
        {"btn_kilepes", "QPushButton"},
        {"btn_beallitasok", "QPushButton"},
        {"functionpanel", "QFrame"},
        {"VerziokPopup", "QMenu"},
        {"program1", "QAction"},
        {"alapanyag1", "QAction"},
        {"Forest1", "QAction"},
        {"UpdateCheckTimer", "QTimer"},
    };
    for (const auto &[name, className] : controls)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className);
}

void MainFormTest::controlsExistWithTheirKinds()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    TMainForm form;
    QCOMPARE(form.objectName(), u"TMainForm"_s);
    const auto found = form.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1); // names are unique in the window
    QVERIFY2(found.first()->inherits(className.toLatin1().constData()), found.first()->metaObject()->className());
}

void MainFormTest::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Panel1") << u"Panel1"_s << u"DORVAT - zederivu program"_s;
    QTest::newRow("Label8") << u"Label8"_s << u"Frissítések keresése..."_s;
    QTest::newRow("Label9") << u"Label9"_s << u"Legújabb program?"_s;
    QTest::newRow("Label6") << u"Label6"_s << u"Legújabb árlisták?"_s;
    QTest::newRow("btn_frissites") << u"btn_frissites"_s << u"FRISSÍTÉS"_s;
    QTest::newRow("label") << u"label"_s << u"Jelszó"_s;
    QTest::newRow("btn_belepes") << u"btn_belepes"_s << u"BELÉPÉS"_s;
    QTest::newRow("btn_kilepes") << u"btn_kilepes"_s << u"KILÉPÉS"_s;
    QTest::newRow("btn_beallitasok") << u"btn_beallitasok"_s << u"JELSZÓCSERE"_s;
}

void MainFormTest::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    TMainForm form;
    auto *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(Caption(control), caption);
}

void MainFormTest::visibilityAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::newRow("btn_belepes") << u"btn_belepes"_s << false;
    QTest::newRow("btn_frissites") << u"btn_frissites"_s << false;
    QTest::newRow("btn_beallitasok") << u"btn_beallitasok"_s << false;
    QTest::newRow("functionpanel") << u"functionpanel"_s << false;
    QTest::newRow("img_igen") << u"img_igen"_s << false;
    QTest::newRow("img_nem") << u"img_nem"_s << false;
    QTest::newRow("Panel1") << u"Panel1"_s << true;
    QTest::newRow("jelszo") << u"jelszo"_s << true;
    QTest::newRow("btn_kilepes") << u"btn_kilepes"_s << true;
    QTest::newRow("Label9") << u"Label9"_s << true;
    QTest::newRow("Label2") << u"Label2"_s << true;
}

void MainFormTest::visibilityAtStart()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->isVisible(), visible);
}

void MainFormTest::windowShowsTheCompanyAndContact()
{
    TMainForm form;
    const QString caption = form.windowTitle();
    QVERIFY2(caption.startsWith(u"Dorvat Kft."_s), qPrintable(caption));
    QVERIFY(caption.contains(TMainForm::PostalAddress()));
    QVERIFY(caption.contains(TMainForm::TelephoneLine()));
    // The three address labels: company name, postal address, telephone.
    QStringList footer;
    for (const char *name : {"lab_ceg", "lab_cim", "lab_telefon"}) {
        auto *label = form.findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label);
        footer << label->text();
    }
    QCOMPARE(footer, QStringList({TMainForm::CompanyName(), TMainForm::PostalAddress(), TMainForm::TelephoneLine()}));
}

void MainFormTest::linkLabelsAddressTheManufacturer()
{
    TMainForm form;
    auto *mail = form.findChild<QLabel *>(u"Label2"_s);
    auto *shop = form.findChild<QLabel *>(u"Label3"_s);
    QVERIFY(mail && shop);
    QVERIFY(TMainForm::EmailAddress().endsWith(u"@dorvat.hu"_s));
    QVERIFY(mail->text().contains(u"href=\"mailto:"_s + TMainForm::EmailAddress() + u'"'));
    QVERIFY(shop->text().contains(u"href=\""_s + TMainForm::WebShopAddress() + u'"'));
    QVERIFY(TMainForm::WebShopAddress().startsWith(u"https://"_s));
    QVERIFY(TMainForm::WebShopAddress().contains(u"dorvat.hu"_s));
    // A click opens the address in the default mail program or browser.
    QVERIFY(mail->openExternalLinks());
    QVERIFY(shop->openExternalLinks());
}

void MainFormTest::updateCheckTimerIsPreparedButStopped()
{
    TMainForm form;
    auto *timer = form.findChild<QTimer *>(u"UpdateCheckTimer"_s);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 2000);
    QVERIFY(timer->isSingleShot());
    QVERIFY(!timer->isActive());
}

void MainFormTest::statusPicturesAreReady()
{
    TMainForm form;
    const QImage yes = form.findChild<QLabel *>(u"img_igen"_s)->pixmap().toImage();
    const QImage no = form.findChild<QLabel *>(u"img_nem"_s)->pixmap().toImage();
    QVERIFY(!yes.isNull() && !no.isNull());
    QCOMPARE(yes, TickPixmap(yes.width()).toImage());
    QCOMPARE(no, CrossPixmap(no.width()).toImage());
    // Both animation labels carry an animation the update check can start.
    for (const char *name : {"img_prog_verzio_anim", "img_arlista_verzio_anim"}) {
        auto *label = form.findChild<QLabel *>(QString::fromLatin1(name));
        auto *animation = label->findChild<BusyIndicator *>();
        QVERIFY(animation);
        QCOMPARE(animation->label(), label);
        QVERIFY(!animation->isRunning());
    }
}

void MainFormTest::versionsPopupShowsCurrentVersions()
{
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *program = form.findChild<QAction *>(u"program1"_s);
    auto *materials = form.findChild<QAction *>(u"alapanyag1"_s);
    auto *forest = form.findChild<QAction *>(u"Forest1"_s);

    // The captions follow the values at the moment of the popup, so they are set twice.
    const std::pair<QString, QString> versions[] = {{u"2023.05.02."_s, u"2023.04.18."_s},
                                                    {u"2023.07.11."_s, u"2023.06.30."_s}};
    for (const auto &[materialsVersion, forestVersion] : versions) {
        form.setMaterialsCatalogueVersion(materialsVersion);
        form.setForestCatalogueVersion(forestVersion);
        QMenu *popup = RightClickTitle(form);
        QVERIFY(popup);
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->actions(), QList<QAction *>({program, materials, forest}));
        QCOMPARE(program->text(), u"program verzió:2023.06.06."_s);
        QCOMPARE(program->text(), u"program verzió:"_s + ProgramVersion());
        QCOMPARE(materials->text(), u"alapanyag katalógus:"_s + materialsVersion);
        QCOMPARE(forest->text(), u"forest katalógus:"_s + forestVersion);
        popup->close();
        QVERIFY(!popup->isVisible());
    }
}

void MainFormTest::passwordShowsX()
{
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *password = form.findChild<QLineEdit *>(u"jelszo"_s);
    QVERIFY(password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    TypeText(password, u"Titok ő1"_s);
    QCOMPARE(password->text(), u"Titok ő1"_s);
    QCOMPARE(password->displayText(), u"XXXXXXXX"_s);
}

void MainFormTest::exitAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("NEM") << u"nem"_s << true;
    QTest::newRow("IGEN") << u"igen"_s << false;
}

void MainFormTest::exitAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(bool, staysOpen);
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QString question;
    bool formOpenWhileAsking = false;
    AnswerModal(u"Tkerdes"_s, [&](QWidget *dialog) {
        question = dialog->findChild<QLabel *>(u"kerdeslabel"_s)->text();
        formOpenWhileAsking = form.isVisible();
        QTest::mouseClick(dialog->findChild<QPushButton *>(answer), Qt::LeftButton);
    });
    QTest::mouseClick(form.findChild<QPushButton *>(u"btn_kilepes"_s), Qt::LeftButton);

    QCOMPARE(question, u"Kilép a programból?"_s);
    QVERIFY(formOpenWhileAsking);
    QCOMPARE(form.isVisible(), staysOpen);
}

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"

// The main window's update gate against a real FTP server: the login is offered only when
// nothing is outdated, the update button updates the right thing, and no wait freezes the window.

#include "DemoData.h"
#include "UpdateFixture.h"
#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/Pictures.h"
#include "shell/StartProgram.h"
#include "shell/TMainForm.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const UpdateTimeouts kQuick{2000, 2000};
constexpr int kCheckMs = 15000; // the 2 s timer and the check, with room for a slow machine

QWidget *Child(QWidget *w, const QString &name)
{
    return w->findChild<QWidget *>(name);
}
QPushButton *Button(QWidget *w, const QString &name)
{
    return w->findChild<QPushButton *>(name);
}

struct Started {
    std::unique_ptr<TMainForm> form;
    TDatabaseConnection *db = nullptr;
};

Started Start(const UpdateFixture &f)
{
    Started s;
    s.form = startProgram({f.data.folder().root(), {}});
    if (!s.form)
        return s;
    s.db = s.form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
    s.form->setUpdateTimeouts(kQuick);
    s.form->show();
    return s;
}

QString ForestVersion(TDatabaseConnection &db)
{
    const auto row = tvr_info_forest_get(db, u"1"_s);
    return row ? row->forest_katalogus_verzio : QString();
}

// Answers a message dialog with its text recorded.
void ExpectMessage(QStringList *texts)
{
    AnswerModal(u"TMessageDialog"_s, [texts](QWidget *d) {
        *texts << d->findChild<QLabel *>(u"message_label"_s)->text();
        QTest::keyClick(d, Qt::Key_Escape);
    });
}

} // namespace

class UpdateGateTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetModalAnswers(); }

    void upToDateOffersTheLoginAfterTheCheck()
    {
        UpdateFixture f;
        f.publishCatalogue(Placement::Materials, u"2023.06.01."_s);
        f.publishCatalogue(Placement::Forest, u"2023.06.01."_s);
        f.publishProgram(u"2023.06.06."_s, QByteArray(100, 'u'));
        Started s = Start(f);
        QVERIFY(s.form);
        SaveToGallery(s.form.get(), u"TMainForm_ellenorzes_kozben"_s);
        QVERIFY(!Button(s.form.get(), u"btn_belepes"_s)->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(Button(s.form.get(), u"btn_belepes"_s)->isVisible(), kCheckMs);
        QVERIFY(!Button(s.form.get(), u"btn_frissites"_s)->isVisible());
        QVERIFY(Child(s.form.get(), u"img_prog_verzio"_s)->isVisible());
        QVERIFY(Child(s.form.get(), u"img_arlista_verzio"_s)->isVisible());
        QVERIFY(!Child(s.form.get(), u"img_arlista_verzio_anim"_s)->isVisible());
        QCOMPARE(System().ForestCatalogueVersion, u"2023.06.01."_s);
        QCOMPARE(System().CurrentUserId, u"0"_s);
        auto *popup = s.form->findChild<QMenu *>(u"VerziokPopup"_s);
        emit popup->aboutToShow();
        QCOMPARE(s.form->findChild<QAction *>(u"program1"_s)->text(), u"program verzió:2023.06.06."_s);
        QCOMPARE(s.form->findChild<QAction *>(u"alapanyag1"_s)->text(), u"alapanyag katalógus:2023.06.01."_s);
        QCOMPARE(s.form->findChild<QAction *>(u"Forest1"_s)->text(), u"forest katalógus:2023.06.01."_s);
        QVERIFY(AllModalsAnswered());
        SaveToGallery(s.form.get(), u"TMainForm_ellenorzes_utan"_s);
    }

    void theDemoInstallationReachesTheLogin()
    {
        QTemporaryDir demo, serverRoot;
        MakeDemoDataFolder(demo.path(), QStringLiteral(TVR_DEMO_SQL_DIR));
        FtpServer server(serverRoot.path(), {.catalogues = demo.path()});
        // The demo settings name the demo server's fixed port; this one listens where it could.
        UpdateFixture::WriteSettings(DataFolder(demo.path()), server.host());
        auto form = startProgram({demo.path(), {}});
        QVERIFY(form);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(form.get(), u"btn_belepes"_s)->isVisible(), kCheckMs);
        QVERIFY(!Button(form.get(), u"btn_frissites"_s)->isVisible());
        QVERIFY(AllModalsAnswered());
    }

    void onlyForestOutdatedInstallsItThenOffersTheLogin()
    {
        UpdateFixture f;
        f.publishCatalogue(Placement::Materials, u"2023.06.01."_s);
        f.publishCatalogue(Placement::Forest, u"2023.08.20."_s);
        f.publishProgram(u"2023.06.06."_s, QByteArray(100, 'u'));
        Started s = Start(f);
        QPushButton *update = Button(s.form.get(), u"btn_frissites"_s);
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible(), kCheckMs);
        QCOMPARE(update->text(), u"ÁRLISTÁK FRISSÍTÉSE"_s);
        QVERIFY(!Button(s.form.get(), u"btn_belepes"_s)->isVisible());
        QCOMPARE(ForestVersion(*s.db), u"2023.06.01."_s);

        QString catalogueName;
        AnswerModal(u"Tkatalogus_frissites"_s, [&](QWidget *w) {
            catalogueName = w->findChild<QLabel *>(u"lab_katalogus_neve"_s)->text();
            SaveToGallery(w, u"Tkatalogus_frissites"_s);
            // The window closes itself once the file is installed.
            QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kCheckMs);
        });
        update->click();
        QVERIFY(AllModalsAnswered());
        QCOMPARE(catalogueName, u"Forest katalógus"_s);
        QCOMPARE(ForestVersion(*s.db), u"2023.08.20."_s);
        QTRY_VERIFY_WITH_TIMEOUT(Button(s.form.get(), u"btn_belepes"_s)->isVisible(), kCheckMs);
        QVERIFY(!update->isVisible());
        QCOMPARE(System().ForestCatalogueVersion, u"2023.08.20."_s);
    }

    void programOutdatedDownloadsOnlyTheProgramAndStartsTheUpdater()
    {
        UpdateFixture f;
        f.publishCatalogue(Placement::Materials, u"2023.09.01."_s); // a catalogue is outdated too
        f.publishProgram(u"2023.10.01."_s, QByteArray(300000, 'p'));
        QTemporaryDir bin;
        const QString marker = bin.filePath(u"elindult"_s);
        const QString updater = bin.filePath(u"update"_s);
        FtpServer::WriteFile(updater, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner);
        int ends = 0;
        Started s = Start(f);
        const ProgramEnder previous = SetProgramEnder([&] { ++ends; });
        s.form->setUpdaterPath(updater);
        QPushButton *update = Button(s.form.get(), u"btn_frissites"_s);
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible(), kCheckMs);
        QCOMPARE(update->text(), u"PROGRAM FRISSÍTÉS"_s);
        update->click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), kCheckMs);
        QCOMPARE(s.form->findChild<QLabel *>(u"letoltes_label"_s)->text(), u"kész."_s);
        QCOMPARE(QFileInfo(QDir(f.data.folder().tmpFolder()).filePath(u"update.zip"_s)).size(), 300000);
        QCOMPARE(ends, 1);
        QVERIFY(!s.form->isVisible());
        // Only the program: the catalogue stayed as it was.
        QCOMPARE(tvr_info_get(*s.db, u"1"_s)->alapanyag_katalogus_verzio, u"2023.06.01."_s);
        QVERIFY(AllModalsAnswered());
        SetProgramEnder(previous);
    }

    void updaterThatCannotStartIsReportedAndTheProgramStays()
    {
        UpdateFixture f;
        f.publishProgram(u"2023.10.01."_s, QByteArray(1000, 'p'));
        Started s = Start(f);
        s.form->setUpdaterPath(QDir(f.serverRoot.path()).filePath(u"nincs-ilyen-update"_s));
        QPushButton *update = Button(s.form.get(), u"btn_frissites"_s);
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible(), kCheckMs);
        QStringList messages;
        ExpectMessage(&messages);
        update->click();
        QTRY_VERIFY_WITH_TIMEOUT(AllModalsAnswered(), kCheckMs);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(u"nincs-ilyen-update"_s), qPrintable(messages[0]));
        QVERIFY(s.form->isVisible());
        QVERIFY(update->isEnabled());
    }

    void missingSettingsAreReportedTwiceAndNoLogin()
    {
        UpdateFixture f;
        QFile::remove(f.data.folder().downloadSettings());
        QStringList messages;
        ExpectMessage(&messages);
        ExpectMessage(&messages);
        Started s = Start(f);
        QSignalSpy finished(s.form.get(), &TMainForm::updateCheckFinished);
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, kCheckMs);
        QVERIFY(AllModalsAnswered());
        const QString text =
            QDir::toNativeSeparators(f.data.folder().downloadSettings()) + u" fájl hiányzik! Kérje e-mailben!"_s;
        QCOMPARE(messages, (QStringList{text, text}));
        QVERIFY(!Button(s.form.get(), u"btn_belepes"_s)->isVisible());
        QVERIFY(!Button(s.form.get(), u"btn_frissites"_s)->isVisible());
    }

    void serverDownIsAnInternetErrorAndTheLoginIsOffered()
    {
        UpdateFixture f;
        f.server->stop();
        QStringList messages;
        ExpectMessage(&messages);
        Started s = Start(f);
        QTRY_VERIFY_WITH_TIMEOUT(Button(s.form.get(), u"btn_belepes"_s)->isVisible(), kCheckMs);
        QVERIFY(AllModalsAnswered());
        QCOMPARE(messages, QStringList{u"Hiba az internet kapcsolatban!"_s});
        QVERIFY(!Button(s.form.get(), u"btn_frissites"_s)->isVisible());
    }

    void stalledServerNeitherFreezesTheWindowNorWaitsForever()
    {
        UpdateFixture f;
        f.publishCatalogue(Placement::Forest, u"2023.08.20."_s);
        f.server->suspend(); // connections are accepted, but nothing answers
        QStringList messages;
        ExpectMessage(&messages);
        Started s = Start(f);
        auto *animation = s.form->findChild<QLabel *>(u"img_prog_verzio_anim"_s)->findChild<BusyIndicator *>();
        QVERIFY(animation);
        QTRY_VERIFY_WITH_TIMEOUT(animation->isRunning(), kCheckMs);
        // While the check waits for the server, the window keeps painting its animation.
        QSet<int> frames;
        for (int i = 0; i < 10; ++i) {
            frames.insert(animation->frame());
            QTest::qWait(100);
        }
        QVERIFY2(frames.size() > 3, "the animation must move while the check waits");
        QTRY_VERIFY_WITH_TIMEOUT(Button(s.form.get(), u"btn_belepes"_s)->isVisible(), 3 * kCheckMs);
        QCOMPARE(messages, QStringList{u"Hiba az internet kapcsolatban!"_s});
        f.server->resume();
    }

    void cutDownloadIsReportedAndTheOldCatalogueKeepsWorking()
    {
        UpdateFixture f;
        f.publishCatalogue(Placement::Forest, u"2023.08.20."_s);
        // The published size promises more than the file holds: the download comes up short.
        const QString served = QDir(f.updateFolder()).filePath(u"TVR_FOREST.s3db"_s);
        QFile file(served);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        file.close();
        FtpServer::WriteFile(served, whole.left(whole.size() / 2));
        Started s = Start(f);
        QPushButton *update = Button(s.form.get(), u"btn_frissites"_s);
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible(), kCheckMs);
        QString status;
        AnswerModal(u"Tkatalogus_frissites"_s, [&](QWidget *w) {
            QPushButton *close = Button(w, u"btn_bezar"_s);
            QTRY_VERIFY_WITH_TIMEOUT(close->isVisible(), kCheckMs);
            status = w->findChild<QLabel *>(u"letoltes_label"_s)->text();
            SaveToGallery(w, u"Tkatalogus_frissites_hiba"_s);
            close->click();
        });
        update->click();
        QVERIFY(AllModalsAnswered());
        QVERIFY2(status.contains(u"nem sikerült"_s) && status.contains(u"A korábbi árlista megmaradt."_s),
                 qPrintable(status));
        QVERIFY(s.db->isAttached(ForestSchema()));
        QCOMPARE(ForestVersion(*s.db), u"2023.06.01."_s);
        // Still outdated: the update is offered again.
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible() && update->isEnabled(), kCheckMs);
        QVERIFY(!Button(s.form.get(), u"btn_belepes"_s)->isVisible());
    }

    void brokenForestCatalogueIsReportedAndTheUpdateRepairsIt_data()
    {
        QTest::addColumn<bool>("cutShort");
        QTest::newRow("a text file") << false;
        QTest::newRow("a real one cut short") << true;
    }
    void brokenForestCatalogueIsReportedAndTheUpdateRepairsIt()
    {
        QFETCH(bool, cutShort);
        UpdateFixture f;
        f.publishCatalogue(Placement::Materials, u"2023.06.01."_s);
        f.publishCatalogue(Placement::Forest, u"2023.06.01."_s);
        f.publishProgram(u"2023.06.06."_s, QByteArray(100, 'u'));
        const QString installed = f.data.folder().forestCatalogue();
        if (cutShort) {
            // A catalogue with enough rows to span many pages, then only its first pages kept.
            CreatePlainDatabase(installed, Placement::Forest,
                                {u"insert into tvr_info_forest (info_id,active,forest_katalogus_verzio) values "
                                 u"(1,'1','2023.05.01.');"
                                 u"with recursive n(i) as (select 1 union all select i+1 from n where i<3000) "
                                 u"insert into tvr_r_forest_arucikkek (cikkszam,megnev,active) "
                                 u"select 'F-' || i, 'Forest pánt hosszú megnevezéssel ' || i, '1' from n;"_s});
            QFile file(installed);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray whole = file.readAll();
            file.close();
            QVERIFY(whole.size() > 16 * 4096);
            FtpServer::WriteFile(installed, whole.left(4096 * 3));
        } else {
            FtpServer::WriteFile(installed, "Ez nem adatbázis, csak egy szövegfájl.\n");
        }
        QStringList errors;
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *d) {
            errors << d->findChild<QLabel *>(u"ErrorMessage"_s)->text();
            Button(d, u"Button1"_s)->click();
        });
        Started s = Start(f);
        QVERIFY(s.form);
        QPushButton *update = Button(s.form.get(), u"btn_frissites"_s);
        // Start-up goes on: the users load, the check runs and offers the download that repairs it.
        QTRY_VERIFY_WITH_TIMEOUT(update->isVisible(), kCheckMs);
        QVERIFY(AllModalsAnswered());
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(u"TVR_FOREST.s3db"_s) && errors[0].contains(u"hibás"_s), qPrintable(errors[0]));
        QVERIFY(!s.db->isAttached(ForestSchema()));
        QCOMPARE(update->text(), u"ÁRLISTÁK FRISSÍTÉSE"_s);
        // The users were loaded: this installation has none, so the store manager is offered.
        QVERIFY(Button(s.form.get(), u"btn_uzletvezeto_letrehozasa"_s)->isVisibleTo(s.form.get()));

        AnswerModal(u"Tkatalogus_frissites"_s,
                    [&](QWidget *w) { QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kCheckMs); });
        update->click();
        QVERIFY(AllModalsAnswered());
        QVERIFY(s.db->isAttached(ForestSchema()));
        QCOMPARE(ForestVersion(*s.db), u"2023.06.01."_s);
        QTRY_VERIFY_WITH_TIMEOUT(Button(s.form.get(), u"btn_belepes"_s)->isVisible(), kCheckMs);
    }

    void unwritableDataFolderEndsTheProgram()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto db = data.open();
        // A folder below a file can be neither created nor written, whoever runs the program.
        FtpServer::WriteFile(data.path(u"fajl"_s), "x");
        TMainForm form;
        form.setServices(db.get(), DataFolder(data.path(u"fajl/adatok"_s)));
        int ends = 0;
        const ProgramEnder previous = SetProgramEnder([&] { ++ends; });
        QStringList messages;
        ExpectMessage(&messages);
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(AllModalsAnswered(), kCheckMs);
        QCOMPARE(ends, 1);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(u"nem írhatja az adatmappáját"_s), qPrintable(messages[0]));
        QVERIFY(!form.findChild<QTimer *>(u"UpdateCheckTimer"_s)->isActive());
        SetProgramEnder(previous);
    }

    void aSecondActivationRepeatsNothing()
    {
        UpdateFixture f;
        Started s = Start(f);
        QSignalSpy finished(s.form.get(), &TMainForm::updateCheckFinished);
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, kCheckMs);
        auto *password = s.form->findChild<QLineEdit *>(u"jelszo"_s);
        password->setText(u"félig beírt"_s);
        auto *timer = s.form->findChild<QTimer *>(u"UpdateCheckTimer"_s);
        QDialog other;
        other.show();
        other.activateWindow();
        QTest::qWait(50);
        other.close();
        s.form->activateWindow();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(s.form.get(), &activate);
        QTest::qWait(2500);
        QVERIFY(!timer->isActive());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(password->text(), u"félig beírt"_s);
    }
};

QTEST_MAIN(UpdateGateTest)
#include "test_update_gate.moc"

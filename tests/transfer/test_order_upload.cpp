// The upload window against a real FTP server on the loopback interface: a whole file closes the
// window, a wrong password, a transfer cut while the server stays up and a server that stops
// answering each leave the window open with the failure texts, no partial file on the server and a
// working "Újraküldés"; closing the window stops a transfer. And the whole road of one order from
// the quote list: the partner code asked once, the file written and sent, the quote ordered.

#include "DemoData.h"
#include "OrderFixture.h"
#include "UpdateFixture.h"

#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "shell/StartProgram.h"
#include "shell/TMainForm.h"
#include "support/FtpServer.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"
#include "transfer/IFACE_EXT_TVR.h"
#include "transfer/Tmegrendeles_kesz.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

constexpr int kSendMs = 30000; // the 1 s timer and a send, with room for a slow machine
const UploadTimeouts kQuick{3000, 3000};

template <class T = QWidget> T *Find(const QWidget *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

QByteArray Bytes(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteUploadSettings(const DataFolder &folder, const QString &host, const QString &password)
{
    CreatePlainDatabase(folder.uploadSettings(), Placement::Settings,
                        {u"insert into internet (internet_id,update_host,update_user,update_pwd,update_passive_mode,"
                         u"active) values (1,'%1','zederivu','%2','1','1');"_s.arg(host, password)});
}

// Quote 152 of partner 7 written into its order file on 6 June 2023, and the manufacturer's server.
struct Upload {
    OrderFolder f;
    QTemporaryDir serverRoot;
    std::unique_ptr<FtpServer> server;
    QString file;

    explicit Upload(FtpServer::Options options = {})
    {
        server = std::make_unique<FtpServer>(serverRoot.path(), options);
        WriteUploadSettings(f.data.folder(), server->host(), u"demo-zederivu-2023"_s);
        f.db->executeScript(
            QuoteSql(152) +
            u"insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id) values (1,'1','152');"_s +
            PanelsSql(1, 1, 1200));
        const OrderFileResult r = ExportOrderFile(*f.db, u"152"_s);
        if (!r.ok)
            qFatal("no order file: %s", qPrintable(r.message));
        file = r.path;
    }
    QString serverFile() const { return serverRoot.path() + u"/zederivu/"_s + QFileInfo(file).fileName(); }
    std::unique_ptr<Tmegrendeles_kesz> window(const UploadTimeouts &timeouts = kQuick) const
    {
        auto w = std::make_unique<Tmegrendeles_kesz>(*f.db, f.data.folder());
        w->setOrderFile(file);
        w->setQuoteId(u"152"_s);
        w->setTimeouts(timeouts);
        return w;
    }
    QStringList sends() const
    {
        return f.db->select(u"select arajanlat_id||'|'||rendeles_file||'|'||fajlmeret||'|'||sikeres from "
                            u"tvr_rendeles_kuldesek order by rendeles_kuldes_id"_s,
                            {});
    }
    QString sendRow(bool ok) const
    {
        return u"152|2023.06.06._zederivu_7-152.s3db|%1|%2"_s.arg(QFileInfo(file).size()).arg(ok ? 1 : 0);
    }
};

QString Status(const QWidget *w)
{
    return Find<QLabel>(w, u"feltoltes_label"_s)->text();
}

// Queues the answer to the failure's message dialog, recording its text and the window's status
// line at that moment.
void ExpectFailure(const QWidget *w, QString *message, QString *statusAtMessage)
{
    AnswerModal(
        u"TMessageDialog"_s,
        [w, message, statusAtMessage](QWidget *d) {
            *message = Find<QLabel>(d, u"message_label"_s)->text();
            *statusAtMessage = Status(w);
            QTest::keyClick(d, Qt::Key_Escape);
        },
        kSendMs);
}

} // namespace

class OrderUploadTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetModalAnswers(); }
    void cleanup() { QVERIFY(AllModalsAnswered()); }

    void theWholeFileMovesTheBarToItsSizeAndClosesTheWindow()
    {
        Upload u;
        const qint64 size = QFileInfo(u.file).size();
        QVERIFY2(size >= 200 * 1024, qPrintable(QString::number(size)));
        auto w = u.window();
        QCOMPARE(w->objectName(), u"Tmegrendeles_kesz"_s);
        QCOMPARE(w->windowTitle(), u"A megrendelés küldése folyamatban van..."_s);
        QVERIFY(w->windowFlags().testFlag(Qt::Tool));
        auto *bar = Find<QProgressBar>(w.get(), u"Frissites_Foallapot"_s);
        int highest = 0;
        connect(bar, &QProgressBar::valueChanged, bar, [&highest](int v) { highest = std::max(highest, v); });

        w->show();
        auto *timer = Find<QTimer>(w.get(), u"UploadTimer"_s);
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(timer->isActive());
        QVERIFY(!bar->isVisible()); // nothing moves before the timer
        QCOMPARE(Find<QLabel>(w.get(), u"lab_rendeles_file"_s)->text(), QDir::toNativeSeparators(u.file));
        QCOMPARE(Find<QPushButton>(w.get(), u"btn_ok"_s)->text(), u"mégsem"_s);
        QVERIFY(Status(w.get()).isEmpty());
        SaveToGallery(w.get(), u"Tmegrendeles_kesz"_s);

        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs);
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QVERIFY(w->succeeded());
        QCOMPARE(bar->maximum(), int(size));
        QCOMPARE(bar->value(), int(size));
        QCOMPARE(highest, int(size));
        QCOMPARE(w->fileSize(), size);
        QCOMPARE(w->bytesSent(), size);
        QVERIFY(Status(w.get()).isEmpty());
        // Under the file's own name, byte for byte.
        QCOMPARE(QFileInfo(u.serverFile()).fileName(), u"2023.06.06._zederivu_7-152.s3db"_s);
        QVERIFY(Bytes(u.serverFile()) == Bytes(u.file));
        QCOMPARE(u.sends(), QStringList{u.sendRow(true)});
    }

    void aWrongPasswordShowsBothTextsInOrderAndTheWindowStays()
    {
        Upload u;
        WriteUploadSettings(u.f.data.folder(), u.server->host(), u"rossz jelszó"_s);
        // The server answers a wrong password after a pause of 3 s.
        auto w = u.window({8000, 8000});
        QString message;
        QString statusAtMessage;
        ExpectFailure(w.get(), &message, &statusAtMessage);
        w->show();
        QTRY_COMPARE_WITH_TIMEOUT(PendingModalAnswers(), 0, kSendMs);

        QCOMPARE(statusAtMessage, u"Nem sikerült a küldés, kérem próbálja újra!"_s);
        QCOMPARE(message, u"Hiba történt a rendelés feltöltésekor. Próbálja meg újraküldeni!"_s);
        QVERIFY(w->isVisible());
        QVERIFY(!w->succeeded());
        QCOMPARE(Status(w.get()), u"Nem sikerült a küldés, kérem próbálja újra!"_s);
        auto *reason = Find<QLabel>(w.get(), u"lab_hiba_oka"_s);
        QVERIFY(reason->isVisible());
        QVERIFY2(reason->text().contains(u"Hibás felhasználónév vagy jelszó"_s), qPrintable(reason->text()));
        QVERIFY(Find<QPushButton>(w.get(), u"btn_ujrakuldes"_s)->isVisible());
        QVERIFY(!QFile::exists(u.serverFile()));
        QCOMPARE(u.sends(), QStringList{u.sendRow(false)});
        SaveToGallery(w.get(), u"Tmegrendeles_kesz_sikertelen"_s);

        Find<QPushButton>(w.get(), u"btn_ok"_s)->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
    }

    void aCutTransferLeavesNoPartialFileAndTheResendDelivers()
    {
        // The server drops the first upload's data connection after 64 KiB and stays up.
        Upload u({.dropUploadsAfterBytes = 64 * 1024, .dropCount = 1});
        auto w = u.window();
        QString message;
        QString statusAtMessage;
        ExpectFailure(w.get(), &message, &statusAtMessage);
        w->show();
        QTRY_COMPARE_WITH_TIMEOUT(PendingModalAnswers(), 0, kSendMs);
        QCOMPARE(statusAtMessage, UploadFailedText());
        QCOMPARE(message, ResendText());
        QVERIFY(w->isVisible());
        QVERIFY(!QFile::exists(u.serverFile()));
        QVERIFY(!QFileInfo::exists(u.serverRoot.path() + u"/zederivu"_s) ||
                QDir(u.serverRoot.path() + u"/zederivu"_s).isEmpty());

        // The same file again, without a new export.
        const QDateTime written = QFileInfo(u.file).lastModified();
        Find<QPushButton>(w.get(), u"btn_ujrakuldes"_s)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs);
        QVERIFY(w->succeeded());
        QVERIFY(Bytes(u.serverFile()) == Bytes(u.file));
        QCOMPARE(QFileInfo(u.file).lastModified(), written);
        QCOMPARE(u.sends(), (QStringList{u.sendRow(false), u.sendRow(true)}));
    }

    void aServerThatStopsAnsweringFailsByTheStallTimeoutAndTheWindowStaysResponsive()
    {
        Upload u({.throttleBytesPerSecond = 40 * 1024});
        auto w = u.window();
        QString message;
        QString statusAtMessage;
        ExpectFailure(w.get(), &message, &statusAtMessage);
        w->show();
        QTRY_VERIFY_WITH_TIMEOUT(w->bytesSent() > 0, kSendMs);
        u.server->suspend();
        // The window's thread keeps running while the worker waits on the frozen server.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, &ticker, [&ticks] { ++ticks; });
        ticker.start(20);
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 20, kSendMs);
        QTRY_COMPARE_WITH_TIMEOUT(PendingModalAnswers(), 0, kSendMs);
        QCOMPARE(statusAtMessage, UploadFailedText());
        QCOMPARE(message, ResendText());
        QVERIFY(!w->busy());
        QVERIFY(w->isVisible());
        QVERIFY2(Find<QLabel>(w.get(), u"lab_hiba_oka"_s)->text().contains(u"nem válaszol"_s) ||
                     Find<QLabel>(w.get(), u"lab_hiba_oka"_s)->text().contains(u"nem mozdult"_s),
                 qPrintable(Find<QLabel>(w.get(), u"lab_hiba_oka"_s)->text()));

        // The manufacturer's server is up again (a new one on the same folder): the re-send delivers.
        u.server->stop();
        u.server = std::make_unique<FtpServer>(u.serverRoot.path());
        WriteUploadSettings(u.f.data.folder(), u.server->host(), u"demo-zederivu-2023"_s);
        Find<QPushButton>(w.get(), u"btn_ujrakuldes"_s)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs);
        QVERIFY(w->succeeded());
        QVERIFY(Bytes(u.serverFile()) == Bytes(u.file));
        QCOMPARE(u.sends(), (QStringList{u.sendRow(false), u.sendRow(true)}));
    }

    void closingTheWindowDuringATransferStopsIt()
    {
        Upload u({.throttleBytesPerSecond = 20 * 1024});
        auto w = u.window({15000, 15000});
        w->show();
        QTRY_VERIFY_WITH_TIMEOUT(w->bytesSent() > 0, kSendMs);
        SaveToGallery(w.get(), u"Tmegrendeles_kesz_kuldes_kozben"_s);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QCOMPARE(Status(w.get()), u"A küldés leállítása folyamatban..."_s);
        QVERIFY(!Find<QPushButton>(w.get(), u"btn_ok"_s)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs);
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QVERIFY(!w->succeeded());
        QVERIFY(!QFile::exists(u.serverFile()));
        QCOMPARE(u.sends(), QStringList{u.sendRow(false)});
        // Nothing arrives for the closed window.
        w.reset();
        QTest::qWait(100);
    }

    void missingSettingsFailAndLetTheWindowClose()
    {
        Upload u;
        QFile::remove(u.f.data.folder().uploadSettings());
        auto w = u.window();
        QString message;
        QString statusAtMessage;
        ExpectFailure(w.get(), &message, &statusAtMessage);
        w->show();
        QTRY_COMPARE_WITH_TIMEOUT(PendingModalAnswers(), 0, kSendMs);
        QCOMPARE(statusAtMessage, UploadFailedText());
        QVERIFY2(Find<QLabel>(w.get(), u"lab_hiba_oka"_s)->text().contains(u"internet2.s3db"_s),
                 qPrintable(Find<QLabel>(w.get(), u"lab_hiba_oka"_s)->text()));
        QVERIFY(!QFileInfo::exists(u.f.data.folder().uploadSettings())); // not created empty
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void theRoadOfOneOrderFromTheQuoteList()
    {
        // A data folder without a partner code, a quote with its work, the manufacturer's server.
        TestDataFolder data;
        QTemporaryDir serverRoot;
        FtpServer server(serverRoot.path());
        data.writeMaterials({u"insert into tvr_info (info_id,active,basic_katalogus_verzio,alapanyag_katalogus_verzio) "
                             u"values (1,'1','2023.06.01.','2023.06.01.');"_s});
        data.writeForest({u"insert into tvr_info_forest (info_id,active,forest_katalogus_verzio) values "
                          u"(1,'1','2023.06.01.');"_s});
        CreatePlainDatabase(data.folder().orderTemplate(), Placement::Order);
        WriteUploadSettings(data.folder(), server.host(), u"demo-zederivu-2023"_s);
        {
            auto setup = data.open();
            setup->executeScript(u"insert into tvr_users (user_id,user_name,pwd,active) values "
                                 u"(1,'Üzletvezető','%1','1');"_s.arg(PasswordHash(u"titok"_s)) +
                                 QuoteSql(152) +
                                 u"insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id) values "
                                 u"(1,'1','152');"_s +
                                 PanelsSql(1, 1, 20));
        }
        auto form = startProgram({data.folder().root(), [] { return QDateTime(QDate(2023, 6, 6), QTime(9, 30)); }});
        QVERIFY(form);
        const auto resetClock = qScopeGuard([] { SetClock({}); });
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QTimer>(form.get(), u"UpdateCheckTimer"_s)->isActive(), 5000);
        Find<QTimer>(form.get(), u"UpdateCheckTimer"_s)->stop();
        Find<QPushButton>(form.get(), u"btn_belepes"_s)->show();
        auto *password = Find<QLineEdit>(form.get(), u"jelszo"_s);
        TypeText(password, u"titok"_s);
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(form->isLoggedIn());

        const QString serverFile = serverRoot.path() + u"/zederivu/2023.06.06._zederivu_7-152.s3db"_s;
        const QString localFile = data.folder().ordersFolder() + u"/2023.06.06._zederivu_7-152.s3db"_s;
        QString question;
        QString refusal;
        bool uploadSeen = false;
        AnswerModal(u"Tkerdes"_s, [&question](QWidget *d) {
            question = Find<QLabel>(d, u"kerdeslabel"_s)->text();
            Find<QPushButton>(d, u"igen"_s)->click();
        });
        // The partner code, asked once: zero is refused, 007 is stored as 7.
        AnswerModal(u"Tpartnerkod_bevitel"_s, [&refusal](QWidget *d) {
            SaveToGallery(d, u"Tpartnerkod_bevitel"_s);
            auto *field = Find<QLineEdit>(d, u"partnerkod"_s);
            TypeText(field, u"0"_s);
            AnswerModal(u"TMessageDialog"_s, [&refusal](QWidget *m) {
                refusal = Find<QLabel>(m, u"message_label"_s)->text();
                QTest::keyClick(m, Qt::Key_Escape);
            });
            Find<QPushButton>(d, u"btn_rogzit"_s)->click();
            QVERIFY(d->isVisible());
            field->clear();
            TypeText(field, u"007"_s);
            Find<QPushButton>(d, u"btn_rogzit"_s)->click();
            QVERIFY(!d->isVisible());
        });
        const auto awaitUpload = [&uploadSeen, &serverFile, &localFile] {
            AnswerModal(
                u"Tmegrendeles_kesz"_s,
                [&uploadSeen, &serverFile, &localFile](QWidget *w) {
                    uploadSeen = true;
                    QCOMPARE(Find<QLabel>(w, u"lab_rendeles_file"_s)->text(), QDir::toNativeSeparators(localFile));
                    QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs);
                    QVERIFY(Bytes(serverFile) == Bytes(localFile));
                },
                kSendMs);
        };
        awaitUpload();
        Find<QPushButton>(form.get(), u"btn_arajanlatbol_megrendeles"_s)->click();
        QVERIFY(AllModalsAnswered());
        QCOMPARE(question, u"Megrendelhető a kijelölt rendelés?"_s);
        QCOMPARE(refusal, u"A partnerkód csak nullánál nagyobb egész szám lehet (legfeljebb 9 számjegy)!"_s);
        QVERIFY(uploadSeen);
        QCOMPARE(System().PartnerCode, u"7"_s);
        QVERIFY(QFile::exists(serverFile));
        TLister *quotes = db->lister(1);
        QCOMPARE(quotes->value(0, u"statusza"_s), u"1"_s);
        QCOMPARE(quotes->value(0, u"mergendelve"_s), u"megrendelve"_s);

        // Ordered again: the other question, no partner code asked, the file sent again.
        QFile::remove(serverFile);
        AnswerModal(u"Tkerdes"_s, [&question](QWidget *d) {
            question = Find<QLabel>(d, u"kerdeslabel"_s)->text();
            Find<QPushButton>(d, u"igen"_s)->click();
        });
        uploadSeen = false;
        awaitUpload();
        Find<QPushButton>(form.get(), u"btn_arajanlatbol_megrendeles"_s)->click();
        QVERIFY(AllModalsAnswered());
        QCOMPARE(question, u"Újrarendelhető a kijelölt rendelés?"_s);
        QVERIFY(uploadSeen);
        QCOMPARE(db->select(u"select group_concat(sikeres) from tvr_rendeles_kuldesek"_s, {}), QStringList{u"1,1"_s});

        // Without the template nothing is written and no upload window opens.
        QFile::remove(data.folder().orderTemplate());
        QString missing;
        AnswerModal(u"Tkerdes"_s, [](QWidget *d) { Find<QPushButton>(d, u"igen"_s)->click(); });
        AnswerModal(u"TMessageDialog"_s, [&missing](QWidget *m) {
            missing = Find<QLabel>(m, u"message_label"_s)->text();
            QTest::keyClick(m, Qt::Key_Escape);
        });
        Find<QPushButton>(form.get(), u"btn_arajanlatbol_megrendeles"_s)->click();
        QVERIFY(AllModalsAnswered());
        QVERIFY2(missing.contains(u"EBR.s3db) hiányzik"_s), qPrintable(missing));
        QCOMPARE(db->select(u"select count(*) from tvr_rendeles_kuldesek"_s, {}), QStringList{u"2"_s});
    }

    // The README's walk-through on the demo installation: the update check passes against the demo
    // manufacturer's server, the store manager logs in, orders Szabó Anna's kitchen, and the file
    // arrives in the server's zederivu folder.
    void theDemoOrderArrivesInTheDemoServersFolder()
    {
        QTemporaryDir demo, serverRoot;
        MakeDemoDataFolder(demo.path(), QStringLiteral(TVR_DEMO_SQL_DIR));
        FtpServer server(serverRoot.path(), {.catalogues = demo.path()});
        UpdateFixture::WriteSettings(DataFolder(demo.path()), server.host()); // the port this server got
        auto form = startProgram({demo.path(), {}});
        QVERIFY(form);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(form.get(), u"btn_belepes"_s)->isVisible(), kSendMs);
        auto *password = Find<QLineEdit>(form.get(), u"jelszo"_s);
        TypeText(password, u"dorvat"_s);
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(form->isLoggedIn());
        TLister *quotes = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s)->lister(1);
        int row = -1;
        for (int r = 0; r < quotes->rowCount(); ++r)
            if (quotes->value(r, u"megrendelo_neve"_s) == u"Szabó Anna")
                row = r;
        QVERIFY(row >= 0);
        Find<QTableView>(form.get(), u"DBGridArajanlatok"_s)->selectRow(row);

        AnswerModal(u"Tkerdes"_s, [](QWidget *d) { Find<QPushButton>(d, u"igen"_s)->click(); });
        AnswerModal(u"Tpartnerkod_bevitel"_s, [](QWidget *d) {
            TypeText(Find<QLineEdit>(d, u"partnerkod"_s), u"7"_s);
            Find<QPushButton>(d, u"btn_rogzit"_s)->click();
        });
        AnswerModal(
            u"Tmegrendeles_kesz"_s, [](QWidget *w) { QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kSendMs); }, kSendMs);
        Find<QPushButton>(form.get(), u"btn_arajanlatbol_megrendeles"_s)->click();
        QVERIFY(AllModalsAnswered());

        const QString name = TodayText() + u"_zederivu_7-2.s3db"_s;
        const QString arrived = serverRoot.path() + u"/zederivu/"_s + name;
        QVERIFY2(QFile::exists(arrived), qPrintable(arrived));
        QVERIFY(Bytes(arrived) == Bytes(DataFolder(demo.path()).ordersFolder() + u'/' + name));
        QCOMPARE(PlainRows(arrived, u"select arajanlat_id,megrendelo_neve from tv_arajanlat"_s),
                 QStringList{u"2|Szabó Anna"_s});
        QCOMPARE(PlainRows(arrived, u"select basic_munka_id from tv_b_basic_munka"_s), QStringList{u"2"_s});
        QCOMPARE(quotes->value(row, u"mergendelve"_s), u"megrendelve"_s);
    }
};

QTEST_MAIN(OrderUploadTest)
#include "test_order_upload.moc"

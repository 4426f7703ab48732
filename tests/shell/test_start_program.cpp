// startProgram: the long-lived objects in their order, the data folder from the options, and a
// main file that cannot be opened ending the start with a message.

#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "shell/StartProgram.h"
#include "shell/TErrorDialog.h"
#include "shell/TMainForm.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <QtTest>
#include <sqlcipher/sqlite3.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

class StartProgramTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ResetModalAnswers(); }

    void parsesTheDataFolderOption()
    {
        QCOMPARE(ParseStartOptions({u"tvr"_s, u"--data-dir"_s, u"/x/y"_s}).dataDir, u"/x/y"_s);
        QCOMPARE(ParseStartOptions({u"tvr"_s, u"--data-dir=/z"_s}).dataDir, u"/z"_s);
        QVERIFY(ParseStartOptions({u"tvr"_s}).dataDir.isEmpty());
    }

    void createsTheLongLivedObjectsInOrder()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        const QDateTime fixed(QDate(2023, 6, 6), QTime(10, 30));
        auto form = startProgram({data.folder().root(), [fixed] { return fixed; }});
        QVERIFY(form);
        QCOMPARE(form->objectName(), u"TMainForm"_s);
        QCOMPARE(NowText(), u"2023.06.06. 10:30"_s);
        const QObjectList children = form->children();
        auto *dialog = form->findChild<TErrorDialog *>(u"TErrorDialog"_s, Qt::FindDirectChildrenOnly);
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s, Qt::FindDirectChildrenOnly);
        QVERIFY(dialog);
        QVERIFY(db);
        QVERIFY(children.indexOf(dialog) < children.indexOf(db));
        QCOMPARE(db->folder().root(), data.folder().root());
        QVERIFY(db->isAttached(MaterialsSchema()));
        QVERIFY(QFile::exists(data.folder().mainDatabase()));
        SetClock({});
    }

    void failingStatementShowsTheErrorDialogWithTheStatement()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto form = startProgram({data.folder().root(), {}});
        QVERIFY(form);
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        QString message, detail;
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *d) {
            message = d->findChild<QLabel *>(u"ErrorMessage"_s)->text();
            detail = d->findChild<QPlainTextEdit *>(u"ErrorDetail"_s)->toPlainText();
            QTest::mouseClick(d->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        });
        QVERIFY(!InsertRow(*db, u"tvr_nincs"_s, {u"a"_s, u"b"_s}, {u"Kovács \"Ödön\""_s, u"null"_s}));
        QVERIFY(AllModalsAnswered());
        QCOMPARE(message, u"Hiba történt a művelet során!"_s);
        QCOMPARE(detail, u"insert into tvr_nincs (a,b) values (\"Kovács \"\"Ödön\"\"\",\"null\");"_s);
    }

    void lastInsertIdFailureShowsTheFatalMessageAndEndsTheProgram()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        auto form = startProgram({data.folder().root(), {}});
        QVERIFY(form);
        auto *db = form->findChild<TDatabaseConnection *>(u"TDatabaseConnection"_s);
        int ends = 0;
        const ProgramEnder previous = SetProgramEnder([&] { ++ends; });
        sqlite3_create_function(
            TestAccess::handle(*db), "last_insert_rowid", 0, SQLITE_UTF8, nullptr,
            [](sqlite3_context *ctx, int, sqlite3_value **) { sqlite3_result_error(ctx, "disk I/O error", -1); },
            nullptr, nullptr);
        QString message;
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *d) {
            message = d->findChild<QLabel *>(u"ErrorMessage"_s)->text();
            QTest::mouseClick(d->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        });
        bool continued = false;
        QVERIFY(!runAction([&] {
            LastInsertId(*db);
            continued = true;
        }));
        QVERIFY(AllModalsAnswered());
        QCOMPARE(message, u"Végzetes hiba történt, ezért program működése leáll!"_s);
        QCOMPARE(ends, 1);
        QVERIFY(!continued);
        SetProgramEnder(previous);
    }

    void unreadableMainFileEndsTheStartWithAMessage()
    {
        TestDataFolder data;
        data.writeDemoCatalogues();
        QFile broken(data.folder().mainDatabase());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, '\x5a'));
        broken.close();
        QString shown;
        AnswerModal(u"TErrorDialog"_s, [&](QWidget *d) {
            shown = d->findChild<QLabel *>(u"ErrorMessage"_s)->text();
            QTest::mouseClick(d->findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        });
        auto form = startProgram({data.folder().root(), {}});
        QVERIFY(!form);
        QVERIFY(AllModalsAnswered());
        QVERIFY2(shown.contains(u"tvr.s3db"_s), qPrintable(shown));
    }
};

QTEST_MAIN(StartProgramTest)
#include "test_start_program.moc"

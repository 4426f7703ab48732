// The password dialog of the store manager, driven as a user would (by object name) against a real
// encrypted database in a temporary data folder.

#include "database/DB_DatabaseConnection.h"
#include "shell/Tfelhasznalo_bevitel.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

// MD5 of the Windows-1250 bytes, upper-case hexadecimal (worked out independently of the program).
const QString OldHash = u"B8B5891C303E4310FF82667016C45E9E"_s; // "régi"

QLineEdit *Field(const QWidget *dialog, const QString &name)
{
    return dialog->findChild<QLineEdit *>(name);
}

QPushButton *Button(const QWidget *dialog, const QString &name)
{
    return dialog->findChild<QPushButton *>(name);
}

} // namespace

class UserDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namesCaptionsAndLimits();
    void wrongInputShowsMessageAndStays_data();
    void wrongInputShowsMessageAndStays();
    void changeModeRenamesAndStoresTheHash_data();
    void changeModeRenamesAndStoresTheHash();
    void createModeInsertsTheStoreManager();
    void storeManagerIsUserOneAmongInactiveRows_data();
    void storeManagerIsUserOneAmongInactiveRows();
    void cancelChangesNothing_data();
    void cancelChangesNothing();

private:
    void addUser(const QString &name, const QString &hash, const QString &active = u"1"_s);
    QStringList users();

    std::unique_ptr<TestDataFolder> m_data;
    std::unique_ptr<ErrorRecorder> m_errors;
    std::unique_ptr<TDatabaseConnection> m_db;
};

void UserDialogTest::init()
{
    ResetModalAnswers();
    m_data = std::make_unique<TestDataFolder>();
    m_data->writeMaterials();
    m_errors = std::make_unique<ErrorRecorder>();
    m_db = m_data->open();
}

void UserDialogTest::cleanup()
{
    const auto errors = m_errors->errors;
    m_db.reset();
    m_errors.reset();
    m_data.reset();
    QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run");
    QVERIFY(!QApplication::activeModalWidget());
    for (const auto &[message, detail] : errors)
        qWarning("unexpected error: %s / %s", qPrintable(message), qPrintable(detail));
    QVERIFY(errors.empty());
}

void UserDialogTest::addUser(const QString &name, const QString &hash, const QString &active)
{
    m_db->execute(u"insert into tvr_users (user_name,pwd,active) values (?,?,?)"_s, {name, hash, active});
}

// Every user as id, name, hash, active, in id order.
QStringList UserDialogTest::users()
{
    return m_db->select(u"select user_id,user_name,pwd,active from tvr_users order by user_id"_s, {});
}

void UserDialogTest::namesCaptionsAndLimits()
{
    Tfelhasznalo_bevitel dialog(*m_db);
    QCOMPARE(dialog.objectName(), u"Tfelhasznalo_bevitel"_s);
    QCOMPARE(dialog.windowTitle(), u"Új jelszó megadása"_s);
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.findChild<QLabel *>(u"lab_pwd"_s)->text(), u"Az új jelszó:"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"lab_pwd_2x"_s)->text(), u"Az új jelszó mégegyszer:"_s);
    QCOMPARE(Button(&dialog, u"btn_rogzites"_s)->text(), u"Rögzítés"_s);
    QCOMPARE(Button(&dialog, u"btn_bezar"_s)->text(), u"Mégsem"_s);
    for (const QString &name : {u"pwd"_s, u"pwd_2x"_s}) {
        QLineEdit *field = Field(&dialog, name);
        QVERIFY2(field, qPrintable(name));
        QCOMPARE(field->maxLength(), 20);
        QCOMPARE(field->echoMode(), QLineEdit::Normal); // shown in clear
    }
}

void UserDialogTest::wrongInputShowsMessageAndStays_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    const QString missing = u"Az új jelszót meg kell adni!"_s;
    const QString different = u"A két jelszó nem egyezik!"_s;
    QTest::newRow("both empty") << QString() << QString() << missing;
    QTest::newRow("only the repetition") << QString() << u"titok"_s << missing;
    QTest::newRow("different") << u"titok"_s << u"titoK"_s << different;
    QTest::newRow("no repetition") << u"titok"_s << QString() << different;
    QTest::newRow("repetition longer") << u"titok"_s << u"titok "_s << different;
    // Hashed as Windows-1250 bytes, "Жук" would become "???" and open the program like "Бык".
    const QString cyrillic = u"A jelszóban nem használható a(z) „Ж” karakter. Kérem, válasszon más jelszót!"_s;
    QTest::newRow("outside the code page") << u"Жук1"_s << u"Жук1"_s << cyrillic;
    QTest::newRow("emoji") << u"titok🔑"_s << u"titok🔑"_s
                           << u"A jelszóban nem használható a(z) „🔑” karakter. Kérem, válasszon más jelszót!"_s;
}

void UserDialogTest::wrongInputShowsMessageAndStays()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    addUser(u"Admin"_s, OldHash);
    const QStringList before = users();

    Tfelhasznalo_bevitel dialog(*m_db);
    dialog.setUserId(u"1"_s);
    dialog.setChangeExisting(true);
    QVERIFY(ShowActive(dialog));
    Field(&dialog, u"pwd"_s)->setText(first);
    Field(&dialog, u"pwd_2x"_s)->setText(second);

    QString shown;
    AnswerModal(u"TMessageDialog"_s, [&shown](QWidget *box) {
        shown = box->findChild<QLabel *>(u"message_label"_s)->text();
        QTest::mouseClick(box->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    });
    QTest::mouseClick(Button(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QCOMPARE(shown, message);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(Field(&dialog, u"pwd"_s)->text(), first);
    QCOMPARE(users(), before);
}

void UserDialogTest::changeModeRenamesAndStoresTheHash_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("hash");
    QTest::addColumn<bool>("byKeyboard"); // Enter, Enter, Enter on "Rögzítés"
    QTest::newRow("plain") << u"titok"_s << u"201016E8206A5F42AA527090511504D5"_s << true;
    QTest::newRow("accented") << u"Árvíztűrő"_s << u"33776FD7C07E99B46A1F1203E64A6C23"_s << false;
}

void UserDialogTest::changeModeRenamesAndStoresTheHash()
{
    QFETCH(QString, password);
    QFETCH(QString, hash);
    QFETCH(bool, byKeyboard);
    addUser(u"Admin"_s, OldHash);
    addUser(u"Segéd"_s, OldHash);

    Tfelhasznalo_bevitel dialog(*m_db);
    dialog.setUserId(u"1"_s);
    dialog.setChangeExisting(true);
    Field(&dialog, u"pwd"_s)->setText(u"maradék"_s); // cleared when the dialog opens
    QVERIFY(ShowActive(dialog));
    QVERIFY(Field(&dialog, u"pwd"_s)->text().isEmpty());
    QCOMPARE(FocusedName(), u"pwd"_s);

    TypeText(Field(&dialog, u"pwd"_s), password);
    if (byKeyboard) {
        Press(Qt::Key_Return);
        QCOMPARE(FocusedName(), u"pwd_2x"_s);
        TypeText(QApplication::focusWidget(), password);
        Press(Qt::Key_Return);
        QCOMPARE(FocusedName(), u"btn_rogzites"_s);
        QVERIFY(dialog.isVisible());
        Press(Qt::Key_Return);
    } else {
        TypeText(Field(&dialog, u"pwd_2x"_s), password);
        QTest::mouseClick(Button(&dialog, u"btn_rogzites"_s), Qt::LeftButton);
    }

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(users(), (QStringList{u"1"_s, u"Üzletvezető"_s, hash, u"1"_s, u"2"_s, u"Segéd"_s, OldHash, u"1"_s}));
}

void UserDialogTest::createModeInsertsTheStoreManager()
{
    Tfelhasznalo_bevitel dialog(*m_db);
    dialog.setChangeExisting(false);
    QVERIFY(ShowActive(dialog));
    TypeText(Field(&dialog, u"pwd"_s), u"titok"_s);
    TypeText(Field(&dialog, u"pwd_2x"_s), u"titok"_s);
    QTest::mouseClick(Button(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(users(), (QStringList{u"1"_s, u"Üzletvezető"_s, u"201016E8206A5F42AA527090511504D5"_s, u"1"_s}));
}

void UserDialogTest::storeManagerIsUserOneAmongInactiveRows_data()
{
    QTest::addColumn<bool>("userOneExists");
    QTest::newRow("user 1 inactive") << true;
    QTest::newRow("user 1 gone, others inactive") << false;
}

void UserDialogTest::storeManagerIsUserOneAmongInactiveRows()
{
    QFETCH(bool, userOneExists);
    addUser(u"Régi vezető"_s, OldHash, u"0"_s);
    addUser(u"Régi segéd"_s, OldHash, u"0"_s);
    if (!userOneExists)
        m_db->execute(u"delete from tvr_users where user_id=1"_s);
    Tfelhasznalo_bevitel dialog(*m_db);
    dialog.setChangeExisting(false);
    QVERIFY(ShowActive(dialog));
    TypeText(Field(&dialog, u"pwd"_s), u"titok"_s);
    TypeText(Field(&dialog, u"pwd_2x"_s), u"titok"_s);
    QTest::mouseClick(Button(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QVERIFY(!dialog.cancelled());
    const QString hash = u"201016E8206A5F42AA527090511504D5"_s;
    QCOMPARE(m_db->select(u"select user_id,user_name,pwd from tvr_users where active=1"_s, {}),
             (QStringList{u"1"_s, u"Üzletvezető"_s, hash}));
    QCOMPARE(m_db->select(u"select count(*) from tvr_users"_s, {}), QStringList{u"2"_s});
}

void UserDialogTest::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<bool>("changeExisting");
    QTest::newRow("Mégsem, change") << false << true;
    QTest::newRow("Escape, change") << true << true;
    QTest::newRow("Escape, create") << true << false;
}

void UserDialogTest::cancelChangesNothing()
{
    QFETCH(bool, escape);
    QFETCH(bool, changeExisting);
    addUser(u"Admin"_s, OldHash);
    const QStringList before = users();

    Tfelhasznalo_bevitel dialog(*m_db);
    dialog.setUserId(u"1"_s);
    dialog.setChangeExisting(changeExisting);
    QVERIFY(ShowActive(dialog));
    TypeText(Field(&dialog, u"pwd"_s), u"titok"_s);
    TypeText(Field(&dialog, u"pwd_2x"_s), u"titok"_s);
    Field(&dialog, u"pwd_2x"_s)->setFocus();
    if (escape)
        Press(Qt::Key_Escape);
    else
        QTest::mouseClick(Button(&dialog, u"btn_bezar"_s), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(users(), before);
}

QTEST_MAIN(UserDialogTest)
#include "test_user_dialog.moc"

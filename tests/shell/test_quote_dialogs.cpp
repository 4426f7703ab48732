// The small dialogs of the quote list, the notes page and the quote editors' customer data, driven as
// a user would (by object name) against a real encrypted database in a temporary data folder.

#include "common/CN_CommonDateFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "shell/Tarajanlat_indulas.h"
#include "shell/Tfelhasznalo_bevitel.h"
#include "shell/Tfeljegyzes_bevitel.h"
#include "shell/Tmegrendelo_modositas.h"
#include "shell/Tvisszaigazolasi_szamok_bevitel.h"
#include "shell/Tviszonteladoi_rendelesszam_hozzarendelese.h"
#include "support/Gallery.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <sqlcipher/sqlite3.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <type_traits>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const QDateTime FixedNow(QDate(2023, 6, 6), QTime(10, 15));
const QString FixedNowText = u"2023.06.06. 10:15"_s;
const QString TestUserId = u"7"_s;

// Empties the field and types text into it key by key.
void Retype(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    TypeText(field, text);
}

template <class W> W *Find(const QWidget *dialog, const QString &name)
{
    return dialog->findChild<W *>(name);
}

// Answers the message dialog that the next action opens, checking its text.
void ExpectMessage(const QString &expected, bool &seen)
{
    AnswerModal(u"TMessageDialog"_s, [expected, &seen](QWidget *dialog) {
        seen = true;
        auto *label = Find<QLabel>(dialog, u"message_label"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), expected);
        QTest::mouseClick(Find<QPushButton>(dialog, u"BitBtn1"_s), Qt::LeftButton);
    });
}

enum class Cancel { Escape, Button };

// Closes a dialog without saving: Escape where the focus is, or the named button.
void CancelBy(QDialog &dialog, Cancel how, const QString &buttonName)
{
    if (how == Cancel::Escape) {
        Press(Qt::Key_Escape);
        return;
    }
    auto *button = Find<QPushButton>(&dialog, buttonName);
    QVERIFY2(button, qPrintable(buttonName));
    QTest::mouseClick(button, Qt::LeftButton);
}

using DialogFactory = std::function<std::unique_ptr<QDialog>(TDatabaseConnection &)>;

} // namespace

Q_DECLARE_METATYPE(Cancel)
Q_DECLARE_METATYPE(Tvisszaigazolasi_szamok_bevitel::Mode)
Q_DECLARE_METATYPE(Tfeljegyzes_bevitel::Mode)
Q_DECLARE_METATYPE(DialogFactory)

namespace
{
// A dialog of the test, with the field whose text it saves, its save button, and what the
// database holds of what it edits.
struct FormCase {
    std::unique_ptr<TInputForm> dialog;
    QString field;
    QString saveButton;
};
using FormFactory = std::function<FormCase(TDatabaseConnection &, const QString &quoteId, const QString &noteId)>;

FormFactory NoteForm(Tfeljegyzes_bevitel::Mode mode)
{
    return [mode](TDatabaseConnection &db, const QString &, const QString &noteId) {
        auto dialog = std::make_unique<Tfeljegyzes_bevitel>(db);
        dialog->setMode(mode);
        dialog->setNoteId(noteId);
        return FormCase{std::move(dialog), u"feljegyzes"_s, u"btn_rogzites"_s};
    };
}
FormCase CustomerForm(TDatabaseConnection &db, const QString &quoteId, const QString &)
{
    auto dialog = std::make_unique<Tmegrendelo_modositas>(db);
    dialog->setQuoteId(quoteId);
    return FormCase{std::move(dialog), u"megrendelo_neve"_s, u"btn_rogzites"_s};
}
FormCase OwnIdForm(TDatabaseConnection &db, const QString &quoteId, const QString &)
{
    auto dialog = std::make_unique<Tviszonteladoi_rendelesszam_hozzarendelese>(db);
    dialog->setQuoteId(quoteId);
    return FormCase{std::move(dialog), u"rendeleszam"_s, u"btn_rogzit"_s};
}
FormCase ConfirmationForm(TDatabaseConnection &db, const QString &quoteId, const QString &)
{
    auto dialog = std::make_unique<Tvisszaigazolasi_szamok_bevitel>(db);
    dialog->setQuoteId(quoteId);
    dialog->setMode(Tvisszaigazolasi_szamok_bevitel::Mode::Folder);
    return FormCase{std::move(dialog), u"szam"_s, u"btn_rogzit"_s};
}
} // namespace

Q_DECLARE_METATYPE(FormFactory)

class QuoteDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namesCaptionsAndLimits_data();
    void namesCaptionsAndLimits();

    void newQuoteStoresEveryColumn_data();
    void newQuoteStoresEveryColumn();
    void newQuoteWithoutNameShowsMessageAndStays_data();
    void newQuoteWithoutNameShowsMessageAndStays();
    void cancellingNewQuoteStoresNothing_data();
    void cancellingNewQuoteStoresNothing();

    void ownIdentifierIsStoredAsTyped_data();
    void ownIdentifierIsStoredAsTyped();
    void ownIdentifierCancelChangesNothing_data();
    void ownIdentifierCancelChangesNothing();

    void confirmationNumberGoesToItsColumn_data();
    void confirmationNumberGoesToItsColumn();
    void confirmationNumberCancelChangesNothing();

    void newNoteIsStored_data();
    void newNoteIsStored();
    void changedNoteIsRewritten_data();
    void changedNoteIsRewritten();
    void noteCancelChangesNothing_data();
    void noteCancelChangesNothing();

    void customerDataIsStoredAsTyped_data();
    void customerDataIsStoredAsTyped();
    void customerCancelAfterEditingLeavesTheRow_data();
    void customerCancelAfterEditingLeavesTheRow();
    void customerFailingStatementKeepsTheDialogOpen();

    void refusedTextKeepsTheFormOpenWithIt_data();
    void refusedTextKeepsTheFormOpenWithIt();
    void formWhoseReadFailedDoesNotSave_data();
    void formWhoseReadFailedDoesNotSave();

    void gallery();

private:
    // Inserts a quote header with the given customer data and confirmation numbers; returns its id.
    QString addQuote(const QString &name, const QString &phone = {}, const QString &address = {},
                     const QString &ownId = {}, const QString &folder = u"0"_s, const QString &kitchen = u"0"_s);
    QString addNote(const QString &text, const QString &user, const QString &time);
    QStringList quoteRow(const QString &id, const QString &columns);
    int count(const QString &table);

    std::unique_ptr<TestDataFolder> m_data;
    std::unique_ptr<ErrorRecorder> m_errors;
    std::unique_ptr<TDatabaseConnection> m_db;
};

void QuoteDialogsTest::init()
{
    ResetModalAnswers();
    m_data = std::make_unique<TestDataFolder>();
    m_data->writeMaterials();
    m_errors = std::make_unique<ErrorRecorder>();
    m_db = m_data->open();
    SetClock([] { return FixedNow; });
    System().CurrentUserId = TestUserId;
}

void QuoteDialogsTest::cleanup()
{
    SetClock({});
    System().CurrentUserId = u"0"_s;
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

QString QuoteDialogsTest::addQuote(const QString &name, const QString &phone, const QString &address,
                                   const QString &ownId, const QString &folder, const QString &kitchen)
{
    m_db->execute(u"insert into tvr_arajanlat (megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,rogzitette,"
                  u"rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,basic_munka_id) values "
                  u"(?,?,?,'1','2023.01.02. 08:00','1','1',?,?,?)"_s,
                  {name, phone, address, ownId, folder, kitchen});
    return m_db->select(u"select max(arajanlat_id) from tvr_arajanlat"_s, {}).value(0);
}

QString QuoteDialogsTest::addNote(const QString &text, const QString &user, const QString &time)
{
    m_db->execute(u"insert into tvr_feljegyzesek (feljegyzes,rogzitette,rogzites_ideje) values (?,?,?)"_s,
                  {text, user, time});
    return m_db->select(u"select max(feljegyzes_id) from tvr_feljegyzesek"_s, {}).value(0);
}

QStringList QuoteDialogsTest::quoteRow(const QString &id, const QString &columns)
{
    return m_db->select(u"select "_s + columns + u" from tvr_arajanlat where arajanlat_id=?"_s, {id});
}

int QuoteDialogsTest::count(const QString &table)
{
    return m_db->select(u"select count(*) from "_s + table, {}).value(0).toInt();
}

// ---------------------------------------------------------------------------------------------
// Names, captions and limits of every control, before the dialog is shown.

void QuoteDialogsTest::namesCaptionsAndLimits_data()
{
    QTest::addColumn<DialogFactory>("factory");
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("caption");
    // control name -> expected text (labels and buttons) or maximum length (fields, as a number)
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("limits");

    const auto make = [](auto tag) -> DialogFactory {
        using D = typename decltype(tag)::type;
        return [](TDatabaseConnection &db) { return std::make_unique<D>(db); };
    };
    QTest::newRow("Tarajanlat_indulas")
        << make(std::type_identity<Tarajanlat_indulas>{}) << u"Tarajanlat_indulas"_s << u"Az ügyfél adatai"_s
        << QStringList{u"lab_megrendelo_neve=A vevőd neve, vagy a rendelés egyéb megnevezése"_s,
                       u"lab_megrendelo_telefonszama=Telefonszáma"_s, u"btn_tovabb_dorvatbasic=TOVÁBB >>>"_s,
                       u"btn_close=X"_s}
        << QStringList{u"megrendelo_neve=50"_s, u"megrendelo_telefonszama=50"_s};
    QTest::newRow("Tviszonteladoi_rendelesszam_hozzarendelese")
        << make(std::type_identity<Tviszonteladoi_rendelesszam_hozzarendelese>{})
        << u"Tviszonteladoi_rendelesszam_hozzarendelese"_s << u"Egyedi rendelésazonosító"_s
        << QStringList{u"lab_rendeleszam=Az egyedi rendelésazonosítója legyen:"_s, u"btn_rogzit=Rögzítem!"_s,
                       u"btn_megsem=Mégsem"_s}
        << QStringList{u"rendeleszam=10"_s};
    QTest::newRow("Tvisszaigazolasi_szamok_bevitel")
        << make(std::type_identity<Tvisszaigazolasi_szamok_bevitel>{}) << u"Tvisszaigazolasi_szamok_bevitel"_s
        << u"Visszaigazolási szám"_s << QStringList{u"btn_rogzit=Rögzítem!"_s, u"btn_megsem=Mégsem"_s}
        << QStringList{u"szam=9"_s};
    QTest::newRow("Tfeljegyzes_bevitel") << make(std::type_identity<Tfeljegyzes_bevitel>{}) << u"Tfeljegyzes_bevitel"_s
                                         << u"Új feljegyzés írás"_s
                                         << QStringList{u"lab_feljegyzes=a feljegyzés, emlékeztető:"_s,
                                                        u"btn_rogzites=Rögzítés"_s, u"btn_megsem=Mégsem"_s}
                                         << QStringList{u"feljegyzes=200"_s};
    QTest::newRow("Tmegrendelo_modositas") << make(std::type_identity<Tmegrendelo_modositas>{})
                                           << u"Tmegrendelo_modositas"_s << u"A megrendelő adatainak módosítása"_s
                                           << QStringList{u"lab_cimsor=A megrendelő adainak módosítása"_s,
                                                          u"lab_megrendelo_neve=a megrendelő neve"_s,
                                                          u"lab_cime=címe"_s,
                                                          u"lab_telefonszama=telefonszáma"_s,
                                                          u"btn_rogzites=Rögzítés"_s,
                                                          u"btn_megsem=Mégsem"_s}
                                           << QStringList{u"megrendelo_neve=50"_s, u"cime=50"_s, u"telefonszama=50"_s};
}

void QuoteDialogsTest::namesCaptionsAndLimits()
{
    QFETCH(DialogFactory, factory);
    QFETCH(QString, dialogName);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, limits);

    const auto dialog = factory(*m_db);
    QCOMPARE(dialog->objectName(), dialogName);
    QCOMPARE(dialog->windowTitle(), caption);
    QVERIFY(dialog->isModal());
    for (const QString &entry : texts) {
        const QString name = entry.section(u'=', 0, 0);
        const QString text = entry.section(u'=', 1);
        QWidget *control = Find<QWidget>(dialog.get(), name);
        QVERIFY2(control, qPrintable(name));
        if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), text);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), text);
        else
            QFAIL(qPrintable(name + u" is neither a label nor a button"_s));
    }
    for (const QString &entry : limits) {
        const QString name = entry.section(u'=', 0, 0);
        auto *field = Find<QLineEdit>(dialog.get(), name);
        QVERIFY2(field, qPrintable(name));
        QCOMPARE(field->maxLength(), entry.section(u'=', 1).toInt());
        QCOMPARE(field->echoMode(), QLineEdit::Normal);
    }
}

// ---------------------------------------------------------------------------------------------
// Tarajanlat_indulas

void QuoteDialogsTest::newQuoteStoresEveryColumn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<bool>("byKeyboard"); // Enter through the fields, or a click on TOVÁBB

    QTest::newRow("click") << u"Kovács Ödön"_s << u"+36 30 555 0101"_s << false;
    QTest::newRow("keyboard") << u"Szabó \"Kis\" Éva 50%_\\"_s << u"06-1/234"_s << true;
    QTest::newRow("no phone") << u"Árvíztűrő Bt."_s << QString() << true;
}

void QuoteDialogsTest::newQuoteStoresEveryColumn()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(bool, byKeyboard);

    addQuote(u"Előző vevő"_s); // the new id must be read, not assumed to be 1
    Tarajanlat_indulas dialog(*m_db);
    QVERIFY(ShowActive(dialog));
    QVERIFY(dialog.cancelled());
    QCOMPARE(dialog.quoteType(), u"0"_s);
    QCOMPARE(FocusedName(), u"megrendelo_neve"_s);

    TypeText(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s), name);
    if (byKeyboard) {
        Press(Qt::Key_Return);
        QCOMPARE(FocusedName(), u"megrendelo_telefonszama"_s);
        TypeText(QApplication::focusWidget(), phone);
        Press(Qt::Key_Return); // presses TOVÁBB
    } else {
        TypeText(Find<QLineEdit>(&dialog, u"megrendelo_telefonszama"_s), phone);
        QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_tovabb_dorvatbasic"_s), Qt::LeftButton);
    }

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.cancelled());
    QCOMPARE(dialog.quoteType(), u"1"_s);
    QCOMPARE(count(u"tvr_arajanlat"_s), 2);
    const QString newest = m_db->select(u"select max(arajanlat_id) from tvr_arajanlat"_s, {}).value(0);
    QCOMPARE(dialog.newQuoteId(), newest);
    QCOMPARE(newest, u"2"_s);
    const QStringList expected{name,       phone,        QString(),       u"1"_s,
                               TestUserId, FixedNowText, u"1"_s /*type*/, u"0"_s /*status*/,
                               QString(),  u"0"_s,       u"0"_s};
    QCOMPARE(quoteRow(newest, u"megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,active,rogzitette,"
                              u"rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,"
                              u"basic_munka_id"_s),
             expected);
}

void QuoteDialogsTest::newQuoteWithoutNameShowsMessageAndStays_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("TOVÁBB clicked") << false;
    QTest::newRow("Enter in the telephone field") << true;
}

void QuoteDialogsTest::newQuoteWithoutNameShowsMessageAndStays()
{
    QFETCH(bool, byKeyboard);
    Tarajanlat_indulas dialog(*m_db);
    QVERIFY(ShowActive(dialog));
    auto *phone = Find<QLineEdit>(&dialog, u"megrendelo_telefonszama"_s);
    TypeText(phone, u"+36 1 234 5678"_s);

    bool seen = false;
    ExpectMessage(u"A vásárló nevét nem adta meg!"_s, seen);
    if (byKeyboard) {
        phone->setFocus();
        Press(Qt::Key_Return);
    } else {
        QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_tovabb_dorvatbasic"_s), Qt::LeftButton);
    }

    QVERIFY(seen);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(dialog.quoteType(), u"0"_s);
    QVERIFY(dialog.newQuoteId().isEmpty());
    QCOMPARE(phone->text(), u"+36 1 234 5678"_s);
    QCOMPARE(count(u"tvr_arajanlat"_s), 0);

    // The name typed afterwards goes on normally.
    TypeText(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s), u"Pál"_s);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_tovabb_dorvatbasic"_s), Qt::LeftButton);
    QVERIFY(!dialog.cancelled());
    QCOMPARE(count(u"tvr_arajanlat"_s), 1);
}

void QuoteDialogsTest::cancellingNewQuoteStoresNothing_data()
{
    QTest::addColumn<Cancel>("how");
    QTest::addColumn<QString>("focusField");
    QTest::newRow("Escape in the name") << Cancel::Escape << u"megrendelo_neve"_s;
    QTest::newRow("Escape in the telephone") << Cancel::Escape << u"megrendelo_telefonszama"_s;
    QTest::newRow("X") << Cancel::Button << u"megrendelo_neve"_s;
}

void QuoteDialogsTest::cancellingNewQuoteStoresNothing()
{
    QFETCH(Cancel, how);
    QFETCH(QString, focusField);
    Tarajanlat_indulas dialog(*m_db);
    QVERIFY(ShowActive(dialog));
    TypeText(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s), u"Kovács Ödön"_s);
    TypeText(Find<QLineEdit>(&dialog, u"megrendelo_telefonszama"_s), u"123"_s);
    Find<QLineEdit>(&dialog, focusField)->setFocus();

    CancelBy(dialog, how, u"btn_close"_s);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.cancelled());
    QCOMPARE(dialog.quoteType(), u"0"_s);
    QVERIFY(dialog.newQuoteId().isEmpty());
    QCOMPARE(count(u"tvr_arajanlat"_s), 0);
}

// ---------------------------------------------------------------------------------------------
// Tviszonteladoi_rendelesszam_hozzarendelese

void QuoteDialogsTest::ownIdentifierIsStoredAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byKeyboard"); // Enter, then Enter on "Rögzítem!"
    QTest::newRow("double quote") << u"12\"A"_s << false;
    QTest::newRow("percent and underscore") << u"50%_x"_s << true;
    QTest::newRow("backslash and accent") << u"Ő\\2023"_s << false;
    QTest::newRow("empty") << QString() << true;
}

void QuoteDialogsTest::ownIdentifierIsStoredAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, byKeyboard);
    const QString id = addQuote(u"Kovács"_s, {}, {}, u"RÉGI-1"_s);
    const QString other = addQuote(u"Másik"_s, {}, {}, u"MARAD"_s);

    Tviszonteladoi_rendelesszam_hozzarendelese dialog(*m_db);
    dialog.setQuoteId(id);
    QVERIFY(ShowActive(dialog));
    auto *field = Find<QLineEdit>(&dialog, u"rendeleszam"_s);
    QCOMPARE(field->text(), u"RÉGI-1"_s);
    QCOMPARE(FocusedName(), u"rendeleszam"_s);
    QCOMPARE(field->cursorPosition(), 6);
    QVERIFY(!field->hasSelectedText());
    QVERIFY(dialog.cancelled());

    Retype(field, typed);
    QCOMPARE(field->text(), typed);
    if (byKeyboard) {
        Press(Qt::Key_Return);
        QCOMPARE(FocusedName(), u"btn_rogzit"_s);
        QVERIFY(dialog.isVisible()); // Enter in the field only moves the focus
        QCOMPARE(quoteRow(id, u"rendelesszam"_s), QStringList{u"RÉGI-1"_s});
        Press(Qt::Key_Return);
    } else {
        QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzit"_s), Qt::LeftButton);
    }

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(quoteRow(id, u"rendelesszam"_s), QStringList{typed});
    QCOMPARE(quoteRow(other, u"rendelesszam"_s), QStringList{u"MARAD"_s});
}

void QuoteDialogsTest::ownIdentifierCancelChangesNothing_data()
{
    QTest::addColumn<Cancel>("how");
    QTest::newRow("Mégsem") << Cancel::Button;
    QTest::newRow("Escape") << Cancel::Escape;
}

void QuoteDialogsTest::ownIdentifierCancelChangesNothing()
{
    QFETCH(Cancel, how);
    const QString id = addQuote(u"Kovács"_s, {}, {}, u"RÉGI-1"_s);
    Tviszonteladoi_rendelesszam_hozzarendelese dialog(*m_db);
    dialog.setQuoteId(id);
    QVERIFY(ShowActive(dialog));
    Retype(Find<QLineEdit>(&dialog, u"rendeleszam"_s), u"ÚJ"_s);

    CancelBy(dialog, how, u"btn_megsem"_s);

    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(quoteRow(id, u"rendelesszam"_s), QStringList{u"RÉGI-1"_s});
}

// ---------------------------------------------------------------------------------------------
// Tvisszaigazolasi_szamok_bevitel

void QuoteDialogsTest::confirmationNumberGoesToItsColumn_data()
{
    using Mode = Tvisszaigazolasi_szamok_bevitel::Mode;
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");      // the current number shown at the start
    QTest::addColumn<QString>("typed");      // keys typed into the emptied field
    QTest::addColumn<QString>("inField");    // what the validator and the length limit let through
    QTest::addColumn<QStringList>("stored"); // munka_mappa_id, basic_munka_id afterwards

    QTest::newRow("folder") << Mode::Folder << u"MAPPA:"_s << u"11"_s << u"12345"_s << u"12345"_s
                            << QStringList{u"12345"_s, u"22"_s};
    QTest::newRow("kitchen system") << Mode::KitchenSystem << u"BASIC:"_s << u"22"_s << u"987"_s << u"987"_s
                                    << QStringList{u"11"_s, u"987"_s};
    QTest::newRow("letters rejected") << Mode::Folder << u"MAPPA:"_s << u"11"_s << u"1a2-b3 ő4\"%"_s << u"1234"_s
                                      << QStringList{u"1234"_s, u"22"_s};
    QTest::newRow("at most nine digits") << Mode::KitchenSystem << u"BASIC:"_s << u"22"_s << u"1234567890"_s
                                         << u"123456789"_s << QStringList{u"11"_s, u"123456789"_s};
    QTest::newRow("empty is zero") << Mode::KitchenSystem << u"BASIC:"_s << u"22"_s << QString() << QString()
                                   << QStringList{u"11"_s, u"0"_s};
    QTest::newRow("leading zeros") << Mode::Folder << u"MAPPA:"_s << u"11"_s << u"0042"_s << u"0042"_s
                                   << QStringList{u"42"_s, u"22"_s};
}

void QuoteDialogsTest::confirmationNumberGoesToItsColumn()
{
    using Mode = Tvisszaigazolasi_szamok_bevitel::Mode;
    QFETCH(Mode, mode);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QString, inField);
    QFETCH(QStringList, stored);
    const QString id = addQuote(u"Kovács"_s, {}, {}, u"R1"_s, u"11"_s, u"22"_s);
    const QString other = addQuote(u"Másik"_s, {}, {}, u"R2"_s, u"33"_s, u"44"_s);

    Tvisszaigazolasi_szamok_bevitel dialog(*m_db);
    dialog.setQuoteId(id);
    dialog.setMode(mode);
    QVERIFY(ShowActive(dialog));
    auto *field = Find<QLineEdit>(&dialog, u"szam"_s);
    QCOMPARE(Find<QLabel>(&dialog, u"lab_szam"_s)->text(), label);
    QCOMPARE(field->text(), shown);
    QCOMPARE(FocusedName(), u"szam"_s);

    Retype(field, typed);
    QCOMPARE(field->text(), inField);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzit"_s);
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzit"_s), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(quoteRow(id, u"munka_mappa_id,basic_munka_id"_s), stored);
    QCOMPARE(quoteRow(other, u"munka_mappa_id,basic_munka_id"_s), (QStringList{u"33"_s, u"44"_s}));
}

void QuoteDialogsTest::confirmationNumberCancelChangesNothing()
{
    const QString id = addQuote(u"Kovács"_s, {}, {}, u"R1"_s, u"11"_s, u"22"_s);
    for (const Cancel how : {Cancel::Button, Cancel::Escape}) {
        Tvisszaigazolasi_szamok_bevitel dialog(*m_db);
        dialog.setQuoteId(id);
        dialog.setMode(how == Cancel::Button ? Tvisszaigazolasi_szamok_bevitel::Mode::Folder
                                             : Tvisszaigazolasi_szamok_bevitel::Mode::KitchenSystem);
        QVERIFY(ShowActive(dialog));
        Retype(Find<QLineEdit>(&dialog, u"szam"_s), u"999"_s);
        CancelBy(dialog, how, u"btn_megsem"_s);
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.cancelled());
        QCOMPARE(quoteRow(id, u"munka_mappa_id,basic_munka_id"_s), (QStringList{u"11"_s, u"22"_s}));
    }
}

// ---------------------------------------------------------------------------------------------
// Tfeljegyzes_bevitel

void QuoteDialogsTest::newNoteIsStored_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("text") << u"Hívd vissza \"Kovácsot\": 50%_kedvezmény \\ hétfőn"_s;
    QTest::newRow("empty") << QString();
}

void QuoteDialogsTest::newNoteIsStored()
{
    QFETCH(QString, text);
    const QString earlier = addNote(u"régi"_s, u"1"_s, u"2023.01.01. 09:00"_s);
    Tfeljegyzes_bevitel dialog(*m_db);
    dialog.setMode(Tfeljegyzes_bevitel::Mode::New);
    dialog.setNoteId(earlier); // ignored for a new note
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.windowTitle(), u"Új feljegyzés"_s);
    auto *field = Find<QLineEdit>(&dialog, u"feljegyzes"_s);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(FocusedName(), u"feljegyzes"_s);

    TypeText(field, text);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzites"_s);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(count(u"tvr_feljegyzesek"_s), 2);
    QCOMPARE(m_db->select(u"select feljegyzes,active,rogzitette,rogzites_ideje from tvr_feljegyzesek "
                          u"where feljegyzes_id<>?"_s,
                          {earlier}),
             (QStringList{text, u"1"_s, TestUserId, FixedNowText}));
    QCOMPARE(m_db->select(u"select feljegyzes from tvr_feljegyzesek where feljegyzes_id=?"_s, {earlier}),
             QStringList{u"régi"_s});
}

void QuoteDialogsTest::changedNoteIsRewritten_data()
{
    QTest::addColumn<QString>("typed"); // typed after the shown text
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("stored");
    QTest::newRow("appended") << u" — kész, \"OK\""_s << false << u"Hívd Kovácsot — kész, \"OK\""_s;
    QTest::newRow("emptied") << QString() << true << QString();
}

void QuoteDialogsTest::changedNoteIsRewritten()
{
    QFETCH(QString, typed);
    QFETCH(bool, clearFirst);
    QFETCH(QString, stored);
    const QString note = addNote(u"Hívd Kovácsot"_s, u"1"_s, u"2023.01.01. 09:00"_s);
    const QString other = addNote(u"Másik"_s, u"1"_s, u"2023.01.01. 09:30"_s);

    Tfeljegyzes_bevitel dialog(*m_db);
    dialog.setMode(Tfeljegyzes_bevitel::Mode::Change);
    dialog.setNoteId(note);
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.windowTitle(), u"Feljegyzés módosítása"_s);
    auto *field = Find<QLineEdit>(&dialog, u"feljegyzes"_s);
    QCOMPARE(field->text(), u"Hívd Kovácsot"_s);
    QCOMPARE(FocusedName(), u"feljegyzes"_s);
    QCOMPARE(field->cursorPosition(), field->text().size());
    QVERIFY(!field->hasSelectedText());

    if (clearFirst)
        Retype(field, typed);
    else
        TypeText(field, typed); // at the caret, after the old text
    Press(Qt::Key_Return);
    Press(Qt::Key_Return); // on "Rögzítés"

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    QCOMPARE(count(u"tvr_feljegyzesek"_s), 2);
    const QString columns = u"select feljegyzes,active,rogzitette,rogzites_ideje from tvr_feljegyzesek "
                            u"where feljegyzes_id=?"_s;
    QCOMPARE(m_db->select(columns, {note}), (QStringList{stored, u"1"_s, TestUserId, FixedNowText}));
    QCOMPARE(m_db->select(columns, {other}), (QStringList{u"Másik"_s, u"1"_s, u"1"_s, u"2023.01.01. 09:30"_s}));
}

void QuoteDialogsTest::noteCancelChangesNothing_data()
{
    QTest::addColumn<Tfeljegyzes_bevitel::Mode>("mode");
    QTest::addColumn<Cancel>("how");
    QTest::newRow("new, Mégsem") << Tfeljegyzes_bevitel::Mode::New << Cancel::Button;
    QTest::newRow("new, Escape") << Tfeljegyzes_bevitel::Mode::New << Cancel::Escape;
    QTest::newRow("change, Escape") << Tfeljegyzes_bevitel::Mode::Change << Cancel::Escape;
}

void QuoteDialogsTest::noteCancelChangesNothing()
{
    QFETCH(Tfeljegyzes_bevitel::Mode, mode);
    QFETCH(Cancel, how);
    const QString note = addNote(u"Hívd Kovácsot"_s, u"1"_s, u"2023.01.01. 09:00"_s);
    Tfeljegyzes_bevitel dialog(*m_db);
    dialog.setMode(mode);
    dialog.setNoteId(note);
    QVERIFY(ShowActive(dialog));
    TypeText(Find<QLineEdit>(&dialog, u"feljegyzes"_s), u" más"_s);
    CancelBy(dialog, how, u"btn_megsem"_s);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(m_db->select(u"select feljegyzes_id,feljegyzes,rogzitette,rogzites_ideje from tvr_feljegyzesek"_s, {}),
             (QStringList{note, u"Hívd Kovácsot"_s, u"1"_s, u"2023.01.01. 09:00"_s}));
}

// ---------------------------------------------------------------------------------------------
// Tmegrendelo_modositas

void QuoteDialogsTest::customerDataIsStoredAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("phone");
    QTest::newRow("double quote") << u"Kovács \"Öcsi\" Ödön"_s << u"Pécs, Fő u. 1."_s << u"06 30 \\ 100%"_s;
    QTest::newRow("empty name") << QString() << u"Győr"_s << u"_%"_s;
}

void QuoteDialogsTest::customerDataIsStoredAsTyped()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, phone);
    const QString id = addQuote(u"Régi Név"_s, u"111"_s, u"Szeged"_s);
    const QString other = addQuote(u"Másik"_s, u"222"_s, u"Eger"_s);

    Tmegrendelo_modositas dialog(*m_db);
    dialog.setQuoteId(id);
    QVERIFY(ShowActive(dialog));
    auto *nameField = Find<QLineEdit>(&dialog, u"megrendelo_neve"_s);
    auto *addressField = Find<QLineEdit>(&dialog, u"cime"_s);
    auto *phoneField = Find<QLineEdit>(&dialog, u"telefonszama"_s);
    QCOMPARE(nameField->text(), u"Régi Név"_s);
    QCOMPARE(addressField->text(), u"Szeged"_s);
    QCOMPARE(phoneField->text(), u"111"_s);
    QCOMPARE(FocusedName(), u"megrendelo_neve"_s);
    QCOMPARE(nameField->cursorPosition(), 8);
    QVERIFY(!nameField->hasSelectedText());

    // Through the fields with Enter, then on to "Rögzítés"; Up goes back.
    Retype(nameField, name);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"cime"_s);
    Press(Qt::Key_Up);
    QCOMPARE(FocusedName(), u"megrendelo_neve"_s);
    Press(Qt::Key_Down);
    Retype(addressField, address);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"telefonszama"_s);
    Retype(phoneField, phone);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzites"_s);
    QVERIFY(dialog.isVisible());
    QCOMPARE(quoteRow(id, u"megrendelo_neve"_s), QStringList{u"Régi Név"_s});
    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.cancelled());
    const QString columns = u"megrendelo_neve,megrendelo_cime,megrendelo_telefonszama,rendelesszam"_s;
    QCOMPARE(quoteRow(id, columns), (QStringList{name, address, phone, QString()}));
    QCOMPARE(quoteRow(other, columns), (QStringList{u"Másik"_s, u"Eger"_s, u"222"_s, QString()}));
}

void QuoteDialogsTest::customerCancelAfterEditingLeavesTheRow_data()
{
    QTest::addColumn<Cancel>("how");
    QTest::newRow("Escape") << Cancel::Escape;
    QTest::newRow("Mégsem") << Cancel::Button;
}

void QuoteDialogsTest::customerCancelAfterEditingLeavesTheRow()
{
    QFETCH(Cancel, how);
    const QString id = addQuote(u"Régi Név"_s, u"111"_s, u"Szeged"_s);
    Tmegrendelo_modositas dialog(*m_db);
    dialog.setQuoteId(id);
    QVERIFY(ShowActive(dialog));
    Retype(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s), u"Új Név"_s);
    Retype(Find<QLineEdit>(&dialog, u"cime"_s), u"Budapest"_s);
    Find<QLineEdit>(&dialog, u"cime"_s)->setFocus();

    CancelBy(dialog, how, u"btn_megsem"_s);

    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(quoteRow(id, u"megrendelo_neve,megrendelo_cime,megrendelo_telefonszama"_s),
             (QStringList{u"Régi Név"_s, u"Szeged"_s, u"111"_s}));
}

void QuoteDialogsTest::customerFailingStatementKeepsTheDialogOpen()
{
    const QString id = addQuote(u"Régi Név"_s, u"111"_s, u"Szeged"_s);
    m_db->execute(u"create trigger tilt before update on tvr_arajanlat begin select raise(abort, 'zárolva'); end"_s);
    Tmegrendelo_modositas dialog(*m_db);
    dialog.setQuoteId(id);
    QVERIFY(ShowActive(dialog));
    Retype(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s), u"Új \"Név\""_s);

    QTest::mouseClick(Find<QPushButton>(&dialog, u"btn_rogzites"_s), Qt::LeftButton);

    QCOMPARE(m_errors->errors.size(), size_t(1));
    const QString detail = m_errors->errors.front().second;
    QVERIFY2(detail.startsWith(u"update tvr_arajanlat set megrendelo_neve=\"Új \"\"Név\"\"\",megrendelo_telefonszama="
                               u"\"111\",megrendelo_cime=\"Szeged\"  where arajanlat_id=\""_s),
             qPrintable(detail));
    m_errors->errors.clear();
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.cancelled());
    QCOMPARE(Find<QLineEdit>(&dialog, u"megrendelo_neve"_s)->text(), u"Új \"Név\""_s);
    QCOMPARE(quoteRow(id, u"megrendelo_neve"_s), QStringList{u"Régi Név"_s});
    dialog.reject();
}

// ---------------------------------------------------------------------------------------------
// Nothing typed is lost, and a form that could not read its record never overwrites it.

void QuoteDialogsTest::refusedTextKeepsTheFormOpenWithIt_data()
{
    QTest::addColumn<FormFactory>("factory");
    QTest::newRow("new note") << NoteForm(Tfeljegyzes_bevitel::Mode::New);
    QTest::newRow("changed note") << NoteForm(Tfeljegyzes_bevitel::Mode::Change);
    QTest::newRow("customer change") << FormFactory(CustomerForm);
    QTest::newRow("own identifier") << FormFactory(OwnIdForm);
}

void QuoteDialogsTest::refusedTextKeepsTheFormOpenWithIt()
{
    QFETCH(FormFactory, factory);
    const QString quote = addQuote(u"Régi Név"_s, u"111"_s, u"Szeged"_s, u"R-1"_s);
    const QString note = addNote(u"régi jegyzet"_s, u"1"_s, u"2023.01.01. 08:00"_s);
    const QStringList quoteBefore = quoteRow(quote, u"*"_s);
    const QStringList notesBefore = m_db->select(u"select * from tvr_feljegyzesek"_s, {});
    FormCase form = factory(*m_db, quote, note);
    QVERIFY(ShowActive(*form.dialog));
    // A character the database's code page cannot hold is refused with a message naming it.
    const QString typed = u"torta 🎂"_s;
    Find<QLineEdit>(form.dialog.get(), form.field)->setText(typed);

    QTest::mouseClick(Find<QPushButton>(form.dialog.get(), form.saveButton), Qt::LeftButton);

    QCOMPARE(m_errors->errors.size(), size_t(1));
    QVERIFY2(m_errors->errors.front().first.contains(u"„🎂”"_s), qPrintable(m_errors->errors.front().first));
    m_errors->errors.clear();
    QVERIFY(form.dialog->isVisible());
    QVERIFY(form.dialog->cancelled());
    QCOMPARE(Find<QLineEdit>(form.dialog.get(), form.field)->text(), typed);
    QCOMPARE(quoteRow(quote, u"*"_s), quoteBefore);
    QCOMPARE(m_db->select(u"select * from tvr_feljegyzesek"_s, {}), notesBefore);
    form.dialog->reject();
}

void QuoteDialogsTest::formWhoseReadFailedDoesNotSave_data()
{
    QTest::addColumn<FormFactory>("factory");
    QTest::addColumn<bool>("recordGone"); // the record is not there, rather than unreadable
    QTest::newRow("customer, read refused") << FormFactory(CustomerForm) << false;
    QTest::newRow("customer, quote gone") << FormFactory(CustomerForm) << true;
    QTest::newRow("own identifier, read refused") << FormFactory(OwnIdForm) << false;
    QTest::newRow("confirmation number, read refused") << FormFactory(ConfirmationForm) << false;
    QTest::newRow("changed note, read refused") << NoteForm(Tfeljegyzes_bevitel::Mode::Change) << false;
    QTest::newRow("changed note, note gone") << NoteForm(Tfeljegyzes_bevitel::Mode::Change) << true;
}

void QuoteDialogsTest::formWhoseReadFailedDoesNotSave()
{
    QFETCH(FormFactory, factory);
    QFETCH(bool, recordGone);
    const QString quote = addQuote(u"Kovács Ödön"_s, u"06 30 555 0101"_s, u"Pécs"_s, u"K-1"_s, u"4711"_s);
    const QString note = addNote(u"hétfőn szállítás"_s, u"1"_s, u"2023.01.01. 08:00"_s);
    const QStringList quotesBefore = m_db->select(u"select * from tvr_arajanlat"_s, {});
    const QStringList notesBefore = m_db->select(u"select * from tvr_feljegyzesek"_s, {});
    sqlite3 *engine = TestAccess::handle(*m_db);
    if (!recordGone) {
        // Every select is refused while the form loads; writes are not.
        sqlite3_set_authorizer(
            engine,
            [](void *, int action, const char *, const char *, const char *, const char *) {
                return action == SQLITE_SELECT ? SQLITE_DENY : SQLITE_OK;
            },
            nullptr);
    }
    FormCase form = factory(*m_db, recordGone ? u"999"_s : quote, recordGone ? u"999"_s : note);
    QVERIFY(ShowActive(*form.dialog));
    sqlite3_set_authorizer(engine, nullptr, nullptr);
    QCOMPARE(m_errors->errors.size(), size_t(recordGone ? 0 : 1));
    m_errors->errors.clear();
    Find<QLineEdit>(form.dialog.get(), form.field)->setText(u"123"_s);

    bool refused = false;
    AnswerModal(u"TMessageDialog"_s, [&refused](QWidget *box) {
        refused = box->findChild<QLabel *>(u"message_label"_s)->text().contains(u"nem sikerült beolvasni"_s);
        QTest::mouseClick(box->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    });
    QTest::mouseClick(Find<QPushButton>(form.dialog.get(), form.saveButton), Qt::LeftButton);

    QVERIFY(refused);
    QVERIFY(form.dialog->isVisible());
    QVERIFY(form.dialog->cancelled());
    QCOMPARE(m_db->select(u"select * from tvr_arajanlat"_s, {}), quotesBefore);
    QCOMPARE(m_db->select(u"select * from tvr_feljegyzesek"_s, {}), notesBefore);
    form.dialog->reject();
}

// ---------------------------------------------------------------------------------------------
// Pictures of the six dialogs, filled as in use.

void QuoteDialogsTest::gallery()
{
    const QString id = addQuote(u"Kovács Ödön"_s, u"+36 30 555 0101"_s, u"7621 Pécs, Király u. 12."_s, u"KÖ-2023/1"_s,
                                u"123456"_s, u"98765"_s);
    const QString note =
        addNote(u"Árvíztűrő tükörfúrógép: hétfőn szállítás, hívd vissza Kovácsékat!"_s, u"1"_s, u"2023.06.01. 08:00"_s);

    const auto photograph = [](QDialog &dialog, const QString &name) {
        QVERIFY(ShowActive(dialog));
        const QString path = SaveToGallery(&dialog, name);
        QVERIFY2(!path.isEmpty(), qPrintable(name));
        const QImage saved(path);
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), dialog.size() * dialog.devicePixelRatio());
        dialog.reject();
    };

    Tarajanlat_indulas start(*m_db);
    start.show();
    TypeText(Find<QLineEdit>(&start, u"megrendelo_neve"_s), u"Kovács Ödön konyhája"_s);
    TypeText(Find<QLineEdit>(&start, u"megrendelo_telefonszama"_s), u"+36 30 555 0101"_s);
    photograph(start, u"Tarajanlat_indulas"_s);

    Tviszonteladoi_rendelesszam_hozzarendelese ownId(*m_db);
    ownId.setQuoteId(id);
    photograph(ownId, u"Tviszonteladoi_rendelesszam_hozzarendelese"_s);

    Tvisszaigazolasi_szamok_bevitel folder(*m_db);
    folder.setQuoteId(id);
    folder.setMode(Tvisszaigazolasi_szamok_bevitel::Mode::Folder);
    photograph(folder, u"Tvisszaigazolasi_szamok_bevitel"_s);
    Tvisszaigazolasi_szamok_bevitel kitchen(*m_db);
    kitchen.setQuoteId(id);
    kitchen.setMode(Tvisszaigazolasi_szamok_bevitel::Mode::KitchenSystem);
    photograph(kitchen, u"Tvisszaigazolasi_szamok_bevitel_basic"_s);

    Tfeljegyzes_bevitel noteDialog(*m_db);
    noteDialog.setMode(Tfeljegyzes_bevitel::Mode::Change);
    noteDialog.setNoteId(note);
    photograph(noteDialog, u"Tfeljegyzes_bevitel"_s);

    Tfelhasznalo_bevitel user(*m_db);
    user.setUserId(u"1"_s);
    user.show();
    TypeText(Find<QLineEdit>(&user, u"pwd"_s), u"Tükör-1"_s);
    TypeText(Find<QLineEdit>(&user, u"pwd_2x"_s), u"Tükör-1"_s);
    photograph(user, u"Tfelhasznalo_bevitel"_s);

    Tmegrendelo_modositas customer(*m_db);
    customer.setQuoteId(id);
    photograph(customer, u"Tmegrendelo_modositas"_s);
}

QTEST_MAIN(QuoteDialogsTest)
#include "test_quote_dialogs.moc"

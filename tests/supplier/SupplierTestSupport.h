#pragma once
// Shared pieces of the supplier window tests: a data folder with the demo catalogues (both attached),
// finding controls by name, typing, and answering the message and question dialogs.

#include "common/CN_CommonDateFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "support/ModalHelper.h"
#include "support/TestDataFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tvr::test
{

inline const QDateTime &SupplierNow()
{
    static const QDateTime now(QDate(2023, 6, 6), QTime(10, 15));
    return now;
}
inline QString SupplierNowText()
{
    return QStringLiteral("2023.06.06. 10:15");
}
inline QString SupplierUserId()
{
    return QStringLiteral("7");
}

template <class W = QWidget> W *Find(const QWidget *parent, const QString &name)
{
    W *found = parent->findChild<W *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// Empties the field and types text into it key by key.
inline void Retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    TypeText(field, text);
}

// Answers the message dialog the next action opens; seen tells that it came with the text.
inline void ExpectMessage(const QString &expected, bool &seen)
{
    seen = false;
    AnswerModal(QStringLiteral("TMessageDialog"), [expected, &seen](QWidget *dialog) {
        QCOMPARE(Find<QLabel>(dialog, QStringLiteral("message_label"))->text(), expected);
        seen = true;
        QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
}

// Answers the yes/no question the next action opens; asked tells that it came with the text.
inline void AnswerQuestion(const QString &expected, bool yes, bool &asked)
{
    asked = false;
    AnswerModal(QStringLiteral("Tkerdes"), [expected, yes, &asked](QWidget *dialog) {
        QCOMPARE(Find<QLabel>(dialog, QStringLiteral("kerdeslabel"))->text(), expected);
        asked = true;
        QTest::mouseClick(Find<QPushButton>(dialog, yes ? QStringLiteral("igen") : QStringLiteral("nem")),
                          Qt::LeftButton);
    });
}

// A fresh data folder with the demo catalogues, the connection with both attached, a fixed clock and
// a logged-in user; every error the error dialog would show is recorded.
struct SupplierData {
    TestDataFolder data;
    std::unique_ptr<ErrorRecorder> errors = std::make_unique<ErrorRecorder>();
    std::unique_ptr<TDatabaseConnection> db;

    SupplierData()
    {
        data.writeDemoCatalogues();
        db = data.open();
        AttachDatabase(*db, data.folder().forestCatalogue(), ForestSchema());
        SetClock([] { return SupplierNow(); });
        System().CurrentUserId = SupplierUserId();
    }
    ~SupplierData()
    {
        SetClock({});
        System().CurrentUserId = QStringLiteral("0");
    }
    int count(const QString &table, const QString &condition = QStringLiteral("1=1"))
    {
        return db->select(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where ") + condition, {})
            .value(0)
            .toInt();
    }
    QStringList row(const QString &sql, const QStringList &params = {}) { return db->select(sql, params); }
};

} // namespace tvr::test

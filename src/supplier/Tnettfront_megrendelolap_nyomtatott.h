#pragma once
// The printed order sheet of a Nettfront front order's fronts (A4 portrait): the title, the
// customer, the order's gross value, its colour and milling, the note, one row per front line
// (result set Lister65), the areas by class, and the signature footer. Created once at program
// start and prepared afresh for every print.

#include "platform/report/Report.h"

#include <QObject>

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_megrendelolap_nyomtatott : public QObject
{
    Q_OBJECT
public:
    explicit Tnettfront_megrendelolap_nyomtatott(TDatabaseConnection &db, QObject *parent = nullptr);
    ~Tnettfront_megrendelolap_nyomtatott() override;

    void setCustomerName(const QString &name) { m_customerName = name; }
    void setTelephone(const QString &telephone) { m_telephone = telephone; }
    void setOrderId(const QString &orderId) { m_orderId = orderId; }

    // Reads the order and its front lines into the report. False when the order row could not be
    // read or its lines could not be queried (a failing statement was shown).
    bool prepare();

    const TReport &report() const { return m_report; }
    TDatabaseConnection &database() const { return m_db; }

private:
    void build();

    TDatabaseConnection &m_db;
    TReport m_report;
    QString m_customerName;
    QString m_telephone;
    QString m_orderId;
};

} // namespace tvr

#pragma once
// The printed sheet of a Nettfront front order's other products (cornices, pillars, light rails;
// A4 portrait): one row per other-product line (result set Lister66) with its sizes, its group,
// name and colour and its gross price, under the same signature footer as the fronts sheet.
// Created once at program start and prepared afresh for every print.

#include "platform/report/Report.h"

#include <QObject>

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_egyebtermek_megrendelolap_nyomtatott : public QObject
{
    Q_OBJECT
public:
    explicit Tnettfront_egyebtermek_megrendelolap_nyomtatott(TDatabaseConnection &db, QObject *parent = nullptr);
    ~Tnettfront_egyebtermek_megrendelolap_nyomtatott() override;

    void setOrderId(const QString &orderId) { m_orderId = orderId; }

    // Queries the order's other-product lines. False when the statement failed (it was shown).
    bool prepare();

    const TReport &report() const { return m_report; }
    TDatabaseConnection &database() const { return m_db; }

private:
    void build();

    TDatabaseConnection &m_db;
    TReport m_report;
    QString m_orderId;
};

} // namespace tvr

#pragma once
// The start of a new quote: the customer's name (or another name for the order) and telephone
// number. "TOVÁBB >>>" records the quote header (kitchen system, being prepared) and closes; "X" or
// Escape closes without recording anything. Created for one new quote and destroyed after it.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tarajanlat_indulas;
}

namespace tvr
{

class TDatabaseConnection;

class Tarajanlat_indulas : public TInputForm
{
    Q_OBJECT
public:
    explicit Tarajanlat_indulas(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tarajanlat_indulas() override;

    // The type of the quote to edit: "0" while cancelled, "1" (kitchen system) after "TOVÁBB >>>".
    QString quoteType() const { return m_quoteType; }
    // The arajanlat_id of the recorded quote; empty while cancelled.
    QString newQuoteId() const { return m_newQuoteId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tarajanlat_indulas> m_ui;
    TDatabaseConnection &m_db;
    QString m_quoteType = QStringLiteral("0");
    QString m_newQuoteId;
};

} // namespace tvr

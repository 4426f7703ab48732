#pragma once
// The customer data of a quote header: name, address and telephone number. Shared by the quote
// editors, which reload what they show after it closes. "Rögzítés" stores the three texts as typed
// and closes; "Mégsem" or Escape closes without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tmegrendelo_modositas;
}

namespace tvr
{

class TDatabaseConnection;

class Tmegrendelo_modositas : public TInputForm
{
    Q_OBJECT
public:
    explicit Tmegrendelo_modositas(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tmegrendelo_modositas() override;

    // The arajanlat_id of the quote; set before the dialog is shown.
    void setQuoteId(const QString &quoteId) { m_quoteId = quoteId; }
    QString quoteId() const { return m_quoteId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tmegrendelo_modositas> m_ui;
    TDatabaseConnection &m_db;
    QString m_quoteId;
};

} // namespace tvr

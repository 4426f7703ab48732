#pragma once
// The joiner's own order identifier of a quote (free text of at most 10 characters). Shows the
// current identifier; "Rögzítem!" stores the typed one and closes, "Mégsem" or Escape closes
// without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tviszonteladoi_rendelesszam_hozzarendelese;
}

namespace tvr
{

class TDatabaseConnection;

class Tviszonteladoi_rendelesszam_hozzarendelese : public TInputForm
{
    Q_OBJECT
public:
    explicit Tviszonteladoi_rendelesszam_hozzarendelese(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tviszonteladoi_rendelesszam_hozzarendelese() override;

    // The arajanlat_id of the quote; set before the dialog is shown.
    void setQuoteId(const QString &quoteId) { m_quoteId = quoteId; }
    QString quoteId() const { return m_quoteId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tviszonteladoi_rendelesszam_hozzarendelese> m_ui;
    TDatabaseConnection &m_db;
    QString m_quoteId;
};

} // namespace tvr

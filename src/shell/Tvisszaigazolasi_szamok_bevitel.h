#pragma once
// One of the manufacturer's confirmation numbers of an ordered quote: the folder number
// (munka_mappa_id, "MAPPA:") or the kitchen-system number (basic_munka_id, "BASIC:"), a whole
// number of at most 9 digits. Shows the current number; "Rögzítem!" stores the typed one and
// closes, "Mégsem" or Escape closes without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tvisszaigazolasi_szamok_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tvisszaigazolasi_szamok_bevitel : public TInputForm
{
    Q_OBJECT
public:
    // Which of the two numbers the dialog edits.
    enum class Mode {
        Folder,        // munka_mappa_id, "MAPPA:"
        KitchenSystem, // basic_munka_id, "BASIC:"
    };

    explicit Tvisszaigazolasi_szamok_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tvisszaigazolasi_szamok_bevitel() override;

    // The arajanlat_id of the quote and the number to edit; set before the dialog is shown.
    void setQuoteId(const QString &quoteId) { m_quoteId = quoteId; }
    QString quoteId() const { return m_quoteId; }
    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    QString column() const;

    std::unique_ptr<Ui::Tvisszaigazolasi_szamok_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_quoteId;
    Mode m_mode = Mode::Folder;
};

} // namespace tvr

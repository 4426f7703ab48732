#pragma once
// "Helyszíni beszerelésre vonatkozó megjegyzések": the one free-text note of a kitchen work about its
// installation on site. "Rögzítés" writes it (the work's note row is made the first time, rewritten
// afterwards); "Mégsem" or Escape closes without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tdorvatbasic_helyszini_beszereles_megjegyzese;
}

namespace tvr
{

class TDatabaseConnection;

class Tdorvatbasic_helyszini_beszereles_megjegyzese : public TInputForm
{
    Q_OBJECT
public:
    explicit Tdorvatbasic_helyszini_beszereles_megjegyzese(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tdorvatbasic_helyszini_beszereles_megjegyzese() override;

    // Set before the dialog is shown.
    void setWorkId(const QString &workId) { m_workId = workId; }
    QString workId() const { return m_workId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tdorvatbasic_helyszini_beszereles_megjegyzese> m_ui;
    TDatabaseConnection &m_db;
    QString m_workId;
};

} // namespace tvr

#pragma once
// The joiner's partner code, asked once: the whole number by which the manufacturer knows the
// joiner, part of every order file's name. "Rögzítem!" stores it in the main file (a whole number
// above zero, written without leading zeros) and closes; "Mégsem" or Escape closes without it.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tpartnerkod_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tpartnerkod_bevitel : public TInputForm
{
    Q_OBJECT
public:
    explicit Tpartnerkod_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tpartnerkod_bevitel() override;

    // The stored code, once stored.
    QString partnerCode() const { return m_code; }

protected:
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tpartnerkod_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_code;
};

} // namespace tvr

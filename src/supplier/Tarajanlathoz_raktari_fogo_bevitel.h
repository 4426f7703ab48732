#pragma once
// A stock handle with its quantity for a kitchen work: the handle is picked by its article number
// from the active stock handles, the quantity is a whole number above zero. "Rögzítés" writes the
// line and closes; "Mégsem" or Escape closes without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tarajanlathoz_raktari_fogo_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tarajanlathoz_raktari_fogo_bevitel : public TInputForm
{
    Q_OBJECT
public:
    explicit Tarajanlathoz_raktari_fogo_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tarajanlathoz_raktari_fogo_bevitel() override;

    // Set before the dialog is shown.
    void setWorkId(const QString &workId) { m_workId = workId; }
    QString workId() const { return m_workId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tarajanlathoz_raktari_fogo_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_workId;
};

} // namespace tvr

#pragma once
// The store manager's new password, typed twice (in clear). "Rögzítés" stores the user as
// "Üzletvezető" with the hash of the new password, either over an existing user (change mode) or as
// a new user (the store manager of a fresh installation), and closes; "Mégsem" or Escape closes
// without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tfelhasznalo_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tfelhasznalo_bevitel : public TInputForm
{
    Q_OBJECT
public:
    explicit Tfelhasznalo_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tfelhasznalo_bevitel() override;

    // The user_id to change (ignored when creating) and the mode: true changes that user, false
    // inserts a new one. Set before the dialog is shown.
    void setUserId(const QString &userId) { m_userId = userId; }
    QString userId() const { return m_userId; }
    void setChangeExisting(bool changeExisting) { m_changeExisting = changeExisting; }
    bool changeExisting() const { return m_changeExisting; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tfelhasznalo_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_userId;
    bool m_changeExisting = true;
};

} // namespace tvr

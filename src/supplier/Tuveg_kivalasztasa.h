#pragma once
// "ÜVEG KIVÁLASZTÁSA": picks the glass type of a kitchen work from the glass price list (lister 27),
// narrowed by the beginning of its name (Enter in the filter). "OK, KIVÁLASZTOM" takes the selected
// glass; "Mégsem" or Escape leaves none chosen. The dialog writes nothing: the editor stores the
// glass in the work and prices the glazing.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tuveg_kivalasztasa;
}

namespace tvr
{

class TDatabaseConnection;

class Tuveg_kivalasztasa : public TInputForm
{
    Q_OBJECT
public:
    static constexpr int GlassLister = 27;

    explicit Tuveg_kivalasztasa(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tuveg_kivalasztasa() override;

    // The chosen uveg_arlista_id, "0" when nothing was chosen; with the chosen row's megnevezes and
    // basic_netto_egysegara (empty then).
    QString chosenId() const { return m_chosenId; }
    QString chosenName() const { return m_chosenName; }
    QString chosenUnitPrice() const { return m_chosenUnitPrice; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    void refreshList();

    std::unique_ptr<Ui::Tuveg_kivalasztasa> m_ui;
    TDatabaseConnection &m_db;
    QString m_chosenId = QStringLiteral("0");
    QString m_chosenName;
    QString m_chosenUnitPrice;
};

} // namespace tvr

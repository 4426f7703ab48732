#pragma once
// Choosing one panel material (a carcass or front colour of the work): by its code or from the
// list. "OK" gives the chosen panel; "Mégsem" and Escape give "0".

#include "kitchen/KitchenCatalogue.h"
#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tbutorlap_kivalaszto;
}

namespace tvr
{

class TDatabaseConnection;

class Tbutorlap_kivalaszto : public TInputForm
{
    Q_OBJECT
public:
    explicit Tbutorlap_kivalaszto(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tbutorlap_kivalaszto() override;

    // Set before the dialog is shown.
    void restrictToCarcassPanels() { m_use = PanelUse::Carcass; }
    void restrictToFrontPanels() { m_use = PanelUse::Front; }
    void setInitialPanelId(const QString &id) { m_initial = id; }

    // After it closed: the chosen panel's id ("0" when cancelled), code and list text.
    QString chosenId() const { return cancelled() ? QStringLiteral("0") : m_chosen.id; }
    QString chosenCode() const { return cancelled() ? QString() : m_chosen.code; }
    QString chosenText() const { return cancelled() ? QString() : m_chosen.text; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    bool lookUpCode();

    std::unique_ptr<Ui::Tbutorlap_kivalaszto> m_ui;
    TDatabaseConnection &m_db;
    PanelUse m_use = PanelUse::Any;
    QString m_initial = QStringLiteral("0");
    std::vector<CatalogueEntry> m_panels;
    CatalogueEntry m_chosen;
};

} // namespace tvr

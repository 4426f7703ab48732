#pragma once
// "Mosogatótálca kiválasztása DORVAT BASIC konyhabútorhoz": picks a sink, tap or siphon of one range
// of the manufacturer's store (the Ecorgan leaflet, or Dorvat Kft.'s own cheap sinks) by its number
// and name, and writes it as a line of the kitchen work in quantity 1 at today's price. The list
// narrows as the joiner types; "Utolsó N -t listázza" limits it to N rows (10 unless changed).

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Taruhazi_termek_kivalaszto;
}

namespace tvr
{

class TDatabaseConnection;

class Taruhazi_termek_kivalaszto : public TInputForm
{
    Q_OBJECT
public:
    static constexpr int ArticleLister = 25;

    explicit Taruhazi_termek_kivalaszto(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Taruhazi_termek_kivalaszto() override;

    // Set before the dialog is shown.
    void setWorkId(const QString &workId) { m_workId = workId; }
    QString workId() const { return m_workId; }
    // true: the store's own range (vestra 1); false: the Ecorgan products (vestra 0).
    void setStoreRange(bool vestra) { m_vestra = vestra; }
    bool storeRange() const { return m_vestra; }
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }

    // The aruhazi_arucikk_id of the article written ("0" when none was).
    QString chosenId() const { return m_chosenId; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    void refreshList();
    void showCaption();

    std::unique_ptr<Ui::Taruhazi_termek_kivalaszto> m_ui;
    TDatabaseConnection &m_db;
    QString m_workId;
    bool m_vestra = false;
    double m_multiplier = 1.0;
    QString m_chosenId = QStringLiteral("0");
};

} // namespace tvr

#pragma once
// One other-product line of a Nettfront order (cornices, pillars, light rails): product group,
// product, colour and quantity, new or modify. An antique (ANTIK) colour goes only with an antique
// product and the other way round.

#include "database/TableLayouts.h"
#include "shell/TInputForm.h"

#include <memory>

class QComboBox;

namespace Ui
{
class Tnettfront_egyeb_megrendeles_tetel_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_egyeb_megrendeles_tetel_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode { New, Modify };

    explicit Tnettfront_egyeb_megrendeles_tetel_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tnettfront_egyeb_megrendeles_tetel_bevitel() override;

    // Set before the form is shown.
    void setMode(Mode mode) { m_mode = mode; }
    void setOrderId(const QString &orderId) { m_orderId = orderId; }
    void setLineId(const QString &lineId) { m_lineId = lineId; } // modify mode
    // New mode: the group, product and colour of the last saved line (empty for none).
    void setRemembered(const QString &groupId, const QString &productId, const QString &colourId);
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }

    // After it closed.
    bool saved() const { return !cancelled(); }
    QString savedGroupId() const { return m_savedGroup; }
    QString savedProductId() const { return m_savedProduct; }
    QString savedColourId() const { return m_savedColour; }

    // A product as the list shows it: its name, then its height, width, length and diameter where
    // they are not 0 (" mag.:720 szél.:60").
    static QString ProductText(const Ttable_tvr_r_nettfront_egyeb_termekek &product);

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;
    void showEvent(QShowEvent *event) override;

private:
    void loadProducts();
    void selectStored(QComboBox *list, const QString &id, const QString &text);

    std::unique_ptr<Ui::Tnettfront_egyeb_megrendeles_tetel_bevitel> m_ui;
    TDatabaseConnection &m_db;
    Mode m_mode = Mode::New;
    QString m_orderId;
    QString m_lineId;
    QString m_rememberedGroup;
    QString m_rememberedProduct;
    QString m_rememberedColour;
    double m_multiplier = 1.0;
    QString m_savedGroup;
    QString m_savedProduct;
    QString m_savedColour;
};

} // namespace tvr

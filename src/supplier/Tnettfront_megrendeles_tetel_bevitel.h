#pragma once
// One front line of a Nettfront order: colour, milling, front type, quantity and size, custom
// size and rebating. New or modify; the line is priced (IFACE_EXT_Nettfront) and written when
// "Rögzítés" finds it orderable. An order is of one milling and colour: once it has a front line,
// the form opens with that pair preset and the two lists locked.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tnettfront_megrendeles_tetel_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_megrendeles_tetel_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode { New, Modify };

    explicit Tnettfront_megrendeles_tetel_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tnettfront_megrendeles_tetel_bevitel() override;

    // Set before the form is shown.
    void setMode(Mode mode) { m_mode = mode; }
    void setOrderId(const QString &orderId) { m_orderId = orderId; }
    void setLineId(const QString &lineId) { m_lineId = lineId; } // modify mode
    // New mode only: true lets colour and milling be chosen (the order has no front line yet).
    void setUnlocked(bool unlocked) { m_unlocked = unlocked; }
    void setRememberedFrontType(const QString &frontTypeId) { m_rememberedFrontType = frontTypeId; }
    // New mode on a locked order: the order's milling and colour.
    void setRememberedMilling(const QString &millingId) { m_rememberedMilling = millingId; }
    void setRememberedColour(const QString &colourId) { m_rememberedColour = colourId; }
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }

    // After it closed.
    bool saved() const { return !cancelled(); }
    QString savedMillingId() const { return m_savedMilling; }
    QString savedColourId() const { return m_savedColour; }
    QString savedFrontTypeId() const { return m_savedFrontType; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;
    void showEvent(QShowEvent *event) override;

private:
    bool locked() const { return m_mode == Mode::Modify || !m_unlocked; }
    // Selects the entry of a stored id; one that is no longer offered is added (named from the
    // catalogue when it is still there), so that the line is never silently given another.
    void selectStoredColour(const QString &colourId);
    void selectStoredMilling(const QString &millingId);
    void selectStoredFrontType(const QString &frontTypeId);
    void millingChanged();
    void refreshCategory();
    void colourFilterEntered();
    void millingCodeEntered();
    void checkBoxClicked();
    void pickSeriesSize();

    std::unique_ptr<Ui::Tnettfront_megrendeles_tetel_bevitel> m_ui;
    TDatabaseConnection &m_db;
    Mode m_mode = Mode::New;
    QString m_orderId;
    QString m_lineId;
    bool m_unlocked = false;
    QString m_rememberedFrontType;
    QString m_rememberedMilling;
    QString m_rememberedColour;
    double m_multiplier = 1.0;
    QString m_millingId;
    QString m_colourId;
    QString m_categoryId; // empty until worked out
    QString m_savedMilling;
    QString m_savedColour;
    QString m_savedFrontType;
};

} // namespace tvr

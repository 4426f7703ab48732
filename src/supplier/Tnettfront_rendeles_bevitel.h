#pragma once
// A Nettfront front order: its front lines (page "konyhafrontok") and other-product lines (page
// "párkány-, pillér- és fénylécek") with their new / modify / delete buttons, and its gross total.
// A new order row is created when the form opens; an order left without any active line is
// deleted outright when the form closes.

#include <QDialog>

#include <memory>

namespace Ui
{
class Tnettfront_rendeles_bevitel;
}

namespace tvr
{

class TDatabaseConnection;
class TLister;

class Tnettfront_rendeles_bevitel : public QDialog
{
    Q_OBJECT
public:
    explicit Tnettfront_rendeles_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tnettfront_rendeles_bevitel() override;

    // Set before the form is shown. An existing order is loaded by its id; otherwise a new order
    // row is created (a supplementary order of the kitchen work when supplementary is set).
    void setExistingOrder(bool existing) { m_existing = existing; }
    void setOrderId(const QString &orderId) { m_orderId = orderId; }
    void setWorkId(const QString &workId) { m_workId = workId; }
    void setSupplementaryOrder(bool supplementary) { m_supplementary = supplementary; }
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }

    // The order the form works on (the new order's id once the form has been shown).
    QString orderId() const { return m_orderId; }
    // True while the order has an active front line: its milling and colour are then fixed.
    bool locked() const { return m_locked; }

    // The list statements (result sets 31 and 35), with the order id bound.
    static QString FrontLinesStatement();
    static QString OtherLinesStatement();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool activate();
    void refreshFronts();
    void refreshOthers();
    void showTotal();
    // The lock and the order's milling and colour, from its first active front line.
    void readLock();
    void newFrontLine();
    void changeFrontLine();
    void newOtherLine();
    void changeOtherLine();
    void deleteLine(TLister *lines);

    std::unique_ptr<Ui::Tnettfront_rendeles_bevitel> m_ui;
    TDatabaseConnection &m_db;
    bool m_existing = false;
    QString m_orderId;
    QString m_workId;
    bool m_supplementary = false;
    double m_multiplier = 1.0;
    bool m_activated = false;
    bool m_closed = false;
    bool m_locked = false;
    QString m_rememberedMilling;
    QString m_rememberedColour;
    QString m_rememberedFrontType;
    QString m_rememberedGroup;
    QString m_rememberedProduct;
    QString m_rememberedOtherColour;
};

} // namespace tvr

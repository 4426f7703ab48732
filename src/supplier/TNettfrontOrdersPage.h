#pragma once
// The content of the kitchen editor's page "Nettfront rendelések": the active front orders of the
// work, newest first, with "Új frontrendelés", "Frontrendelés módosítása" and
// "Frontrendelés törlése". The print button of the order sheets is part of the page but kept
// hidden. The editor embeds this widget into its page Page8 and calls refresh() whenever the page
// becomes active.

#include <QWidget>

#include <memory>

namespace Ui
{
class TNettfrontOrdersPage;
}

namespace tvr
{

class TDatabaseConnection;

class TNettfrontOrdersPage : public QWidget
{
    Q_OBJECT
public:
    TNettfrontOrdersPage(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~TNettfrontOrdersPage() override;

    // The kitchen work (basic_munka_id) whose orders are listed, and the price multiplier handed to
    // the order form (1.0 in this program). Does not refresh by itself.
    void setWork(const QString &workId, double priceMultiplier);
    QString workId() const { return m_workId; }

    // Reads the list again (result set 29).
    void refresh();

    // The list statement, with the work id bound.
    static QString OrdersStatement();

private:
    void newOrder();
    void changeOrder();
    void deleteOrder();
    void printOrderSheet();

    std::unique_ptr<Ui::TNettfrontOrdersPage> m_ui;
    TDatabaseConnection &m_db;
    QString m_workId;
    double m_multiplier = 1.0;
};

} // namespace tvr

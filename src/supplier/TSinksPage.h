#pragma once
// The content of the kitchen editor's page "Mosogatótálcák, Ecorgan": the sinks, taps and siphons of
// the work in two lists, the Ecorgan leaflet's products (lister 26) and Dorvat Kft.'s own cheap
// sinks (lister 48, beside pictures of the four sizes), each with "Új tétel" (the store-article
// chooser of its range) and "Törlés".

#include <QWidget>

#include <memory>

namespace Ui
{
class TSinksPage;
}

namespace tvr
{

class TDatabaseConnection;

class TSinksPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int EcorganLister = 26;
    static constexpr int VestraLister = 48;

    explicit TSinksPage(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~TSinksPage() override;

    // The work whose lines the page shows and the multiplier the chooser prices with (1.0).
    void setWork(const QString &workId, double priceMultiplier);
    // Refills both lists (the editor calls it when the page becomes active).
    void refresh();

private:
    void refreshList(bool vestra);
    void addLine(bool vestra);
    void deleteLine(bool vestra);

    std::unique_ptr<Ui::TSinksPage> m_ui;
    TDatabaseConnection &m_db;
    QString m_workId;
    double m_multiplier = 1.0;
};

// A drawing of one of the store's own sinks seen from above: "440x780" and "760x435" (a bowl with
// a drainer), "480" (a round bowl) and "480x480" (a square bowl), on a transparent picture.
QPixmap SinkPixmap(const QString &kind, const QSize &size);

} // namespace tvr

#pragma once
// The content of the kitchen editor's page "FOREST": the Forest articles of the work (lister 37),
// with "Új tétel", "Módosít" and "Törlés", and the picture of the selected article, fetched from the
// manufacturer's web server while the joiner goes on working and shown when it arrives.

#include "common/SYS_SystemConstants.h"

#include <QWidget>

#include <memory>

namespace Ui
{
class TForestPage;
}

namespace tvr
{

class TDatabaseConnection;
class TForestPictureFetcher;

class TForestPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ForestLister = 37;

    TForestPage(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent = nullptr);
    ~TForestPage() override;

    // The work whose lines the page shows and the multiplier its dialog prices with (1.0).
    void setWork(const QString &workId, double priceMultiplier);
    // Refills the list (the editor calls it when the page becomes active).
    void refresh();

    // The fetcher of the article pictures (tests shorten its timeouts).
    TForestPictureFetcher *pictureFetcher() const { return m_pictures; }

private:
    void openDialog(bool modify);
    void deleteLine();
    void currentRowChanged();
    void showPicture(const QString &articleNumber);

    std::unique_ptr<Ui::TForestPage> m_ui;
    TDatabaseConnection &m_db;
    DataFolder m_folder;
    TForestPictureFetcher *m_pictures;
    QString m_workId;
    double m_multiplier = 1.0;
    QString m_shownArticle;  // the article of the selected row, whose picture the panel may show
    QString m_queuedArticle; // the article whose picture request waits for the event loop
};

} // namespace tvr

#pragma once
// "FOREST árucikk rendelése": one Forest article of a kitchen work, looked up by its article number
// (Enter in the number) and ordered in a quantity. "RÖGZÍTÉS" looks the article up again, prices the
// line and writes it (a new line, or the line being modified); "Mégsem" or Escape closes without a
// change. The article's picture is fetched from the manufacturer's web server while the user goes
// on typing; it is shown when it arrives, and a picture that cannot be had is simply not shown.

#include "shell/TInputForm.h"

#include "common/SYS_SystemConstants.h"
#include "database/TableLayouts.h"

#include <memory>
#include <optional>

namespace Ui
{
class Tforest_megrendeles_tetel_bevitel;
}

namespace tvr
{

class TDatabaseConnection;
class TForestPictureFetcher;

class Tforest_megrendeles_tetel_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode {
        New,    // inserts a line for the work
        Modify, // rewrites the line lineId()
    };

    Tforest_megrendeles_tetel_bevitel(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent = nullptr);
    ~Tforest_megrendeles_tetel_bevitel() override;

    // Set before the dialog is shown.
    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }
    void setLineId(const QString &lineId) { m_lineId = lineId; } // basic_forest_termek_id (Modify)
    QString lineId() const { return m_lineId; }
    void setDecimalQuantity(bool allowed) { m_decimalQuantity = allowed; } // "4,1" or whole numbers only
    void setWorkId(const QString &workId) { m_workId = workId; }           // basic_munka_id
    QString workId() const { return m_workId; }
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }

    // The fetcher of the article pictures (tests shorten its timeouts).
    TForestPictureFetcher *pictureFetcher() const { return m_pictures; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    enum class LookupFrom { Enter, Load, Save };
    // Looks the typed article number up and shows the article (or "Hibás cikkszám!").
    void lookUp(LookupFrom from);
    void clearArticle();
    void showLineValue();
    void requestPicture(const QString &articleNumber);
    // Shows the article's picture when its file is in tmp, else hides the panel.
    void showPicture(const QString &articleNumber);

    std::unique_ptr<Ui::Tforest_megrendeles_tetel_bevitel> m_ui;
    TDatabaseConnection &m_db;
    DataFolder m_folder;
    TForestPictureFetcher *m_pictures;
    Mode m_mode = Mode::New;
    QString m_lineId;
    QString m_workId;
    bool m_decimalQuantity = true;
    double m_multiplier = 1.0;
    double m_priceFactor = 1.0;
    // The article looked up last ("0" for none) and its prices.
    QString m_articleId = QStringLiteral("0");
    std::optional<Ttable_tvr_r_forest_arucikkek> m_article;
    double m_unitPrice = 0; // U
    QString m_shownArticle; // the article whose picture the panel may show
};

} // namespace tvr

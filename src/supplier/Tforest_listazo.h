#pragma once
// "DORVAT BASIC konyharendszer - böngészés a FOREST termékek katalógusában": the Forest catalogue
// by group, as pages of nine thumbnails of the article pictures kept under pictures/forest. A click
// on a thumbnail shows the article's number, size, colour and net price; "Kiválaszt" (hidden in
// browse-only mode) takes its number, "Bezár" or Escape closes.

#include "shell/TInputForm.h"

#include "common/SYS_SystemConstants.h"

#include <memory>

class QListWidgetItem;

namespace Ui
{
class Tforest_listazo;
}

namespace tvr
{

class TDatabaseConnection;

class Tforest_listazo : public TInputForm
{
    Q_OBJECT
public:
    static constexpr int GroupLister = 47;
    static constexpr int PicturesPerPage = 9;

    Tforest_listazo(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent = nullptr);
    ~Tforest_listazo() override;

    // Set before the dialog is shown.
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }
    void setBrowseOnly(bool browseOnly) { m_browseOnly = browseOnly; }

    // The article number taken by "Kiválaszt" (empty when none was).
    QString chosenArticleNumber() const { return m_chosen; }
    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_currentPage; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    QString pageFile(int page) const;
    QString pictureFolder() const;
    void clearLabels();
    // Writes the page files of the selected group and shows page 1.
    void buildPages();
    void showPage(int page);
    void goToPage(int page);
    void showArticle(QListWidgetItem *item);

    std::unique_ptr<Ui::Tforest_listazo> m_ui;
    TDatabaseConnection &m_db;
    DataFolder m_folder;
    double m_multiplier = 1.0;
    double m_priceFactor = 1.0;
    bool m_browseOnly = false;
    int m_pageCount = 1;
    int m_currentPage = 1;
    QString m_chosen;
    bool m_loading = false; // the group list is being filled: its row changes build no pages yet
};

} // namespace tvr

#pragma once
// One cut panel line of a kitchen work: the panel material, the size A x B (A along the grain),
// the piece count, up to two edge bands with the edge code of each, and the part name printed on
// the label of the cut piece. Saving prices the line from the current catalogue and writes it.

#include "kitchen/KitchenCatalogue.h"
#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tdorvatbasic_butorlap_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tdorvatbasic_butorlap_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode { New, Modify };

    explicit Tdorvatbasic_butorlap_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tdorvatbasic_butorlap_bevitel() override;

    // Set before the dialog is shown. After an order every saved part name gets a leading "!",
    // so that the list marks what changed after ordering.
    void setAfterOrder(bool afterOrder) { m_afterOrder = afterOrder; }
    void setMode(Mode mode) { m_mode = mode; }
    void setLineId(const QString &lineId) { m_lineId = lineId; }
    void setWorkId(const QString &workId) { m_workId = workId; }
    // The last saved choice of the editor ("0" for none); after a save, the choice just saved.
    void setRememberedPanel(const QString &id) { m_rememberedPanel = id; }
    void setRememberedEdge1(const QString &id) { m_rememberedEdge1 = id; }
    void setRememberedEdge2(const QString &id) { m_rememberedEdge2 = id; }
    QString rememberedPanel() const { return m_rememberedPanel; }
    QString rememberedEdge1() const { return m_rememberedEdge1; }
    QString rememberedEdge2() const { return m_rememberedEdge2; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    struct Band;
    void selectPanel(int index);
    // Looks up the typed panel code; moves on to the first band when found.
    bool resolvePanelCode();
    void applyRecommended(bool thin, bool thick);
    void selectBand(Band &band, int entry); // -1: "-- NINCS --"
    void bandCodeLeft(Band &band);
    void bandChosen(Band &band, int comboIndex);
    bool codesValidOrSay(QLineEdit *field);
    bool refuse(const QString &message, QWidget *focus);

    std::unique_ptr<Ui::Tdorvatbasic_butorlap_bevitel> m_ui;
    TDatabaseConnection &m_db;
    Mode m_mode = Mode::New;
    QString m_lineId;
    QString m_workId;
    bool m_afterOrder = false;
    QString m_rememberedPanel = QStringLiteral("0");
    QString m_rememberedEdge1 = QStringLiteral("0");
    QString m_rememberedEdge2 = QStringLiteral("0");
    double m_multiplier = 1.0;
    std::vector<CatalogueEntry> m_panels;
    std::unique_ptr<Band> m_band1;
    std::unique_ptr<Band> m_band2;
    QString m_resolvedPanelCode; // the code the selection was last taken from
};

} // namespace tvr

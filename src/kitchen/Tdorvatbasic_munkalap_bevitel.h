#pragma once
// One cut worktop line of a kitchen work: the worktop material, its length and depth, the piece
// count and the decoration of its ends and long side. Saving prices the line and writes it.

#include "kitchen/KitchenCatalogue.h"
#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tdorvatbasic_munkalap_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tdorvatbasic_munkalap_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode { New, Modify };

    explicit Tdorvatbasic_munkalap_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tdorvatbasic_munkalap_bevitel() override;

    // Set before the dialog is shown.
    void setMode(Mode mode) { m_mode = mode; }
    void setLineId(const QString &lineId) { m_lineId = lineId; }
    void setWorkId(const QString &workId) { m_workId = workId; }
    void setResale(bool resale) { m_resale = resale; }
    // The work's default worktop, offered when nothing is remembered.
    void setDefaultWorktop(const QString &id) { m_defaultWorktop = id; }
    void setPriceMultiplier(double multiplier) { m_multiplier = multiplier; }
    // The last saved choice of the editor ("0" for none); after a save, the choice just saved.
    void setRememberedWorktop(const QString &id) { m_rememberedWorktop = id; }
    void setRememberedEdge(const QString &id) { m_rememberedEdge = id; }
    QString rememberedWorktop() const { return m_rememberedWorktop; }
    QString rememberedEdge() const { return m_rememberedEdge; }
    bool resale() const { return m_resale; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    void selectWorktop(int index);
    void lookUpCode();
    void rebuildCode();
    bool refuse(const QString &message, QWidget *focus);

    std::unique_ptr<Ui::Tdorvatbasic_munkalap_bevitel> m_ui;
    TDatabaseConnection &m_db;
    Mode m_mode = Mode::New;
    QString m_lineId;
    QString m_workId;
    bool m_resale = true;
    QString m_defaultWorktop = QStringLiteral("0");
    double m_multiplier = 1.0;
    QString m_rememberedWorktop = QStringLiteral("0");
    QString m_rememberedEdge = QStringLiteral("0");
    std::vector<CatalogueEntry> m_worktops;
};

} // namespace tvr

#pragma once
// The editor of a kitchen quote (quote type 1): one work record and every line that hangs off it,
// saved at once by the dialogs it opens. The visible pages are the cut panels and worktops, the
// Forest articles, the sinks and the Nettfront front orders; the element-row pages are part of the
// form with hidden tabs.

#include "database/TableLayouts.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

namespace Ui
{
class Tdorvatbasic_bevitel;
}

namespace tvr
{

class TDatabaseConnection;
class TForestPage;
class TSinksPage;
class TNettfrontOrdersPage;

class Tdorvatbasic_bevitel : public QDialog
{
    Q_OBJECT
public:
    explicit Tdorvatbasic_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tdorvatbasic_bevitel() override;

    // Called by the main window before the editor is shown modally.
    void setQuote(const QString &quoteId) { m_quoteId = quoteId; }
    void setWork(const QString &workId) { m_workId = workId; }
    // False for a quote without its work yet: the first activation creates it.
    void setExistingWork(bool existing) { m_existingWork = existing; }
    void setFirstActivation(bool first) { m_firstActivation = first; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    QString quoteId() const { return m_quoteId; }
    QString workId() const { return m_workId; }
    double priceMultiplier() const { return m_multiplier; }
    // True when the quote has been sent as an order (the banner is shown).
    bool afterOrder() const;

    // The statements of the two lists of the cut panel page, with their bound values.
    struct Statement {
        QString sql;
        QStringList params;
    };
    static Statement PanelListStatement(const QString &workId, const QString &a, const QString &b,
                                        const QString &panelCode, const QString &panelName);
    static Statement WorktopListStatement(const QString &workId);

    // Registers this editor for quote type 1 with the main window's editor protocol.
    static void Register();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void firstActivation();
    void loadCustomer();
    void editCustomer();
    void setPageColour(const QColor &colour);
    void pageChanged();
    void refreshPanels();
    void refreshWorktops();
    void panelRowChanged();
    void editPanel(bool modify);
    void deletePanel();
    void editWorktop(bool modify);
    void deleteWorktop();

    std::unique_ptr<Ui::Tdorvatbasic_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_quoteId;
    QString m_workId;
    bool m_existingWork = false;
    bool m_firstActivation = true;
    bool m_readOnly = false;
    double m_multiplier = 1.0;
    bool m_resale = true;
    std::optional<Ttable_tvr_b_basic_munka> m_work;
    std::optional<Ttable_tvr_dv_beallitasok> m_settings;
    // The supplier pages: Forest articles, sinks, front orders.
    TForestPage *m_forest = nullptr;
    TSinksPage *m_sinks = nullptr;
    TNettfrontOrdersPage *m_fronts = nullptr;
    // The choices of the last saved cut panel and cut worktop, offered again for the next one.
    QString m_lastPanel = QStringLiteral("0");
    QString m_lastEdge1 = QStringLiteral("0");
    QString m_lastEdge2 = QStringLiteral("0");
    QString m_lastWorktop = QStringLiteral("0");
    QString m_lastWorktopEdge = QStringLiteral("0");
};

} // namespace tvr

#pragma once
// The catalogue lists the kitchen dialogs choose from: panels, edge bands and worktops, each with
// its code, its list text and its unit price, ordered by code as numbers ("7" before "10").

#include <QString>

#include <optional>
#include <vector>

namespace tvr
{

class TDatabaseConnection;

struct CatalogueEntry {
    QString id;
    QString code;                    // sorszama
    QString text;                    // what the list shows
    std::optional<double> unitPrice; // multiplied and rounded to the cent; none when the catalogue's text is no number
    QString priceText;               // the catalogue's own text
    QString rotatable;               // panels: forgathato
};

// "<code> - <name> (vastagság: <n>mm)"; every active panel, or only those for carcasses / fronts.
enum class PanelUse { Any, Carcass, Front };
std::vector<CatalogueEntry> PanelEntries(TDatabaseConnection &db, double multiplier, PanelUse use = PanelUse::Any);
// "<code> - <name>(szélesség:<w>mm, vastagság:<t>mm)"; the thin (0.4 mm, stored as 0) bands or the
// thick panel bands (worktop bands excluded).
std::vector<CatalogueEntry> EdgeBandEntries(TDatabaseConnection &db, double multiplier, bool thick);
// "<code>[<t>mm] - <name>": the worktops offered for the kitchen system.
std::vector<CatalogueEntry> WorktopEntries(TDatabaseConnection &db);

// The position of the entry with the id or the code; -1 when it is not listed.
int IndexOfId(const std::vector<CatalogueEntry> &entries, const QString &id);
int IndexOfCode(const std::vector<CatalogueEntry> &entries, const QString &code);

// The id of the active row of table (tvr_butorlapok, tvr_elzarok, tvr_munkalapok) whose code is
// exactly the text; empty when there is none.
QString ActiveIdByCode(TDatabaseConnection &db, const QString &table, const QString &idColumn, const QString &code);

// The recommended thin and thick edge band of a panel ("0" where none is named).
struct RecommendedBands {
    QString thin = QStringLiteral("0");
    QString thick = QStringLiteral("0");
};
RecommendedBands RecommendedBandsOf(TDatabaseConnection &db, const QString &panelId);

} // namespace tvr

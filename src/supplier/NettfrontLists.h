#pragma once
// The drop-down lists of the Nettfront forms: every entry shows a catalogue name and carries its
// row id, so that the forms read ids, never positions.

#include "database/TableLayouts.h"

#include <QString>

#include "database/DB_DatabaseFunctions.h"

#include <vector>

class QComboBox;

namespace tvr
{

// Replaces the entries; the first one is selected.
void FillColours(QComboBox *list, const std::vector<Ttable_tvr_r_nettfront_szinek> &colours);
void FillMillings(QComboBox *list, const std::vector<Ttable_tvr_r_nettfront_marasok> &millings);
void AddEntry(QComboBox *list, const QString &text, const QString &id);

// Selects the entry with the id; false (selection unchanged) when there is none.
bool SelectById(QComboBox *list, const QString &id);
// The id of the selected entry; empty when nothing is selected.
QString CurrentId(const QComboBox *list);

} // namespace tvr

#include "supplier/NettfrontLists.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace tvr
{

void AddEntry(QComboBox *list, const QString &text, const QString &id)
{
    list->addItem(text, id);
}

void FillColours(QComboBox *list, const std::vector<Ttable_tvr_r_nettfront_szinek> &colours)
{
    list->clear();
    for (const auto &colour : colours)
        AddEntry(list, colour.szin, colour.nettfront_szin_id);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

void FillMillings(QComboBox *list, const std::vector<Ttable_tvr_r_nettfront_marasok> &millings)
{
    list->clear();
    for (const auto &milling : millings)
        AddEntry(list, milling.azonosito, milling.maras_id);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

bool SelectById(QComboBox *list, const QString &id)
{
    const int index = list->findData(id);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    return true;
}

QString CurrentId(const QComboBox *list)
{
    return list->currentIndex() < 0 ? QString() : list->currentData().toString();
}

} // namespace tvr

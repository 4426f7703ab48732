#include "shell/TInputForm.h"

#include "common/CN_CommonErrorFunctions.h"
#include "platform/KeyboardNavigation.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"

#include <QLineEdit>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace tvr
{

TInputForm::TInputForm(QWidget *parent) : QDialog(parent), m_keys(InstallInputFormKeys(this)) {}

void TInputForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window coming back from behind another is not a new showing: what was typed stays.
    if (event->spontaneous())
        return;
    CenterOnScreen(this);
    m_cancelled = true;
    m_loaded = false;
    runAction([this] { m_loaded = load(); });
    TagsFromTabOrder(this);
    firstInput()->setFocus();
}

void TInputForm::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    // Showing hands the focus to the field as a Tab focus, which selects its whole text; the caret
    // belongs after the last character instead.
    if (visible)
        CaretToEnd(firstInput());
}

void TInputForm::save()
{
    if (!m_loaded) {
        ShowMessage(u"Az adatokat nem sikerült beolvasni, ezért a módosítás nem rögzíthető. Kérem, zárja be az "
                    u"ablakot, és nyissa meg újra!"_s,
                    this);
        return;
    }
    bool stored = false;
    runAction([&] { stored = store(); });
    if (!stored)
        return;
    m_cancelled = false;
    accept();
}

} // namespace tvr

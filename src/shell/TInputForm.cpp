#include "shell/TInputForm.h"

#include "platform/KeyboardNavigation.h"
#include "common/CN_CommonErrorFunctions.h"
#include "shell/CN_CommonWidgetFunctions.h"

#include <QLineEdit>
#include <QShowEvent>

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
    runAction([this] { load(); });
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

void TInputForm::storedAndClose()
{
    m_cancelled = false;
    accept();
}

} // namespace tvr

#include "platform/PasswordMask.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace tvr
{

namespace
{

class PasswordMaskStyle : public QProxyStyle
{
public:
    explicit PasswordMaskStyle(QChar mask) : m_mask(mask) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return m_mask.unicode();
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar m_mask;
};

} // namespace

void SetPasswordMaskCharacter(QLineEdit *edit, QChar mask)
{
    if (!edit)
        return;
    // The field asks its style for the character when the style changes, so setStyle applies it.
    QStyle *previous = edit->style();
    auto *style = new PasswordMaskStyle(mask);
    style->setParent(edit);
    edit->setStyle(style);
    if (dynamic_cast<PasswordMaskStyle *>(previous))
        delete previous; // set by an earlier call
    edit->setEchoMode(QLineEdit::Password);
}

} // namespace tvr

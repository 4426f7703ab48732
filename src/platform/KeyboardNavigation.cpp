#include "platform/KeyboardNavigation.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace tvr
{

namespace
{

bool IsInputOwner(const QWidget *widget)
{
    return qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget);
}

// Calls visit for every widget of the form's window in Tab order (the focus chain after the form).
template <typename Visit> void ForEachInTabOrder(QWidget *form, Visit visit)
{
    // The chain is a ring through the form; the bound only guards against a corrupted ring.
    qsizetype budget = form->findChildren<QWidget *>().size() + 1;
    for (QWidget *w = form->nextInFocusChain(); w && w != form && budget > 0; w = w->nextInFocusChain(), --budget) {
        if (w->window() == form)
            visit(w);
    }
}

// The input that widget belongs to (itself, or the combo/spin box it is a part of), or nullptr.
QWidget *OwningInput(QWidget *widget, const QWidget *form)
{
    for (QWidget *w = widget; w && w != form; w = w->parentWidget()) {
        if (IsNavigableInput(w))
            return w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool CanTakeFocus(const QWidget *input, const QWidget *form)
{
    // isEnabled() is false as soon as the input or any of its parents is disabled.
    return input->isEnabled() && input->isVisibleTo(form) && input->focusPolicy() != Qt::NoFocus;
}

QWidget *FocusedInput(QWidget *form)
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || focused->window() != form)
        focused = form->focusWidget(); // the form's focus child while it is not the active window
    return focused ? OwningInput(focused, form) : nullptr;
}

bool FocusByTag(QWidget *form, QWidget *current, int step)
{
    if (!form || !current)
        return false;
    const int tag = InputTag(current);
    if (tag < 0)
        return false;
    QWidget *target = nullptr;
    ForEachInTabOrder(form, [&](QWidget *w) {
        if (!target && IsNavigableInput(w) && InputTag(w) == tag + step)
            target = w;
    });
    if (!target || !CanTakeFocus(target, form))
        return false;
    target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace

bool IsNavigableInput(const QWidget *widget)
{
    if (!widget)
        return false;
    if (IsInputOwner(widget) || qobject_cast<const QCheckBox *>(widget))
        return true;
    if (qobject_cast<const QLineEdit *>(widget))
        return !IsInputOwner(widget->parentWidget()); // the editor inside a combo or spin box
    return false;
}

int InputTag(const QWidget *widget)
{
    if (!widget)
        return -1;
    bool ok = false;
    const int tag = widget->property(TagProperty).toInt(&ok);
    return ok ? tag : -1;
}

void TagsFromTabOrder(QWidget *form)
{
    if (!form)
        return;
    int position = 0;
    ForEachInTabOrder(form, [&](QWidget *w) {
        if (!IsNavigableInput(w))
            return;
        const bool reachable = CanTakeFocus(w, form) && (w->focusPolicy() & Qt::TabFocus);
        w->setProperty(TagProperty, reachable ? position++ : -1);
    });
}

bool FocusNextByTag(QWidget *form)
{
    return form && FocusByTag(form, FocusedInput(form), +1);
}

bool FocusPreviousByTag(QWidget *form)
{
    return form && FocusByTag(form, FocusedInput(form), -1);
}

InputFormKeys::InputFormKeys(QDialog *form) : QObject(form), m_form(form)
{
    setObjectName(QStringLiteral("InputFormKeys"));
    // Installed on the application, like a form's key preview: the form sees the key before the
    // focused widget does, whichever of its widgets that is.
    qApp->installEventFilter(this);
}

InputFormKeys::~InputFormKeys()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void InputFormKeys::overrideKey(QWidget *input, int key, Handler handler)
{
    if (!input)
        return;
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    const bool known = std::any_of(m_overrides.begin(), m_overrides.end(),
                                   [input](const auto &entry) { return entry.first.first == input; });
    if (!known) {
        connect(input, &QObject::destroyed, this, [this](QObject *gone) {
            std::erase_if(m_overrides, [gone](const auto &entry) { return entry.first.first == gone; });
        });
    }
    m_overrides[{input, key}] = std::move(handler);
}

void InputFormKeys::overrideEnter(QWidget *input, Handler handler)
{
    overrideKey(input, Qt::Key_Return, std::move(handler));
}

bool InputFormKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WindowActivate:
        if (watched == m_form)
            TagsFromTabOrder(m_form);
        break;
    case QEvent::KeyPress:
        if (watched->isWidgetType()) {
            auto *receiver = static_cast<QWidget *>(watched);
            if (receiver->window() == m_form) {
                const auto *key = static_cast<QKeyEvent *>(event);
                return handleKey(receiver, key->key(), key->modifiers());
            }
        }
        break;
    default:
        break;
    }
    return false;
}

bool InputFormKeys::handleKey(QWidget *receiver, int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key != Qt::Key_Return && key != Qt::Key_Down && key != Qt::Key_Up && key != Qt::Key_Escape)
        return false;

    QWidget *input = OwningInput(receiver, m_form);
    if (input) {
        const auto found = m_overrides.find({input, key});
        if (found != m_overrides.end()) {
            if (!found->second)
                return false; // the input keeps this key
            // Copy: the handler may close the form or replace its own override.
            const Handler handler = found->second;
            handler();
            return true;
        }
    }

    if (key == Qt::Key_Escape) {
        m_form->reject();
        return true;
    }
    if (!input || InputTag(input) < 0)
        return false; // buttons and grids keep Enter, Up and Down
    FocusByTag(m_form, input, key == Qt::Key_Up ? -1 : +1);
    return true;
}

namespace
{
class LeaveWatcher : public QObject
{
public:
    LeaveWatcher(QWidget *input, std::function<void()> handler, QList<QWidget *> skipped)
        : QObject(input), m_input(input), m_handler(std::move(handler)), m_skipped(std::move(skipped))
    {
        input->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_input && event->type() == QEvent::FocusOut && !m_running) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            QWidget *next = QApplication::focusWidget();
            const bool sameWindow = next && next->window() == m_input->window();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && sameWindow &&
                m_input->isVisible() && !m_skipped.contains(next)) {
                m_running = true;
                m_handler();
                m_running = false;
            }
        }
        return false;
    }

private:
    QWidget *m_input;
    std::function<void()> m_handler;
    QList<QWidget *> m_skipped;
    bool m_running = false;
};
} // namespace

QObject *OnLeave(QWidget *input, std::function<void()> handler, QList<QWidget *> skipped)
{
    return new LeaveWatcher(input, std::move(handler), std::move(skipped));
}

InputFormKeys *InstallInputFormKeys(QDialog *form)
{
    if (!form)
        return nullptr;
    if (auto *existing = form->findChild<InputFormKeys *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto *keys = new InputFormKeys(form);
    TagsFromTabOrder(form);
    return keys;
}

} // namespace tvr

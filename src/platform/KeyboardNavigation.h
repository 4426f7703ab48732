#pragma once
// The keyboard convention of input forms: Enter and Down move to the next input, Up to the
// previous one, Escape closes the form as cancelled.
//
// Inputs are numbered by a "tag" (the int dynamic property named "tag"): TagsFromTabOrder walks the
// form's focus chain (the Tab order, as set by the .ui file's tab stops or setTabOrder) and gives
// every input that Tab would reach its position, 0, 1, 2, ... Inputs that cannot take the focus
// at that moment (disabled, hidden, no tab focus) get the tag -1, so moving by tag skips them.
// Moving looks for the input whose tag is one more (one less) than the focused input's; when that
// input (or its parent) is disabled or cannot take the focus, the focus stays where it is.
//
// Inputs are line edits, combo boxes, check boxes and spin boxes. Multi-line text fields are not
// inputs here: Enter belongs to them for new lines.

#include <QList>
#include <QObject>

#include <functional>
#include <map>
#include <utility>

class QDialog;
class QWidget;

namespace tvr
{

// The name of the dynamic property holding an input's tab position.
inline constexpr char TagProperty[] = "tag";

// True for the widget classes the convention moves between (a line edit inside a combo or spin
// box is part of its owner, not an input of its own).
bool IsNavigableInput(const QWidget *widget);

// The input's tag, or -1 when it has none.
int InputTag(const QWidget *widget);

// Gives every input of the form its position in the Tab order as its tag (see above).
void TagsFromTabOrder(QWidget *form);

// Moves the focus to the input whose tag is one more / one less than the focused input's. Returns
// true when the focus moved.
bool FocusNextByTag(QWidget *form);
bool FocusPreviousByTag(QWidget *form);

// The key handling of one input form, installed by InstallInputFormKeys and owned by the form.
//
// Like a form with key preview, it sees every key pressed in the form before the focused widget:
// - Enter (Return or keypad Enter) and Down on an input: FocusNextByTag; Up: FocusPreviousByTag.
//   The key is consumed even when the focus cannot move, so Enter in an input never presses a
//   default button by accident. On a non-input (a button, a grid) these keys do what they
//   normally do.
// - Escape anywhere in the form: reject(), the form closes as cancelled.
// The tags are renewed from the Tab order whenever the form is shown or activated.
//
// A form overrides a key on one input with overrideKey (Enter in the last field moving to the save
// button, for example). An empty handler leaves that key to the input itself (Up and Down in a
// combo box that should change its item, for example).
class InputFormKeys : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    explicit InputFormKeys(QDialog *form);
    ~InputFormKeys() override;

    QDialog *form() const { return m_form; }

    // When key (a Qt::Key) is pressed while input (or a part of it) has the focus, run handler
    // instead of the convention. Qt::Key_Return also covers the keypad's Qt::Key_Enter.
    void overrideKey(QWidget *input, int key, Handler handler);
    // Shorthand for overrideKey(input, Qt::Key_Return, handler).
    void overrideEnter(QWidget *input, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(QWidget *receiver, int key, Qt::KeyboardModifiers modifiers);

    QDialog *m_form;
    // (input, key) -> handler; entries of destroyed inputs are removed when they are destroyed.
    std::map<std::pair<const QObject *, int>, Handler> m_overrides;
};

// Runs handler when the user leaves input for another control of the same window (by key, Tab or
// mouse): the check of a typed code. Leaving for one of the skipped widgets (a cancel button) runs
// nothing, and neither does a window change (a message box opening, the form closing), so a check
// never fires while its own message is shown or the form goes. Returns the watcher (a child of
// input).
QObject *OnLeave(QWidget *input, std::function<void()> handler, QList<QWidget *> skipped = {});

// Installs the convention on the form and tags its inputs. The returned object is a child of the
// form (it dies with it); keep the pointer to add overrides.
InputFormKeys *InstallInputFormKeys(QDialog *form);

} // namespace tvr

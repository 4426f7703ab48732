#pragma once
// The frame every input form of the program shares: centred when shown, the keyboard convention
// installed (Enter and Down to the next input, Up to the previous one, Escape closes as
// cancelled), what the form edits loaded each time it is shown, and the first input focused with
// its caret after the last character. A form is cancelled until it stores what was typed.

#include <QDialog>

class QLineEdit;

namespace tvr
{

class InputFormKeys;

class TInputForm : public QDialog
{
    Q_OBJECT
public:
    // True unless the form stored its input.
    bool cancelled() const { return m_cancelled; }

    void setVisible(bool visible) override;

protected:
    explicit TInputForm(QWidget *parent);

    // The keyboard convention, for fields whose Enter does something else (focus a button).
    InputFormKeys *keys() const { return m_keys; }
    // Loads what the form edits; called each time the form is shown, before its inputs are
    // numbered and focused. A failing read shows its error and leaves the fields as they are.
    virtual void load() {}
    // The input that has the focus when the form opens.
    virtual QLineEdit *firstInput() const = 0;
    // The input was stored: the form is not cancelled, and closes.
    void storedAndClose();

    void showEvent(QShowEvent *event) override;

private:
    InputFormKeys *m_keys;
    bool m_cancelled = true;
};

} // namespace tvr

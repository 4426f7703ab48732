#pragma once
// The frame every input form of the program shares: centred when shown, the keyboard convention
// installed (Enter and Down to the next input, Up to the previous one, Escape closes as
// cancelled), what the form edits loaded each time it is shown, and the first input focused with
// its caret after the last character. A form is cancelled until it stores what was typed; a
// refused or failed save keeps it open with the typed text, and a form whose record could not be
// read never saves (it would overwrite the stored values with empty fields).

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
    // numbered and focused. False (or an error, which is shown) when the record could not be read.
    virtual bool load() { return true; }
    // Stores what was typed; true when it was stored. A refusal shows its message and a failed
    // statement its error; false then.
    virtual bool store() = 0;
    // The input that has the focus when the form opens.
    virtual QLineEdit *firstInput() const = 0;
    // The save button: refuses when the load failed, else stores; the form closes, no longer
    // cancelled, only when the input was stored.
    void save();
    bool loaded() const { return m_loaded; }

    void showEvent(QShowEvent *event) override;

private:
    InputFormKeys *m_keys;
    bool m_cancelled = true;
    bool m_loaded = false;
};

} // namespace tvr

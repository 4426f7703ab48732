#pragma once
// The message dialog: a borderless box with an icon, the message and "OK". Created for one message
// and destroyed after it.

#include <QDialog>

#include <memory>

namespace Ui
{
class TMessageDialog;
}

namespace tvr
{

class TMessageDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TMessageDialog(QWidget *parent = nullptr);
    ~TMessageDialog() override;

    void setText(const QString &text);
    QString text() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TMessageDialog> m_ui;
};

// Shows text in a message dialog modally, centred on the screen; returns when "OK" or Escape
// closes it.
void ShowMessage(const QString &text, QWidget *parent = nullptr);

} // namespace tvr

#pragma once
// The yes/no question: a borderless box with the question, "IGEN" and "NEM". Created for one
// question and destroyed after it. The answer is no until "IGEN" is pressed; "NEM", Escape or any
// other way of closing leaves it no.

#include <QDialog>

#include <memory>

namespace Ui
{
class Tkerdes;
}

namespace tvr
{

class Tkerdes : public QDialog
{
    Q_OBJECT
public:
    explicit Tkerdes(QWidget *parent = nullptr);
    ~Tkerdes() override;

    void setQuestion(const QString &question);
    QString question() const;
    // True only after "IGEN".
    bool answer() const { return m_answer; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::Tkerdes> m_ui;
    bool m_answer = false;
};

// Asks question modally, centred on the screen; true when the user answers "IGEN".
bool AskQuestion(const QString &question, QWidget *parent = nullptr);

} // namespace tvr

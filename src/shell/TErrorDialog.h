#pragma once
// The error dialog: a message in red and, when there is one, the detail (usually the failing
// statement) below it. One instance lives for the whole run; it is the reporter of every error the
// core modules report.

#include <QDialog>

#include <memory>

namespace Ui
{
class TErrorDialog;
}

namespace tvr
{

class TErrorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TErrorDialog(QWidget *parent = nullptr);
    ~TErrorDialog() override;

    // Shows message and detail modally, centred on the screen, and returns when it is closed. The
    // detail box is hidden when detail is empty. Closing the dialog that shows FatalErrorMessage()
    // ends the program (EndProgram). Named showError rather than show so that QWidget::show stays
    // visible. Called again while the dialog is open (an error while the user reads an earlier
    // one), the new message opens in a second dialog of its own.
    void showError(const QString &message, const QString &detail = {});

    QString message() const;
    QString detail() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setTexts(const QString &message, const QString &detail);

    std::unique_ptr<Ui::TErrorDialog> m_ui;
};

// Makes the dialog the reporter of ReportError, so every error of the core modules shows in it, and
// makes EndProgram quit the application with exit code 1: QCoreApplication::exit leaves every
// running event loop, the modal ones included. It acts only while the application's own loop
// (QApplication::exec) runs; before that, a fatal error stops the start-up through the FatalError
// that FailFatally throws. Errors reported from another thread are shown on the dialog's thread
// without waiting for the user. The dialog must outlive the reporting; once it is destroyed,
// reports go to the log.
void InstallAsErrorReporter(TErrorDialog *dialog);

} // namespace tvr

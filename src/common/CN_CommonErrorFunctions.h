#pragma once
// Error types of the program and the one place where a user action ends with a message.
// The database layer and the other core modules report through the hook below; the shell
// installs the error dialog as the reporter, tests install a recorder.

#include <QString>

#include <functional>
#include <stdexcept>

namespace tvr
{

// "Végzetes hiba..." : closing the error dialog with this message ends the program.
QString FatalErrorMessage();
// "Hiba történt a művelet során!" : the message of a failed statement.
QString OperationFailedMessage();

class TvrError : public std::runtime_error
{
public:
    explicit TvrError(const QString &message, const QString &detail = {});
    const QString &message() const { return m_message; }
    const QString &detail() const { return m_detail; }

private:
    QString m_message;
    QString m_detail;
};

// A text that should have been a number (ParseAmount).
class ConversionError : public TvrError
{
    using TvrError::TvrError;
};
// A file that cannot be read, written, copied or deleted.
class FileError : public TvrError
{
    using TvrError::TvrError;
};
// An engine error of a statement; detail is the statement text.
class SqlError : public TvrError
{
    using TvrError::TvrError;
};
// The program is ending (the fatal message was already shown): unwind the current action quietly.
class FatalError : public TvrError
{
    using TvrError::TvrError;
};

using ErrorReporter = std::function<void(const QString &message, const QString &detail)>;

// Installs the reporter (the error dialog) and returns the previous one.
ErrorReporter SetErrorReporter(ErrorReporter reporter);
// Shows message and detail through the installed reporter (a warning on stderr without one).
void ReportError(const QString &message, const QString &detail = {});

// What ends the program after the fatal message; the shell quits the event loops.
using ProgramEnder = std::function<void()>;
ProgramEnder SetProgramEnder(ProgramEnder ender);
void EndProgram();

// Shows the fatal message with the detail, ends the program and throws FatalError so that the
// action that hit it stops here.
[[noreturn]] void FailFatally(const QString &detail);

// The application's default error handler around one user action: any error ends the action
// with its message (FatalError quietly, it was shown already). Returns true when the action
// completed. Exceptions never cross the Qt event loop: every slot that can fail runs in here.
bool runAction(const std::function<void()> &action);

} // namespace tvr

#include "common/CN_CommonErrorFunctions.h"

#include <QtGlobal>

#include <utility>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
ErrorReporter &reporter()
{
    static ErrorReporter r;
    return r;
}
ProgramEnder &ender()
{
    static ProgramEnder e;
    return e;
}
} // namespace

QString FatalErrorMessage()
{
    return u"Végzetes hiba történt, ezért program működése leáll!"_s;
}
QString OperationFailedMessage()
{
    return u"Hiba történt a művelet során!"_s;
}

TvrError::TvrError(const QString &message, const QString &detail)
    : std::runtime_error(message.toStdString()), m_message(message), m_detail(detail)
{
}

ErrorReporter SetErrorReporter(ErrorReporter r)
{
    return std::exchange(reporter(), std::move(r));
}

void ReportError(const QString &message, const QString &detail)
{
    if (reporter())
        reporter()(message, detail);
    else
        qWarning("%s\n%s", qUtf8Printable(message), qUtf8Printable(detail));
}

ProgramEnder SetProgramEnder(ProgramEnder e)
{
    return std::exchange(ender(), std::move(e));
}

void EndProgram()
{
    if (ender())
        ender()();
}

void FailFatally(const QString &detail)
{
    // The reporter (the error dialog) ends the program when it closes with the fatal message;
    // without a dialog we end it here.
    ReportError(FatalErrorMessage(), detail);
    if (!reporter())
        EndProgram();
    throw FatalError(FatalErrorMessage(), detail);
}

bool runAction(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const FatalError &) {
        // Already shown; the program is ending.
    } catch (const TvrError &e) {
        ReportError(e.message(), e.detail());
    } catch (const std::exception &e) {
        ReportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tvr

#include "support/ServerProcess.h"

#include <QDeadlineTimer>

#include <signal.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tvr::test
{

namespace
{
constexpr int StartLimitMs = 15000;
constexpr int StopLimitMs = 5000;
} // namespace

ServerProcess::ServerProcess(const QString &what, const QStringList &scriptAndArguments)
{
    // The server's own complaints go to the test's output, where a failing test shows them.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter: it is the one that sees the packaged modules (pyftpdlib).
    m_process.start(u"/usr/bin/python3"_s, scriptAndArguments);
    QString failure;
    if (!m_process.waitForStarted(StartLimitMs)) {
        failure = u"the %1 server did not start: "_s.arg(what) + m_process.errorString();
    } else {
        const QDeadlineTimer deadline(StartLimitMs);
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running && !deadline.hasExpired())
            m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        const QByteArray line = m_process.canReadLine() ? m_process.readLine().trimmed() : QByteArray();
        bool ok = false;
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt(&ok);
        if (!ok || m_port <= 0)
            failure = u"the %1 server did not report its port (got \"%2\"; its errors are above)"_s.arg(
                what, QString::fromUtf8(line));
    }
    if (!failure.isEmpty()) {
        stop();
        throw std::runtime_error(failure.toStdString());
    }
}

ServerProcess::~ServerProcess()
{
    stop();
}

QString ServerProcess::host() const
{
    return u"127.0.0.1:%1"_s.arg(m_port);
}

bool ServerProcess::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

void ServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    resume(); // a stopped process would hold the SIGTERM until thawed
    m_process.terminate();
    if (!m_process.waitForFinished(StopLimitMs)) {
        m_process.kill();
        m_process.waitForFinished(StopLimitMs);
    }
}

void ServerProcess::suspend()
{
    if (m_process.state() == QProcess::Running && !m_suspended && ::kill(pid_t(m_process.processId()), SIGSTOP) == 0)
        m_suspended = true;
}

void ServerProcess::resume()
{
    if (m_suspended && m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), SIGCONT);
    m_suspended = false;
}

} // namespace tvr::test

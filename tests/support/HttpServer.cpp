#include "support/HttpServer.h"

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

HttpServer::HttpServer(const QString &rootDir)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter, as for the FTP server.
    m_process.start(u"/usr/bin/python3"_s,
                    {QStringLiteral(TVR_SOURCE_DIR "/tests/support/http-test-server"), u"--root"_s, rootDir});
    QString failure;
    if (!m_process.waitForStarted(StartLimitMs)) {
        failure = u"the HTTP server did not start: "_s + m_process.errorString();
    } else {
        const QDeadlineTimer deadline(StartLimitMs);
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running && !deadline.hasExpired())
            m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        const QByteArray line = m_process.canReadLine() ? m_process.readLine().trimmed() : QByteArray();
        bool ok = false;
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt(&ok);
        if (!ok || m_port <= 0)
            failure = u"the HTTP server did not report its port (got \"%1\"; its errors are above)"_s.arg(
                QString::fromUtf8(line));
    }
    if (!failure.isEmpty()) {
        stop();
        throw std::runtime_error(failure.toStdString());
    }
}

HttpServer::~HttpServer()
{
    stop();
}

QString HttpServer::host() const
{
    return u"127.0.0.1:%1"_s.arg(m_port);
}

QString HttpServer::url(const QString &path) const
{
    return u"http://"_s + host() + path;
}

bool HttpServer::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

void HttpServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    resume();
    m_process.terminate();
    if (!m_process.waitForFinished(StopLimitMs)) {
        m_process.kill();
        m_process.waitForFinished(StopLimitMs);
    }
}

void HttpServer::suspend()
{
    if (m_process.state() == QProcess::Running && !m_suspended && ::kill(pid_t(m_process.processId()), SIGSTOP) == 0)
        m_suspended = true;
}

void HttpServer::resume()
{
    if (m_suspended && m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), SIGCONT);
    m_suspended = false;
}

} // namespace tvr::test

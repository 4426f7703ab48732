#include "support/FtpServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

FtpServer::FtpServer(const QString &rootDir, Options options)
{
    QStringList arguments{QStringLiteral(TVR_SOURCE_DIR "/tools/demo-manufacturer"),
                          u"--root"_s,
                          rootDir,
                          u"--port"_s,
                          u"0"_s,
                          u"--user"_s,
                          options.user,
                          u"--password"_s,
                          options.password};
    if (options.throttleBytesPerSecond > 0)
        arguments << u"--throttle"_s << QString::number(options.throttleBytesPerSecond);
    if (!options.catalogues.isEmpty())
        arguments << u"--catalogues"_s << options.catalogues;
    if (options.activeOnly)
        arguments << u"--active-only"_s;
    if (options.dropUploadsAfterBytes > 0)
        arguments << u"--drop-uploads-after"_s << QString::number(options.dropUploadsAfterBytes) << u"--drop-count"_s
                  << QString::number(options.dropCount);
    // The server's own complaints go to the test's output, where a failing test shows them.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter: it is the one that sees the packaged pyftpdlib.
    m_process.start(u"/usr/bin/python3"_s, arguments);

    QString failure;
    if (!m_process.waitForStarted(StartLimitMs)) {
        failure = u"the FTP server did not start: "_s + m_process.errorString();
    } else {
        const QDeadlineTimer deadline(StartLimitMs);
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running && !deadline.hasExpired())
            m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        const QByteArray line = m_process.canReadLine() ? m_process.readLine().trimmed() : QByteArray();
        bool ok = false;
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt(&ok);
        if (!ok || m_port <= 0)
            failure = u"the FTP server did not report its port (got \"%1\"; its errors are above)"_s.arg(
                QString::fromUtf8(line));
    }
    if (!failure.isEmpty()) {
        stop();
        throw std::runtime_error(failure.toStdString());
    }
}

FtpServer::~FtpServer()
{
    stop();
}

QString FtpServer::host() const
{
    return u"127.0.0.1:%1"_s.arg(m_port);
}

bool FtpServer::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

void FtpServer::stop()
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

void FtpServer::suspend()
{
    if (m_process.state() == QProcess::Running && !m_suspended && ::kill(pid_t(m_process.processId()), SIGSTOP) == 0)
        m_suspended = true;
}

void FtpServer::resume()
{
    if (m_suspended && m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), SIGCONT);
    m_suspended = false;
}

void FtpServer::WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void FtpServer::WriteMarkers(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        WriteFile(QDir(folder).filePath(name), {});
}

} // namespace tvr::test

#pragma once
// A test server run as a child process (Debian's /usr/bin/python3 with a script of ours) that
// reports "PORT <n>" on its first line: started and waited for, stopped, frozen and thawed. The
// FTP and HTTP test servers are both such processes.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tvr::test
{

class ServerProcess
{
public:
    // Starts the script with its arguments and waits for its port; throws (naming what, "FTP" or
    // "HTTP") when it does not come up.
    ServerProcess(const QString &what, const QStringList &scriptAndArguments);
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    int port() const { return m_port; }
    // "127.0.0.1:<port>".
    QString host() const;
    bool isRunning() const;
    // Ends the process; the port stays known. Safe to call more than once.
    void stop();
    // SIGSTOP / SIGCONT: connections stay open but nothing answers.
    void suspend();
    void resume();

private:
    QProcess m_process;
    int m_port = 0;
    bool m_suspended = false;
};

} // namespace tvr::test

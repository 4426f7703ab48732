#pragma once
// A real web server for network tests: Python's http.server (tests/support/http-test-server)
// serving a folder on a free loopback port, started by the constructor and stopped by stop() or
// the destructor. A path under /cut/ answers with the first half of the file and then closes.

#include <QProcess>
#include <QString>

namespace tvr::test
{

class HttpServer
{
public:
    // Serves rootDir; throws when the server does not come up.
    explicit HttpServer(const QString &rootDir);
    ~HttpServer();
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    int port() const { return m_port; }
    // "127.0.0.1:<port>", the form of the picture host setting.
    QString host() const;
    // "http://127.0.0.1:<port>" followed by path (which begins with a slash).
    QString url(const QString &path) const;
    bool isRunning() const;
    // Ends the server; the port stays known, so a client can be pointed at a server that is down.
    void stop();
    // Freezes and thaws the server process (SIGSTOP/SIGCONT): the system still takes connections,
    // but nothing answers, which is what a stuck server looks like to a client.
    void suspend();
    void resume();

private:
    QProcess m_process;
    int m_port = 0;
    bool m_suspended = false;
};

} // namespace tvr::test

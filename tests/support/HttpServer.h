#pragma once
// A real web server for network tests: Python's http.server (tests/support/http-test-server)
// serving a folder on a free loopback port, started by the constructor and stopped by stop() or
// the destructor. A path under /cut/ answers with the first half of the file and then closes.

#include <QString>

#include "support/ServerProcess.h"

namespace tvr::test
{

class HttpServer
{
public:
    // Serves rootDir; throws when the server does not come up.
    explicit HttpServer(const QString &rootDir);
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    int port() const { return m_process.port(); }
    // "127.0.0.1:<port>", the form of the picture host setting.
    QString host() const { return m_process.host(); }
    // "http://127.0.0.1:<port>" followed by path (which begins with a slash).
    QString url(const QString &path) const;
    bool isRunning() const { return m_process.isRunning(); }
    // Ends the server; the port stays known, so a client can be pointed at a server that is down.
    void stop() { m_process.stop(); }
    // Freezes and thaws the server process (SIGSTOP/SIGCONT): the system still takes connections,
    // but nothing answers, which is what a stuck server looks like to a client.
    void suspend() { m_process.suspend(); }
    void resume() { m_process.resume(); }

private:
    ServerProcess m_process;
};

} // namespace tvr::test

#pragma once
// A real FTP server for network tests: tools/demo-manufacturer (pyftpdlib) serving a folder on a
// free loopback port, started by the constructor and stopped by stop() or the destructor.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "support/ServerProcess.h"

namespace tvr::test
{

struct FtpServerOptions {
    QString user = QStringLiteral("zederivu");
    QString password = QStringLiteral("demo-zederivu-2023");
    int throttleBytesPerSecond = 0; // the data connections' speed limit; 0 for none
    bool activeOnly = false;        // refuse passive mode (PASV, EPSV)
    QString catalogues = QString(); // a data folder whose catalogues are published first (the demo)
    // Cuts an upload's data connection once this many bytes arrived (0: never), answering 426 while
    // the server stays up; the partial file stays. Only the first dropCount uploads (-1: every one).
    int dropUploadsAfterBytes = 0;
    int dropCount = -1;
};

class FtpServer
{
public:
    using Options = FtpServerOptions;

    // Serves rootDir as the account's start folder; throws when the server does not come up.
    explicit FtpServer(const QString &rootDir, Options options = {});
    FtpServer(const FtpServer &) = delete;
    FtpServer &operator=(const FtpServer &) = delete;

    int port() const { return m_process.port(); }
    // "127.0.0.1:<port>", the form of the host setting.
    QString host() const { return m_process.host(); }
    bool isRunning() const { return m_process.isRunning(); }
    // Ends the server (and every connection it holds); the port stays known, so a client can be
    // pointed at a server that is down. Safe to call more than once.
    void stop() { m_process.stop(); }
    // Freezes and thaws the server process (SIGSTOP/SIGCONT): its connections stay open but
    // nothing moves, which is what a stalled server looks like to a client.
    void suspend() { m_process.suspend(); }
    void resume() { m_process.resume(); }

    // Writes a file (creating its folders) for the server to serve.
    static void WriteFile(const QString &path, const QByteArray &content);
    // Empty files with the given names in folder (created when missing): version and size markers.
    static void WriteMarkers(const QString &folder, const QStringList &names);

private:
    ServerProcess m_process;
};

} // namespace tvr::test

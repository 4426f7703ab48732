#pragma once
// An FTP client on libcurl for the manufacturer's server: log in, change folder, list names,
// download into memory and upload a file, each with progress, ask a file's size and delete it. Transfers use active
// mode (the server connects back), as the manufacturer's server expects. Every call returns a result (ok, or an error
// text) and none waits forever: there is a connect timeout and a stall timeout. One client is used by one thread at a
// time; cancel() may be called from any thread.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

namespace tvr
{

struct FtpSettings {
    QString host; // "name" or "name:port" (port 21 when absent)
    QString user;
    QString password;
    bool activeMode = true;
    int connectTimeoutMs = 15000; // connecting, logging in, the server's data connection
    int stallTimeoutMs = 30000;   // no byte moving for this long ends a transfer
};

struct FtpResult {
    bool ok = true;
    QString error; // a Hungarian text for the user, with the technical reason
    static FtpResult success() { return {}; }
    static FtpResult failure(const QString &error) { return {false, error}; }
};

class FtpClient
{
public:
    // received/sent bytes so far and the total when known (else 0). Called on the transferring
    // thread; returning false cancels the transfer.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    explicit FtpClient(FtpSettings settings);
    ~FtpClient();
    FtpClient(const FtpClient &) = delete;
    FtpClient &operator=(const FtpClient &) = delete;

    // Connects and logs in (the account's start folder).
    FtpResult connectToServer();
    // Changes to a folder below the current one (for example "zederivu").
    FtpResult changeFolder(const QString &folder);
    // The names in the current folder, in the server's order.
    FtpResult listNames(QStringList &names);
    // Downloads a file of the current folder into memory.
    FtpResult download(const QString &name, QByteArray &content, const Progress &progress = {});
    // Uploads a local file into the current folder under remoteName, replacing a file of that name.
    // Progress counts the bytes handed to the network, which the server may not hold yet: only
    // remoteSize() after the transfer tells what arrived.
    FtpResult upload(const QString &localFile, const QString &remoteName, const Progress &progress = {});
    // The size in bytes of a file of the current folder, as the server reports it.
    FtpResult remoteSize(const QString &name, qint64 &size);
    // Deletes a file of the current folder.
    FtpResult remove(const QString &name);
    // Closes the connection (also done by the destructor).
    void disconnectFromServer();
    // Makes a running or the next transfer end with an error, from any thread.
    void cancel();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tvr

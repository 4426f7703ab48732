#pragma once
// An HTTP client on libcurl for the manufacturer's web server: GET of one file into memory or into
// a local file. A file is written under a temporary name beside its target and renamed into place
// only when the whole answer arrived, so a reader never sees half a picture and a failed transfer
// leaves an earlier copy as it was. Nothing waits forever: there is a connect timeout, a stall
// timeout and a limit on the whole transfer. An error answer of the server (404, 500) is a failure
// that carries its status code. One client is used by one thread at a time; cancel() may be called
// from any thread.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

namespace tvr
{

struct HttpSettings {
    int connectTimeoutMs = 5000; // reaching the server
    int stallTimeoutMs = 10000;  // no byte moving for this long (also while waiting for the answer)
    int totalTimeoutMs = 60000;  // the whole transfer; 0 for no limit
    qint64 maxBytes = 32 << 20;  // a longer answer is refused; 0 for no limit
};

struct HttpResult {
    bool ok = true;
    int status = 0; // the status code of the server's answer; 0 when no answer came
    QString error;  // a Hungarian text for the user, with the technical reason
    // True when the server answered with an error status (4xx, 5xx).
    bool isErrorAnswer() const { return status >= 400; }
};

class HttpClient
{
public:
    // Received bytes so far and the total when known (else 0). Called on the transferring thread,
    // also while no byte moves (about once a second); returning false cancels the transfer.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    explicit HttpClient(HttpSettings settings = {});
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    // GET url into content (empty after a failure).
    HttpResult get(const QString &url, QByteArray &content, const Progress &progress = {});
    // GET url into targetFile: written whole under a temporary name in the target's folder, then
    // renamed over the target. After a failure the target is as it was (absent, or the old copy).
    HttpResult download(const QString &url, const QString &targetFile, const Progress &progress = {});
    // Makes a running or the next transfer end with an error, from any thread.
    void cancel();

private:
    struct Transfer;
    HttpResult perform(const QString &url, Transfer &transfer, const Progress &progress);

    HttpSettings m_settings;
    std::atomic<bool> m_cancelRequested{false};
};

} // namespace tvr

#include "platform/HttpClient.h"

#include "platform/CurlGlobal.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <chrono>
#include <exception>
#include <memory>
#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// curl counts stalls in whole seconds: rounded up, at least one.
long WholeSeconds(int ms)
{
    return ms <= 1000 ? 1L : long((qint64(ms) + 999) / 1000);
}

struct CurlHandle {
    CURL *curl = nullptr;
    CurlHandle()
    {
        CurlGlobalInit();
        curl = curl_easy_init();
        if (!curl)
            throw std::bad_alloc();
    }
    ~CurlHandle() { curl_easy_cleanup(curl); }
    CurlHandle(const CurlHandle &) = delete;
    CurlHandle &operator=(const CurlHandle &) = delete;
};

} // namespace

// Where the answer goes while it arrives, and what the callbacks saw.
struct HttpClient::Transfer {
    const HttpSettings *settings = nullptr;
    std::atomic<bool> *cancelRequested = nullptr;
    const Progress *progress = nullptr;
    QByteArray *memory = nullptr;
    QSaveFile *file = nullptr;
    qint64 received = 0;
    bool tooLarge = false;
    bool writeFailed = false;
    bool stalled = false;
    bool cancelled = false;
    qint64 moved = -1;
    std::chrono::steady_clock::time_point movedAt = std::chrono::steady_clock::now();
    std::exception_ptr callbackError;

    static size_t write(char *data, size_t size, size_t count, void *user)
    {
        auto *t = static_cast<Transfer *>(user);
        const qint64 n = qint64(size * count);
        try {
            if (t->settings->maxBytes > 0 && t->received + n > t->settings->maxBytes) {
                t->tooLarge = true;
                return 0;
            }
            t->received += n;
            if (t->memory)
                t->memory->append(data, n);
            if (t->file && t->file->write(data, n) != n) {
                t->writeFailed = true;
                return 0;
            }
            return size * count;
        } catch (...) {
            t->callbackError = std::current_exception();
            return 0;
        }
    }

    static int xferinfo(void *user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t)
    {
        auto *t = static_cast<Transfer *>(user);
        // Taking the request consumes it: a cancel that comes after this transfer ended is kept
        // for the next one.
        if (t->cancelRequested->exchange(false)) {
            t->cancelled = true;
            return 1;
        }
        // From the start: a server that takes the connection and never answers is as stuck as one
        // that stops in the middle of the picture.
        const auto now = std::chrono::steady_clock::now();
        if (qint64(dlnow) != t->moved) {
            t->moved = qint64(dlnow);
            t->movedAt = now;
        } else if (now - t->movedAt >= std::chrono::milliseconds(qMax(1000, t->settings->stallTimeoutMs))) {
            t->stalled = true;
            return 1;
        }
        if (t->progress && *t->progress) {
            try {
                if (!(*t->progress)(qint64(dlnow), qint64(dltotal))) {
                    t->cancelled = true;
                    return 1;
                }
            } catch (...) {
                t->callbackError = std::current_exception();
                return 1;
            }
        }
        return 0;
    }
};

HttpClient::HttpClient(HttpSettings settings) : m_settings(settings) {}

HttpClient::~HttpClient() = default;

void HttpClient::cancel()
{
    m_cancelRequested.store(true);
}

HttpResult HttpClient::get(const QString &url, QByteArray &content, const Progress &progress)
{
    content.clear();
    Transfer transfer;
    transfer.memory = &content;
    HttpResult result = perform(url, transfer, progress);
    if (!result.ok)
        content.clear();
    return result;
}

HttpResult HttpClient::download(const QString &url, const QString &targetFile, const Progress &progress)
{
    const QString shownName = QDir::toNativeSeparators(targetFile);
    // QSaveFile writes a temporary file beside the target and renames it over the target on
    // commit; without a commit the temporary file is removed and the target stays as it was.
    QSaveFile file(targetFile);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {false, 0, u"A(z) %1 fájl nem írható: %2"_s.arg(shownName, file.errorString())};
    Transfer transfer;
    transfer.file = &file;
    HttpResult result = perform(url, transfer, progress);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return {false, result.status, u"A(z) %1 fájl nem írható: %2"_s.arg(shownName, file.errorString())};
    return result;
}

HttpResult HttpClient::perform(const QString &url, Transfer &transfer, const Progress &progress)
{
    const QString host = QUrl(url).host();
    const QByteArray urlBytes = url.toUtf8();
    CurlHandle handle;
    CURL *curl = handle.curl;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    transfer.settings = &m_settings;
    transfer.cancelRequested = &m_cancelRequested;
    transfer.progress = &progress;

    curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // An error answer delivers no body: a 404 page never becomes a picture file.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(qMax(1, m_settings.connectTimeoutMs)));
    if (m_settings.totalTimeoutMs > 0)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(m_settings.totalTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, WholeSeconds(m_settings.stallTimeoutMs));
    if (m_settings.maxBytes > 0)
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_settings.maxBytes));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::xferinfo);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);

    const CURLcode code = curl_easy_perform(curl);
    if (transfer.callbackError)
        std::rethrow_exception(transfer.callbackError);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    HttpResult result;
    result.status = int(status);
    if (code == CURLE_OK)
        return result;

    result.ok = false;
    const QString what = u"A(z) %1 letöltése"_s.arg(url);
    QString reason = QString::fromUtf8(errorBuffer).trimmed();
    if (reason.isEmpty())
        reason = QString::fromUtf8(curl_easy_strerror(code));
    if (transfer.cancelled) {
        result.error = what + u" megszakadt."_s;
    } else if (transfer.stalled || code == CURLE_OPERATION_TIMEDOUT) {
        result.error =
            what + u" nem sikerült: a kiszolgáló nem válaszol (%1)"_s.arg(
                       transfer.stalled
                           ? u"%1 másodperce nem érkezett adat"_s.arg(WholeSeconds(m_settings.stallTimeoutMs))
                           : reason);
    } else if (code == CURLE_HTTP_RETURNED_ERROR) {
        result.error = what + u" nem sikerült: a kiszolgáló válasza %1."_s.arg(status);
    } else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.error = what + u" nem sikerült: a válasz nagyobb %1 bájtnál."_s.arg(m_settings.maxBytes);
    } else if (transfer.writeFailed) {
        result.error = what + u" nem sikerült: a fájl nem írható (%1)."_s.arg(
                                  transfer.file ? transfer.file->errorString() : QString());
    } else if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT || code == CURLE_URL_MALFORMAT ||
               code == CURLE_UNSUPPORTED_PROTOCOL) {
        result.error = u"A kapcsolódás nem sikerült (%1): %2"_s.arg(host.isEmpty() ? url : host, reason);
    } else if (code == CURLE_PARTIAL_FILE || code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR ||
               code == CURLE_GOT_NOTHING) {
        result.error = what + u" nem sikerült: megszakadt a kapcsolat (%1)"_s.arg(reason);
    } else {
        result.error = what + u" nem sikerült: "_s + reason;
    }
    return result;
}

} // namespace tvr

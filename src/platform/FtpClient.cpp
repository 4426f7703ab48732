#include "platform/FtpClient.h"

#include "platform/CurlGlobal.h"

#include <QFile>
#include <QFileInfo>

#include <curl/curl.h>

#include <chrono>
#include <exception>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The stall limit in whole seconds, rounded up and at least one: curl counts stalls and replies in
// seconds, and a shorter limit would end transfers between two ordinary progress reports.
long StallSeconds(int ms)
{
    return ms <= 1000 ? 1L : long((qint64(ms) + 999) / 1000);
}

// The "name:port" of the settings split for the URL; port 21 when absent. An IPv6 address is
// accepted in brackets ("[::1]:21") or bare ("::1").
bool SplitHost(const QString &text, QString &urlHost, int &port)
{
    const QString host = text.trimmed();
    QString name = host;
    QString portText;
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 0)
            return false;
        name = host.mid(1, close - 1);
        const QString rest = host.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                return false;
            portText = rest.mid(1);
        }
    } else if (host.count(u':') == 1) {
        name = host.section(u':', 0, 0);
        portText = host.section(u':', 1);
    }
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'@') || name.contains(u' '))
        return false;
    port = 21;
    if (!portText.isNull()) {
        bool ok = false;
        port = portText.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
    }
    urlHost = name.contains(u':') ? u'[' + name + u']' : name;
    return true;
}

enum class Operation { Connect, Folder, List, Download, Upload, Size, Delete };

} // namespace

struct FtpClient::Impl {
    FtpSettings settings;
    QString urlHost; // empty when the host text is unusable
    int port = 21;
    QStringList path; // folders below the start folder, in order
    CURL *curl = nullptr;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    std::atomic<bool> cancelRequested{false};

    // The request being performed.
    bool uploading = false;
    const Progress *progress = nullptr;
    bool stalled = false; // no byte moved for the stall time
    qint64 moved = 0;
    std::chrono::steady_clock::time_point movedAt;
    std::exception_ptr callbackError;
    QByteArray *received = nullptr;
    QFile *source = nullptr;

    explicit Impl(FtpSettings s) : settings(std::move(s))
    {
        if (!SplitHost(settings.host, urlHost, port))
            urlHost.clear();
    }

    ~Impl() { close(); }

    void close()
    {
        if (curl) {
            curl_easy_cleanup(curl);
            curl = nullptr;
        }
    }

    QString hostText() const { return settings.host.trimmed(); }

    // The URL of the current folder (with a trailing slash) or of a file in it; every segment is
    // escaped, so spaces, accents and '#' or '?' in a name reach the server as they are.
    QByteArray url(const QStringList &segments, bool folder) const
    {
        QByteArray text = "ftp://" + urlHost.toUtf8() + ':' + QByteArray::number(port) + '/';
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const QByteArray raw = segments[i].toUtf8();
            char *escaped = curl_easy_escape(nullptr, raw.constData(), int(raw.size()));
            if (!escaped)
                throw std::bad_alloc();
            text += escaped;
            curl_free(escaped);
            if (folder || i + 1 < segments.size())
                text += '/';
        }
        return text;
    }

    static size_t write(char *data, size_t size, size_t count, void *user)
    {
        auto *d = static_cast<Impl *>(user);
        try {
            if (d->received)
                d->received->append(data, qsizetype(size * count));
            return size * count;
        } catch (...) {
            d->callbackError = std::current_exception();
            return 0;
        }
    }

    static size_t read(char *buffer, size_t size, size_t count, void *user)
    {
        auto *d = static_cast<Impl *>(user);
        const qint64 n = d->source ? d->source->read(buffer, qint64(size * count)) : 0;
        return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
    }

    static int xferinfo(void *user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow)
    {
        auto *d = static_cast<Impl *>(user);
        // Taking the request consumes it: a cancel that comes after this transfer ended is kept
        // for the next one.
        if (d->cancelRequested.exchange(false))
            return 1;
        // curl's own low-speed check averages over several seconds, so a transfer that stops dead
        // would run on for the stall time and more; this ends it once no byte has moved for
        // the stall time. Before the first byte the connect, accept and reply timeouts govern.
        const auto now = std::chrono::steady_clock::now();
        if (const qint64 bytes = dlnow + ulnow; bytes != d->moved) {
            d->moved = bytes;
            d->movedAt = now;
        } else if (bytes > 0 && now - d->movedAt >= std::chrono::milliseconds(qMax(1000, d->settings.stallTimeoutMs))) {
            d->stalled = true;
            return 1;
        }
        if (d->progress && *d->progress) {
            const qint64 done = d->uploading ? ulnow : dlnow;
            const qint64 total = d->uploading ? ultotal : dltotal;
            try {
                // Called also while no byte moves (about once a second), so a caller's own
                // cancel flag is seen during a stall too.
                if (!(*d->progress)(done, total))
                    return 1;
            } catch (...) {
                d->callbackError = std::current_exception();
                return 1;
            }
        }
        return 0;
    }

    // Sets the options every request shares; curl_easy_reset keeps the live connection.
    void prepare(const QByteArray &requestUrl)
    {
        if (!curl) {
            CurlGlobalInit();
            curl = curl_easy_init();
            if (!curl)
                throw std::bad_alloc();
        } else {
            curl_easy_reset(curl);
        }
        errorBuffer[0] = 0;
        stalled = false;
        moved = 0;
        movedAt = std::chrono::steady_clock::now();
        callbackError = nullptr;
        curl_easy_setopt(curl, CURLOPT_URL, requestUrl.constData());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        // Credentials stay out of the URL: a password may hold '@' or ':'.
        curl_easy_setopt(curl, CURLOPT_USERNAME, settings.user.toUtf8().constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, settings.password.toUtf8().constData());
        if (settings.activeMode)
            curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(qMax(1, settings.connectTimeoutMs)));
        curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, long(qMax(1, settings.connectTimeoutMs)));
        const long stall = StallSeconds(settings.stallTimeoutMs);
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, stall);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stall);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::xferinfo);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Impl::write);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    }

    // Runs the prepared request and turns its outcome into a result that says what failed.
    FtpResult perform(Operation operation, const QString &subject)
    {
        const CURLcode code = curl_easy_perform(curl);
        progress = nullptr;
        received = nullptr;
        source = nullptr;
        uploading = false;
        if (callbackError)
            std::rethrow_exception(std::exchange(callbackError, nullptr));
        if (code == CURLE_OK)
            return FtpResult::success();
        QString reason = QString::fromUtf8(errorBuffer).trimmed();
        // libcurl 7.88 writes a false "sa_addr inet_ntop() failed" into the error buffer each time
        // it opens the active-mode listening socket (curl issue 10622), and the buffer keeps only
        // the first message of a request, so that text would hide the real reason.
        if (reason.startsWith(u"sa_addr inet_ntop() failed"_s))
            reason.clear();
        if (stalled) {
            reason = u"%1 másodperce nem mozdult adat"_s.arg(StallSeconds(settings.stallTimeoutMs));
        } else if (reason.isEmpty()) {
            reason = QString::fromUtf8(curl_easy_strerror(code));
            long reply = 0;
            if (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply) == CURLE_OK && reply >= 400)
                reason += u" (a kiszolgáló válasza: %1)"_s.arg(reply);
        }
        return FtpResult::failure(describe(operation, subject, code, reason));
    }

    QString describe(Operation operation, const QString &subject, CURLcode code, const QString &reason) const
    {
        if (stalled)
            code = CURLE_OPERATION_TIMEDOUT;
        if (code == CURLE_LOGIN_DENIED)
            return u"Hibás felhasználónév vagy jelszó. (%1: %2)"_s.arg(hostText(), reason);
        if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT || code == CURLE_URL_MALFORMAT ||
            operation == Operation::Connect) {
            if (code == CURLE_ABORTED_BY_CALLBACK)
                return u"A kapcsolódás megszakadt (%1)."_s.arg(hostText());
            return u"A kapcsolódás nem sikerült (%1): %2"_s.arg(hostText(), reason);
        }
        QString what;
        switch (operation) {
        case Operation::Connect: // handled above
        case Operation::Folder:
            what = u"A(z) %1 mappa megnyitása"_s.arg(subject);
            break;
        case Operation::List:
            what = u"A(z) %1 mappa listázása"_s.arg(subject);
            break;
        case Operation::Download:
            what = u"A(z) %1 fájl letöltése"_s.arg(subject);
            break;
        case Operation::Upload:
            what = u"A(z) %1 fájl feltöltése"_s.arg(subject);
            break;
        case Operation::Size:
            what = u"A(z) %1 fájl méretének lekérdezése"_s.arg(subject);
            break;
        case Operation::Delete:
            what = u"A(z) %1 fájl törlése"_s.arg(subject);
            break;
        }
        if (code == CURLE_ABORTED_BY_CALLBACK)
            return what + u" megszakadt."_s;
        if (operation == Operation::Folder &&
            (code == CURLE_REMOTE_ACCESS_DENIED || code == CURLE_REMOTE_FILE_NOT_FOUND))
            return u"A(z) %1 mappa nem érhető el: %2"_s.arg(subject, reason);
        switch (code) {
        case CURLE_OPERATION_TIMEDOUT:
            return what + u" nem sikerült: a kiszolgáló nem válaszol (%1)"_s.arg(reason);
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_FTP_ACCEPT_FAILED:
            return what + u" nem sikerült: megszakadt a kapcsolat (%1)"_s.arg(reason);
        default:
            return what + u" nem sikerült: "_s + reason;
        }
    }

    // No request can start when the host text is unusable.
    std::optional<FtpResult> badHost() const
    {
        if (urlHost.isEmpty())
            return FtpResult::failure(u"A kapcsolódás nem sikerült: hibás kiszolgálócím (%1)."_s.arg(hostText()));
        return std::nullopt;
    }

    QString folderText() const { return path.isEmpty() ? u"/"_s : path.join(u'/'); }
};

FtpClient::FtpClient(FtpSettings settings) : d(std::make_unique<Impl>(std::move(settings))) {}

FtpClient::~FtpClient() = default;

FtpResult FtpClient::connectToServer()
{
    // A new session starts in the account's start folder; curl logs in on the first request.
    d->path.clear();
    if (auto refused = d->badHost())
        return *refused;
    d->prepare(d->url({}, true));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    return d->perform(Operation::Connect, {});
}

FtpResult FtpClient::changeFolder(const QString &folder)
{
    QStringList target = d->path;
    for (const QString &segment : folder.split(u'/', Qt::SkipEmptyParts))
        target.append(segment);
    if (auto refused = d->badHost())
        return *refused;
    // Only a folder the server lets us enter becomes current.
    d->prepare(d->url(target, true));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    const FtpResult result = d->perform(Operation::Folder, folder);
    if (result.ok)
        d->path = target;
    return result;
}

FtpResult FtpClient::listNames(QStringList &names)
{
    names.clear();
    if (auto refused = d->badHost())
        return *refused;
    QByteArray listing;
    d->prepare(d->url(d->path, true));
    curl_easy_setopt(d->curl, CURLOPT_DIRLISTONLY, 1L);
    d->received = &listing;
    const FtpResult result = d->perform(Operation::List, d->folderText());
    if (!result.ok)
        return result;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            names.append(QString::fromUtf8(line));
    }
    return result;
}

FtpResult FtpClient::download(const QString &name, QByteArray &content, const Progress &progress)
{
    content.clear();
    if (auto refused = d->badHost())
        return *refused;
    d->prepare(d->url(d->path + QStringList{name}, false));
    d->received = &content;
    d->progress = &progress;
    const FtpResult result = d->perform(Operation::Download, name);
    if (!result.ok)
        content.clear();
    return result;
}

FtpResult FtpClient::upload(const QString &localFile, const QString &remoteName, const Progress &progress)
{
    if (auto refused = d->badHost())
        return *refused;
    QFile file(localFile);
    if (!QFileInfo(localFile).isFile() || !file.open(QIODevice::ReadOnly))
        return FtpResult::failure(
            u"A(z) %1 fájl feltöltése nem sikerült: a helyi fájl nem olvasható (%2)."_s.arg(remoteName, localFile));
    d->prepare(d->url(d->path + QStringList{remoteName}, false));
    curl_easy_setopt(d->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(d->curl, CURLOPT_READFUNCTION, &Impl::read);
    curl_easy_setopt(d->curl, CURLOPT_READDATA, d.get());
    curl_easy_setopt(d->curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    d->source = &file;
    d->uploading = true;
    d->progress = &progress;
    return d->perform(Operation::Upload, remoteName);
}

FtpResult FtpClient::remoteSize(const QString &name, qint64 &size)
{
    size = -1;
    if (auto refused = d->badHost())
        return *refused;
    // No body: curl asks SIZE (in binary mode) and transfers nothing.
    d->prepare(d->url(d->path + QStringList{name}, false));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    const FtpResult result = d->perform(Operation::Size, name);
    if (!result.ok)
        return result;
    curl_off_t length = -1;
    if (curl_easy_getinfo(d->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK || length < 0)
        return FtpResult::failure(u"A(z) %1 fájl méretét a kiszolgáló nem közölte."_s.arg(name));
    size = qint64(length);
    return result;
}

FtpResult FtpClient::remove(const QString &name)
{
    if (auto refused = d->badHost())
        return *refused;
    if (name.isEmpty() || name.contains(u'\r') || name.contains(u'\n') || name.contains(u'/'))
        return FtpResult::failure(u"A(z) %1 fájl törlése nem sikerült: hibás fájlnév."_s.arg(name));
    // DELE after curl has entered the current folder (a post-quote runs there; a quote would run
    // before the folder change).
    d->prepare(d->url(d->path, true));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    const QByteArray command = "DELE " + name.toUtf8();
    curl_slist *commands = curl_slist_append(nullptr, command.constData());
    if (!commands)
        throw std::bad_alloc();
    curl_easy_setopt(d->curl, CURLOPT_POSTQUOTE, commands);
    FtpResult result;
    try {
        result = d->perform(Operation::Delete, name);
    } catch (...) {
        curl_easy_setopt(d->curl, CURLOPT_POSTQUOTE, nullptr);
        curl_slist_free_all(commands);
        throw;
    }
    curl_easy_setopt(d->curl, CURLOPT_POSTQUOTE, nullptr);
    curl_slist_free_all(commands);
    return result;
}

void FtpClient::disconnectFromServer()
{
    d->close();
    d->path.clear();
}

void FtpClient::cancel()
{
    d->cancelRequested.store(true);
}

} // namespace tvr

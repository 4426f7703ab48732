#include "supplier/ForestPictures.h"

#include "platform/Workers.h"
#include "supplier/IFACE_BASE_TVR_FOREST.h"

#include <QDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// The host as the base of an address ("http://name:port"), or empty when it is not just a host.
QString HostBase(const QString &host)
{
    QString text = host.trimmed();
    if (text.isEmpty())
        return {};
    if (!text.contains(u"://"_s))
        text = u"http://"_s + text;
    while (text.endsWith(u'/'))
        text.chop(1);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || !url.path().isEmpty() ||
        url.hasQuery() || url.hasFragment())
        return {};
    if (url.scheme() != u"http"_s && url.scheme() != u"https"_s)
        return {};
    return url.toString(QUrl::FullyEncoded);
}

struct FetchResult {
    QString articleNumber;
    HttpResult http;
    static FetchResult Failed(const QString &message) { return {{}, {false, 0, message}}; }
};

} // namespace

QString ForestPictureUrl(const QString &host, const QString &articleNumber)
{
    const QString base = HostBase(host);
    if (base.isEmpty() || !IsForestArticleNumber(articleNumber))
        return {};
    return base + u"/szerelveny/pictures/small/"_s + articleNumber + u".jpg"_s;
}

bool IsUsablePictureHost(const QString &host)
{
    return !HostBase(host).isEmpty();
}

QString ForestPictureFile(const DataFolder &folder, const QString &articleNumber)
{
    if (!IsForestArticleNumber(articleNumber))
        return {};
    return QDir(folder.tmpFolder()).filePath(articleNumber + u".jpg"_s);
}

TForestPictureFetcher::TForestPictureFetcher(const DataFolder &folder, QObject *parent)
    : QObject(parent), m_folder(folder), m_workers(new TWorkers(this))
{
}

TForestPictureFetcher::~TForestPictureFetcher()
{
    // A transfer still running is cancelled (it ends within about a second) and waited for, so no
    // worker outlives the window; its result is dropped.
    m_workers->stopAll();
}

bool TForestPictureFetcher::busy() const
{
    return m_running || !m_waiting.isEmpty();
}

void TForestPictureFetcher::request(const QString &articleNumber)
{
    if (ForestPictureUrl(m_host, articleNumber).isEmpty())
        return;
    m_waiting = articleNumber;
    if (!m_running)
        startNext();
}

void TForestPictureFetcher::startNext()
{
    if (m_waiting.isEmpty())
        return;
    const QString article = std::exchange(m_waiting, QString());
    const QString url = ForestPictureUrl(m_host, article);
    const QString file = ForestPictureFile(m_folder, article);
    const QString tmp = m_folder.tmpFolder();
    const HttpSettings settings = m_settings;
    m_running = true;
    m_workers->start<FetchResult>(
        [article, url, file, tmp, settings](const TWorkers::Cancel &cancel) {
            if (!QDir().mkpath(tmp))
                return FetchResult{
                    article, {false, 0, u"A(z) %1 mappa nem hozható létre."_s.arg(QDir::toNativeSeparators(tmp))}};
            HttpClient client(settings);
            const HttpResult result = client.download(url, file, [cancel](qint64, qint64) { return !*cancel; });
            return FetchResult{article, result};
        },
        [this](FetchResult result) {
            m_running = false;
            if (!result.http.ok)
                qInfo("Forest picture not fetched: %s", qPrintable(result.http.error));
            emit finished(result.articleNumber, result.http.ok, result.http.status, result.http.error);
            startNext();
        });
}

} // namespace tvr

// The HTTP client against a real web server on the loopback interface: a file fetched whole, and
// the faults of a joiner's line: an error answer, a server that is down, one that stops answering,
// a connection cut in the middle of the file, an answer that is too long, and a user who cancels.
// After every failure the target is as it was and no temporary file is left beside it.

#include "platform/HttpClient.h"
#include "support/HttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <random>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;
using ::testing::HasSubstr;

namespace
{

std::string Str(const QString &s)
{
    return s.toStdString();
}

QByteArray RandomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(generator() & 0xFF);
    return bytes;
}

void WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a client call while a watchdog cancels the client if the call is still running after
// limitMs, so a client that would wait forever fails the test instead of hanging it.
HttpResult WithinLimit(HttpClient &client, int limitMs, bool &hitLimit, const std::function<HttpResult()> &call)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    hitLimit = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return done; })) {
            hitLimit = true;
            client.cancel();
        }
    });
    const HttpResult result = call();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_all();
    watchdog.join();
    return result;
}

class HttpClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_served.isValid());
        ASSERT_TRUE(m_local.isValid());
        m_picture = RandomBytes(300 * 1024, 7);
        WriteFile(m_served.filePath(u"szerelveny/pictures/small/00012100128.jpg"_s), m_picture);
        m_server = std::make_unique<HttpServer>(m_served.path());
    }

    QString target() const { return m_local.filePath(u"00012100128.jpg"_s); }
    // Every file in the local folder: nothing but what a test put there or a whole download.
    QStringList localFiles() const
    {
        return QDir(m_local.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir m_served;
    QTemporaryDir m_local;
    QByteArray m_picture;
    std::unique_ptr<HttpServer> m_server;
};

TEST_F(HttpClientTest, DownloadWritesTheWholeFileAndReportsProgress)
{
    HttpClient client;
    std::vector<std::pair<qint64, qint64>> calls;
    const HttpResult result = client.download(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), target(),
                                              [&](qint64 done, qint64 total) {
                                                  calls.emplace_back(done, total);
                                                  return true;
                                              });
    ASSERT_TRUE(result.ok) << Str(result.error);
    EXPECT_EQ(result.status, 200);
    EXPECT_FALSE(result.isErrorAnswer());
    EXPECT_EQ(ReadFile(target()), m_picture);
    EXPECT_EQ(localFiles(), QStringList{u"00012100128.jpg"_s});
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().first, m_picture.size());
}

TEST_F(HttpClientTest, DownloadReplacesAnEarlierCopyWhole)
{
    WriteFile(target(), "earlier copy");
    HttpClient client;
    const HttpResult result = client.download(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), target());
    ASSERT_TRUE(result.ok) << Str(result.error);
    EXPECT_EQ(ReadFile(target()), m_picture);
    EXPECT_EQ(localFiles(), QStringList{u"00012100128.jpg"_s});
}

TEST_F(HttpClientTest, GetReadsIntoMemory)
{
    HttpClient client;
    QByteArray content;
    const HttpResult result = client.get(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), content);
    ASSERT_TRUE(result.ok) << Str(result.error);
    EXPECT_EQ(content, m_picture);

    const HttpResult missing = client.get(m_server->url(u"/nincs.jpg"_s), content);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, 404);
    EXPECT_TRUE(content.isEmpty());
}

// The faults: what the server does, what the result says, and that the target is untouched.
enum class Fault { NotFound, ServerDown, Stuck, CutMidTransfer, TooLong, Cancelled };

struct FaultCase {
    const char *name;
    Fault fault;
    int status;
    const char *errorPart;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class HttpFaultTest : public HttpClientTest, public ::testing::WithParamInterface<std::tuple<FaultCase, bool>>
{
};

TEST_P(HttpFaultTest, FailureLeavesTheTargetAsItWas)
{
    const auto &[c, earlierCopy] = GetParam();
    if (earlierCopy)
        WriteFile(target(), "earlier copy");
    const QStringList before = localFiles();

    HttpSettings settings;
    settings.connectTimeoutMs = 2000;
    settings.stallTimeoutMs = 1500;
    QString path = u"/szerelveny/pictures/small/00012100128.jpg"_s;
    switch (c.fault) {
    case Fault::NotFound:
        path = u"/szerelveny/pictures/small/00099999999.jpg"_s;
        break;
    case Fault::ServerDown:
        m_server->stop();
        break;
    case Fault::Stuck:
        m_server->suspend();
        break;
    case Fault::CutMidTransfer:
        path = u"/cut"_s + path;
        break;
    case Fault::TooLong:
        settings.maxBytes = 100 * 1024;
        break;
    case Fault::Cancelled:
        m_server->suspend();
        settings.stallTimeoutMs = 120000;
        break;
    }
    HttpClient client(settings);
    bool cancelledByWatchdog = false;
    // The cancel case relies on the watchdog; every other case must end long before it.
    const int limit = c.fault == Fault::Cancelled ? 1500 : 60000;
    const HttpResult result =
        WithinLimit(client, limit, cancelledByWatchdog, [&] { return client.download(m_server->url(path), target()); });
    m_server->resume();

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(cancelledByWatchdog, c.fault == Fault::Cancelled);
    EXPECT_EQ(result.status, c.status) << Str(result.error);
    EXPECT_EQ(result.isErrorAnswer(), c.status >= 400);
    EXPECT_THAT(Str(result.error), HasSubstr(c.errorPart));
    EXPECT_EQ(localFiles(), before);
    EXPECT_EQ(ReadFile(target()), earlierCopy ? QByteArray("earlier copy") : QByteArray());
    EXPECT_EQ(QFile::exists(target()), earlierCopy);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HttpFaultTest,
    ::testing::Combine(
        ::testing::Values(FaultCase{"NotFound", Fault::NotFound, 404, "a kiszolgáló válasza 404"},
                          FaultCase{"ServerDown", Fault::ServerDown, 0, "A kapcsolódás nem sikerült (127.0.0.1)"},
                          FaultCase{"Stuck", Fault::Stuck, 0, "a kiszolgáló nem válaszol"},
                          FaultCase{"CutMidTransfer", Fault::CutMidTransfer, 200, "megszakadt a kapcsolat"},
                          FaultCase{"TooLong", Fault::TooLong, 200, "nagyobb 102400 bájtnál"},
                          FaultCase{"Cancelled", Fault::Cancelled, 0, "megszakadt."}),
        ::testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_EarlierCopy" : "_NoCopy");
    });

TEST_F(HttpClientTest, ACancelAfterTheTransferIsKeptForTheNextOne)
{
    HttpClient client;
    client.cancel();
    const HttpResult cancelled =
        client.download(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), target());
    EXPECT_FALSE(cancelled.ok);
    EXPECT_FALSE(QFile::exists(target()));
    const HttpResult next = client.download(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), target());
    EXPECT_TRUE(next.ok) << Str(next.error);
    EXPECT_EQ(ReadFile(target()), m_picture);
}

TEST_F(HttpClientTest, AMissingFolderIsReportedNotCreated)
{
    HttpClient client;
    const QString inMissing = m_local.filePath(u"nincs/00012100128.jpg"_s);
    const HttpResult result =
        client.download(m_server->url(u"/szerelveny/pictures/small/00012100128.jpg"_s), inMissing);
    EXPECT_FALSE(result.ok);
    EXPECT_THAT(Str(result.error), HasSubstr("nem írható"));
    EXPECT_FALSE(QFile::exists(inMissing));
}

} // namespace

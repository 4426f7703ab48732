// The FTP client against a real server on the loopback interface: listing, downloading and
// uploading with progress, and the faults a joiner's line meets: a wrong password, a missing
// folder or file, a server that is down, dies mid-transfer or stops answering, and a user who
// cancels.

#include "platform/FtpClient.h"
#include "support/FtpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

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

// What a progress callback saw.
struct ProgressLog {
    std::vector<std::pair<qint64, qint64>> calls; // done, total

    void expectMonotoneEndingAt(qint64 size) const
    {
        ASSERT_FALSE(calls.empty());
        for (size_t i = 1; i < calls.size(); ++i)
            EXPECT_LE(calls[i - 1].first, calls[i].first) << "call " << i;
        for (const auto &[done, total] : calls)
            EXPECT_TRUE(total == 0 || total == size) << "total " << total;
        EXPECT_EQ(calls.back().first, size);
        EXPECT_EQ(calls.back().second, size);
    }
};

// Runs a client call on this thread while a watchdog cancels the client if the call is still
// running after limitMs, so a client that would wait forever fails the test instead of hanging.
FtpResult WithinLimit(FtpClient &client, int limitMs, const std::function<FtpResult()> &call)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return done; }))
            client.cancel();
    });
    const FtpResult result = call();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    return result;
}

class FtpClientTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString root() const { return m_root.path(); }
    QString serverFile(const QString &relative) const { return QDir(root()).filePath(relative); }

    static FtpSettings SettingsFor(const FtpServer &server)
    {
        FtpSettings settings;
        settings.host = server.host();
        settings.user = u"zederivu"_s;
        settings.password = u"demo-zederivu-2023"_s;
        settings.connectTimeoutMs = 5000;
        settings.stallTimeoutMs = 10000;
        return settings;
    }

    // A client logged in and standing in the folder zederivu.
    static std::unique_ptr<FtpClient> OpenUpdateFolder(const FtpSettings &settings)
    {
        auto client = std::make_unique<FtpClient>(settings);
        const FtpResult connected = client->connectToServer();
        EXPECT_TRUE(connected.ok) << Str(connected.error);
        const FtpResult changed = client->changeFolder(u"zederivu"_s);
        EXPECT_TRUE(changed.ok) << Str(changed.error);
        return client;
    }

private:
    QTemporaryDir m_root;
};

TEST_F(FtpClientTest, ListsTheNamesOfEachFolderItEnters)
{
    FtpServer::WriteMarkers(serverFile(u"zederivu"_s), {u"20230601.0"_s, u"8192.C0"_s, u"Árlista 2023.txt"_s});
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), "PK");
    FtpServer::WriteFile(serverFile(u"zederivu/régi árak #1/őszi ár.txt"_s), "x");
    FtpServer::WriteFile(serverFile(u"olvass el.txt"_s), "x");
    FtpServer server(root());
    FtpClient client(SettingsFor(server));

    ASSERT_TRUE(client.connectToServer().ok);
    QStringList names;
    FtpResult r = client.listNames(names);
    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_THAT(names, UnorderedElementsAre(u"zederivu"_s, u"olvass el.txt"_s));

    r = client.changeFolder(u"zederivu"_s);
    ASSERT_TRUE(r.ok) << Str(r.error);
    r = client.listNames(names);
    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_THAT(names, UnorderedElementsAre(u"20230601.0"_s, u"8192.C0"_s, u"Árlista 2023.txt"_s, u"update.zip"_s,
                                            u"régi árak #1"_s));

    // A folder below the current one, its name needing escapes in the URL.
    r = client.changeFolder(u"régi árak #1"_s);
    ASSERT_TRUE(r.ok) << Str(r.error);
    r = client.listNames(names);
    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_THAT(names, UnorderedElementsAre(u"őszi ár.txt"_s));

    // A new session starts again in the start folder.
    ASSERT_TRUE(client.connectToServer().ok);
    ASSERT_TRUE(client.listNames(names).ok);
    EXPECT_THAT(names, UnorderedElementsAre(u"zederivu"_s, u"olvass el.txt"_s));
}

// The manufacturer's server wants active mode (here a server that refuses passive mode proves
// it is used); passive mode is kept working for other networks.
class FtpDownloadTest : public FtpClientTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(FtpDownloadTest, DownloadsTheFileByteForByteWithProgress)
{
    const QByteArray data = RandomBytes(3 * 1024 * 1024 + 17, 1);
    FtpServer::WriteFile(serverFile(u"zederivu/Árlista 2023.bin"_s), data);
    FtpServer::WriteFile(serverFile(u"zederivu/20230601.0"_s), {});
    const bool active = GetParam();
    FtpServer server(root(), {.activeOnly = active});
    FtpSettings settings = SettingsFor(server);
    settings.activeMode = active;
    auto client = OpenUpdateFolder(settings);

    QByteArray content;
    ProgressLog log;
    const FtpResult r = client->download(u"Árlista 2023.bin"_s, content, [&](qint64 done, qint64 total) {
        log.calls.emplace_back(done, total);
        return true;
    });

    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_EQ(content.size(), data.size());
    EXPECT_TRUE(content == data);
    log.expectMonotoneEndingAt(data.size());

    // The client serves further calls after a transfer.
    QStringList names;
    ASSERT_TRUE(client->listNames(names).ok);
    EXPECT_THAT(names, UnorderedElementsAre(u"Árlista 2023.bin"_s, u"20230601.0"_s));
    ASSERT_TRUE(client->download(u"20230601.0"_s, content).ok);
    EXPECT_TRUE(content.isEmpty());
}

TEST_F(FtpClientTest, PassiveModeFailsOnAServerThatRefusesIt)
{
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), "PK");
    FtpServer server(root(), {.activeOnly = true});
    FtpSettings settings = SettingsFor(server);
    settings.activeMode = false;
    auto client = OpenUpdateFolder(settings);

    QByteArray content;
    const FtpResult r = client->download(u"update.zip"_s, content);

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(u"A(z) update.zip fájl letöltése nem sikerült: "_s)));
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpDownloadTest, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Active" : "Passive"; });

TEST_F(FtpClientTest, UploadsALocalFileIntactWithProgress)
{
    QDir().mkpath(serverFile(u"zederivu"_s));
    QTemporaryDir local;
    ASSERT_TRUE(local.isValid());
    const QByteArray data = RandomBytes(1024 * 1024 + 5, 2);
    const QString localFile = QDir(local.path()).filePath(u"20230612_ABC_17.s3db"_s);
    FtpServer::WriteFile(localFile, data);
    FtpServer server(root());
    auto client = OpenUpdateFolder(SettingsFor(server));

    ProgressLog log;
    const FtpResult r = client->upload(localFile, u"rendelés 2023_ABC_17.s3db"_s, [&](qint64 done, qint64 total) {
        log.calls.emplace_back(done, total);
        return true;
    });

    ASSERT_TRUE(r.ok) << Str(r.error);
    QFile arrived(serverFile(u"zederivu/rendelés 2023_ABC_17.s3db"_s));
    ASSERT_TRUE(arrived.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arrived.readAll() == data);
    log.expectMonotoneEndingAt(data.size());
}

TEST_F(FtpClientTest, ReportsARemoteFilesSizeAndDeletesIt)
{
    FtpServer::WriteFile(serverFile(u"zederivu/2023.06.06._zederivu_7-152.s3db"_s), RandomBytes(40000, 3));
    FtpServer::WriteFile(serverFile(u"zederivu/másik.s3db"_s), "x");
    FtpServer server(root());
    auto client = OpenUpdateFolder(SettingsFor(server));

    qint64 size = 0;
    FtpResult r = client->remoteSize(u"2023.06.06._zederivu_7-152.s3db"_s, size);
    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_EQ(size, 40000);

    r = client->remove(u"2023.06.06._zederivu_7-152.s3db"_s);
    ASSERT_TRUE(r.ok) << Str(r.error);
    EXPECT_FALSE(QFile::exists(serverFile(u"zederivu/2023.06.06._zederivu_7-152.s3db"_s)));
    EXPECT_TRUE(QFile::exists(serverFile(u"zederivu/másik.s3db"_s)));

    // A file that is not there has no size and cannot be deleted; the client serves on.
    r = client->remoteSize(u"2023.06.06._zederivu_7-152.s3db"_s, size);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(size, -1);
    r = client->remove(u"2023.06.06._zederivu_7-152.s3db"_s);
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr("fájl törlése nem sikerült"));
    EXPECT_FALSE(client->remove(u"a\r\nDELE másik.s3db"_s).ok);
    EXPECT_TRUE(QFile::exists(serverFile(u"zederivu/másik.s3db"_s)));
    ASSERT_TRUE(client->remoteSize(u"másik.s3db"_s, size).ok);
    EXPECT_EQ(size, 1);
}

// Faults answered with a Hungarian text that says what failed, each on a fresh server.
using Adjust = void (*)(FtpSettings &);
using Call = FtpResult (*)(FtpClient &, const QString &localFolder);

void Unchanged(FtpSettings &) {}
void WrongPassword(FtpSettings &s)
{
    s.password = u"rossz:jelszó@"_s;
}
void PortNotANumber(FtpSettings &s)
{
    s.host = u"127.0.0.1:huszonegy"_s;
}

// Logs in and enters zederivu, or says why the case could not get that far.
FtpResult InFolder(FtpClient &client)
{
    FtpResult r = client.connectToServer();
    if (r.ok)
        r = client.changeFolder(u"zederivu"_s);
    if (!r.ok)
        return FtpResult::failure(u"setup: "_s + r.error);
    return r;
}

FtpResult Connect(FtpClient &c, const QString &)
{
    return c.connectToServer();
}

FtpResult EnterMissingFolder(FtpClient &c, const QString &)
{
    const FtpResult r = c.connectToServer();
    return r.ok ? c.changeFolder(u"nincs ilyen"_s) : FtpResult::failure(u"setup: "_s + r.error);
}

FtpResult DownloadMissingFile(FtpClient &c, const QString &)
{
    QByteArray content;
    const FtpResult r = InFolder(c);
    return r.ok ? c.download(u"TVR_FOREST.s3db"_s, content) : r;
}

FtpResult UploadMissingLocalFile(FtpClient &c, const QString &localFolder)
{
    const FtpResult r = InFolder(c);
    return r.ok ? c.upload(QDir(localFolder).filePath(u"nincs.s3db"_s), u"nincs.s3db"_s) : r;
}

struct FaultCase {
    const char *name;
    Adjust adjust;
    Call call;
    QString expected;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class FtpFaultTest : public FtpClientTest, public ::testing::WithParamInterface<FaultCase>
{
};

TEST_P(FtpFaultTest, FailsWithATextThatSaysWhat)
{
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), "PK");
    QTemporaryDir local;
    ASSERT_TRUE(local.isValid());
    FtpServer server(root());
    FtpSettings settings = SettingsFor(server);
    GetParam().adjust(settings);
    FtpClient client(settings);

    const FtpResult r = GetParam().call(client, local.path());

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FtpFaultTest,
    ::testing::Values(FaultCase{"WrongPassword", WrongPassword, Connect, u"Hibás felhasználónév vagy jelszó."_s},
                      FaultCase{"PortNotANumber", PortNotANumber, Connect,
                                u"A kapcsolódás nem sikerült: hibás kiszolgálócím (127.0.0.1:huszonegy)."_s},
                      FaultCase{"MissingFolder", Unchanged, EnterMissingFolder,
                                u"A(z) nincs ilyen mappa nem érhető el: "_s},
                      FaultCase{"MissingRemoteFile", Unchanged, DownloadMissingFile,
                                u"A(z) TVR_FOREST.s3db fájl letöltése nem sikerült: "_s},
                      FaultCase{"MissingLocalFile", Unchanged, UploadMissingLocalFile,
                                u"A(z) nincs.s3db fájl feltöltése nem sikerült: a helyi fájl nem olvasható"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FtpClientTest, AFolderThatCannotBeEnteredLeavesTheCurrentOne)
{
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), "PK");
    FtpServer server(root());
    auto client = OpenUpdateFolder(SettingsFor(server));

    EXPECT_FALSE(client->changeFolder(u"update.zip"_s).ok);
    QStringList names;
    ASSERT_TRUE(client->listNames(names).ok);
    EXPECT_THAT(names, UnorderedElementsAre(u"update.zip"_s));
}

TEST_F(FtpClientTest, AServerThatIsDownFailsTheConnection)
{
    FtpServer server(root());
    FtpSettings settings = SettingsFor(server);
    settings.connectTimeoutMs = 3000;
    server.stop();
    ASSERT_FALSE(server.isRunning());
    FtpClient client(settings);

    const FtpResult r = WithinLimit(client, 30000, [&] { return client.connectToServer(); });

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(u"A kapcsolódás nem sikerült (%1): "_s.arg(server.host()))));
}

TEST_F(FtpClientTest, ProgressReturningFalseCancelsTheDownload)
{
    const QByteArray data = RandomBytes(3 * 1024 * 1024, 3);
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), data);
    FtpServer server(root());
    auto client = OpenUpdateFolder(SettingsFor(server));

    QByteArray content;
    qint64 seen = 0;
    const FtpResult r = client->download(u"update.zip"_s, content, [&](qint64 done, qint64) {
        seen = done;
        return done == 0;
    });

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(u"A(z) update.zip fájl letöltése megszakadt."_s)));
    EXPECT_GT(seen, 0);
    EXPECT_LT(seen, data.size());
    EXPECT_TRUE(content.isEmpty());

    // The client is still usable: the next download runs to the end.
    const FtpResult again = client->download(u"update.zip"_s, content);
    ASSERT_TRUE(again.ok) << Str(again.error);
    EXPECT_TRUE(content == data);
}

TEST_F(FtpClientTest, CancelFromAnotherThreadEndsARunningDownload)
{
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), RandomBytes(2 * 1024 * 1024, 4));
    FtpServer server(root(), {.throttleBytesPerSecond = 200 * 1024});
    auto client = OpenUpdateFolder(SettingsFor(server));

    std::atomic<qint64> received{0};
    std::atomic<bool> finished{false};
    std::thread canceller([&] {
        // Cancels once bytes flow (or after a limit, which the checks below then catch).
        for (int i = 0; i < 1000 && received.load() == 0 && !finished.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        client->cancel();
    });
    QByteArray content;
    const FtpResult r = WithinLimit(*client, 30000, [&] {
        return client->download(u"update.zip"_s, content, [&](qint64 done, qint64) {
            received.store(done);
            return true;
        });
    });
    finished.store(true);
    canceller.join();

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(u"A(z) update.zip fájl letöltése megszakadt."_s)));
    EXPECT_GT(received.load(), 0);
    EXPECT_LT(received.load(), 2 * 1024 * 1024);
}

TEST_F(FtpClientTest, CancelBetweenTransfersEndsOnlyTheNextOne)
{
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), "PK");
    FtpServer server(root());
    auto client = OpenUpdateFolder(SettingsFor(server));

    client->cancel();
    QByteArray content;
    const FtpResult cancelled = client->download(u"update.zip"_s, content);
    const FtpResult next = client->download(u"update.zip"_s, content);

    EXPECT_FALSE(cancelled.ok);
    EXPECT_THAT(Str(cancelled.error), HasSubstr(Str(u"megszakadt"_s)));
    ASSERT_TRUE(next.ok) << Str(next.error);
    EXPECT_EQ(content, QByteArray("PK"));
}

TEST_F(FtpClientTest, AServerThatDiesMidDownloadFailsTheDownload)
{
    const qint64 size = 2 * 1024 * 1024;
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), RandomBytes(size, 5));
    FtpServer server(root(), {.throttleBytesPerSecond = 200 * 1024});
    auto client = OpenUpdateFolder(SettingsFor(server));

    QByteArray content;
    qint64 last = 0;
    const FtpResult r = WithinLimit(*client, 60000, [&] {
        return client->download(u"update.zip"_s, content, [&](qint64 done, qint64) {
            last = done;
            if (done >= 300 * 1024 && server.isRunning())
                server.stop();
            return true;
        });
    });

    EXPECT_FALSE(server.isRunning());
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(u"A(z) update.zip fájl letöltése nem sikerült: "_s)));
    EXPECT_THAT(Str(r.error), Not(HasSubstr(Str(u"megszakadt."_s)))); // not the watchdog's cancel
    EXPECT_LT(last, size);
    EXPECT_TRUE(content.isEmpty());
}

// A server that stops answering at different moments. Each case sets a short limit only for the
// timeout that must end the call (the other one is longer than the watchdog's limit), so the case
// fails unless that very timeout works; the watchdog's cancel would show as "megszakadt".
enum class Freeze { BeforeLogin, BeforeDownload, MidDownload };

struct StallCase {
    const char *name;
    Freeze freeze;
    int connectTimeoutMs;
    int stallTimeoutMs;
    QString expected;
};

void PrintTo(const StallCase &c, std::ostream *os)
{
    *os << c.name;
}

class FtpStallTest : public FtpClientTest, public ::testing::WithParamInterface<StallCase>
{
};

TEST_P(FtpStallTest, AFrozenServerEndsTheCallByItsTimeout)
{
    const StallCase &c = GetParam();
    FtpServer::WriteFile(serverFile(u"zederivu/update.zip"_s), RandomBytes(2 * 1024 * 1024, 6));
    FtpServer server(root(), {.throttleBytesPerSecond = 200 * 1024});
    FtpSettings settings = SettingsFor(server);
    settings.connectTimeoutMs = c.connectTimeoutMs;
    settings.stallTimeoutMs = c.stallTimeoutMs;
    FtpClient client(settings);

    FtpResult r;
    if (c.freeze == Freeze::BeforeLogin) {
        server.suspend();
        r = WithinLimit(client, 30000, [&] { return client.connectToServer(); });
    } else {
        ASSERT_TRUE(client.connectToServer().ok);
        ASSERT_TRUE(client.changeFolder(u"zederivu"_s).ok);
        if (c.freeze == Freeze::BeforeDownload)
            server.suspend();
        QByteArray content;
        r = WithinLimit(client, 30000, [&] {
            return client.download(u"update.zip"_s, content, [&](qint64 done, qint64) {
                if (c.freeze == Freeze::MidDownload && done >= 300 * 1024)
                    server.suspend();
                return true;
            });
        });
        EXPECT_TRUE(content.isEmpty());
    }
    server.resume();

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(Str(r.error), HasSubstr(Str(c.expected)));
    EXPECT_THAT(Str(r.error), Not(HasSubstr(Str(u"megszakadt."_s))));
}

INSTANTIATE_TEST_SUITE_P(Stalls, FtpStallTest,
                         ::testing::Values(
                             // The greeting never comes: the connect timeout covers connecting and logging in.
                             StallCase{"BeforeLogin", Freeze::BeforeLogin, 2000, 60000,
                                       u"A kapcsolódás nem sikerült (127.0.0.1:"_s},
                             // A command gets no reply.
                             StallCase{"BeforeDownload", Freeze::BeforeDownload, 60000, 2000,
                                       u"A(z) update.zip fájl letöltése nem sikerült: a kiszolgáló nem válaszol"_s},
                             // Bytes stop flowing.
                             StallCase{"MidDownload", Freeze::MidDownload, 60000, 2000,
                                       u"A(z) update.zip fájl letöltése nem sikerült: a kiszolgáló nem válaszol"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

// Jobs on worker threads: a job that throws ends as a failed result on the owner's thread, and
// the program goes on; nothing escapes a thread, where it would end the program.

#include "common/CN_CommonErrorFunctions.h"
#include "platform/Workers.h"
#include "transfer/UpdateService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <new>
#include <optional>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

struct JobResult {
    bool ok = false;
    QString message;
    Qt::HANDLE thread = nullptr;
    static JobResult Failed(const QString &message) { return {false, message, nullptr}; }
};

QCoreApplication &App()
{
    static int argc = 1;
    static char name[] = "test_workers";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs one job and waits (with the event loop running) for its result.
std::optional<JobResult> RunJob(TWorkers &workers, std::function<JobResult(const TWorkers::Cancel &)> job)
{
    std::optional<JobResult> received;
    Qt::HANDLE doneOn = nullptr;
    workers.start<JobResult>(std::move(job), [&](JobResult r) {
        doneOn = QThread::currentThreadId();
        received = std::move(r);
    });
    QElapsedTimer waited;
    waited.start();
    while (!received && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (received) {
        EXPECT_EQ(doneOn, QThread::currentThreadId()) << "the result reaches the owner's thread";
    }
    return received;
}

TEST(Workers, AJobThatThrowsEndsAsAFailedResult)
{
    App();
    QObject owner;
    auto *workers = new TWorkers(&owner);
    struct Case {
        std::function<void()> thrower;
        QString message;
    };
    const Case cases[] = {
        {[] { throw SqlError(u"database disk image is malformed"_s, u"select 1;"_s); },
         u"database disk image is malformed"_s},
        {[] { throw std::bad_alloc(); }, u"Elfogyott a memória, a művelet nem fejeződött be."_s},
        {[] { throw std::runtime_error("curl_global_init failed"); }, u"Váratlan hiba: curl_global_init failed"_s},
        {[] { throw 42; }, u"Ismeretlen hiba történt, a művelet nem fejeződött be."_s},
    };
    for (const Case &c : cases) {
        const auto result = RunJob(*workers, [&c](const TWorkers::Cancel &) -> JobResult {
            c.thrower();
            return {true, {}, QThread::currentThreadId()};
        });
        ASSERT_TRUE(result.has_value());
        EXPECT_FALSE(result->ok);
        EXPECT_EQ(result->message, c.message);
    }
    // The program goes on: the next job runs as usual, on a thread of its own.
    const auto fine = RunJob(*workers, [](const TWorkers::Cancel &) {
        return JobResult{true, u"kész"_s, QThread::currentThreadId()};
    });
    ASSERT_TRUE(fine.has_value());
    EXPECT_TRUE(fine->ok);
    EXPECT_NE(fine->thread, QThread::currentThreadId());
}

TEST(Workers, TheUpdateResultsCarryTheFailure)
{
    const ProgramCheckResult program = ProgramCheckResult::Failed(u"nincs memória"_s);
    EXPECT_TRUE(program.error);
    EXPECT_EQ(program.errorText, u"nincs memória"_s);
    const CatalogueCheckResult catalogues = CatalogueCheckResult::Failed(u"x"_s);
    EXPECT_TRUE(catalogues.error);
    EXPECT_FALSE(catalogues.listing.materialsOutdated);
    const DownloadResult download = DownloadResult::Failed(u"y"_s);
    EXPECT_FALSE(download.ok);
    EXPECT_EQ(download.error, u"y"_s);
}

} // namespace

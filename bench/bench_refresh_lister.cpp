// RefreshLister on a 100 000-row quote table: the first screen and the full fetch, each against
// a floor of the raw engine (sqlite3_prepare/step over the same statement on the same encrypted
// file, reading every cell as text) in the same run. The summary line prints the ratios.

#include "database/DB_DatabaseFunctions.h"
#include "database/DB_DatabaseKey.h"
#include "database/DB_Listers.h"
#include "common/SYS_SystemConstants.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kRows = 100000;
constexpr int kScreen = 40; // rows a grid shows at once

// The quote list statement of the main window.
const QString kStatement =
    u"select        arajanlat_id,        megrendelo_neve,        megrendelo_telefonszama,        megrendelo_cime,    "
    u"    tvr_users.user_name,        rogzites_ideje,        arajanlat_tipus,        rendelesszam,        statusza,  "
    u"      (case arajanlat_tipus        when 1 then \"DORVAT BASIC konyharendszer\"        when 2 then "
    u"\"Zelvo,Rumka,Pentla,Ovra\"        when 3 then \"Egyéb bútor\"        end) as arajanlat_besorolas,        (case "
    u"statusza when 0 then \"\" when 1 then \"megrendelve\" end) as mergendelve  from        tvr_arajanlat  join  "
    u"tvr_users on (tvr_arajanlat.rogzitette = tvr_users.user_id)  where tvr_arajanlat.active=1  order by "
    u"arajanlat_id desc; "_s;

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<tvr::TDatabaseConnection> db;
    sqlite3 *raw = nullptr;

    Fixture()
    {
        const tvr::DataFolder folder(dir.path());
        db = std::make_unique<tvr::TDatabaseConnection>(folder, folder.mainDatabase(), tvr::MainDatabaseKey());
        db->executeScript(
            u"insert into tvr_users (user_name,pwd) values ('Üzletvezető','X');"
            "with recursive n(i) as (select 1 union all select i+1 from n where i<%1) "
            "insert into tvr_arajanlat (megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,rogzitette,"
            "rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,basic_munka_id) "
            "select 'Vásárló ' || i, '06 30 ' || (1000000 + i), 'Győr, Fő utca ' || (i % 200), '1', "
            "'2023.06.06. 10:00', '1', cast(i % 3 = 0 as text), '', '0', '0' from n;"_s.arg(kRows));
        const QByteArray key = tvr::MainDatabaseKey();
        sqlite3_open_v2(folder.mainDatabase().toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_key(raw, key.constData(), int(key.size()));
    }
    ~Fixture() { sqlite3_close_v2(raw); }
};

Fixture &Data()
{
    static Fixture fixture;
    return fixture;
}

// The floor: prepare, step up to limit rows, read every cell as text.
int RawRead(int limit)
{
    static const QByteArray sql = kStatement.toLocal8Bit();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(Data().raw, sql.constData(), -1, &st, nullptr);
    int rows = 0;
    while (rows < limit && sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        ++rows;
    }
    sqlite3_finalize(st);
    return rows;
}

void BM_Raw_FirstScreen(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RawRead(kScreen));
}

void BM_RefreshLister_FirstScreen(benchmark::State &state)
{
    tvr::TLister *lister = Data().db->lister(1);
    for (auto _ : state) {
        tvr::RefreshLister(*Data().db, 1, kStatement);
        benchmark::DoNotOptimize(lister->value(kScreen - 1, 1));
    }
    if (lister->rowCount() < kScreen)
        state.SkipWithError("the first screen was not read");
}

void BM_Raw_FullFetch(benchmark::State &state)
{
    for (auto _ : state)
        if (RawRead(kRows + 1) != kRows)
            state.SkipWithError("wrong row count");
}

void BM_RefreshLister_FullFetch(benchmark::State &state)
{
    tvr::TLister *lister = Data().db->lister(1);
    for (auto _ : state) {
        tvr::RefreshLister(*Data().db, 1, kStatement);
        lister->fetchAll();
    }
    if (lister->rowCount() != kRows)
        state.SkipWithError("wrong row count");
}

BENCHMARK(BM_Raw_FirstScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshLister_FirstScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_FullFetch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshLister_FullFetch)->Unit(benchmark::kMillisecond);

// Collects the timings to print each case against its floor.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Data();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ratio = [&](const char *ours, const char *floor) {
        const auto a = reporter.times.find(ours), b = reporter.times.find(floor);
        if (a != reporter.times.end() && b != reporter.times.end() && b->second > 0)
            std::printf("%-32s %6.2f x the raw engine\n", ours, a->second / b->second);
    };
    ratio("BM_RefreshLister_FirstScreen", "BM_Raw_FirstScreen");
    ratio("BM_RefreshLister_FullFetch", "BM_Raw_FullFetch");
    benchmark::Shutdown();
    return 0;
}

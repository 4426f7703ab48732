// ExportOrderFile for a work of 2 000 lines, against a floor in the same run: the same rows copied
// by plain SQL (insert ... select, no conversion, no checks) into a fresh copy of the template
// attached to the same encrypted connection, in one transaction. The summary line prints the ratio.

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Schema.h"
#include "database/InstallationSettings.h"
#include "database/TableLayouts.h"
#include "transfer/IFACE_EXT_TVR.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace
{

// 1200 panels, 300 worktops, 200 elements with 100 frames, 2 front orders with 198 lines.
constexpr int kPanels = 1200, kWorktops = 300, kElements = 200, kFrames = 100, kFrontLines = 198;
static_assert(kPanels + kWorktops + kElements + kFrames + 2 + kFrontLines == 2000);

QString Series(int count, const QString &insertSelect)
{
    return u"with recursive n(i) as (select 1 union all select i+1 from n where i<%1) %2;"_s.arg(count).arg(
        insertSelect);
}

struct Fixture {
    QTemporaryDir dir;
    tvr::DataFolder folder{dir.path()};
    std::unique_ptr<tvr::TDatabaseConnection> db;
    QString floorScript;

    Fixture()
    {
        tvr::CreatePlainDatabase(folder.materialsCatalogue(), tvr::Placement::Materials,
                                 {u"insert into tvr_info (info_id,active,basic_katalogus_verzio,zelvo_katalogus_verzio,"
                                  u"egyeb_katalogus_verzio,alapanyag_katalogus_verzio) values (1,'1','2023.06.01.',"
                                  u"'2023.06.01.','2023.06.01.','2023.06.01.');"_s});
        tvr::CreatePlainDatabase(folder.orderTemplate(), tvr::Placement::Order);
        db = std::make_unique<tvr::TDatabaseConnection>(folder);
        tvr::SetInstallationSetting(*db, tvr::PartnerCodeSetting(), u"7"_s);
        db->executeScript(
            u"insert into tvr_arajanlat (arajanlat_id,megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,"
            u"rogzitette,rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,basic_munka_id) values "
            u"(1,'Kovács Ödön','06 1 234 5678','Győr','1','2023.06.05. 10:00','1','0','','0','0');"
            u"insert into tvr_b_basic_munka (basic_munka_id,active,arajanlat_id,frontszin,teljes_netto_ar) values "
            u"(1,'1','1','Fehér matt','1234567,5');"_s +
            Series(kPanels, u"insert into tvr_b_basic_szabott_lapok (basic_munka_id,active,rogzitette,rogzites_ideje,"
                            u"butorlap_id,a,b,db,butorlap_terulete,butorlap_erteke,butorlap_egysegara,elzaro1_id,"
                            u"elzaro1_kod,elzaro1_hossza,elzaro1_egysegara,elzaro1_erteke,elzaro2_id,elzaro2_kod,"
                            u"elzaro2_hossza,elzaro2_egysegara,elzaro2_erteke,tetel_brutto_erteke,forgathato,atemelve,"
                            u"netto_beszerzesi_ar,netto_eladasi_ar) select '1','1','1','2023.06.05. 10:00','3',"
                            u"cast(300+i as text),'560','2','0,3360','4536,00','13500,00','7','10/04','1,12','320,00',"
                            u"'358,40','8','10/2','0,56','540,00','302,40','5196,80','0','0','3274,00','4092,00' "
                            u"from n"_s) +
            Series(kWorktops, u"insert into tvr_b_basic_szabott_munkalapok (basic_munka_id,active,munkalap_id,hossz,"
                              u"munkalap_egysegara,melyseg,darab,elzaro_kod,munkalap_erteke,elzaras_erteke,"
                              u"csak_a_munkalap_erteke,megjegyzes,netto_beszerzesi_ar,netto_eladasi_ar) select '1',"
                              u"'1','2',cast(1000+i as text),'19000,00','600','1','ML/2','45600,5','1200,00',"
                              u"'44400,5','sarok, bal','30000,00','36000,00' from n"_s) +
            Series(kElements, u"insert into tvr_b_basic_elemsor (basic_elemsor_id,basic_munka_id,active,jeloles,"
                              u"szekrenyvaz_id,alap_brutto_ar,emelt_brutto_ar,kedvezmenyes_brutto_ar,megjegyzes,"
                              u"sorszam,netto_beszerzesi_ar,netto_eladasi_ar,fioktipus) select i,'1','1','A'||i,'101',"
                              u"'45000,00','47000,00','42000,00','fiók, bal','0','28000,00','35000,00','0' from n"_s) +
            Series(kFrames, u"insert into tvr_b_basic_elemsor_alukeret (nettfront_parameter_id,active,basic_elemsor_id,"
                            u"netto_beszerzesi_ar) select '1','1',cast(i as text),'8500,50' from n"_s) +
            u"insert into tvr_r_nettfront_megrendelesek (nettfront_megrendeles_id,basic_munka_id,active,megjegyzes,"
            u"netto_eladasi_ar) values (1,'1','1','első','100000,25'),(2,'1','1','második','200000,75');"_s +
            Series(kFrontLines, u"insert into tvr_r_nettfront_megrendeles_tetelei (nettfront_megrendeles_id,active,"
                                u"rendelt_mennyiseg,rendeleskor_besz_ar,rendeleskor_elad_ar,magassag,szelesseg,"
                                u"terulet,meret) select cast(1+i%2 as text),'1','1','12000,00','15000,00','716',"
                                u"'596','0,43','716x596' from n"_s));
        floorScript = FloorScript();
        tvr::SetClock([] { return QDateTime(QDate(2023, 6, 6), QTime(9, 30)); });
    }

    // The same rows with plain column lists, into the schema "padlo".
    static QString FloorScript()
    {
        QStringList statements{u"begin;"_s};
        for (const tvr::TableSchema &t : tvr::AllTables()) {
            if (t.placement != tvr::Placement::Order)
                continue;
            const QString name = QString::fromLatin1(t.name);
            QStringList columns;
            for (size_t i = t.keyAssignedByEngine ? 1 : 0; i < t.columnNames.size(); ++i)
                columns << QString::fromLatin1(t.columnNames[i]);
            const QString source = u"tvr_"_s + name.mid(3);
            QString select = columns.join(u',');
            QString from;
            if (name == u"tv_info") {
                select.replace(u"megrendelo_id"_s, u"'0'"_s);
                from = u"TVR_ALAPANYAG.tvr_info where info_id=1"_s;
            } else if (name == u"tv_arajanlat") {
                from = source + u" where arajanlat_id=1"_s;
            } else if (name == u"tv_b_basic_munka") {
                from = source + u" where basic_munka_id=1"_s;
            } else if (name == u"tv_b_basic_elemsor_alukeret") {
                from = source + u" where active=1 and basic_elemsor_id in (select basic_elemsor_id from "
                                u"tvr_b_basic_elemsor where active=1 and basic_munka_id='1')"_s;
            } else if (name == u"tv_r_nettfront_megrendeles_tetelei") {
                from = source + u" where active=1 and nettfront_megrendeles_id in (select nettfront_megrendeles_id "
                                u"from tvr_r_nettfront_megrendelesek where active=1 and basic_munka_id='1')"_s;
            } else {
                from = source + u" where active=1 and basic_munka_id='1'"_s;
            }
            statements << u"insert into padlo.%1 (%2) select %3 from %4;"_s.arg(name, columns.join(u','), select, from);
        }
        statements << u"commit;"_s;
        return statements.join(u'\n');
    }
};

Fixture &Data()
{
    static Fixture fixture;
    return fixture;
}

void BM_PlainCopy_Floor(benchmark::State &state)
{
    Fixture &f = Data();
    const QString file = QDir(f.dir.path()).filePath(u"padlo.s3db"_s);
    for (auto _ : state) {
        QFile::remove(file);
        tvr::CopyFileTo(f.folder.orderTemplate(), file);
        tvr::AttachDatabase(*f.db, file, u"padlo"_s);
        f.db->executeScript(f.floorScript);
        tvr::DetachDatabase(*f.db, u"padlo"_s);
    }
}

void BM_ExportOrderFile(benchmark::State &state)
{
    Fixture &f = Data();
    for (auto _ : state) {
        const tvr::OrderFileResult r = tvr::ExportOrderFile(*f.db, u"1"_s);
        if (!r.ok) {
            state.SkipWithError(r.message.toStdString().c_str());
            break;
        }
    }
}

BENCHMARK(BM_PlainCopy_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportOrderFile)->Unit(benchmark::kMillisecond);

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
    // Both copy the same rows, or the comparison means nothing.
    {
        Fixture &f = Data();
        const tvr::OrderFileResult r = tvr::ExportOrderFile(*f.db, u"1"_s);
        const QString floorFile = QDir(f.dir.path()).filePath(u"padlo.s3db"_s);
        tvr::CopyFileTo(f.folder.orderTemplate(), floorFile);
        tvr::AttachDatabase(*f.db, floorFile, u"padlo"_s);
        f.db->executeScript(f.floorScript);
        if (r.ok)
            tvr::AttachDatabase(*f.db, r.path, u"kesz"_s);
        int rows = 0;
        for (const tvr::TableSchema &t : tvr::AllTables()) {
            if (t.placement != tvr::Placement::Order || !r.ok)
                continue;
            const QString name = QString::fromLatin1(t.name);
            const QString ours = f.db->select(u"select count(*) from kesz.%1;"_s.arg(name), {}).value(0);
            const QString floor = f.db->select(u"select count(*) from padlo.%1;"_s.arg(name), {}).value(0);
            if (ours != floor) {
                std::fprintf(stderr, "%s: %s rows against %s\n", t.name, qPrintable(ours), qPrintable(floor));
                return 1;
            }
            rows += ours.toInt();
        }
        if (!r.ok) {
            std::fprintf(stderr, "the export failed: %s\n", qPrintable(r.message));
            return 1;
        }
        tvr::DetachDatabase(*f.db, u"kesz"_s);
        tvr::DetachDatabase(*f.db, u"padlo"_s);
        std::printf("rows in the order file: %d\n", rows);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto a = reporter.times.find("BM_ExportOrderFile"), b = reporter.times.find("BM_PlainCopy_Floor");
    if (a != reporter.times.end() && b != reporter.times.end() && b->second > 0)
        std::printf("%-32s %6.2f x the plain insert ... select\n", "BM_ExportOrderFile", a->second / b->second);
    benchmark::Shutdown();
    return 0;
}

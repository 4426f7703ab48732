// The banded report engine: pages of one or several reports, page breaks with the column header
// repeated, page numbers across a document, the footer's print time from the program's clock,
// optional and growing bands, and the same pages painted into a picture and a PDF whose text
// (Hungarian letters included) reads back with pdftotext.

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "platform/report/ReportLayout.h"
#include "platform/report/ReportOutput.h"
#include "support/TestDataFolder.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

const QDateTime FixedNow(QDate(2023, 6, 6), QTime(10, 15));

class FixedClock
{
public:
    FixedClock()
    {
        SetClock([] { return FixedNow; });
    }
    ~FixedClock() { SetClock({}); }
};

std::shared_ptr<TTableRows> NumberedRows(int count)
{
    auto rows = std::make_shared<TTableRows>(QStringList{u"n"_s, u"nev"_s}, std::vector<QStringList>{});
    for (int i = 1; i <= count; ++i)
        rows->append({QString::number(i), u"tétel %1"_s.arg(i)});
    return rows;
}

// A report with every band: title, column header, a 10 mm detail row, summary and footer.
TReport ListReport(const QString &name, int rows, double summaryHeight = 12)
{
    TReport report(name);
    TReportBand title{u"title"_s, 20};
    title.addText(u"lab_cim"_s, {0, 0, 190, 10}, name, {16, true});
    report.title.push_back(title);
    TReportBand header{u"header"_s, 8};
    header.addText(u"fej_db"_s, {0, 0, 20, 6}, u"db"_s, {8, true});
    header.addText(u"fej_nev"_s, {25, 0, 100, 6}, u"megnevezés"_s, {8, true});
    report.columnHeader.push_back(header);
    TReportBand detail{u"detail"_s, 10};
    detail.addField(u"n"_s, {0, 0, 20, 6}, u"n"_s, {}, Qt::AlignRight | Qt::AlignTop);
    detail.addField(u"nev"_s, {25, 0, 100, 6}, u"nev"_s);
    report.detail.push_back(detail);
    TReportBand summary{u"summary"_s, summaryHeight};
    summary.addText(u"lab_osszesen"_s, {0, 0, 100, 6}, u"Összesen: %1 tétel"_s.arg(rows), {9, true});
    report.summary.push_back(summary);
    TReportBand footer{u"footer"_s, 12};
    footer.addText(u"oldalszam"_s, {70, 2, 50, 6}, u"%1/%2. oldal"_s, {}, Qt::AlignHCenter | Qt::AlignTop).kind =
        TReportTextKind::PageNumber;
    footer.addText(u"nyomtatva"_s, {0, 2, 60, 6}, {}).kind = TReportTextKind::PrintDateTime;
    report.pageFooter.push_back(footer);
    report.setRows(NumberedRows(rows));
    return report;
}

// The detail rows of each page, by the value they print.
std::vector<QStringList> RowsByPage(const TReportPages &pages)
{
    std::vector<QStringList> out;
    for (const TReportPage &p : pages.pages) {
        QStringList values;
        for (const TPlacedText &t : p.texts)
            if (t.band == TBandKind::Detail && t.name == u"n")
                values << t.text;
        out.push_back(values);
    }
    return out;
}

double FooterTop(const TReportPage &page)
{
    return page.find(u"oldalszam"_s)->rect.top() - 2;
}

QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return u"<%1 failed: %2>"_s.arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(ReportLayout, FillsPagesAndRepeatsTheColumnHeaderOnEveryPage)
{
    FixedClock clock;
    // A4 portrait 297 mm: 10 mm margins and a 12 mm footer leave 265 mm. First page: 20 mm title
    // + 8 mm header leave 237 mm, 23 rows; later pages 8 mm header, 25 rows. 60 rows: 23 + 25 + 12
    // and the summary.
    const TReport report = ListReport(u"Lista"_s, 60);
    const TReportPages pages = LayOutReport(report);
    ASSERT_EQ(pages.pageCount(), 3);
    const auto rows = RowsByPage(pages);
    EXPECT_EQ(rows[0].size(), 23);
    EXPECT_EQ(rows[1].size(), 25);
    EXPECT_EQ(rows[2].size(), 12);
    EXPECT_EQ(rows[0].first(), u"1"_s);
    EXPECT_EQ(rows[0].last(), u"23"_s);
    EXPECT_EQ(rows[1].first(), u"24"_s);
    EXPECT_EQ(rows[2].last(), u"60"_s);
    for (const TReportPage &page : pages.pages) {
        SCOPED_TRACE(page.number);
        EXPECT_EQ(page.size, QSizeF(210, 297));
        EXPECT_EQ(page.textsOf(TBandKind::ColumnHeader), (QStringList{u"db"_s, u"megnevezés"_s}));
        EXPECT_EQ(page.textsOf(TBandKind::PageFooter),
                  (QStringList{u"2023.06.06. 10:15"_s, u"%1/3. oldal"_s.arg(page.number)}));
        // The header stands above the first row, and no row reaches into the footer.
        const TPlacedText *header = page.find(u"fej_db"_s);
        const TPlacedText *firstRow = page.find(u"n"_s);
        ASSERT_TRUE(header && firstRow);
        EXPECT_LT(header->rect.bottom(), firstRow->rect.top());
        for (const TPlacedText &t : page.texts) {
            if (t.band == TBandKind::Detail) {
                EXPECT_LE(t.rect.bottom(), FooterTop(page) + 0.01) << t.text.toStdString();
            }
            EXPECT_TRUE(t.fits) << t.text.toStdString();
        }
    }
    EXPECT_EQ(pages.pages[0].textsOf(TBandKind::Title), QStringList{u"Lista"_s});
    EXPECT_TRUE(pages.pages[1].textsOf(TBandKind::Title).isEmpty());
    EXPECT_TRUE(pages.pages[1].textsOf(TBandKind::Summary).isEmpty());
    EXPECT_EQ(pages.pages[2].textsOf(TBandKind::Summary), QStringList{u"Összesen: 60 tétel"_s});
    EXPECT_GT(pages.pages[2].find(u"lab_osszesen"_s)->rect.top(), pages.pages[2].find(u"n"_s, 11)->rect.top());
    EXPECT_EQ(pages.printedAt, FixedNow);
}

TEST(ReportLayout, ASummaryThatDoesNotFitGoesToANewPageUnderTheHeader)
{
    FixedClock clock;
    // 23 rows leave 7 mm above the footer; the 12 mm summary goes to a second page.
    const TReportPages pages = LayOutReport(ListReport(u"Lista"_s, 23));
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(RowsByPage(pages)[0].size(), 23);
    EXPECT_TRUE(RowsByPage(pages)[1].isEmpty());
    EXPECT_EQ(pages.pages[1].textsOf(TBandKind::ColumnHeader), (QStringList{u"db"_s, u"megnevezés"_s}));
    EXPECT_EQ(pages.pages[1].textsOf(TBandKind::Summary), QStringList{u"Összesen: 23 tétel"_s});
    // 22 rows leave room for it.
    EXPECT_EQ(LayOutReport(ListReport(u"Lista"_s, 22)).pageCount(), 1);
}

TEST(ReportLayout, ReportsOfADocumentStartOnNewPagesNumberedAcrossIt)
{
    FixedClock clock;
    const TReport first = ListReport(u"Első"_s, 30);
    const TReport second = ListReport(u"Második"_s, 3);
    TReport empty = ListReport(u"Üres"_s, 0);
    TCompositeReport document;
    document.add(&first);
    document.add(&second);
    document.add(&empty);
    const TReportPages pages = LayOutReports(document);
    ASSERT_EQ(pages.pageCount(), 4);
    const std::vector<int> reportOfPage{0, 0, 1, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pages.pages[size_t(i)].number, i + 1);
        EXPECT_EQ(pages.pages[size_t(i)].reportIndex, reportOfPage[size_t(i)]);
        EXPECT_EQ(pages.pages[size_t(i)].find(u"oldalszam"_s)->text, u"%1/4. oldal"_s.arg(i + 1));
    }
    EXPECT_EQ(pages.pages[2].textsOf(TBandKind::Title), QStringList{u"Második"_s});
    EXPECT_EQ(RowsByPage(pages)[2], (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    // A report without rows still prints its title, header and summary.
    EXPECT_EQ(pages.pages[3].textsOf(TBandKind::Summary), QStringList{u"Összesen: 0 tétel"_s});
    EXPECT_EQ(pages.pages[3].textsOf(TBandKind::ColumnHeader).size(), 2);

    document.clear();
    document.add(&second);
    EXPECT_EQ(LayOutReports(document).pageCount(), 1);
}

TEST(ReportLayout, ChildBandsPrintOnlyForTheirRowsAndStayWithThem)
{
    FixedClock clock;
    TReport report = ListReport(u"Lista"_s, 5);
    TReportBand optional{u"fiokok"_s, 6};
    optional.addComputed(u"lab_paros"_s, {25, 0, 100, 5},
                         [](const TReportRows &rows, int row) { return u"páros: "_s + rows.value(row, u"n"_s); });
    optional.printWhen = [](const TReportRows &rows, int row) { return rows.value(row, u"n"_s).toInt() % 2 == 0; };
    report.detail.push_back(optional);
    const TReportPages pages = LayOutReport(report);
    const TReportPage &page = pages.pages[0];
    EXPECT_EQ(page.find(u"lab_paros"_s, 0)->text, u"páros: 2"_s);
    EXPECT_EQ(page.find(u"lab_paros"_s, 1)->text, u"páros: 4"_s);
    EXPECT_EQ(page.find(u"lab_paros"_s, 2), nullptr);
    EXPECT_EQ(page.find(u"lab_paros"_s, 0)->row, 1);
    // Row 3 starts under row 2's child band: 10 + 6 mm after row 2.
    EXPECT_NEAR(page.find(u"n"_s, 2)->rect.top() - page.find(u"n"_s, 1)->rect.top(), 16, 0.01);
    EXPECT_NEAR(page.find(u"n"_s, 1)->rect.top() - page.find(u"n"_s, 0)->rect.top(), 10, 0.01);
}

TEST(ReportLayout, AWrappingTextGrowsItsBandAndTheLinesUnderIt)
{
    FixedClock clock;
    TReport report = ListReport(u"Lista"_s, 2);
    TReportBand &title = report.title.front();
    TReportText &note = title.addText(u"lab_megjegyzes"_s, {0, 12, 60, 5}, {});
    note.wordWrap = true;
    note.stretch = true;
    title.addLine({0, 0, 190, 0}, 0.3).fromBottom = true;
    const QString longNote = u"Árvíztűrő tükörfúrógép "_s.repeated(8).trimmed();
    report.setText(u"lab_megjegyzes"_s, longNote);
    const TReportPages pages = LayOutReport(report);
    const TReportPage &page = pages.pages[0];
    const TPlacedText *placed = page.find(u"lab_megjegyzes"_s);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->text, longNote);
    EXPECT_TRUE(placed->fits);
    EXPECT_GT(placed->rect.height(), 15); // several lines
    // The header follows the grown title, and the title's bottom line stays under the note.
    EXPECT_GE(page.find(u"fej_db"_s)->rect.top(), placed->rect.bottom() - 0.01);
    ASSERT_FALSE(page.shapes.empty());
    EXPECT_NEAR(page.shapes.front().line.y1(), page.find(u"fej_db"_s)->rect.top(), 0.01);
}

TEST(ReportLayout, TheSecondLineOfACellStandsUnderItsFirstHoweverManyLinesThatTook)
{
    FixedClock clock;
    TReport report = ListReport(u"Lista"_s, 2);
    TReportBand &detail = report.detail.front();
    TReportText &first = detail.addComputed(u"elso"_s, {130, 0, 30, 4}, [](const TReportRows &rows, int row) {
        return rows.value(row, u"n"_s) == u"1" ? u"rövid"_s : u"hosszú szöveg, amely több sorba törik"_s;
    });
    first.wordWrap = first.stretch = true;
    TReportText &second = detail.addText(u"masodik"_s, {130, 0.5, 30, 3.5}, u"alatta"_s, {7});
    second.below = u"elso"_s;
    const TReportPages pages = LayOutReport(report);
    const TReportPage &page = pages.pages[0];
    for (int row = 0; row < 2; ++row) {
        const TPlacedText *a = page.find(u"elso"_s, row);
        const TPlacedText *b = page.find(u"masodik"_s, row);
        EXPECT_NEAR(b->rect.top(), a->rect.bottom() + 0.5, 0.01) << row;
    }
    EXPECT_GT(page.find(u"elso"_s, 1)->rect.height(), page.find(u"elso"_s, 0)->rect.height() * 2);
    // The second row's band grew to hold both lines, so the next band starts below them.
    EXPECT_GE(page.find(u"lab_osszesen"_s)->rect.top(), page.find(u"masodik"_s, 1)->rect.bottom() - 0.01);
}

TEST(ReportLayout, DisabledTextsDoNotPrintAndOverlongTextsAreFlagged)
{
    FixedClock clock;
    TReport report = ListReport(u"Lista"_s, 1);
    report.setEnabled(u"fej_nev"_s, false);
    report.title.front().addText(u"lab_szuk"_s, {0, 12, 10, 5}, u"Ez a szöveg nem fér el tíz milliméteren"_s);
    const TReportPages pages = LayOutReport(report);
    EXPECT_EQ(pages.pages[0].find(u"fej_nev"_s), nullptr);
    EXPECT_FALSE(pages.pages[0].find(u"lab_szuk"_s)->fits);
    EXPECT_TRUE(pages.pages[0].find(u"lab_cim"_s)->fits);
    EXPECT_THROW(report.setText(u"nincs_ilyen"_s, u"x"_s), std::logic_error);
}

TEST(ReportLayout, LandscapePagesAreWideAndHoldFewerRows)
{
    FixedClock clock;
    TReport report = ListReport(u"Lista"_s, 30);
    report.orientation = TPageOrientation::Landscape;
    const TReportPages pages = LayOutReport(report);
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(pages.pages[0].size, QSizeF(297, 210));
    EXPECT_EQ(pages.pages[0].orientation, TPageOrientation::Landscape);
    // 210 - 20 margins - 12 footer - 28 title and header = 150 mm: 15 rows.
    EXPECT_EQ(RowsByPage(pages)[0].size(), 15);
}

TEST(ReportRows, AListerFeedsTheDetailRowsFromTheDatabase)
{
    FixedClock clock;
    test::TestDataFolder data;
    test::ErrorRecorder errors;
    data.writeMaterials();
    auto db = data.open();
    for (const QString &note : {u"első ő"_s, u"második ű"_s, u"harmadik"_s})
        ASSERT_TRUE(InsertRow(*db, u"tvr_feljegyzesek"_s, {u"feljegyzes"_s, u"active"_s}, {note, u"1"_s}));
    TLister *lister = db->lister(65);
    ASSERT_TRUE(lister);
    ASSERT_TRUE(RefreshLister(*db, 65,
                              u"select feljegyzes_id as n, feljegyzes as nev from tvr_feljegyzesek order by "_s +
                                  AsInteger(u"feljegyzes_id"_s)));
    TReport report = ListReport(u"Jegyzetek"_s, 3);
    report.setRows(std::make_shared<TListerRows>(*lister));
    const TReportPages pages = LayOutReport(report);
    EXPECT_EQ(pages.pages[0].textsOf(TBandKind::Detail),
              (QStringList{u"1"_s, u"első ő"_s, u"2"_s, u"második ű"_s, u"3"_s, u"harmadik"_s}));
    for (const auto &[message, detail] : errors.errors)
        ADD_FAILURE() << message.toStdString() << " " << detail.toStdString();
}

TEST(ReportOutput, APdfCarriesEveryTextWithItsHungarianLettersAndFonts)
{
    FixedClock clock;
    QTemporaryDir dir;
    TReport report = ListReport(u"Árvíztűrő tükörfúrógép"_s, 40);
    report.title.front().addText(u"lab_betuk"_s, {0, 12, 100, 6}, u"őű ŐŰ"_s, {10, true});
    TReport landscape = ListReport(u"Fekvő oldal"_s, 1);
    landscape.orientation = TPageOrientation::Landscape;
    TCompositeReport document;
    document.add(&report);
    document.add(&landscape);
    const TReportPages pages = LayOutReports(document);
    ASSERT_EQ(pages.pageCount(), 3);
    const QString file = dir.filePath(u"próba.pdf"_s);
    WriteReportPdf(pages, file, u"Próba"_s);
    ASSERT_TRUE(QFile::exists(file));

    const QString text = RunTool(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, u"-layout"_s, file, u"-"_s});
    EXPECT_TRUE(text.contains(u"őű ŐŰ"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Árvíztűrő tükörfúrógép"_s));
    for (int i = 1; i <= 40; ++i)
        EXPECT_TRUE(text.contains(u"tétel %1"_s.arg(i))) << i;
    EXPECT_TRUE(text.contains(u"Összesen: 40 tétel"_s));
    EXPECT_TRUE(text.contains(u"3/3. oldal"_s));
    EXPECT_TRUE(text.contains(u"2023.06.06. 10:15"_s));
    EXPECT_EQ(text.count(u"megnevezés"_s), 3); // the header on every page

    const QString info = RunTool(u"pdfinfo"_s, {file});
    EXPECT_TRUE(info.contains(QRegularExpression(u"Pages:\\s+3"_s))) << info.toStdString();
    const QString lastPage = RunTool(u"pdfinfo"_s, {u"-f"_s, u"3"_s, u"-l"_s, u"3"_s, file});
    EXPECT_TRUE(lastPage.contains(QRegularExpression(u"Page\\s+3 size:\\s+842 x 595 pts"_s))) << lastPage.toStdString();
    const QString fonts = RunTool(u"pdffonts"_s, {file});
    EXPECT_TRUE(fonts.contains(u"DejaVuSans"_s)) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(u"DejaVuSans-Bold"_s)) << fonts.toStdString();
    // Every font embedded ("emb") with its text mapping ("uni"), so the text reads back as typed.
    for (const QString &line : fonts.split(u'\n').mid(2)) {
        if (!line.trimmed().isEmpty()) {
            EXPECT_TRUE(line.contains(QRegularExpression(u"\\byes\\s+(yes|no)\\s+yes\\b"_s))) << line.toStdString();
        }
    }
}

TEST(ReportOutput, APdfThatCannotBeWrittenIsReported)
{
    FixedClock clock;
    QTemporaryDir dir;
    const TReportPages pages = LayOutReport(ListReport(u"Lista"_s, 1));
    EXPECT_THROW(WriteReportPdf(pages, dir.filePath(u"nincs/ilyen/mappa.pdf"_s), u"x"_s), FileError);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"nincs"_s)));
}

TEST(ReportOutput, AFailedWriteKeepsTheFileThatWasThere)
{
    FixedClock clock;
    QTemporaryDir dir;
    const TReportPages pages = LayOutReport(ListReport(u"Lista"_s, 1));
    const QString file = dir.filePath(u"meglevo.pdf"_s);
    {
        QFile existing(file);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("régi");
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile(dir.filePath(u"probe"_s)).open(QIODevice::WriteOnly)) {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "running as a user whom permissions do not stop";
    }
    EXPECT_THROW(WriteReportPdf(pages, file, u"x"_s), FileError);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("régi"));
}

TEST(ReportOutput, APictureOfAPageShowsItsTextsWhereTheyWereLaidOut)
{
    FixedClock clock;
    const TReportPages pages = LayOutReport(ListReport(u"Lista"_s, 3));
    const QImage image = RenderReportPage(pages.pages[0], 150);
    EXPECT_EQ(image.size(), QSize(1240, 1754));
    auto inkIn = [&](const QRectF &mm) {
        const double scale = 150 / 25.4;
        const QRect r(QPointF(mm.left() * scale, mm.top() * scale).toPoint(),
                      QPointF(mm.right() * scale, mm.bottom() * scale).toPoint());
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        return ink;
    };
    EXPECT_GT(inkIn(pages.pages[0].find(u"lab_cim"_s)->rect), 50);
    EXPECT_GT(inkIn(pages.pages[0].find(u"nev"_s, 2)->rect), 20);
    // The margin stays white.
    EXPECT_EQ(inkIn(QRectF(0, 0, 9, 290)), 0);
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts and text measurement need the application object of the GUI library.
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

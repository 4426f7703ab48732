// The printer path of the report engine: the same laid-out pages painted on a QPrinter (here one
// that prints into a PDF file), a page of the other orientation turned on its sheet.

#include "common/CN_CommonDateFunctions.h"
#include "platform/report/ReportPreview.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

TReport Sheet(const QString &title, TPageOrientation orientation)
{
    TReport report(title);
    report.orientation = orientation;
    TReportBand band(u"title"_s, 20);
    band.addText(u"lab_cim"_s, {0, 0, 150, 10}, title, {14, true});
    report.title.push_back(band);
    TReportBand footer(u"footer"_s, 8);
    footer.addText(u"oldal"_s, {0, 0, 60, 5}, u"%1/%2. oldal"_s).kind = TReportTextKind::PageNumber;
    report.pageFooter.push_back(footer);
    return report;
}

QString Run(const QStringList &arguments)
{
    QProcess process;
    process.start(arguments.first(), arguments.mid(1));
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ReportPrinterTest : public QObject
{
    Q_OBJECT
private slots:
    void printsEveryPageOnItsSheet()
    {
        SetClock([] { return QDateTime(QDate(2023, 6, 6), QTime(10, 15)); });
        const TReport portrait = Sheet(u"Álló őű"_s, TPageOrientation::Portrait);
        const TReport landscape = Sheet(u"Fekvő ŐŰ"_s, TPageOrientation::Landscape);
        TCompositeReport document;
        document.add(&portrait);
        document.add(&landscape);
        const TReportPages pages = LayOutReports(document);
        SetClock({});

        QTemporaryDir dir;
        const QString file = dir.filePath(u"nyomtatott.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        QVERIFY(PrintReportPages(printer, pages));

        const QString info = Run({u"pdfinfo"_s, u"-f"_s, u"1"_s, u"-l"_s, u"2"_s, file});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+2"_s)), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(u"Page\\s+1 size:\\s+595\\.?\\d* x 842"_s)), qPrintable(info));
        // The printer keeps one orientation; the landscape page lies turned on a portrait sheet.
        QVERIFY2(info.contains(QRegularExpression(u"Page\\s+2 size:\\s+595\\.?\\d* x 842"_s)), qPrintable(info));
        const QString first =
            Run({u"pdftotext"_s, u"-enc"_s, u"UTF-8"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, file, u"-"_s});
        const QString second =
            Run({u"pdftotext"_s, u"-enc"_s, u"UTF-8"_s, u"-f"_s, u"2"_s, u"-l"_s, u"2"_s, file, u"-"_s});
        QVERIFY2(first.contains(u"Álló őű"_s) && first.contains(u"1/2. oldal"_s), qPrintable(first));
        QVERIFY2(second.contains(u"Fekvő ŐŰ"_s) && second.contains(u"2/2. oldal"_s), qPrintable(second));
    }
};

QTEST_MAIN(ReportPrinterTest)
#include "test_report_printer.moc"

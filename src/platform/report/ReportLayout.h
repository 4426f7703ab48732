#pragma once
// Laying a document out into pages, once. The laid-out pages are plain values (texts and shapes at
// their places on the sheet, in millimetres); the preview, the printer, a PDF file and a picture are
// all painted from the same pages (ReportOutput.h), and tests read them directly.
//
// Every report of a document starts on a new page. On each page of a report come, from the top:
// the title bands (first page only), the column header bands, as many rows as fit above the page
// footer, and after the last row the summary bands; a row (its detail band with the child bands
// that print for it) that does not fit goes whole to the next page, whose column header is printed
// again. The page footer stands at the foot of every page. Pages are numbered across the document.
//
// Text sizes are measured with the report font, so a QGuiApplication must exist.

#include "platform/report/Report.h"

#include <QDateTime>
#include <QSizeF>

#include <vector>

namespace tvr
{

// Reports printed one after another as one document (the composite report).
class TCompositeReport
{
public:
    void clear() { m_reports.clear(); }
    // The report is not copied: it must live until the document is laid out.
    void add(const TReport *report) { m_reports.push_back(report); }
    const std::vector<const TReport *> &reports() const { return m_reports; }

private:
    std::vector<const TReport *> m_reports;
};

// Which band a placed item came from.
enum class TBandKind { Title, ColumnHeader, Detail, Summary, PageFooter };

struct TPlacedText {
    QString name;
    TBandKind band = TBandKind::Title;
    QString bandName;
    int row = -1; // the detail row it shows (-1 outside the detail)
    QRectF rect;  // millimetres on the sheet
    QString text;
    TReportFont font;
    Qt::Alignment alignment;
    bool wordWrap = false;
    // False when the text is wider (or, unwrapped or unstretched, taller) than its place.
    bool fits = true;
};

struct TPlacedShape {
    TReportShape::Kind kind = TReportShape::Kind::Line;
    QLineF line;
    QRectF rect;
    double penWidth = 0.2;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor fill;
};

struct TReportPage {
    int number = 0;      // 1-based, across the document
    int reportIndex = 0; // which report of the document
    QString reportName;
    TPageOrientation orientation = TPageOrientation::Portrait;
    QSizeF size; // millimetres (A4: 210 × 297 portrait)
    std::vector<TPlacedText> texts;
    std::vector<TPlacedShape> shapes;
    // The detail rows on this page, in order.
    std::vector<int> rows;

    // The texts of one band kind, top to bottom, left to right.
    QStringList textsOf(TBandKind band) const;
    // The n-th placed text of that name on the page (in placing order), or nullptr.
    const TPlacedText *find(const QString &name, int occurrence = 0) const;
    // Every text of the page, in placing order.
    QStringList allTexts() const;
};

struct TReportPages {
    std::vector<TReportPage> pages;
    QDateTime printedAt;
    int pageCount() const { return int(pages.size()); }
};

// A4 in millimetres.
QSizeF A4Size(TPageOrientation orientation);

// Lays the document out; the print date and time is read from the program's clock (Now()).
TReportPages LayOutReports(const TCompositeReport &document);
TReportPages LayOutReport(const TReport &report);

} // namespace tvr

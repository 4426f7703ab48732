#pragma once
// The banded report: what a printed document is made of before it is laid out into pages.
//
// A report has a title band (printed once, at its start), a column header band (at the top of every
// page of the report), a detail band printed once for every row of its row source, a summary band
// (after the last row) and a page footer band (at the foot of every page). Each slot holds a list of
// bands, so that a row can print optional lines (child bands with their own condition) and a title
// can be made of parts. Bands hold texts and simple shapes placed in millimetres from the band's
// top-left corner; a text takes its font, alignment and place, and may wrap into several lines and
// grow its band. Several reports make one document (TCompositeReport, ReportLayout.h).

#include <QColor>
#include <QLineF>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace tvr
{

class TLister;

// The rows a detail band prints. A lister of the connection is the usual source (TListerRows); a
// test or a report that computes its rows feeds them as a table (TTableRows).
class TReportRows
{
public:
    virtual ~TReportRows() = default;
    // The number of rows; reads them all first.
    virtual int rowCount() = 0;
    // The value of a named column in a row; empty for a column the rows do not have.
    virtual QString value(int row, const QString &column) const = 0;
};

// The rows of a lister as its statement gives them (the statement is the report's to set).
class TListerRows final : public TReportRows
{
public:
    explicit TListerRows(TLister &lister) : m_lister(lister) {}
    int rowCount() override;
    QString value(int row, const QString &column) const override;
    TLister &lister() const { return m_lister; }

private:
    TLister &m_lister;
};

// Rows held as texts, one list of values per row in the order of the column names.
class TTableRows final : public TReportRows
{
public:
    TTableRows() = default;
    TTableRows(QStringList columns, std::vector<QStringList> rows);
    void append(const QStringList &row) { m_rows.push_back(row); }
    int rowCount() override { return int(m_rows.size()); }
    QString value(int row, const QString &column) const override;

private:
    QStringList m_columns;
    std::vector<QStringList> m_rows;
};

// Font of a text. The family is the report font (ReportFontFamily), the one whose files the
// program registers, so that a PDF carries every Hungarian letter whatever the desktop has.
struct TReportFont {
    double pointSize = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// What a text shows.
enum class TReportTextKind {
    Fixed,        // `text` as set (captions, and labels that prepare() fills)
    Field,        // the value of `field` in the current row
    Computed,     // compute(rows, row)
    PageNumber,   // `text` with %1 replaced by the page number and %2 by the document's page count
    PrintDateTime // the time the document was laid out, yyyy.mm.dd. hh:nn
};

struct TReportText {
    QString name; // the component name: tests and prepare() find texts by it
    TReportTextKind kind = TReportTextKind::Fixed;
    QRectF rect; // millimetres from the band's top-left corner
    QString text;
    QString field;
    std::function<QString(const TReportRows &rows, int row)> compute;
    TReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // Breaks the text into lines within the width (a text may also hold line breaks itself).
    bool wordWrap = false;
    // Grows downward to hold every line; the band grows with it.
    bool stretch = false;
    // A disabled text does not print.
    bool enabled = true;
    // The name of an earlier text of the band under which this one stands, however many lines that
    // one took (rect.top() is then the gap): the lines of a multi-line cell in different fonts.
    QString below;
};

struct TReportShape {
    enum class Kind { Line, Rectangle };
    Kind kind = Kind::Line;
    QLineF line;           // Line, millimetres from the band's top-left corner
    QRectF rect;           // Rectangle
    double penWidth = 0.2; // millimetres; 0 draws no outline
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor fill; // Rectangle; invalid for none
    // Measured from the band's bottom instead of its top, so that a line under a row stays under
    // it when a text makes the band taller.
    bool fromBottom = false;
    bool enabled = true;
};

struct TReportBand {
    explicit TReportBand(QString bandName = {}, double leastHeight = 0) : name(std::move(bandName)), height(leastHeight)
    {
    }

    QString name;
    double height = 0; // millimetres: the least height
    // Deques, so that a reference returned by addText() stays good while more texts are added.
    std::deque<TReportText> texts;
    std::deque<TReportShape> shapes;
    bool enabled = true;
    // For detail bands: whether the band prints for this row (no condition: always).
    std::function<bool(const TReportRows &rows, int row)> printWhen;

    TReportText &addText(const QString &name, const QRectF &rect, const QString &text, const TReportFont &font = {},
                         Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
    TReportText &addField(const QString &name, const QRectF &rect, const QString &field, const TReportFont &font = {},
                          Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
    TReportText &addComputed(const QString &name, const QRectF &rect,
                             std::function<QString(const TReportRows &, int)> compute, const TReportFont &font = {},
                             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
    TReportShape &addLine(const QLineF &line, double penWidth = 0.2, Qt::PenStyle style = Qt::SolidLine);
    TReportShape &addRectangle(const QRectF &rect, double penWidth = 0.2, const QColor &fill = {});

    // The text of that name, or nullptr.
    TReportText *findText(const QString &name);
    const TReportText *findText(const QString &name) const;
};

enum class TPageOrientation { Portrait, Landscape };

class TReport
{
public:
    explicit TReport(QString name = {}) : m_name(std::move(name)) {}

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    // A4 in either orientation; the margins in millimetres.
    TPageOrientation orientation = TPageOrientation::Portrait;
    QMarginsF margins{10, 10, 10, 10};

    std::vector<TReportBand> title;
    std::vector<TReportBand> columnHeader;
    std::vector<TReportBand> detail;
    std::vector<TReportBand> summary;
    std::vector<TReportBand> pageFooter;

    // The rows of the detail bands; none prints no detail.
    void setRows(std::shared_ptr<TReportRows> rows) { m_rows = std::move(rows); }
    TReportRows *rows() const { return m_rows.get(); }

    // The first text of that name in any band, or nullptr.
    TReportText *findText(const QString &name);
    const TReportText *findText(const QString &name) const;
    // Sets the text of a Fixed text; throws std::logic_error for a name the report does not have.
    void setText(const QString &name, const QString &text);
    void setEnabled(const QString &name, bool enabled);

private:
    QString m_name;
    std::shared_ptr<TReportRows> m_rows;
};

} // namespace tvr

#include "platform/report/ReportLayout.h"

#include "common/CN_CommonDateFunctions.h"
#include "platform/report/ReportOutput.h"

#include <QFontMetricsF>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// Rounding slack when comparing measured sizes, in millimetres.
constexpr double kSlackMm = 0.05;

QString DefaultPageNumberFormat()
{
    return u"%1. oldal"_s;
}

struct Measure {
    double height = 0; // millimetres
    bool fitsWidth = true;
};

Measure MeasureText(const TReportText &t, const QString &text)
{
    const QFontMetricsF metrics(ReportQFont(t.font));
    const double width = t.rect.width() * ReportUnitsPerMm;
    int flags = int(t.alignment);
    if (t.wordWrap)
        flags |= Qt::TextWordWrap;
    // Measured on a place as wide as the text's and as high as need be, as drawText will lay it.
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width, 1e7), flags, text.isEmpty() ? u" "_s : text);
    return {bounds.height() / ReportUnitsPerMm, bounds.width() <= width + kSlackMm * ReportUnitsPerMm};
}

// A band with its texts worked out for one row, ready to be placed.
struct PreparedBand {
    const TReportBand *band = nullptr;
    TBandKind kind = TBandKind::Title;
    int row = -1;
    std::vector<QString> texts;  // per band text; empty for disabled ones
    std::vector<double> tops;    // placed top of each text, from the band's top
    std::vector<double> heights; // placed height of each text
    std::vector<bool> fits;
    double height = 0;
};

class Layouter
{
public:
    explicit Layouter(const QDateTime &printedAt) : m_printedText(printedAt.toString(u"yyyy.MM.dd. HH:mm"_s))
    {
        m_result.printedAt = printedAt;
    }

    void layOut(const TReport &report, int index)
    {
        m_report = &report;
        m_index = index;
        TReportRows *rows = report.rows();
        const int rowCount = rows ? rows->rowCount() : 0;
        const QSizeF size = A4Size(report.orientation);

        m_footer.clear();
        double footerHeight = 0;
        for (const TReportBand &band : report.pageFooter)
            if (band.enabled) {
                m_footer.push_back(prepare(band, TBandKind::PageFooter, nullptr, -1));
                footerHeight += m_footer.back().height;
            }
        m_footerTop = size.height() - report.margins.bottom() - footerHeight;

        startPage(true);
        for (int row = 0; row < rowCount; ++row) {
            std::vector<PreparedBand> group;
            for (const TReportBand &band : report.detail)
                if (band.enabled && (!band.printWhen || band.printWhen(*rows, row)))
                    group.push_back(prepare(band, TBandKind::Detail, rows, row));
            placeGroup(group);
            page().rows.push_back(row);
        }
        std::vector<PreparedBand> summary;
        for (const TReportBand &band : report.summary)
            if (band.enabled)
                summary.push_back(prepare(band, TBandKind::Summary, rows, -1));
        placeGroup(summary);
        finishPage();
    }

    TReportPages finish()
    {
        // Page numbers are known only now: the count is the whole document's.
        const QString count = QString::number(m_result.pages.size());
        for (const auto &[pageIndex, textIndex, format] : m_pageNumbers) {
            TReportPage &p = m_result.pages[size_t(pageIndex)];
            TPlacedText &t = p.texts[size_t(textIndex)];
            t.text = QString(format).replace(u"%1"_s, QString::number(p.number)).replace(u"%2"_s, count);
            TReportText probe;
            probe.rect = t.rect;
            probe.font = t.font;
            probe.alignment = t.alignment;
            t.fits = MeasureText(probe, t.text).fitsWidth;
        }
        return std::move(m_result);
    }

private:
    TReportPage &page() { return m_result.pages.back(); }

    PreparedBand prepare(const TReportBand &band, TBandKind kind, const TReportRows *rows, int row)
    {
        PreparedBand p;
        p.band = &band;
        p.kind = kind;
        p.row = row;
        p.height = band.height;
        for (const TReportText &t : band.texts) {
            QString text;
            if (t.enabled) {
                switch (t.kind) {
                case TReportTextKind::Fixed:
                    text = t.text;
                    break;
                case TReportTextKind::Field:
                    text = rows && row >= 0 ? rows->value(row, t.field) : QString();
                    break;
                case TReportTextKind::Computed:
                    text = rows && row >= 0 && t.compute ? t.compute(*rows, row) : QString();
                    break;
                case TReportTextKind::PageNumber:
                    text = t.text.isEmpty() ? DefaultPageNumberFormat() : t.text;
                    break;
                case TReportTextKind::PrintDateTime:
                    text = m_printedText;
                    break;
                }
            }
            const Measure m = MeasureText(t, text);
            double h = t.rect.height();
            bool fits = m.fitsWidth;
            if (t.stretch)
                h = std::max(h, m.height);
            else
                fits = fits && m.height <= h + kSlackMm;
            double top = t.rect.top();
            if (!t.below.isEmpty()) {
                for (size_t j = 0; j < p.texts.size(); ++j)
                    if (band.texts[j].name == t.below) {
                        top += p.tops[j] + (band.texts[j].enabled ? p.heights[j] : 0);
                        break;
                    }
            }
            p.texts.push_back(text);
            p.tops.push_back(top);
            p.heights.push_back(h);
            p.fits.push_back(fits);
            if (t.enabled)
                p.height = std::max(p.height, top + h);
        }
        return p;
    }

    // Places bands that belong together (one row, or the summary) on this page or, when they do not
    // fit above the footer, on the next one, unless this page holds nothing of its own yet.
    void placeGroup(const std::vector<PreparedBand> &group)
    {
        double height = 0;
        for (const PreparedBand &b : group)
            height += b.height;
        if (group.empty())
            return;
        const bool pageHasContent = !page().rows.empty();
        if (m_y + height > m_footerTop + kSlackMm && (pageHasContent || m_titleOnPage)) {
            // Nothing gained by breaking when a fresh page would not hold the group either.
            const bool fitsFresh = m_headerHeight + m_report->margins.top() + height <= m_footerTop + kSlackMm;
            if (pageHasContent || fitsFresh) {
                finishPage();
                startPage(false);
            }
        }
        for (const PreparedBand &b : group)
            place(b);
    }

    void startPage(bool first)
    {
        TReportPage p;
        p.number = int(m_result.pages.size()) + 1;
        p.reportIndex = m_index;
        p.reportName = m_report->name();
        p.orientation = m_report->orientation;
        p.size = A4Size(m_report->orientation);
        m_result.pages.push_back(std::move(p));
        m_y = m_report->margins.top();
        m_titleOnPage = false;
        if (first)
            for (const TReportBand &band : m_report->title)
                if (band.enabled) {
                    place(prepare(band, TBandKind::Title, m_report->rows(), -1));
                    m_titleOnPage = true;
                }
        const double headerTop = m_y;
        for (const TReportBand &band : m_report->columnHeader)
            if (band.enabled)
                place(prepare(band, TBandKind::ColumnHeader, m_report->rows(), -1));
        m_headerHeight = m_y - headerTop;
    }

    void finishPage()
    {
        m_y = m_footerTop;
        for (const PreparedBand &b : m_footer)
            place(b);
    }

    void place(const PreparedBand &b)
    {
        TReportPage &p = page();
        const double left = m_report->margins.left();
        for (size_t i = 0; i < b.band->texts.size(); ++i) {
            const TReportText &t = b.band->texts[i];
            if (!t.enabled)
                continue;
            TPlacedText placed;
            placed.name = t.name;
            placed.band = b.kind;
            placed.bandName = b.band->name;
            placed.row = b.row;
            placed.rect = QRectF(t.rect.left() + left, b.tops[i] + m_y, t.rect.width(), b.heights[i]);
            placed.text = b.texts[i];
            placed.font = t.font;
            placed.alignment = t.alignment;
            placed.wordWrap = t.wordWrap;
            placed.fits = b.fits[i];
            if (t.kind == TReportTextKind::PageNumber)
                m_pageNumbers.push_back({int(m_result.pages.size()) - 1, int(p.texts.size()), placed.text});
            p.texts.push_back(std::move(placed));
        }
        const QPointF origin(left, m_y);
        for (const TReportShape &s : b.band->shapes) {
            if (!s.enabled)
                continue;
            TPlacedShape placed;
            placed.kind = s.kind;
            const QPointF shift = s.fromBottom ? QPointF(left, m_y + b.height) : origin;
            placed.line = s.line.translated(shift);
            placed.rect = s.rect.translated(shift);
            placed.penWidth = s.penWidth;
            placed.penStyle = s.penStyle;
            placed.fill = s.fill;
            p.shapes.push_back(placed);
        }
        m_y += b.height;
    }

    struct PageNumberText {
        int page;
        int text;
        QString format;
    };

    TReportPages m_result;
    QString m_printedText;
    std::vector<PageNumberText> m_pageNumbers;
    const TReport *m_report = nullptr;
    int m_index = 0;
    std::vector<PreparedBand> m_footer;
    double m_footerTop = 0;
    double m_headerHeight = 0;
    double m_y = 0;
    bool m_titleOnPage = false;
};

} // namespace

QSizeF A4Size(TPageOrientation orientation)
{
    return orientation == TPageOrientation::Portrait ? QSizeF(210, 297) : QSizeF(297, 210);
}

QStringList TReportPage::textsOf(TBandKind band) const
{
    std::vector<const TPlacedText *> selected;
    for (const TPlacedText &t : texts)
        if (t.band == band && !t.text.isEmpty())
            selected.push_back(&t);
    std::stable_sort(selected.begin(), selected.end(), [](const TPlacedText *a, const TPlacedText *b) {
        const qint64 ya = qRound64(a->rect.top() * 10), yb = qRound64(b->rect.top() * 10);
        return ya != yb ? ya < yb : a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const TPlacedText *t : selected)
        out << t->text;
    return out;
}

const TPlacedText *TReportPage::find(const QString &name, int occurrence) const
{
    for (const TPlacedText &t : texts)
        if (t.name == name && occurrence-- == 0)
            return &t;
    return nullptr;
}

QStringList TReportPage::allTexts() const
{
    QStringList out;
    for (const TPlacedText &t : texts)
        if (!t.text.isEmpty())
            out << t.text;
    return out;
}

TReportPages LayOutReports(const TCompositeReport &document)
{
    Layouter layouter(Now());
    int index = 0;
    for (const TReport *report : document.reports())
        layouter.layOut(*report, index++);
    return layouter.finish();
}

TReportPages LayOutReport(const TReport &report)
{
    TCompositeReport document;
    document.add(&report);
    return LayOutReports(document);
}

} // namespace tvr

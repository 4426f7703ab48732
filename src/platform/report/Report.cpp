#include "platform/report/Report.h"

#include "database/DB_Listers.h"

#include <stdexcept>

namespace tvr
{

int TListerRows::rowCount()
{
    m_lister.fetchAll();
    return m_lister.rowCount();
}

QString TListerRows::value(int row, const QString &column) const
{
    return m_lister.value(row, column);
}

TTableRows::TTableRows(QStringList columns, std::vector<QStringList> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

QString TTableRows::value(int row, const QString &column) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return {};
    const qsizetype c = m_columns.indexOf(column);
    const QStringList &values = m_rows[size_t(row)];
    return c >= 0 && c < values.size() ? values.at(c) : QString();
}

TReportText &TReportBand::addText(const QString &name, const QRectF &rect, const QString &text, const TReportFont &font,
                                  Qt::Alignment alignment)
{
    TReportText t;
    t.name = name;
    t.kind = TReportTextKind::Fixed;
    t.rect = rect;
    t.text = text;
    t.font = font;
    t.alignment = alignment;
    texts.push_back(std::move(t));
    return texts.back();
}

TReportText &TReportBand::addField(const QString &name, const QRectF &rect, const QString &field,
                                   const TReportFont &font, Qt::Alignment alignment)
{
    TReportText &t = addText(name, rect, {}, font, alignment);
    t.kind = TReportTextKind::Field;
    t.field = field;
    return t;
}

TReportText &TReportBand::addComputed(const QString &name, const QRectF &rect,
                                      std::function<QString(const TReportRows &, int)> compute, const TReportFont &font,
                                      Qt::Alignment alignment)
{
    TReportText &t = addText(name, rect, {}, font, alignment);
    t.kind = TReportTextKind::Computed;
    t.compute = std::move(compute);
    return t;
}

TReportShape &TReportBand::addLine(const QLineF &line, double penWidth, Qt::PenStyle style)
{
    TReportShape s;
    s.kind = TReportShape::Kind::Line;
    s.line = line;
    s.penWidth = penWidth;
    s.penStyle = style;
    shapes.push_back(s);
    return shapes.back();
}

TReportShape &TReportBand::addRectangle(const QRectF &rect, double penWidth, const QColor &fill)
{
    TReportShape s;
    s.kind = TReportShape::Kind::Rectangle;
    s.rect = rect;
    s.penWidth = penWidth;
    s.fill = fill;
    shapes.push_back(s);
    return shapes.back();
}

TReportText *TReportBand::findText(const QString &name)
{
    for (TReportText &t : texts)
        if (t.name == name)
            return &t;
    return nullptr;
}

const TReportText *TReportBand::findText(const QString &name) const
{
    return const_cast<TReportBand *>(this)->findText(name);
}

TReportText *TReport::findText(const QString &name)
{
    for (auto *slot : {&title, &columnHeader, &detail, &summary, &pageFooter})
        for (TReportBand &band : *slot)
            if (TReportText *t = band.findText(name))
                return t;
    return nullptr;
}

const TReportText *TReport::findText(const QString &name) const
{
    return const_cast<TReport *>(this)->findText(name);
}

void TReport::setText(const QString &name, const QString &text)
{
    TReportText *t = findText(name);
    if (!t)
        throw std::logic_error("report " + m_name.toStdString() + " has no text " + name.toStdString());
    t->text = text;
}

void TReport::setEnabled(const QString &name, bool enabled)
{
    TReportText *t = findText(name);
    if (!t)
        throw std::logic_error("report " + m_name.toStdString() + " has no text " + name.toStdString());
    t->enabled = enabled;
}

} // namespace tvr

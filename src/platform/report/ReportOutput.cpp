#include "platform/report/ReportOutput.h"

#include "common/CN_CommonErrorFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

QRectF ToUnits(const QRectF &mm)
{
    return {mm.x() * ReportUnitsPerMm, mm.y() * ReportUnitsPerMm, mm.width() * ReportUnitsPerMm,
            mm.height() * ReportUnitsPerMm};
}

QLineF ToUnits(const QLineF &mm)
{
    return {mm.p1() * ReportUnitsPerMm, mm.p2() * ReportUnitsPerMm};
}

QPageLayout PageLayoutOf(TPageOrientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       orientation == TPageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QString FontFile(const QString &name)
{
    // The Debian package's place first, then a fonts folder beside the program (an installation
    // that carries its own copy).
    for (const QString &dir :
         {u"/usr/share/fonts/truetype/dejavu"_s, QCoreApplication::applicationDirPath() + u"/fonts"_s}) {
        const QString path = QDir(dir).filePath(name);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

} // namespace

QString ReportFontFamily()
{
    static const QString family = [] {
        QString found;
        for (const QString &name : {u"DejaVuSans.ttf"_s, u"DejaVuSans-Bold.ttf"_s, u"DejaVuSans-Oblique.ttf"_s,
                                    u"DejaVuSans-BoldOblique.ttf"_s}) {
            const QString path = FontFile(name);
            if (path.isEmpty())
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id >= 0 && found.isEmpty())
                found = QFontDatabase::applicationFontFamilies(id).value(0);
        }
        return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
    }();
    return family;
}

QFont ReportQFont(const TReportFont &font)
{
    QFont f(ReportFontFamily());
    f.setPixelSize(std::max(1, qRound(font.pointSize * 10)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // Unhinted outlines scale exactly, so the lines break where the layout measured them.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void PaintReportPage(QPainter &painter, const TReportPage &page, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / (page.size.width() * ReportUnitsPerMm),
                  target.height() / (page.size.height() * ReportUnitsPerMm));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    for (const TPlacedShape &s : page.shapes) {
        if (s.penWidth > 0)
            painter.setPen(QPen(Qt::black, s.penWidth * ReportUnitsPerMm, s.penStyle, Qt::FlatCap));
        else
            painter.setPen(Qt::NoPen);
        painter.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
        if (s.kind == TReportShape::Kind::Line)
            painter.drawLine(ToUnits(s.line));
        else
            painter.drawRect(ToUnits(s.rect));
    }
    painter.setPen(Qt::black);
    for (const TPlacedText &t : page.texts) {
        if (t.text.isEmpty())
            continue;
        painter.setFont(ReportQFont(t.font));
        int flags = int(t.alignment);
        if (t.wordWrap)
            flags |= Qt::TextWordWrap;
        painter.drawText(ToUnits(t.rect), flags, t.text);
    }
    painter.restore();
}

QImage RenderReportPage(const TReportPage &page, int dotsPerInch)
{
    const double pixelsPerMm = dotsPerInch / 25.4;
    QImage image(QSize(qRound(page.size.width() * pixelsPerMm), qRound(page.size.height() * pixelsPerMm)),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintReportPage(painter, page, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

void WriteReportPdf(const TReportPages &pages, const QString &file, const QString &title)
{
    const QString native = QDir::toNativeSeparators(file);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw FileError(u"A(z) %1 fájl nem írható: %2"_s.arg(native, out.errorString()));
    {
        QPdfWriter writer(&out);
        writer.setTitle(title);
        writer.setCreator(u"TVR"_s);
        writer.setResolution(600);
        writer.setPageLayout(
            PageLayoutOf(pages.pages.empty() ? TPageOrientation::Portrait : pages.pages.front().orientation));
        QPainter painter;
        if (!painter.begin(&writer))
            throw FileError(u"A(z) %1 fájl nem írható."_s.arg(native));
        for (size_t i = 0; i < pages.pages.size(); ++i) {
            const TReportPage &page = pages.pages[i];
            if (i > 0) {
                writer.setPageLayout(PageLayoutOf(page.orientation));
                writer.newPage();
            }
            PaintReportPage(painter, page, writer.pageLayout().fullRectPixels(writer.resolution()));
        }
        painter.end();
    }
    if (!out.commit())
        throw FileError(u"A(z) %1 fájl nem írható: %2"_s.arg(native, out.errorString()));
}

} // namespace tvr

#pragma once
// Painting laid-out pages: on any QPainter (the printer and the preview use this), into a picture,
// and into a PDF file with its fonts embedded.
//
// Internally a page is painted in units of a tenth of a typographic point (1/720 inch), so that
// every font has a whole pixel size and measures the same on every device: the layout, the screen,
// the printer and the PDF all break lines at the same places.

#include "platform/report/ReportLayout.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace tvr
{

// Registers the report font's files (DejaVu Sans, installed with the program's packages) with the
// application once, and returns its family. When the files are missing, a family of the system is
// used instead. Needs a QGuiApplication.
QString ReportFontFamily();
// The font of a text, sized in tenths of a point (see above).
QFont ReportQFont(const TReportFont &font);
// Tenths of a point in a millimetre.
inline constexpr double ReportUnitsPerMm = 720.0 / 25.4;

// Paints the page into target (device coordinates of the painter: the whole sheet).
void PaintReportPage(QPainter &painter, const TReportPage &page, const QRectF &target);
// The page as a picture on white paper, at the given resolution.
QImage RenderReportPage(const TReportPage &page, int dotsPerInch = 150);
// Writes every page into a PDF file (each page on A4 in its orientation), replacing the file only
// when the whole document was written. Throws FileError when it cannot be written.
void WriteReportPdf(const TReportPages &pages, const QString &file, const QString &title);

} // namespace tvr

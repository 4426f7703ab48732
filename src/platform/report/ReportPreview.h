#pragma once
// The print preview and the printer for laid-out report pages.

#include "platform/report/ReportLayout.h"

class QPrinter;
class QWidget;

namespace tvr
{

// Paints the pages on the printer, each on an A4 sheet in its orientation. False when the printer
// could not be started.
bool PrintReportPages(QPrinter &printer, const TReportPages &pages);

// Shows the pages in a modal print preview (objectName "TReportPreview", the window title is the
// document's title), from which the user prints, or saves the document as a PDF file with the
// toolbar's "PDF mentése..." (action "btn_pdf_mentes"); pdfFileName is the name offered for it.
void ShowReportPreview(QWidget *parent, const TReportPages &pages, const QString &title, const QString &pdfFileName);

} // namespace tvr

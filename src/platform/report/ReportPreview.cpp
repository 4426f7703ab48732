#include "platform/report/ReportPreview.h"

#include "common/CN_CommonErrorFunctions.h"
#include "platform/report/ReportOutput.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

QPageLayout SheetLayout(TPageOrientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       orientation == TPageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void SavePdf(QWidget *parent, const TReportPages &pages, const QString &title, const QString &pdfFileName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, u"Mentés PDF fájlba"_s,
                       QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(pdfFileName), u"PDF fájl (*.pdf)"_s);
    dialog.setObjectName(u"TPdfMentes"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(u"pdf"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    WriteReportPdf(pages, dialog.selectedFiles().constFirst(), title);
}

} // namespace

bool PrintReportPages(QPrinter &printer, const TReportPages &pages)
{
    // The pages carry their own margins; the sheet is painted from its corner. A printer's layout
    // cannot change once it prints, so the sheets take the first page's orientation and a page of
    // the other orientation is painted turned on its sheet.
    printer.setFullPage(true);
    if (!pages.pages.empty())
        printer.setPageLayout(SheetLayout(pages.pages.front().orientation));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF sheet = printer.pageLayout().fullRectPixels(printer.resolution());
    const bool portraitSheet = sheet.height() >= sheet.width();
    for (size_t i = 0; i < pages.pages.size(); ++i) {
        const TReportPage &page = pages.pages[i];
        if (i > 0)
            printer.newPage();
        if ((page.orientation == TPageOrientation::Portrait) == portraitSheet) {
            PaintReportPage(painter, page, sheet);
            continue;
        }
        painter.save();
        painter.translate(sheet.width(), 0);
        painter.rotate(90);
        PaintReportPage(painter, page, QRectF(0, 0, sheet.height(), sheet.width()));
        painter.restore();
    }
    painter.end();
    return true;
}

void ShowReportPreview(QWidget *parent, const TReportPages &pages, const QString &title, const QString &pdfFileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setFullPage(true);
    if (!pages.pages.empty())
        printer.setPageLayout(SheetLayout(pages.pages.front().orientation));

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(u"TReportPreview"_s);
    dialog.setWindowTitle(title);
    // A preview window is neither minimised nor maximised: it is closed when done.
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.resize(qMin(area.width(), area.height()), area.height() * 9 / 10);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&pages](QPrinter *target) {
        runAction([&] {
            if (!PrintReportPages(*target, pages))
                throw TvrError(u"A nyomtatás nem indítható el."_s);
        });
    });
    if (auto *toolbar = dialog.findChild<QToolBar *>()) {
        toolbar->addSeparator();
        QAction *save = toolbar->addAction(u"PDF mentése..."_s);
        save->setObjectName(u"btn_pdf_mentes"_s);
        QObject::connect(save, &QAction::triggered, &dialog, [&dialog, &pages, title, pdfFileName] {
            runAction([&] { SavePdf(&dialog, pages, title, pdfFileName); });
        });
    }
    dialog.exec();
}

} // namespace tvr

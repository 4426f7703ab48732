#include "shell/EditorProtocol.h"

#include "database/IFACE_BASE_tvr.h"
#include "shell/TMessageDialog.h"

#include <QWidget>

#include <map>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
std::map<QString, EditorOpener> &Editors()
{
    static std::map<QString, EditorOpener> editors;
    return editors;
}
} // namespace

EditorOpener RegisterEditor(const QString &quoteType, EditorOpener opener)
{
    EditorOpener previous = std::move(Editors()[quoteType]);
    Editors()[quoteType] = std::move(opener);
    return previous;
}

QString QuoteTypeText(const QString &quoteType)
{
    if (quoteType == u"1")
        return u"DORVAT BASIC konyharendszer"_s;
    if (quoteType == u"2")
        return u"Zelvo,Rumka,Pentla,Ovra"_s;
    if (quoteType == u"3")
        return u"Egyéb bútor"_s;
    return quoteType;
}

bool OpenQuoteEditor(QWidget *mainWindow, TDatabaseConnection &db, const QString &quoteType, const QString &quoteId,
                     bool existing)
{
    EditorRequest request{quoteType, quoteId, existing, {}, {}};
    if (quoteType == u"1" && existing) {
        // The first active work; a quote that has none yet opens too, and its editor makes one.
        const auto works = tvr_b_basic_munka_list(db, u"active=1 and arajanlat_id=?"_s, u"basic_munka_id"_s, {quoteId});
        if (!works.empty())
            request.workId = works.front().basic_munka_id;
    }
    const auto it = Editors().find(quoteType);
    if (it == Editors().end() || !it->second) {
        ShowMessage(u"A(z) „%1” árajánlatok szerkesztése ebben a programváltozatban még nem érhető el."_s.arg(
                        QuoteTypeText(quoteType)),
                    mainWindow);
        return false;
    }
    const bool hideMainWindow = quoteType == u"2" && existing && mainWindow;
    if (hideMainWindow) {
        request.mainWindowPosition = mainWindow->pos();
        mainWindow->hide();
    }
    it->second(mainWindow, db, request);
    if (hideMainWindow)
        mainWindow->show();
    return true;
}

} // namespace tvr

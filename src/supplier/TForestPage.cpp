#include "supplier/TForestPage.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "platform/ListerGrid.h"
#include "shell/Tkerdes.h"
#include "supplier/ForestPictureView.h"
#include "supplier/ForestPictures.h"
#include "supplier/IFACE_BASE_TVR_FOREST.h"
#include "supplier/Tforest_megrendeles_tetel_bevitel.h"
#include "supplier/Tkepszerver_bevitel.h"
#include "ui_TForestPage.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tvr
{

TForestPage::TForestPage(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TForestPage>()), m_db(db), m_folder(folder),
      m_pictures(new TForestPictureFetcher(folder, this))
{
    m_ui->setupUi(this);
    m_ui->forest_pic_panel->hide();
    TLister *lines = db.lister(ForestLister);
    BindGrid(m_ui->DBGridForest, lines,
             {{u"basic_forest_termek_id"_s, {}, true},
              {u"mennyiseg"_s, u"M."_s},
              {u"meegys"_s, u"M.E."_s},
              {u"cikkszam"_s, u"Cikkszám"_s},
              {u"csoport"_s, u"Csoport"_s},
              {u"tipus"_s, u"Tipus"_s},
              {u"meret"_s, u"Méret"_s},
              {u"szin"_s, u"Szín"_s},
              {u"brutto_eladasi_ar"_s, u"Bruttó ár"_s}});
    connect(lines, &TLister::currentRowChanged, this, [this] { runAction([this] { currentRowChanged(); }); });
    connect(m_ui->btn_uj_forest, &QPushButton::clicked, this, [this] { runAction([this] { openDialog(false); }); });
    connect(m_ui->btn_modosit_forest, &QPushButton::clicked, this, [this] { runAction([this] { openDialog(true); }); });
    connect(m_ui->btn_torles_forest, &QPushButton::clicked, this, [this] { runAction([this] { deleteLine(); }); });
    connect(m_pictures, &TForestPictureFetcher::finished, this, [this](const QString &article) {
        if (article == m_shownArticle)
            showPicture(article);
    });
}

TForestPage::~TForestPage() = default;

void TForestPage::setWork(const QString &workId, double priceMultiplier)
{
    m_workId = workId;
    m_multiplier = priceMultiplier;
}

void TForestPage::refresh()
{
    const SqlStatement s = ForestListStatement(m_workId);
    RefreshLister(m_db, ForestLister, s.sql, s.params);
    // The row may be the same as before the refresh, which moves no selection: the picture of the
    // current row is asked for all the same.
    currentRowChanged();
}

void TForestPage::openDialog(bool modify)
{
    TLister *lines = m_db.lister(ForestLister);
    if (modify && lines->isEmpty())
        return;
    Tforest_megrendeles_tetel_bevitel dialog(m_db, m_folder, window());
    dialog.setMode(modify ? Tforest_megrendeles_tetel_bevitel::Mode::Modify
                          : Tforest_megrendeles_tetel_bevitel::Mode::New);
    if (modify)
        dialog.setLineId(lines->currentKey());
    dialog.setDecimalQuantity(true);
    dialog.setWorkId(m_workId);
    dialog.setPriceMultiplier(m_multiplier);
    dialog.exec();
    refresh();
}

void TForestPage::deleteLine()
{
    TLister *lines = m_db.lister(ForestLister);
    if (lines->isEmpty())
        return;
    const QString id = lines->currentKey();
    if (!AskQuestion(u"Törölhető a kijelölt sor?"_s, window()))
        return;
    // Forest lines are removed outright, not deactivated.
    if (DeleteRows(m_db, u"tvr_b_basic_forest_termekek"_s, u"basic_forest_termek_id=?"_s, {id}))
        refresh();
}

void TForestPage::currentRowChanged()
{
    m_ui->forest_pic_panel->hide();
    m_ui->forest_pic->hide();
    TLister *lines = m_db.lister(ForestLister);
    const QString article = lines->currentRow() < 0 ? QString() : lines->currentValue(u"cikkszam"_s);
    m_shownArticle = article;
    if (article.isEmpty())
        return;
    // An earlier copy is shown at once; the fetched one replaces it when it arrives.
    showPicture(article);
    // A refresh moves the row and then asks again for the same one: one request is enough.
    if (m_queuedArticle == article)
        return;
    m_queuedArticle = article;
    // Not inside the list's signal: the host may have to be asked for in a dialog.
    const QPointer<TForestPage> self(this);
    QTimer::singleShot(0, this, [self, article] {
        if (!self)
            return;
        self->m_queuedArticle.clear();
        if (self->m_shownArticle != article)
            return;
        const QString host = PictureHost(self->m_db, self->window());
        if (!self || host.isEmpty())
            return;
        self->m_pictures->setHost(host);
        self->m_pictures->request(article);
    });
}

void TForestPage::showPicture(const QString &articleNumber)
{
    ShowPictureFile(m_ui->forest_pic_panel, m_ui->forest_pic, ForestPictureFile(m_folder, articleNumber));
}

} // namespace tvr

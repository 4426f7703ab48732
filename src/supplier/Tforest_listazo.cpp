#include "supplier/Tforest_listazo.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "platform/ListerGrid.h"
#include "shell/TMessageDialog.h"
#include "supplier/IFACE_BASE_TVR_FOREST.h"
#include "ui_Tforest_listazo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSaveFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
constexpr int PathRole = Qt::UserRole;
constexpr int ThumbnailSize = 200;
} // namespace

Tforest_listazo::Tforest_listazo(TDatabaseConnection &db, const DataFolder &folder, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tforest_listazo>()), m_db(db), m_folder(folder)
{
    m_ui->setupUi(this);
    m_ui->ugras_ide->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this));
    m_ui->ugras_ide->setToolTip(u"<-ENTER"_s);

    TLister *groups = db.lister(GroupLister);
    BindGrid(m_ui->DBGridArajanlatok, groups, {{u"csoport"_s, u"Csoport"_s}});
    m_ui->DBGridArajanlatok->horizontalHeader()->hide();
    connect(groups, &TLister::currentRowChanged, this, [this] {
        if (isVisible() && !m_loading)
            runAction([this] { buildPages(); });
    });

    QListWidget *thumbs = m_ui->JvThumbView1;
    thumbs->setViewMode(QListView::IconMode);
    thumbs->setIconSize(QSize(ThumbnailSize, ThumbnailSize));
    thumbs->setGridSize(QSize(ThumbnailSize + 20, ThumbnailSize + 36));
    thumbs->setFlow(QListView::LeftToRight);
    thumbs->setWrapping(true);
    thumbs->setResizeMode(QListView::Adjust);
    thumbs->setMovement(QListView::Static);
    thumbs->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    thumbs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(thumbs, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { runAction([this, item] { showArticle(item); }); });

    keys()->overrideEnter(m_ui->ugras_ide, [this] {
        runAction([this] {
            const int page = ParseInt(m_ui->ugras_ide->text());
            if (page >= 1 && page <= m_pageCount)
                goToPage(page);
        });
    });
    connect(m_ui->btn_lap_tovabb, &QPushButton::clicked, this, [this] {
        runAction([this] {
            if (m_currentPage < m_pageCount)
                goToPage(m_currentPage + 1);
        });
    });
    connect(m_ui->btn_lap_vissza, &QPushButton::clicked, this, [this] {
        runAction([this] {
            if (m_currentPage > 1)
                goToPage(m_currentPage - 1);
        });
    });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tforest_listazo::~Tforest_listazo() = default;

QLineEdit *Tforest_listazo::firstInput() const
{
    return m_ui->ugras_ide;
}

QString Tforest_listazo::pageFile(int page) const
{
    return QDir(m_folder.tmpFolder()).filePath(u"oldal."_s + QString::number(page));
}

QString Tforest_listazo::pictureFolder() const
{
    return QDir(m_folder.picturesFolder()).filePath(u"forest"_s);
}

bool Tforest_listazo::load()
{
    m_chosen.clear();
    m_ui->btn_rogzites->setVisible(!m_browseOnly);
    m_priceFactor = ForestBrowserPriceFactor(m_db);
    clearLabels();
    QDir().mkpath(m_folder.tmpFolder());
    m_loading = true;
    RefreshLister(m_db, GroupLister,
                  u"select distinct csoport from tvr_r_forest_arucikkek where active=1 order by csoport "_s);
    TLister *groups = m_db.lister(GroupLister);
    if (!groups->isEmpty())
        groups->setCurrentRow(0);
    m_loading = false;
    // The hint comes once the window stands, not inside its showing.
    const QPointer<Tforest_listazo> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->isVisible())
            ShowMessage(u"A listára kattintva kiválasztható a termékcsoport."_s, self);
    });
    buildPages();
    return true;
}

void Tforest_listazo::clearLabels()
{
    for (QLabel *label : {m_ui->lab_cikkszam, m_ui->lab_meret, m_ui->lab_szin, m_ui->lab_netto_ar})
        label->clear();
    m_ui->ForestPicture->clear();
}

void Tforest_listazo::buildPages()
{
    DeleteFilesIn(m_folder.tmpFolder(), u"oldal.*"_s, false);
    TLister *groups = m_db.lister(GroupLister);
    QStringList numbers;
    if (groups->currentRow() >= 0)
        SelectValues(m_db, u"cikkszam"_s, u"tvr_r_forest_arucikkek"_s, {}, u"active=1 and csoport=?"_s, numbers,
                     {groups->currentValue(u"csoport"_s)});
    const QDir pictures(pictureFolder());
    QStringList paths;
    for (const QString &number : numbers) {
        // Only a digits-only number names a file: no other text becomes part of a path.
        if (!IsForestArticleNumber(number))
            continue;
        const QString path = pictures.filePath(number + u".jpg"_s);
        if (QFileInfo::exists(path))
            paths << path;
    }
    int written = 0;
    for (qsizetype first = 0; first < paths.size(); first += PicturesPerPage) {
        QSaveFile file(pageFile(written + 1));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            throw FileError(
                u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        file.write((paths.mid(first, PicturesPerPage).join(u'\n') + u'\n').toUtf8());
        if (!file.commit())
            throw FileError(
                u"A(z) %1 fájl nem írható: %2"_s.arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        ++written;
    }
    m_pageCount = qMax(1, written);
    m_ui->lab_max_oldal->setText(u"/"_s + QString::number(m_pageCount));
    m_currentPage = 1;
    m_ui->JvThumbView1->clear();
    showPage(1);
}

void Tforest_listazo::showPage(int page)
{
    QFile file(pageFile(page));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QListWidget *thumbs = m_ui->JvThumbView1;
    thumbs->clear();
    for (const QString &path : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        QPixmap pixmap(path);
        if (pixmap.isNull())
            continue;
        auto *item = new QListWidgetItem(
            QIcon(pixmap.scaled(ThumbnailSize, ThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)),
            QFileInfo(path).completeBaseName(), thumbs);
        item->setData(PathRole, path);
    }
}

void Tforest_listazo::goToPage(int page)
{
    m_currentPage = page;
    m_ui->ugras_ide->setText(QString::number(page));
    showPage(page);
}

void Tforest_listazo::showArticle(QListWidgetItem *item)
{
    clearLabels();
    if (!item)
        return;
    const QString path = item->data(PathRole).toString();
    const QString prefix = pictureFolder() + u'/';
    if (!path.startsWith(prefix) || !path.endsWith(u".jpg"_s))
        return;
    const QString number = path.mid(prefix.size()).chopped(4);
    m_ui->lab_cikkszam->setText(number);
    const auto rows = tvr_r_forest_arucikkek_list(m_db, u"cikkszam=?"_s, {}, {number});
    if (!rows.empty()) {
        const auto &article = rows.front();
        m_ui->lab_meret->setText(article.meret);
        m_ui->lab_szin->setText(article.szin);
        try {
            m_ui->lab_netto_ar->setText(FormatAmount2(ParseAmount(article.sajat_ar) * m_priceFactor * m_multiplier));
        } catch (const ConversionError &) {
            m_ui->lab_netto_ar->setText(u"hibás ár!"_s);
        }
    }
    const QPixmap pixmap(path);
    if (!pixmap.isNull())
        m_ui->ForestPicture->setPixmap(
            pixmap.scaled(m_ui->ForestPicture->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool Tforest_listazo::store()
{
    if (m_ui->lab_cikkszam->text().isEmpty())
        return false;
    m_chosen = m_ui->lab_cikkszam->text();
    return true;
}

} // namespace tvr

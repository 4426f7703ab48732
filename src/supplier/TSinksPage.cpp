#include "supplier/TSinksPage.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/ListerGrid.h"
#include "shell/Tkerdes.h"
#include "supplier/StoreArticles.h"
#include "supplier/Taruhazi_termek_kivalaszto.h"
#include "ui_TSinksPage.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
int ListerOf(bool vestra)
{
    return vestra ? TSinksPage::VestraLister : TSinksPage::EcorganLister;
}
} // namespace

QPixmap SinkPixmap(const QString &kind, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor steel(196, 202, 208);
    const QColor rim(120, 128, 136);
    const QColor bowl(150, 158, 166);
    p.setPen(QPen(rim, 1.5));
    const QRectF area = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);
    // The sink's outline keeps the proportions of its size text (width x depth).
    const auto fitted = [&area](double w, double h) {
        const double scale = std::min(area.width() / w, area.height() / h);
        QRectF r(0, 0, w * scale, h * scale);
        r.moveCenter(area.center());
        return r;
    };
    const auto drawBowl = [&p, &bowl, &rim](const QRectF &r, bool round) {
        p.setBrush(bowl);
        if (round)
            p.drawEllipse(r);
        else
            p.drawRoundedRect(r, r.width() * 0.12, r.height() * 0.12);
        // The drain in the middle.
        p.setBrush(rim);
        const double d = std::min(r.width(), r.height()) * 0.16;
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
    };
    if (kind == u"480"_s) {
        const QRectF r = fitted(1, 1);
        p.setBrush(steel);
        p.drawEllipse(r);
        drawBowl(r.adjusted(r.width() * 0.1, r.height() * 0.1, -r.width() * 0.1, -r.height() * 0.1), true);
        return pixmap;
    }
    if (kind == u"480x480"_s) {
        const QRectF r = fitted(1, 1);
        p.setBrush(steel);
        p.drawRoundedRect(r, 4, 4);
        drawBowl(r.adjusted(r.width() * 0.1, r.height() * 0.1, -r.width() * 0.1, -r.height() * 0.1), false);
        return pixmap;
    }
    // A bowl with a ribbed drainer beside it, lying across (760x435) or along (440x780) the picture.
    const bool across = kind == u"760x435"_s;
    const QRectF r = across ? fitted(760, 435) : fitted(440, 780);
    p.setBrush(steel);
    p.drawRoundedRect(r, 4, 4);
    const double m = std::min(r.width(), r.height()) * 0.1;
    QRectF bowlRect = r.adjusted(m, m, -m, -m);
    QRectF drainer = bowlRect;
    if (across) {
        bowlRect.setWidth(bowlRect.width() * 0.5);
        drainer.setLeft(bowlRect.right() + m);
    } else {
        bowlRect.setHeight(bowlRect.height() * 0.5);
        drainer.setTop(bowlRect.bottom() + m);
    }
    drawBowl(bowlRect, false);
    p.setPen(QPen(rim, 1.2));
    for (int i = 1; i < 6; ++i) {
        if (across) {
            const double y = drainer.top() + drainer.height() * i / 6;
            p.drawLine(QPointF(drainer.left(), y), QPointF(drainer.right(), y));
        } else {
            const double x = drainer.left() + drainer.width() * i / 6;
            p.drawLine(QPointF(x, drainer.top()), QPointF(x, drainer.bottom()));
        }
    }
    return pixmap;
}

TSinksPage::TSinksPage(TDatabaseConnection &db, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TSinksPage>()), m_db(db)
{
    m_ui->setupUi(this);
    const QList<GridColumn> columns{{u"basic_ecorgan_termek_id"_s, {}, true},
                                    {u"cikkszam"_s, u"Cikkszám"_s},
                                    {u"megnevezes"_s, u"Tipus"_s},
                                    {u"meret"_s, u"Méret"_s},
                                    {u"mennyiseg"_s, u"M."_s},
                                    {u"mennyiseg_egyseg"_s, u"M.E."_s},
                                    {u"arajanlatkor_brutto_eladasi_ar"_s, u"bruttó ár"_s}};
    for (QTableView *grid : {m_ui->DBGridEcorgan, m_ui->DBGridVestra}) {
        BindGrid(grid, db.lister(grid == m_ui->DBGridVestra ? VestraLister : EcorganLister), columns);
        // The long names give way, so that the price stays in sight.
        grid->horizontalHeader()->setStretchLastSection(false);
        grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    }
    for (const auto &[label, kind] : {std::pair{m_ui->img_vestra_440x780, u"440x780"_s},
                                      {m_ui->img_vestra_760x435, u"760x435"_s},
                                      {m_ui->img_vestra_480, u"480"_s},
                                      {m_ui->img_vestra_480x480, u"480x480"_s}})
        label->setPixmap(SinkPixmap(kind, label->minimumSize()));

    for (const bool vestra : {false, true}) {
        QPushButton *add = vestra ? m_ui->btn_vestra_uj : m_ui->btn_ecorgan_uj;
        QPushButton *remove = vestra ? m_ui->btn_vestra_torles : m_ui->btn_ecorgan_torles;
        connect(add, &QPushButton::clicked, this, [this, vestra] { runAction([this, vestra] { addLine(vestra); }); });
        connect(remove, &QPushButton::clicked, this,
                [this, vestra] { runAction([this, vestra] { deleteLine(vestra); }); });
    }
}

TSinksPage::~TSinksPage() = default;

void TSinksPage::setWork(const QString &workId, double priceMultiplier)
{
    m_workId = workId;
    m_multiplier = priceMultiplier;
}

void TSinksPage::refresh()
{
    refreshList(false);
    refreshList(true);
}

void TSinksPage::refreshList(bool vestra)
{
    const SqlStatement s = SinkListStatement(vestra, m_workId);
    RefreshLister(m_db, ListerOf(vestra), s.sql, s.params);
}

void TSinksPage::addLine(bool vestra)
{
    Taruhazi_termek_kivalaszto chooser(m_db, window());
    chooser.setWorkId(m_workId);
    chooser.setStoreRange(vestra);
    chooser.setPriceMultiplier(m_multiplier);
    chooser.exec();
    if (!chooser.cancelled())
        refreshList(vestra);
}

void TSinksPage::deleteLine(bool vestra)
{
    TLister *lines = m_db.lister(ListerOf(vestra));
    if (lines->isEmpty())
        return;
    const QString id = lines->currentKey();
    if (!AskQuestion(u"Biztos, hogy törölhető a tétel?"_s, window()))
        return;
    if (tvr_b_basic_ecorgan_termekek_deactivate(m_db, id))
        refreshList(vestra);
}

} // namespace tvr

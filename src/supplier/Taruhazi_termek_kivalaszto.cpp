#include "supplier/Taruhazi_termek_kivalaszto.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_Listers.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "platform/ListerGrid.h"
#include "shell/TMessageDialog.h"
#include "supplier/StoreArticles.h"
#include "ui_Taruhazi_termek_kivalaszto.h"

#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace tvr
{

Taruhazi_termek_kivalaszto::Taruhazi_termek_kivalaszto(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Taruhazi_termek_kivalaszto>()), m_db(db)
{
    m_ui->setupUi(this);
    m_ui->limit->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this));
    m_ui->limit->setToolTip(u"<-ENTER"_s);
    TLister *articles = db.lister(ArticleLister);
    BindGrid(m_ui->DBGridTermekek, articles,
             {{u"aruhazi_arucikk_id"_s, {}, true},
              {u"cikkszam"_s, u"Cikkszám"_s},
              {u"megnevezes"_s, u"Megnevezés"_s},
              {u"meret"_s, u"Méret"_s}});
    connect(articles, &TLister::currentRowChanged, this, [this] { runAction([this] { showCaption(); }); });
    for (QLineEdit *filter : {m_ui->filter_cikkszam, m_ui->filter_termek_neve})
        connect(filter, &QLineEdit::textChanged, this, [this] { runAction([this] { refreshList(); }); });
    keys()->overrideEnter(m_ui->limit, [this] { runAction([this] { refreshList(); }); });
    connect(m_ui->btn_tovabb, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->BrevoButton1, &QPushButton::clicked, this, &QDialog::reject);
}

Taruhazi_termek_kivalaszto::~Taruhazi_termek_kivalaszto() = default;

QLineEdit *Taruhazi_termek_kivalaszto::firstInput() const
{
    return m_ui->filter_cikkszam;
}

bool Taruhazi_termek_kivalaszto::load()
{
    m_chosenId = u"0"_s;
    {
        // One refresh for the whole reset, not one per emptied filter.
        const QSignalBlocker number(m_ui->filter_cikkszam);
        const QSignalBlocker name(m_ui->filter_termek_neve);
        m_ui->filter_cikkszam->clear();
        m_ui->filter_termek_neve->clear();
    }
    m_ui->limit->setText(u"10"_s);
    refreshList();
    return true;
}

void Taruhazi_termek_kivalaszto::refreshList()
{
    if (m_ui->limit->text().isEmpty())
        m_ui->limit->setText(u"10"_s);
    const SqlStatement s = StoreArticleListStatement(m_vestra, m_ui->filter_cikkszam->text(),
                                                     m_ui->filter_termek_neve->text(), m_ui->limit->text());
    RefreshLister(m_db, ArticleLister, s.sql, s.params);
    showCaption();
}

void Taruhazi_termek_kivalaszto::showCaption()
{
    TLister *articles = m_db.lister(ArticleLister);
    if (articles->currentRow() < 0) {
        m_ui->btn_tovabb->setText(u"Rögzítés"_s);
        return;
    }
    const QString number = articles->currentValue(u"cikkszam"_s);
    try {
        m_ui->btn_tovabb->setText(
            StoreArticleCaption(number, articles->currentValue(u"netto_eladasi_ar"_s), m_multiplier));
    } catch (const ConversionError &) {
        m_ui->btn_tovabb->setText(u"kiválaszt:"_s + number + u" (Ára: hibás ár!)"_s);
    }
}

bool Taruhazi_termek_kivalaszto::store()
{
    TLister *articles = m_db.lister(ArticleLister);
    if (articles->isEmpty() || articles->currentRow() < 0)
        return false;
    const QString id = articles->currentKey();
    const QString number = articles->currentValue(u"cikkszam"_s);
    Ttable_tvr_b_basic_ecorgan_termekek line;
    try {
        line = StoreArticleLine(id, number, articles->currentValue(u"netto_eladasi_ar"_s), m_workId, m_multiplier);
    } catch (const ConversionError &) {
        ShowMessage(u"A(z) %1 cikkszámú termék ára hibás a katalógusban, ezért nem rendelhető!"_s.arg(number), this);
        return false;
    }
    if (!tvr_b_basic_ecorgan_termekek_insert(m_db, line))
        return false;
    m_chosenId = id;
    return true;
}

} // namespace tvr

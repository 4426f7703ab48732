#include "supplier/Tforest_megrendeles_tetel_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "supplier/ForestPictureView.h"
#include "supplier/ForestPictures.h"
#include "supplier/IFACE_BASE_TVR_FOREST.h"
#include "supplier/Tkepszerver_bevitel.h"
#include "ui_Tforest_megrendeles_tetel_bevitel.h"

#include <QDesktopServices>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
// The article number of the worktop corner connector, which the hidden button fills in.
const QString CornerConnectorNumber = u"00013300200"_s;

} // namespace

Tforest_megrendeles_tetel_bevitel::Tforest_megrendeles_tetel_bevitel(TDatabaseConnection &db, const DataFolder &folder,
                                                                     QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tforest_megrendeles_tetel_bevitel>()), m_db(db), m_folder(folder),
      m_pictures(new TForestPictureFetcher(folder, this))
{
    m_ui->setupUi(this);
    m_ui->cikkszam->setToolTip(u"<-ENTER"_s);
    m_ui->cikkszam->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), this));
    m_ui->btn_munkalapfordito->hide();
    m_ui->btn_bongeszes->hide();
    m_ui->forest_pic_panel->hide();

    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->cikkszam, [this] { runAction([this] { lookUp(LookupFrom::Enter); }); });
    keys->overrideEnter(m_ui->mennyiseg, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->mennyiseg, &QLineEdit::editingFinished, this, [this] { runAction([this] { showLineValue(); }); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->btn_munkalapfordito, &QPushButton::clicked, this, [this] {
        m_ui->cikkszam->setText(CornerConnectorNumber);
        runAction([this] { lookUp(LookupFrom::Enter); });
    });
    connect(m_ui->btn_bongeszes, &QPushButton::clicked, this, [this] {
        const QString host = PictureHost(m_db, this);
        if (IsUsablePictureHost(host))
            QDesktopServices::openUrl(QUrl(host.contains(u"://"_s) ? host : u"http://"_s + host));
    });
    connect(m_pictures, &TForestPictureFetcher::finished, this, [this](const QString &article) {
        if (article == m_shownArticle)
            showPicture(article);
    });
}

Tforest_megrendeles_tetel_bevitel::~Tforest_megrendeles_tetel_bevitel() = default;

QLineEdit *Tforest_megrendeles_tetel_bevitel::firstInput() const
{
    return m_ui->cikkszam;
}

bool Tforest_megrendeles_tetel_bevitel::load()
{
    m_priceFactor = 1.0;
    m_ui->mennyiseg->setValidator(new QRegularExpressionValidator(
        QRegularExpression(m_decimalQuantity ? u"[0-9]*([.,][0-9]*)?"_s : u"[0-9]*"_s), m_ui->mennyiseg));
    clearArticle();
    m_ui->cikkszam->setText(u"0000"_s);
    if (m_mode == Mode::Modify) {
        const auto line = tvr_b_basic_forest_termekek_get(m_db, m_lineId);
        if (!line)
            return false;
        m_ui->cikkszam->setText(line->cikkszam);
        m_ui->mennyiseg->setText(line->mennyiseg);
        lookUp(LookupFrom::Load);
        // A failed look-up empties the quantity; the stored one is still what the joiner ordered.
        if (m_articleId == u"0"_s)
            m_ui->mennyiseg->setText(line->mennyiseg);
    }
    showLineValue();
    return true;
}

void Tforest_megrendeles_tetel_bevitel::clearArticle()
{
    m_articleId = u"0"_s;
    m_article.reset();
    m_unitPrice = 0;
    m_ui->egysegara->setText(u"0"_s);
    for (QLineEdit *field : {m_ui->cikkscsoport, m_ui->tipus, m_ui->meret, m_ui->szin, m_ui->mennyiseg})
        field->clear();
    m_ui->lab_mennyiseg->clear();
    m_shownArticle.clear();
    m_ui->forest_pic_panel->hide();
}

void Tforest_megrendeles_tetel_bevitel::lookUp(LookupFrom from)
{
    const QString number = m_ui->cikkszam->text().trimmed();
    const auto refuse = [this](const QString &message) {
        ShowMessage(message, this);
        clearArticle();
        m_ui->cikkszam->setFocus();
        CaretToEnd(m_ui->cikkszam);
    };
    // An empty number is refused like an unknown one: a line must name its article.
    const auto article = number.isEmpty() ? std::nullopt : FindForestArticle(m_db, number);
    if (!article) {
        refuse(u"Hibás cikkszám!"_s);
        return;
    }
    double ownPrice = 0;
    try {
        ownPrice = ParseAmount(article->sajat_ar);
    } catch (const ConversionError &) {
        refuse(u"A(z) %1 cikkszámú termék ára hibás a katalógusban, ezért nem rendelhető!"_s.arg(number));
        return;
    }
    m_articleId = article->forest_arucikk_id;
    m_article = article;
    m_unitPrice = ownPrice * m_priceFactor * m_multiplier;
    m_ui->egysegara->setText(FormatAmount2(m_unitPrice));
    m_ui->cikkscsoport->setText(article->csoport);
    m_ui->tipus->setText(article->tipus);
    m_ui->meret->setText(article->meret);
    m_ui->szin->setText(article->szin);
    m_ui->lab_mennyiseg->setText(article->meegys);
    if (from == LookupFrom::Enter) {
        if (m_mode == Mode::New)
            m_ui->mennyiseg->clear();
        m_ui->mennyiseg->setFocus();
    }
    if (from != LookupFrom::Save)
        requestPicture(number);
}

void Tforest_megrendeles_tetel_bevitel::showLineValue()
{
    if (m_ui->mennyiseg->text().isEmpty())
        m_ui->mennyiseg->setText(u"0"_s);
    const double quantity = ParseForestQuantity(m_ui->mennyiseg->text()).value_or(0.0);
    m_ui->lab_brutto_ertek->setText(CurrencyText(quantity * 1.27 * m_unitPrice));
}

void Tforest_megrendeles_tetel_bevitel::requestPicture(const QString &articleNumber)
{
    m_shownArticle = articleNumber;
    // An earlier copy is shown at once; the fetched one replaces it when it arrives.
    showPicture(articleNumber);
    // The host may have to be asked for: not inside the key press or the showing that got here.
    const QPointer<Tforest_megrendeles_tetel_bevitel> self(this);
    QTimer::singleShot(0, this, [self, articleNumber] {
        if (!self || self->m_shownArticle != articleNumber || !self->isVisible())
            return;
        const QString host = PictureHost(self->m_db, self);
        if (!self || host.isEmpty())
            return;
        self->m_pictures->setHost(host);
        self->m_pictures->request(articleNumber);
    });
}

void Tforest_megrendeles_tetel_bevitel::showPicture(const QString &articleNumber)
{
    ShowPictureFile(m_ui->forest_pic_panel, m_ui->forest_pic, ForestPictureFile(m_folder, articleNumber));
}

bool Tforest_megrendeles_tetel_bevitel::store()
{
    lookUp(LookupFrom::Save);
    if (m_articleId == u"0"_s || !m_article)
        return false;
    if (!ParseForestQuantity(m_ui->mennyiseg->text())) {
        ShowMessage(u"Nincs megadva mennyiség!"_s, this);
        m_ui->mennyiseg->setFocus();
        return false;
    }
    Ttable_tvr_b_basic_forest_termekek line = ForestLine(
        *m_article, m_ui->cikkszam->text().trimmed(), m_ui->mennyiseg->text(), m_priceFactor, m_multiplier, m_workId);
    if (m_mode == Mode::New)
        return tvr_b_basic_forest_termekek_insert(m_db, line);
    return tvr_b_basic_forest_termekek_update(m_db, m_lineId, line);
}

} // namespace tvr

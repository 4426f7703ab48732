#include "supplier/Tnettfront_egyeb_megrendeles_tetel_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "supplier/NettfrontLists.h"
#include "ui_Tnettfront_egyeb_megrendeles_tetel_bevitel.h"

#include <QRegularExpressionValidator>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// A size of 0 (or none) is left out of the product's text.
bool IsZero(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    try {
        return ParseAmount(trimmed) == 0;
    } catch (const ConversionError &) {
        return false;
    }
}

const QString Antique = u"ANTIK"_s;

} // namespace

QString Tnettfront_egyeb_megrendeles_tetel_bevitel::ProductText(const Ttable_tvr_r_nettfront_egyeb_termekek &product)
{
    QString text = product.megnevezes;
    const std::pair<const QString *, QString> sizes[] = {{&product.magassag, u" mag.:"_s},
                                                         {&product.szelesseg, u" szél.:"_s},
                                                         {&product.hosszusag, u" hossz.:"_s},
                                                         {&product.atmero, u" átm.:"_s}};
    for (const auto &[value, caption] : sizes)
        if (!IsZero(*value))
            text += caption + *value;
    return text;
}

Tnettfront_egyeb_megrendeles_tetel_bevitel::Tnettfront_egyeb_megrendeles_tetel_bevitel(TDatabaseConnection &db,
                                                                                       QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tnettfront_egyeb_megrendeles_tetel_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    m_ui->mennyiseg->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"^[0-9]{0,3}$"_s), m_ui->mennyiseg));

    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->termekcsoport_selector, [this] { m_ui->termek_selector->setFocus(); });
    keys->overrideEnter(m_ui->szin_selector, [this] { m_ui->mennyiseg->setFocus(); });
    keys->overrideEnter(m_ui->mennyiseg, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->termekcsoport_selector, &QComboBox::activated, this,
            [this] { runAction([this] { loadProducts(); }); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tnettfront_egyeb_megrendeles_tetel_bevitel::~Tnettfront_egyeb_megrendeles_tetel_bevitel() = default;

void Tnettfront_egyeb_megrendeles_tetel_bevitel::setRemembered(const QString &groupId, const QString &productId,
                                                               const QString &colourId)
{
    m_rememberedGroup = groupId;
    m_rememberedProduct = productId;
    m_rememberedColour = colourId;
}

QLineEdit *Tnettfront_egyeb_megrendeles_tetel_bevitel::firstInput() const
{
    return m_ui->mennyiseg;
}

void Tnettfront_egyeb_megrendeles_tetel_bevitel::showEvent(QShowEvent *event)
{
    TInputForm::showEvent(event);
    if (!event->spontaneous())
        m_ui->termekcsoport_selector->setFocus();
}

void Tnettfront_egyeb_megrendeles_tetel_bevitel::loadProducts()
{
    m_ui->termek_selector->clear();
    const QString group = CurrentId(m_ui->termekcsoport_selector);
    if (group.isEmpty())
        return;
    for (const auto &product : tvr_r_nettfront_egyeb_termekek_list(
             m_db,
             u"cast(active as integer)=1 and cast(nettfront_egyebtermek_csoport_id as integer)=cast(? as integer)"_s,
             u"megnevezes"_s, {group}))
        AddEntry(m_ui->termek_selector, ProductText(product), product.nettfront_egyebtermek_id);
    m_ui->termek_selector->setCurrentIndex(m_ui->termek_selector->count() > 0 ? 0 : -1);
}

void Tnettfront_egyeb_megrendeles_tetel_bevitel::selectStored(QComboBox *list, const QString &id, const QString &text)
{
    // A stored choice that is no longer offered stays the line's own rather than turning into another.
    if (id.isEmpty() || SelectById(list, id))
        return;
    AddEntry(list, text, id);
    SelectById(list, id);
}

bool Tnettfront_egyeb_megrendeles_tetel_bevitel::load()
{
    ShowStatus(m_ui->TitlePanel, m_mode == Mode::Modify, u"Tétel módosítása"_s, u"Új tétel"_s);
    m_savedGroup.clear();
    m_savedProduct.clear();
    m_savedColour.clear();
    m_ui->mennyiseg->clear();

    m_ui->termekcsoport_selector->clear();
    for (const auto &group :
         tvr_r_nettfront_egyeb_termek_csoport_list(m_db, u"cast(active as integer)=1"_s, u"csoport_neve"_s))
        AddEntry(m_ui->termekcsoport_selector, group.csoport_neve, group.nettfront_egyebtermek_csoport_id);
    m_ui->termekcsoport_selector->setCurrentIndex(m_ui->termekcsoport_selector->count() > 0 ? 0 : -1);
    loadProducts();
    FillColours(m_ui->szin_selector, tvr_r_nettfront_szinek_list(m_db, u"cast(active as integer)=1"_s, u"szin"_s));

    QString group = m_rememberedGroup;
    QString product = m_rememberedProduct;
    QString colour = m_rememberedColour;
    if (m_mode == Mode::Modify) {
        const auto line = tvr_r_nettfront_megrendeles_tetelei_get(m_db, m_lineId);
        if (!line)
            return false;
        product = line->nettfront_egyebtermek_id;
        colour = line->nettfront_szin_id;
        m_ui->mennyiseg->setText(line->rendelt_mennyiseg);
        const auto stored = tvr_r_nettfront_egyeb_termekek_get(m_db, product);
        group = stored ? stored->nettfront_egyebtermek_csoport_id : QString();
    }
    if (!group.isEmpty()) {
        QString groupName = u"? (%1)"_s.arg(group);
        for (const auto &g : tvr_r_nettfront_egyeb_termek_csoport_list(
                 m_db, u"cast(nettfront_egyebtermek_csoport_id as integer)=cast(? as integer)"_s, {}, {group}))
            groupName = g.csoport_neve;
        selectStored(m_ui->termekcsoport_selector, group, groupName);
        loadProducts();
    }
    if (!product.isEmpty()) {
        const auto stored = tvr_r_nettfront_egyeb_termekek_get(m_db, product);
        selectStored(m_ui->termek_selector, product, stored ? ProductText(*stored) : u"? (%1)"_s.arg(product));
    }
    if (!colour.isEmpty()) {
        const auto stored = tvr_r_nettfront_szinek_get(m_db, colour);
        selectStored(m_ui->szin_selector, colour, stored ? stored->szin : u"? (%1)"_s.arg(colour));
    }
    return true;
}

bool Tnettfront_egyeb_megrendeles_tetel_bevitel::store()
{
    const QString product = CurrentId(m_ui->termek_selector);
    const QString colour = CurrentId(m_ui->szin_selector);
    if (product.isEmpty()) {
        ShowMessage(u"Nincs kiválasztott termék!"_s, this);
        return false;
    }
    if (colour.isEmpty()) {
        ShowMessage(u"Nincs kiválasztott szín!"_s, this);
        return false;
    }
    // A line of no pieces is no line.
    if (ParseInt(m_ui->mennyiseg->text()) <= 0) {
        ShowMessage(u"A mennyiség legalább 1 legyen!"_s, this);
        m_ui->mennyiseg->setFocus();
        return false;
    }
    const bool antiqueColour = m_ui->szin_selector->currentText().contains(Antique, Qt::CaseSensitive);
    const bool antiqueProduct = m_ui->termek_selector->currentText().contains(Antique, Qt::CaseSensitive);
    if (antiqueColour != antiqueProduct) {
        ShowMessage(u"Antikolt színhez csak antikolt termék választható!"_s, this);
        return false;
    }

    NettfrontOtherLineInput input;
    input.orderId = m_orderId;
    input.productId = product;
    input.colourId = colour;
    input.quantity = m_ui->mennyiseg->text();
    Ttable_tvr_r_nettfront_megrendeles_tetelei line = NettfrontPriceOtherLine(m_db, input, m_multiplier);
    const bool written = m_mode == Mode::New ? tvr_r_nettfront_megrendeles_tetelei_insert(m_db, line)
                                             : tvr_r_nettfront_megrendeles_tetelei_update(m_db, m_lineId, line);
    if (!written)
        return false;
    m_savedGroup = CurrentId(m_ui->termekcsoport_selector);
    m_savedProduct = product;
    m_savedColour = colour;
    return true;
}

} // namespace tvr

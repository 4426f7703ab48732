#include "supplier/Tnettfront_megrendeles_tetel_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "shell/TMessageDialog.h"
#include "supplier/IFACE_EXT_Nettfront.h"
#include "supplier/NettfrontLists.h"
#include "supplier/Tnettfront_rendelheto_meretek.h"
#include "ui_Tnettfront_megrendeles_tetel_bevitel.h"

#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

// Letters turn to capitals as they are typed (colour names and milling codes are in capitals).
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QValidator *Digits(int count, QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(u"^[0-9]{0,%1}$"_s.arg(count)), parent);
}

} // namespace

Tnettfront_megrendeles_tetel_bevitel::Tnettfront_megrendeles_tetel_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tnettfront_megrendeles_tetel_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    m_ui->filter_szin->setValidator(new UpperCaseValidator(m_ui->filter_szin));
    m_ui->azonosito->setValidator(new UpperCaseValidator(m_ui->azonosito));
    m_ui->mennyiseg->setValidator(Digits(3, m_ui->mennyiseg));
    m_ui->magassag->setValidator(Digits(9, m_ui->magassag));
    m_ui->szelesseg->setValidator(Digits(9, m_ui->szelesseg));

    const auto guarded = [](auto action) { return [action] { runAction(action); }; };
    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->filter_szin, guarded([this] { colourFilterEntered(); }));
    keys->overrideEnter(m_ui->azonosito, guarded([this] { millingCodeEntered(); }));
    keys->overrideEnter(m_ui->fronttipus_selector, [this] { m_ui->mennyiseg->setFocus(); });
    keys->overrideEnter(m_ui->mennyiseg, [this] { m_ui->magassag->setFocus(); });
    keys->overrideEnter(m_ui->magassag, [this] { m_ui->szelesseg->setFocus(); });
    keys->overrideEnter(m_ui->szelesseg, [this] { m_ui->btn_rogzites->setFocus(); });

    connect(m_ui->szin_selector, &QComboBox::activated, this, guarded([this] {
                millingChanged();
                refreshCategory();
                m_ui->maras_selector->setFocus();
            }));
    connect(m_ui->maras_selector, &QComboBox::activated, this, guarded([this] {
                millingChanged();
                refreshCategory();
                m_ui->fronttipus_selector->setFocus();
            }));
    connect(m_ui->fronttipus_selector, &QComboBox::activated, this, guarded([this] {
                refreshCategory();
                m_ui->mennyiseg->setFocus();
            }));
    connect(m_ui->chk_egyedi_meret, &QCheckBox::clicked, this, guarded([this] { checkBoxClicked(); }));
    connect(m_ui->chk_falcolassal, &QCheckBox::clicked, this, guarded([this] { checkBoxClicked(); }));
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, guarded([this] { pickSeriesSize(); }));
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tnettfront_megrendeles_tetel_bevitel::~Tnettfront_megrendeles_tetel_bevitel() = default;

QLineEdit *Tnettfront_megrendeles_tetel_bevitel::firstInput() const
{
    return m_ui->filter_szin;
}

void Tnettfront_megrendeles_tetel_bevitel::showEvent(QShowEvent *event)
{
    TInputForm::showEvent(event);
    // A further line of a locked order starts at its front type: colour and milling are given.
    if (!event->spontaneous() && m_mode == Mode::New && locked())
        m_ui->fronttipus_selector->setFocus();
}

bool Tnettfront_megrendeles_tetel_bevitel::load()
{
    ShowStatus(m_ui->TitlePanel, m_mode == Mode::Modify, u"Módosítás"_s, u"Új tétel"_s);
    m_savedMilling.clear();
    m_savedColour.clear();
    m_savedFrontType.clear();
    m_categoryId.clear();
    m_ui->azonosito->clear();
    m_ui->mennyiseg->clear();
    m_ui->magassag->clear();
    m_ui->szelesseg->clear();
    m_ui->lab_kategoria->clear();
    m_ui->chk_egyedi_meret->setChecked(false);
    m_ui->chk_falcolassal->setChecked(false);

    FillColours(m_ui->szin_selector, tvr_r_nettfront_szinek_list(m_db, u"cast(active as integer)=1"_s, u"szin"_s));
    FillMillings(m_ui->maras_selector,
                 tvr_r_nettfront_marasok_list(m_db, u"cast(active as integer)=1"_s, u"azonosito"_s));

    const bool isLocked = locked();
    m_ui->szin_selector->setEnabled(!isLocked);
    m_ui->maras_selector->setEnabled(!isLocked);
    m_ui->filter_szin->setReadOnly(isLocked);
    m_ui->azonosito->setReadOnly(isLocked);

    if (m_mode == Mode::Modify) {
        const auto line = tvr_r_nettfront_megrendeles_tetelei_get(m_db, m_lineId);
        if (!line)
            return false;
        selectStoredColour(line->nettfront_szin_id);
        selectStoredMilling(line->maras_id);
        millingChanged();
        selectStoredFrontType(line->front_tipus_id);
        m_ui->mennyiseg->setText(line->rendelt_mennyiseg);
        m_ui->magassag->setText(line->magassag);
        m_ui->szelesseg->setText(line->szelesseg);
        m_ui->chk_egyedi_meret->setChecked(ParseInt(line->egyedi_meret.trimmed()) == 1);
        m_ui->chk_falcolassal->setChecked(ParseInt(line->falcolassal.trimmed()) == 1);
        refreshCategory();
        return true;
    }
    if (isLocked) {
        selectStoredColour(m_rememberedColour);
        selectStoredMilling(m_rememberedMilling);
    }
    millingChanged();
    if (isLocked)
        refreshCategory();
    return true;
}

void Tnettfront_megrendeles_tetel_bevitel::selectStoredColour(const QString &colourId)
{
    if (colourId.isEmpty() || SelectById(m_ui->szin_selector, colourId))
        return;
    const auto colour = tvr_r_nettfront_szinek_get(m_db, colourId);
    AddEntry(m_ui->szin_selector, colour ? colour->szin : u"? (%1)"_s.arg(colourId), colourId);
    SelectById(m_ui->szin_selector, colourId);
}

void Tnettfront_megrendeles_tetel_bevitel::selectStoredMilling(const QString &millingId)
{
    if (millingId.isEmpty() || SelectById(m_ui->maras_selector, millingId))
        return;
    const auto milling = tvr_r_nettfront_marasok_get(m_db, millingId);
    AddEntry(m_ui->maras_selector, milling ? milling->azonosito : u"? (%1)"_s.arg(millingId), millingId);
    SelectById(m_ui->maras_selector, millingId);
}

void Tnettfront_megrendeles_tetel_bevitel::selectStoredFrontType(const QString &frontTypeId)
{
    if (frontTypeId.isEmpty() || SelectById(m_ui->fronttipus_selector, frontTypeId))
        return;
    const auto type = tvr_r_nettfront_fronttipusok_get(m_db, frontTypeId);
    AddEntry(m_ui->fronttipus_selector, type ? type->megnevezes : u"? (%1)"_s.arg(frontTypeId), frontTypeId);
    SelectById(m_ui->fronttipus_selector, frontTypeId);
}

void Tnettfront_megrendeles_tetel_bevitel::millingChanged()
{
    m_millingId = CurrentId(m_ui->maras_selector);
    const auto milling = m_millingId.isEmpty() ? std::nullopt : tvr_r_nettfront_marasok_get(m_db, m_millingId);
    m_ui->chk_egyedi_meret->setEnabled(milling && ParseInt(milling->van_egyedi_merete.trimmed()) == 1);
    m_ui->chk_egyedi_meret->setChecked(false);

    m_ui->fronttipus_selector->clear();
    QStringList types;
    if (!m_millingId.isEmpty())
        SelectValues(m_db, u"tvr_r_nettfront_fronttipusok.front_tipus_id,tvr_r_nettfront_fronttipusok.megnevezes"_s,
                     u"tvr_r_nettfront_maras_fronttipus_parok join tvr_r_nettfront_fronttipusok on "
                     u"(tvr_r_nettfront_maras_fronttipus_parok.front_tipus_id = "
                     u"tvr_r_nettfront_fronttipusok.front_tipus_id)"_s,
                     AsInteger(u"tvr_r_nettfront_maras_fronttipus_parok.maras_fronttipus_par_id"_s),
                     u"cast(tvr_r_nettfront_maras_fronttipus_parok.active as integer)=1 and "
                     u"cast(tvr_r_nettfront_maras_fronttipus_parok.maras_id as integer)=cast(? as integer)"_s,
                     types, {m_millingId});
    for (qsizetype i = 0; i + 1 < types.size(); i += 2)
        AddEntry(m_ui->fronttipus_selector, types.at(i + 1), types.at(i));
    m_ui->fronttipus_selector->setCurrentIndex(m_ui->fronttipus_selector->count() > 0 ? 0 : -1);
    if (!m_rememberedFrontType.isEmpty())
        SelectById(m_ui->fronttipus_selector, m_rememberedFrontType);
    m_ui->fronttipus_selector->setFocus();
}

void Tnettfront_megrendeles_tetel_bevitel::refreshCategory()
{
    m_millingId = CurrentId(m_ui->maras_selector);
    m_colourId = CurrentId(m_ui->szin_selector);
    m_categoryId =
        m_millingId.isEmpty() || m_colourId.isEmpty() ? u"0"_s : NettfrontCategoryFor(m_db, m_millingId, m_colourId);
    if (m_categoryId == u"0"_s) {
        m_ui->lab_kategoria->setText(u"Nem meghatározható!"_s);
        return;
    }
    // A found category always shows its number, so that a series line is never classified with the
    // text of an earlier choice.
    const NettfrontIrregularPrice irregular =
        NettfrontIrregularCustomPrice(m_db, m_categoryId, m_ui->chk_egyedi_meret->isChecked());
    m_ui->lab_kategoria->setText(NettfrontCategoryLabel(m_db, m_categoryId, irregular));
}

void Tnettfront_megrendeles_tetel_bevitel::colourFilterEntered()
{
    // A locked order keeps its colour, whatever the (read-only) filter holds.
    if (!locked()) {
        const QString typed = m_ui->filter_szin->text();
        for (int i = 0; i < m_ui->szin_selector->count(); ++i) {
            if (m_ui->szin_selector->itemText(i).startsWith(typed, Qt::CaseSensitive)) {
                m_ui->szin_selector->setCurrentIndex(i);
                break;
            }
        }
    }
    refreshCategory();
    CaretToEnd(m_ui->azonosito);
    m_ui->azonosito->setFocus();
}

void Tnettfront_megrendeles_tetel_bevitel::millingCodeEntered()
{
    const QString code = m_ui->azonosito->text();
    if (locked() || code.isEmpty()) {
        refreshCategory();
        (locked() ? static_cast<QWidget *>(m_ui->fronttipus_selector) : m_ui->maras_selector)->setFocus();
        return;
    }
    const auto found = tvr_r_nettfront_marasok_list(m_db, u"cast(active as integer)=1 and azonosito=?"_s,
                                                    AsInteger(u"maras_id"_s), {code});
    if (!found.empty() && SelectById(m_ui->maras_selector, found.front().maras_id)) {
        millingChanged();
    } else {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), u"Nincs ilyen marás!"_s, QMessageBox::Ok, this);
        box.setObjectName(u"QMessageBox"_s);
        box.exec();
    }
    refreshCategory();
}

void Tnettfront_megrendeles_tetel_bevitel::checkBoxClicked()
{
    if (m_ui->chk_egyedi_meret->isChecked())
        m_ui->lab_kategoria->setText(u"EGYEDI MÉRET!"_s);
    else
        refreshCategory();
}

void Tnettfront_megrendeles_tetel_bevitel::pickSeriesSize()
{
    Tnettfront_rendelheto_meretek picker(m_db, this);
    picker.setFrontTypeId(CurrentId(m_ui->fronttipus_selector));
    picker.exec();
    if (picker.height().isEmpty())
        return;
    m_ui->magassag->setText(picker.height());
    m_ui->szelesseg->setText(picker.width());
    CaretToEnd(m_ui->mennyiseg);
    m_ui->mennyiseg->setFocus();
}

bool Tnettfront_megrendeles_tetel_bevitel::store()
{
    const QString frontType = CurrentId(m_ui->fronttipus_selector);
    if (frontType.isEmpty()) {
        ShowMessage(u"Ehhez a maráshoz nincs rendelhető fronttipus!"_s, this);
        return false;
    }
    if (m_ui->magassag->text().isEmpty() || m_ui->szelesseg->text().isEmpty()) {
        ShowMessage(u"Kérem, adja meg a front magasságát és szélességét!"_s, this);
        m_ui->magassag->setFocus();
        return false;
    }
    if (!m_ui->mennyiseg->text().isEmpty() && ParseInt(m_ui->mennyiseg->text()) == 0) {
        ShowMessage(u"A mennyiség legalább 1 legyen!"_s, this);
        m_ui->mennyiseg->setFocus();
        return false;
    }

    // The category of what the lists show now, whatever was chosen earlier.
    refreshCategory();
    const int height = ParseInt(m_ui->magassag->text());
    const int width = ParseInt(m_ui->szelesseg->text());
    const NettfrontSizeCheck size = NettfrontCheckSize(
        m_db, frontType, height, width, m_ui->chk_egyedi_meret->isEnabled(), m_ui->chk_egyedi_meret->isChecked());
    if (!size.orderable) {
        ShowMessage(u"Nem rendelhető a megadott méretben!"_s, this);
        return false;
    }
    if (size.tooSmall)
        ShowMessage(u"Marásmintát nem fog tartalmazni, mert túl kicsi a méret!"_s, this);
    if (m_categoryId == u"0"_s) {
        ShowMessage(u"Nem létező szín-marás kombináció!"_s, this);
        return false;
    }

    if (m_ui->mennyiseg->text().isEmpty())
        m_ui->mennyiseg->setText(u"1"_s);
    NettfrontFrontLineInput input;
    input.orderId = m_orderId;
    input.quantity = m_ui->mennyiseg->text();
    input.millingId = m_millingId;
    input.colourId = m_colourId;
    input.frontTypeId = frontType;
    input.categoryId = m_categoryId;
    input.height = m_ui->magassag->text();
    input.width = m_ui->szelesseg->text();
    input.custom = m_ui->chk_egyedi_meret->isChecked();
    input.rebated = m_ui->chk_falcolassal->isChecked();
    input.tooSmall = size.tooSmall;
    input.categoryLabel = m_ui->lab_kategoria->text();
    Ttable_tvr_r_nettfront_megrendeles_tetelei line = NettfrontPriceFrontLine(m_db, input, m_multiplier);

    const bool written = m_mode == Mode::New ? tvr_r_nettfront_megrendeles_tetelei_insert(m_db, line)
                                             : tvr_r_nettfront_megrendeles_tetelei_update(m_db, m_lineId, line);
    if (!written)
        return false;
    m_rememberedFrontType = frontType;
    m_savedMilling = m_millingId;
    m_savedColour = m_colourId;
    m_savedFrontType = frontType;
    return true;
}

} // namespace tvr

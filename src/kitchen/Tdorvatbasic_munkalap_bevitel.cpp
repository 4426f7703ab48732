#include "kitchen/Tdorvatbasic_munkalap_bevitel.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/IFACE_EXT_TVR.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "ui_Tdorvatbasic_munkalap_bevitel.h"

#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace tvr
{

Tdorvatbasic_munkalap_bevitel::Tdorvatbasic_munkalap_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tdorvatbasic_munkalap_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    // The corner joints and cut-outs are kept with the line but not asked for here.
    m_ui->panel_marasok->hide();
    const auto *digits = new QRegularExpressionValidator(QRegularExpression(u"^[0-9]*$"_s), this);
    for (QLineEdit *number : {m_ui->hossz, m_ui->melyseg, m_ui->db, m_ui->sarokosszemarasok_szama})
        number->setValidator(digits);
    // Codes are upper case, whatever is typed.
    connect(m_ui->munkalap_szama, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int caret = m_ui->munkalap_szama->cursorPosition();
        m_ui->munkalap_szama->setText(text.toUpper());
        m_ui->munkalap_szama->setCursorPosition(caret);
    });

    keys()->overrideEnter(m_ui->munkalap_szama, [this] {
        if (m_ui->munkalap_szama->text().isEmpty())
            FocusNextByTag(this);
        else
            runAction([this] { lookUpCode(); });
    });
    keys()->overrideEnter(m_ui->elzaro_kod, [this] { m_ui->btn_rogzites->setFocus(); });
    OnLeave(m_ui->elzaro_kod,
            [this] {
                if (!EdgeCodesValid(m_ui->elzaro_kod->text(), {})) {
                    ShowMessage(u"Hibás élzáró kód!"_s, this);
                    m_ui->elzaro_kod->setFocus();
                }
            },
            {m_ui->btn_megsem});
    connect(m_ui->munkalap_selector, &QComboBox::activated, this, [this](int index) {
        selectWorktop(index);
        m_ui->hossz->setFocus();
    });
    for (QCheckBox *box : {m_ui->chk_dekor_bal, m_ui->chk_dekor_jobb, m_ui->chk_dekor_hosszu})
        connect(box, &QCheckBox::clicked, this, [this] { rebuildCode(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tdorvatbasic_munkalap_bevitel::~Tdorvatbasic_munkalap_bevitel() = default;

QLineEdit *Tdorvatbasic_munkalap_bevitel::firstInput() const
{
    return m_ui->munkalap_szama;
}

void Tdorvatbasic_munkalap_bevitel::selectWorktop(int index)
{
    m_ui->munkalap_selector->setCurrentIndex(index);
    m_ui->munkalap_szama->setText(index >= 0 ? m_worktops[size_t(index)].code : QString());
}

void Tdorvatbasic_munkalap_bevitel::rebuildCode()
{
    QString code;
    if (m_ui->chk_dekor_bal->isChecked())
        code += u'b';
    if (m_ui->chk_dekor_jobb->isChecked())
        code += u'B';
    if (m_ui->chk_dekor_hosszu->isChecked())
        code += u'A';
    m_ui->elzaro_kod->setText(code);
}

bool Tdorvatbasic_munkalap_bevitel::load()
{
    m_worktops = WorktopEntries(m_db);
    m_ui->munkalap_selector->clear();
    for (const CatalogueEntry &worktop : m_worktops)
        m_ui->munkalap_selector->addItem(worktop.text, worktop.id);
    m_ui->munkalap_selector->setCurrentIndex(m_worktops.empty() ? -1 : 0);
    m_ui->munkalap_szama->clear();
    m_ui->hossz->clear();
    m_ui->melyseg->setText(u"600"_s);
    m_ui->db->setText(u"1"_s);
    for (QCheckBox *box : {m_ui->chk_dekor_bal, m_ui->chk_dekor_jobb, m_ui->chk_dekor_hosszu, m_ui->chk_mosogatohely_1,
                           m_ui->chk_mosogatohely_2, m_ui->chk_fozolap})
        box->setChecked(false);
    m_ui->elzaro_kod->clear();
    m_ui->sarokosszemarasok_szama->clear();
    for (const QString &id : {m_rememberedWorktop, m_defaultWorktop}) {
        const int index = id != u"0" ? IndexOfId(m_worktops, id) : -1;
        if (index >= 0) {
            selectWorktop(index);
            break;
        }
    }
    if (m_mode == Mode::New)
        return true;

    const auto line = tvr_b_basic_szabott_munkalapok_get(m_db, m_lineId);
    if (!line)
        return false;
    // A worktop no longer offered is not silently swapped for another: nothing is selected, and
    // the save asks for a choice.
    selectWorktop(IndexOfId(m_worktops, line->munkalap_id));
    m_ui->hossz->setText(line->hossz);
    m_ui->melyseg->setText(line->melyseg);
    m_ui->db->setText(line->darab);
    m_ui->elzaro_kod->setText(line->elzaro_kod);
    m_ui->chk_dekor_bal->setChecked(line->elzaro_kod.contains(u'b'));
    m_ui->chk_dekor_jobb->setChecked(line->elzaro_kod.contains(u'B'));
    m_ui->chk_dekor_hosszu->setChecked(line->elzaro_kod.contains(u'A'));
    m_ui->sarokosszemarasok_szama->setText(line->sarokosszemarasok_szama);
    m_ui->chk_mosogatohely_1->setChecked(line->mosogatohely_1_maras_szama == u"1");
    m_ui->chk_mosogatohely_2->setChecked(line->mosogatohely_2_maras_szama == u"1");
    m_ui->chk_fozolap->setChecked(line->fozolap_maras_szama == u"1");
    return true;
}

void Tdorvatbasic_munkalap_bevitel::lookUpCode()
{
    const QString id = ActiveIdByCode(m_db, u"tvr_munkalapok"_s, u"munkalap_id"_s, m_ui->munkalap_szama->text());
    if (id.isEmpty()) {
        m_ui->munkalap_szama->clear();
        ShowMessage(u"Nem létező munkalap szám!"_s, this);
        m_ui->munkalap_szama->setFocus();
        return;
    }
    // A worktop that exists but is not offered for the kitchen system leaves the choice as it was.
    const int index = IndexOfId(m_worktops, id);
    selectWorktop(index >= 0 ? index : m_ui->munkalap_selector->currentIndex());
    m_ui->hossz->setFocus();
}

bool Tdorvatbasic_munkalap_bevitel::refuse(const QString &message, QWidget *focus)
{
    ShowMessage(message, this);
    if (focus)
        focus->setFocus();
    return false;
}

bool Tdorvatbasic_munkalap_bevitel::store()
{
    const int index = m_ui->munkalap_selector->currentIndex();
    if (index < 0)
        return refuse(u"Nincs kiválasztva munkalap (a tétel munkalapja már nincs az árlistában)! Kérem, válasszon "
                      u"munkalapot!"_s,
                      m_ui->munkalap_szama);
    const CatalogueEntry &worktop = m_worktops[size_t(index)];
    const int depth = m_ui->melyseg->text().toInt();
    const int length = m_ui->hossz->text().toInt();
    const int count = m_ui->db->text().toInt();
    if (depth < 40 || depth > 600)
        return refuse(u"A mélység túl kicsi vagy túl nagy! (max: 600mm, min: 40mm"_s, m_ui->melyseg);
    if (length > 4100)
        return refuse(u"A hosszúság túl nagy! (max: 4100mm)"_s, m_ui->hossz);
    if (count == 0)
        return refuse(u"A darabszám nincs megadva!"_s, m_ui->db);
    if (!worktop.unitPrice)
        return refuse(u"A(z) „%1” ára a katalógusban hibás („%2”), ezért a tétel nem rögzíthető. Kérem, frissítse "
                      u"az árlistát!"_s.arg(worktop.text, worktop.priceText),
                      nullptr);
    const auto settings = tvr_lsz_beallitasok_get(m_db, u"1"_s);
    if (!settings)
        return refuse(u"A dekorozás ára hiányzik a katalógusból, ezért a tétel nem rögzíthető. Kérem, frissítse az "
                      u"árlistát!"_s,
                      nullptr);
    double decoration = 0;
    try {
        decoration = ParseAmount(settings->munkalap_dekorozas);
    } catch (const ConversionError &) {
        return refuse(u"A dekorozás ára a katalógusban hibás („%1”), ezért a tétel nem rögzíthető. Kérem, frissítse "
                      u"az árlistát!"_s.arg(settings->munkalap_dekorozas),
                      nullptr);
    }

    // A modify starts from the stored row: what the dialog does not show stays as it was.
    Ttable_tvr_b_basic_szabott_munkalapok line;
    if (m_mode == Mode::Modify) {
        const auto stored = tvr_b_basic_szabott_munkalapok_get(m_db, m_lineId);
        if (!stored)
            return false;
        line = *stored;
    } else {
        line.megjegyzes = QString();
        line.sarokosszemarasok_szama =
            m_ui->sarokosszemarasok_szama->text().isEmpty() ? u"0"_s : m_ui->sarokosszemarasok_szama->text();
        line.mosogatohely_1_maras_szama = m_ui->chk_mosogatohely_1->isChecked() ? u"1"_s : u"0"_s;
        line.mosogatohely_2_maras_szama = m_ui->chk_mosogatohely_2->isChecked() ? u"1"_s : u"0"_s;
        line.fozolap_maras_szama = m_ui->chk_fozolap->isChecked() ? u"1"_s : u"0"_s;
    }
    line.basic_munka_id = m_workId;
    line.rogzitette = System().CurrentUserId;
    line.rogzites_ideje = NowText();
    line.munkalap_id = worktop.id;
    line.hossz = m_ui->hossz->text();
    line.munkalap_egysegara = worktop.priceText;
    line.melyseg = m_ui->melyseg->text();
    line.darab = m_ui->db->text();
    line.elzaro_kod = m_ui->elzaro_kod->text();
    PriceCutWorktop({length, depth, count, line.elzaro_kod, *worktop.unitPrice, decoration, m_multiplier}, line);

    const bool written = m_mode == Mode::New ? tvr_b_basic_szabott_munkalapok_insert(m_db, line)
                                             : tvr_b_basic_szabott_munkalapok_update(m_db, m_lineId, line);
    if (!written)
        return false;
    m_rememberedWorktop = line.munkalap_id;
    m_rememberedEdge = line.elzaro_id;
    return true;
}

} // namespace tvr

#include "kitchen/Tdorvatbasic_butorlap_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "kitchen/IFACE_EXT_TVR.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "ui_Tdorvatbasic_butorlap_bevitel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{

constexpr int MaxSize = 2775; // the cutting machine's limit (exclusive), mm

// The edge code fields take only the two side letters: 1, a or A give A; 2, b or B give B.
class EdgeCodeKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *edit = qobject_cast<QLineEdit *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!edit || key->text().isEmpty() || key->text().front().unicode() < 0x20)
            return false; // Backspace, Enter, arrows and the other control keys pass
        const QChar c = key->text().front();
        if (edit->isReadOnly())
            return true;
        if (c == u'1' || c == u'a' || c == u'A')
            edit->insert(u"A"_s);
        else if (c == u'2' || c == u'b' || c == u'B')
            edit->insert(u"B"_s);
        return true;
    }
};

// The drawing beside the edge codes: a part with its two long sides (A) and one short side (B)
// banded, as the code AAB says.
QPixmap EdgeCodeExample()
{
    QPixmap pixmap(260, 150);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect part(40, 30, 180, 80);
    p.fillRect(part, QColor(0xDE, 0xB8, 0x87));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(part);
    p.setPen(QPen(QColor(0xB0, 0x00, 0x20), 5));
    p.drawLine(part.topLeft(), part.topRight());
    p.drawLine(part.bottomLeft(), part.bottomRight());
    p.drawLine(part.topRight(), part.bottomRight());
    p.setPen(Qt::black);
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(part.left(), 8, part.width(), 20), Qt::AlignCenter, u"A"_s);
    p.drawText(QRect(part.left(), part.bottom() + 2, part.width(), 20), Qt::AlignCenter, u"A"_s);
    p.drawText(QRect(part.right() + 6, part.top(), 20, part.height()), Qt::AlignVCenter, u"B"_s);
    p.drawText(QRect(0, 128, 260, 20), Qt::AlignCenter, u"élzárás kód:AAB"_s);
    return pixmap;
}

int Number(const QLineEdit *field)
{
    return field->text().toInt(); // digits only; "" and "00" are 0
}

} // namespace

// One edge band of the dialog: its number field, its list (with "-- NINCS --" first), its code.
struct Tdorvatbasic_butorlap_bevitel::Band {
    int number;
    QLineEdit *code;     // elzaro_szama_N
    QComboBox *selector; // elzaro_selector_N
    QLineEdit *sides;    // elzaroN_kod
    QWidget *next;       // where the focus goes after a choice from the list
    std::vector<CatalogueEntry> entries;
    int selected() const { return selector->currentIndex() - 1; } // -1: none
    const CatalogueEntry *entry() const { return selected() >= 0 ? &entries[size_t(selected())] : nullptr; }
};

Tdorvatbasic_butorlap_bevitel::Tdorvatbasic_butorlap_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tdorvatbasic_butorlap_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    m_band1 = std::make_unique<Band>(
        Band{1, m_ui->elzaro_szama_1, m_ui->elzaro_selector_1, m_ui->elzaro1_kod, m_ui->elzaro_szama_2, {}});
    m_band2 =
        std::make_unique<Band>(Band{2, m_ui->elzaro_szama_2, m_ui->elzaro_selector_2, m_ui->elzaro2_kod, m_ui->a, {}});
    m_ui->img_elzaras_pelda->setPixmap(EdgeCodeExample());

    const auto *digits = new QRegularExpressionValidator(QRegularExpression(u"^[0-9]*$"_s), this);
    for (QLineEdit *size : {m_ui->a, m_ui->b, m_ui->db})
        size->setValidator(digits);
    auto *codeKeys = new EdgeCodeKeys(this);
    const auto *sidesOnly = new QRegularExpressionValidator(QRegularExpression(u"^[AB]*$"_s), this);
    for (QLineEdit *sides : {m_ui->elzaro1_kod, m_ui->elzaro2_kod}) {
        sides->installEventFilter(codeKeys);
        sides->setValidator(sidesOnly);
    }

    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->butorlap_szama, [this] {
        // Enter on an empty field takes the code of the panel the list shows.
        if (m_ui->butorlap_szama->text().isEmpty() && m_ui->butorlap_selector->currentIndex() >= 0)
            m_ui->butorlap_szama->setText(m_panels[size_t(m_ui->butorlap_selector->currentIndex())].code);
        m_resolvedPanelCode.clear();
        resolvePanelCode();
    });
    keys->overrideEnter(m_ui->elzaro2_kod, [this] { m_ui->alkatresz_neve->setFocus(); });
    keys->overrideEnter(m_ui->alkatresz_neve, [this] { m_ui->btn_rogzites->setFocus(); });

    const QList<QWidget *> cancel{m_ui->btn_megsem};
    OnLeave(
        m_ui->butorlap_szama, [this] { runAction([this] { resolvePanelCode(); }); }, cancel);
    for (Band *band : {m_band1.get(), m_band2.get()}) {
        OnLeave(
            band->code, [this, band] { runAction([this, band] { bandCodeLeft(*band); }); }, cancel);
        OnLeave(
            band->sides, [this, band] { codesValidOrSay(band->sides); }, cancel);
        connect(band->selector, &QComboBox::activated, this, [this, band](int index) { bandChosen(*band, index); });
    }
    connect(m_ui->butorlap_selector, &QComboBox::activated, this, [this](int index) {
        runAction([this, index] {
            selectPanel(index);
            if (m_mode == Mode::New)
                applyRecommended(true, true);
            m_ui->elzaro_szama_1->setFocus();
        });
    });
    connect(m_ui->btn_ajanlott_04, &QPushButton::clicked, this,
            [this] { runAction([this] { applyRecommended(true, false); }); });
    connect(m_ui->btn_ajanlott_2, &QPushButton::clicked, this,
            [this] { runAction([this] { applyRecommended(false, true); }); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tdorvatbasic_butorlap_bevitel::~Tdorvatbasic_butorlap_bevitel() = default;

QLineEdit *Tdorvatbasic_butorlap_bevitel::firstInput() const
{
    return m_ui->butorlap_szama;
}

void Tdorvatbasic_butorlap_bevitel::selectPanel(int index)
{
    m_ui->butorlap_selector->setCurrentIndex(index);
    const CatalogueEntry *panel = index >= 0 ? &m_panels[size_t(index)] : nullptr;
    m_ui->butorlap_szama->setText(panel ? panel->code : QString());
    m_resolvedPanelCode = m_ui->butorlap_szama->text();
    if (panel)
        m_ui->chk_forgathato->setChecked(panel->rotatable == u"1");
}

void Tdorvatbasic_butorlap_bevitel::selectBand(Band &band, int entry)
{
    band.selector->setCurrentIndex(entry + 1);
    band.code->setText(entry >= 0 ? band.entries[size_t(entry)].code : QString());
    band.sides->setReadOnly(entry < 0);
}

bool Tdorvatbasic_butorlap_bevitel::load()
{
    m_multiplier = 1.0;
    m_panels = PanelEntries(m_db, m_multiplier);
    m_band1->entries = EdgeBandEntries(m_db, m_multiplier, false);
    m_band2->entries = EdgeBandEntries(m_db, m_multiplier, true);
    m_ui->butorlap_selector->clear();
    for (const CatalogueEntry &panel : m_panels)
        m_ui->butorlap_selector->addItem(panel.text, panel.id);
    for (Band *band : {m_band1.get(), m_band2.get()}) {
        band->selector->clear();
        band->selector->addItem(u"-- NINCS --"_s, u"0"_s);
        for (const CatalogueEntry &entry : band->entries)
            band->selector->addItem(entry.text, entry.id);
    }
    for (QLineEdit *field : {m_ui->butorlap_szama, m_ui->elzaro_szama_1, m_ui->elzaro_szama_2, m_ui->a, m_ui->b,
                             m_ui->db, m_ui->elzaro1_kod, m_ui->elzaro2_kod, m_ui->alkatresz_neve})
        field->clear();

    if (m_mode == Mode::New) {
        // The list's first panel is the default; a remembered one is shown with its code.
        const int remembered = m_rememberedPanel != u"0" ? IndexOfId(m_panels, m_rememberedPanel) : -1;
        selectPanel(remembered >= 0 ? remembered : (m_panels.empty() ? -1 : 0));
        if (remembered < 0)
            m_ui->butorlap_szama->clear();
        m_resolvedPanelCode = m_ui->butorlap_szama->text();
        selectBand(*m_band1, m_rememberedEdge1 != u"0" ? IndexOfId(m_band1->entries, m_rememberedEdge1) : -1);
        selectBand(*m_band2, m_rememberedEdge2 != u"0" ? IndexOfId(m_band2->entries, m_rememberedEdge2) : -1);
        return true;
    }

    const auto line = tvr_b_basic_szabott_lapok_get(m_db, m_lineId);
    if (!line)
        return false;
    // A panel or band gone from the catalogue is not replaced by another: nothing is selected, and
    // the save asks for a choice.
    selectPanel(IndexOfId(m_panels, line->butorlap_id));
    selectBand(*m_band1, IndexOfId(m_band1->entries, line->elzaro1_id));
    selectBand(*m_band2, IndexOfId(m_band2->entries, line->elzaro2_id));
    m_ui->chk_forgathato->setChecked(line->forgathato == u"1");
    m_ui->a->setText(line->a);
    m_ui->b->setText(line->b);
    m_ui->db->setText(line->db);
    m_ui->elzaro1_kod->setText(line->elzaro1_kod);
    m_ui->elzaro2_kod->setText(line->elzaro2_kod);
    m_ui->alkatresz_neve->setText(line->rogzites_ideje);
    return true;
}

bool Tdorvatbasic_butorlap_bevitel::resolvePanelCode()
{
    const QString code = m_ui->butorlap_szama->text();
    if (code.isEmpty() || code == m_resolvedPanelCode)
        return true;
    const int index = IndexOfCode(m_panels, code);
    if (index < 0) {
        m_ui->butorlap_szama->clear();
        m_resolvedPanelCode.clear();
        ShowMessage(u"Nem létező bútorlap szám!"_s, this);
        m_ui->butorlap_szama->setFocus();
        return false;
    }
    selectPanel(index);
    if (m_mode == Mode::New && m_rememberedEdge1 == u"0" && m_rememberedEdge2 == u"0")
        applyRecommended(true, true);
    m_ui->elzaro_szama_1->setFocus();
    return true;
}

void Tdorvatbasic_butorlap_bevitel::applyRecommended(bool thin, bool thick)
{
    const int panel = m_ui->butorlap_selector->currentIndex();
    if (panel < 0)
        return;
    const RecommendedBands recommended = RecommendedBandsOf(m_db, m_panels[size_t(panel)].id);
    for (const auto &[wanted, band, id] :
         {std::tuple{thin, m_band1.get(), recommended.thin}, std::tuple{thick, m_band2.get(), recommended.thick}}) {
        if (!wanted || id == u"0")
            continue;
        const int entry = IndexOfId(band->entries, id);
        if (entry >= 0)
            selectBand(*band, entry);
    }
}

void Tdorvatbasic_butorlap_bevitel::bandCodeLeft(Band &band)
{
    const QString code = band.code->text();
    const CatalogueEntry *current = band.entry();
    if (current && current->code == code)
        return;
    if (code.isEmpty()) {
        // An emptied number means no band (rather than a band called "0").
        bandChosen(band, 0);
        return;
    }
    const QString id = ActiveIdByCode(m_db, u"tvr_elzarok"_s, u"elzaro_id"_s, code);
    if (id.isEmpty()) {
        selectBand(band, -1);
        ShowMessage(u"Nincs ilyen számú élzáró:"_s + code, this);
        return;
    }
    const int entry = IndexOfId(band.entries, id);
    if (entry < 0) {
        // The field shows again the band that stays selected.
        band.code->setText(current ? current->code : QString());
        ShowMessage(u"A(z) "_s + code + u" élzáró ide nem kiválasztható!"_s, this);
        return;
    }
    selectBand(band, entry);
}

void Tdorvatbasic_butorlap_bevitel::bandChosen(Band &band, int comboIndex)
{
    selectBand(band, comboIndex - 1);
    if (comboIndex <= 0)
        band.sides->clear();
    band.next->setFocus();
}

bool Tdorvatbasic_butorlap_bevitel::codesValidOrSay(QLineEdit *field)
{
    if (EdgeCodesValid(m_ui->elzaro1_kod->text(), m_ui->elzaro2_kod->text()))
        return true;
    ShowMessage(u"Hibás élzáró kód!"_s, this);
    field->setFocus();
    return false;
}

bool Tdorvatbasic_butorlap_bevitel::refuse(const QString &message, QWidget *focus)
{
    ShowMessage(message, this);
    if (focus)
        focus->setFocus();
    return false;
}

bool Tdorvatbasic_butorlap_bevitel::store()
{
    // A code typed but not yet looked up (the save clicked straight from the field) counts.
    if (!resolvePanelCode())
        return false;
    const int panelIndex = m_ui->butorlap_selector->currentIndex();
    if (panelIndex < 0)
        return refuse(u"Nincs kiválasztva bútorlap! Kérem, adja meg a bútorlap számát, vagy válasszon a listából!"_s,
                      m_ui->butorlap_szama);
    const CatalogueEntry &panel = m_panels[size_t(panelIndex)];
    const QString code1 = m_ui->elzaro1_kod->text();
    const QString code2 = m_ui->elzaro2_kod->text();
    if (!m_band1->entry() && !code1.isEmpty())
        return refuse(u"A 1. élzáró nincs kiválasztva!"_s, m_ui->elzaro_szama_1);
    if (!m_band2->entry() && !code2.isEmpty())
        return refuse(u"A 2. élzáró nincs kiválasztva!"_s, m_ui->elzaro_szama_2);
    const int a = Number(m_ui->a);
    const int b = Number(m_ui->b);
    const int count = Number(m_ui->db);
    if (count == 0)
        return refuse(u"A darabszám nincs megadva!"_s, m_ui->db);
    if (a == 0 || b == 0 || a >= MaxSize || b >= MaxSize)
        return refuse(u"A méretek nincsenek megadva, vagy túl nagy/kicsi!"_s, m_ui->a);
    if (!EdgeCodesValid(code1, code2))
        return refuse(u"Hibás élzáró kód!"_s, m_ui->elzaro1_kod);
    const QString codes = code1 + code2;
    if ((codes.contains(u'A') && (a < 50 || b < 70)) || (codes.contains(u'B') && (b < 50 || a < 70)))
        return refuse(u"Túl kicsi az élzáráshoz!"_s, m_ui->a);
    if (!codes.isEmpty() && (panel.text.contains(u"1/10"_s) || panel.text.contains(u"1/12"_s)))
        return refuse(u"Az 1/10 illetve az 1/12 anyagokat nem élzárjuk!"_s, m_ui->elzaro1_kod);
    // A catalogue price that is no number is never stored as a price.
    for (const CatalogueEntry *entry : {&panel, m_band1->entry(), m_band2->entry()}) {
        if (entry && !entry->unitPrice)
            return refuse(u"A(z) „%1” ára a katalógusban hibás („%2”), ezért a tétel nem rögzíthető. Kérem, "
                          u"frissítse az árlistát!"_s.arg(entry->text, entry->priceText),
                          nullptr);
    }

    Ttable_tvr_b_basic_szabott_lapok line;
    if (m_mode == Mode::Modify) {
        const auto stored = tvr_b_basic_szabott_lapok_get(m_db, m_lineId);
        if (!stored)
            return false;
        line = *stored;
    }
    line.basic_munka_id = m_workId;
    line.rogzitette = System().CurrentUserId;
    line.butorlap_id = panel.id;
    line.elzaro1_kod = code1;
    line.elzaro2_kod = code2;
    line.a = m_ui->a->text();
    line.b = m_ui->b->text();
    line.db = m_ui->db->text();
    CutPanelInput input{a, b, count, *panel.unitPrice, {}, {}, m_multiplier};
    if (const CatalogueEntry *band = m_band1->entry())
        input.band1 = EdgeBandChoice{band->id, code1, *band->unitPrice};
    if (const CatalogueEntry *band = m_band2->entry())
        input.band2 = EdgeBandChoice{band->id, code2, *band->unitPrice};
    PriceCutPanel(input, line);
    line.forgathato = m_ui->chk_forgathato->isChecked() ? u"1"_s : u"0"_s;
    line.rogzites_ideje = (m_afterOrder ? u"!"_s : QString()) + m_ui->alkatresz_neve->text();

    const bool written = m_mode == Mode::New ? tvr_b_basic_szabott_lapok_insert(m_db, line)
                                             : tvr_b_basic_szabott_lapok_update(m_db, m_lineId, line);
    if (!written)
        return false;
    m_rememberedPanel = line.butorlap_id;
    m_rememberedEdge1 = line.elzaro1_id;
    m_rememberedEdge2 = line.elzaro2_id;
    return true;
}

} // namespace tvr

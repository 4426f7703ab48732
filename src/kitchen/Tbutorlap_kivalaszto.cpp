#include "kitchen/Tbutorlap_kivalaszto.h"

#include "common/CN_CommonErrorFunctions.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "ui_Tbutorlap_kivalaszto.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tbutorlap_kivalaszto::Tbutorlap_kivalaszto(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tbutorlap_kivalaszto>()), m_db(db)
{
    m_ui->setupUi(this);
    keys()->overrideEnter(m_ui->butorlap_szama, [this] {
        if (m_ui->butorlap_szama->text().isEmpty() || lookUpCode())
            m_ui->btn_ok->setFocus();
    });
    OnLeave(m_ui->butorlap_szama,
            [this] {
                if (!m_ui->butorlap_szama->text().isEmpty())
                    lookUpCode();
            },
            {m_ui->btn_megsem});
    connect(m_ui->butorlap_selector, &QListWidget::itemDoubleClicked, this, [this] { save(); });
    connect(m_ui->btn_ok, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tbutorlap_kivalaszto::~Tbutorlap_kivalaszto() = default;

QLineEdit *Tbutorlap_kivalaszto::firstInput() const
{
    return m_ui->butorlap_szama;
}

bool Tbutorlap_kivalaszto::load()
{
    m_panels = PanelEntries(m_db, 1.0, m_use);
    m_ui->butorlap_selector->clear();
    for (const CatalogueEntry &panel : m_panels)
        m_ui->butorlap_selector->addItem(panel.text);
    const int initial = IndexOfId(m_panels, m_initial);
    m_ui->butorlap_selector->setCurrentRow(initial >= 0 ? initial : (m_panels.empty() ? -1 : 0));
    m_ui->butorlap_szama->clear();
    return true;
}

bool Tbutorlap_kivalaszto::lookUpCode()
{
    const int index = IndexOfCode(m_panels, m_ui->butorlap_szama->text());
    if (index < 0) {
        m_ui->butorlap_szama->clear();
        ShowMessage(u"Nem létező bútorlap szám!"_s, this);
        m_ui->butorlap_szama->setFocus();
        return false;
    }
    m_ui->butorlap_selector->setCurrentRow(index);
    return true;
}

bool Tbutorlap_kivalaszto::store()
{
    const int row = m_ui->butorlap_selector->currentRow();
    if (row < 0)
        return false;
    m_chosen = m_panels[size_t(row)];
    return true;
}

} // namespace tvr

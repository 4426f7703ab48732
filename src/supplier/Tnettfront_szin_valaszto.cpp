#include "supplier/Tnettfront_szin_valaszto.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "shell/CN_CommonWidgetFunctions.h"
#include "supplier/NettfrontLists.h"
#include "ui_Tnettfront_szin_valaszto.h"

#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace tvr
{

Tnettfront_szin_valaszto::Tnettfront_szin_valaszto(TDatabaseConnection &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::Tnettfront_szin_valaszto>()),
      m_db(db)
{
    m_ui->setupUi(this);
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { choose(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tnettfront_szin_valaszto::~Tnettfront_szin_valaszto() = default;

void Tnettfront_szin_valaszto::setTitle(const QString &title)
{
    m_ui->TitleLabel->setText(title);
}

void Tnettfront_szin_valaszto::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnScreen(this);
    m_chosen = false;
    m_colourId.clear();
    m_colourName.clear();
    runAction([this] { loadColours(); });
    m_ui->szin_selector->setFocus();
}

void Tnettfront_szin_valaszto::loadColours()
{
    QString condition = u"cast(active as integer)=1"_s;
    QStringList params;
    if (!m_filter.isEmpty()) {
        condition += u" and szin like ? escape '\\'"_s;
        params << LikePrefix(m_filter);
    }
    FillColours(m_ui->szin_selector, tvr_r_nettfront_szinek_list(m_db, condition, u"szin"_s, params));
    if (m_initialColourId != u"0"_s)
        SelectById(m_ui->szin_selector, m_initialColourId);
}

void Tnettfront_szin_valaszto::choose()
{
    // Nothing offered (a filter that matches no colour): the picker closes without a choice.
    if (m_ui->szin_selector->currentIndex() < 0) {
        reject();
        return;
    }
    m_chosen = true;
    m_colourId = m_ui->szin_selector->currentData().toString();
    m_colourName = m_ui->szin_selector->currentText();
    accept();
}

} // namespace tvr

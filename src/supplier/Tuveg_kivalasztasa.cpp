#include "supplier/Tuveg_kivalasztasa.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/DB_Listers.h"
#include "platform/KeyboardNavigation.h"
#include "platform/ListerGrid.h"
#include "supplier/StoreArticles.h"
#include "ui_Tuveg_kivalasztasa.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tvr
{

Tuveg_kivalasztasa::Tuveg_kivalasztasa(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tuveg_kivalasztasa>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    m_ui->filtertext->setToolTip(u"<-ENTER"_s);
    BindGrid(m_ui->DBGridUveg, db.lister(GlassLister),
             {{u"uveg_arlista_id"_s, {}, true}, {u"megnevezes"_s, u"Üveg neve"_s}});
    keys()->overrideEnter(m_ui->filtertext, [this] { runAction([this] { refreshList(); }); });
    connect(m_ui->btn_ok, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tuveg_kivalasztasa::~Tuveg_kivalasztasa() = default;

QLineEdit *Tuveg_kivalasztasa::firstInput() const
{
    return m_ui->filtertext;
}

bool Tuveg_kivalasztasa::load()
{
    m_chosenId = u"0"_s;
    m_chosenName.clear();
    m_chosenUnitPrice.clear();
    refreshList();
    return true;
}

void Tuveg_kivalasztasa::refreshList()
{
    const SqlStatement s = GlassListStatement(m_ui->filtertext->text());
    RefreshLister(m_db, GlassLister, s.sql, s.params);
}

bool Tuveg_kivalasztasa::store()
{
    TLister *glass = m_db.lister(GlassLister);
    if (glass->isEmpty() || glass->currentRow() < 0)
        return false;
    m_chosenId = glass->currentKey();
    m_chosenName = glass->currentValue(u"megnevezes"_s);
    m_chosenUnitPrice = glass->currentValue(u"basic_netto_egysegara"_s);
    return true;
}

} // namespace tvr

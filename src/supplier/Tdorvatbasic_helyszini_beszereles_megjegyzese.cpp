#include "supplier/Tdorvatbasic_helyszini_beszereles_megjegyzese.h"

#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "ui_Tdorvatbasic_helyszini_beszereles_megjegyzese.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
const QString NoteTable = u"tvr_b_basic_munka_megjegyzes"_s;
const QString WorkCondition = u"active=1 and basic_munka_id=?"_s;
} // namespace

Tdorvatbasic_helyszini_beszereles_megjegyzese::Tdorvatbasic_helyszini_beszereles_megjegyzese(TDatabaseConnection &db,
                                                                                             QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tdorvatbasic_helyszini_beszereles_megjegyzese>()), m_db(db)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    keys()->overrideEnter(m_ui->szerelesi_megjegyzes, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tdorvatbasic_helyszini_beszereles_megjegyzese::~Tdorvatbasic_helyszini_beszereles_megjegyzese() = default;

QLineEdit *Tdorvatbasic_helyszini_beszereles_megjegyzese::firstInput() const
{
    return m_ui->szerelesi_megjegyzes;
}

bool Tdorvatbasic_helyszini_beszereles_megjegyzese::load()
{
    m_ui->szerelesi_megjegyzes->clear();
    QStringList texts;
    if (!SelectValues(m_db, u"szerelesi_megjegyzes"_s, NoteTable, u"basic_munka_megjegyzes_id"_s, WorkCondition, texts,
                      {m_workId}))
        return false;
    if (!texts.isEmpty())
        m_ui->szerelesi_megjegyzes->setText(texts.front());
    return true;
}

bool Tdorvatbasic_helyszini_beszereles_megjegyzese::store()
{
    // A failed read must not look like "no note yet": that would add a second row for the work.
    QStringList ids;
    if (!SelectValues(m_db, u"basic_munka_megjegyzes_id"_s, NoteTable, u"basic_munka_megjegyzes_id"_s, WorkCondition,
                      ids, {m_workId}))
        return false;
    Ttable_tvr_b_basic_munka_megjegyzes note;
    note.basic_munka_id = m_workId;
    note.szerelesi_megjegyzes = m_ui->szerelesi_megjegyzes->text();
    if (ids.isEmpty())
        return tvr_b_basic_munka_megjegyzes_insert(m_db, note);
    return tvr_b_basic_munka_megjegyzes_update(m_db, ids.front(), note);
}

} // namespace tvr

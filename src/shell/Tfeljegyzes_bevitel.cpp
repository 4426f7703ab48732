#include "shell/Tfeljegyzes_bevitel.h"

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "ui_Tfeljegyzes_bevitel.h"

using namespace Qt::StringLiterals;

namespace tvr
{

Tfeljegyzes_bevitel::Tfeljegyzes_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tfeljegyzes_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    InputFormKeys *keys = TInputForm::keys();
    keys->overrideEnter(m_ui->feljegyzes, [this] { m_ui->btn_rogzites->setFocus(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tfeljegyzes_bevitel::~Tfeljegyzes_bevitel() = default;

bool Tfeljegyzes_bevitel::load()
{
    setWindowTitle(m_mode == Mode::New ? u"Új feljegyzés"_s : u"Feljegyzés módosítása"_s);
    m_ui->feljegyzes->clear();
    if (m_mode == Mode::New)
        return true;
    const auto note = tvr_feljegyzesek_get(m_db, m_noteId);
    if (!note)
        return false;
    m_ui->feljegyzes->setText(note->feljegyzes);
    return true;
}

QLineEdit *Tfeljegyzes_bevitel::firstInput() const
{
    return m_ui->feljegyzes;
}

bool Tfeljegyzes_bevitel::store()
{
    Ttable_tvr_feljegyzesek note;
    note.feljegyzes = m_ui->feljegyzes->text();
    note.rogzitette = System().CurrentUserId;
    note.rogzites_ideje = NowText();
    // A change writes the text, the user and the time; the note's active flag stays as it is.
    if (m_mode == Mode::New)
        return tvr_feljegyzesek_insert(m_db, note);
    return tvr_feljegyzesek_update(m_db, m_noteId, note);
}

} // namespace tvr

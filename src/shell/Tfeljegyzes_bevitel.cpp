#include "shell/Tfeljegyzes_bevitel.h"

#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
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
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { store(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tfeljegyzes_bevitel::~Tfeljegyzes_bevitel() = default;

void Tfeljegyzes_bevitel::load()
{
    setWindowTitle(m_mode == Mode::New ? u"Új feljegyzés"_s : u"Feljegyzés módosítása"_s);
    m_ui->feljegyzes->clear();
    if (m_mode == Mode::Change) {
        runAction([this] {
            if (const auto note = tvr_feljegyzesek_get(m_db, m_noteId))
                m_ui->feljegyzes->setText(note->feljegyzes);
        });
    }
}

QLineEdit *Tfeljegyzes_bevitel::firstInput() const
{
    return m_ui->feljegyzes;
}

void Tfeljegyzes_bevitel::store()
{
    const bool stored = runAction([this] {
        Ttable_tvr_feljegyzesek note;
        note.feljegyzes = m_ui->feljegyzes->text();
        note.rogzitette = System().CurrentUserId;
        note.rogzites_ideje = NowText();
        // A change writes the text, the user and the time; the note's active flag stays as it is.
        if (m_mode == Mode::New)
            tvr_feljegyzesek_insert(m_db, note);
        else
            tvr_feljegyzesek_update(m_db, m_noteId, note);
    });
    if (!stored)
        return;
    storedAndClose();
}

} // namespace tvr

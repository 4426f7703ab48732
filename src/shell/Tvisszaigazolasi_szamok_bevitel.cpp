#include "shell/Tvisszaigazolasi_szamok_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/IFACE_BASE_tvr.h"
#include "platform/KeyboardNavigation.h"
#include "ui_Tvisszaigazolasi_szamok_bevitel.h"

#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace tvr
{

Tvisszaigazolasi_szamok_bevitel::Tvisszaigazolasi_szamok_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tvisszaigazolasi_szamok_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    m_ui->szam->setValidator(new QRegularExpressionValidator(QRegularExpression(u"^[0-9]{0,9}$"_s), m_ui->szam));
    InputFormKeys *keys = TInputForm::keys();
    // The only input: Enter moves to "Rögzítem!", as in the order identifier dialog.
    keys->overrideEnter(m_ui->szam, [this] { m_ui->btn_rogzit->setFocus(); });
    connect(m_ui->btn_rogzit, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tvisszaigazolasi_szamok_bevitel::~Tvisszaigazolasi_szamok_bevitel() = default;

QString Tvisszaigazolasi_szamok_bevitel::column() const
{
    return m_mode == Mode::Folder ? u"munka_mappa_id"_s : u"basic_munka_id"_s;
}

bool Tvisszaigazolasi_szamok_bevitel::load()
{
    m_ui->lab_szam->setText(m_mode == Mode::Folder ? u"MAPPA:"_s : u"BASIC:"_s);
    const auto quote = tvr_arajanlat_get(m_db, m_quoteId);
    if (!quote)
        return false;
    m_ui->szam->setText(m_mode == Mode::Folder ? quote->munka_mappa_id : quote->basic_munka_id);
    return true;
}

QLineEdit *Tvisszaigazolasi_szamok_bevitel::firstInput() const
{
    return m_ui->szam;
}

bool Tvisszaigazolasi_szamok_bevitel::store()
{
    // The column holds a whole number that is "0" until the manufacturer's number is entered, so an
    // emptied field stores "0" again, and leading zeros are not part of the number. The validator
    // lets through digits only, at most 9 of them, which always fit.
    const QString typed = m_ui->szam->text();
    const QString number = typed.isEmpty() ? u"0"_s : QString::number(typed.toLongLong());
    // The column name is one of two fixed names; only the values are bound.
    RunSql(m_db, u"update tvr_arajanlat set "_s + column() + u"=? where arajanlat_id=?"_s, {number, m_quoteId});
    return true;
}

} // namespace tvr

#include "supplier/Tkepszerver_bevitel.h"

#include "common/CN_CommonErrorFunctions.h"
#include "database/DB_DatabaseConnection.h"
#include "database/InstallationSettings.h"
#include "platform/KeyboardNavigation.h"
#include "shell/TMessageDialog.h"
#include "supplier/ForestPictures.h"
#include "ui_Tkepszerver_bevitel.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tvr
{

namespace
{
// The mark on the connection that the question was asked in this run.
constexpr char AskedProperty[] = "tvr_picture_host_asked";
} // namespace

Tkepszerver_bevitel::Tkepszerver_bevitel(TDatabaseConnection &db, QWidget *parent)
    : TInputForm(parent), m_ui(std::make_unique<Ui::Tkepszerver_bevitel>()), m_db(db)
{
    m_ui->setupUi(this);
    keys()->overrideEnter(m_ui->kepszerver, [this] { save(); });
    connect(m_ui->btn_rogzites, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->btn_megsem, &QPushButton::clicked, this, &QDialog::reject);
}

Tkepszerver_bevitel::~Tkepszerver_bevitel() = default;

bool Tkepszerver_bevitel::load()
{
    m_ui->kepszerver->setText(InstallationSetting(m_db, PictureHostSetting()));
    return true;
}

QLineEdit *Tkepszerver_bevitel::firstInput() const
{
    return m_ui->kepszerver;
}

bool Tkepszerver_bevitel::store()
{
    const QString host = m_ui->kepszerver->text().trimmed();
    if (!IsUsablePictureHost(host)) {
        ShowMessage(u"Hibás kiszolgálócím! Csak a kiszolgáló nevét (és ha kell, a portját) adja meg, például: "
                    u"kepek.dorvat.hu"_s,
                    this);
        m_ui->kepszerver->setFocus();
        return false;
    }
    SetInstallationSetting(m_db, PictureHostSetting(), host);
    m_host = host;
    return true;
}

QString PictureHost(TDatabaseConnection &db, QWidget *parent)
{
    QString host;
    try {
        host = InstallationSetting(db, PictureHostSetting()).trimmed();
    } catch (const TvrError &e) {
        qInfo("picture host not readable: %s", qPrintable(e.message()));
        return {};
    }
    if (!host.isEmpty() || db.property(AskedProperty).toBool())
        return host;
    db.setProperty(AskedProperty, true);
    Tkepszerver_bevitel dialog(db, parent);
    dialog.exec();
    return dialog.cancelled() ? QString() : dialog.host();
}

} // namespace tvr

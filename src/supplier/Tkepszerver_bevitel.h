#pragma once
// The picture host of the installation: the manufacturer's web server whose folder
// /szerelveny/pictures/small/ holds the Forest article pictures. It is asked for once, the first
// time a picture is wanted and the setting is missing, and stored in the main file.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tkepszerver_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tkepszerver_bevitel : public TInputForm
{
    Q_OBJECT
public:
    explicit Tkepszerver_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tkepszerver_bevitel() override;

    // The host stored by "Rögzítés".
    QString host() const { return m_host; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tkepszerver_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_host;
};

// The stored picture host. When it was never set, asks for it (Tkepszerver_bevitel) the first time
// on this connection and stores the answer; a user who closes the question is not asked again until
// the program starts anew. Empty when there is no host; a failing read counts as none (pictures are
// never worth an error in the middle of the joiner's work).
QString PictureHost(TDatabaseConnection &db, QWidget *parent);

} // namespace tvr

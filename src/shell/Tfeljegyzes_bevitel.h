#pragma once
// A free-text note of the notes page (at most 200 characters): a new one, or a change of an
// existing one. "Rögzítés" stores the text (an empty text too) with the recording user and time and
// closes; "Mégsem" or Escape closes without a change.

#include "shell/TInputForm.h"

#include <memory>

namespace Ui
{
class Tfeljegyzes_bevitel;
}

namespace tvr
{

class TDatabaseConnection;

class Tfeljegyzes_bevitel : public TInputForm
{
    Q_OBJECT
public:
    enum class Mode {
        New,    // "Új feljegyzés": inserts a note
        Change, // "Feljegyzés módosítása": rewrites the note of noteId()
    };

    explicit Tfeljegyzes_bevitel(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tfeljegyzes_bevitel() override;

    // The feljegyzes_id of the note to change (ignored for a new note) and the mode; set before
    // the dialog is shown.
    void setNoteId(const QString &noteId) { m_noteId = noteId; }
    QString noteId() const { return m_noteId; }
    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

protected:
    bool load() override;
    bool store() override;
    QLineEdit *firstInput() const override;

private:
    std::unique_ptr<Ui::Tfeljegyzes_bevitel> m_ui;
    TDatabaseConnection &m_db;
    QString m_noteId;
    Mode m_mode = Mode::New;
};

} // namespace tvr

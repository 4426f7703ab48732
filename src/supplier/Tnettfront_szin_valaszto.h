#pragma once
// The small Nettfront colour picker: a title, the active colours (optionally only those whose name
// begins with a prefix) and "Rögzítés" / "Mégsem". The kitchen editor asks with it for the colour
// of cornices and light rails. Created for one choice; read chosen() after it closes.

#include <QDialog>

#include <memory>

namespace Ui
{
class Tnettfront_szin_valaszto;
}

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_szin_valaszto : public QDialog
{
    Q_OBJECT
public:
    explicit Tnettfront_szin_valaszto(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tnettfront_szin_valaszto() override;

    // Set before the picker is shown. The title defaults to "Választható szinek"; an empty filter
    // offers every active colour; an initial colour "0" (or one not offered) selects the first.
    void setTitle(const QString &title);
    void setNameFilter(const QString &prefix) { m_filter = prefix; }
    void setInitialColourId(const QString &colourId) { m_initialColourId = colourId; }

    // After it closed: true only after "Rögzítés" with a colour selected.
    bool chosen() const { return m_chosen; }
    QString colourId() const { return m_colourId; }
    QString colourName() const { return m_colourName; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadColours();
    void choose();

    std::unique_ptr<Ui::Tnettfront_szin_valaszto> m_ui;
    TDatabaseConnection &m_db;
    QString m_filter;
    QString m_initialColourId = QStringLiteral("0");
    bool m_chosen = false;
    QString m_colourId;
    QString m_colourName;
};

} // namespace tvr

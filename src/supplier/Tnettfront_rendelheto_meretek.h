#pragma once
// The series sizes of one front type, narrowest first; a double click takes the size (height and
// width) and closes, "Vissza " or Escape closes without one.

#include <QDialog>

#include <memory>

namespace Ui
{
class Tnettfront_rendelheto_meretek;
}

namespace tvr
{

class TDatabaseConnection;

class Tnettfront_rendelheto_meretek : public QDialog
{
    Q_OBJECT
public:
    explicit Tnettfront_rendelheto_meretek(TDatabaseConnection &db, QWidget *parent = nullptr);
    ~Tnettfront_rendelheto_meretek() override;

    // The front_tipus_id whose sizes are listed; set before the picker is shown.
    void setFrontTypeId(const QString &frontTypeId) { m_frontTypeId = frontTypeId; }

    // The chosen size in mm; both empty when none was chosen.
    QString height() const { return m_height; }
    QString width() const { return m_width; }

    // The list statement (result set 32) with its bound front type.
    static QString SizesStatement();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void choose();

    std::unique_ptr<Ui::Tnettfront_rendelheto_meretek> m_ui;
    TDatabaseConnection &m_db;
    QString m_frontTypeId;
    QString m_height;
    QString m_width;
};

} // namespace tvr

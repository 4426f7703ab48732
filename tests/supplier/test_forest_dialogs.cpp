// The Forest article dialog, the FOREST page, the picture host question and the picture browser,
// driven by object name against a real encrypted database with the demo catalogue and a real web
// server (Python's http.server) serving the article pictures. A picture that cannot be had (an
// error answer, a server that is down or stuck) never stops a line from being saved, never shows
// an error and never holds the window up.

#include "common/CN_CommonFunctions.h"
#include "database/DB_Listers.h"
#include "database/InstallationSettings.h"
#include "supplier/ForestPictures.h"
#include "supplier/TForestPage.h"
#include "supplier/Tforest_listazo.h"
#include "supplier/Tforest_megrendeles_tetel_bevitel.h"
#include "supplier/Tkepszerver_bevitel.h"
#include "support/Gallery.h"
#include "support/HttpServer.h"

#include "SupplierTestSupport.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace tvr;
using namespace tvr::test;

namespace
{

const QString WorkId = u"5"_s;
// Articles of the demo catalogue: the server has pictures of the first two only.
const QString Handle = u"00012100128"_s;     // Rúdfogantyú, 690.00 / db
const QString Worktop = u"00013400410"_s;    // Munkalap tábla, 11900.00 / fm
const QString Unpictured = u"00010100100"_s; // Kivetőpánt, 420.00 / db
constexpr int FetchWaitMs = 30000;

// A small JPEG picture of one colour with a frame, as the manufacturer's pictures are.
void WritePicture(const QString &path, const QColor &colour, const QString &text = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(240, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 4));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(30, 40, 180, 120), 18, 18);
    if (!text.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 165, 240, 30), Qt::AlignCenter, text);
    }
    p.end();
    QVERIFY(image.save(path, "JPG"));
}

QStringList GridColumn(QTableView *grid, int column)
{
    QStringList values;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        values << grid->model()->index(r, column).data().toString();
    return values;
}

void SelectRow(QTableView *grid, int row)
{
    grid->setFocus();
    int column = 0;
    while (grid->isColumnHidden(column))
        ++column;
    QVERIFY(grid->model()->index(row, column).isValid());
    grid->selectionModel()->setCurrentIndex(grid->model()->index(row, column),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Closes and records every modal dialog (but the allowed ones) that opens while it lives: where no
// dialog may open, one that does fails the test instead of waiting for an answer forever.
class UnexpectedModals
{
public:
    explicit UnexpectedModals(QStringList allowed = {}) : m_allowed(std::move(allowed))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && !m_allowed.contains(modal->objectName())) {
                seen << modal->objectName();
                modal->close();
            }
        });
        m_timer.start();
    }
    QStringList seen;

private:
    QStringList m_allowed;
    QTimer m_timer;
};

// Lets queued work (the picture request waits for the event loop) run.
void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class ForestDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captions_data();
    void captions();

    void lookUpShowsTheArticle();
    void refusedArticleNumber_data();
    void refusedArticleNumber();
    void newLineIsPricedAndWritten_data();
    void newLineIsPricedAndWritten();
    void refusedQuantity_data();
    void refusedQuantity();
    void wholeQuantityWhenDecimalsAreNotAllowed();
    void saveLooksTheNumberUpAgain();
    void modifyRewritesTheLine();
    void modifyOfALineWhoseArticleIsGone();
    void cornerConnectorButtonLooksItUp();
    void cancelWritesNothing_data();
    void cancelWritesNothing();

    void dialogShowsTheServedPicture();
    void dialogWithoutPicture_data();
    void dialogWithoutPicture();
    void dialogShowsAnEarlierCopyWhenTheServerHasNone();
    void dialogStaysResponsiveWhileTheServerIsStuck();

    void pageListsTheWorksLines();
    void pageNewAndModifyOpenTheDialog();
    void pageModifyAndDeleteDoNothingOnAnEmptyList();
    void pageDeleteRemovesTheRow_data();
    void pageDeleteRemovesTheRow();
    void pagePictureFollowsTheSelectedRow();
    void pagePictureMissing_data();
    void pagePictureMissing();
    void pageStaysResponsiveWhileTheServerIsStuck();

    void fetcherKeepsOnlyTheNewestWaitingRequest();

    void hostIsAskedForOnceAndStored();
    void hostQuestionClosedIsNotAskedAgain();
    void hostQuestionRefusesAnUnusableHost();

    void browserPagesOfNinePictures();
    void browserShowsAndChoosesAnArticle();
    void browserBrowseOnlyHasNoChoice();

    void gallery();

private:
    void setHost(const QString &host) { SetInstallationSetting(*m_data->db, PictureHostSetting(), host); }
    QString tmpFile(const QString &article) const { return ForestPictureFile(m_data->data.folder(), article); }
    QStringList tmpFiles() const
    {
        return QDir(m_data->data.folder().tmpFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    void addLine(const QString &number, const QString &quantity, const QString &work = WorkId)
    {
        m_data->db->execute(u"insert into tvr_b_basic_forest_termekek (cikkszam,mennyiseg,basic_munka_id,csoport,"
                            u"tipus,meret,szin,meegys,brutto_eladasi_ar) select cikkszam,?,?,csoport,tipus,meret,"
                            u"szin,meegys,'1.00' from tvr_r_forest_arucikkek where cikkszam=?"_s,
                            {quantity, work, number});
    }
    std::unique_ptr<Tforest_megrendeles_tetel_bevitel> newDialog()
    {
        auto dialog = std::make_unique<Tforest_megrendeles_tetel_bevitel>(*m_data->db, m_data->data.folder());
        dialog->setMode(Tforest_megrendeles_tetel_bevitel::Mode::New);
        dialog->setDecimalQuantity(true);
        dialog->setWorkId(WorkId);
        dialog->setPriceMultiplier(1.0);
        return dialog;
    }
    // Types the article number and presses Enter in it.
    void lookUp(QWidget *dialog, const QString &number)
    {
        auto *field = Find<QLineEdit>(dialog, u"cikkszam"_s);
        Retype(field, number);
        QTest::keyClick(field, Qt::Key_Return);
    }

    std::unique_ptr<SupplierData> m_data;
    QTemporaryDir m_served;
    std::unique_ptr<HttpServer> m_server;
};

void ForestDialogsTest::init()
{
    ResetModalAnswers();
    m_data = std::make_unique<SupplierData>();
    QVERIFY(m_served.isValid());
    WritePicture(m_served.filePath(u"szerelveny/pictures/small/"_s + Handle + u".jpg"_s), QColor(70, 130, 180));
    WritePicture(m_served.filePath(u"szerelveny/pictures/small/"_s + Worktop + u".jpg"_s), QColor(205, 190, 160));
    m_server = std::make_unique<HttpServer>(m_served.path());
    setHost(m_server->host());
}

void ForestDialogsTest::cleanup()
{
    m_server.reset();
    const auto errors = m_data->errors->errors;
    m_data.reset();
    QVERIFY2(AllModalsAnswered(), "a queued dialog answer did not run");
    QVERIFY(!QApplication::activeModalWidget());
    for (const auto &[message, detail] : errors)
        qWarning("unexpected error: %s / %s", qPrintable(message), qPrintable(detail));
    QVERIFY(errors.empty());
}

// ---------------------------------------------------------------------------------------------

using WidgetFactory = std::function<std::unique_ptr<QWidget>(TDatabaseConnection &, const DataFolder &)>;
Q_DECLARE_METATYPE(WidgetFactory)

void ForestDialogsTest::captions_data()
{
    QTest::addColumn<WidgetFactory>("factory");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("texts");  // control=text (labels and buttons)
    QTest::addColumn<QStringList>("limits"); // field=maximum length
    QTest::addColumn<QStringList>("hidden"); // controls hidden from the start

    QTest::newRow("article dialog")
        << WidgetFactory([](TDatabaseConnection &db, const DataFolder &f) -> std::unique_ptr<QWidget> {
               return std::make_unique<Tforest_megrendeles_tetel_bevitel>(db, f);
           })
        << u"Tforest_megrendeles_tetel_bevitel"_s << u"FOREST árucikk rendelése"_s
        << QStringList{u"lab_cikkszam=cikkszám"_s,
                       u"lab_enter=<-ENTER"_s,
                       u"lab_cikkscsoport=Cikkcsoport"_s,
                       u"lab_tipus=Tipus"_s,
                       u"lab_meret=Méret"_s,
                       u"lab_szin=Szín"_s,
                       u"lab_egysegara=egységára"_s,
                       u"lab_netto=nettó"_s,
                       u"lab_amennyi=amennyi kell"_s,
                       u"lab_brutto_cim=A tétel bruttó értéke:"_s,
                       u"lab_megjegyzes1=Az itt megrendelt asztallapokat csak táblában tudjuk szállítani!"_s,
                       u"lab_megjegyzes2=A mennyiséghez 1 tábla esetén 4,1fm-t kell írni, 2 tábla esetén 8,2 fm-t, "
                       u"stb..."_s,
                       u"btn_rogzites=RÖGZÍTÉS"_s,
                       u"btn_megsem=Mégsem"_s,
                       u"btn_munkalapfordito=plussz munkalapfordító kell!"_s,
                       u"btn_bongeszes=böngészés a kínálatunkban "_s}
        << QStringList{u"cikkszam=11"_s, u"mennyiseg=11"_s}
        << QStringList{u"btn_munkalapfordito"_s, u"btn_bongeszes"_s, u"forest_pic_panel"_s};
    QTest::newRow("FOREST page") << WidgetFactory([](TDatabaseConnection &db,
                                                     const DataFolder &f) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForestPage>(db, f);
    }) << u"TForestPage"_s << QString()
                                 << QStringList{u"btn_uj_forest=Új tétel"_s, u"btn_modosit_forest=Módosít"_s,
                                                u"btn_torles_forest=Törlés"_s}
                                 << QStringList{} << QStringList{u"forest_pic_panel"_s};
    QTest::newRow("browser") << WidgetFactory([](TDatabaseConnection &db,
                                                 const DataFolder &f) -> std::unique_ptr<QWidget> {
        return std::make_unique<Tforest_listazo>(db, f);
    }) << u"Tforest_listazo"_s
                             << u"DORVAT BASIC konyharendszer - böngészés a FOREST termékek katalógusában"_s
                             << QStringList{u"lab_meret_cim=méret:"_s,
                                            u"lab_szin_cim=szín:"_s,
                                            u"lab_netto_ar_cim=nettó ár:"_s,
                                            u"btn_lap_vissza=<< LAPOZÁS VISSZA"_s,
                                            u"btn_lap_tovabb=LAPOZÁS TOVÁBB >>"_s,
                                            u"lab_ugras_ide=ugrás ide:"_s,
                                            u"lab_enter=<-ENTER"_s,
                                            u"btn_rogzites=Kiválaszt"_s,
                                            u"btn_megsem=Bezár"_s}
                             << QStringList{u"ugras_ide=3"_s} << QStringList{};
    QTest::newRow("host question") << WidgetFactory([](TDatabaseConnection &db,
                                                       const DataFolder &) -> std::unique_ptr<QWidget> {
        return std::make_unique<Tkepszerver_bevitel>(db);
    }) << u"Tkepszerver_bevitel"_s << u"A képek kiszolgálója"_s
                                   << QStringList{u"btn_rogzites=Rögzítés"_s, u"btn_megsem=Mégsem"_s} << QStringList{}
                                   << QStringList{};
}

void ForestDialogsTest::captions()
{
    QFETCH(WidgetFactory, factory);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, limits);
    QFETCH(QStringList, hidden);
    const auto widget = factory(*m_data->db, m_data->data.folder());
    QCOMPARE(widget->objectName(), name);
    QCOMPARE(widget->windowTitle(), caption);
    for (const QString &entry : texts) {
        QWidget *control = Find(widget.get(), entry.section(u'=', 0, 0));
        const QString text = entry.section(u'=', 1);
        if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), text);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), text);
        else
            QFAIL(qPrintable(entry));
    }
    for (const QString &entry : limits)
        QCOMPARE(Find<QLineEdit>(widget.get(), entry.section(u'=', 0, 0))->maxLength(), entry.section(u'=', 1).toInt());
    for (const QString &control : hidden)
        QVERIFY2(Find(widget.get(), control)->isHidden(), qPrintable(control));
}

// ---------------------------------------------------------------------------------------------
// The article dialog

void ForestDialogsTest::lookUpShowsTheArticle()
{
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    auto *number = Find<QLineEdit>(dialog.get(), u"cikkszam"_s);
    QCOMPARE(number->text(), u"0000"_s);
    QCOMPARE(number->cursorPosition(), 4);
    QCOMPARE(FocusedName(), u"cikkszam"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s)->text(), u"0"_s);
    QCOMPARE(Find<QLabel>(dialog.get(), u"lab_brutto_ertek"_s)->text(), u"0 Ft"_s);

    Retype(number, Worktop);
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"cikkscsoport"_s)->text(), u"Munkalapok"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"tipus"_s)->text(), u"munkalap"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"meret"_s)->text(), u"4100x600x38"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"szin"_s)->text(), u"fehér márvány"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"11900.00"_s);
    QCOMPARE(Find<QLabel>(dialog.get(), u"lab_mennyiseg"_s)->text(), u"fm"_s);
    // In a new line the quantity is emptied and takes the focus.
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s)->text(), QString());
    QCOMPARE(FocusedName(), u"mennyiseg"_s);
    dialog->reject();
}

void ForestDialogsTest::refusedArticleNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("without its leading zeros") << u"13400410"_s;
    QTest::newRow("inactive article") << u"00016300800"_s;
    QTest::newRow("unknown") << u"99999999999"_s;
    QTest::newRow("empty") << QString();
}

void ForestDialogsTest::refusedArticleNumber()
{
    QFETCH(QString, number);
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"690.00"_s);
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"3"_s);

    bool seen = false;
    ExpectMessage(u"Hibás cikkszám!"_s, seen);
    lookUp(dialog.get(), number);
    QVERIFY(seen);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"0"_s);
    for (const QString &field : {u"cikkscsoport"_s, u"tipus"_s, u"meret"_s, u"szin"_s, u"mennyiseg"_s})
        QCOMPARE(Find<QLineEdit>(dialog.get(), field)->text(), QString());
    QCOMPARE(Find<QLabel>(dialog.get(), u"lab_mennyiseg"_s)->text(), QString());
    QVERIFY(Find(dialog.get(), u"forest_pic_panel"_s)->isHidden());
    QCOMPARE(dialog->focusWidget()->objectName(), u"cikkszam"_s);

    // Saving now refuses again and writes nothing.
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"3"_s);
    ExpectMessage(u"Hibás cikkszám!"_s, seen);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 0);
    dialog->reject();
}

void ForestDialogsTest::newLineIsPricedAndWritten_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownValue");
    QTest::addColumn<QStringList>("stored"); // id, mennyiseg, unit, net, gross, purchase, csoport..meegys
    QTest::newRow("one sheet, 4,1 m") << Worktop << u"4,1"_s << u"61\u00a0963 Ft"_s
                                      << QStringList{
                                             u"16"_s,          u"4.1"_s,           u"11900.00"_s,   u"48790.00"_s,
                                             u"61963.30"_s,    u"48790.00"_s,      u"Munkalapok"_s, u"munkalap"_s,
                                             u"4100x600x38"_s, u"fehér márvány"_s, u"fm"_s};
    QTest::newRow("three handles") << Handle << u"3"_s << u"2\u00a0629 Ft"_s
                                   << QStringList{u"9"_s,       u"3"_s,           u"690.00"_s,    u"2070.00"_s,
                                                  u"2628.90"_s, u"2070.00"_s,     u"Fogantyúk"_s, u"rúdfogantyú"_s,
                                                  u"128 mm"_s,  u"inox hatású"_s, u"db"_s};
}

void ForestDialogsTest::newLineIsPricedAndWritten()
{
    QFETCH(QString, number);
    QFETCH(QString, typed);
    QFETCH(QString, shownValue);
    QFETCH(QStringList, stored);
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), number);
    TypeText(QApplication::focusWidget(), typed);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzites"_s);
    QCOMPARE(Find<QLabel>(dialog.get(), u"lab_brutto_ertek"_s)->text(), shownValue);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);

    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 1);
    const QStringList row = m_data->row(
        u"select forest_arucikk_id,mennyiseg,netto_eladasi_egysegar,netto_eladasi_ar,brutto_eladasi_ar,"
        u"netto_beszerzesi_ar,csoport,tipus,meret,szin,meegys,cikkszam,arajanlat_id,rogzitette,rogzites_ideje,"
        u"basic_munka_id,active from tvr_b_basic_forest_termekek"_s);
    const QStringList expected =
        stored + QStringList{number, QString(), SupplierUserId(), SupplierNowText(), WorkId, u"1"_s};
    QCOMPARE(row, expected);
}

void ForestDialogsTest::refusedQuantity_data()
{
    QTest::addColumn<QString>("typed");
    for (const QString &q : {u""_s, u"0"_s, u"00"_s, u"0,0"_s, u","_s})
        QTest::newRow(q.isEmpty() ? "empty" : qPrintable(q)) << q;
}

void ForestDialogsTest::refusedQuantity()
{
    QFETCH(QString, typed);
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    auto *quantity = Find<QLineEdit>(dialog.get(), u"mennyiseg"_s);
    TypeText(quantity, typed);
    bool seen = false;
    ExpectMessage(u"Nincs megadva mennyiség!"_s, seen);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->cancelled());
    QCOMPARE(dialog->focusWidget()->objectName(), u"mennyiseg"_s);
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 0);
    // The article stays looked up: a quantity typed now is saved.
    Retype(quantity, u"2"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_data->row(u"select mennyiseg,brutto_eladasi_ar from tvr_b_basic_forest_termekek"_s),
             (QStringList{u"2"_s, u"1752.60"_s}));
}

void ForestDialogsTest::wholeQuantityWhenDecimalsAreNotAllowed()
{
    const auto dialog = newDialog();
    dialog->setDecimalQuantity(false);
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    auto *quantity = Find<QLineEdit>(dialog.get(), u"mennyiseg"_s);
    TypeText(quantity, u"4,1"_s);
    QCOMPARE(quantity->text(), u"41"_s);
    dialog->reject();

    // Shown again with decimals allowed, the same dialog takes them.
    dialog->setDecimalQuantity(true);
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    TypeText(quantity, u"4,1"_s);
    QCOMPARE(quantity->text(), u"4,1"_s);
    dialog->reject();
}

void ForestDialogsTest::saveLooksTheNumberUpAgain()
{
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"2"_s);
    // The number changed without Enter: the save looks up what the field holds.
    Retype(Find<QLineEdit>(dialog.get(), u"cikkszam"_s), Unpictured);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_data->row(u"select forest_arucikk_id,cikkszam,mennyiseg,netto_eladasi_ar from "
                         u"tvr_b_basic_forest_termekek"_s),
             (QStringList{u"1"_s, Unpictured, u"2"_s, u"840.00"_s}));
}

void ForestDialogsTest::modifyRewritesTheLine()
{
    addLine(Handle, u"3"_s);
    addLine(Worktop, u"4.1"_s);
    const QString id =
        m_data->row(u"select basic_forest_termek_id from tvr_b_basic_forest_termekek where cikkszam=?"_s, {Worktop})
            .value(0);
    const auto dialog = newDialog();
    dialog->setMode(Tforest_megrendeles_tetel_bevitel::Mode::Modify);
    dialog->setLineId(id);
    QVERIFY(ShowActive(*dialog));
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"cikkszam"_s)->text(), Worktop);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s)->text(), u"4.1"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"11900.00"_s);
    QCOMPARE(Find<QLabel>(dialog.get(), u"lab_brutto_ertek"_s)->text(), u"61\u00a0963 Ft"_s);
    // Enter in the number keeps the quantity of a line being modified.
    lookUp(dialog.get(), Worktop);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s)->text(), u"4.1"_s);
    Retype(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"8,2"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 2);
    QCOMPARE(m_data->row(u"select mennyiseg,netto_eladasi_ar,brutto_eladasi_ar,rogzites_ideje,active from "
                         u"tvr_b_basic_forest_termekek where basic_forest_termek_id=?"_s,
                         {id}),
             (QStringList{u"8.2"_s, u"97580.00"_s, u"123926.60"_s, SupplierNowText(), u"1"_s}));
    QCOMPARE(m_data->row(u"select mennyiseg,brutto_eladasi_ar from tvr_b_basic_forest_termekek where cikkszam=?"_s,
                         {Handle}),
             (QStringList{u"3"_s, u"1.00"_s}));
}

void ForestDialogsTest::modifyOfALineWhoseArticleIsGone()
{
    addLine(Handle, u"3"_s);
    const QString id = m_data->row(u"select basic_forest_termek_id from tvr_b_basic_forest_termekek"_s).value(0);
    m_data->db->execute(u"update tvr_r_forest_arucikkek set active='0' where cikkszam=?"_s, {Handle});
    const auto dialog = newDialog();
    dialog->setMode(Tforest_megrendeles_tetel_bevitel::Mode::Modify);
    dialog->setLineId(id);
    bool seen = false;
    ExpectMessage(u"Hibás cikkszám!"_s, seen);
    dialog->show();
    QTRY_VERIFY(seen);
    // The stored line is shown as it is; it cannot be saved until a valid article is given.
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"cikkszam"_s)->text(), Handle);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s)->text(), u"3"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"0"_s);
    ExpectMessage(u"Hibás cikkszám!"_s, seen);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(dialog->isVisible());
    Retype(Find<QLineEdit>(dialog.get(), u"cikkszam"_s), Unpictured);
    Retype(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"3"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_data->row(u"select cikkszam,forest_arucikk_id,brutto_eladasi_ar from tvr_b_basic_forest_termekek"_s),
             (QStringList{Unpictured, u"1"_s, u"1600.20"_s}));
}

void ForestDialogsTest::cornerConnectorButtonLooksItUp()
{
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    // Hidden in this program, but it works when shown.
    Find<QPushButton>(dialog.get(), u"btn_munkalapfordito"_s)->click();
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"cikkszam"_s)->text(), u"00013300200"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"tipus"_s)->text(), u"sarokprofil"_s);
    QCOMPARE(Find<QLineEdit>(dialog.get(), u"egysegara"_s)->text(), u"2200.00"_s);
    dialog->reject();
}

void ForestDialogsTest::cancelWritesNothing_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Mégsem") << false;
    QTest::newRow("Escape") << true;
}

void ForestDialogsTest::cancelWritesNothing()
{
    QFETCH(bool, byEscape);
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    TypeText(QApplication::focusWidget(), u"5"_s);
    if (byEscape)
        Press(Qt::Key_Escape);
    else
        QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_megsem"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 0);
}

// ---------------------------------------------------------------------------------------------
// The article dialog's picture

void ForestDialogsTest::dialogShowsTheServedPicture()
{
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    QSignalSpy fetched(dialog->pictureFetcher(), &TForestPictureFetcher::finished);
    lookUp(dialog.get(), Handle);
    QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(fetched.at(0).at(0).toString(), Handle);
    QVERIFY(fetched.at(0).at(1).toBool());
    QVERIFY(Find(dialog.get(), u"forest_pic_panel"_s)->isVisible());
    QVERIFY(!Find<QLabel>(dialog.get(), u"forest_pic"_s)->pixmap().isNull());
    // Written whole under its own name, nothing else left in tmp.
    QCOMPARE(tmpFiles(), QStringList{Handle + u".jpg"_s});
    QFile served(m_served.filePath(u"szerelveny/pictures/small/"_s + Handle + u".jpg"_s));
    QFile local(tmpFile(Handle));
    QVERIFY(served.open(QIODevice::ReadOnly) && local.open(QIODevice::ReadOnly));
    QCOMPARE(local.readAll(), served.readAll());

    // An unknown number then hides it.
    bool seen = false;
    ExpectMessage(u"Hibás cikkszám!"_s, seen);
    lookUp(dialog.get(), u"1"_s);
    QVERIFY(seen);
    QVERIFY(!Find(dialog.get(), u"forest_pic_panel"_s)->isVisible());
    dialog->reject();
}

void ForestDialogsTest::dialogWithoutPicture_data()
{
    QTest::addColumn<bool>("serverDown");
    QTest::addColumn<int>("status");
    QTest::newRow("404") << false << 404;
    QTest::newRow("server unreachable") << true << 0;
}

void ForestDialogsTest::dialogWithoutPicture()
{
    QFETCH(bool, serverDown);
    QFETCH(int, status);
    if (serverDown)
        m_server->stop();
    UnexpectedModals noModal({u"Tforest_megrendeles_tetel_bevitel"_s});
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    QSignalSpy fetched(dialog->pictureFetcher(), &TForestPictureFetcher::finished);
    lookUp(dialog.get(), serverDown ? Handle : Unpictured);
    QVERIFY(fetched.wait(FetchWaitMs));
    QVERIFY(!fetched.at(0).at(1).toBool());
    QCOMPARE(fetched.at(0).at(2).toInt(), status);
    QVERIFY(Find(dialog.get(), u"forest_pic_panel"_s)->isHidden());
    QVERIFY(tmpFiles().isEmpty());
    // The line is saved all the same, and no dialog came up on the way.
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"2"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->cancelled());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 1);
    QCOMPARE(noModal.seen, QStringList());
}

void ForestDialogsTest::dialogShowsAnEarlierCopyWhenTheServerHasNone()
{
    WritePicture(tmpFile(Unpictured), Qt::darkGreen);
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    QSignalSpy fetched(dialog->pictureFetcher(), &TForestPictureFetcher::finished);
    lookUp(dialog.get(), Unpictured);
    QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(fetched.at(0).at(2).toInt(), 404);
    QVERIFY(Find(dialog.get(), u"forest_pic_panel"_s)->isVisible());
    QVERIFY(QFile::exists(tmpFile(Unpictured)));
    dialog->reject();
}

void ForestDialogsTest::dialogStaysResponsiveWhileTheServerIsStuck()
{
    m_server->suspend();
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    lookUp(dialog.get(), Handle);
    Settle();
    QVERIFY(dialog->pictureFetcher()->busy());
    // The window answers while the picture hangs: the joiner types and saves.
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"4"_s);
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"btn_rogzites"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->pictureFetcher()->busy());
    QCOMPARE(m_data->row(u"select cikkszam,mennyiseg from tvr_b_basic_forest_termekek"_s),
             (QStringList{Handle, u"4"_s}));
    QVERIFY(!QFile::exists(tmpFile(Handle)));
}

// ---------------------------------------------------------------------------------------------
// The FOREST page

void ForestDialogsTest::pageListsTheWorksLines()
{
    addLine(Handle, u"3"_s);
    addLine(Worktop, u"4.1"_s, u"6"_s);
    addLine(Unpictured, u"2"_s);
    m_data->db->execute(u"update tvr_b_basic_forest_termekek set active='0' where cikkszam=?"_s, {Unpictured});
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    auto *grid = Find<QTableView>(&page, u"DBGridForest"_s);
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{u"M."_s, u"M.E."_s, u"Cikkszám"_s, u"Csoport"_s, u"Tipus"_s, u"Méret"_s, u"Szín"_s,
                                  u"Bruttó ár"_s}));
    QCOMPARE(GridColumn(grid, 3), QStringList{Handle});
    QCOMPARE(GridColumn(grid, 1), QStringList{u"3"_s});
}

void ForestDialogsTest::pageNewAndModifyOpenTheDialog()
{
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    auto *grid = Find<QTableView>(&page, u"DBGridForest"_s);

    bool opened = false;
    AnswerModal(u"Tforest_megrendeles_tetel_bevitel"_s, [&](QWidget *d) {
        auto *dialog = qobject_cast<Tforest_megrendeles_tetel_bevitel *>(d);
        QVERIFY(dialog);
        QCOMPARE(dialog->mode(), Tforest_megrendeles_tetel_bevitel::Mode::New);
        QCOMPARE(dialog->workId(), WorkId);
        lookUp(d, Worktop);
        TypeText(Find<QLineEdit>(d, u"mennyiseg"_s), u"4,1"_s);
        QTest::mouseClick(Find<QPushButton>(d, u"btn_rogzites"_s), Qt::LeftButton);
        opened = true;
    });
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_uj_forest"_s), Qt::LeftButton);
    QVERIFY(opened);
    QCOMPARE(GridColumn(grid, 3), QStringList{Worktop});
    QCOMPARE(GridColumn(grid, 8), QStringList{u"61963.30"_s});

    bool modified = false;
    AnswerModal(u"Tforest_megrendeles_tetel_bevitel"_s, [&](QWidget *d) {
        auto *dialog = qobject_cast<Tforest_megrendeles_tetel_bevitel *>(d);
        QVERIFY(dialog);
        QCOMPARE(dialog->mode(), Tforest_megrendeles_tetel_bevitel::Mode::Modify);
        QCOMPARE(dialog->lineId(),
                 m_data->row(u"select basic_forest_termek_id from tvr_b_basic_forest_termekek"_s).value(0));
        Retype(Find<QLineEdit>(d, u"mennyiseg"_s), u"8,2"_s);
        QTest::mouseClick(Find<QPushButton>(d, u"btn_rogzites"_s), Qt::LeftButton);
        modified = true;
    });
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_modosit_forest"_s), Qt::LeftButton);
    QVERIFY(modified);
    QCOMPARE(GridColumn(grid, 1), QStringList{u"8.2"_s});
    QCOMPARE(GridColumn(grid, 8), QStringList{u"123926.60"_s});
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 1);
}

void ForestDialogsTest::pageModifyAndDeleteDoNothingOnAnEmptyList()
{
    addLine(Handle, u"3"_s, u"6"_s); // another work's line
    UnexpectedModals noModal;
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_modosit_forest"_s), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_torles_forest"_s), Qt::LeftButton);
    Settle();
    QCOMPARE(noModal.seen, QStringList());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 1);
}

void ForestDialogsTest::pageDeleteRemovesTheRow_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("IGEN") << true;
    QTest::newRow("NEM") << false;
}

void ForestDialogsTest::pageDeleteRemovesTheRow()
{
    QFETCH(bool, yes);
    addLine(Handle, u"3"_s);
    addLine(Worktop, u"4.1"_s);
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    auto *grid = Find<QTableView>(&page, u"DBGridForest"_s);
    SelectRow(grid, 1);
    bool asked = false;
    AnswerQuestion(u"Törölhető a kijelölt sor?"_s, yes, asked);
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_torles_forest"_s), Qt::LeftButton);
    QVERIFY(asked);
    // A Forest line is deleted outright, not deactivated.
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), yes ? 1 : 2);
    QCOMPARE(GridColumn(grid, 3), yes ? QStringList{Handle} : (QStringList{Handle, Worktop}));
}

void ForestDialogsTest::pagePictureFollowsTheSelectedRow()
{
    addLine(Handle, u"3"_s);
    addLine(Unpictured, u"2"_s);
    addLine(Worktop, u"4.1"_s);
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.resize(900, 420);
    page.show();
    QSignalSpy fetched(page.pictureFetcher(), &TForestPictureFetcher::finished);
    page.refresh();
    QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(fetched.takeFirst().at(0).toString(), Handle);
    auto *panel = Find(&page, u"forest_pic_panel"_s);
    QVERIFY(panel->isVisible());

    auto *grid = Find<QTableView>(&page, u"DBGridForest"_s);
    SelectRow(grid, 1);
    QVERIFY(panel->isHidden()); // hidden at once for the new row
    QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(fetched.takeFirst().at(2).toInt(), 404);
    QVERIFY(panel->isHidden());

    SelectRow(grid, 2);
    QVERIFY(fetched.wait(FetchWaitMs));
    QVERIFY(panel->isVisible());
    QVERIFY(!Find<QLabel>(&page, u"forest_pic"_s)->pixmap().isNull());
    QCOMPARE(tmpFiles(), (QStringList{Handle + u".jpg"_s, Worktop + u".jpg"_s}));

    // Back on the first row, the copy fetched before is shown at once.
    SelectRow(grid, 0);
    QVERIFY(panel->isVisible());
    QVERIFY(fetched.wait(FetchWaitMs));
}

void ForestDialogsTest::pagePictureMissing_data()
{
    dialogWithoutPicture_data();
}

void ForestDialogsTest::pagePictureMissing()
{
    QFETCH(bool, serverDown);
    QFETCH(int, status);
    if (serverDown)
        m_server->stop();
    addLine(serverDown ? Handle : Unpictured, u"2"_s);
    addLine(Worktop, u"4.1"_s);
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    QSignalSpy fetched(page.pictureFetcher(), &TForestPictureFetcher::finished);
    {
        UnexpectedModals noModal;
        page.refresh();
        QVERIFY(fetched.wait(FetchWaitMs));
        QCOMPARE(noModal.seen, QStringList());
    }
    QCOMPARE(fetched.at(0).at(2).toInt(), status);
    QVERIFY(Find(&page, u"forest_pic_panel"_s)->isHidden());
    // The list goes on working: a new line is saved and listed.
    AnswerModal(u"Tforest_megrendeles_tetel_bevitel"_s, [&](QWidget *d) {
        lookUp(d, Handle);
        TypeText(Find<QLineEdit>(d, u"mennyiseg"_s), u"1"_s);
        QTest::mouseClick(Find<QPushButton>(d, u"btn_rogzites"_s), Qt::LeftButton);
    });
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_uj_forest"_s), Qt::LeftButton);
    QCOMPARE(Find<QTableView>(&page, u"DBGridForest"_s)->model()->rowCount(), 3);
}

void ForestDialogsTest::pageStaysResponsiveWhileTheServerIsStuck()
{
    addLine(Handle, u"3"_s);
    addLine(Worktop, u"4.1"_s);
    addLine(Unpictured, u"2"_s);
    m_server->suspend();
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    page.refresh();
    Settle();
    QVERIFY(page.pictureFetcher()->busy());
    auto *grid = Find<QTableView>(&page, u"DBGridForest"_s);
    // Moving along the list and deleting a row work while the picture hangs.
    SelectRow(grid, 1);
    SelectRow(grid, 2);
    bool asked = false;
    AnswerQuestion(u"Törölhető a kijelölt sor?"_s, true, asked);
    QTest::mouseClick(Find<QPushButton>(&page, u"btn_torles_forest"_s), Qt::LeftButton);
    QVERIFY(asked);
    QCOMPARE(GridColumn(grid, 3), (QStringList{Handle, Worktop}));
    QVERIFY(page.pictureFetcher()->busy());
    QVERIFY(Find(&page, u"forest_pic_panel"_s)->isHidden());
}

// ---------------------------------------------------------------------------------------------

void ForestDialogsTest::fetcherKeepsOnlyTheNewestWaitingRequest()
{
    TForestPictureFetcher fetcher(m_data->data.folder());
    fetcher.setHost(m_server->host());
    QSignalSpy fetched(&fetcher, &TForestPictureFetcher::finished);
    m_server->suspend();
    fetcher.request(Handle);     // runs, and hangs
    fetcher.request(Unpictured); // waits
    fetcher.request(Worktop);    // replaces the waiting one
    fetcher.request(u"../x"_s);  // no such article number: ignored
    QVERIFY(fetcher.busy());
    m_server->resume();
    QVERIFY(fetched.wait(FetchWaitMs));
    if (fetched.size() < 2)
        QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(fetched.size(), 2);
    QCOMPARE(fetched.at(0).at(0).toString(), Handle);
    QCOMPARE(fetched.at(1).at(0).toString(), Worktop);
    QVERIFY(!fetcher.busy());
    QCOMPARE(tmpFiles(), (QStringList{Handle + u".jpg"_s, Worktop + u".jpg"_s}));

    // Without a usable host nothing is asked for.
    fetcher.setHost(u"nem jó"_s);
    fetcher.request(Handle);
    QVERIFY(!fetcher.busy());
}

// ---------------------------------------------------------------------------------------------
// The picture host question

void ForestDialogsTest::hostIsAskedForOnceAndStored()
{
    setHost(QString());
    addLine(Handle, u"3"_s);
    addLine(Worktop, u"4.1"_s);
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.show();
    bool asked = false;
    AnswerModal(u"Tkepszerver_bevitel"_s, [&](QWidget *d) {
        asked = true;
        QCOMPARE(d->focusWidget()->objectName(), u"kepszerver"_s);
        TypeText(Find<QLineEdit>(d, u"kepszerver"_s), m_server->host());
        QTest::mouseClick(Find<QPushButton>(d, u"btn_rogzites"_s), Qt::LeftButton);
    });
    QSignalSpy fetched(page.pictureFetcher(), &TForestPictureFetcher::finished);
    page.refresh();
    QVERIFY(fetched.wait(FetchWaitMs));
    QVERIFY(asked);
    QCOMPARE(InstallationSetting(*m_data->db, PictureHostSetting()), m_server->host());
    QVERIFY(Find(&page, u"forest_pic_panel"_s)->isVisible());

    // Stored: the next row and the next start ask nothing.
    UnexpectedModals noModal;
    SelectRow(Find<QTableView>(&page, u"DBGridForest"_s), 1);
    QVERIFY(fetched.wait(FetchWaitMs));
    QCOMPARE(noModal.seen, QStringList());
}

void ForestDialogsTest::hostQuestionClosedIsNotAskedAgain()
{
    setHost(QString());
    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    bool asked = false;
    AnswerModal(u"Tkepszerver_bevitel"_s, [&](QWidget *d) {
        asked = true;
        QTest::mouseClick(Find<QPushButton>(d, u"btn_megsem"_s), Qt::LeftButton);
    });
    lookUp(dialog.get(), Handle);
    QTRY_VERIFY(asked);
    QVERIFY(!dialog->pictureFetcher()->busy());

    UnexpectedModals noModal({u"Tforest_megrendeles_tetel_bevitel"_s});
    lookUp(dialog.get(), Worktop);
    Settle();
    QCOMPARE(noModal.seen, QStringList());
    QVERIFY(!dialog->pictureFetcher()->busy());
    QVERIFY(InstallationSetting(*m_data->db, PictureHostSetting()).isEmpty());
    // The article dialog works on without pictures.
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"4,1"_s);
    QTest::mouseClick(Find<QPushButton>(dialog.get(), u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_data->count(u"tvr_b_basic_forest_termekek"_s), 1);
}

void ForestDialogsTest::hostQuestionRefusesAnUnusableHost()
{
    setHost(QString());
    Tkepszerver_bevitel form(*m_data->db);
    QVERIFY(ShowActive(form));
    auto *field = Find<QLineEdit>(&form, u"kepszerver"_s);
    for (const QString &bad : {u"kepek dorvat.hu"_s, u"kepek.dorvat.hu/szerelveny"_s, QString()}) {
        Retype(field, bad);
        bool seen = false;
        AnswerModal(u"TMessageDialog"_s, [&](QWidget *d) {
            seen = Find<QLabel>(d, u"message_label"_s)->text().startsWith(u"Hibás kiszolgálócím!"_s);
            QTest::mouseClick(Find<QPushButton>(d, u"BitBtn1"_s), Qt::LeftButton);
        });
        QTest::mouseClick(Find<QPushButton>(&form, u"btn_rogzites"_s), Qt::LeftButton);
        QVERIFY2(seen, qPrintable(bad));
        QVERIFY(form.isVisible());
        QVERIFY(InstallationSetting(*m_data->db, PictureHostSetting()).isEmpty());
    }
    Retype(field, u"kepek.dorvat.hu"_s);
    QTest::mouseClick(Find<QPushButton>(&form, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.host(), u"kepek.dorvat.hu"_s);
    QCOMPARE(InstallationSetting(*m_data->db, PictureHostSetting()), u"kepek.dorvat.hu"_s);
}

// ---------------------------------------------------------------------------------------------
// The picture browser

void ForestDialogsTest::browserPagesOfNinePictures()
{
    // A group of ten pictured articles: pages of nine and one.
    for (int i = 0; i < 10; ++i) {
        const QString number = u"0009900%1"_s.arg(i, 4, 10, QChar(u'0'));
        m_data->db->execute(u"insert into tvr_r_forest_arucikkek (cikkszam,megnev,meegys,csoport,tipus,szin,meret,"
                            u"sajat_ar,active) values (?,'Próba','db','Próbák','próba','fehér','10 mm','100.00','1')"_s,
                            {number});
        WritePicture(m_data->data.folder().picturesFolder() + u"/forest/"_s + number + u".jpg"_s, Qt::red, number);
    }
    // One article of the group without a picture, and one not active with a picture.
    m_data->db->execute(u"insert into tvr_r_forest_arucikkek (cikkszam,csoport,sajat_ar,active) values "
                        u"('00099009998','Próbák','1','1'),('00099009999','Próbák','1','0')"_s);
    WritePicture(m_data->data.folder().picturesFolder() + u"/forest/00099009999.jpg"_s, Qt::gray);

    Tforest_listazo browser(*m_data->db, m_data->data.folder());
    bool hint = false;
    ExpectMessage(u"A listára kattintva kiválasztható a termékcsoport."_s, hint);
    // The hint comes up as the window opens, so the window is active only after it.
    browser.show();
    QTRY_VERIFY(hint);
    auto *groups = Find<QTableView>(&browser, u"DBGridArajanlatok"_s);
    QVERIFY(groups->horizontalHeader()->isHidden());
    QCOMPARE(GridColumn(groups, 0),
             (QStringList{u"Fiókrendszerek"_s, u"Fogantyúk"_s, u"Fémrácsok"_s, u"Kiegészítők"_s, u"Lábak, lábazat"_s,
                          u"Munkalap kiegészítők"_s, u"Munkalapok"_s, u"Próbák"_s, u"Pántok"_s}));
    // The first group has no pictures: one empty page.
    QCOMPARE(browser.pageCount(), 1);
    QCOMPARE(Find<QLabel>(&browser, u"lab_max_oldal"_s)->text(), u"/1"_s);
    auto *thumbs = Find<QListWidget>(&browser, u"JvThumbView1"_s);
    QCOMPARE(thumbs->count(), 0);

    SelectRow(groups, 7);
    QCOMPARE(browser.pageCount(), 2);
    QCOMPARE(Find<QLabel>(&browser, u"lab_max_oldal"_s)->text(), u"/2"_s);
    QCOMPARE(thumbs->count(), 9);
    QCOMPARE(thumbs->item(0)->text(), u"00099000000"_s);
    QVERIFY(QFile::exists(m_data->data.folder().tmpFolder() + u"/oldal.1"_s));
    QVERIFY(QFile::exists(m_data->data.folder().tmpFolder() + u"/oldal.2"_s));

    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_lap_tovabb"_s), Qt::LeftButton);
    QCOMPARE(browser.currentPage(), 2);
    QCOMPARE(Find<QLineEdit>(&browser, u"ugras_ide"_s)->text(), u"2"_s);
    QCOMPARE(thumbs->count(), 1);
    QCOMPARE(thumbs->item(0)->text(), u"00099000009"_s);
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_lap_tovabb"_s), Qt::LeftButton);
    QCOMPARE(browser.currentPage(), 2); // no page 3
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_lap_vissza"_s), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_lap_vissza"_s), Qt::LeftButton);
    QCOMPARE(browser.currentPage(), 1);
    QCOMPARE(thumbs->count(), 9);

    auto *jump = Find<QLineEdit>(&browser, u"ugras_ide"_s);
    Retype(jump, u"2"_s);
    QTest::keyClick(jump, Qt::Key_Return);
    QCOMPARE(browser.currentPage(), 2);
    Retype(jump, u"7"_s); // no such page: stays
    QTest::keyClick(jump, Qt::Key_Return);
    QCOMPARE(browser.currentPage(), 2);

    // Nine pictured articles make exactly one page.
    QFile::remove(m_data->data.folder().picturesFolder() + u"/forest/00099000009.jpg"_s);
    SelectRow(groups, 8);
    SelectRow(groups, 7);
    QCOMPARE(browser.pageCount(), 1);
    QCOMPARE(thumbs->count(), 9);
    QVERIFY(!QFile::exists(m_data->data.folder().tmpFolder() + u"/oldal.2"_s));
    browser.reject();
}

void ForestDialogsTest::browserShowsAndChoosesAnArticle()
{
    m_data->db->execute(u"update tvr_dv_egyeb_arak set forest_kedv='10'"_s);
    WritePicture(m_data->data.folder().picturesFolder() + u"/forest/"_s + Handle + u".jpg"_s, Qt::blue);
    Tforest_listazo browser(*m_data->db, m_data->data.folder());
    browser.setPriceMultiplier(1.0);
    bool hint = false;
    ExpectMessage(u"A listára kattintva kiválasztható a termékcsoport."_s, hint);
    // The hint comes up as the window opens, so the window is active only after it.
    browser.show();
    QTRY_VERIFY(hint);
    QVERIFY(Find(&browser, u"btn_rogzites"_s)->isVisible());
    // Nothing shown yet: "Kiválaszt" takes nothing.
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(browser.isVisible());

    SelectRow(Find<QTableView>(&browser, u"DBGridArajanlatok"_s), 1); // Fogantyúk
    auto *thumbs = Find<QListWidget>(&browser, u"JvThumbView1"_s);
    QCOMPARE(thumbs->count(), 1);
    const QRect where = thumbs->visualItemRect(thumbs->item(0));
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, where.center());
    QCOMPARE(Find<QLabel>(&browser, u"lab_cikkszam"_s)->text(), Handle);
    QCOMPARE(Find<QLabel>(&browser, u"lab_meret"_s)->text(), u"128 mm"_s);
    QCOMPARE(Find<QLabel>(&browser, u"lab_szin"_s)->text(), u"inox hatású"_s);
    QCOMPARE(Find<QLabel>(&browser, u"lab_netto_ar"_s)->text(), u"621.00"_s); // 690 less 10 %
    QVERIFY(!Find<QLabel>(&browser, u"ForestPicture"_s)->pixmap().isNull());
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_rogzites"_s), Qt::LeftButton);
    QVERIFY(!browser.isVisible());
    QVERIFY(!browser.cancelled());
    QCOMPARE(browser.chosenArticleNumber(), Handle);
}

void ForestDialogsTest::browserBrowseOnlyHasNoChoice()
{
    Tforest_listazo browser(*m_data->db, m_data->data.folder());
    browser.setBrowseOnly(true);
    bool hint = false;
    ExpectMessage(u"A listára kattintva kiválasztható a termékcsoport."_s, hint);
    // The hint comes up as the window opens, so the window is active only after it.
    browser.show();
    QTRY_VERIFY(hint);
    QVERIFY(Find(&browser, u"btn_rogzites"_s)->isHidden());
    QTest::mouseClick(Find<QPushButton>(&browser, u"btn_megsem"_s), Qt::LeftButton);
    QVERIFY(browser.cancelled());
    QVERIFY(browser.chosenArticleNumber().isEmpty());
}

// ---------------------------------------------------------------------------------------------

void ForestDialogsTest::gallery()
{
    addLine(Handle, u"6"_s);
    addLine(Worktop, u"4.1"_s);
    addLine(Unpictured, u"4"_s);
    m_data->db->execute(u"update tvr_b_basic_forest_termekek set brutto_eladasi_ar=printf('%.2f', "
                        u"cast(mennyiseg as real)*1.27*(select cast(sajat_ar as real) from tvr_r_forest_arucikkek a "
                        u"where a.cikkszam=tvr_b_basic_forest_termekek.cikkszam))"_s);
    TForestPage page(*m_data->db, m_data->data.folder());
    page.setWork(WorkId, 1.0);
    page.resize(1000, 420);
    page.show();
    QSignalSpy pageFetched(page.pictureFetcher(), &TForestPictureFetcher::finished);
    page.refresh();
    QVERIFY(pageFetched.wait(FetchWaitMs));
    QVERIFY(!SaveToGallery(&page, u"supplier_TForestPage"_s).isEmpty());

    const auto dialog = newDialog();
    QVERIFY(ShowActive(*dialog));
    QSignalSpy fetched(dialog->pictureFetcher(), &TForestPictureFetcher::finished);
    lookUp(dialog.get(), Worktop);
    QVERIFY(fetched.wait(FetchWaitMs));
    TypeText(Find<QLineEdit>(dialog.get(), u"mennyiseg"_s), u"4,1"_s);
    Press(Qt::Key_Return);
    QVERIFY(!SaveToGallery(dialog.get(), u"supplier_Tforest_megrendeles_tetel_bevitel"_s).isEmpty());
    dialog->reject();

    Tkepszerver_bevitel host(*m_data->db);
    QVERIFY(ShowActive(host));
    QVERIFY(!SaveToGallery(&host, u"supplier_Tkepszerver_bevitel"_s).isEmpty());
    host.reject();

    const QColor colours[] = {QColor(200, 60, 60), QColor(60, 140, 200), QColor(90, 170, 90), QColor(220, 180, 60),
                              QColor(150, 90, 180)};
    int i = 0;
    for (const QString &number : m_data->db->select(
             u"select cikkszam from tvr_r_forest_arucikkek where csoport='Kiegészítők' and active='1'"_s, {}))
        WritePicture(m_data->data.folder().picturesFolder() + u"/forest/"_s + number + u".jpg"_s, colours[i++ % 5],
                     number);
    Tforest_listazo browser(*m_data->db, m_data->data.folder());
    bool hint = false;
    ExpectMessage(u"A listára kattintva kiválasztható a termékcsoport."_s, hint);
    // The hint comes up as the window opens, so the window is active only after it.
    browser.show();
    QTRY_VERIFY(hint);
    SelectRow(Find<QTableView>(&browser, u"DBGridArajanlatok"_s), 3); // Kiegészítők
    auto *thumbs = Find<QListWidget>(&browser, u"JvThumbView1"_s);
    QVERIFY(thumbs->count() > 0);
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, thumbs->visualItemRect(thumbs->item(1)).center());
    QVERIFY(!SaveToGallery(&browser, u"supplier_Tforest_listazo"_s).isEmpty());
    browser.reject();
}

QTEST_MAIN(ForestDialogsTest)
#include "test_forest_dialogs.moc"

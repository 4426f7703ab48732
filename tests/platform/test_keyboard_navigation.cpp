// The keyboard convention of input forms on a small form: tags from the Tab order, Enter/Down to
// the next input, Up to the previous, disabled inputs skipped or blocking, Escape cancels, and the
// per-input overrides.

#include "platform/KeyboardNavigation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

// name1, name2, (disabled) kod, name3, nyugta (check box), then a box with darab (spin box) and
// szin (editable combo box), and the mentes button that is not an input.
class TestForm : public QDialog
{
public:
    TestForm()
    {
        setObjectName(u"TestForm"_s);
        auto *layout = new QVBoxLayout(this);
        for (const char *name : {"nev1", "nev2", "kod", "nev3"}) {
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QString::fromLatin1(name));
            layout->addWidget(edit);
        }
        field(u"kod"_s)->setEnabled(false);
        nyugta = new QCheckBox(u"Nyugta"_s, this);
        nyugta->setObjectName(u"nyugta"_s);
        layout->addWidget(nyugta);
        box = new QWidget(this);
        box->setObjectName(u"box"_s);
        auto *boxLayout = new QVBoxLayout(box);
        darab = new QSpinBox(box);
        darab->setObjectName(u"darab"_s);
        boxLayout->addWidget(darab);
        szin = new QComboBox(box);
        szin->setObjectName(u"szin"_s);
        szin->setEditable(true);
        szin->addItems({u"fehér"_s, u"tölgy"_s, u"dió"_s});
        boxLayout->addWidget(szin);
        layout->addWidget(box);
        mentes = new QPushButton(u"MENTÉS"_s, this);
        mentes->setObjectName(u"mentes"_s);
        layout->addWidget(mentes);
    }

    QWidget *field(const QString &name) const { return findChild<QWidget *>(name); }

    QCheckBox *nyugta;
    QWidget *box;
    QSpinBox *darab;
    QComboBox *szin;
    QPushButton *mentes;
};

// The input that has the focus (the combo or spin box rather than its inner editor).
QWidget *FocusedInput()
{
    QWidget *focused = QApplication::focusWidget();
    while (focused && !IsNavigableInput(focused))
        focused = focused->parentWidget();
    return focused;
}

QString FocusedName()
{
    QWidget *focused = FocusedInput();
    return focused                       ? focused->objectName()
           : QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                         : QString();
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

} // namespace

class KeyboardNavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_form.reset(); }

    void tagsFollowTheTabOrder();
    void tagsFollowAChangedTabOrder();
    void keysMoveBetweenInputs_data();
    void keysMoveBetweenInputs();
    void focusStaysWhenTheTargetCannotTakeIt_data();
    void focusStaysWhenTheTargetCannotTakeIt();
    void functionsMoveTheFocusDirectly();
    void escapeCancelsTheForm();
    void enterOnAButtonPressesIt();
    void overriddenEnterRunsTheFormsHandler();
    void emptyOverrideLeavesTheKeyToTheInput();
    void tagsAreRenewedWhenTheFormIsShown();

private:
    bool showForm();
    std::unique_ptr<TestForm> m_form;
    InputFormKeys *m_keys = nullptr;
};

void KeyboardNavigationTest::init()
{
    m_form = std::make_unique<TestForm>();
    m_keys = InstallInputFormKeys(m_form.get());
}

bool KeyboardNavigationTest::showForm()
{
    m_form->show();
    m_form->activateWindow();
    return QTest::qWaitForWindowActive(m_form.get());
}

void KeyboardNavigationTest::tagsFollowTheTabOrder()
{
    QVERIFY(m_keys);
    QCOMPARE(m_keys->parent(), m_form.get());
    QCOMPARE(InstallInputFormKeys(m_form.get()), m_keys); // once per form
    const std::pair<const char *, int> expected[] = {{"nev1", 0},   {"nev2", 1},  {"kod", -1}, {"nev3", 2},
                                                     {"nyugta", 3}, {"darab", 4}, {"szin", 5}};
    for (const auto &[name, tag] : expected)
        QCOMPARE(InputTag(m_form->field(QString::fromLatin1(name))), tag);
    // Neither the button nor the editors inside the spin and combo boxes are inputs of their own.
    QVERIFY(!m_form->mentes->property(TagProperty).isValid());
    QVERIFY(!m_form->szin->lineEdit()->property(TagProperty).isValid());
    QVERIFY(!IsNavigableInput(m_form->szin->lineEdit()));
    QVERIFY(!IsNavigableInput(m_form->mentes));
}

void KeyboardNavigationTest::tagsFollowAChangedTabOrder()
{
    // nev3 before nev1: the Tab order, not the order of creation, decides.
    QWidget::setTabOrder(m_form->field(u"nev3"_s), m_form->field(u"nev1"_s));
    QWidget::setTabOrder(m_form->field(u"nev1"_s), m_form->field(u"nev2"_s));
    TagsFromTabOrder(m_form.get());
    QCOMPARE(InputTag(m_form->field(u"nev3"_s)), 0);
    QCOMPARE(InputTag(m_form->field(u"nev1"_s)), 1);
    QCOMPARE(InputTag(m_form->field(u"nev2"_s)), 2);
    QCOMPARE(InputTag(m_form->nyugta), 3);
}

void KeyboardNavigationTest::keysMoveBetweenInputs_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Enter to the next") << u"nev1"_s << int(Qt::Key_Return) << u"nev2"_s;
    QTest::newRow("keypad Enter to the next") << u"nev1"_s << int(Qt::Key_Enter) << u"nev2"_s;
    QTest::newRow("Down to the next") << u"nev1"_s << int(Qt::Key_Down) << u"nev2"_s;
    QTest::newRow("Enter skips the disabled input") << u"nev2"_s << int(Qt::Key_Return) << u"nev3"_s;
    QTest::newRow("Up skips the disabled input") << u"nev3"_s << int(Qt::Key_Up) << u"nev2"_s;
    QTest::newRow("Up to the previous") << u"nev2"_s << int(Qt::Key_Up) << u"nev1"_s;
    QTest::newRow("edit to check box") << u"nev3"_s << int(Qt::Key_Return) << u"nyugta"_s;
    QTest::newRow("check box to spin box") << u"nyugta"_s << int(Qt::Key_Down) << u"darab"_s;
    QTest::newRow("spin box Down is next") << u"darab"_s << int(Qt::Key_Down) << u"szin"_s;
    QTest::newRow("spin box Up is previous") << u"darab"_s << int(Qt::Key_Up) << u"nyugta"_s;
    QTest::newRow("combo box Up is previous") << u"szin"_s << int(Qt::Key_Up) << u"darab"_s;
    QTest::newRow("first stays on Up") << u"nev1"_s << int(Qt::Key_Up) << u"nev1"_s;
    QTest::newRow("last stays on Enter") << u"szin"_s << int(Qt::Key_Return) << u"szin"_s;
}

void KeyboardNavigationTest::keysMoveBetweenInputs()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QVERIFY(showForm());
    QSignalSpy pressed(m_form->mentes, &QPushButton::clicked);
    const int darab = m_form->darab->value();
    const int szin = m_form->szin->currentIndex();
    m_form->field(start)->setFocus();
    QCOMPARE(FocusedName(), start);

    Press(key);

    QCOMPARE(FocusedName(), expected);
    // The key only moved the focus: no value changed and no button was pressed.
    QCOMPARE(m_form->darab->value(), darab);
    QCOMPARE(m_form->szin->currentIndex(), szin);
    QCOMPARE(pressed.count(), 0);
    QVERIFY(m_form->isVisible());
}

void KeyboardNavigationTest::focusStaysWhenTheTargetCannotTakeIt_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("how");
    QTest::newRow("next disabled") << u"nev1"_s << u"nev2"_s << u"disable"_s;
    QTest::newRow("next's parent disabled") << u"nyugta"_s << u"box"_s << u"disable"_s;
    QTest::newRow("next hidden") << u"nev3"_s << u"nyugta"_s << u"hide"_s;
    QTest::newRow("next takes no focus") << u"nev2"_s << u"nev3"_s << u"nofocus"_s;
}

void KeyboardNavigationTest::focusStaysWhenTheTargetCannotTakeIt()
{
    QFETCH(QString, start);
    QFETCH(QString, blocked);
    QFETCH(QString, how);
    QVERIFY(showForm());
    // The tags were given while every input could take the focus; the target changes after.
    QWidget *target = m_form->field(blocked);
    if (how == u"disable"_s)
        target->setEnabled(false);
    else if (how == u"hide"_s)
        target->hide();
    else
        target->setFocusPolicy(Qt::NoFocus);
    m_form->field(start)->setFocus();

    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), start);
    Press(Qt::Key_Down);
    QCOMPARE(FocusedName(), start);
}

void KeyboardNavigationTest::functionsMoveTheFocusDirectly()
{
    QVERIFY(showForm());
    m_form->field(u"nev1"_s)->setFocus();
    QVERIFY(FocusNextByTag(m_form.get()));
    QCOMPARE(FocusedName(), u"nev2"_s);
    QVERIFY(FocusNextByTag(m_form.get()));
    QCOMPARE(FocusedName(), u"nev3"_s);
    QVERIFY(FocusPreviousByTag(m_form.get()));
    QCOMPARE(FocusedName(), u"nev2"_s);
    m_form->mentes->setFocus(); // not an input: nothing to move from
    QVERIFY(!FocusNextByTag(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), m_form->mentes);
}

void KeyboardNavigationTest::escapeCancelsTheForm()
{
    QVERIFY(showForm());
    QSignalSpy rejected(m_form.get(), &QDialog::rejected);
    m_form->field(u"nev2"_s)->setFocus();
    static_cast<QLineEdit *>(m_form->field(u"nev2"_s))->setText(u"félig kész"_s);

    Press(Qt::Key_Escape);

    QCOMPARE(rejected.count(), 1);
    QCOMPARE(m_form->result(), int(QDialog::Rejected));
    QVERIFY(!m_form->isVisible());
}

void KeyboardNavigationTest::enterOnAButtonPressesIt()
{
    QVERIFY(showForm());
    QSignalSpy pressed(m_form->mentes, &QPushButton::clicked);
    m_form->mentes->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
}

void KeyboardNavigationTest::overriddenEnterRunsTheFormsHandler()
{
    // The last field's Enter goes to the save button instead.
    int calls = 0;
    m_keys->overrideEnter(m_form->szin, [&] {
        ++calls;
        m_form->mentes->setFocus();
    });
    QVERIFY(showForm());
    m_form->szin->setFocus(); // the focus is in the combo box's editor
    QVERIFY(QApplication::focusWidget() == m_form->szin->lineEdit() || QApplication::focusWidget() == m_form->szin);

    Press(Qt::Key_Enter);
    QCOMPARE(calls, 1);
    QCOMPARE(QApplication::focusWidget(), m_form->mentes);

    // Other inputs keep the convention; the override's input keeps it for other keys.
    m_form->field(u"nev1"_s)->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"nev2"_s);
    m_form->szin->setFocus();
    Press(Qt::Key_Up);
    QCOMPARE(FocusedName(), u"darab"_s);
    QCOMPARE(calls, 1);
}

void KeyboardNavigationTest::emptyOverrideLeavesTheKeyToTheInput()
{
    m_keys->overrideKey(m_form->szin, Qt::Key_Down, {});
    m_keys->overrideKey(m_form->szin, Qt::Key_Up, {});
    QVERIFY(showForm());
    m_form->szin->setCurrentIndex(0);
    m_form->szin->setFocus();

    Press(Qt::Key_Down);
    QCOMPARE(FocusedName(), u"szin"_s);
    QCOMPARE(m_form->szin->currentIndex(), 1);
    Press(Qt::Key_Up);
    QCOMPARE(FocusedName(), u"szin"_s);
    QCOMPARE(m_form->szin->currentIndex(), 0);
}

void KeyboardNavigationTest::tagsAreRenewedWhenTheFormIsShown()
{
    // kod becomes usable after the tags were given; showing the form renews them.
    m_form->field(u"kod"_s)->setEnabled(true);
    QCOMPARE(InputTag(m_form->field(u"kod"_s)), -1);
    QVERIFY(showForm());
    QCOMPARE(InputTag(m_form->field(u"kod"_s)), 2);
    QCOMPARE(InputTag(m_form->field(u"nev3"_s)), 3);
    m_form->field(u"nev2"_s)->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(FocusedName(), u"kod"_s);
}

QTEST_MAIN(KeyboardNavigationTest)
#include "test_keyboard_navigation.moc"

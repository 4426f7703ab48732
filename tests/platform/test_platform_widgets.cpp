// The drawn pictures (tick, cross, icons, busy animation) and the password mask.

#include "platform/PasswordMask.h"
#include "platform/Pictures.h"
#include "support/ModalHelper.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

struct ColourCount {
    int green = 0;
    int red = 0;
    int blue = 0;
    int opaque = 0;
};

// Counts the clearly coloured pixels of a picture.
ColourCount CountColours(const QImage &image)
{
    ColourCount count;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QColor c = QColor::fromRgba(argb.pixel(x, y));
            if (c.alpha() < 200)
                continue;
            ++count.opaque;
            if (c.green() > 120 && c.red() < 80 && c.blue() < 100)
                ++count.green;
            if (c.red() > 160 && c.green() < 80 && c.blue() < 80)
                ++count.red;
            if (c.blue() > 150 && c.red() < 80)
                ++count.blue;
        }
    }
    return count;
}

using PictureFunction = std::function<QPixmap(int)>;

} // namespace

Q_DECLARE_METATYPE(PictureFunction)

class PlatformWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void picturesHaveTheirColour_data();
    void picturesHaveTheirColour();
    void busyIndicatorAnimatesInItsLabel();
    void busyIndicatorIsDrivenByItsTimer();
    void passwordMaskShowsTheChosenCharacter_data();
    void passwordMaskShowsTheChosenCharacter();
};

void PlatformWidgetsTest::picturesHaveTheirColour_data()
{
    QTest::addColumn<PictureFunction>("picture");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("colour");
    for (int size : {16, 24, 48}) {
        QTest::addRow("tick %d", size) << PictureFunction(TickPixmap) << size << u"green"_s;
        QTest::addRow("cross %d", size) << PictureFunction(CrossPixmap) << size << u"red"_s;
        QTest::addRow("information %d", size) << PictureFunction(InformationPixmap) << size << u"blue"_s;
        QTest::addRow("question %d", size) << PictureFunction(QuestionPixmap) << size << u"blue"_s;
    }
}

void PlatformWidgetsTest::picturesHaveTheirColour()
{
    QFETCH(PictureFunction, picture);
    QFETCH(int, size);
    QFETCH(QString, colour);
    const QImage image = picture(size).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // transparent around the sign
    const ColourCount count = CountColours(image);
    const int wanted = colour == u"green"_s ? count.green : colour == u"red"_s ? count.red : count.blue;
    // A visible mark: a fair share of the square, and (almost) nothing of the other colours.
    QVERIFY2(wanted >= size * size / 12, qPrintable(QString::number(wanted)));
    if (colour != u"green"_s)
        QCOMPARE(count.green, 0);
    if (colour != u"red"_s)
        QCOMPARE(count.red, 0);
    // The tick and the cross differ from each other where it matters.
    QVERIFY(TickPixmap(size).toImage() != CrossPixmap(size).toImage());
}

void PlatformWidgetsTest::busyIndicatorAnimatesInItsLabel()
{
    QLabel label;
    auto *indicator = new BusyIndicator(&label, 32);
    QCOMPARE(indicator->parent(), &label);
    QVERIFY(!indicator->isRunning());

    indicator->start();
    QVERIFY(indicator->isRunning());
    QCOMPARE(indicator->frame(), 0);
    const QImage first = label.pixmap().toImage();
    QCOMPARE(first.size(), QSize(32, 32));
    QCOMPARE(first, BusyFramePixmap(32, 0, BusyIndicator::FrameCount).toImage());

    QList<QImage> frames{first};
    for (int i = 1; i < BusyIndicator::FrameCount; ++i) {
        indicator->advance();
        QCOMPARE(indicator->frame(), i);
        const QImage next = label.pixmap().toImage();
        QVERIFY2(!frames.contains(next), "every frame of a turn is different");
        frames << next;
    }
    indicator->advance(); // a full turn
    QCOMPARE(indicator->frame(), 0);
    QCOMPARE(label.pixmap().toImage(), first);

    indicator->advance();
    indicator->stop();
    QVERIFY(!indicator->isRunning());
    QCOMPARE(label.pixmap().toImage(), frames.at(1)); // the last frame stays
    indicator->start();                               // a new start begins at the first frame
    QCOMPARE(indicator->frame(), 0);
    indicator->stop();
}

void PlatformWidgetsTest::busyIndicatorIsDrivenByItsTimer()
{
    QLabel label;
    BusyIndicator indicator(&label);
    indicator.start();
    indicator.start(); // starting again changes nothing
    QTRY_VERIFY(indicator.frame() >= 2);
    indicator.stop();
    const int stoppedAt = indicator.frame();
    QTest::qWait(3 * BusyIndicator::FrameIntervalMs);
    QCOMPARE(indicator.frame(), stoppedAt);
}

void PlatformWidgetsTest::passwordMaskShowsTheChosenCharacter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QChar>("mask");
    QTest::newRow("X") << u"titok123"_s << QChar(u'X');
    QTest::newRow("accents") << u"őrző Ű"_s << QChar(u'X');
    QTest::newRow("star") << u"abc"_s << QChar(u'*');
}

void PlatformWidgetsTest::passwordMaskShowsTheChosenCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QChar, mask);
    QLineEdit edit;
    SetPasswordMaskCharacter(&edit, u'#'); // a later call replaces an earlier one
    SetPasswordMaskCharacter(&edit, mask);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    test::TypeText(&edit, typed);

    QCOMPARE(edit.echoMode(), QLineEdit::Password);
    QCOMPARE(edit.text(), typed);
    QCOMPARE(edit.displayText(), QString(typed.size(), mask));
}

QTEST_MAIN(PlatformWidgetsTest)
#include "test_platform_widgets.moc"

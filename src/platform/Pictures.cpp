#include "platform/Pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>

namespace tvr
{

namespace
{

QPixmap TransparentSquare(int size)
{
    QPixmap pixmap(std::max(size, 1), std::max(size, 1));
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPen ThickPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QPixmap TickPixmap(int size)
{
    QPixmap pixmap = TransparentSquare(size);
    const qreal s = pixmap.width();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(QColor(0x1e, 0x9e, 0x32), std::max(2.0, s * 0.16)));
    QPainterPath tick;
    tick.moveTo(s * 0.16, s * 0.54);
    tick.lineTo(s * 0.40, s * 0.78);
    tick.lineTo(s * 0.86, s * 0.24);
    painter.drawPath(tick);
    return pixmap;
}

QPixmap CrossPixmap(int size)
{
    QPixmap pixmap = TransparentSquare(size);
    const qreal s = pixmap.width();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(QColor(0xd0, 0x1c, 0x1c), std::max(2.0, s * 0.16)));
    painter.drawLine(QPointF(s * 0.2, s * 0.2), QPointF(s * 0.8, s * 0.8));
    painter.drawLine(QPointF(s * 0.8, s * 0.2), QPointF(s * 0.2, s * 0.8));
    return pixmap;
}

namespace
{

// A blue disc with a white sign painted by paintSign(painter, side length).
template <typename PaintSign> QPixmap SignOnDisc(int size, PaintSign paintSign)
{
    QPixmap pixmap = TransparentSquare(size);
    const qreal s = pixmap.width();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2a, 0x6e, 0xbb));
    painter.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
    paintSign(painter, s);
    return pixmap;
}

} // namespace

QPixmap InformationPixmap(int size)
{
    return SignOnDisc(size, [](QPainter &painter, qreal s) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(s * 0.43, s * 0.19, s * 0.14, s * 0.14));
        painter.drawRoundedRect(QRectF(s * 0.435, s * 0.40, s * 0.13, s * 0.40), s * 0.04, s * 0.04);
    });
}

QPixmap QuestionPixmap(int size)
{
    return SignOnDisc(size, [](QPainter &painter, qreal s) {
        // The hook as a stroked path, then the dot: no font needed.
        painter.setPen(ThickPen(Qt::white, std::max(1.5, s * 0.11)));
        painter.setBrush(Qt::NoBrush);
        QPainterPath hook;
        hook.moveTo(s * 0.35, s * 0.38);
        hook.cubicTo(s * 0.35, s * 0.18, s * 0.66, s * 0.16, s * 0.66, s * 0.36);
        hook.cubicTo(s * 0.66, s * 0.48, s * 0.50, s * 0.50, s * 0.50, s * 0.62);
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(s * 0.50, s * 0.77), s * 0.07, s * 0.07);
    });
}

QPixmap BusyFramePixmap(int size, int frame, int frameCount)
{
    QPixmap pixmap = TransparentSquare(size);
    const qreal s = pixmap.width();
    const qreal width = std::max(2.0, s * 0.12);
    const QRectF ring(width, width, s - 2 * width, s - 2 * width);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ThickPen(QColor(0xd8, 0xd8, 0xd8), width));
    painter.drawEllipse(ring);
    painter.setPen(ThickPen(QColor(0x2a, 0x6e, 0xbb), width));
    // Angles are in sixteenths of a degree, counter-clockwise; the arc turns clockwise.
    const int count = std::max(frameCount, 1);
    const int start = 90 * 16 - (((frame % count) + count) % count) * (360 * 16 / count);
    painter.drawArc(ring, start, -100 * 16);
    return pixmap;
}

BusyIndicator::BusyIndicator(QLabel *label, int size)
    : QObject(label), m_label(label), m_timer(new QTimer(this)), m_size(size)
{
    setObjectName(QStringLiteral("BusyIndicator"));
    m_timer->setInterval(FrameIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &BusyIndicator::advance);
}

bool BusyIndicator::isRunning() const
{
    return m_timer->isActive();
}

void BusyIndicator::start()
{
    if (isRunning())
        return;
    m_frame = 0;
    paintFrame();
    m_timer->start();
}

void BusyIndicator::stop()
{
    m_timer->stop();
}

void BusyIndicator::advance()
{
    m_frame = (m_frame + 1) % FrameCount;
    paintFrame();
}

void BusyIndicator::paintFrame()
{
    m_label->setPixmap(BusyFramePixmap(m_size, m_frame, FrameCount));
}

} // namespace tvr

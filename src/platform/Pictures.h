#pragma once
// Pictures the program draws itself, so that it ships no image files for them: the up-to-date tick,
// the outdated cross and the busy animation of the update checks.

#include <QObject>
#include <QPixmap>

class QLabel;
class QTimer;

namespace tvr
{

// A green tick on a transparent square of size x size pixels.
QPixmap TickPixmap(int size);
// A red cross on a transparent square of size x size pixels.
QPixmap CrossPixmap(int size);
// A blue disc with a white "i" (the icon of messages) on a transparent square.
QPixmap InformationPixmap(int size);
// A blue disc with a white "?" (the icon of questions) on a transparent square.
QPixmap QuestionPixmap(int size);
// One frame of the busy animation: a rotating arc over a faint ring, frame 0 .. frameCount-1.
QPixmap BusyFramePixmap(int size, int frame, int frameCount);

// Plays the busy animation in a label: while running, a timer paints the next frame into the
// label's pixmap. Starting and stopping do not show or hide the label; its owner decides that.
// The indicator is a child of the label and dies with it.
class BusyIndicator : public QObject
{
    Q_OBJECT
public:
    static constexpr int FrameCount = 12;
    static constexpr int FrameIntervalMs = 80;

    explicit BusyIndicator(QLabel *label, int size = 24);

    QLabel *label() const { return m_label; }
    int size() const { return m_size; }
    bool isRunning() const;
    // The frame painted last, 0 .. FrameCount-1.
    int frame() const { return m_frame; }

    // Paints the first frame and starts the timer; starting a running indicator changes nothing.
    void start();
    // Stops the timer and leaves the last frame in the label.
    void stop();
    // Paints the next frame (the timer's tick).
    void advance();

private:
    void paintFrame();

    QLabel *m_label;
    QTimer *m_timer;
    int m_size;
    int m_frame = 0;
};

} // namespace tvr

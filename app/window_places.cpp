#include "app/window_places.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// A window that was never shown may report a frame that is off by a pixel
// or so; a frame is never inside the client rectangle.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), client = window->geometry();
    return {std::max(0, client.left() - frame.left()), std::max(0, client.top() - frame.top()),
            std::max(0, frame.right() - client.right()), std::max(0, frame.bottom() - client.bottom())};
}

// A window manager frames a window only once it is mapped, so the frame a
// place was bounded with may have been none. At the window's first exposure
// the frame is known; a frame that sticks out of the screen then takes the
// window back inside once.
class FrameKeeper : public QObject {
public:
    FrameKeeper(QWidget* window, QSize minimum) : QObject(window), m_window(window), m_minimum(minimum)
    {
        if (window->isVisible() && window->windowHandle())
            window->windowHandle()->installEventFilter(this);  // being shown now
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle()) {
            m_window->removeEventFilter(this);
            m_window->windowHandle()->installEventFilter(this);
        } else if (watched == m_window->windowHandle() && event->type() == QEvent::Expose
                   && m_window->windowHandle()->isExposed()) {
            m_window->windowHandle()->removeEventFilter(this);
            const QRect client = m_window->geometry();
            const QRect kept = OnScreen(client, m_minimum, frameMargins(m_window));
            if (kept != client)
                m_window->setGeometry(kept);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
    QSize m_minimum;
};

}  // namespace

QRect OnScreen(QRect rect, QSize minimum, QMargins frame)
{
    const QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return rect;
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    rect.setSize(rect.size().expandedTo(minimum).boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.left() + area.width() - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.top() + area.height() - rect.height()));
    return rect;
}

void RestorePlace(QWidget* window, const WindowPlace& place, QSize size, QSize minimum)
{
    window->setGeometry(OnScreen(QRect(QPoint(place.left, place.top), size), minimum, frameMargins(window)));
    new FrameKeeper(window, minimum);
}

void RestoreCorner(QWidget* window, const WindowPlace& place)
{
    window->ensurePolished();
    if (window->layout())
        window->layout()->activate();
    const QSize size = window->size().expandedTo(window->sizeHint());
    RestorePlace(window, place, size, size);
}

WindowPlace ClientPlace(const QWidget* window)
{
    const QRect client = window->geometry();
    return WindowPlace{client.left(), client.top(), client.width(), client.height()};
}

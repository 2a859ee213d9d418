#include "app/window_places.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

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

// Window places as the settings file keeps them: the client rectangle, which
// setGeometry puts back exactly whether or not a window manager adds a frame
// (a frame position given back as a client position creeps at each start).
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

#include "storage/settings.h"

class QWidget;

// The rectangle moved (and if need be shrunk) wholly onto the screen that
// holds its centre, the primary one when it is off every screen; it is never
// smaller than minimum unless the screen is. frame is the window frame's
// extent around the client rectangle, so that the title bar stays reachable.
QRect OnScreen(QRect rect, QSize minimum, QMargins frame);

// Places window at place's corner with the given size, kept on a screen.
void RestorePlace(QWidget* window, const WindowPlace& place, QSize size, QSize minimum);

// Places a window of fixed design at place's corner, kept on a screen. The
// window is polished first: its size is final only once the style is set.
void RestoreCorner(QWidget* window, const WindowPlace& place);

WindowPlace ClientPlace(const QWidget* window);

// The gate dispatches pending events itself (QCoreApplication::processEvents,
// no timers, no socket notifiers) with itself installed as the application's
// event filter, so no handler of ours runs inside the paint: the events it
// holds are copies (QEvent::clone) posted back to their receivers later; a
// key's shortcut is looked up when the copy is delivered (a posted key press
// goes through the shortcut map again), so the ShortcutOverride seen now is
// accepted to keep any shortcut from firing inside the paint.
#include "app/paint_input_gate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimerEvent>

#include <algorithm>
#include <array>

namespace {

enum class Effect { Hold, Abandon };

struct EventRule {
    QEvent::Type type;
    Effect effect;
};

// Every event not listed passes (layout, painting of other widgets, focus,
// drag and drop, queued calls). Keys, mouse presses and window resizes are
// looked at further in effectOf.
constexpr std::array kRules = {
    EventRule{QEvent::Wheel, Effect::Abandon},
    EventRule{QEvent::ContextMenu, Effect::Abandon},
    EventRule{QEvent::Close, Effect::Abandon},
    EventRule{QEvent::KeyPress, Effect::Abandon},
    EventRule{QEvent::MouseButtonPress, Effect::Abandon},
    EventRule{QEvent::Resize, Effect::Abandon},
    EventRule{QEvent::KeyRelease, Effect::Hold},
    EventRule{QEvent::MouseButtonRelease, Effect::Hold},
    EventRule{QEvent::MouseButtonDblClick, Effect::Hold},
    EventRule{QEvent::MouseMove, Effect::Hold},
    EventRule{QEvent::Enter, Effect::Hold},
    EventRule{QEvent::Leave, Effect::Hold},
    EventRule{QEvent::HoverEnter, Effect::Hold},
    EventRule{QEvent::HoverLeave, Effect::Hold},
    EventRule{QEvent::HoverMove, Effect::Hold},
    EventRule{QEvent::InputMethod, Effect::Hold},
    EventRule{QEvent::TouchBegin, Effect::Hold},
    EventRule{QEvent::TouchUpdate, Effect::Hold},
    EventRule{QEvent::TouchEnd, Effect::Hold},
    EventRule{QEvent::TouchCancel, Effect::Hold},
    EventRule{QEvent::TabletPress, Effect::Hold},
    EventRule{QEvent::TabletMove, Effect::Hold},
    EventRule{QEvent::TabletRelease, Effect::Hold},
    // The canvas image is being written: nothing presents it meanwhile.
    EventRule{QEvent::Expose, Effect::Hold},
    EventRule{QEvent::UpdateRequest, Effect::Hold},
    EventRule{QEvent::Timer, Effect::Hold},
};

const EventRule* ruleOf(QEvent::Type type)
{
    const auto it = std::find_if(kRules.begin(), kRules.end(), [type](const EventRule& r) { return r.type == type; });
    return it == kRules.end() ? nullptr : &*it;
}

bool isModifierKey(int key)
{
    constexpr std::array kModifiers = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,      Qt::Key_Meta,
                                       Qt::Key_AltGr, Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_Super_L,
                                       Qt::Key_Super_R};
    return std::find(kModifiers.begin(), kModifiers.end(), key) != kModifiers.end();
}

// A key alone held down, a left or middle press (its gesture goes on after
// the paint) and a widget's own resize inside the layout do not make the
// view stale.
Effect effectOf(const EventRule& rule, QObject* receiver, const QEvent& event)
{
    if (rule.effect == Effect::Hold)
        return Effect::Hold;
    switch (event.type()) {
    case QEvent::KeyPress:
        return isModifierKey(static_cast<const QKeyEvent&>(event).key()) ? Effect::Hold : Effect::Abandon;
    case QEvent::MouseButtonPress:
        return static_cast<const QMouseEvent&>(event).button() == Qt::RightButton ? Effect::Abandon : Effect::Hold;
    case QEvent::Resize:
        return receiver->isWindowType() ? Effect::Abandon : Effect::Hold;
    default:
        return Effect::Abandon;
    }
}

}  // namespace

PaintInputGate::PaintInputGate(int lookAfterMs) : m_lookAfterMs(lookAfterMs)
{
    m_clock.start();
}

PaintInputGate::~PaintInputGate()
{
    for (Held& held : m_held) {
        if (held.receiver)
            QCoreApplication::postEvent(held.receiver, held.event.release());
    }
}

bool PaintInputGate::look()
{
    if (m_abandoned || m_clock.elapsed() < m_lookAfterMs || !QCoreApplication::instance())
        return m_abandoned;
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers);
    QCoreApplication::instance()->removeEventFilter(this);
    return m_abandoned;
}

bool PaintInputGate::eventFilter(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const EventRule* rule = ruleOf(event->type());
    if (!rule)
        return false;
    if (effectOf(*rule, receiver, *event) == Effect::Abandon)
        m_abandoned = true;
    if (holdsAlready(receiver, *event))
        return true;
    // Moves in a row stand for the last of them, as the window system's
    // motion compression would have it.
    if (event->type() == QEvent::MouseMove && !m_held.empty() && m_held.back().receiver == receiver &&
        m_held.back().event->type() == QEvent::MouseMove) {
        m_held.back().event.reset(event->clone());
        return true;
    }
    m_held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

bool PaintInputGate::holdsAlready(QObject* receiver, const QEvent& event) const
{
    // A timer that fires again while held runs once after, as a late timer does.
    if (event.type() != QEvent::Timer)
        return false;
    const int id = static_cast<const QTimerEvent&>(event).timerId();
    return std::any_of(m_held.begin(), m_held.end(), [&](const Held& h) {
        return h.receiver == receiver && h.event->type() == QEvent::Timer &&
               static_cast<const QTimerEvent&>(*h.event).timerId() == id;
    });
}

// While a long canvas paint runs on the window's thread, the input that
// arrives meanwhile is looked at between steps of the paint: every event that
// could touch the drawing, the view or the canvas image is held back and
// posted again, in the order it came, once the gate is gone (the paint has
// returned), and a wheel turn, a key, a right-click, a close or a window
// resize marks the paint abandoned, since it paints a view about to go stale.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <vector>

class QEvent;

class PaintInputGate : public QObject {
public:
    // Looks at input only once the paint has run this long, so a paint that
    // ends within a moment handles no event before it returns.
    explicit PaintInputGate(int lookAfterMs);
    // Posts the held events.
    ~PaintInputGate() override;

    // Takes in the input that has arrived; true once the paint is abandoned.
    bool look();
    // Set by look(); the bands of the paint read it from their threads.
    const std::atomic_bool& abandoned() const { return m_abandoned; }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    bool holdsAlready(QObject* receiver, const QEvent& event) const;

    QElapsedTimer m_clock;
    int m_lookAfterMs;
    std::atomic_bool m_abandoned = false;
    std::vector<Held> m_held;
};

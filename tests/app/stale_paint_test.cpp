// A long canvas paint and the input that arrives during it: a wheel turn or a
// key abandons the paint (its view is stale), every event is handled once,
// after the paint and never inside it, and the canvas ends as a fresh full
// paint of the view the input leaves. The paints are made long by a step hook
// that sleeps; the input is posted from the hook, so the paint's own look at
// pending events finds it.
#include "app_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "app/paint_input_gate.h"
#include "model/selection.h"
#include "samples/sample_drawing.h"

namespace {

using EventMaker = std::function<QEvent*()>;

// Where an event goes, as the window system would deliver it.
enum class Target { Canvas, Form };

QObject* receiverOf(TForm1& form, Target target)
{
    return target == Target::Canvas ? static_cast<QObject*>(Canvas(form)) : &form;
}

EventMaker wheelAt(QPoint pos, int angleDeltaY)
{
    return [=] {
        return new QWheelEvent(QPointF(pos), QPointF(pos), QPoint(), QPoint(0, angleDeltaY), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
    };
}

EventMaker key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [=] { return new QKeyEvent(QEvent::KeyPress, code, modifiers); };
}

EventMaker moveTo(QPoint pos)
{
    return [=] {
        return new QMouseEvent(QEvent::MouseMove, QPointF(pos), QPointF(pos), Qt::NoButton, Qt::NoButton,
                               Qt::NoModifier);
    };
}

std::unique_ptr<TForm1> makeDrawingForm(int elements = 1500)
{
    auto form = MakeShownForm();
    fillSampleDrawing(form->drawing(), SampleOptions{elements, 400, 300, 3, SampleLook::Plain});
    form->interaction().view.imageWidth = 400;
    form->interaction().view.imageHeight = 300;
    form->Repaint();
    return form;
}

void activate(TForm1& form)
{
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Runs the posted events until the window rests (the re-posted input, the
// paints it starts, the repaint queued behind it).
void settle(TForm1& form)
{
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    EXPECT_FALSE(form.isPainting());
}

// Makes every paint of the form long and posts `make()` to the target at
// `atPercent` of each of its first `paints` paints. Also checks that no
// handler changes the view inside a paint.
struct SlowPaints {
    SlowPaints(TForm1& form, Target target, EventMaker make, int atPercent = 20, int paints = 1)
        : form(form), target(target), make(std::move(make)), atPercent(atPercent), paints(paints)
    {
    }
    TForm1& form;
    Target target;
    EventMaker make;
    int atPercent;
    int paints;
    int started = 0;
    ViewTransform viewAtStart;

    void install()
    {
        form.setPaintStepHook([this](int percent) {
            if (percent == 0) {
                ++started;
                viewAtStart = form.interaction().view.view;
            }
            EXPECT_EQ(form.interaction().view.view, viewAtStart) << "the view changed inside a paint";
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (make && percent == atPercent && started <= paints)
                QCoreApplication::postEvent(receiverOf(form, target), make());
        });
    }
};

struct InputRow {
    const char* name;
    Target target;
    EventMaker make;
    bool abandons;
    bool selectFirst = false;  // half of the elements
};

void PrintTo(const InputRow& row, std::ostream* os)
{
    *os << row.name;
}

class StalePaint : public ::testing::TestWithParam<InputRow> {};

// The same input handled by an idle window is the reference: a paint that
// handled it twice, or lost it, ends elsewhere.
TEST_P(StalePaint, InputDuringALongPaintIsHandledOnceAndTheCanvasEndsAsAFreshPaint)
{
    const InputRow& row = GetParam();
    auto reference = makeDrawingForm();
    auto form = makeDrawingForm();
    if (row.selectFirst) {
        for (TForm1* f : {reference.get(), form.get()})
            SelectRegistrySpan(f->drawing(), 0, 699);
    }
    // A shortcut belongs to the active window.
    activate(*reference);
    if (row.make) {
        std::unique_ptr<QEvent> direct(row.make());
        QApplication::sendEvent(receiverOf(*reference, row.target), direct.get());
    }
    settle(*reference);

    activate(*form);
    SlowPaints slow(*form, row.target, row.make);
    slow.install();
    form->invalidateCanvas();
    form->Repaint();
    settle(*form);

    EXPECT_EQ(form->abandonedPaints(), row.abandons ? 1u : 0u);
    EXPECT_EQ(slow.started, row.abandons ? 2 : 1);
    EXPECT_EQ(form->interaction().view.view, reference->interaction().view.view);
    EXPECT_EQ(form->drawing().registry.size(), reference->drawing().registry.size());
    EXPECT_EQ(form->drawing().selection.size(), reference->drawing().selection.size());
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(form->statusText(panel), reference->statusText(panel)) << "panel " << panel;
    EXPECT_EQ(DifferingPixels(form->canvasImage(), reference->canvasImage()), 0);
    // A hover leaves its snap marker on the canvas.
    if (!form->interaction().snapMarker.shown()) {
        EXPECT_EQ(DifferingPixels(form->canvasImage(), FreshPaint(*form)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, StalePaint,
    ::testing::Values(InputRow{"wheel_down", Target::Canvas, wheelAt({130, 90}, -120), true},
                      InputRow{"wheel_up", Target::Canvas, wheelAt({300, 200}, 120), true},
                      InputRow{"arrow_right", Target::Form, key(Qt::Key_Right), true},
                      InputRow{"shift_arrow_down", Target::Form, key(Qt::Key_Down, Qt::ShiftModifier), true},
                      InputRow{"page_up", Target::Form, key(Qt::Key_PageUp), true},
                      InputRow{"delete_shortcut", Target::Form, key(Qt::Key_Delete), true, true},
                      InputRow{"escape", Target::Form, key(Qt::Key_Escape), true},
                      InputRow{"shift_alone", Target::Form, key(Qt::Key_Shift), false},
                      InputRow{"mouse_move", Target::Canvas, moveTo({200, 150}), false},
                      InputRow{"no_input", Target::Canvas, nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StalePaint, RepeatedInputDuringRepeatedPaintsEndsOnTheLastView)
{
    constexpr int kTurns = 3;
    auto reference = makeDrawingForm();
    for (int i = 0; i < kTurns; ++i)
        Wheel(*reference, {130, 90}, -120);
    auto form = makeDrawingForm();
    SlowPaints slow(*form, Target::Canvas, wheelAt({130, 90}, -120), 30, kTurns);
    slow.install();
    form->invalidateCanvas();
    form->Repaint();
    settle(*form);

    EXPECT_EQ(form->abandonedPaints(), static_cast<uint64_t>(kTurns));
    EXPECT_EQ(slow.started, kTurns + 1);
    EXPECT_EQ(form->interaction().view.view, reference->interaction().view.view);
    EXPECT_EQ(DifferingPixels(form->canvasImage(), FreshPaint(*form)), 0);
}

// A paint that ends within a moment looks at no input: the event waits for
// the event loop, as it always did, and nothing is given up.
TEST(StalePaint, AShortPaintLeavesPendingInputToTheEventLoop)
{
    // Few enough to paint within the moment on a busy machine.
    auto form = makeDrawingForm(20);
    const ViewTransform before = form->interaction().view.view;
    QCoreApplication::postEvent(Canvas(*form), wheelAt({130, 90}, -120)());
    form->invalidateCanvas();
    form->Repaint();
    EXPECT_EQ(form->interaction().view.view, before);
    settle(*form);
    EXPECT_EQ(form->abandonedPaints(), 0u);
    EXPECT_NE(form->interaction().view.view, before);
}

// The gate on its own: what it holds comes back once, in order, after it is
// gone; what it lets pass is delivered at once.
class Recorder : public QWidget {
public:
    Recorder() { setMouseTracking(true); }
    std::vector<QEvent::Type> seen;
    int lastMoveX = -1;

protected:
    bool event(QEvent* e) override
    {
        static const std::array kRecorded = {QEvent::KeyPress, QEvent::KeyRelease,       QEvent::MouseMove,
                                             QEvent::Wheel,    QEvent::MouseButtonPress, QEvent::Close,
                                             QEvent::Resize,   QEvent::StatusTip};
        if (e->type() == QEvent::MouseMove)
            lastMoveX = static_cast<QMouseEvent*>(e)->position().toPoint().x();
        if (std::find(kRecorded.begin(), kRecorded.end(), e->type()) != kRecorded.end())
            seen.push_back(e->type());
        return QWidget::event(e);
    }
};

struct GateRow {
    const char* name;
    std::function<QEvent*()> make;
    bool abandons;
    bool held;
};

void PrintTo(const GateRow& row, std::ostream* os)
{
    *os << row.name;
}

class PaintInputGateRules : public ::testing::TestWithParam<GateRow> {};

TEST_P(PaintInputGateRules, HoldsInputUntilGoneAndAbandonsOnWhatMakesTheViewStale)
{
    const GateRow& row = GetParam();
    Recorder target;
    std::unique_ptr<QEvent> probe(row.make());
    const QEvent::Type type = probe->type();
    bool abandoned = false;
    {
        PaintInputGate gate(0);
        QCoreApplication::postEvent(&target, row.make());
        abandoned = gate.look();
        EXPECT_EQ(std::count(target.seen.begin(), target.seen.end(), type), row.held ? 0 : 1);
    }
    EXPECT_EQ(abandoned, row.abandons);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(target.seen.begin(), target.seen.end(), type), 1);
}

QEvent* press(Qt::MouseButton button)
{
    return new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), button, button, Qt::NoModifier);
}

INSTANTIATE_TEST_SUITE_P(
    Events, PaintInputGateRules,
    ::testing::Values(GateRow{"wheel", wheelAt({5, 5}, 120), true, true},
                      GateRow{"key", key(Qt::Key_A), true, true},
                      GateRow{"modifier_key", key(Qt::Key_Control), false, true},
                      GateRow{"key_release", [] { return new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, {}); }, false,
                              true},
                      GateRow{"right_press", [] { return press(Qt::RightButton); }, true, true},
                      GateRow{"left_press", [] { return press(Qt::LeftButton); }, false, true},
                      GateRow{"widget_resize", [] { return new QResizeEvent({10, 10}, {5, 5}); }, false, true},
                      GateRow{"close", [] { return new QCloseEvent; }, true, true},
                      GateRow{"status_tip", [] { return new QEvent(QEvent::StatusTip); }, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PaintInputGate, MovesInARowComeBackAsTheLastOneAfterTheEventsBeforeThem)
{
    Recorder target;
    {
        PaintInputGate gate(0);
        QCoreApplication::postEvent(&target, key(Qt::Key_A)());
        for (int x = 1; x <= 5; ++x)
            QCoreApplication::postEvent(&target, moveTo({x, 1})());
        gate.look();
        EXPECT_TRUE(target.seen.empty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(target.seen, (std::vector<QEvent::Type>{QEvent::KeyPress, QEvent::MouseMove}));
    EXPECT_EQ(target.lastMoveX, 5);
}

TEST(PaintInputGate, LooksAtNothingWithinTheMoment)
{
    Recorder target;
    PaintInputGate gate(60'000);
    QCoreApplication::postEvent(&target, key(Qt::Key_A)());
    EXPECT_FALSE(gate.look());
    EXPECT_TRUE(target.seen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(target.seen, std::vector<QEvent::Type>{QEvent::KeyPress});
}

}  // namespace

// Helpers of the application tests.
#include "app_test_support.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "render/graph_p.h"
#include "render/picture.h"

std::unique_ptr<TForm1> MakeShownForm(const QString& settingsPath)
{
    auto form = std::make_unique<TForm1>(settingsPath);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const int statusHeight = form->height() - Canvas(*form)->height();
    form->resize(400, 300 + statusHeight);
    QApplication::processEvents();
    EXPECT_EQ(form->canvasWidth(), 400);
    EXPECT_EQ(form->canvasHeight(), 300);
    return form;
}

QWidget* Canvas(TForm1& form)
{
    return form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
}

void Press(TForm1& form, Qt::MouseButton button, QPoint pos)
{
    QTest::mousePress(Canvas(form), button, Qt::NoModifier, pos);
}

void Release(TForm1& form, Qt::MouseButton button, Qt::MouseButtons stillHeld, QPoint pos)
{
    QWidget* canvas = Canvas(form);
    QMouseEvent event(QEvent::MouseButtonRelease, pos, canvas->mapToGlobal(pos), button, stillHeld,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

void Move(TForm1& form, Qt::MouseButtons held, QPoint pos)
{
    QWidget* canvas = Canvas(form);
    QMouseEvent event(QEvent::MouseMove, pos, canvas->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

void Wheel(TForm1& form, QPoint pos, int angleDeltaY)
{
    QWidget* canvas = Canvas(form);
    QWheelEvent event(QPointF(pos), QPointF(canvas->mapToGlobal(pos)), QPoint(), QPoint(0, angleDeltaY),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &event);
}

void WhenModal(std::function<void(QWidget*)> act)
{
    // Polls until the dialog's own event loop runs; gives up after ~5 s so a
    // broken test fails instead of hanging.
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [act, attempt](int triesLeft) {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            return;
        }
        if (triesLeft > 0)
            QTimer::singleShot(10, [attempt, triesLeft] { (*attempt)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(500); });
}

void AddLine(Drawing& drawing, double x1, double y1, double x2, double y2)
{
    const PenRefs pen = resolvePen(drawing.attributes, CurrentAttributes{});
    LineRecord line;
    line.h.penKind = pen.penKind;
    line.h.penRef = pen.penRef;
    line.h.widthRef = pen.widthRef;
    line.h.lineTypeRef = pen.lineTypeRef;
    line.x1 = x1;
    line.y1 = y1;
    line.x2 = x2;
    line.y2 = y2;
    drawing.journal.BeginGroup();
    drawing.AppendLine(line);
    drawing.journal.EndGroup();
}

QRgb Pixel(TForm1& form, int x, int y)
{
    return form.canvasImage().pixel(x, y) & 0xFFFFFF;
}

std::unique_ptr<TForm1> MakeShownFormWithoutResize(const QString& settingsPath)
{
    auto form = std::make_unique<TForm1>(settingsPath);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
}

void Click(TForm1& form, QPoint pos)
{
    Move(form, Qt::NoButton, pos);
    Press(form, Qt::LeftButton, pos);
    Release(form, Qt::LeftButton, Qt::NoButton, pos);
}

void Trigger(TForm1& form, const char* handler)
{
    QAction* action = form.menuAction(QString::fromLatin1(handler));
    ASSERT_NE(action, nullptr) << handler;
    ASSERT_TRUE(action->isEnabled()) << handler;
    action->trigger();
}

QImage FreshPaint(TForm1& form)
{
    QImage image(form.canvasImage().size(), QImage::Format_RGB32);
    TGraphP g;
    EXPECT_TRUE(g.Begin(&image));
    PictureParams p;
    p.imageWidth = form.interaction().view.imageWidth;
    p.imageHeight = form.interaction().view.imageHeight;
    p.canvasWidth = image.width();
    p.canvasHeight = image.height();
    p.view = form.interaction().view.view;
    p.grid = form.settings().grid;
    DrawPicture(g, form.drawing(), p);
    g.End();
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// The canvas widget: owns the canvas image and forwards input to TForm1.
#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/Unit1.h"

TPaintBox::TPaintBox(TForm1* form) : QWidget(form), m_form(form)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);  // keys go to the form
    setMinimumSize(1, 1);
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (m_stale)
        return;
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void TPaintBox::resizeEvent(QResizeEvent*)
{
    // A new image of the new size; the form repaints it in full.
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    m_form->FormPaint();
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    m_form->PaintBox1MouseDown(event->button(), event->modifiers(), event->position().toPoint(), false);
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_form->PaintBox1MouseDown(event->button(), event->modifiers(), event->position().toPoint(), true);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    m_form->PaintBox1MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    m_form->PaintBox1MouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TPaintBox::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    // Turning the wheel towards the user (down) zooms in.
    const QPoint p = event->position().toPoint();
    if (delta < 0)
        m_form->FormMouseWheelDown(p);
    else
        m_form->FormMouseWheelUp(p);
    event->accept();
}

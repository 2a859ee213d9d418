// TForm1 view control: the view keys, Esc and Backspace, the wheel, and the
// canvas gestures that belong to the window rather than to a command: the
// two-button view gesture with its grey XOR band, the middle-button drag pan
// over a snapshot of the canvas, and the popup menu on a right-button click.
//
// The band is drawn with RasterOp_SourceXorDestination on the canvas image:
// drawing the same rectangle twice restores every pixel, so the band is
// erased by drawing it again at its stored place before the new one is drawn.
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "app/Unit1.h"
#include "app/paint_box.h"
#include "app/shell_texts.h"

namespace {

constexpr QRgb kBandColour = qRgb(128, 128, 128);
constexpr int kBandWidth = 3;

struct GestureTexts {
    const char* dragging;
    const char* done;
};

GestureTexts textsFor(ViewGesture gesture)
{
    switch (gesture) {
    case ViewGesture::Centre: return {ShellText::kDragCentre, ShellText::kDoneCentre};
    case ViewGesture::ZoomIn: return {ShellText::kDragZoomIn, ShellText::kDoneZoomIn};
    case ViewGesture::ZoomOut: return {ShellText::kDragZoomOut, ShellText::kDoneZoomOut};
    case ViewGesture::Whole: return {ShellText::kDragWhole, ShellText::kDoneWhole};
    case ViewGesture::Previous: return {ShellText::kDragPrevious, ShellText::kDonePrevious};
    }
    return {"", ""};
}

uint32_t flagsOf(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick)
{
    uint32_t flags = 0;
    if (button == Qt::LeftButton)
        flags |= kMouseLeft;
    else if (button == Qt::RightButton)
        flags |= kMouseRight;
    else if (button == Qt::MiddleButton)
        flags |= kMouseMiddle;
    if (doubleClick)
        flags |= kMouseDouble;
    if (modifiers & Qt::ShiftModifier)
        flags |= kMouseShift;
    if (modifiers & Qt::AltModifier)
        flags |= kMouseAlt;
    if (modifiers & Qt::ControlModifier)
        flags |= kMouseCtrl;
    return flags;
}

}  // namespace

// ---------------------------------------------------------------------------
// Keys

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (PointEntryKey(event) || FormKeyDown(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TForm1::afterViewChange(const char* operationText)
{
    FormPaint();
    ShowOperation(QString::fromUtf8(operationText));
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    ViewState& v = m_state.view;
    const int w = canvasWidth(), h = canvasHeight();
    const bool fine = modifiers & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Escape:
        CommandErasePreviews();
        m_state.CommandMode = 0;
        ShowPrompt();
        ShowOperation(QString::fromUtf8(ShellText::kEsc));
        return true;
    case Qt::Key_Backspace:
        CommandErasePreviews();
        CommandStepBack();
        return true;
    case Qt::Key_PageUp: ZoomInKey(v, w, h); afterViewChange(ShellText::kPageUp); return true;
    case Qt::Key_PageDown: ZoomOutKey(v, w, h); afterViewChange(ShellText::kPageDown); return true;
    case Qt::Key_Insert:
    case Qt::Key_End: CentreImage(v, w, h); afterViewChange(ShellText::kInsEnd); return true;
    case Qt::Key_Home: HomeView(v); afterViewChange(ShellText::kHome); return true;
    case Qt::Key_Left: PanByArrow(v, -1, 0, fine, w, h); afterViewChange(ShellText::kCursor); return true;
    case Qt::Key_Right: PanByArrow(v, 1, 0, fine, w, h); afterViewChange(ShellText::kCursor); return true;
    case Qt::Key_Up: PanByArrow(v, 0, -1, fine, w, h); afterViewChange(ShellText::kCursor); return true;
    case Qt::Key_Down: PanByArrow(v, 0, 1, fine, w, h); afterViewChange(ShellText::kCursor); return true;
    default: return false;
    }
}

// ---------------------------------------------------------------------------
// Wheel

void TForm1::FormMouseWheelDown(QPoint canvasPos)
{
    WheelZoom(m_state.view, true, canvasPos.x(), canvasPos.y());
    afterViewChange(ShellText::kWheelDown);
}

void TForm1::FormMouseWheelUp(QPoint canvasPos)
{
    WheelZoom(m_state.view, false, canvasPos.x(), canvasPos.y());
    afterViewChange(ShellText::kWheelUp);
}

// ---------------------------------------------------------------------------
// Canvas gestures

void TForm1::drawGestureBand()
{
    const GestureBand& band = m_state.gesture;
    QImage& image = canvasImage();
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen{QColor(kBandColour), double(kBandWidth)};
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect rect = QRect(QPoint(band.x1, band.y1), QPoint(band.x2, band.y2)).normalized();
    painter.drawRect(rect);
    painter.end();
    canvasChanged(rect.adjusted(-kBandWidth, -kBandWidth, kBandWidth, kBandWidth));
}

void TForm1::showDragPicture(QPoint pos)
{
    QImage& image = canvasImage();
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(pos.x() - m_state.pressX, pos.y() - m_state.pressY, m_state.drag.image);
    painter.end();
    canvasChanged(QRect());
    ShowOperation(QString::fromUtf8(ShellText::kDragPanMoving));
}

void TForm1::restoreDragSnapshot()
{
    // The canvas goes back to the picture the painted key describes, so that
    // the paint after the pan can scroll it; a paint during the drag made
    // the snapshot stale.
    const DragSnapshot& drag = m_state.drag;
    if (drag.valid && drag.paintsBefore == m_paintCount && drag.image.size() == canvasImage().size())
        canvasImage() = std::move(m_state.drag.image);
    else if (drag.valid)
        invalidateCanvas();
}

void TForm1::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos,
                                bool doubleClick)
{
    // A two-button gesture keeps the press of its first button.
    if (!(m_state.mouseFlags & (kMouseLeft | kMouseRight))) {
        m_state.pressX = pos.x();
        m_state.pressY = pos.y();
    }
    m_state.mouseFlags |= flagsOf(button, modifiers, doubleClick);
    if (button == Qt::MiddleButton) {
        m_state.drag.image = canvasImage().copy();
        m_state.drag.valid = !m_state.drag.image.isNull();
        m_state.drag.paintsBefore = m_paintCount;
    }
    CommandMouseDown(button, pos);
}

void TForm1::PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    m_state.pointInput.shiftHeld = modifiers & Qt::ShiftModifier;
    if ((buttons & Qt::LeftButton) && (buttons & Qt::RightButton)) {
        const ViewGesture gesture = ClassifyDrag(m_state.pressX, m_state.pressY, pos.x(), pos.y());
        ShowOperation(QString::fromUtf8(textsFor(gesture).dragging));
        if (m_state.gesture.shown)
            drawGestureBand();
        m_state.gesture = GestureBand{true, m_state.pressX, m_state.pressY, pos.x(), pos.y()};
        drawGestureBand();
        CommandGestureStarted();
        return;
    }
    if ((buttons & Qt::MiddleButton) && m_state.drag.valid) {
        showDragPicture(pos);
        return;
    }
    CommandMouseMove(buttons, pos);
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos)
{
    CommandErasePreviews();
    const uint32_t flags = m_state.mouseFlags;
    if ((flags & kMouseLeft) && (flags & kMouseRight)) {
        if (m_state.gesture.shown)
            drawGestureBand();
        m_state.gesture.shown = false;
        const ViewGesture gesture = ApplyViewGesture(m_state.view, m_state.pressX, m_state.pressY, pos.x(),
                                                     pos.y(), canvasWidth(), canvasHeight());
        afterViewChange(textsFor(gesture).done);
    } else if (flags & kMouseMiddle) {
        restoreDragSnapshot();
        m_state.drag = DragSnapshot{};
        DragPan(m_state.view, m_state.pressX, m_state.pressY, pos.x(), pos.y());
        afterViewChange(ShellText::kDragPanDone);
    } else if (flags & kMouseLeft) {
        CommandMouseUp(button, pos);
    }
    m_state.mouseFlags = 0;
    // A right click opens the menu; it never cancels the command.
    if ((flags & kMouseRight) && !(flags & kMouseLeft))
        PopupMenu1->popup(PaintBox1->mapToGlobal(pos));
}

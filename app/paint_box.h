// PaintBox1: the canvas. It keeps the picture in a QImage (RGB32) the size of
// its client area; everything drawn "on the canvas" (the paint cycle, new
// elements, XOR rubber bands, the drag-pan picture) draws into that image,
// and paintEvent only copies it to the screen. Mouse and wheel events go to
// the main window's handlers.
#pragma once

#include <QImage>
#include <QWidget>

class TForm1;

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(TForm1* form);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // A stale image (a paint of it was given up) is not shown: the screen
    // keeps the last picture shown until a paint completes.
    void setStale(bool stale) { m_stale = stale; }
    bool stale() const { return m_stale; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;

private:
    TForm1* m_form;
    QImage m_image;
    bool m_stale = false;
};

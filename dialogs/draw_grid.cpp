// The sample-cell grid of the attribute windows.
#include "dialogs/draw_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "render/graph_p.h"

TDrawGrid::TDrawGrid(const char* objectName, int columns, int rows, int columnWidth, QWidget* parent,
                     int rowHeight)
    : QWidget(parent), m_columns(columns), m_rows(rows), m_columnWidth(columnWidth), m_rowHeight(rowHeight)
{
    setObjectName(QString::fromLatin1(objectName));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

TDrawGrid::~TDrawGrid() = default;

QSize TDrawGrid::sizeHint() const
{
    return {m_columns * (m_columnWidth + kLineWidth) + kLineWidth,
            m_rows * (m_rowHeight + kLineWidth) + kLineWidth};
}

QRect TDrawGrid::cellRect(int row, int column) const
{
    return {kLineWidth + column * (m_columnWidth + kLineWidth), kLineWidth + row * (m_rowHeight + kLineWidth),
            m_columnWidth, m_rowHeight};
}

void TDrawGrid::setCurrentCell(int row, int column)
{
    m_row = std::clamp(row, 0, m_rows - 1);
    m_column = std::clamp(column, 0, m_columns - 1);
    update();
}

void TDrawGrid::choose(int row, int column)
{
    setCurrentCell(row, column);
    if (clicked)
        clicked();
}

QImage TDrawGrid::picture()
{
    if (!m_surface)
        return {};
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Mid));
    if (drawCell && m_surface->Begin(&image)) {
        for (int row = 0; row < m_rows; ++row) {
            for (int column = 0; column < m_columns; ++column) {
                // A wide pen or an arrow head stays inside its own cell.
                const QRect cell = cellRect(row, column);
                m_surface->painter()->setClipRect(cell);
                drawCell(*m_surface, cell, row, column, row == m_row && column == m_column);
            }
        }
        m_surface->painter()->setClipping(false);
        m_surface->End();
    }
    return image;
}

void TDrawGrid::paintEvent(QPaintEvent*)
{
    const QImage image = picture();
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    if (hasFocus()) {
        // The focus frame of the current cell, as a grid shows it.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(cellRect(m_row, m_column).adjusted(0, 0, -1, -1));
    }
}

void TDrawGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            if (cellRect(row, column).contains(p)) {
                choose(row, column);
                return;
            }
        }
    }
}

void TDrawGrid::keyPressEvent(QKeyEvent* event)
{
    int row = m_row, column = m_column;
    switch (event->key()) {
    case Qt::Key_Left: --column; break;
    case Qt::Key_Right: ++column; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Home: column = 0; break;
    case Qt::Key_End: column = m_columns - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    row = std::clamp(row, 0, m_rows - 1);
    column = std::clamp(column, 0, m_columns - 1);
    if (row != m_row || column != m_column)
        choose(row, column);
}

void TDrawGrid::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_surface)
        m_surface = std::make_unique<TGraphP>();
}

void TDrawGrid::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_surface.reset();
}

void TDrawGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void FillSampleCell(TGraphP& surface, const QRect& cell, bool current)
{
    surface.SetSolidBrushColourRef(current ? kCurrentCellBlue : 0xFFFFFF);
    surface.FillRectangle(QRectF(cell));
}

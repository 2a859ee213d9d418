// TDrawGrid: a grid of owner-drawn sample cells without fixed cells or scroll
// bars, as the hatch, line-type, line-end and point windows show them. The
// cells are drawn by the window's callback on a drawing surface (TGraphP)
// bound to an image of the grid, so a cell is made by the same pens, brushes
// and markers that draw the elements. The surface exists while the grid is
// shown. A click or an arrow key makes a cell current and reports it.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class TGraphP;

class TDrawGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLineWidth = 1;
    static constexpr int kDefaultRowHeight = 24;

    TDrawGrid(const char* objectName, int columns, int rows, int columnWidth, QWidget* parent,
              int rowHeight = kDefaultRowHeight);
    ~TDrawGrid() override;

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    // Moves the current cell without reporting it (filling the window).
    void setCurrentCell(int row, int column);
    // The cell's rectangle in grid pixels (grid lines excluded).
    QRect cellRect(int row, int column) const;

    // Draws one cell; current is true for the current cell.
    std::function<void(TGraphP& surface, const QRect& cell, int row, int column, bool current)> drawCell;
    // The user made a cell current (mouse or arrow keys).
    std::function<void()> clicked;

    // The grid as painted: the cells drawn through the surface on the
    // window's background. Null while the grid has no surface (hidden).
    QImage picture();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void choose(int row, int column);

    int m_columns, m_rows, m_columnWidth, m_rowHeight;
    int m_row = 0, m_column = 0;
    std::unique_ptr<TGraphP> m_surface;
};

// Colour reference of the current cell's background: opaque blue.
inline constexpr int32_t kCurrentCellBlue = 0xFF0000;

// The background of a line or point sample: white, blue when current.
void FillSampleCell(TGraphP& surface, const QRect& cell, bool current);

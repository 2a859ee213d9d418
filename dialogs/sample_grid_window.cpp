// The grid windows' common frame: the grid above the "&X" button, and the
// grid's callbacks routed to the window's handlers.
#include "dialogs/sample_grid_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/draw_grid.h"

TSampleGridWindow::TSampleGridWindow(const char* objectName, const char* title, bool& openFlag,
                                     QWidget* parent, CurrentAttributes& attributes, TDrawGrid* grid)
    : TAttributeWindow(objectName, title, openFlag, parent), DrawGrid1(grid), m_attributes(attributes)
{
    grid->setParent(this);
    grid->drawCell = [this](TGraphP& surface, const QRect& cell, int row, int column, bool current) {
        DrawGrid1DrawCell(surface, cell, row, column, current);
    };
    grid->clicked = [this] {
        if (!isLoading())
            DrawGrid1Click();
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid);
    layout->addWidget(makeCloseButton("Button2"), 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

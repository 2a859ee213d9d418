// TSampleGridWindow: the line-type, line-end and point windows. Each is one
// grid of sample cells drawn by the render engine; a click (or an arrow key)
// on a cell writes the cell's codes into the current attributes at once.
// The grid's drawing surface exists while the window is shown.
#pragma once

#include "dialogs/attribute_window.h"

class TDrawGrid;
class TGraphP;

class TSampleGridWindow : public TAttributeWindow {
    Q_OBJECT
public:
    TDrawGrid* DrawGrid1 = nullptr;

protected:
    TSampleGridWindow(const char* objectName, const char* title, bool& openFlag, QWidget* parent,
                      CurrentAttributes& attributes, TDrawGrid* grid);

    virtual void DrawGrid1Click() = 0;
    virtual void DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int column,
                                   bool current) = 0;

    CurrentAttributes& m_attributes;
};

// The line-end window: one row per end style.
#include "dialogs/Unit5.h"

#include "dialogs/attribute_texts.h"
#include "dialogs/draw_grid.h"
#include "model/attributes.h"
#include "render/graph_p.h"

namespace {
constexpr double kSamplePenWidth = 13;
// Anchor ends are wider than the pen; the rows leave them room.
constexpr int kRowHeight = 32;
}  // namespace

TForm5::TForm5(CurrentAttributes& attributes, bool& openFlag, QWidget* parent)
    : TSampleGridWindow("Form5", AttributeText::kCapTitle, openFlag, parent, attributes,
                        new TDrawGrid("DrawGrid1", 1, kEndStyles, 140, nullptr, kRowHeight))
{
}

void TForm5::fillControls()
{
    DrawGrid1->setCurrentCell(m_attributes.endStyle, 0);
    DrawGrid1->setFocus();
}

void TForm5::DrawGrid1Click()
{
    m_attributes.endStyle = DrawGrid1->currentRow();
}

void TForm5::DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int, bool current)
{
    FillSampleCell(surface, cell, current);
    surface.SetPenColourRef(0x000000);
    surface.SetPenWidth(kSamplePenWidth);
    surface.SetDashStyle(0);
    surface.SetPenCaps(3, row);
    const int right = cell.left() + cell.width(), middle = cell.top() + cell.height() / 2;
    surface.DrawLineInt(cell.left() + 20, middle, right - 20, middle);
}

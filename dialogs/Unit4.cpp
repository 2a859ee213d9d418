// The line-type window: one cell per dash style and dash cap.
#include "dialogs/Unit4.h"

#include "dialogs/attribute_texts.h"
#include "dialogs/draw_grid.h"
#include "model/attributes.h"
#include "render/graph_p.h"

namespace {
constexpr int kDashStyles = 5, kDashCaps = 3;
constexpr double kSamplePenWidth = 7;
}  // namespace

TForm4::TForm4(CurrentAttributes& attributes, bool& openFlag, QWidget* parent)
    : TSampleGridWindow("Form4", AttributeText::kDashTitle, openFlag, parent, attributes,
                        new TDrawGrid("DrawGrid1", kDashCaps, kDashStyles, 80, nullptr))
{
}

void TForm4::fillControls()
{
    DrawGrid1->setCurrentCell(m_attributes.dashStyle, m_attributes.dashCap);
    DrawGrid1->setFocus();
}

void TForm4::DrawGrid1Click()
{
    m_attributes.dashStyle = DrawGrid1->currentRow();
    m_attributes.dashCap = DrawGrid1->currentColumn();
}

void TForm4::DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int column, bool current)
{
    FillSampleCell(surface, cell, current);
    surface.SetPenColourRef(0x000000);
    surface.SetPenWidth(kSamplePenWidth);
    surface.SetPenCaps(3, 0);
    surface.SetDashStyle(row);
    surface.SetDashCap(column);
    // The cell's right and bottom edges as a grid counts them (exclusive).
    const int right = cell.left() + cell.width(), middle = cell.top() + cell.height() / 2;
    surface.DrawLineInt(cell.left() + 3, middle, right - 3, middle);
}

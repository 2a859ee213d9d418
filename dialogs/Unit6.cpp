// The point window.
#include "dialogs/Unit6.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/attribute_texts.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/draw_grid.h"
#include "geometry/func.h"
#include "model/attributes.h"
#include "render/graph_p.h"
#include "render/renderers.h"

namespace {
constexpr double kSampleSizePx = 16;
}  // namespace

TForm6::TForm6(CurrentAttributes& attributes, bool& openFlag, QWidget* parent)
    : TSampleGridWindow("Form6", AttributeText::kPointTitle, openFlag, parent, attributes,
                        new TDrawGrid("DrawGrid1", kColumns, kColumns, 40, nullptr))
{
    Edit1 = numberEdit(this, "Edit1", 8);
    Edit1->setText(QStringLiteral("1"));
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QString::fromUtf8(AttributeText::kPointSize), this));
    sizeRow->addWidget(Edit1);
    sizeRow->addStretch(1);
    auto* layout = static_cast<QBoxLayout*>(this->layout());
    layout->insertWidget(0, new QLabel(QString::fromUtf8(AttributeText::kPointKinds), this));
    layout->insertLayout(2, sizeRow);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm6::Edit1Change);
}

void TForm6::fillControls()
{
    DrawGrid1->setCurrentCell(m_attributes.pointStyle / kColumns, m_attributes.pointStyle % kColumns);
    Edit1->setText(ShortestDecimal(m_attributes.pointSize));
    Edit1->setFocus();
}

void TForm6::DrawGrid1Click()
{
    m_attributes.pointStyle = DrawGrid1->currentColumn() + DrawGrid1->currentRow() * kColumns;
}

void TForm6::Edit1Change()
{
    if (!isLoading())
        m_attributes.pointSize = TextToFloatClamped(Edit1->text().toStdString(), kMinSize, kMaxSize);
}

void TForm6::DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int column, bool current)
{
    FillSampleCell(surface, cell, current);
    surface.SetPenColourRef(0x000000);
    surface.SetPenWidth(1.0);
    surface.SetPenCaps(3, 0);
    surface.SetDashStyle(0);
    surface.SetSolidBrushColourRef(0x000000);
    const double right = cell.left() + cell.width(), bottom = cell.top() + cell.height();
    DrawPointMarker(surface, column + row * kColumns, (cell.left() + right) / 2, (cell.top() + bottom) / 2,
                    kSampleSizePx);
}

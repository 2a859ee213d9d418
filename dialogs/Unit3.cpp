// The pen width window.
#include "dialogs/Unit3.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "dialogs/attribute_texts.h"
#include "dialogs/dialog_widgets.h"
#include "geometry/func.h"
#include "model/attributes.h"

TForm3::TForm3(CurrentAttributes& attributes, bool& openFlag, QWidget* parent)
    : TAttributeWindow("Form3", AttributeText::kWidthTitle, openFlag, parent), m_attributes(attributes)
{
    Edit1 = numberEdit(this, "Edit1", 12);
    Edit1->installEventFilter(this);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(1, 100);
    TrackBar1->setPageStep(10);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(1);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QString::fromUtf8(AttributeText::kWidthLabel), this));
    top->addWidget(Edit1);
    top->addWidget(makeCloseButton("Button2"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TrackBar1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm3::Edit1Change);
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm3::TrackBar1Change);
}

int TForm3::TrackPosition(double width)
{
    const double position = std::trunc(width);
    if (!(position > 1))
        return 1;  // 0, negatives and NaN alike
    return position > 100 ? 100 : static_cast<int>(position);
}

void TForm3::fillControls()
{
    Edit1->setText(ShortestDecimal(m_attributes.penWidth));
    moveTrackBar(m_attributes.penWidth);
    Edit1->setFocus();
}

void TForm3::Edit1Change()
{
    if (!isLoading())
        m_attributes.penWidth = TextToFloatClamped(Edit1->text().toStdString(), kMinWidth, kMaxWidth);
}

void TForm3::Edit1Exit()
{
    moveTrackBar(TextToFloat(Edit1->text().toStdString()));
}

void TForm3::TrackBar1Change(int position)
{
    if (!m_followingBox && !isLoading())
        Edit1->setText(QString::number(position));
}

void TForm3::moveTrackBar(double width)
{
    m_followingBox = true;
    TrackBar1->setValue(TrackPosition(width));
    m_followingBox = false;
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut)
        Edit1Exit();
    return TAttributeWindow::eventFilter(watched, event);
}

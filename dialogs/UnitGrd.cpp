// The grid dialog. Colours travel as 0x00BBGGRR references, red in the low
// byte, as everywhere in the drawing model.
#include "dialogs/UnitGrd.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"
#include "geometry/func.h"

namespace {

QColor fromColourRef(int32_t ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

int32_t toColourRef(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QLabel* swatch(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedSize(40, 20);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace

TFormGrd::TFormGrd(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGrd"));
    setWindowTitle(QString::fromUtf8(DialogText::kGridTitle));
    setWindowFlags(kDialogFlags);
    CheckBox1 = new QCheckBox(QString::fromUtf8(DialogText::kGridShown), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Edit1 = numberEdit(this, "Edit1");
    Edit2 = numberEdit(this, "Edit2");
    LabelC1 = swatch(this, "LabelC1");
    LabelC2 = swatch(this, "LabelC2");
    Button1 = new QPushButton(QString::fromUtf8(DialogText::kOk), this);
    Button2 = new QPushButton(QString::fromUtf8(DialogText::kCancel), this);
    Button3 = new QPushButton(QString::fromUtf8(DialogText::kPickColour), this);
    Button4 = new QPushButton(QString::fromUtf8(DialogText::kPickColour), this);
    Button1->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(CheckBox1, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kPitchX), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kPitchY), this), 2, 0);
    grid->addWidget(Edit2, 2, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), 2, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kMinorColour), this), 3, 0);
    grid->addWidget(LabelC1, 3, 1);
    grid->addWidget(Button3, 3, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kMajorColour), this), 4, 0);
    grid->addWidget(LabelC2, 4, 1);
    grid->addWidget(Button4, 4, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    chooseColour = [this](int32_t current) -> std::optional<int32_t> {
        const QColor colour = QColorDialog::getColor(fromColourRef(current), this);
        if (!colour.isValid())
            return std::nullopt;
        return toColourRef(colour);
    };
    LabelC1->installEventFilter(this);
    LabelC2->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TFormGrd::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, [this] { pickColour(0); });
    connect(Button4, &QPushButton::clicked, this, [this] { pickColour(1); });
}

bool TFormGrd::Execute(GridSettings& grid)
{
    CheckBox1->setChecked(grid.shown);
    setNumber(Edit1, grid.pitchX);
    setNumber(Edit2, grid.pitchY);
    m_colours[0] = grid.minorColor;
    m_colours[1] = grid.majorColor;
    paintSwatch(0);
    paintSwatch(1);
    CheckBox1->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    grid.shown = m_result.shown;
    grid.pitchX = m_result.pitchX;
    grid.pitchY = m_result.pitchY;
    grid.minorColor = m_result.minorColor;
    grid.majorColor = m_result.majorColor;
    return true;
}

void TFormGrd::Button1Click()
{
    m_result.shown = CheckBox1->isChecked();
    m_result.pitchX = TextToFloatClamped(Edit1->text().toStdString(), kMinPitch, kMaxPitch);
    m_result.pitchY = TextToFloatClamped(Edit2->text().toStdString(), kMinPitch, kMaxPitch);
    m_result.minorColor = m_colours[0];
    m_result.majorColor = m_colours[1];
    accept();
}

void TFormGrd::pickColour(int which)
{
    if (const std::optional<int32_t> colour = chooseColour(m_colours[which])) {
        m_colours[which] = *colour & 0xFFFFFF;
        paintSwatch(which);
    }
}

void TFormGrd::paintSwatch(int which)
{
    QLabel* label = which == 0 ? LabelC1 : LabelC2;
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, fromColourRef(m_colours[which]));
    label->setPalette(palette);
}

bool TFormGrd::eventFilter(QObject* watched, QEvent* event)
{
    // A click on a swatch opens the colour dialog like its button.
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == LabelC1) {
            pickColour(0);
            return true;
        }
        if (watched == LabelC2) {
            pickColour(1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The pen and brush windows. Which control writes which setting is the
// kKindRows table: one entry per kind, in the window's order.
#include "dialogs/style_window.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/attribute_texts.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/draw_grid.h"
#include "dialogs/unencodable_text.h"
#include "geometry/func.h"
#include "render/graph_p.h"
#include "storage/cp932.h"

namespace {

namespace T = AttributeText;

constexpr double kMaxAngleDeg = 360;

// The controls of one kind below its radio button.
struct KindRow {
    bool hatchGrid = false;
    bool imageFile = false;
    bool angle = false;
    struct Colour {
        int colour;
        const char* caption;
        int alpha;
    } colours[2] = {};  // unused entries have no caption
};

const KindRow kKindRows[6] = {
    {.colours = {{0, T::kPickColour, -1}}},
    {.colours = {{1, T::kPickColour, 0}}},
    {.hatchGrid = true, .colours = {{2, T::kLineColour, 1}, {3, T::kFillColour, 2}}},
    {.imageFile = true},
    {.angle = true, .colours = {{4, T::kStartColour, 3}, {5, T::kEndColour, 4}}},
    {.colours = {{6, T::kCentreColour, 5}, {7, T::kSurroundColour, 6}}},
};

// The names the controls of a colour or an alpha keep (Button5, Edit4 and
// Edit7 are the browse button, the file and the angle boxes).
constexpr int kColourButtonNumber[8] = {1, 2, 3, 4, 6, 7, 10, 11};
constexpr int kAlphaEditNumber[7] = {1, 2, 3, 5, 6, 8, 9};

QString numbered(const char* stem, int number)
{
    return QString::fromLatin1(stem) + QString::number(number);
}

QLabel* caption(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

TStyleWindow::TStyleWindow(const char* objectName, const char* title, StyleSlots fields, bool& openFlag,
                           QWidget* parent)
    : TAttributeWindow(objectName, title, openFlag, parent), m_slots(std::move(fields))
{
    chooseColour = ColourDialogQuestion(this);
    chooseImage = [this](const QString& proposed) {
        return QFileDialog::getOpenFileName(this, QString(), proposed,
                                            QString::fromUtf8(T::kImageFilter), nullptr,
                                            QFileDialog::ReadOnly);
    };
    refuseImage = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromUtf8(T::kImageFileRefusedTitle), message);
    };

    m_kinds = new QButtonGroup(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(1);
    int row = 0;
    const int kindCount = static_cast<int>(m_slots.kindCaptions.size());
    for (int kind = 1; kind <= kindCount; ++kind)
        buildKind(kind, *grid, row);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(2);
    layout->addLayout(grid);
    layout->addWidget(makeCloseButton("Button9"), 0, Qt::AlignRight);
    Button9 = closeButton();
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RadioButton1Click();
    });
}

void TStyleWindow::buildKind(int kind, QGridLayout& grid, int& row)
{
    const KindRow& kindRow = kKindRows[kind - 1];
    auto* radio = new QRadioButton(QString::fromUtf8(m_slots.kindCaptions[kind - 1]), this);
    radio->setObjectName(numbered("RadioButton", kind));
    m_kinds->addButton(radio, kind);
    m_kindButtons.push_back(radio);
    grid.addWidget(radio, row++, 0, 1, 6);

    if (kindRow.hatchGrid) {
        DrawGrid1 = new TDrawGrid("DrawGrid1", kHatchColumns, kHatchRows, 40, this);
        DrawGrid1->drawCell = [this](TGraphP& surface, const QRect& cell, int r, int c, bool current) {
            DrawGrid1DrawCell(surface, cell, r, c, current);
        };
        DrawGrid1->clicked = [this] { DrawGrid1Click(); };
        grid.addWidget(DrawGrid1, row++, 1, 1, 5);
    }
    for (const KindRow::Colour& colour : kindRow.colours) {
        if (colour.caption)
            addColourRow({colour.colour, colour.caption, colour.alpha}, grid, row);
    }
    if (kindRow.imageFile) {
        Edit4 = new QLineEdit(this);
        Edit4->setObjectName(QStringLiteral("Edit4"));
        Button5 = new QPushButton(QString::fromUtf8(T::kBrowse), this);
        Button5->setObjectName(QStringLiteral("Button5"));
        Button5->setAutoDefault(false);
        connect(Button5, &QPushButton::clicked, this, &TStyleWindow::Button5Click);
        grid.addWidget(Edit4, row, 1, 1, 4);
        grid.addWidget(Button5, row++, 5);
    }
    if (kindRow.angle) {
        Edit7 = numberEdit(this, "Edit7", 12);
        connect(Edit7, &QLineEdit::textChanged, this, &TStyleWindow::Edit7Change);
        auto* angleRow = new QHBoxLayout;
        angleRow->addWidget(caption(T::kAngle, this));
        angleRow->addWidget(Edit7);
        angleRow->addWidget(caption(T::kDegree, this));
        angleRow->addStretch(1);
        grid.addLayout(angleRow, row++, 1, 1, 5);
    }
}

void TStyleWindow::addColourRow(const ColourRow& colourRow, QGridLayout& grid, int& row)
{
    const int colour = colourRow.colour;
    auto* label = new QLabel(QString::fromUtf8(T::kSwatchText), this);
    label->setObjectName(numbered("LabelC", colour + 1));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    auto* button = new QPushButton(QString::fromUtf8(colourRow.caption), this);
    button->setObjectName(numbered("Button", kColourButtonNumber[colour]));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, colour] { pickColour(colour); });
    if (m_swatches.size() <= static_cast<size_t>(colour)) {
        m_swatches.resize(colour + 1);
        m_colourButtons.resize(colour + 1);
    }
    m_swatches[colour] = label;
    m_colourButtons[colour] = button;
    grid.addWidget(label, row, 1);
    grid.addWidget(button, row, 2);
    if (colourRow.alpha >= 0) {
        const int alpha = colourRow.alpha;
        QLineEdit* edit = numberEdit(this, "", 3);
        edit->setObjectName(numbered("Edit", kAlphaEditNumber[alpha]));
        edit->setText(QStringLiteral("255"));
        connect(edit, &QLineEdit::textChanged, this, [this, alpha] { alphaChanged(alpha); });
        if (m_alphaEdits.size() <= static_cast<size_t>(alpha))
            m_alphaEdits.resize(alpha + 1);
        m_alphaEdits[alpha] = edit;
        grid.addWidget(caption(T::kAlpha, this), row, 3, Qt::AlignRight);
        grid.addWidget(edit, row, 4);
    }
    ++row;
}

int32_t TStyleWindow::swatchColour(int colour) const
{
    return m_slots.colours[colour];
}

void TStyleWindow::fillControls()
{
    const int32_t kind = *m_slots.kind;
    const bool known = kind >= 2 && kind <= static_cast<int32_t>(m_kindButtons.size());
    m_kindButtons[known ? kind - 1 : 0]->setChecked(true);
    for (size_t i = 0; i < m_swatches.size(); ++i)
        paintSwatch(static_cast<int>(i));
    for (size_t i = 0; i < m_alphaEdits.size(); ++i)
        m_alphaEdits[i]->setText(QString::number(m_slots.alphas[i]));
    const int32_t hatch = *m_slots.hatchStyle;
    DrawGrid1->setCurrentCell(hatch / kHatchColumns, hatch % kHatchColumns);
    Edit4->setText(QString::fromStdString(displayText(*m_slots.imageFile)));
    Edit7->setText(ShortestDecimal(*m_slots.angle));
    Button9->setFocus();
}

void TStyleWindow::RadioButton1Click()
{
    if (!isLoading())
        *m_slots.kind = m_kinds->checkedId();
}

// A user action only: the loading flag never opens a dialog.
void TStyleWindow::pickColour(int colour)
{
    if (const std::optional<int32_t> chosen = chooseColour(m_slots.colours[colour])) {
        m_slots.colours[colour] = *chosen & 0xFFFFFF;
        paintSwatch(colour);
    }
}

void TStyleWindow::paintSwatch(int colour)
{
    QLabel* label = m_swatches[colour];
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ColourFromRef(m_slots.colours[colour]));
    label->setPalette(palette);
}

// The box keeps what was typed; the setting is always in range.
void TStyleWindow::alphaChanged(int alpha)
{
    if (!isLoading())
        m_slots.alphas[alpha] = TextToIntClamped(m_alphaEdits[alpha]->text().toStdString(), 0, 255);
}

void TStyleWindow::Edit7Change()
{
    if (!isLoading())
        *m_slots.angle = TextToFloatClamped(Edit7->text().toStdString(), -kMaxAngleDeg, kMaxAngleDeg);
}

// Typing a path changes nothing; only a file chosen here is taken.
void TStyleWindow::Button5Click()
{
    const QString chosen = chooseImage(Edit4->text());
    if (chosen.isEmpty())
        return;
    // The name goes into the drawing and settings files: one they cannot hold
    // is refused here, not when saving.
    if (const QString refusal = UnencodableMessage(T::kImageFileField, chosen); !refusal.isEmpty()) {
        refuseImage(refusal);
        return;
    }
    Edit4->setText(chosen);
    *m_slots.imageFile = chosen.toStdString();
}

// The blank 54th cell stores its code 53 too; the hatch built from it
// draws as style 0.
void TStyleWindow::DrawGrid1Click()
{
    if (!isLoading())
        *m_slots.hatchStyle = DrawGrid1->currentRow() * kHatchColumns + DrawGrid1->currentColumn();
}

void TStyleWindow::DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int column, bool current)
{
    const int style = column + row * kHatchColumns;
    if (style >= kHatchStyles)
        return;
    surface.MakeHatchBrushRefs(style, 0x000000, current ? kCurrentCellBlue : 0xFFFFFF);
    surface.FillRectangle(QRectF(cell));
}

bool TStyleWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A click on a swatch opens the colour dialog like its button.
    if (event->type() == QEvent::MouseButtonRelease) {
        for (size_t i = 0; i < m_swatches.size(); ++i) {
            if (watched == m_swatches[i]) {
                pickColour(static_cast<int>(i));
                return true;
            }
        }
    }
    return TAttributeWindow::eventFilter(watched, event);
}

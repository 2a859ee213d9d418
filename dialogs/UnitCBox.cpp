// The corner dialog of the cornered rectangles: one row per corner with its
// type list and its width and height fields, Tab walking the rows in order.
#include "dialogs/UnitCBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"

namespace {

constexpr int kTypeCount = 7;
constexpr double kMaxSize = 1000;
// A corner with a shape needs a width and height above this.
constexpr double kSmallestSize = 0.001;

QLabel* heading(QWidget* parent, const char* text)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

double clampedSize(const QLineEdit* edit)
{
    return TextToFloatClamped(edit->text().toStdString(), 0, kMaxSize);
}

}  // namespace

TFormCBox::TFormCBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCBox"));
    setWindowTitle(QString::fromUtf8(DialogText::kCornerTitle));
    setWindowFlags(kDialogFlags);

    auto* grid = new QGridLayout;
    grid->addWidget(heading(this, DialogText::kCornerWidth), 0, 2);
    grid->addWidget(heading(this, DialogText::kCornerHeight), 0, 4);
    for (int corner = 0; corner < 4; ++corner) {
        auto* types = new QComboBox(this);
        types->setObjectName(QStringLiteral("ComboBox%1").arg(corner + 1));
        for (const char* type : DialogText::kCornerTypes)
            types->addItem(QString::fromUtf8(type));
        ComboBox[corner] = types;
        Edit[2 * corner] = numberEdit(this, ("Edit" + std::to_string(2 * corner + 1)).c_str());
        Edit[2 * corner + 1] = numberEdit(this, ("Edit" + std::to_string(2 * corner + 2)).c_str());

        const int line = corner + 1;
        grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kCornerNames[corner]), this), line, 0);
        grid->addWidget(types, line, 1);
        grid->addWidget(Edit[2 * corner], line, 2);
        grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), line, 3);
        grid->addWidget(Edit[2 * corner + 1], line, 4);
        grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), line, 5);
    }
    Button1 = dialogButton(this, "Button1", DialogText::kOk);
    Button2 = dialogButton(this, "Button2", DialogText::kCancel);
    Button1->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TFormCBox::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormCBox::Execute(ConstructionParameters& params)
{
    for (int corner = 0; corner < 4; ++corner) {
        const int32_t type = params.cornerTypes[corner];
        ComboBox[corner]->setCurrentIndex(type >= 0 && type < kTypeCount ? type : 0);
        setNumber(Edit[2 * corner], params.cornerWidths[corner]);
        setNumber(Edit[2 * corner + 1], params.cornerHeights[corner]);
    }
    ComboBox[0]->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    for (int corner = 0; corner < 4; ++corner) {
        params.cornerTypes[corner] = m_types[corner];
        params.cornerWidths[corner] = m_widths[corner];
        params.cornerHeights[corner] = m_heights[corner];
    }
    return true;
}

// Corner by corner, width before height: the first size of a shaped corner
// that is too small to draw, or null when every corner can be drawn.
QLineEdit* TFormCBox::firstTooSmallSize() const
{
    for (int corner = 0; corner < 4; ++corner) {
        if (ComboBox[corner]->currentIndex() == 0)
            continue;
        for (QLineEdit* size : {Edit[2 * corner], Edit[2 * corner + 1]})
            if (fieldNumber(size) <= kSmallestSize)
                return size;
    }
    return nullptr;
}

void TFormCBox::Button1Click()
{
    if (QLineEdit* offending = firstTooSmallSize()) {
        offending->setFocus();
        offending->selectAll();
        return;
    }
    for (int corner = 0; corner < 4; ++corner) {
        m_types[corner] = ComboBox[corner]->currentIndex();
        const bool shaped = m_types[corner] != 0;
        m_widths[corner] = shaped ? clampedSize(Edit[2 * corner]) : 0;
        m_heights[corner] = shaped ? clampedSize(Edit[2 * corner + 1]) : 0;
    }
    accept();
}

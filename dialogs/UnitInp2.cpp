// The polyline point dialog: two radio buttons, each with its list, and the
// OK / Cancel row. Choosing an item of a list also picks that list's radio
// button, so the keyboard path is Tab to a list, arrow to the item, Return.
#include "dialogs/UnitInp2.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"

namespace {

constexpr int kClientWidth = 265, kClientHeight = 159;

QString pointText(int k)
{
    return QString::fromUtf8(DialogText::kPointOpen) + QString::number(k) +
           QString::fromUtf8(DialogText::kPointClose);
}

QString segmentText(int from, int to)
{
    return QString::fromUtf8(DialogText::kPointOpen) + QString::number(from) +
           QString::fromUtf8(DialogText::kPointTo) + QString::number(to) +
           QString::fromUtf8(DialogText::kPointClose);
}

}  // namespace

TFormInp2::TFormInp2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormInp2"));
    setWindowTitle(QString::fromUtf8(DialogText::kPointsTitle));
    setWindowFlags(kDialogFlags);

    RadioButton1 = new QRadioButton(QString::fromUtf8(DialogText::kAddPoint), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    RadioButton2 = new QRadioButton(QString::fromUtf8(DialogText::kRemovePoint), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    Button1 = dialogButton(this, "Button1", DialogText::kOk);
    Button2 = dialogButton(this, "Button2", DialogText::kCancel);
    Button1->setDefault(true);
    RadioButton1->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(RadioButton1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(RadioButton2, 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumSize(kClientWidth, kClientHeight);

    connect(ComboBox1, &QComboBox::activated, RadioButton1, [this] { RadioButton1->setChecked(true); });
    connect(ComboBox2, &QComboBox::activated, RadioButton2, [this] { RadioButton2->setChecked(true); });
    connect(Button1, &QPushButton::clicked, this, &TFormInp2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormInp2::fillLists(int pointCount)
{
    ComboBox1->clear();
    ComboBox2->clear();
    for (int k = 1; k < pointCount; ++k)
        ComboBox1->addItem(segmentText(k, k + 1));
    if (pointCount >= 1)
        ComboBox1->addItem(segmentText(pointCount, 1));
    for (int k = 1; k <= pointCount; ++k)
        ComboBox2->addItem(pointText(k));
    ComboBox1->setCurrentIndex(pointCount >= 1 ? 0 : -1);
    ComboBox2->setCurrentIndex(pointCount >= 1 ? 0 : -1);
}

bool TFormInp2::Execute(int pointCount, PolyPointChoice& choice)
{
    fillLists(pointCount);
    RadioButton1->setChecked(true);
    RadioButton1->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    choice = m_result;
    return true;
}

void TFormInp2::Button1Click()
{
    const bool remove = RadioButton2->isChecked();
    const QComboBox* list = remove ? ComboBox2 : ComboBox1;
    if (remove && list->count() < kMinPointsToRemove)
        return;
    if (list->currentIndex() < 0)  // no points at all: nothing to choose
        return;
    m_result.operation = remove ? PolyPointOperation::Remove : PolyPointOperation::Add;
    m_result.index = list->currentIndex();
    accept();
}

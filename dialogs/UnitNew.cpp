// The new-drawing / image-size dialog.
#include "dialogs/UnitNew.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"
#include "geometry/func.h"

TFormNew::TFormNew(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNew"));
    setWindowFlags(kDialogFlags);
    Edit1 = numberEdit(this, "Edit1");
    Edit2 = numberEdit(this, "Edit2");
    Button1 = new QPushButton(QString::fromUtf8(DialogText::kOk), this);
    Button2 = new QPushButton(QString::fromUtf8(DialogText::kCancel), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kWidth), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), 0, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kHeight), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(DialogText::kDots), this), 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TFormNew::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormNew::Execute(const QString& caption, int& width, int& height)
{
    setWindowTitle(caption);
    Edit1->setText(QString::number(width));
    Edit2->setText(QString::number(height));
    Edit1->setFocus();
    Edit1->selectAll();
    if (exec() != QDialog::Accepted)
        return false;
    width = m_width;
    height = m_height;
    return true;
}

void TFormNew::Button1Click()
{
    m_width = TextToIntClamped(Edit1->text().toStdString(), kMinSide, kMaxSide);
    m_height = TextToIntClamped(Edit2->text().toStdString(), kMinSide, kMaxSide);
    accept();
}

// The numeric dialog of the Draw commands: a grid of seven rows (name, field,
// unit) beside the OK / Cancel column. Hidden rows take no room, so the
// window is as tall as the command's questions.
#include "dialogs/UnitInp1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"

namespace {

constexpr int kFieldLength = 12;
constexpr int kFieldWidth = 110;

}  // namespace

TFormInp1::TFormInp1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormInp1"));
    setWindowTitle(QString::fromUtf8(DialogText::kNumericTitle));
    setWindowFlags(kDialogFlags);

    auto* grid = new QGridLayout;
    for (size_t row = 0; row < Edit.size(); ++row) {
        const std::string number = std::to_string(row + 1);
        LabelA[row] = new QLabel(this);
        LabelA[row]->setObjectName(QString::fromStdString("LabelA" + number));
        Edit[row] = numberEdit(this, ("Edit" + number).c_str(), kFieldLength);
        Edit[row]->setFixedWidth(kFieldWidth);
        LabelB[row] = new QLabel(this);
        LabelB[row]->setObjectName(QString::fromStdString("LabelB" + number));
        const int line = static_cast<int>(row);
        grid->addWidget(LabelA[row], line, 0);
        grid->addWidget(Edit[row], line, 1);
        grid->addWidget(LabelB[row], line, 2);
    }
    Button1 = dialogButton(this, "Button1", DialogText::kOk);
    Button2 = dialogButton(this, "Button2", DialogText::kCancel);
    Button1->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormInp1::Execute(NumericRows& rows)
{
    for (size_t row = 0; row < rows.size(); ++row) {
        const NumericRow& asked = rows[row];
        LabelA[row]->setText(asked.name);
        LabelB[row]->setText(asked.unit);
        setNumber(Edit[row], asked.value);
        Edit[row]->setToolTip(QString::fromUtf8(DialogText::kMinimum) + numberText(asked.minimum, kFieldLength) +
                              QString::fromUtf8(DialogText::kMaximum) + numberText(asked.maximum, kFieldLength));
        for (QWidget* widget : {static_cast<QWidget*>(LabelA[row]), static_cast<QWidget*>(Edit[row]),
                                static_cast<QWidget*>(LabelB[row])})
            widget->setVisible(asked.visible);
    }
    Edit[0]->setFocus();
    Edit[0]->selectAll();
    if (exec() != QDialog::Accepted)
        return false;
    for (size_t row = 0; row < rows.size(); ++row) {
        NumericRow& asked = rows[row];
        if (!asked.visible)
            continue;
        asked.value = TextToFloatClamped(Edit[row]->text().toStdString(), asked.minimum, asked.maximum);
    }
    return true;
}

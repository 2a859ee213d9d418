// The text dialog. The font list holds the installed families and the
// Windows names the renderer maps onto them (so a drawing keeps the names it
// was made with); the text line shows the text in the font chosen. OK walks
// the checks in field order and stops at the first field that fails.
#include "dialogs/UnitMoji.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "dialogs/dialog_texts.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/unencodable_text.h"
#include "render/fonts.h"
#include "storage/cp932.h"

namespace {

constexpr int kDialogFontPixels = 13;
constexpr int kMinSize = 3, kMaxSize = 1000;
constexpr double kMaxAngle = 360;
constexpr double kMinRatio = 0.01, kMaxRatio = 100;
constexpr int kAnchorCount = 9;
constexpr int kTextLength = 255;

bool isExcludedFont(const QString& name)
{
    const auto& prefixes = DialogText::kExcludedFontPrefixes;
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&](const char* prefix) { return name.startsWith(QString::fromUtf8(prefix)); });
}

// A family that several foundries make is listed as "family [foundry]"; a
// drawing names the family only.
QString withoutFoundry(const QString& family)
{
    const qsizetype bracket = family.indexOf(QStringLiteral(" ["));
    return bracket > 0 && family.endsWith(u']') ? family.left(bracket) : family;
}

// At least one character that is not a space, a full-width space or a
// control character.
bool hasVisibleCharacter(const QString& text)
{
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.begin(), characters.end(),
                       [](uint c) { return c >= 32 && c != u' ' && c != 0x3000; });
}

QLabel* label(QWidget* parent, const char* text)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);  // the arrow keys in the size field do the same
    button->setAutoRepeat(true);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

TFormMoji::TFormMoji(QWidget* parent) : QDialog(parent)
{
    installFontSubstitutions();
    setObjectName(QStringLiteral("FormMoji"));
    setWindowTitle(QString::fromUtf8(DialogText::kTextTitle));
    setWindowFlags(kDialogFlags);
    QFont dialogFont(QString::fromUtf8(kDefaultTextFontName));
    dialogFont.setPixelSize(kDialogFontPixels);
    setFont(dialogFont);

    // Created in field order: that is the Tab order.
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumWidth(260);
    Edit1 = numberEdit(this, "Edit1");
    UpDown1 = {arrowButton(this, Qt::UpArrow), arrowButton(this, Qt::DownArrow)};
    Edit2 = numberEdit(this, "Edit2", 10);
    Edit3 = numberEdit(this, "Edit3", 10);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    for (const char* anchor : DialogText::kAnchors)
        ComboBox2->addItem(QString::fromUtf8(anchor));
    for (size_t style = 0; style < CheckBox.size(); ++style) {
        CheckBox[style] = new QCheckBox(QString::fromUtf8(DialogText::kStyles[style]), this);
        CheckBox[style]->setObjectName(QStringLiteral("CheckBox%1").arg(style + 1));
    }
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setStyleSheet(QStringLiteral("color: #C00000"));
    LabelMessage->setWordWrap(true);
    LabelMessage->hide();
    Button1 = dialogButton(this, "Button1", DialogText::kOk);
    Button2 = dialogButton(this, "Button2", DialogText::kCancel);
    Button1->setDefault(true);

    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(UpDown1[0]);
    upDown->addWidget(UpDown1[1]);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(label(this, DialogText::kSize));
    numbers->addWidget(Edit1);
    numbers->addLayout(upDown);
    numbers->addSpacing(8);
    numbers->addWidget(label(this, DialogText::kAngle));
    numbers->addWidget(Edit2);
    numbers->addSpacing(8);
    numbers->addWidget(label(this, DialogText::kRatioX));
    numbers->addWidget(Edit3);
    numbers->addStretch(1);
    auto* styles = new QHBoxLayout;
    styles->addWidget(label(this, DialogText::kAnchor));
    styles->addWidget(ComboBox2);
    styles->addSpacing(8);
    for (QCheckBox* box : CheckBox)
        styles->addWidget(box);
    styles->addStretch(1);
    auto* font = new QHBoxLayout;
    font->addWidget(label(this, DialogText::kFont));
    font->addWidget(ComboBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(font);
    layout->addLayout(numbers);
    layout->addLayout(styles);
    layout->addWidget(Edit4);
    layout->addWidget(LabelMessage);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ComboBox1->installEventFilter(this);
    Edit1->installEventFilter(this);
    connect(ComboBox1, &QComboBox::activated, this, &TFormMoji::showTextInChosenFont);
    connect(UpDown1[0], &QToolButton::clicked, this, [this] { stepSize(1); });
    connect(UpDown1[1], &QToolButton::clicked, this, [this] { stepSize(-1); });
    connect(Button1, &QPushButton::clicked, this, &TFormMoji::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList TFormMoji::listedFontNames()
{
    QStringList names = mappedFontNames();
    for (const QString& family : QFontDatabase::families())
        names << withoutFoundry(family);
    names.erase(std::remove_if(names.begin(), names.end(), isExcludedFont), names.end());
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool TFormMoji::Execute(ConstructionParameters& params)
{
    const int anchor = params.textAnchor >= 0 && params.textAnchor < kAnchorCount ? params.textAnchor : 0;
    setNumber(Edit1, params.textSize);
    setNumber(Edit2, params.textAngleDeg);
    setNumber(Edit3, params.textRatioX);
    ComboBox2->setCurrentIndex(anchor);
    for (size_t style = 0; style < CheckBox.size(); ++style)
        CheckBox[style]->setChecked((params.textStyle >> style) & 1);
    // A longer text from a drawing file is offered whole, never cut.
    m_offeredText = params.text;
    const QString text = QString::fromStdString(displayText(params.text));
    Edit4->setMaxLength(std::max(kTextLength, static_cast<int>(text.size())));
    Edit4->setText(text);
    LabelMessage->clear();
    LabelMessage->hide();

    // Installed fonts may have changed since the last use.
    m_fonts = listedFontNames();
    const QString fontName = QString::fromStdString(displayText(params.fontName));
    ComboBox1->clear();
    ComboBox1->addItems(m_fonts);
    ComboBox1->setCurrentIndex(static_cast<int>(m_fonts.indexOf(fontName)));
    ComboBox1->setEditText(fontName);
    showTextInChosenFont();
    ComboBox1->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    params.textSize = m_result.textSize;
    params.textAngleDeg = m_result.textAngleDeg;
    params.textRatioX = m_result.textRatioX;
    params.textAnchor = m_result.textAnchor;
    params.textStyle = m_result.textStyle;
    params.fontName = m_result.fontName;
    params.text = m_result.text;
    return true;
}

void TFormMoji::showTextInChosenFont()
{
    QFont font(ComboBox1->currentText());
    font.setPixelSize(kDialogFontPixels);
    Edit4->setFont(font);
}

void TFormMoji::stepSize(int step)
{
    const double size = std::clamp(std::trunc(fieldNumber(Edit1)), 0.0, double(kMaxSize));
    Edit1->setText(QString::number(std::clamp(static_cast<int>(size) + step, kMinSize, kMaxSize)));
}

// The checks in field order; the field of the first that fails, or null.
QWidget* TFormMoji::firstOffendingField()
{
    const QString fontName = ComboBox1->currentText();
    if (!m_fonts.contains(fontName))
        return ComboBox1;
    if (refuseUnencodable(fontName, DialogText::kFontNameField))
        return ComboBox1;
    const double size = fieldNumber(Edit1);
    if (size < kMinSize || size > kMaxSize)
        return Edit1;
    const double angle = fieldNumber(Edit2);
    if (angle < -kMaxAngle || angle > kMaxAngle)
        return Edit2;
    const double ratio = std::abs(fieldNumber(Edit3));
    if (ratio < kMinRatio || ratio > kMaxRatio)
        return Edit3;
    if (!hasVisibleCharacter(Edit4->text()))
        return Edit4;
    if (refuseUnencodable(typedText(), DialogText::kTextField))
        return Edit4;
    return nullptr;
}

// What the user typed into the offered text: bytes kept from a file, shown as
// replacement signs, are not the user's and are not checked.
QString TFormMoji::typedText() const
{
    return QString::fromStdString(applyShownEdit(m_offeredText, Edit4->text().toStdString()).typed);
}

// True (with the message shown) when the drawing file could not store value:
// a character Shift-JIS lacks, or a line break, which would split the file's
// one-value-per-line records.
bool TFormMoji::refuseUnencodable(const QString& value, const char* what)
{
    const QString message = UnencodableMessage(what, value);
    if (message.isEmpty())
        return false;
    LabelMessage->setText(message);
    LabelMessage->show();
    return true;
}

void TFormMoji::Button1Click()
{
    LabelMessage->clear();
    LabelMessage->hide();
    if (QWidget* offending = firstOffendingField()) {
        offending->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(offending))
            edit->selectAll();
        return;
    }
    m_result.textSize = fieldNumber(Edit1);
    m_result.textAngleDeg = fieldNumber(Edit2);
    m_result.textRatioX = fieldNumber(Edit3);
    m_result.textAnchor = ComboBox2->currentIndex();
    m_result.textStyle = 0;
    for (size_t style = 0; style < CheckBox.size(); ++style)
        if (CheckBox[style]->isChecked())
            m_result.textStyle |= 1 << style;
    m_result.fontName = ComboBox1->currentText().toStdString();
    m_result.text = applyShownEdit(m_offeredText, Edit4->text().toStdString()).text;
    accept();
}

bool TFormMoji::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ComboBox1 && event->type() == QEvent::FocusOut)
        showTextInChosenFont();
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepSize(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

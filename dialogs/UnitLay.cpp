// The layer window. Row r of the grid is layer r (shown as r + 1); the
// horizontal header is the grid's fixed row. The number and mark columns are
// not editable and take no keyboard cursor, so arrows move along the names.
#include "dialogs/UnitLay.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSizeGrip>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

#include "dialogs/attribute_texts.h"
#include "model/attributes.h"
#include "model/data.h"
#include "storage/cp932.h"

namespace {

namespace T = AttributeText;

constexpr int kNumberColumn = 0, kMarkColumn = 1, kNameColumn = 2;
const QColor kCurrentRowColour(0x80, 0x80, 0xFF);  // 0xFF8080 as a colour reference

// Draws the cells as the layer grid shows them: the number and mark columns
// as fixed cells, the name column on the grid's colour or light blue in the
// current row, text at (left + 2, top + 2); and reports every keystroke of
// the in-place name editor.
class LayerCellDelegate : public QStyledItemDelegate {
public:
    explicit LayerCellDelegate(TFormLay* window) : QStyledItemDelegate(window), m_window(window) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool fixed = index.column() != kNameColumn;
        const bool current = index.row() == m_window->SG1->currentRow();
        const QPalette& palette = option.palette;
        QColor background = fixed ? palette.color(QPalette::Button)
                                  : current ? kCurrentRowColour : palette.color(QPalette::Base);
        painter->save();
        painter->fillRect(option.rect, background);
        painter->setClipRect(option.rect);
        painter->setPen(palette.color(QPalette::Active, QPalette::Text));
        painter->setFont(option.font);
        const QRect textRect = option.rect.adjusted(2, 2, 0, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const int row = index.row();
        QObject::connect(editor, &QLineEdit::textEdited, editor, [this, editor, row](const QString& text) {
            if (!m_window->SG1SetEditText(row, text))
                editor->setText(m_accepted);
            else
                m_accepted = text;
        });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        m_accepted = index.data(Qt::EditRole).toString();
        static_cast<QLineEdit*>(editor)->setText(m_accepted);
    }

private:
    TFormLay* m_window;
    mutable QString m_accepted;  // the name as last accepted while editing
};

QString layerNumber(int row)
{
    return QString::number(row + 1).rightJustified(3, QLatin1Char(' '));
}

}  // namespace

TFormLay::TFormLay(std::vector<Layer>& layers, CurrentAttributes& attributes, bool& openFlag, QWidget* parent)
    : TAttributeWindow("FormLay", T::kLayerTitle, openFlag, parent), m_layers(layers), m_attributes(attributes)
{
    refuseName = [this](const QString& text) {
        QMessageBox::warning(this, QString::fromUtf8(T::kNameRefusedTitle), text);
    };

    SG1 = new QTableWidget(kLayerCount, 3, this);
    SG1->setObjectName(QStringLiteral("SG1"));
    SG1->setHorizontalHeaderLabels({QString::fromUtf8(T::kLayerNumber), QString::fromUtf8(T::kLayerShown),
                                    QString::fromUtf8(T::kLayerName)});
    SG1->verticalHeader()->hide();
    SG1->verticalHeader()->setDefaultSectionSize(SG1->fontMetrics().height() + 6);
    SG1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SG1->horizontalHeader()->setHighlightSections(false);
    SG1->horizontalHeader()->setMinimumSectionSize(kMarkWidth);
    SG1->setColumnWidth(kNumberColumn, kNumberWidth);
    SG1->setColumnWidth(kMarkColumn, kMarkWidth);
    SG1->setColumnWidth(kNameColumn, kMinNameWidth);
    SG1->setSelectionMode(QAbstractItemView::NoSelection);
    SG1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    SG1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG1->setItemDelegate(new LayerCellDelegate(this));
    for (int row = 0; row < kLayerCount; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem;
            // The fixed columns take neither the cursor nor an editor.
            item->setFlags(column == kNameColumn ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                                 : Qt::NoItemFlags);
            SG1->setItem(row, column, item);
        }
        SG1->item(row, kNumberColumn)->setText(layerNumber(row));
    }
    SG1->viewport()->installEventFilter(this);
    SG1->installEventFilter(this);

    Button1 = makeCloseButton("Button1");
    Button2 = new QPushButton(QString::fromUtf8(T::kAllOn), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QString::fromUtf8(T::kAllOff), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton* button : {Button1, Button2, Button3}) {
        button->setAutoDefault(false);
        // Narrow enough for the window's design width.
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 12);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    bottom->addWidget(Button3);
    bottom->addStretch(1);
    bottom->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(SG1, 1);
    layout->addLayout(bottom);
    resize(196, 452);

    connect(SG1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (!isLoading() && row >= 0)
            SG1Click(row);
        // The light-blue row follows the current row.
        if (previousRow >= 0)
            SG1->viewport()->update(SG1->visualRect(SG1->model()->index(previousRow, kNameColumn)));
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TFormLay::focusWindowChanged);
    connect(Button2, &QPushButton::clicked, this, [this] { setAllVisible(true); });
    connect(Button3, &QPushButton::clicked, this, [this] { setAllVisible(false); });
}

Layer* TFormLay::layer(int row)
{
    return row >= 0 && static_cast<size_t>(row) < m_layers.size() ? &m_layers[static_cast<size_t>(row)] : nullptr;
}

void TFormLay::fillControls()
{
    for (int row = 0; row < kLayerCount; ++row) {
        showMark(row);
        const Layer* l = layer(row);
        SG1->item(row, kNameColumn)->setText(l ? QString::fromStdString(displayText(l->name)) : QString());
    }
    const int current = std::clamp(m_attributes.currentLayer, 0, kLayerCount - 1);
    SG1->setCurrentCell(current, kNameColumn);
    SG1->scrollToItem(SG1->item(current, kNameColumn));
    SG1->setFocus();
}

void TFormLay::showMark(int row)
{
    const Layer* l = layer(row);
    SG1->item(row, kMarkColumn)
        ->setText(QString::fromUtf8(!l || l->visible ? T::kShownMark : T::kHiddenMark));
}

// Choosing a layer as current always shows it.
void TFormLay::SG1Click(int row)
{
    Layer* l = layer(row);
    if (!l)
        return;
    m_attributes.currentLayer = row;
    l->visible = true;
    showMark(row);
}

void TFormLay::toggleLayer(int row)
{
    if (Layer* l = layer(row)) {
        l->visible = !l->visible;
        showMark(row);
    }
}

void TFormLay::setAllVisible(bool visible)
{
    for (Layer& l : m_layers)
        l.visible = visible;
    for (int row = 0; row < kLayerCount; ++row)
        showMark(row);
}

bool TFormLay::SG1SetEditText(int row, const QString& text)
{
    Layer* l = layer(row);
    if (isLoading() || !l)
        return false;
    // Bytes kept from the file stay where the edit left them; only the typed
    // part is checked.
    const EditedText edit = applyShownEdit(l->name, text.toStdString());
    std::string encoded;
    EncodeFailure failure;
    const bool lineBreak = edit.typed.find_first_of("\r\n") != std::string::npos;
    if (lineBreak || !utf8ToCp932(edit.typed, encoded, &failure)) {
        const std::string name = lineBreak ? std::string("U+000A") : codePointName(failure.character);
        refuseName(QString::fromUtf8(T::kNameRefused) + QString::fromStdString(name));
        return false;
    }
    l->name = edit.text;
    return true;
}

void TFormLay::FormResize()
{
    const int nameWidth = SG1->viewport()->width() - SG1->columnWidth(kNumberColumn) - SG1->columnWidth(kMarkColumn);
    SG1->setColumnWidth(kNameColumn, std::max(kMinNameWidth, nameWidth));
}

// A tool window counts as active while its main window is, so losing the
// focus is watched on the application's focus window instead.
void TFormLay::focusWindowChanged(QWindow* focused)
{
    const bool focusedNow = focused && focused == windowHandle();
    if (m_hadFocus && !focusedNow && repaintCanvas)
        repaintCanvas();
    m_hadFocus = focusedNow;
}

bool TFormLay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SG1->viewport() && event->type() == QEvent::Resize)
        FormResize();
    // A press on a layer's number or mark toggles it without moving the
    // current row.
    if (watched == SG1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int column = SG1->columnAt(p.x()), row = SG1->rowAt(p.y());
        if ((column == kNumberColumn || column == kMarkColumn) && row >= 0) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                toggleLayer(row);
            return true;
        }
    }
    // From the keyboard, Space toggles the current row's layer (the grid
    // sees no keys while its name editor is open).
    if (watched == SG1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            toggleLayer(SG1->currentRow());
            return true;
        }
    }
    return TAttributeWindow::eventFilter(watched, event);
}

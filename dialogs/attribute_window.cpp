// The common behaviour of the attribute windows.
#include "dialogs/attribute_window.h"

#include <QColorDialog>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>

#include "dialogs/attribute_texts.h"

TAttributeWindow::TAttributeWindow(const char* objectName, const char* title, bool& openFlag,
                                   QWidget* parent)
    : QDialog(parent), m_openFlag(openFlag)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromUtf8(title));
    // A tool window beside the main window: system menu and minimize, no
    // help button; it stays usable while the user draws.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(false);
    QFont windowFont = font();
    windowFont.setFamilies({QString::fromUtf8(AttributeText::kFontFamily), windowFont.family()});
    setFont(windowFont);
}

QPushButton* TAttributeWindow::makeCloseButton(const char* objectName)
{
    m_closeButton = new QPushButton(QString::fromUtf8(AttributeText::kClose), this);
    m_closeButton->setObjectName(QString::fromLatin1(objectName));
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
    return m_closeButton;
}

void TAttributeWindow::openWindow()
{
    m_openFlag = true;
    if (isVisible()) {
        FormShow();
        raise();
        activateWindow();
        return;
    }
    show();
}

void TAttributeWindow::FormShow()
{
    m_loading = true;
    fillControls();
    m_loading = false;
}

void TAttributeWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Esc, the "&X" button and the title bar's close all end here.
void TAttributeWindow::done(int result)
{
    m_openFlag = false;
    windowClosed();
    QDialog::done(result);
}

QString ShortestDecimal(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QColor ColourFromRef(int32_t ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

int32_t RefFromColour(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

ColourQuestion ColourDialogQuestion(QWidget* parent)
{
    return [parent](int32_t current) -> std::optional<int32_t> {
        const QColor colour = QColorDialog::getColor(ColourFromRef(current), parent);
        if (!colour.isValid())
            return std::nullopt;
        return RefFromColour(colour);
    };
}

// The two-panel status bar. Panels are sunken labels of fixed width; the
// main window sets panel 0's width when it is resized.
#include "app/status_bar.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
constexpr int kInitialWidths[TStatusBar::kPanelCount] = {300, 150};
}

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kPanelCount; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i]->setTextFormat(Qt::PlainText);
        m_panels[i]->setFixedWidth(kInitialWidths[i]);
        m_panels[i]->setMinimumHeight(m_panels[i]->sizeHint().height() + 2);
        layout->addWidget(m_panels[i]);
    }
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void TStatusBar::setPanelText(int panel, const QString& text)
{
    if (panel < 0 || panel >= kPanelCount)
        return;
    m_panels[panel]->setText(text);
    m_panels[panel]->repaint();
}

QString TStatusBar::panelText(int panel) const
{
    return panel >= 0 && panel < kPanelCount ? m_panels[panel]->text() : QString();
}

void TStatusBar::setPanelWidth(int panel, int width)
{
    if (panel >= 0 && panel < kPanelCount)
        m_panels[panel]->setFixedWidth(width);
}

int TStatusBar::panelWidth(int panel) const
{
    return panel >= 0 && panel < kPanelCount ? m_panels[panel]->width() : 0;
}

// StatusBar1: the two panels under the canvas. Panel 0 is the prompt line,
// panel 1 the operation line. Every write repaints the bar at once, so a text
// set in the middle of a long command is on screen before the command ends.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

class TStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    static constexpr int kPanelCount = 2;

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    void setPanelWidth(int panel, int width);
    int panelWidth(int panel) const;

private:
    QLabel* m_panels[kPanelCount];
};

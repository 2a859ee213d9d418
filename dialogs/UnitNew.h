// TFormNew: the modal dialog asking for the size of the image area, shared by
// "新規作成" (a new empty drawing of that size) and "画像サイズ設定" (a new
// size for the current drawing). It works on copies: the caller hands the
// size in and takes it back only on OK. Sizes are clamped to 4..4000 pixels.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TFormNew : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinSide = 4;
    static constexpr int kMaxSide = 4000;

    explicit TFormNew(QWidget* parent = nullptr);

    // Shows the dialog modally with this caption; true on OK, with width and
    // height replaced by the clamped entries. On Cancel they are unchanged.
    bool Execute(const QString& caption, int& width, int& height);

    QLineEdit* Edit1 = nullptr;  // width
    QLineEdit* Edit2 = nullptr;  // height
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void Button1Click();
    int m_width = 0;
    int m_height = 0;
};

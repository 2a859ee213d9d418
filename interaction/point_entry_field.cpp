// The floating entry field. Only printable characters and Backspace reach
// the line edit; a refused text is marked by a pink base colour until the
// next edit.
#include "interaction/point_entry_field.h"

#include <QKeyEvent>
#include <QPalette>

#include <algorithm>

namespace {

constexpr int kCursorGap = 14;  // pixels right of and below the cursor
constexpr int kFieldWidth = 140;
const QColor kRefusedBase(255, 200, 200);

}  // namespace

TPointEntryField::TPointEntryField(QWidget* canvas) : QLineEdit(canvas)
{
    setObjectName(QStringLiteral("PointEntry"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedWidth(kFieldWidth);
    hide();
}

void TPointEntryField::open(const QString& text, QPoint cursor)
{
    setRefused(false);
    setText(text);
    follow(cursor);
    show();
    raise();
}

void TPointEntryField::close()
{
    hide();
    clear();
    setRefused(false);
}

void TPointEntryField::follow(QPoint cursor)
{
    const QWidget* canvas = parentWidget();
    int x = cursor.x() + kCursorGap, y = cursor.y() + kCursorGap;
    if (canvas) {
        // Flip to the other side of the cursor near the right and bottom edges.
        if (x + width() > canvas->width())
            x = cursor.x() - kCursorGap - width();
        if (y + height() > canvas->height())
            y = cursor.y() - kCursorGap - height();
        x = std::clamp(x, 0, std::max(0, canvas->width() - width()));
        y = std::clamp(y, 0, std::max(0, canvas->height() - height()));
    }
    move(x, y);
}

bool TPointEntryField::edit(QKeyEvent* event)
{
    const bool editing = event->key() == Qt::Key_Backspace ||
                         (!event->text().isEmpty() && event->text().at(0).isPrint() &&
                          !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)));
    if (!editing)
        return false;
    keyPressEvent(event);
    setRefused(false);
    return true;
}

void TPointEntryField::setRefused(bool refused)
{
    m_refused = refused;
    QPalette p = palette();
    p.setColor(QPalette::Base, refused ? kRefusedBase : QPalette().color(QPalette::Base));
    setPalette(p);
}

bool TPointEntryField::opensField(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString t = event.text();
    if (t.size() != 1)
        return false;
    const QChar c = t.at(0);
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('<');
}

// The point input beside the clicks: which steps take typed points, the
// rubber band's end under the entry and the angle lock, the click a typed
// point stands for, and the texts of the readout and the entry.
#include "interaction/point_input.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/angle_lock.h"
#include "interaction/command_machine.h"
#include "interaction/interaction_state.h"
#include "interaction/point_entry_texts.h"

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Up to three decimals, trailing zeros dropped, never "-0".
QString number(double v)
{
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

std::optional<PointD> bandAnchor(const CommandContext& ctx)
{
    return BandFromLastPoint(ctx.state) ? ctx.state.pointInput.lastPoint : std::nullopt;
}

}  // namespace

bool TakesTypedPoints(int commandMode)
{
    const auto info = LookupMode(commandMode);
    return info && info->method->takesPoints;
}

bool BandFromLastPoint(const InteractionState& s)
{
    const auto info = LookupMode(s.CommandMode);
    if (!info || !s.pointInput.lastPoint || info->step >= static_cast<int>(info->method->steps.size()))
        return false;
    const CommandMethod& m = *info->method;
    if (m.change)
        return true;
    if (!m.steps[static_cast<size_t>(info->step)].preview)
        return false;
    return info->step > 0 || (m.sequence != SequenceShape::None && s.construction.nextPoint > 1);
}

PointD CursorEnd(const CommandContext& ctx, int pixelX, int pixelY)
{
    const PointD raw = PixelToWorld(ctx.state.view.view, pixelX, pixelY);
    const auto anchor = bandAnchor(ctx);
    if (!anchor || !ctx.state.pointInput.shiftHeld)
        return raw;
    return LockToAngle(*anchor, raw, raw);
}

EntryPoint TypedPoint(const CommandContext& ctx)
{
    const PointInput& in = ctx.state.pointInput;
    std::optional<PointD> toward;
    if (in.cursorSeen)
        toward = CursorEnd(ctx, in.cursorX, in.cursorY);
    return EvaluatePointEntry(in.text.toStdString(), in.lastPoint, toward);
}

PointD RubberBandEnd(const CommandContext& ctx, int pixelX, int pixelY)
{
    if (ctx.state.pointInput.typing) {
        if (const EntryPoint typed = TypedPoint(ctx); typed.error == EntryError::None)
            return typed.point;
    }
    return CursorEnd(ctx, pixelX, pixelY);
}

void LockClickAngle(const CommandContext& ctx, ClickPoint& click)
{
    const auto anchor = bandAnchor(ctx);
    if (!anchor)
        return;
    const PointD pressed = PixelToWorld(ctx.state.view.view, click.pixelX, click.pixelY);
    click.point = LockToAngle(*anchor, pressed, click.point);
    click.rounded = click.point;
    click.snapped = false;
}

ClickPoint TypedClick(const CommandContext& ctx, PointD point)
{
    ClickPoint click;
    click.point = point;
    click.rounded = point;
    // The pixel under the point, for the rules that look at pixels.
    const ViewTransform& v = ctx.state.view.view;
    const auto pixel = [](double screen) {
        return static_cast<int>(std::clamp(std::floor(screen), -1e9, 1e9));
    };
    click.pixelX = click.releaseX = pixel(v.toScreenX(point.x));
    click.pixelY = click.releaseY = pixel(v.toScreenY(point.y));
    return click;
}

QString CursorReadoutText(const CommandContext& ctx, int pixelX, int pixelY)
{
    PointD next;
    EntryPoint typed{{}, EntryError::NotAForm};
    if (ctx.state.pointInput.typing)
        typed = TypedPoint(ctx);
    if (typed.error == EntryError::None) {
        next = typed.point;
    } else {
        ClickPoint click = PointOfClick(ctx, pixelX, pixelY);
        if (ctx.state.pointInput.shiftHeld)
            LockClickAngle(ctx, click);
        next = click.point;
    }
    QString out = number(next.x) + QStringLiteral(", ") + number(next.y);
    if (const auto anchor = bandAnchor(ctx)) {
        const double dx = next.x - anchor->x, dy = next.y - anchor->y;
        double angleDeg = std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
        if (angleDeg < 0)
            angleDeg += 360.0;
        out += QStringLiteral("  ") + text(PointEntryText::kLength) + QLatin1Char(' ') + number(std::hypot(dx, dy)) +
               QStringLiteral("  ") + text(PointEntryText::kAngle) + QLatin1Char(' ') + number(angleDeg) +
               text(PointEntryText::kDegree);
    }
    return out;
}

QString EntryEchoText(const QString& typed)
{
    return text(PointEntryText::kEcho) + typed;
}

QString EntryRefusalText(EntryError error)
{
    switch (error) {
    case EntryError::None: return {};
    case EntryError::NotAForm: return text(PointEntryText::kNotAForm);
    case EntryError::OutOfRange: return text(PointEntryText::kOutOfRange);
    case EntryError::NoLastPoint: return text(PointEntryText::kNoLastPoint);
    case EntryError::NoDirection: return text(PointEntryText::kNoDirection);
    }
    return {};
}

// Kind codes and their undo-message labels.
#include "model/element_kind.h"

namespace {
struct KindInfo {
    ElementKind kind;
    std::string_view label;
};

constexpr KindInfo kKindInfo[] = {
    {ElementKind::Line, "線分"},
    {ElementKind::Point, "点"},
    {ElementKind::Rect, "長方形"},
    {ElementKind::CornerRect, "角付長方形"},
    {ElementKind::Circle, "円"},
    {ElementKind::Ellipse, "楕円"},
    {ElementKind::Arc, "円弧"},
    {ElementKind::EllipticArc, "楕円弧"},
    {ElementKind::Pie, "扇形"},
    {ElementKind::Chord, "弓形"},
    {ElementKind::Outside, "円外側形"},
    {ElementKind::Ring, "同心円形"},
    {ElementKind::Polyline, "ポリライン"},
    {ElementKind::Polygon, "ポリゴン"},
    {ElementKind::Bezier, "ベジェ曲線"},
    {ElementKind::OpenSpline, "開Ｃスプライン曲線"},
    {ElementKind::ClosedSpline, "閉Ｃスプライン曲線"},
    {ElementKind::Text, "文字"},
};

const KindInfo* findInfo(int32_t code)
{
    for (const KindInfo& info : kKindInfo)
        if (static_cast<int32_t>(info.kind) == code)
            return &info;
    return nullptr;
}
}  // namespace

std::optional<ElementKind> kindFromCode(int32_t code)
{
    if (const KindInfo* info = findInfo(code))
        return info->kind;
    return std::nullopt;
}

std::string_view kindLabel(int32_t code)
{
    const KindInfo* info = findInfo(code);
    return info ? info->label : std::string_view{};
}

// Appending a record of a known kind: the one place the editing commands go
// from a (kind, record) pair read out of the drawing back to the Drawing's
// Append operation of that kind. Pie, chord and outside shape share a record
// type, as do the three open and the two closed point-list kinds.
#pragma once

#include "model/data.h"

int32_t AppendRecord(Drawing&, ElementKind, const LineRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const PointRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const RectRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const CornerRectRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const CircleRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const EllipseRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const ArcRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const EllipticArcRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const SectorRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const RingRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const OpenPathRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const ClosedPathRecord&);
int32_t AppendRecord(Drawing&, ElementKind, const TextRecord&);

// Appends a copy of the element after edit(copy) returned true; the copy is
// taken first, so the append may grow the table the original lives in.
// False (nothing appended) for an unknown kind, a bad index or a refusal.
template <class Edit> bool AppendEditedCopy(Drawing& d, const ElementRef& ref, Edit&& edit)
{
    bool appended = false;
    visitElement(d, ref, [&](ElementKind kind, const auto& record) {
        auto copy = record;
        if (edit(copy)) {
            AppendRecord(d, kind, copy);
            appended = true;
        }
    });
    return appended;
}

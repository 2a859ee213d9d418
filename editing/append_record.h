// Appending an edited copy of an element: the editing commands read a
// (kind, record) pair out of the drawing and append the changed record to
// the same kind's table through Drawing::Append.
#pragma once

#include "model/data.h"

// Appends a copy of the element after edit(copy) returned true; the copy is
// taken first, so the append may grow the table the original lives in.
// False (nothing appended) for an unknown kind, a bad index or a refusal.
template <class Edit> bool AppendEditedCopy(Drawing& d, const ElementRef& ref, Edit&& edit)
{
    bool appended = false;
    visitElement(d, ref, [&](ElementKind kind, const auto& record) {
        auto copy = record;
        if (edit(copy))
            appended = d.Append(kind, copy) >= 0;
    });
    return appended;
}

// The rubber band of a whole element: the outline of a built record, as the
// change modes show the element their click would rebuild, and the arc
// family's figures as their construction steps show them.
#pragma once

#include "interaction/build_arcs.h"
#include "interaction/builders.h"
#include "interaction/xor_overlay.h"

// Arcs, pies and chords along their curve (pies closed through the centre,
// chords across), outside shapes part by part through their tangent corners,
// rings with their inner curve.
void AddArcFigureOutline(ElementKind kind, const ArcFigure& figure, PreviewShape& out);

// Nothing for a refusal. Point lists show their vertex chain, as the
// sequence commands do while the points are given.
void AddDraftOutline(const Draft& draft, PreviewShape& out);

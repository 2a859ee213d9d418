// The brush window: the brush fields of the current attributes.
#include "dialogs/Unit7.h"

#include <iterator>

#include "dialogs/attribute_texts.h"
#include "model/attributes.h"

TForm7::TForm7(CurrentAttributes& a, bool& openFlag, QWidget* parent)
    : TStyleWindow("Form7", AttributeText::kBrushTitle,
                   StyleSlots{.kind = &a.brushKind,
                              .kindCaptions = {std::begin(AttributeText::kBrushKinds), std::end(AttributeText::kBrushKinds)},
                              .colours = a.brushColors,
                              .alphas = a.brushAlphas,
                              .hatchStyle = &a.brushHatchStyle,
                              .imageFile = &a.brushImageFile,
                              .angle = &a.brushGradientAngle},
                   openFlag, parent)
{
}

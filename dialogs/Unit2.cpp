// The pen window: the pen fields of the current attributes.
#include "dialogs/Unit2.h"

#include <iterator>

#include "dialogs/attribute_texts.h"
#include "model/attributes.h"

TForm2::TForm2(CurrentAttributes& a, bool& openFlag, QWidget* parent)
    : TStyleWindow("Form2", AttributeText::kPenTitle,
                   StyleSlots{.kind = &a.penKind,
                              .kindCaptions = {std::begin(AttributeText::kPenKinds), std::end(AttributeText::kPenKinds)},
                              .colours = a.penColors,
                              .alphas = a.penAlphas,
                              .hatchStyle = &a.penHatchStyle,
                              .imageFile = &a.penImageFile,
                              .angle = &a.penGradientAngle},
                   openFlag, parent)
{
}

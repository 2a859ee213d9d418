// TForm1 Settings-menu commands that open the attribute windows, and the
// windows' part in start-up and shutdown: re-opening the windows that were
// open at the last exit, their places in the settings file, closing them.
// One row per window, in the order start-up shows them.

#include "app/Unit1.h"
#include "app/window_places.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/UnitLay.h"
#include "dialogs/attribute_texts.h"

namespace {

struct AttributeWindowRow {
    TAttributeWindow* (*window)(TForm1&);
    WindowPlace WindowPlaces::*place;
    bool resizable;  // the place keeps the size too
};

template <class Form, Form* (TForm1::*accessor)()> TAttributeWindow* windowOf(TForm1& form)
{
    return (form.*accessor)();
}

const AttributeWindowRow kWindows[] = {
    {windowOf<TForm2, &TForm1::Form2>, &WindowPlaces::form2, false},
    {windowOf<TForm3, &TForm1::Form3>, &WindowPlaces::form3, false},
    {windowOf<TForm4, &TForm1::Form4>, &WindowPlaces::form4, false},
    {windowOf<TForm5, &TForm1::Form5>, &WindowPlaces::form5, false},
    {windowOf<TForm6, &TForm1::Form6>, &WindowPlaces::form6, false},
    {windowOf<TForm7, &TForm1::Form7>, &WindowPlaces::form7, false},
    {windowOf<TFormLay, &TForm1::FormLay>, &WindowPlaces::formLay, true},
};

const TForm1::MenuBinding kAttributeWindowBindings[] = {
    {"PopSetLayClick", &TForm1::PopSetLayClick},
    {"PopSetPenClick", &TForm1::PopSetPenClick},
    {"PopSetPenWidClick", &TForm1::PopSetPenWidClick},
    {"PopSetPenTypeClick", &TForm1::PopSetPenTypeClick},
    {"PopSetPenCapClick", &TForm1::PopSetPenCapClick},
    {"PopSetBrushClick", &TForm1::PopSetBrushClick},
    {"PopSetTenClick", &TForm1::PopSetTenClick},
};

// A layer window is never made smaller than this from a settings file.
constexpr QSize kMinLayerSize(120, 120);

}  // namespace

std::span<const TForm1::MenuBinding> TForm1::attributeWindowBindings()
{
    return kAttributeWindowBindings;
}

// --- Settings menu -------------------------------------------------------------

void TForm1::openAttributeWindow(TAttributeWindow* window, const char* operationText)
{
    window->openWindow();
    ShowOperation(QString::fromUtf8(operationText));
}

void TForm1::PopSetLayClick() { openAttributeWindow(FormLay(), AttributeText::kLayerOperation); }
void TForm1::PopSetPenClick() { openAttributeWindow(Form2(), AttributeText::kPenTitle); }
void TForm1::PopSetPenWidClick() { openAttributeWindow(Form3(), AttributeText::kWidthTitle); }
void TForm1::PopSetPenTypeClick() { openAttributeWindow(Form4(), AttributeText::kDashTitle); }
void TForm1::PopSetPenCapClick() { openAttributeWindow(Form5(), AttributeText::kCapTitle); }
void TForm1::PopSetBrushClick() { openAttributeWindow(Form7(), AttributeText::kBrushOperation); }
void TForm1::PopSetTenClick() { openAttributeWindow(Form6(), AttributeText::kPointTitle); }

// --- start-up and shutdown -------------------------------------------------------

void TForm1::ShowOpenAttributeWindows()
{
    // The flags were read from the settings file; showing sets them again.
    for (const AttributeWindowRow& row : kWindows) {
        TAttributeWindow* window = row.window(*this);
        if (window->isOpenFlagSet())
            window->openWindow();
    }
}

void TForm1::CloseOpenAttributeWindows()
{
    for (const AttributeWindowRow& row : kWindows) {
        TAttributeWindow* window = row.window(*this);
        if (window->isVisible())
            window->close();
    }
}

void TForm1::RefreshLayerWindow()
{
    TFormLay* window = m_dialogs.madeFormLay();
    if (window && window->isVisible())
        window->FormShow();
}

void TForm1::RefreshAttributeWindows()
{
    for (const AttributeWindowRow& row : kWindows) {
        TAttributeWindow* window = row.window(*this);
        if (window->isVisible())
            window->FormShow();
    }
}

void TForm1::placeAttributeWindows()
{
    for (const AttributeWindowRow& row : kWindows) {
        TAttributeWindow* window = row.window(*this);
        const WindowPlace& place = m_settings.windows.*row.place;
        if (row.resizable)
            RestorePlace(window, place, QSize(place.width, place.height), kMinLayerSize);
        else
            RestoreCorner(window, place);
    }
}

void TForm1::storeAttributeWindowPlaces()
{
    for (const AttributeWindowRow& row : kWindows) {
        const WindowPlace client = ClientPlace(row.window(*this));
        WindowPlace& place = m_settings.windows.*row.place;
        place.left = client.left;
        place.top = client.top;
        if (row.resizable) {
            place.width = client.width;
            place.height = client.height;
        }
    }
}

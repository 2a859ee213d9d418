// TForm1 Settings-menu commands for the grid and the image size. Both dialogs
// work on copies; OK applies the values and repaints at once.
#include "app/Unit1.h"
#include "app/shell_texts.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitNew.h"

namespace {

const TForm1::MenuBinding kGridSizeBindings[] = {
    {"PopSetGridClick", &TForm1::PopSetGridClick},
    {"PopSetSizeClick", &TForm1::PopSetSizeClick},
};

}  // namespace

std::span<const TForm1::MenuBinding> TForm1::gridSizeBindings()
{
    return kGridSizeBindings;
}

void TForm1::PopSetGridClick()
{
    if (!FormGrd()->Execute(m_settings.grid))
        return;
    FormPaint();
    ShowOperation(QString::fromUtf8(ShellText::kGridDone));
}

void TForm1::PopSetSizeClick()
{
    Deselect();
    int width = m_state.view.imageWidth, height = m_state.view.imageHeight;
    if (!FormNew()->Execute(QString::fromUtf8(ShellText::kSizeCaption), width, height))
        return;
    // The drawing, the view and the journal stay; the frame and grid follow.
    // The file keeps the size, so a new one is an unsaved change.
    if (width != m_state.view.imageWidth || height != m_state.view.imageHeight)
        m_drawing.markChanged();
    m_state.view.imageWidth = width;
    m_state.view.imageHeight = height;
    recordRecoveryStep();
    FormPaint();
    ShowOperation(QString::fromUtf8(ShellText::kSizeDone));
}

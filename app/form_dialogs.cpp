// The main window's dialogs and attribute windows, each made once with the
// main window as parent.
#include "app/form_dialogs.h"

#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitLay.h"
#include "dialogs/UnitMoji.h"
#include "dialogs/UnitNew.h"
#include "storage/settings.h"

namespace {

// The window in slot, made first with its own arguments and the owner as
// parent when it is not there yet.
template <class Window, class... Args> Window* madeOnce(Window*& slot, QWidget& owner, Args&... args)
{
    if (!slot)
        slot = new Window(args..., &owner);
    return slot;
}

}  // namespace

FormDialogs::FormDialogs(QWidget& owner, Settings& settings, std::vector<Layer>& layers,
                         std::function<void()> repaintCanvas)
    : m_owner(owner), m_settings(settings), m_layers(layers), m_repaintCanvas(std::move(repaintCanvas))
{
}

void FormDialogs::createAll()
{
    Form7();     // brush
    Form3();     // pen width
    FormGrd();
    Form5();     // caps
    FormMoji();
    FormCBox();
    Form6();     // point style
    Form4();     // dash type
    FormNew();
    FormInp1();
    FormInp2();
    Form2();     // pen
    FormLay();
}

TFormNew* FormDialogs::FormNew() { return madeOnce(m_formNew, m_owner); }
TFormGrd* FormDialogs::FormGrd() { return madeOnce(m_formGrd, m_owner); }
TFormInp1* FormDialogs::FormInp1() { return madeOnce(m_formInp1, m_owner); }
TFormInp2* FormDialogs::FormInp2() { return madeOnce(m_formInp2, m_owner); }
TFormCBox* FormDialogs::FormCBox() { return madeOnce(m_formCBox, m_owner); }
TFormMoji* FormDialogs::FormMoji() { return madeOnce(m_formMoji, m_owner); }

TForm2* FormDialogs::Form2()
{
    return madeOnce(m_form2, m_owner, m_settings.attributes, m_settings.openWindows.form2);
}

TForm3* FormDialogs::Form3()
{
    return madeOnce(m_form3, m_owner, m_settings.attributes, m_settings.openWindows.form3);
}

TForm4* FormDialogs::Form4()
{
    return madeOnce(m_form4, m_owner, m_settings.attributes, m_settings.openWindows.form4);
}

TForm5* FormDialogs::Form5()
{
    return madeOnce(m_form5, m_owner, m_settings.attributes, m_settings.openWindows.form5);
}

TForm6* FormDialogs::Form6()
{
    return madeOnce(m_form6, m_owner, m_settings.attributes, m_settings.openWindows.form6);
}

TForm7* FormDialogs::Form7()
{
    return madeOnce(m_form7, m_owner, m_settings.attributes, m_settings.openWindows.form7);
}

TFormLay* FormDialogs::FormLay()
{
    if (!m_formLay) {
        madeOnce(m_formLay, m_owner, m_layers, m_settings.attributes, m_settings.openWindows.formLay);
        m_formLay->repaintCanvas = m_repaintCanvas;
    }
    return m_formLay;
}

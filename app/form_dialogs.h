// The windows the main window keeps beside its canvas: the modal dialogs
// (new drawing and image size, grid, construction values, polyline points,
// corners, text) and the attribute windows (pen, width, dash, cap, point,
// brush, layers). Each is made once, at its first use or by createAll() at
// start-up, as a child of the main window, which deletes it.
#pragma once

#include <functional>
#include <vector>

class QWidget;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TFormCBox;
class TFormGrd;
class TFormInp1;
class TFormInp2;
class TFormLay;
class TFormMoji;
class TFormNew;
struct Layer;
struct Settings;

class FormDialogs {
public:
    // The attribute windows edit settings.attributes, the layer window the
    // layers too; repaintCanvas is what the layer window calls after a change
    // that the canvas shows.
    FormDialogs(QWidget& owner, Settings& settings, std::vector<Layer>& layers,
                std::function<void()> repaintCanvas);

    // Makes every window not made yet, in the program's start-up order.
    void createAll();

    TFormNew* FormNew();
    TFormGrd* FormGrd();
    TFormInp1* FormInp1();
    TFormInp2* FormInp2();
    TFormCBox* FormCBox();
    TFormMoji* FormMoji();
    TForm2* Form2();
    TForm3* Form3();
    TForm4* Form4();
    TForm5* Form5();
    TForm6* Form6();
    TForm7* Form7();
    TFormLay* FormLay();
    // The layer window when it was made, else null (a refresh makes none).
    TFormLay* madeFormLay() const { return m_formLay; }

private:
    QWidget& m_owner;
    Settings& m_settings;
    std::vector<Layer>& m_layers;
    std::function<void()> m_repaintCanvas;
    TFormNew* m_formNew = nullptr;
    TFormGrd* m_formGrd = nullptr;
    TFormInp1* m_formInp1 = nullptr;
    TFormInp2* m_formInp2 = nullptr;
    TFormCBox* m_formCBox = nullptr;
    TFormMoji* m_formMoji = nullptr;
    TForm2* m_form2 = nullptr;
    TForm3* m_form3 = nullptr;
    TForm4* m_form4 = nullptr;
    TForm5* m_form5 = nullptr;
    TForm6* m_form6 = nullptr;
    TForm7* m_form7 = nullptr;
    TFormLay* m_formLay = nullptr;
};

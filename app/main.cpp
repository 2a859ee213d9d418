// Program start: the application, then the windows in their fixed order,
// each made once for the whole run, then the event loop. Form1 is the main
// window; closing it ends the program.
#include <QApplication>

#include "app/Unit1.h"
#include "app/shell_texts.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitMoji.h"
#include "dialogs/UnitNew.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirt"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ShellText::kTitle));

    // The dialogs are children of Form1 and live as long as it does.
    auto* form1 = new TForm1(TForm1::DefaultSettingsPath());
    form1->setAttribute(Qt::WA_DeleteOnClose);
    // Form7 (brush) and Form3 (pen width) take their place here.
    form1->setGridDialog(new TFormGrd(form1));  // FormGrd
    // Form5 (caps) takes its place here.
    form1->setTextDialog(new TFormMoji(form1));    // FormMoji
    form1->setCornerDialog(new TFormCBox(form1));  // FormCBox
    // Form6 (point style) and Form4 (dash type) take their place here.
    form1->setNewDialog(new TFormNew(form1));            // FormNew
    form1->setNumericDialog(new TFormInp1(form1));       // FormInp1
    form1->setPolyPointDialog(new TFormInp2(form1));     // FormInp2
    // Form2 (pen) and FormLay (layers) take their place here.

    form1->show();
    return app.exec();
}

// Program start: the application, then the windows in their fixed order,
// each made once for the whole run, then the event loop. Form1 is the main
// window; closing it ends the program.
#include <QApplication>

#include "app/Unit1.h"
#include "app/qt_translations.h"
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
    InstallQtJapanese();

    // The dialogs are children of Form1 and live as long as it does.
    auto* form1 = new TForm1(TForm1::DefaultSettingsPath());
    form1->setRecoveryFolder(TForm1::DefaultRecoveryFolder());
    form1->setAttribute(Qt::WA_DeleteOnClose);
    form1->Form7();  // brush
    form1->Form3();  // pen width
    form1->setGridDialog(new TFormGrd(form1));  // FormGrd
    form1->Form5();                                // caps
    form1->setTextDialog(new TFormMoji(form1));    // FormMoji
    form1->setCornerDialog(new TFormCBox(form1));  // FormCBox
    form1->Form6();                                // point style
    form1->Form4();                                // dash type
    form1->setNewDialog(new TFormNew(form1));            // FormNew
    form1->setNumericDialog(new TFormInp1(form1));       // FormInp1
    form1->setPolyPointDialog(new TFormInp2(form1));     // FormInp2
    form1->Form2();                                      // pen
    form1->FormLay();                                    // layers

    form1->show();
    return app.exec();
}

// Program start: the command line (read before a display is needed, so
// --help and --version work anywhere), the application, then the windows in
// their fixed order, each made once for the whole run, then the event loop.
// Form1 is the main window; closing it ends the program. A FILE given on the
// command line opens once the window is up, as File > Open would open it.
#include <QApplication>
#include <QTimer>

#include "app/Unit1.h"
#include "app/command_line.h"
#include "app/install_layout.h"
#include "app/open_request.h"
#include "app/qt_translations.h"
#include "app/shell_texts.h"

int main(int argc, char* argv[])
{
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.action != CommandLine::Action::Run)
        return AnswerCommandLine(commandLine, MIRT_VERSION);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirt"));
    QApplication::setApplicationVersion(QStringLiteral(MIRT_VERSION));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ShellText::kTitle));
    QGuiApplication::setDesktopFileName(ApplicationId());
    QApplication::setWindowIcon(ApplicationIcon());
    InstallQtJapanese();

    // The dialogs are children of Form1 and live as long as it does.
    auto* form1 = new TForm1(TForm1::DefaultSettingsPath());
    form1->setRecoveryFolder(TForm1::DefaultRecoveryFolder());
    form1->setAttribute(Qt::WA_DeleteOnClose);
    form1->dialogs().createAll();

    form1->show();
    if (commandLine.file) {
        const OpenRequest request = RequestFromArgument(*commandLine.file);
        QTimer::singleShot(0, form1, [form1, request] { OpenRequested(*form1, request); });
    }
    return app.exec();
}

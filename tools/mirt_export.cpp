// mirt-export: converts a drawing file to a picture (or to a drawing file
// again) without a display. The output format follows the output name's
// extension; the picture has the drawing's image size at scale 1. A
// QGuiApplication is still needed for fonts, so the offscreen platform is
// chosen unless the caller names another one.
#include "dxf/dxf.h"
#include "model/data.h"
#include "render/export.h"
#include "storage/files.h"
#include "tools/tool_messages.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

enum ExitCode { Success = 0, InputError = 1, UsageError = 2, OutputError = 3 };

const char kHelp[] = "Usage: mirt-export INPUT.mt OUTPUT\n"
                     "       mirt-export --help | --version\n"
                     "\n"
                     "Renders a Mirt drawing to OUTPUT at the drawing's image size (scale 1, no\n"
                     "grid or frame). The format follows OUTPUT's extension, in any letter case:\n"
                     "  .bmp .jpg .jpeg .jpe .gif .tif .tiff .png   raster picture on white\n"
                     "  .wmf .emf                                  Windows metafiles (vector)\n"
                     "  .svg .pdf                                  vector pictures\n"
                     "  .dxf                                       DXF (AutoCAD 2000) for CAD programs\n"
                     "  .mt                                        the drawing file, written again\n"
                     "\n"
                     "INPUT may also be a .dxf file, opened as a drawing.\n"
                     "OUTPUT is replaced only when the new file is complete.\n"
                     "No display is needed: the offscreen platform is used unless QT_QPA_PLATFORM\n"
                     "or -platform names another.\n"
                     "\n"
                     "Exit status: 0 done; 1 the input cannot be read; 2 bad arguments or an\n"
                     "unknown output extension; 3 the output cannot be written.\n";

int fail(ExitCode code, const QString& message)
{
    std::fprintf(stderr, "mirt-export: %s\n", message.toUtf8().constData());
    return code;
}

// Qt's own chatter (missing runtime folders, font fallbacks) would bury the
// one-line outcome; only its critical messages get through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "mirt-export: %s\n", qPrintable(message));
}

// True when one of the arguments is the short or the long option.
bool hasOption(int argc, char** argv, const char* shortName, const char* longName)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], shortName) == 0 || qstrcmp(argv[i], longName) == 0)
            return true;
    return false;
}

bool namesPlatform(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0)
            return true;
    return false;
}

bool isDrawingFile(const QString& path)
{
    return QFileInfo(path).suffix().compare("mt", Qt::CaseInsensitive) == 0;
}

int convert(const QString& input, const QString& output)
{
    if (!isDrawingFile(output) && !IsExportExtension(output))
        return fail(UsageError,
            QString::fromUtf8(toolMessages::kUnknownExtension).arg(QFileInfo(output).suffix()));
    if (!QFileInfo(input).isFile())
        return fail(InputError, QString::fromUtf8(toolMessages::kNotAFile).arg(input));
    Drawing drawing;
    const std::string inputName = QFile::encodeName(input).toStdString();
    FileResult read;
    if (dxf::IsDxfPath(inputName)) {
        const dxf::ReadResult dxfRead = dxf::ReadDxf(inputName, drawing);
        read = FileResult { dxfRead.status, dxfRead.message, dxfRead.imageSize, dxfRead.replaced };
        if (dxfRead.ok() && !dxfRead.skipped.empty())
            std::fprintf(stderr, "mirt-export: %s\n",
                QString::fromUtf8(toolMessages::kDxfSkipped)
                    .arg(input, QString::fromStdString(dxfRead.skippedSummary()))
                    .toUtf8()
                    .constData());
    } else
        read = ReadDrawing(inputName, drawing);
    if (!read.ok())
        return fail(InputError,
            QString::fromUtf8(toolMessages::kCannotRead).arg(input, QString::fromStdString(read.message)));

    if (isDrawingFile(output)) {
        const FileResult written
            = WriteDrawing(QFile::encodeName(output).toStdString(), drawing, read.imageSize);
        return written.ok() ? Success : fail(OutputError, QString::fromStdString(written.message));
    }
    const ExportResult result = ExportImage(drawing, output, read.imageSize.width, read.imageSize.height);
    if (result.ok())
        return Success;
    return fail(result.status == ExportStatus::UnknownExtension ? UsageError : OutputError,
        QString::fromUtf8(toolMessages::kCannotWrite).arg(output, result.reason));
}

} // namespace

int main(int argc, char** argv)
{
    if (hasOption(argc, argv, "-h", "--help")) {
        std::fputs(kHelp, stdout);
        return Success;
    }
    if (hasOption(argc, argv, "-v", "--version")) {
        std::puts("mirt-export " MIRT_VERSION);
        return Success;
    }
    if (!namesPlatform(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv); // takes -platform and other Qt options out of argv
    const QStringList args = app.arguments().mid(1);
    for (const QString& arg : args)
        if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
            return fail(UsageError, QString::fromUtf8(toolMessages::kUnknownOption).arg(arg));
    if (args.size() != 2)
        return fail(UsageError, QString::fromUtf8(toolMessages::kArguments));
    return convert(args[0], args[1]);
}

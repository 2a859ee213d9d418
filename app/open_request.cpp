// Checking names handed from outside and opening them through the window's
// File menu code, so that refusals, messages and the state after an open
// are the same as for File > Open.
#include "app/open_request.h"

#include <QFileInfo>
#include <QStringDecoder>

#include "app/Unit1.h"
#include "app/shell_texts.h"

namespace {

bool isUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

}  // namespace

OpenRequest RequestFromLocalPath(const QString& path, std::string_view pathBytes)
{
    if (!isUtf8(pathBytes))
        return {QString(), QString::fromUtf8(ShellText::kNameNotUtf8).arg(path)};
    return {QFileInfo(path).absoluteFilePath(), QString()};
}

OpenRequest RequestFromArgument(std::string_view bytes)
{
    return RequestFromLocalPath(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), bytes);
}

void OpenRequested(TForm1& form, const OpenRequest& request)
{
    // A drop or a second start handled while a long paint looks at input.
    if (form.isPainting()) {
        form.whenNotPainting([&form, request] { OpenRequested(form, request); });
        return;
    }
    if (request.accepted())
        form.OpenNamedDrawing(request.path);
    else
        form.questions().error(QString::fromUtf8(ShellText::kOpenFailed), request.refusal);
}

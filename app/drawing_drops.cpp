// The drop target of the main window, an event filter on TForm1: every drag
// that can be copied is taken, so that a refused drop can say why instead
// of only showing a forbidden cursor. A drop is always a copy; a move would
// let the file manager delete the file it dragged.
#include "app/drawing_drops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSysInfo>
#include <QUrl>

#include "app/Unit1.h"
#include "app/shell_texts.h"

namespace {

// A URL can be as long as the dragging program likes; the message shows
// its start.
constexpr qsizetype kShownUrlLength = 200;

QString shownUrl(const QUrl& url)
{
    const QString text = url.toDisplayString();
    return text.size() <= kShownUrlLength ? text : text.left(kShownUrlLength) + QChar(0x2026);
}

// file:///path, and file://HOST/path naming this computer.
bool isOnThisComputer(const QUrl& url)
{
    const QString host = url.host();
    return url.isLocalFile()
           && (host.isEmpty() || host == QLatin1String("localhost") || host == QSysInfo::machineHostName());
}

OpenRequest refused(const char* text, const QString& argument = {})
{
    const QString message = QString::fromUtf8(text);
    return {QString(), argument.isNull() ? message : message.arg(argument)};
}

class DrawingDropFilter : public QObject {
public:
    explicit DrawingDropFilter(TForm1& form) : QObject(&form), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_form)
            return false;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: takeAsCopy(static_cast<QDropEvent*>(event)); return true;
        case QEvent::Drop: drop(static_cast<QDropEvent*>(event)); return true;
        default: return false;
        }
    }

private:
    static bool takeAsCopy(QDropEvent* event)
    {
        if (!(event->possibleActions() & Qt::CopyAction)) {
            event->ignore();
            return false;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return true;
    }

    void drop(QDropEvent* event)
    {
        if (!takeAsCopy(event))
            return;
        const OpenRequest request = RequestFromDrop(*event->mimeData());
        if (!request.accepted())
            event->setDropAction(Qt::IgnoreAction);
        TForm1* form = &m_form;
        QMetaObject::invokeMethod(form, [form, request] { OpenRequested(*form, request); }, Qt::QueuedConnection);
    }

    TForm1& m_form;
};

}  // namespace

OpenRequest RequestFromDrop(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty())
        return refused(ShellText::kDropNoFile);
    if (urls.size() > 1)
        return refused(ShellText::kDropSeveral, QString::number(urls.size()));
    QUrl url = urls.front();
    if (!isOnThisComputer(url))
        return refused(ShellText::kDropNotLocal, shownUrl(url));
    url.setHost(QString());
    const QString path = url.toLocalFile();
    const QByteArray pathBytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const OpenRequest request = RequestFromLocalPath(path, std::string_view(pathBytes.constData(), pathBytes.size()));
    const QString suffix = QFileInfo(path).suffix();
    const bool drawing = suffix.compare(QStringLiteral("mt"), Qt::CaseInsensitive) == 0
                         || suffix.compare(QStringLiteral("dxf"), Qt::CaseInsensitive) == 0;
    if (request.accepted() && !drawing)
        return refused(ShellText::kDropNotDrawing, path);
    return request;
}

void AcceptDrawingDrops(TForm1& form)
{
    form.setAcceptDrops(true);
    form.installEventFilter(new DrawingDropFilter(form));
}

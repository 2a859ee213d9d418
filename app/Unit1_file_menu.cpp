// TForm1 File menu (new, open, save as, save image, exit) and the Undo/Redo
// entries of the Edit menu. The drawing remembers whether it has unsaved
// changes; New, Open and Exit ask Save / Discard / Cancel before dropping
// them. File errors are shown in a message box naming the file and the
// reason; every other outcome goes to the operation line.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/Unit1.h"
#include "dxf/dxf.h"
#include "app/shell_texts.h"
#include "dialogs/UnitNew.h"
#include "render/export.h"
#include "storage/cp932.h"
#include "storage/files.h"

namespace {

const TForm1::MenuBinding kFileMenuBindings[] = {
    {"PopFileNewClick", &TForm1::PopFileNewClick},
    {"PopFileOpenClick", &TForm1::PopFileOpenClick},
    {"PopFileSaveAsClick", &TForm1::PopFileSaveAsClick},
    {"PopFileSaveImageClick", &TForm1::PopFileSaveImageClick},
    {"PopFileExitClick", &TForm1::PopFileExitClick},
    {"PopEditUndoClick", &TForm1::PopEditUndoClick},
    {"PopEditRedoClick", &TForm1::PopEditRedoClick},
};

// The file dialogs start from the last file without its extension, in the
// folder remembered from the last run when there is no last file yet.
QString startPath(const QString& lastFile, const std::string& rememberedFolder)
{
    if (lastFile.isEmpty())
        return QString::fromStdString(rememberedFolder);
    const QFileInfo info(lastFile);
    return info.dir().filePath(info.completeBaseName());
}

// The settings file keeps the folder of the last file in Shift-JIS: a folder
// whose name it cannot hold (or that holds a kept-byte code point) is not
// remembered, and the one remembered before stays.
void rememberFolder(std::string& remembered, const QString& path)
{
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    std::string encoded;
    if (utf8ToCp932(folder, encoded))
        remembered = folder;
}

}  // namespace

std::span<const TForm1::MenuBinding> TForm1::fileMenuBindings()
{
    return kFileMenuBindings;
}

void TForm1::showBusy(const char* text)
{
    // The file dialog has closed: its area and the status line are painted
    // before the work starts, so the window never shows a stale dialog.
    ShowOperation(QString::fromUtf8(text));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm1::showFileError(const QString& title, const QString& path, const QString& reason)
{
    // The reason of the storage layer already names the file; ours may not.
    QString text = reason;
    if (!text.contains(QFileInfo(path).fileName()))
        text = QDir::toNativeSeparators(path) + QStringLiteral("\n") + text;
    m_questions.error(title, text);
}

// ---------------------------------------------------------------------------
// Unsaved changes

bool TForm1::confirmDiscard()
{
    if (!m_drawing.isModified())
        return true;
    syncRecoveryLog();
    switch (m_questions.unsavedChanges()) {
    case UnsavedAnswer::Save: return saveAsWithDialog();
    case UnsavedAnswer::Discard: return true;
    case UnsavedAnswer::Cancel: return false;
    }
    return false;
}

bool TForm1::saveAsWithDialog()
{
    Deselect();
    const QString path = m_questions.saveDrawing(startPath(m_currentFile, m_settings.saveDialogFolder));
    if (path.isEmpty())
        return false;
    if (!saveDrawingFile(path))
        return false;
    ShowOperation(QString::fromUtf8(ShellText::kSaveDone));
    return true;
}

bool TForm1::saveDrawingFile(const QString& path)
{
    const QString before = statusText(1);
    showBusy(ShellText::kSaving);
    const ImageSize size{m_state.view.imageWidth, m_state.view.imageHeight};
    const FileResult result = WriteDrawing(path.toStdString(), m_drawing, size, busyProgress(ShellText::kSaving));
    if (!result.ok()) {
        ShowOperation(before);
        showFileError(QString::fromUtf8(ShellText::kSaveFailed), path, QString::fromStdString(result.message));
        return false;
    }
    m_drawing.markSaved();
    m_currentFile = path;
    rememberFolder(m_settings.saveDialogFolder, path);
    recordRecoverySaved(path);
    return true;
}

// ---------------------------------------------------------------------------
// New, Open, Save as, Save image, Exit

void TForm1::startNewDrawing(int imageWidth, int imageHeight)
{
    m_state.view.imageWidth = imageWidth;
    m_state.view.imageHeight = imageHeight;
    m_state.view.reset();
    m_state.clearMouse();
    CommandResetState();
    FormPaint();
    ShowPrompt();
}

void TForm1::PopFileNewClick()
{
    if (!confirmDiscard())
        return;
    Deselect();
    int width = m_state.view.imageWidth, height = m_state.view.imageHeight;
    if (!FormNew()->Execute(QString::fromUtf8(ShellText::kNewCaption), width, height))
        return;
    resetDrawing();
    m_currentFile.clear();
    UpdateUndoMenu();
    startNewDrawing(width, height);
    startRecoveryLog({});
    ShowOperation(QString::fromUtf8(ShellText::kNewDone));
    RefreshLayerWindow();
}

void TForm1::PopFileOpenClick()
{
    if (!confirmDiscard())
        return;
    Deselect();
    const QString path = m_questions.openDrawing(startPath(m_currentFile, m_settings.openDialogFolder));
    if (!path.isEmpty())
        openAndReport(path);
}

void TForm1::OpenNamedDrawing(const QString& path)
{
    if (!confirmDiscard())
        return;
    Deselect();
    openAndReport(path);
}

void TForm1::openAndReport(const QString& path)
{
    m_openNote.clear();
    if (!openDrawingFile(path))
        return;
    ShowOperation(QString::fromUtf8(ShellText::kOpenDone) + m_openNote);
    RefreshLayerWindow();
}

bool TForm1::openDrawingFile(const QString& path)
{
    // Read into a drawing of its own: a file that is refused leaves the
    // elements, the image size, the view, the history and the file name.
    const QString before = statusText(1);
    showBusy(ShellText::kOpening);
    Drawing staged;
    const std::string name = QFile::encodeName(path).toStdString();
    if (dxf::IsDxfPath(name))
        return openDxfFile(path, name, before);
    const FileResult result = ReadDrawing(name, staged, busyProgress(ShellText::kOpening));
    if (!result.replaced) {
        ShowOperation(before);
        showFileError(QString::fromUtf8(ShellText::kOpenFailed), path, QString::fromStdString(result.message));
        return false;
    }
    m_drawing = std::move(staged);
    rememberFolder(m_settings.openDialogFolder, path);
    if (result.ok()) {
        m_drawing.markSaved();
        m_currentFile = path;
    } else {
        // Part of the file was read and replaced the drawing: it differs from
        // the file, so leaving it unsaved is asked about.
        showFileError(QString::fromUtf8(ShellText::kOpenFailed), path, QString::fromStdString(result.message));
    }
    // Reading records everything as one group: one Undo empties the drawing.
    menuAction(QStringLiteral("PopEditUndoClick"))->setEnabled(true);
    menuAction(QStringLiteral("PopEditRedoClick"))->setEnabled(false);
    startNewDrawing(result.imageSize.width, result.imageSize.height);
    startRecoveryLog(path);
    return true;
}

// A DXF drawing comes in unsaved and without a file name: Save writes .mt.
bool TForm1::openDxfFile(const QString& path, const std::string& name, const QString& before)
{
    Drawing staged;
    const dxf::ReadResult result = dxf::ReadDxf(name, staged);
    if (!result.replaced) {
        ShowOperation(before);
        showFileError(QString::fromUtf8(ShellText::kOpenFailed), path, QString::fromStdString(result.message));
        return false;
    }
    m_drawing = std::move(staged);
    rememberFolder(m_settings.openDialogFolder, path);
    m_currentFile.clear();
    menuAction(QStringLiteral("PopEditUndoClick"))->setEnabled(m_drawing.journal.canUndo());
    menuAction(QStringLiteral("PopEditRedoClick"))->setEnabled(false);
    startNewDrawing(result.imageSize.width, result.imageSize.height);
    startRecoveryLog({});  // no file of its own to recover from
    if (!result.skipped.empty()) {
        const QString note = QString::fromUtf8(ShellText::kDxfSkipped).arg(QString::fromStdString(result.skippedSummary()));
        m_openNote = QStringLiteral(" ") + note;
        m_questions.error(QString::fromUtf8(ShellText::kDxfSkippedTitle), note);
    }
    return true;
}

void TForm1::PopFileSaveAsClick()
{
    saveAsWithDialog();
}

void TForm1::PopFileSaveImageClick()
{
    Deselect();
    const QString path = m_questions.saveImage(startPath(m_lastImageFile, m_settings.saveDialogFolder));
    if (path.isEmpty())
        return;
    m_lastImageFile = path;
    showBusy(ShellText::kSavingImage);
    const ExportResult result = ExportImage(m_drawing, path, m_state.view.imageWidth, m_state.view.imageHeight);
    if (!result.ok())
        showFileError(QString::fromUtf8(ShellText::kImageFailed), path, result.reason);
    // The export registered snap points in its own coordinates.
    FormPaint();
    ShowOperation(QString::fromUtf8(ShellText::kImageDone));
}

void TForm1::PopFileExitClick()
{
    close();
}

// ---------------------------------------------------------------------------
// Undo and Redo

void TForm1::UpdateUndoMenu()
{
    menuAction(QStringLiteral("PopEditUndoClick"))->setEnabled(m_drawing.journal.canUndo());
    menuAction(QStringLiteral("PopEditRedoClick"))->setEnabled(m_drawing.journal.canRedo());
    // Every command group ends here.
    recordRecoveryStep();
}

void TForm1::PopEditUndoClick()
{
    const bool changes = m_drawing.journal.canUndo();
    if (changes)
        Deselect();
    const std::string text = m_drawing.Undo();
    if (changes)
        recordRecoveryUndo(false);
    if (changes)
        FormPaint();
    UpdateUndoMenu();
    ShowOperation(QString::fromStdString(text));
}

void TForm1::PopEditRedoClick()
{
    const bool changes = m_drawing.journal.canRedo();
    if (changes)
        Deselect();
    const std::string text = m_drawing.Redo();
    if (changes)
        recordRecoveryUndo(true);
    if (changes)
        FormPaint();
    UpdateUndoMenu();
    ShowOperation(QString::fromStdString(text));
}

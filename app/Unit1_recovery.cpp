// TForm1 and its recovery log: the log starts with every drawing (start,
// New, Open), takes every command group, undo, redo and save, and is removed
// at a normal end. At start a log left behind by a program that died is
// offered for restore; the restored drawing keeps its undo history and
// counts as unsaved, and its log goes on being written by this window.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "app/Unit1.h"
#include "app/recovery_texts.h"
#include "storage/recovery_log.h"
#include "storage/recovery_replay.h"

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString fromLocal(const std::string& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

// The drawing a log holds, as the question names it.
QString drawingName(const recovery::LogSummary& s)
{
    if (!s.lastSavedPath.empty())
        return fromLocal(s.lastSavedPath);
    if (s.start.origin.fromFile)
        return fromLocal(s.start.origin.path);
    return text(RecoveryText::kNewDrawing).arg(s.start.size.width).arg(s.start.size.height);
}

QString restoreQuestion(const recovery::LogSummary& s)
{
    const QDateTime last = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(s.lastChangeMs));
    QString question = text(RecoveryText::kQuestion)
                           .arg(drawingName(s), last.toString(QString::fromLatin1(RecoveryText::kTimeFormat)))
                           .arg(s.steps());
    if (s.tornBytes > 0)
        question += text(RecoveryText::kTornTail).arg(s.tornBytes);
    return question + text(RecoveryText::kNoAnswerNote);
}

}  // namespace

QString TForm1::DefaultRecoveryFolder()
{
    return QString::fromStdString(recovery::defaultFolder());
}

void TForm1::startRecoveryLog(const QString& originFile)
{
    if (m_recoveryFolder.isEmpty())
        return;
    if (!m_recovery) {
        auto log = std::make_unique<recovery::RecoveryLog>();
        if (!log->create(m_recoveryFolder.toStdString())) {
            qWarning("recovery log not created in %s", qUtf8Printable(m_recoveryFolder));
            return;
        }
        m_recovery = std::move(log);
        m_recoveryTimer = new QTimer(this);
        m_recoveryTimer->setInterval(1000);
        // Layer windows and the image size change the drawing outside the
        // command groups; a second later they are in the log as well.
        connect(m_recoveryTimer, &QTimer::timeout, this, [this] {
            recordRecoveryStep();
            m_recovery->syncIfDue();
        });
        m_recoveryTimer->start();
    }
    const ImageSize size{m_state.view.imageWidth, m_state.view.imageHeight};
    if (originFile.isEmpty())
        m_recovery->startNew(m_drawing, size);
    else
        m_recovery->startFromFile(m_drawing, size, originFile.toStdString());
}

void TForm1::recordRecoveryStep()
{
    if (m_recovery)
        m_recovery->recordChanges(m_drawing, {m_state.view.imageWidth, m_state.view.imageHeight});
}

void TForm1::recordRecoveryUndo(bool redo)
{
    if (!m_recovery)
        return;
    const ImageSize size{m_state.view.imageWidth, m_state.view.imageHeight};
    redo ? m_recovery->recordRedo(m_drawing, size) : m_recovery->recordUndo(m_drawing, size);
}

void TForm1::recordRecoverySaved(const QString& path)
{
    if (m_recovery)
        m_recovery->recordSaved(path.toStdString());
}

void TForm1::syncRecoveryLog()
{
    if (m_recovery) {
        recordRecoveryStep();
        m_recovery->sync();
    }
}

void TForm1::closeRecoveryLog()
{
    if (m_recoveryTimer)
        m_recoveryTimer->stop();
    if (m_recovery)
        m_recovery->remove();
    m_recovery.reset();
}

// ---------------------------------------------------------------------------
// Restore at start

void TForm1::offerRecovery()
{
    if (m_recoveryFolder.isEmpty())
        return;
    const std::string folder = m_recoveryFolder.toStdString();
    std::vector<recovery::OrphanLog> orphans = recovery::findOrphanLogs(folder);
    bool restored = false;
    for (recovery::OrphanLog& orphan : orphans) {
        if (!restored)
            restored = offerOrphan(orphan, folder);
        recovery::release(orphan);
    }
}

bool TForm1::offerOrphan(recovery::OrphanLog& orphan, const std::string& folder)
{
    using namespace recovery;
    const LogSummary summary = summarizeLog(orphan.bytes);
    if (summary.status == LogStatus::NotALog) {
        // A log that died before its start frame holds nothing; anything else
        // that is not a log is kept, never deleted.
        if (orphan.bytes.size() <= kHeaderSize + kFrameHeaderSize)
            discard(orphan, folder, {});
        else
            setAside(orphan);
        return false;
    }
    if (summary.status == LogStatus::NewerFormat) {
        m_questions.error(text(RecoveryText::kTitle),
                          text(RecoveryText::kNewerFormat).arg(fromLocal(setAside(orphan))));
        return false;
    }
    if (summary.nothingUnsaved) {
        discard(orphan, folder, summary.start.origin.keptCopy);
        return false;
    }
    const ReplayStatus origin = checkOrigin(summary.start, folder);
    if (origin != ReplayStatus::Ok) {
        const char* notice = origin == ReplayStatus::OriginMissing ? RecoveryText::kOriginMissing
                                                                   : RecoveryText::kOriginChanged;
        const QString path = fromLocal(summary.start.origin.path);
        m_questions.error(text(RecoveryText::kTitle), text(notice).arg(path, fromLocal(setAside(orphan))));
        return false;
    }
    if (!m_questions.restoreDrawing(restoreQuestion(summary))) {
        setAside(orphan);
        return false;
    }
    Drawing restored;
    const ReplayResult result = replayLog(orphan.bytes, folder, restored);
    if (!result.restored()) {
        m_questions.error(text(RecoveryText::kTitle),
                          text(RecoveryText::kOriginChanged)
                              .arg(fromLocal(summary.start.origin.path), fromLocal(setAside(orphan))));
        return false;
    }
    adoptRestoredDrawing(std::move(restored), result, summary, orphan, folder);
    if (result.status == ReplayStatus::Partial)
        m_questions.error(text(RecoveryText::kTitle),
                          text(RecoveryText::kPartial).arg(result.totalSteps).arg(result.appliedSteps));
    return true;
}

void TForm1::adoptRestoredDrawing(Drawing&& restored, const recovery::ReplayResult& result,
                                  const recovery::LogSummary& summary, recovery::OrphanLog& orphan,
                                  const std::string& folder)
{
    Deselect();
    m_drawing = std::move(restored);
    // Whatever the log holds past the file is not saved anywhere else.
    m_drawing.markChanged();
    m_currentFile = !summary.lastSavedPath.empty()      ? QString::fromStdString(summary.lastSavedPath)
                    : summary.start.origin.fromFile ? QString::fromStdString(summary.start.origin.path)
                                                    : QString();
    // This window's own fresh log gives way to the restored one, which goes
    // on from its last good frame.
    if (m_recovery) {
        m_recovery->remove();
        auto log = std::make_unique<recovery::RecoveryLog>();
        log->adopt(folder, orphan.path, orphan.fd, result.goodBytes, m_drawing, result.size,
                   summary.start.origin.keptCopy);
        orphan.fd = -1;
        m_recovery = std::move(log);
    }
    UpdateUndoMenu();
    startNewDrawing(result.size.width, result.size.height);
    ShowOperation(text(RecoveryText::kRestored));
    RefreshLayerWindow();
}

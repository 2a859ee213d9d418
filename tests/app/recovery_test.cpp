// The recovery log through the real TForm1: a child process (this test
// program, started again) runs a session of menu commands and SIGKILLs itself
// after a chosen step; the next window offers the drawing, and the restored
// drawing saves to the very bytes a save at the kill would have written, with
// the same undo steps as a window that ran the session without dying.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <signal.h>

#include "app_test_support.h"
#include "dialogs/UnitLay.h"
#include "dialogs/UnitNew.h"
#include "storage/files.h"
#include "storage/recovery_log.h"

namespace {

constexpr char kChildFolder[] = "MIRT_RECOVERY_CHILD_FOLDER";
constexpr char kChildSteps[] = "MIRT_RECOVERY_CHILD_STEPS";

void DrawLine(TForm1& form, QPoint a, QPoint b)
{
    Trigger(form, "PopDrawLineClick");
    Click(form, a);
    Click(form, b);
    form.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
}

// The session: each step one user action through the window's handlers.
const std::vector<std::function<void(TForm1&)>>& SessionSteps()
{
    static const std::vector<std::function<void(TForm1&)>> steps = {
        [](TForm1& f) { DrawLine(f, {20, 100}, {300, 100}); },
        [](TForm1& f) { DrawLine(f, {20, 200}, {300, 150}); },
        [](TForm1& f) {  // move everything 30 pixels down
            Trigger(f, "PopEditSelectAllClick");
            Trigger(f, "PopEditMoveClick");
            Click(f, {150, 50});
            Click(f, {150, 80});
            f.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
            Trigger(f, "PopEditSelectOutClick");
        },
        [](TForm1& f) {  // a red pen for everything
            f.settings().attributes.penKind = 1;
            f.settings().attributes.penColors[0] = 0x0000FF;
            Trigger(f, "PopEditSelectAllClick");
            Trigger(f, "PopEditPenClick");
            Trigger(f, "PopEditSelectOutClick");
        },
        [](TForm1& f) { DrawLine(f, {50, 260}, {350, 260}); },
        [](TForm1& f) {  // delete the last line
            Trigger(f, "PopEditSelect1Click");
            Click(f, {200, 260});
            Trigger(f, "PopEditDeleteClick");
            f.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
        },
        [](TForm1& f) { Trigger(f, "PopEditUndoClick"); },
        [](TForm1& f) { Trigger(f, "PopEditUndoClick"); },
        [](TForm1& f) { Trigger(f, "PopEditRedoClick"); },
        [](TForm1& f) {  // a layer renamed and one hidden in the layer window
            f.FormLay()->SG1SetEditText(2, QString::fromUtf8("図面枠"));
            f.drawing().layers[5].visible = false;
            f.recordRecoveryStep();  // what the window's one-second tick does
        },
        [](TForm1& f) {
            WhenModal([](QWidget* modal) {
                auto* dialog = qobject_cast<TFormNew*>(modal);
                ASSERT_NE(dialog, nullptr);
                dialog->Edit1->setText(QStringLiteral("640"));
                dialog->Edit2->setText(QStringLiteral("480"));
                dialog->Button1->click();
            });
            f.PopSetSizeClick();
        },
        [](TForm1& f) { DrawLine(f, {10, 10}, {100, 10}); },
    };
    return steps;
}

void RunSession(TForm1& form, int steps)
{
    for (int i = 0; i < steps; ++i)
        SessionSteps()[static_cast<size_t>(i)](form);
}

std::string FileBytes(TForm1& form)
{
    std::string bytes;
    const ImageSize size{form.interaction().view.imageWidth, form.interaction().view.imageHeight};
    WriteDrawingText(form.drawing(), size, bytes);
    return bytes;
}

// The file after every Undo down to the start, then every Redo back.
std::vector<std::string> UndoSteps(TForm1& form)
{
    std::vector<std::string> states{FileBytes(form)};
    while (form.menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled()) {
        Trigger(form, "PopEditUndoClick");
        states.push_back(FileBytes(form));
    }
    while (form.menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled()) {
        Trigger(form, "PopEditRedoClick");
        states.push_back(FileBytes(form));
    }
    return states;
}

std::unique_ptr<TForm1> MakeLoggedForm(const QString& folder, std::function<bool(const QString&)> answer)
{
    auto form = std::make_unique<TForm1>();
    form->setRecoveryFolder(folder);
    form->questions().restoreDrawing = std::move(answer);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const int statusHeight = form->height() - Canvas(*form)->height();
    form->resize(400, 300 + statusHeight);
    QCoreApplication::processEvents();  // the restore question comes after the first paint
    return form;
}

QStringList FilesIn(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files);
}

// Runs the session in a child and lets it kill itself after `steps`.
void RunChildAndKill(const QString& folder, int steps)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildFolder), folder);
    env.insert(QString::fromLatin1(kChildSteps), QString::number(steps));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.RunsTheSessionAndDies")});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the child did not kill itself";
}

// Not a test of its own: the child half of the kill tests.
TEST(RecoveryChild, RunsTheSessionAndDies)
{
    const QByteArray folder = qgetenv(kChildFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "run by the recovery tests as their child";
    auto form = MakeLoggedForm(QString::fromUtf8(folder) + QStringLiteral("/state"), [](const QString&) {
        return false;
    });
    RunSession(*form, qEnvironmentVariableIntValue(kChildSteps));
    // What a save at this moment would write.
    const ImageSize size{form->interaction().view.imageWidth, form->interaction().view.imageHeight};
    ASSERT_TRUE(WriteDrawing(folder.toStdString() + "/at-kill.mt", form->drawing(), size).ok());
    ::raise(SIGKILL);
}

class RecoveryKill : public ::testing::TestWithParam<int> {};

TEST_P(RecoveryKill, TheRestoredDrawingSavesAsAtTheKillWithTheSameUndoSteps)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int steps = GetParam();
    RunChildAndKill(dir.path(), steps);
    const QString state = dir.filePath(QStringLiteral("state"));
    ASSERT_EQ(FilesIn(state, QStringLiteral("*.rlog")).size(), 1);

    QString asked;
    auto restored = MakeLoggedForm(state, [&](const QString& question) {
        asked = question;
        return true;
    });
    ASSERT_FALSE(asked.isEmpty()) << "no restore question";
    EXPECT_TRUE(asked.contains(QString::fromUtf8("操作の数：%1").arg(steps))) << asked.toStdString();
    EXPECT_TRUE(asked.contains(QString::fromUtf8("新規図面（320×240）"))) << asked.toStdString();
    EXPECT_EQ(restored->statusText(1), QString::fromUtf8("＜復元＞"));
    EXPECT_TRUE(restored->drawing().isModified());
    EXPECT_FALSE(restored->drawing().registry.empty());

    const std::string saved = dir.filePath(QStringLiteral("restored.mt")).toStdString();
    ASSERT_TRUE(restored->saveDrawingFile(QString::fromStdString(saved)));
    QFile atKill(dir.filePath(QStringLiteral("at-kill.mt"))), now(QString::fromStdString(saved));
    ASSERT_TRUE(atKill.open(QIODevice::ReadOnly));
    ASSERT_TRUE(now.open(QIODevice::ReadOnly));
    EXPECT_EQ(now.readAll(), atKill.readAll());

    // A window that ran the same session without dying.
    auto reference = MakeShownForm();
    RunSession(*reference, steps);
    EXPECT_EQ(UndoSteps(*restored), UndoSteps(*reference));

    // The restored window took the log over; a normal end removes it.
    EXPECT_EQ(FilesIn(state, QStringLiteral("*.rlog")).size(), 1);
    restored->FormClose();
    EXPECT_TRUE(FilesIn(state, QStringLiteral("*.rlog")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, RecoveryKill, ::testing::Values(1, 3, 6, 9, 11, 12),
                         [](const auto& info) { return "after_" + std::to_string(info.param) + "_steps"; });

TEST(Recovery, NoKeepsTheLogAsideWithItsDateAndStartsEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RunChildAndKill(dir.path(), 2);
    const QString state = dir.filePath(QStringLiteral("state"));
    int asked = 0;
    auto form = MakeLoggedForm(state, [&](const QString&) {
        ++asked;
        return false;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->drawing().registry.empty());
    EXPECT_EQ(FilesIn(state, QStringLiteral("*.kept")).size(), 1);
    // Only the window's own log is left; the next start asks nothing.
    EXPECT_EQ(FilesIn(state, QStringLiteral("*.rlog")).size(), 1);
    form->FormClose();
    auto next = MakeLoggedForm(state, [&](const QString&) {
        ++asked;
        return false;
    });
    EXPECT_EQ(asked, 1);
}

TEST(Recovery, TwoWindowsKeepTwoLogsAndANormalEndLeavesNone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int asked = 0;
    auto count = [&](const QString&) {
        ++asked;
        return true;
    };
    auto a = MakeLoggedForm(dir.path(), count);
    auto b = MakeLoggedForm(dir.path(), count);
    DrawLine(*a, {20, 100}, {300, 100});
    DrawLine(*b, {20, 50}, {300, 50});
    EXPECT_EQ(asked, 0) << "a running window's log is never offered";
    EXPECT_EQ(FilesIn(dir.path(), QStringLiteral("*.rlog")).size(), 2);
    a->drawing().markSaved();
    b->drawing().markSaved();
    a->close();
    b->close();
    EXPECT_TRUE(FilesIn(dir.path(), QStringLiteral("*.rlog")).isEmpty());
}

TEST(Recovery, AnOpenedFileIsReferredToAndASavedDrawingLeavesNothingToAsk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString state = dir.filePath(QStringLiteral("state"));
    const QString file = dir.filePath(QStringLiteral("a.mt"));
    auto form = MakeLoggedForm(state, [](const QString&) { return true; });
    DrawLine(*form, {20, 100}, {300, 100});
    ASSERT_TRUE(form->saveDrawingFile(file));
    ASSERT_TRUE(form->openDrawingFile(file));
    // The log names the file and keeps a link to it, not a copy of the drawing.
    const auto* log = form->recoveryLog();
    ASSERT_NE(log, nullptr);
    EXPECT_LT(log->size(), 200u);
    EXPECT_EQ(FilesIn(state, QStringLiteral("*.origin.mt")).size(), 1);
    DrawLine(*form, {20, 200}, {300, 200});
    ASSERT_TRUE(form->saveDrawingFile(file));
    form.reset();  // dies without a normal end; its log ends in a save
    int asked = 0;
    auto next = MakeLoggedForm(state, [&](const QString&) {
        ++asked;
        return true;
    });
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(FilesIn(state, QStringLiteral("*.origin.mt")).isEmpty());
}

}  // namespace

// The File menu and Undo/Redo through TForm1's handlers, with the file
// choosers and the unsaved-changes question scripted: what each answer does
// to the drawing, the view, the journal, the menu and the status line.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.h"
#include "dialogs/UnitNew.h"
#include "storage/CVals.h"
#include "storage/files.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Scripts the questions; counts how often the unsaved question was asked.
struct Script {
    UnsavedAnswer answer = UnsavedAnswer::Cancel;
    QString openPath, savePath, imagePath;
    int asked = 0;
    QStringList errors;

    void install(TForm1& form)
    {
        FileQuestions& q = form.questions();
        q.unsavedChanges = [this] {
            ++asked;
            return answer;
        };
        q.openDrawing = [this](const QString&) { return openPath; };
        q.saveDrawing = [this](const QString&) { return savePath; };
        q.saveImage = [this](const QString&) { return imagePath; };
        q.error = [this](const QString& title, const QString& text) { errors << title + "|" + text; };
    }
};

void AnswerNewDialog(const QString& width, const QString& height, bool ok)
{
    WhenModal([=](QWidget* modal) {
        auto* dialog = qobject_cast<TFormNew*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->Edit1->setText(width);
        dialog->Edit2->setText(height);
        (ok ? dialog->Button1 : dialog->Button2)->click();
    });
}

class FileMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = MakeShownForm();
        script.install(*form);
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TForm1> form;
    Script script;
    QTemporaryDir dir;
};

TEST_F(FileMenu, NewOnAnUnchangedDrawingAsksNothing)
{
    AnswerNewDialog(QStringLiteral("640"), QStringLiteral("480"), true);
    form->PopFileNewClick();
    EXPECT_EQ(script.asked, 0);
    EXPECT_EQ(form->interaction().view.imageWidth, 640);
    EXPECT_EQ(form->interaction().view.imageHeight, 480);
    EXPECT_EQ(form->statusText(1), Text("＜新規作成＞"));
    EXPECT_EQ(form->FormNew()->windowTitle(), Text("新規作成"));
}

TEST_F(FileMenu, NewWithUnsavedChangesAndCancelKeepsEverything)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->UpdateUndoMenu();
    form->interaction().view.view = ViewTransform{2, 5, 5};
    script.answer = UnsavedAnswer::Cancel;
    form->PopFileNewClick();  // no dialog may appear: nothing answers it
    EXPECT_EQ(script.asked, 1);
    EXPECT_EQ(form->drawing().registry.size(), 1u);
    EXPECT_EQ(form->interaction().view.view.scale, 2);
    EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
}

TEST_F(FileMenu, NewDialogCancelledKeepsTheDrawingTheViewAndTheHistory)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->interaction().view.view = ViewTransform{2, 5, 5};
    script.answer = UnsavedAnswer::Discard;
    AnswerNewDialog(QStringLiteral("640"), QStringLiteral("480"), false);
    form->PopFileNewClick();
    EXPECT_EQ(form->drawing().registry.size(), 1u);
    EXPECT_EQ(form->interaction().view.view.scale, 2);
    EXPECT_EQ(form->interaction().view.imageWidth, 320);
    EXPECT_TRUE(form->drawing().journal.canUndo());
}

TEST_F(FileMenu, NewAfterDiscardEmptiesTheDrawingAndResetsTheView)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->interaction().view.view = ViewTransform{2, 5, 5};
    form->interaction().CommandMode = 101;
    script.answer = UnsavedAnswer::Discard;
    AnswerNewDialog(QStringLiteral("0"), QStringLiteral("9999"), true);
    form->PopFileNewClick();
    EXPECT_TRUE(form->drawing().registry.empty());
    EXPECT_FALSE(form->drawing().isModified());
    EXPECT_EQ(form->interaction().view.imageWidth, 4);
    EXPECT_EQ(form->interaction().view.imageHeight, 4000);
    EXPECT_EQ(form->interaction().view.view.scale, 1);
    EXPECT_EQ(form->interaction().view.previous.scale, 1);
    EXPECT_EQ(form->interaction().CommandMode, 0);
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled());
}

TEST_F(FileMenu, SaveAnswerWritesTheFileBeforeStartingOver)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.answer = UnsavedAnswer::Save;
    script.savePath = path("kept.mt");
    AnswerNewDialog(QStringLiteral("320"), QStringLiteral("240"), true);
    form->PopFileNewClick();
    ASSERT_TRUE(QFile::exists(script.savePath));
    Drawing reread;
    ASSERT_TRUE(ReadDrawing(script.savePath.toStdString(), reread).ok());
    EXPECT_EQ(reread.registry.size(), 1u);
    EXPECT_TRUE(form->drawing().registry.empty());
}

TEST_F(FileMenu, SaveAnswerWhoseSaveIsCancelledKeepsTheDrawing)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.answer = UnsavedAnswer::Save;
    script.savePath.clear();  // the save dialog is cancelled
    form->PopFileNewClick();
    EXPECT_EQ(form->drawing().registry.size(), 1u);
    EXPECT_TRUE(form->drawing().isModified());
}

TEST_F(FileMenu, SaveAsThenOpenRestoresTheDrawingWithOneUndoStep)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    AddLine(form->drawing(), 20, 10, 20, 100);
    form->interaction().view.imageWidth = 500;
    script.savePath = path("two.mt");
    form->PopFileSaveAsClick();
    EXPECT_EQ(form->statusText(1), Text("＜保存＞"));
    EXPECT_FALSE(form->drawing().isModified());
    EXPECT_EQ(form->currentFile(), script.savePath);

    AnswerNewDialog(QStringLiteral("320"), QStringLiteral("240"), true);
    form->PopFileNewClick();
    EXPECT_EQ(script.asked, 0);  // saved: nothing to ask
    script.openPath = script.savePath;
    form->interaction().view.view = ViewTransform{3, 1, 1};
    form->PopFileOpenClick();
    EXPECT_EQ(form->statusText(1), Text("＜開く＞"));
    EXPECT_EQ(form->drawing().registry.size(), 2u);
    EXPECT_EQ(form->interaction().view.imageWidth, 500);
    EXPECT_EQ(form->interaction().view.view.scale, 1);
    EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled());
    EXPECT_FALSE(form->drawing().isModified());

    form->PopEditUndoClick();
    EXPECT_EQ(form->statusText(1), Text("元に戻す：線分作図"));
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled());
    EXPECT_FALSE(form->drawing().registry[0].live);
    EXPECT_TRUE(form->drawing().isModified());
    form->PopEditRedoClick();
    EXPECT_EQ(form->statusText(1), Text("やり直し：線分作図"));
    EXPECT_TRUE(form->drawing().registry[1].live);
}

TEST_F(FileMenu, UndoWithNothingToUndoSaysSo)
{
    form->PopEditUndoClick();
    EXPECT_EQ(form->statusText(1), Text("元に戻す：---"));
    form->PopEditRedoClick();
    EXPECT_EQ(form->statusText(1), Text("やり直し：---"));
}

TEST_F(FileMenu, UndoShortcutWorksWithoutTheMenu)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->UpdateUndoMenu();
    form->activateWindow();
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->statusText(1), Text("元に戻す：線分作図"));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->statusText(1), Text("やり直し：線分作図"));
}

TEST_F(FileMenu, OpeningAMissingFileReportsItAndChangesNothing)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->drawing().markSaved();
    script.openPath = path("missing.mt");
    form->ShowOperation(QStringLiteral("before"));
    form->PopFileOpenClick();
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].contains(QStringLiteral("missing.mt")));
    EXPECT_EQ(form->drawing().registry.size(), 1u);
    EXPECT_EQ(form->statusText(1), QStringLiteral("before"));
}

TEST_F(FileMenu, AFailedSaveIsReportedAndLeavesTheDrawingUnsaved)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.savePath = path("no/such/folder/x.mt");
    form->PopFileSaveAsClick();
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].contains(QStringLiteral("x.mt")));
    EXPECT_TRUE(form->drawing().isModified());
    EXPECT_NE(form->statusText(1), Text("＜保存＞"));
}

TEST_F(FileMenu, SaveImageWritesThePictureAndRepaints)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.imagePath = path("picture.png");
    form->PopFileSaveImageClick();
    EXPECT_EQ(form->statusText(1), Text("＜画像保存＞"));
    QImage written(script.imagePath);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(320, 240));
    EXPECT_TRUE(script.errors.isEmpty());
    EXPECT_EQ(Pixel(*form, 320, 100), 0x0000FFu);  // the canvas has its frame back
}

TEST_F(FileMenu, SaveImageWithAnUnknownExtensionWritesNothingAndSaysWhy)
{
    script.imagePath = path("picture.txt");
    form->PopFileSaveImageClick();
    EXPECT_FALSE(QFile::exists(script.imagePath));
    EXPECT_EQ(script.errors.size(), 1);
    EXPECT_EQ(form->statusText(1), Text("＜画像保存＞"));
}

TEST_F(FileMenu, ExitAsksAndCancelKeepsTheWindowOpen)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.answer = UnsavedAnswer::Cancel;
    form->PopFileExitClick();
    EXPECT_EQ(script.asked, 1);
    EXPECT_TRUE(form->isVisible());
    script.answer = UnsavedAnswer::Discard;
    form->PopFileExitClick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->surface(), nullptr);  // the shutdown ran
}

TEST(FormSettings, AreReadAtShowAndWrittenAtClose)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    saved.grid.shown = true;
    saved.grid.pitchX = 25;
    saved.windows.form1 = WindowPlace{50, 60, 500, 400};
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));

    auto form = MakeShownFormWithoutResize(settingsPath);
    EXPECT_TRUE(form->settings().grid.shown);
    EXPECT_EQ(form->settings().grid.pitchX, 25);
    EXPECT_EQ(form->size(), QSize(500, 400));

    form->settings().grid.pitchY = 42;
    form->close();
    const Settings reread = ReadSettings(settingsPath.toStdString());
    EXPECT_EQ(reread.grid.pitchY, 42);
    EXPECT_TRUE(reread.grid.shown);
    EXPECT_EQ(reread.windows.form1.width, 500);
}

TEST(FormSettings, AnAbsurdWindowSizeFromTheFileIsBounded)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    saved.windows.form1 = WindowPlace{0, 0, 2000000000, -5};
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));
    auto form = MakeShownFormWithoutResize(settingsPath);
    EXPECT_LE(form->width(), 8192);
    EXPECT_GE(form->height(), 100);
}

}  // namespace

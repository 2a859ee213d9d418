// The File menu and Undo/Redo through TForm1's handlers, with the file
// choosers and the unsaved-changes question scripted: what each answer does
// to the drawing, the view, the journal, the menu and the status line.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "app/qt_translations.h"
#include "app_test_support.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitLay.h"
#include "dialogs/UnitMoji.h"
#include "dialogs/UnitNew.h"
#include "storage/CVals.h"
#include "storage/cp932.h"
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
        Questions& q = form.questions();
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

TEST_F(FileMenu, OpenThenSaveAsKeepsBytesThatAreNoShiftJisCharacter)
{
    for (const char* name : { "kept_invalid_bytes.mt", "kept_duplicate_codes.mt" }) {
        script.openPath = QStringLiteral(MIRT_TEST_DATA "/../fuzz_corpus/") + QLatin1String(name);
        form->PopFileOpenClick();
        ASSERT_EQ(form->statusText(1), Text("＜開く＞")) << name;
        script.savePath = path(name);
        form->PopFileSaveAsClick();
        ASSERT_EQ(form->statusText(1), Text("＜保存＞")) << name;
        QFile original(script.openPath), saved(script.savePath);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(), original.readAll()) << name;
    }
}

// The settings file keeps the remembered folders in Shift-JIS: a folder it
// cannot hold is not remembered, and the drawing is saved and opened as usual.
TEST_F(FileMenu, AFolderTheSettingsCannotHoldIsNotRemembered)
{
    form->settings().saveDialogFolder = "/remembered/save";
    form->settings().openDialogFolder = "/remembered/open";
    for (const char* folder : {"caf\xc3\xa9", "\xf4\x80\x82\x81", "plain"}) {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromUtf8(folder)));
        const QString file = dir.filePath(QString::fromUtf8(folder) + QStringLiteral("/a.mt"));
        AddLine(form->drawing(), 10, 10, 100, 100);
        script.savePath = file;
        form->PopFileSaveAsClick();
        EXPECT_EQ(form->statusText(1), Text("＜保存＞")) << folder;
        EXPECT_TRUE(QFileInfo::exists(file)) << folder;
        script.openPath = file;
        form->PopFileOpenClick();
        EXPECT_EQ(form->statusText(1), Text("＜開く＞")) << folder;
    }
    const std::string plain = QFileInfo(dir.filePath(QStringLiteral("plain/a.mt"))).absolutePath().toStdString();
    EXPECT_EQ(form->settings().saveDialogFolder, plain);
    EXPECT_EQ(form->settings().openDialogFolder, plain);
    form->settings().saveDialogFolder = "/remembered/save";
    script.savePath = dir.filePath(QString::fromUtf8("caf\xc3\xa9/a.mt"));
    form->PopFileSaveAsClick();
    EXPECT_EQ(form->settings().saveDialogFolder, "/remembered/save");
    EXPECT_TRUE(script.errors.isEmpty()) << script.errors.join(u'\n').toStdString();
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

TEST(FormSettings, StringsWithBytesThatAreNoShiftJisCharacterAreWrittenBackAsRead)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    // A lead byte before a blank, a duplicate code, an undefined byte, a lead byte last.
    saved.construction.fontName = cp932ToUtf8("\x81 x");
    saved.construction.text = cp932ToUtf8("\xFA\x5B\xFF");
    saved.openDialogFolder = cp932ToUtf8("/tmp/\xA0");
    saved.saveDialogFolder = cp932ToUtf8("/tmp/\x82");
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));
    MakeShownFormWithoutResize(settingsPath)->close();
    QFile file(settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const char* line : { "\r\n\x81 x\r\n", "\r\n\xFA\x5B\xFF\r\n", "\r\n/tmp/\xA0\r\n", "\r\n/tmp/\x82\r\n" })
        EXPECT_TRUE(bytes.contains(line)) << line;
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

// ---- Refused opens, unsaved sizes, typed image names ------------------------

struct BadFileRow {
    const char* name;
    QByteArray bytes;  // written to the file; a folder when null
};

class FileMenuRefusedOpen : public FileMenu, public ::testing::WithParamInterface<BadFileRow> {};

// A file that cannot be read as a drawing leaves everything as it was.
TEST_P(FileMenuRefusedOpen, ChangesNothing)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->interaction().view.imageWidth = 640;
    form->interaction().view.imageHeight = 480;
    script.savePath = path("kept.mt");
    form->PopFileSaveAsClick();
    AddLine(form->drawing(), 20, 20, 50, 50);
    form->UpdateUndoMenu();
    form->interaction().view.view = ViewTransform{2, 5, 5};

    const QString bad = path(GetParam().name);
    if (GetParam().bytes.isNull()) {
        ASSERT_TRUE(QDir().mkdir(bad));
    } else {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().bytes);
    }
    script.answer = UnsavedAnswer::Discard;
    script.openPath = bad;
    form->PopFileOpenClick();

    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].contains(QString::fromLatin1(GetParam().name)));
    EXPECT_EQ(form->drawing().registry.size(), 2u);
    EXPECT_EQ(form->interaction().view.imageWidth, 640);
    EXPECT_EQ(form->interaction().view.imageHeight, 480);
    EXPECT_EQ(form->interaction().view.view.scale, 2);
    EXPECT_TRUE(form->drawing().isModified());
    EXPECT_TRUE(form->drawing().journal.canUndo());
    EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_EQ(form->currentFile(), script.savePath);
    EXPECT_NE(form->statusText(1), Text("＜開く＞"));
}

INSTANTIATE_TEST_SUITE_P(Rows, FileMenuRefusedOpen,
                         ::testing::Values(BadFileRow{"empty.mt", QByteArray("")},
                                           BadFileRow{"picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
                                           BadFileRow{"noise.mt", QByteArray("\x13\xF7\x02\n\x88\x88\n\xFF", 8)},
                                           BadFileRow{"folder.mt", QByteArray()},
                                           BadFileRow{"binary.dxf", QByteArray("AutoCAD Binary DXF\r\n\x1a\0", 22)},
                                           BadFileRow{"cut.dxf", QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n")}),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param.name);
                             return name.replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
                         });

TEST_F(FileMenu, ANewImageSizeIsAnUnsavedChange)
{
    AnswerNewDialog(QStringLiteral("640"), QStringLiteral("480"), true);
    form->PopSetSizeClick();
    EXPECT_TRUE(form->drawing().isModified());
    script.answer = UnsavedAnswer::Cancel;
    form->PopFileExitClick();
    EXPECT_EQ(script.asked, 1);
    EXPECT_TRUE(form->isVisible());

    script.savePath = path("sized.mt");
    form->PopFileSaveAsClick();
    EXPECT_FALSE(form->drawing().isModified());
    Drawing reread;
    EXPECT_EQ(ReadDrawing(script.savePath.toStdString(), reread).imageSize.width, 640);

    AnswerNewDialog(QStringLiteral("640"), QStringLiteral("480"), true);
    form->PopSetSizeClick();  // the same size again changes nothing
    EXPECT_FALSE(form->drawing().isModified());
}

// A DXF drawing written by 画像保存 opens as a new, unsaved drawing with no
// file name; what it cannot hold is reported in the status line and a message.
TEST_F(FileMenu, ADxfExportOpensAsAnUnsavedDrawing)
{
    AddLine(form->drawing(), 10, 10, 100, 100);
    script.imagePath = path("plan.dxf");
    form->PopFileSaveImageClick();
    ASSERT_TRUE(script.errors.isEmpty()) << script.errors.join("; ").toStdString();
    // An entity without counterpart, put in before the end of ENTITIES.
    QFile in(script.imagePath);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    in.close();
    const qsizetype entitiesEnd = bytes.indexOf("ENDSEC", bytes.indexOf("ENTITIES"));
    ASSERT_GT(entitiesEnd, 0);
    bytes.insert(bytes.lastIndexOf("\n", entitiesEnd - 2) + 1, "  0\nXLINE\n 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n0.0\n");
    QFile out(script.imagePath);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
    out.close();

    form->drawing().markSaved();
    script.openPath = script.imagePath;
    form->PopFileOpenClick();
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].contains(QStringLiteral("XLINE 1"))) << script.errors[0].toStdString();
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    EXPECT_NEAR(form->drawing().tables.lines[0].y2, 100, 1e-9);
    EXPECT_EQ(form->interaction().view.imageWidth, 320);
    EXPECT_EQ(form->interaction().view.imageHeight, 240);
    EXPECT_TRUE(form->currentFile().isEmpty());
    EXPECT_TRUE(form->drawing().isModified());
    EXPECT_TRUE(form->statusText(1).startsWith(Text("＜開く＞")));
    EXPECT_TRUE(form->statusText(1).contains(QStringLiteral("XLINE 1")));
}

TEST_F(FileMenu, TheChosenImageTypeSuppliesTheMissingExtension)
{
    auto fileDialogs = std::make_shared<int>(0);
    WhenModal([this, fileDialogs](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        ++*fileDialogs;
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        while (!types->currentText().startsWith(QStringLiteral("*.png")))
            QTest::keyClick(types, Qt::Key_Down);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path("picture"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto plain = MakeShownForm();  // the real save dialog, not the script
    const QString chosen = plain->questions().saveImage(path("start"));
    EXPECT_EQ(*fileDialogs, 1);
    EXPECT_EQ(chosen, path("picture.png"));
}

// ---- Window places from the settings file -------------------------------------

TEST(FormSettings, EveryWindowComesBackExactlyWhereItWasLeft)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    saved.windows.form1 = WindowPlace{50, 60, 500, 400};
    saved.windows.formGrd = WindowPlace{70, 80, 0, 0};
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));
    for (int run = 0; run < 3; ++run) {  // a place that moved would creep run by run
        auto form = MakeShownFormWithoutResize(settingsPath);
        EXPECT_EQ(form->geometry(), QRect(50, 60, 500, 400)) << "run " << run;
        EXPECT_EQ(form->FormGrd()->geometry().topLeft(), QPoint(70, 80)) << "run " << run;
        form->close();
    }
    const Settings reread = ReadSettings(settingsPath.toStdString());
    EXPECT_EQ(reread.windows.form1.left, 50);
    EXPECT_EQ(reread.windows.form1.top, 60);
    EXPECT_EQ(reread.windows.formGrd.left, 70);
}

struct DamagedSettingsRow {
    const char* name;
    std::function<QByteArray()> bytes;
};

QByteArray EveryLine(const char* text)
{
    QByteArray file;
    for (int i = 0; i < 129; ++i)
        file += QByteArray(text) + "\r\n";
    return file;
}

class FormDamagedSettings : public ::testing::TestWithParam<DamagedSettingsRow> {};

// Whatever the file holds, the window opens at least at its design size and
// wholly on the screen.
TEST_P(FormDamagedSettings, LeaveTheWindowWhollyOnTheScreen)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    QFile file(settingsPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes());
    file.close();
    auto form = MakeShownFormWithoutResize(settingsPath);
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(form->frameGeometry())) << form->frameGeometry().x() << "," << form->frameGeometry().y();
    EXPECT_GE(form->width(), std::min(397, screen.width()));
    EXPECT_GE(form->height(), std::min(321, screen.height()));
    for (QWidget* dialog : {static_cast<QWidget*>(form->FormGrd()), static_cast<QWidget*>(form->FormNew())})
        EXPECT_TRUE(screen.contains(dialog->geometry())) << dialog->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormDamagedSettings,
    ::testing::Values(
        DamagedSettingsRow{"random_bytes",
                           [] {
                               QByteArray bytes;
                               quint32 seed = 12345;
                               for (int i = 0; i < 4096; ++i) {
                                   seed = seed * 1103515245u + 12345u;
                                   bytes += char(seed >> 24);
                               }
                               return bytes;
                           }},
        DamagedSettingsRow{"twenty_digits", [] { return EveryLine("99999999999999999999"); }},
        DamagedSettingsRow{"int_max", [] { return EveryLine("2147483647"); }},
        DamagedSettingsRow{"int_min", [] { return EveryLine("-2147483648"); }},
        DamagedSettingsRow{"far_off_bounded", [] { return EveryLine("32767"); }},
        DamagedSettingsRow{"tiny", [] { return EveryLine("1"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Every window, shown at its default place or at one remembered on a larger
// screen, lies wholly on the screen it opens on, its frame included.
struct PlacesRow {
    const char* name;
    std::function<void(WindowPlaces&)> places;
};

class FormWindowsOnScreen : public ::testing::TestWithParam<PlacesRow> {};

TEST_P(FormWindowsOnScreen, EveryWindowLiesWhollyOnTheScreen)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    GetParam().places(saved.windows);
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));
    auto form = MakeShownFormWithoutResize(settingsPath);
    const QRect screen = form->screen()->availableGeometry();
    const std::pair<const char*, QDialog*> windows[] = {
        {"pen", form->Form2()},        {"width", form->Form3()},     {"dash", form->Form4()},
        {"caps", form->Form5()},       {"point", form->Form6()},     {"brush", form->Form7()},
        {"layers", form->FormLay()},   {"new", form->FormNew()},     {"grid", form->FormGrd()},
        {"numbers", form->FormInp1()}, {"points", form->FormInp2()}, {"corners", form->FormCBox()},
        {"text", form->FormMoji()}};
    for (const auto& [name, window] : windows) {
        window->show();  // shown without a modal loop: the place is the same
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << name;
        QCoreApplication::processEvents();
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << name << ": " << frame.x() << "," << frame.y() << " "
                                            << frame.width() << "x" << frame.height() << " on "
                                            << screen.width() << "x" << screen.height();
        window->hide();
    }
}

void EveryPlace(WindowPlaces& w, int left, int top)
{
    for (WindowPlace* place : {&w.form2, &w.form3, &w.form4, &w.form5, &w.form6, &w.form7, &w.formNew,
                               &w.formGrd, &w.formInp1, &w.formInp2, &w.formCBox, &w.formMoji, &w.formLay}) {
        place->left = left;
        place->top = top;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormWindowsOnScreen,
    ::testing::Values(PlacesRow{"Defaults", [](WindowPlaces&) {}},
                      PlacesRow{"RememberedOnALargerScreen", [](WindowPlaces& w) { EveryPlace(w, 1800, 1100); }},
                      PlacesRow{"RememberedBottomRight", [](WindowPlaces& w) { EveryPlace(w, 700, 500); }},
                      PlacesRow{"TallLayerWindow", [](WindowPlaces& w) { w.formLay = WindowPlace{100, 300, 300, 2000}; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtTexts, TheStandardButtonsAreJapanese)
{
    ASSERT_TRUE(InstallQtJapanese()) << "qt6-translations-l10n is not installed";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), Text("キャンセル"));
    EXPECT_EQ(box.button(QMessageBox::Save)->text(), Text("保存"));
}

}  // namespace

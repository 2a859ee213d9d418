// Files handed to the window from outside, through the real TForm1 with the
// questions scripted: the command line's FILE and drops (QDropEvent with
// URLs, sent as a drag would send them). A refusal says why and changes
// nothing; an accepted file asks about unsaved changes first and then
// opens exactly as File > Open. Also where an installed copy keeps its
// settings.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/drawing_drops.h"
#include "app/install_layout.h"
#include "app/open_request.h"
#include "app/shell_texts.h"
#include "app_test_support.h"
#include "render/export.h"
#include "storage/file_messages.h"
#include "storage/files.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const QString kSample = QStringLiteral(MIRT_TEST_DATA "/sample.mt");

// If a read blocks on a FIFO, a writer comes after a while and lets it go,
// so a regression fails the test instead of hanging the run.
class FifoUnblocker {
public:
    explicit FifoUnblocker(QByteArray path) : m_path(std::move(path)), m_thread([this] { run(); }) {}
    ~FifoUnblocker()
    {
        m_done = true;
        m_thread.join();
    }
    bool wasNeeded() const { return m_needed; }

private:
    void run()
    {
        for (int i = 0; i < 200 && !m_done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (m_done)
            return;
        m_needed = true;
        ::close(::open(m_path.constData(), O_WRONLY | O_NONBLOCK));
    }
    QByteArray m_path;
    std::atomic<bool> m_done{false}, m_needed{false};
    std::thread m_thread;
};

class OpenFromOutside : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = MakeShownForm();
        Questions& q = form->questions();
        q.unsavedChanges = [this] {
            ++asked;
            return answer;
        };
        q.openDrawing = [](const QString&) { return QString(); };
        q.error = [this](const QString& title, const QString& text) { errors << title + QStringLiteral("|") + text; };
        AddLine(form->drawing(), 10, 10, 100, 100);
        form->UpdateUndoMenu();
        form->drawing().markSaved();
        form->ShowOperation(QStringLiteral("before"));
    }

    QString copyOfSample(const QString& name) const
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(kSample, path));
        return path;
    }

    // The drawing and the window as before any open.
    void expectUnchanged() const
    {
        EXPECT_EQ(form->drawing().registry.size(), 1u);
        EXPECT_EQ(form->interaction().view.imageWidth, 320);
        EXPECT_TRUE(form->currentFile().isEmpty());
        EXPECT_EQ(form->statusText(1), QStringLiteral("before"));
    }

    void expectOpened(const QString& path) const
    {
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QStringLiteral("; ")).toStdString();
        EXPECT_EQ(form->currentFile(), path);
        EXPECT_EQ(form->interaction().view.imageWidth, 1280);
        EXPECT_GT(form->drawing().registry.size(), 1u);
        EXPECT_EQ(form->statusText(1), Text(ShellText::kOpenDone));
        EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    }

    void expectOneError(const QString& part) const
    {
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.front().startsWith(Text(ShellText::kOpenFailed) + QStringLiteral("|")));
        EXPECT_TRUE(errors.front().contains(part)) << errors.front().toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    UnsavedAnswer answer = UnsavedAnswer::Cancel;
    int asked = 0;
    QStringList errors;
};

// --- the command line's FILE --------------------------------------------------

TEST_F(OpenFromOutside, ArgumentOpensTheDrawingAsOpenDoes)
{
    const QString path = copyOfSample(QStringLiteral("図面.mt"));
    OpenRequested(*form, RequestFromArgument(path.toStdString()));
    expectOpened(path);
    EXPECT_EQ(asked, 0) << "the drawing had no unsaved changes";
}

TEST_F(OpenFromOutside, RelativeArgumentIsMadeAbsolute)
{
    copyOfSample(QStringLiteral("plan.mt"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const OpenRequest request = RequestFromArgument("plan.mt");
    QDir::setCurrent(before);
    EXPECT_TRUE(request.accepted());
    EXPECT_EQ(request.path, dir.filePath(QStringLiteral("plan.mt")));
}

// Bad FILE arguments: each says why, and nothing else changes.
struct BadArgumentRow {
    const char* name;
    // Makes the file in folder; gives the argument bytes.
    std::string (*make)(const QString& folder);
    std::string_view reason;
};

std::string InFolder(const QString& folder, const char* name)
{
    return QFile::encodeName(folder).toStdString() + "/" + name;
}

const BadArgumentRow kBadArguments[] = {
    {"missing", [](const QString& f) { return InFolder(f, "none.mt"); }, "none.mt"},
    {"folder",
     [](const QString& f) {
         const std::string path = InFolder(f, "folder.mt");
         ::mkdir(path.c_str(), 0700);
         return path;
     },
     fileMessages::kIsAFolder},
    {"fifo",
     [](const QString& f) {
         const std::string path = InFolder(f, "pipe.mt");
         ::mkfifo(path.c_str(), 0600);
         return path;
     },
     fileMessages::kNotARegularFile},
    {"not_a_drawing",
     [](const QString& f) {
         const std::string path = InFolder(f, "notes.mt");
         QFile file(QString::fromStdString(path));
         file.open(QIODevice::WriteOnly);
         file.write("\x89PNG\r\n\x1a\n");
         return path;
     },
     fileMessages::kNotADrawing},
    {"several_gigabytes",
     [](const QString& f) {
         const std::string path = InFolder(f, "huge.mt");
         QFile file(QString::fromStdString(path));
         file.open(QIODevice::WriteOnly);
         file.write("640\r\n480\r\nLAYER\r\n");
         file.resize(int64_t{3} << 30);  // sparse
         return path;
     },
     fileMessages::kTooLarge},
    {"name_not_utf8",
     [](const QString& f) {
         // A real drawing: the name alone is refused.
         const std::string path = InFolder(f, "\xff\xfe.mt");
         const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
         QFile sample(kSample);
         sample.open(QIODevice::ReadOnly);
         const QByteArray bytes = sample.readAll();
         [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), bytes.size());
         ::close(fd);
         return path;
     },
     "UTF-8"},
};

class BadArgument : public OpenFromOutside, public testing::WithParamInterface<BadArgumentRow> {};

TEST_P(BadArgument, IsRefusedWithItsReasonAndChangesNothing)
{
    const std::string argument = GetParam().make(dir.path());
    FifoUnblocker unblocker(QByteArray::fromStdString(argument));
    OpenRequested(*form, RequestFromArgument(argument));
    EXPECT_FALSE(unblocker.wasNeeded()) << "the open waited for a writer";
    expectOneError(Text(GetParam().reason));
    expectUnchanged();
    std::filesystem::remove(argument);  // QTemporaryDir cannot name a non-UTF-8 file
}

INSTANTIATE_TEST_SUITE_P(OpenFromOutside, BadArgument, testing::ValuesIn(kBadArguments),
                         [](const auto& info) { return std::string(info.param.name); });

// --- drops -------------------------------------------------------------------

struct DropResult {
    bool enterAccepted = false;
    bool dropAccepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

// A drag over the canvas and its drop, then the queued open.
DropResult Drop(TForm1& form, QMimeData& data, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction,
                Qt::DropAction proposed = Qt::MoveAction)
{
    const QPoint pos(50, 50);
    DropResult result;
    QDragEnterEvent enter(pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(proposed);
    QCoreApplication::sendEvent(&form, &enter);
    result.enterAccepted = enter.isAccepted();
    QDropEvent drop(QPointF(pos), actions, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(proposed);
    QCoreApplication::sendEvent(&form, &drop);
    result.dropAccepted = drop.isAccepted();
    result.action = drop.dropAction();
    QCoreApplication::processEvents();
    return result;
}

TEST_F(OpenFromOutside, DroppedDrawingOpensAsACopy)
{
    const QString path = copyOfSample(QStringLiteral("plan.MT"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const DropResult result = Drop(*form, data);
    EXPECT_TRUE(result.enterAccepted);
    EXPECT_TRUE(result.dropAccepted);
    EXPECT_EQ(result.action, Qt::CopyAction) << "a move would let the file manager delete the file";
    expectOpened(path);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(OpenFromOutside, DroppedDxfOpensAsAnUnsavedDrawing)
{
    Drawing lines;
    AddLine(lines, 10, 10, 100, 100);
    AddLine(lines, 20, 10, 20, 100);
    const QString path = dir.filePath(QStringLiteral("plan.DXF"));
    ASSERT_TRUE(ExportImage(lines, path, 320, 240).ok());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const DropResult result = Drop(*form, data);
    EXPECT_TRUE(result.dropAccepted);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QStringLiteral("; ")).toStdString();
    EXPECT_EQ(form->drawing().tables.lines.size(), 2u);
    EXPECT_TRUE(form->drawing().isModified());  // Save writes a drawing file, never the DXF
}

TEST_F(OpenFromOutside, DropAsksAboutUnsavedChangesFirstAndCancelKeepsTheDrawing)
{
    const QString path = copyOfSample(QStringLiteral("plan.mt"));
    AddLine(form->drawing(), 0, 0, 5, 5);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    Drop(*form, data);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(form->drawing().registry.size(), 2u);
    EXPECT_TRUE(form->currentFile().isEmpty());
}

TEST_F(OpenFromOutside, DropAfterDiscardOpens)
{
    const QString path = copyOfSample(QStringLiteral("plan.mt"));
    AddLine(form->drawing(), 0, 0, 5, 5);
    answer = UnsavedAnswer::Discard;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    Drop(*form, data);
    EXPECT_EQ(asked, 1);
    expectOpened(path);
}

TEST_F(OpenFromOutside, DragThatCannotBeCopiedIsNotTaken)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(copyOfSample(QStringLiteral("plan.mt")))});
    const DropResult result = Drop(*form, data, Qt::MoveAction, Qt::MoveAction);
    EXPECT_FALSE(result.enterAccepted);
    EXPECT_FALSE(result.dropAccepted);
    expectUnchanged();
}

// Drops that are refused before anything is asked.
struct RefusedDropRow {
    const char* name;
    void (*fill)(QMimeData& data, const QString& folder);
    const char* messagePart;
};

const RefusedDropRow kRefusedDrops[] = {
    {"text", [](QMimeData& d, const QString&) { d.setText(QStringLiteral("plan.mt")); },
     ShellText::kDropNoFile},
    {"two_files",
     [](QMimeData& d, const QString& f) {
         d.setUrls({QUrl::fromLocalFile(f + QStringLiteral("/a.mt")), QUrl::fromLocalFile(f + QStringLiteral("/b.mt"))});
     },
     "2"},
    {"web_url", [](QMimeData& d, const QString&) { d.setUrls({QUrl(QStringLiteral("https://example.org/plan.mt"))}); },
     "https://example.org/plan.mt"},
    {"file_on_another_host",
     [](QMimeData& d, const QString&) { d.setUrls({QUrl(QStringLiteral("file://elsewhere.example/plan.mt"))}); },
     "elsewhere.example"},
    {"long_url_shown_cut",
     [](QMimeData& d, const QString&) {
         d.setUrls({QUrl(QStringLiteral("https://example.org/") + QString(5000, QLatin1Char('a')))});
     },
     "\xe2\x80\xa6"},
    {"picture", [](QMimeData& d, const QString& f) { d.setUrls({QUrl::fromLocalFile(f + QStringLiteral("/plan.png"))}); },
     "plan.png"},
    {"name_not_utf8",
     [](QMimeData& d, const QString& f) {
         d.setUrls({QUrl(QStringLiteral("file://") + f + QStringLiteral("/%FF%FE.mt"))});
     },
     "UTF-8"},
};

class RefusedDrop : public OpenFromOutside, public testing::WithParamInterface<RefusedDropRow> {};

TEST_P(RefusedDrop, SaysWhyAndChangesNothing)
{
    AddLine(form->drawing(), 0, 0, 5, 5);  // unsaved: still nothing to ask
    QMimeData data;
    GetParam().fill(data, dir.path());
    const DropResult result = Drop(*form, data);
    EXPECT_TRUE(result.enterAccepted) << "taken, so that the refusal can say why";
    EXPECT_EQ(result.action, Qt::IgnoreAction);
    EXPECT_EQ(asked, 0);
    expectOneError(Text(GetParam().messagePart));
    EXPECT_EQ(form->drawing().registry.size(), 2u);
    EXPECT_TRUE(form->currentFile().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OpenFromOutside, RefusedDrop, testing::ValuesIn(kRefusedDrops),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenFromOutside, DroppedFolderNamedLikeADrawingIsRefusedByTheRead)
{
    const QString path = dir.filePath(QStringLiteral("folder.mt"));
    ASSERT_TRUE(QDir().mkdir(path));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    Drop(*form, data);
    expectOneError(Text(fileMessages::kIsAFolder));
    expectUnchanged();
}

// --- where the settings live -------------------------------------------------

TEST(InstallLayout, InstalledCopyKeepsItsSettingsInTheUserFolder)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    const QString executable = prefix.filePath(QStringLiteral("bin/mirt"));
    const QString config = prefix.filePath(QStringLiteral("home/.config/mirt"));
    EXPECT_EQ(SettingsFilePath(executable, config), prefix.filePath(QStringLiteral("bin/mirt.dat")))
        << "a writable folder without a desktop entry is a build or portable copy";

    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/applications")));
    QFile entry(prefix.filePath(QStringLiteral("share/applications/") + ApplicationId() + QStringLiteral(".desktop")));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_TRUE(IsInstalledCopy(prefix.filePath(QStringLiteral("bin"))));
    EXPECT_EQ(SettingsFilePath(executable, config), config + QStringLiteral("/mirt.dat"));
}

}  // namespace

// The recovery log against the drawing it follows: a scripted session of
// commands, undos, redos, a layer rename and a size change is logged, and
// every whole-frame prefix of the log replays to the state after its step,
// with the same undo history; torn and damaged logs restore up to the last
// good frame; logs are locked per program and a dead program's log is found;
// a save killed at any moment leaves the old or the new file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "../model/element_builders.h"
#include "storage/files.h"
#include "storage/recovery_log.h"
#include "storage/recovery_replay.h"
#include "storage_fixtures.h"

using namespace recovery;

namespace {

// Everything undo, redo and a save can tell apart.
std::string dump(const Drawing& d, ImageSize size)
{
    std::string out = std::to_string(size.width) + "x" + std::to_string(size.height) + "|";
    for (const ElementRef& r : d.registry)
        out += std::to_string(r.kind) + ":" + std::to_string(r.index) + ":" + std::to_string(r.live) + " ";
    out += "|";
    const UndoJournal& j = d.journal;
    for (int32_t i = 0; i < j.end(); ++i) {
        const JournalEntry& e = j.entries()[static_cast<size_t>(i)];
        out += std::to_string(static_cast<int>(e.op)) + "/" + std::to_string(e.group) + "/" +
               std::to_string(e.registryPosition) + " ";
    }
    out += "|" + std::to_string(j.position()) + "," + std::to_string(j.recordingGroup()) + "," +
           std::to_string(j.undoLevel()) + "|";
    for (const Layer& l : d.layers)
        out += std::to_string(l.visible) + l.name + ";";
    std::string file;
    WriteDrawingText(d, size, file);
    return out + "|" + file;
}

// Undo to the start and redo to the end, the state after every step.
std::vector<std::string> historyWalk(Drawing d, ImageSize size)
{
    std::vector<std::string> states{dump(d, size)};
    while (d.journal.canUndo()) {
        d.Undo();
        states.push_back(dump(d, size));
    }
    while (d.journal.canRedo()) {
        d.Redo();
        states.push_back(dump(d, size));
    }
    return states;
}

void group(Drawing& d, const std::function<void()>& command)
{
    d.journal.BeginGroup();
    command();
    d.journal.EndGroup();
}

// A logged session; states[k] is the drawing after step k (0: the start).
struct Session {
    std::string folder = makeTempDir();
    RecoveryLog log;
    Drawing d;
    ImageSize size{320, 240};
    std::vector<std::string> states;
    std::vector<uint64_t> frameEnds;  // log size after each step

    Session() { EXPECT_TRUE(log.create(folder)); }

    void start()
    {
        log.startNew(d, size);
        mark();
    }
    void mark()
    {
        states.push_back(dump(d, size));
        frameEnds.push_back(log.size());
    }
    void command(const std::function<void()>& change)
    {
        change();
        log.recordChanges(d, size);
        mark();
    }
    void undo()
    {
        d.Undo();
        log.recordUndo(d, size);
        mark();
    }
    void redo()
    {
        d.Redo();
        log.recordRedo(d, size);
        mark();
    }
    std::string bytes() const { return readBytes(log.path()); }
};

void runScript(Session& s)
{
    using namespace testing_builders;
    Drawing& d = s.d;
    s.start();
    s.command([&] {
        group(d, [&] {
            LineRecord l = line(10, 10, 200, 10);
            l.h.penRef = findOrAppend(d.attributes.penColor, PenColorEntry{0, 0x0000FF});
            d.AppendLine(l);
        });
    });
    s.command([&] { group(d, [&] { fillEveryKind(d); }); });
    s.command([&] {  // a move: the new line, then the old one dies
        group(d, [&] {
            LineRecord moved = d.tables.lines[0];
            moved.y1 = moved.y2 = 40;
            d.AppendLine(moved);
            d.markDead(0);
        });
    });
    s.command([&] { group(d, [&] { d.markDead(2), d.markDead(3), d.markDead(5); }); });
    s.undo();
    s.undo();
    s.redo();
    s.command([&] {  // a freehand stroke after the undos: the redo is gone
        group(d, [&] {
            OpenPathRecord stroke;
            stroke.h = outlineHeader(4);
            stroke.h.widthRef = findOrAppend(d.attributes.width, WidthEntry{0, 2.5});
            for (int i = 0; i < 10000; ++i)
                stroke.points.push_back({i * 0.03, 100 + (i % 7) * 0.25});
            d.AppendPolyline(stroke);
        });
    });
    s.command([&] {
        d.layers[4].name = "下書き";
        d.layers[9].visible = false;
    });
    s.command([&] { s.size = {640, 480}; });
    group(d, [] {});  // a command that changed nothing: no step, no frame
    EXPECT_EQ(s.log.size(), s.frameEnds.back());
    s.command([&] { d.AppendLine(line(1, 2, 3, 4)); });  // into the last group
    s.undo();
}

ReplayResult replay(std::string_view bytes, const std::string& folder, Drawing& out)
{
    return replayLog(bytes, folder, out);
}

TEST(RecoveryLog, EveryWholeFramePrefixReplaysToTheStateAfterItsStep)
{
    Session s;
    runScript(s);
    const std::string bytes = s.bytes();
    ASSERT_EQ(bytes.size(), s.log.size());
    for (size_t k = 0; k < s.states.size(); ++k) {
        Drawing restored;
        const ReplayResult r = replay(std::string_view(bytes).substr(0, s.frameEnds[k]), s.folder, restored);
        ASSERT_EQ(r.status, ReplayStatus::Ok) << "step " << k;
        EXPECT_EQ(r.appliedSteps, k);
        EXPECT_EQ(dump(restored, r.size), s.states[k]) << "step " << k;
    }
}

TEST(RecoveryLog, TheRestoredUndoHistoryIsTheOneTheProgramHad)
{
    Session s;
    runScript(s);
    Drawing restored;
    const ReplayResult r = replay(s.bytes(), s.folder, restored);
    ASSERT_EQ(r.status, ReplayStatus::Ok);
    EXPECT_EQ(historyWalk(restored, r.size), historyWalk(s.d, s.size));
    EXPECT_TRUE(restored.isModified());
}

TEST(RecoveryLog, ALastFrameCutAtAnyByteRestoresTheCommandBefore)
{
    Session s;
    runScript(s);
    const std::string bytes = s.bytes();
    const size_t last = s.states.size() - 1;
    for (uint64_t cut = s.frameEnds[last - 1]; cut < s.frameEnds[last]; ++cut) {
        Drawing restored;
        const std::string_view torn = std::string_view(bytes).substr(0, cut);
        const ReplayResult r = replay(torn, s.folder, restored);
        ASSERT_EQ(r.status, ReplayStatus::Ok) << "cut at " << cut;
        EXPECT_EQ(r.appliedSteps, last - 1);
        EXPECT_EQ(dump(restored, r.size), s.states[last - 1]) << "cut at " << cut;
        EXPECT_EQ(summarizeLog(torn).tornBytes, cut - s.frameEnds[last - 1]);
    }
}

// A damaged log: what it does to the bytes, and how many steps survive.
struct Damage {
    const char* name;
    std::function<void(std::string& bytes, const Session&)> apply;
    ReplayStatus status;
    int stepsKept;  // -1: all
};

class RecoveryDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(RecoveryDamage, RestoresUpToTheLastGoodFrameAndNeverCrashes)
{
    Session s;
    runScript(s);
    std::string bytes = s.bytes();
    GetParam().apply(bytes, s);
    Drawing restored;
    const ReplayResult r = replay(bytes, s.folder, restored);
    EXPECT_EQ(r.status, GetParam().status);
    if (!r.restored())
        return;
    const size_t kept = GetParam().stepsKept < 0 ? s.states.size() - 1 : static_cast<size_t>(GetParam().stepsKept);
    EXPECT_EQ(r.appliedSteps, kept);
    EXPECT_EQ(dump(restored, r.size), s.states[kept]);
}

// A frame whose checksum is right but whose content is wrong.
void appendForgedFrame(std::string& bytes, const std::function<void(ByteWriter&)>& body)
{
    ByteWriter w;
    w.u8(static_cast<uint8_t>(FrameType::Changes));
    w.u64(0);
    body(w);
    appendFrame(bytes, w.bytes());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecoveryDamage,
    ::testing::Values(
        Damage{"flipped_byte_in_the_third_step",
               [](std::string& b, const Session& s) { b[s.frameEnds[2] + 20] ^= 0x40; }, ReplayStatus::Ok, 2},
        Damage{"huge_frame_length",
               [](std::string& b, const Session& s) {
                   b.resize(s.frameEnds[4]);
                   b += std::string("\xff\xff\xff\x7f", 4) + std::string(8, '\0') + "xx";
               },
               ReplayStatus::Ok, 4},
        Damage{"element_count_beyond_the_frame",
               [](std::string& b, const Session&) {
                   appendForgedFrame(b, [](ByteWriter& w) {
                       w.u8(0);
                       w.u32(0);
                       w.u32(0xFFFFFFFF);
                   });
               },
               ReplayStatus::Partial, -1},
        Damage{"frame_from_another_registry_size",
               [](std::string& b, const Session&) {
                   appendForgedFrame(b, [](ByteWriter& w) {
                       w.u8(0);
                       w.u32(7);
                       w.u32(0);
                       w.u32(0), w.u32(0), w.i32(0), w.i32(0), w.i32(0), w.u32(0), w.i32(9), w.i32(9);
                   });
               },
               ReplayStatus::Partial, -1},
        Damage{"undo_past_the_start",
               [](std::string& b, const Session&) {
                   for (int i = 0; i < 20; ++i) {
                       ByteWriter w;
                       encodeStep(w, FrameType::Undo, 0, 0);
                       appendFrame(b, w.bytes());
                   }
               },
               ReplayStatus::Partial, -1},
        Damage{"unknown_frame_type",
               [](std::string& b, const Session&) { appendFrame(b, std::string("\x63", 1) + std::string(8, 0)); },
               ReplayStatus::Partial, -1},
        Damage{"newer_format", [](std::string& b, const Session&) { b[8] = 2; }, ReplayStatus::NewerFormat, 0},
        Damage{"not_a_log", [](std::string& b, const Session&) { b[0] = 'X'; }, ReplayStatus::NotALog, 0},
        Damage{"header_only", [](std::string& b, const Session&) { b.resize(kHeaderSize); }, ReplayStatus::NotALog,
               0},
        Damage{"empty", [](std::string& b, const Session&) { b.clear(); }, ReplayStatus::NotALog, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecoveryLog, AFileStartSurvivesASaveOverTheFileAndIsRefusedWhenItsContentIsGone)
{
    const std::string folder = makeTempDir();
    const std::string file = folder + "/drawing.mt";
    Drawing original;
    fillEveryKind(original);
    ASSERT_TRUE(WriteDrawing(file, original, {500, 400}).ok());

    Drawing d;
    ASSERT_TRUE(ReadDrawing(file, d).ok());
    RecoveryLog log;
    ASSERT_TRUE(log.create(folder + "/state"));
    log.startFromFile(d, {500, 400}, file);
    group(d, [&] { d.markDead(1); });
    log.recordChanges(d, {500, 400});
    // The program saves over the file it opened (a new file renamed in place).
    ASSERT_TRUE(WriteDrawing(file, d, {500, 400}).ok());
    log.recordSaved(file);
    group(d, [&] { d.markDead(2); });
    log.recordChanges(d, {500, 400});
    const std::string bytes = readBytes(log.path());
    const LogSummary summary = summarizeLog(bytes);
    EXPECT_FALSE(summary.nothingUnsaved);
    EXPECT_EQ(summary.lastSavedPath, file);
    EXPECT_EQ(summary.steps(), 2u);

    Drawing restored;
    ReplayResult r = replay(bytes, folder + "/state", restored);
    ASSERT_EQ(r.status, ReplayStatus::Ok);
    EXPECT_EQ(historyWalk(restored, r.size), historyWalk(d, {500, 400}));

    // Without the kept copy the path is all there is, and it changed.
    ASSERT_EQ(::unlink((folder + "/state/" + summary.start.origin.keptCopy).c_str()), 0);
    EXPECT_EQ(replay(bytes, folder + "/state", restored).status, ReplayStatus::OriginChanged);
    ASSERT_EQ(::unlink(file.c_str()), 0);
    EXPECT_EQ(replay(bytes, folder + "/state", restored).status, ReplayStatus::OriginMissing);
}

TEST(RecoveryLog, ASaveWithNothingAfterItLeavesNothingToRestore)
{
    const std::string folder = makeTempDir();
    Session s;
    s.start();
    EXPECT_TRUE(summarizeLog(s.bytes()).nothingUnsaved);
    s.command([&] { group(s.d, [&] { s.d.AppendLine(testing_builders::line(0, 0, 5, 5)); }); });
    EXPECT_FALSE(summarizeLog(s.bytes()).nothingUnsaved);
    ASSERT_TRUE(WriteDrawing(folder + "/a.mt", s.d, s.size).ok());
    s.log.recordSaved(folder + "/a.mt");
    EXPECT_TRUE(summarizeLog(s.bytes()).nothingUnsaved);
}

TEST(RecoveryLog, NothingChangedWritesNoFrame)
{
    Session s;
    s.start();
    const uint64_t size = s.log.size();
    s.log.recordChanges(s.d, s.size);
    s.log.recordChanges(s.d, s.size);
    EXPECT_EQ(s.log.size(), size);
}

// ---------------------------------------------------------------------------
// Locks

TEST(RecoveryLock, TwoProgramsGetTwoLogsAndNeitherIsAnOrphanWhileRunning)
{
    const std::string folder = makeTempDir();
    RecoveryLog a, b;
    ASSERT_TRUE(a.create(folder));
    ASSERT_TRUE(b.create(folder));
    EXPECT_NE(a.path(), b.path());
    a.startNew(Drawing{}, {});
    b.startNew(Drawing{}, {});
    EXPECT_TRUE(findOrphanLogs(folder).empty());
    b.remove();
    EXPECT_TRUE(findOrphanLogs(folder).empty());
}

TEST(RecoveryLock, TheLogOfAKilledProgramIsFoundAndTakenOver)
{
    const std::string folder = makeTempDir();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryLog log;
        if (!log.create(folder))
            ::_exit(3);
        Drawing d;
        log.startNew(d, {100, 100});
        group(d, [&] { d.AppendLine(testing_builders::line(0, 0, 50, 50)); });
        log.recordChanges(d, {100, 100});
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::vector<OrphanLog> orphans = findOrphanLogs(folder);
    ASSERT_EQ(orphans.size(), 1u);
    // Held now: a second look finds it taken.
    EXPECT_TRUE(findOrphanLogs(folder).empty());
    const LogSummary summary = summarizeLog(orphans[0].bytes);
    EXPECT_EQ(summary.steps(), 1u);
    EXPECT_FALSE(summary.nothingUnsaved);
    Drawing restored;
    ASSERT_EQ(replay(orphans[0].bytes, folder, restored).status, ReplayStatus::Ok);
    EXPECT_EQ(restored.registry.size(), 1u);

    const std::string aside = setAside(orphans[0]);
    EXPECT_NE(aside.find(".kept"), std::string::npos);
    EXPECT_TRUE(findOrphanLogs(folder).empty());
    EXPECT_FALSE(readBytes(aside).empty());
}

// ---------------------------------------------------------------------------
// The atomic save under a kill

TEST(SaveUnderKill, TheTargetIsTheOldOrTheNewFileNeverAMix)
{
    const std::string folder = makeTempDir();
    const std::string target = folder + "/drawing.mt";
    Drawing small, large;
    fillEveryKind(small);
    for (int i = 0; i < 20000; ++i)
        large.AppendLine(testing_builders::line(i, 0, i, 100));
    std::string oldBytes, newBytes;
    WriteDrawingText(small, {320, 240}, oldBytes);
    WriteDrawingText(large, {320, 240}, newBytes);
    int sawOld = 0, sawNew = 0;
    for (int round = 0; round < 24; ++round) {
        ASSERT_TRUE(writeBytes(target, oldBytes));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteDrawing(target, large, {320, 240});
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + round * 1500));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = readBytes(target);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "round " << round << ": " << now.size() << " bytes";
        (now == oldBytes ? sawOld : sawNew)++;
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
}

}  // namespace

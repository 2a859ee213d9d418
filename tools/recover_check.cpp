// mirt-recover-check LOG: tells what a recovery log holds: where its drawing
// started, how many commands, undos, redos and saves follow, whether its last
// frame is torn, whether the file it starts from is still the one logged, and
// how far a restore would get. Exit status 0 when a restore would rebuild the
// drawing, 1 when it would not, 2 for a wrong call.
#include <cstdio>
#include <ctime>
#include <string>

#include "storage/recovery_log.h"
#include "storage/recovery_replay.h"

namespace {

using namespace recovery;

std::string localTime(uint64_t ms)
{
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

const char* replayWord(ReplayStatus status)
{
    switch (status) {
    case ReplayStatus::Ok: return "すべて再生できます";
    case ReplayStatus::Partial: return "途中まで再生できます";
    case ReplayStatus::NotALog: return "復元の記録ではありません";
    case ReplayStatus::NewerFormat: return "新しい版の記録のため読めません";
    case ReplayStatus::OriginMissing: return "元のファイルが見つかりません";
    case ReplayStatus::OriginChanged: return "元のファイルが変更されています";
    }
    return "";
}

std::string readFile(const char* path, bool& ok)
{
    std::string bytes;
    std::FILE* f = std::fopen(path, "rb");
    ok = f != nullptr;
    if (!f)
        return bytes;
    char buffer[1 << 16];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

void printStart(const LogSummary& s)
{
    const Origin& o = s.start.origin;
    if (o.fromFile)
        std::printf("開始: ファイル %s（%llu バイト、XXH3 %016llx、保管リンク %s）\n", o.path.c_str(),
                    static_cast<unsigned long long>(o.size), static_cast<unsigned long long>(o.hash),
                    o.keptCopy.empty() ? "なし" : o.keptCopy.c_str());
    else
        std::printf("開始: 新規図面 %d×%d\n", s.start.size.width, s.start.size.height);
    std::printf("開始時刻: %s\n", localTime(s.start.timeMs).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: mirt-recover-check LOG\n"
                             "Reports what a Mirt recovery log (~/.local/state/mirt/*.rlog) holds.\n");
        return 2;
    }
    bool ok = false;
    const std::string bytes = readFile(argv[1], ok);
    if (!ok) {
        std::fprintf(stderr, "%s を読めません\n", argv[1]);
        return 2;
    }
    std::string folder = argv[1];
    const size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : folder.substr(0, slash);

    std::printf("記録: %s（%zu バイト）\n", argv[1], bytes.size());
    const LogSummary s = summarizeLog(bytes);
    if (s.status == LogStatus::Ok) {
        printStart(s);
        std::printf("操作: %zu（コマンド %zu、元に戻す %zu、やり直し %zu）、保存 %zu\n", s.steps(), s.changes, s.undos,
                    s.redos, s.saves);
        std::printf("最後の変更: %s\n", localTime(s.lastChangeMs).c_str());
        if (!s.lastSavedPath.empty())
            std::printf("最後の保存: %s\n", s.lastSavedPath.c_str());
        std::printf("末尾の壊れた部分: %zu バイト\n", s.tornBytes);
        std::printf("未保存の変更: %s\n", s.nothingUnsaved ? "なし" : "あり");
    }
    Drawing drawing;
    const ReplayResult r = replayLog(bytes, folder, drawing);
    std::printf("再生: %s", replayWord(r.status));
    if (r.restored()) {
        size_t live = 0;
        for (const ElementRef& ref : drawing.registry)
            live += ref.live;
        std::printf("（%zu 操作のうち %zu 操作、要素 %zu、うち表示 %zu、画像 %d×%d）", r.totalSteps, r.appliedSteps,
                    drawing.registry.size(), live, r.size.width, r.size.height);
    }
    std::printf("\n");
    return r.restored() ? 0 : 1;
}

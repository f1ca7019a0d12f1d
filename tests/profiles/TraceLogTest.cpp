#include "core/files/TraceLog.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <set>
#include <thread>

namespace {

class TraceLogTest : public ProgramFolderTest {
protected:
    CString LogPath() const { return Folder() + L"trace.txt"; }
    void MakeFile(std::size_t size) { WriteText(LogPath(), std::string(size, 'o')); }
};

TEST_F(TraceLogTest, OneMebibyteIsTheDeletionThreshold)
{
    // Below the threshold the file is only truncated; at it, deleted and made anew.
    MakeFile(CTraceLog::kRestartSize - 1);
    CTraceLog below;
    ASSERT_TRUE(below.Open(LogPath()));
    below.Write(L"first\n");
    below.Close();
    EXPECT_EQ(ReadAllBytes(LogPath()), "first\r\n") << "an existing log is emptied at start";

    MakeFile(CTraceLog::kRestartSize);
    // The hidden attribute survives truncation but not deletion.
    ASSERT_TRUE(::SetFileAttributesW(LogPath(), FILE_ATTRIBUTE_HIDDEN));
    CTraceLog at;
    ASSERT_TRUE(at.Open(LogPath()));
    at.Close();
    EXPECT_EQ(ReadAllBytes(LogPath()).size(), 0u);
    EXPECT_FALSE(::GetFileAttributesW(LogPath()) & FILE_ATTRIBUTE_HIDDEN);

    MakeFile(CTraceLog::kRestartSize - 1);
    ASSERT_TRUE(::SetFileAttributesW(LogPath(), FILE_ATTRIBUTE_HIDDEN));
    CTraceLog kept;
    // CREATE_ALWAYS on a hidden file needs the same attribute; what matters here
    // is that the file was not deleted first.
    kept.Open(LogPath());
    kept.Close();
    EXPECT_TRUE(::GetFileAttributesW(LogPath()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(TraceLogTest, FormatsLinesAndDropsWritesWhenClosed)
{
    CTraceLog log;
    log.Write(L"dropped\n");
    ASSERT_TRUE(log.Open(LogPath()));
    log.WriteFormat(L"View: DevName=%s InterName=%s\n", L"DEVICE 1", L"XK100");
    log.Close();
    log.Write(L"also dropped\n");
    EXPECT_EQ(ReadAllBytes(LogPath()), "View: DevName=DEVICE 1 InterName=XK100\r\n");
}

TEST_F(TraceLogTest, ConcurrentWritersNeverSplitALine)
{
    CTraceLog log;
    ASSERT_TRUE(log.Open(LogPath()));
    constexpr int kThreads = 8;
    constexpr int kLines = 300;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&log, t] {
            for (int i = 0; i < kLines; ++i)
                log.WriteFormat(L"writer %d line %d %s\n", t, i, L"padding-padding-padding-padding");
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    log.Close();

    const std::string text = ReadAllBytes(LogPath());
    std::set<std::string> seen;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        ASSERT_EQ(line.rfind("writer ", 0), 0u) << line;
        ASSERT_NE(line.find(" padding-padding-padding-padding"), std::string::npos) << line;
        seen.insert(line);
        start = end + 2;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kLines));
}

} // namespace

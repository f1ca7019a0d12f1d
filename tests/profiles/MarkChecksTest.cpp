#include "core/files/FileMarkChecks.h"
#include "core/files/Win32ByteSource.h"
#include "core/files/TraceLog.h"
#include "core/profile/DeviceNames.h"
#include "tests/portable/marks/MarkSamples.h"
#include "tests/profiles/ProfilesTestSupport.h"

namespace {

namespace samples = keyloft::marks::samples;
using samples::Bytes;

using Check = bool (*)(LPCTSTR, LPCTSTR);

class MarkChecksTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        GetDeviceNames().ClearDeviceSeries();
        GetDeviceNames().ClearInterNames();
        GetDeviceNames().SetDeviceSeries(L"XK100", L"RX470");
        GetDeviceNames().SetDeviceSeries(L"XK900", L"RX900");
    }
    void TearDown() override
    {
        GetDeviceNames().ClearDeviceSeries();
        GetDeviceNames().ClearInterNames();
    }
    CString Put(LPCTSTR name, const Bytes& bytes)
    {
        const CString path = Folder() + name;
        WriteBytes(path, bytes);
        return path;
    }

    struct Kind {
        const char* name;
        Check check;
        Bytes good;
    };
    // Which marks each kind accepts is the portable suite's; here: reading from disk.
    std::vector<Kind> Kinds() const
    {
        return {
            {"song", &IsDeviceSongFile, samples::MakeSong()},
            {"style", &IsDeviceStyleFile, samples::MakeStyle()},
            {"voice", &IsDeviceVoiceFile, samples::MakeMarked(keyloft::marks::kVoiceMarkText, 200)},
            {"memory", &IsDeviceMemoryFile, samples::MakeMarked(keyloft::marks::kMemoryMarkText, 200)},
        };
    }
};

TEST_F(MarkChecksTest, GoodFilesPassOnlyForTheDeviceSeries)
{
    for (const Kind& kind : Kinds()) {
        const CString path = Put(L"good.bin", kind.good);
        EXPECT_TRUE(kind.check(L"XK100", path)) << kind.name;
        EXPECT_TRUE(kind.check(L"xk100", path)) << kind.name;
        EXPECT_FALSE(kind.check(L"XK900", path)) << kind.name << ": another series";
        EXPECT_FALSE(kind.check(L"NOSERIES", path)) << kind.name << ": unknown model";
        EXPECT_FALSE(kind.check(L"", path)) << kind.name;
    }
}

TEST_F(MarkChecksTest, DeviceLabelsReachTheSeriesThroughTheModel)
{
    SetInterName(L"Device 1", L"XK100");
    const CString path = Put(L"good.mid", samples::MakeSong());
    EXPECT_TRUE(IsDeviceSongFile(L"DEVICE 1", path));
    EXPECT_TRUE(IsDeviceFileOfKind(0, L"DEVICE 1", path));
    EXPECT_FALSE(IsDeviceFileOfKind(1, L"DEVICE 1", path));
    EXPECT_FALSE(IsDeviceFileOfKind(4, L"DEVICE 1", path));
}

TEST_F(MarkChecksTest, DamagedEmptyAndMissingFilesFail)
{
    for (const Kind& kind : Kinds()) {
        EXPECT_FALSE(kind.check(L"XK100", Put(L"empty.bin", {}))) << kind.name << ": empty";
        const Bytes cut(kind.good.begin(), kind.good.begin() + 23);
        EXPECT_FALSE(kind.check(L"XK100", Put(L"cut.bin", cut))) << kind.name << ": truncated";
        EXPECT_FALSE(kind.check(L"XK100", Folder() + L"missing.bin")) << kind.name << ": missing";
        EXPECT_FALSE(kind.check(L"XK100", Folder())) << kind.name << ": a folder";
        EXPECT_FALSE(kind.check(L"XK100", nullptr)) << kind.name;
    }
}

TEST_F(MarkChecksTest, UnreadableFilesFail)
{
    for (const Kind& kind : Kinds()) {
        const CString path = Put(L"locked.bin", kind.good);
        ASSERT_TRUE(kind.check(L"XK100", path));
        // Held open with no sharing: nobody else can read it.
        const HANDLE lock = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(kind.check(L"XK100", path)) << kind.name;
        EXPECT_FALSE(HasStyleFileMark(path));
        ::CloseHandle(lock);
    }
}

TEST_F(MarkChecksTest, AFileBeingCheckedCanStillBeDeletedOrReplaced)
{
    const CString path = Put(L"busy.mid", samples::MakeSong());
    const CString moved = Folder() + L"moved.mid";
    CWin32ByteSource reading(path);
    ASSERT_TRUE(reading.IsOpen());
    EXPECT_TRUE(::MoveFileW(path, moved)) << "a mark check blocked a rename";
    EXPECT_TRUE(::DeleteFileW(moved)) << "a mark check blocked a delete";
}

TEST_F(MarkChecksTest, SongCheckFailuresAreTraced)
{
    CTraceLog& log = GetTraceLog();
    ASSERT_TRUE(OpenTraceLog());
    Bytes song = samples::MakeSong();
    song[26] = 'X';
    EXPECT_FALSE(IsDeviceSongFile(L"XK100", Put(L"nomark.mid", song)));
    log.Close();
    const std::string text = ReadAllBytes(GetTraceLogPath());
    EXPECT_NE(text.find("nomark.mid"), std::string::npos) << text;
    EXPECT_NE(text.find("mark"), std::string::npos) << text;
}

TEST_F(MarkChecksTest, StyleMarkAloneIsEnoughForHasStyleFileMark)
{
    EXPECT_TRUE(HasStyleFileMark(Put(L"mark.sty", samples::MakeMarked(keyloft::marks::kStyleMarkText, 24))));
    EXPECT_FALSE(HasStyleFileMark(Put(L"voice.voc", samples::MakeMarked(keyloft::marks::kVoiceMarkText, 24))));
    EXPECT_FALSE(HasStyleFileMark(Put(L"short.sty", samples::MakeMarked(keyloft::marks::kStyleMarkText.substr(0, 23), 23))));
    EXPECT_FALSE(HasStyleFileMark(Folder() + L"missing.sty"));
}

TEST_F(MarkChecksTest, SegmentNamesOfAGoodStyleAndNoneOfADamagedOne)
{
    std::vector<CString> names;
    ASSERT_TRUE(ReadStyleSegmentNames(Put(L"good.sty", samples::MakeStyle()), names));
    EXPECT_EQ(names, (std::vector<CString>{L"INTRO A", L"MAIN A", L"ENDING A"}));

    // The layout rules themselves are the portable suite's; here: a failure
    // leaves no stale names behind.
    const Bytes style = samples::MakeStyle();
    EXPECT_FALSE(ReadStyleSegmentNames(Put(L"short.sty", Bytes(style.begin(), style.begin() + 130)), names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ReadStyleSegmentNames(Folder() + L"missing.sty", names));
    EXPECT_FALSE(ReadStyleSegmentNames(Put(L"song.mid", samples::MakeSong()), names));
}

} // namespace

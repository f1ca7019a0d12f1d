// The program-wide trace log, "trace.txt" in the program folder. Opened once at
// start-up: emptied, and deleted first when it has reached 1 MiB. The GUI
// thread, the port and the worker threads write whole lines to it at once.
#pragma once

#include <afx.h>

#include <mutex>

class CTraceLog {
public:
    static constexpr ULONGLONG kRestartSize = 1048576;

    CTraceLog() = default;
    ~CTraceLog();
    CTraceLog(const CTraceLog&) = delete;
    CTraceLog& operator=(const CTraceLog&) = delete;

    // Deletes the file when it holds kRestartSize bytes or more, then creates it
    // empty. False when it cannot be created; writes are then dropped.
    bool Open(LPCTSTR path);
    void Close();
    bool IsOpen() const;

    // Writes text as given (callers end their lines with "\n", written as
    // "\r\n"), in the ANSI code page, as one piece that no other writer splits.
    void Write(LPCTSTR text);
    // printf-style formatting of Write's text.
    void WriteFormat(LPCTSTR format, ...);

private:
    mutable std::mutex m_lock;
    CFileHandle m_file;
};

CTraceLog& GetTraceLog();
// Program folder + "trace.txt".
CString GetTraceLogPath();
// Opens the global log at its path.
bool OpenTraceLog();
// printf-style line into the global log.
void TraceLine(LPCTSTR format, ...);

#include "TestSupport.h"

#include <cstdlib>

#include <gtest/gtest.h>

using afx_files_test::CauseOfThrow;
using afx_files_test::ContentOf;

TEST(MemFile, GrowsInStepsAndReadsBack)
{
    CMemFile file(1024);
    std::vector<BYTE> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 7);
    file.Write(data.data(), 1000);
    EXPECT_EQ(1024u, file.GetBufferSize());
    file.Write(data.data() + 1000, 2000);
    EXPECT_EQ(3072u, file.GetBufferSize()); // whole growth steps
    EXPECT_EQ(3000u, file.GetLength());

    file.SeekToBegin();
    std::vector<BYTE> back(3000);
    EXPECT_EQ(3000u, file.Read(back.data(), 3000));
    EXPECT_EQ(data, back);
}

TEST(MemFile, ReadsPastTheEndAnswerFewerBytesAndWritesThereFillWithZeros)
{
    CMemFile file(16);
    file.Write("abcdef", 6);
    file.Seek(4, CFile::begin);
    char out[10] = {};
    EXPECT_EQ(2u, file.Read(out, 10));
    EXPECT_EQ(0u, file.Read(out, 10));
    file.Seek(100, CFile::begin);
    EXPECT_EQ(0u, file.Read(out, 10));
    EXPECT_EQ(CFileException::badSeek, CauseOfThrow<CFileException>([&] { file.Seek(-101, CFile::end); }));
    EXPECT_EQ(100u, file.GetPosition());

    file.SetLength(2);
    file.Seek(5, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ((std::vector<BYTE>{'a', 'b', 0, 0, 0, 'z'}), ContentOf(file));
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetPosition());
    file.SetLength(5);
    EXPECT_EQ((std::vector<BYTE>{'a', 'b', 0, 0, 0}), ContentOf(file));
}

TEST(MemFile, DetachHandsTheBlockToTheCaller)
{
    CMemFile file(1024);
    file.Write("keyboard", 8);
    const ULONGLONG length = file.GetLength();
    BYTE* block = file.Detach();
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(8u, length);
    EXPECT_EQ(0, std::memcmp(block, "keyboard", 8));
    EXPECT_EQ(0u, file.GetLength());
    // The file starts over empty and may be used again.
    file.Write("x", 1);
    EXPECT_EQ(1u, file.GetLength());
    std::free(block);
}

TEST(MemFile, FixedCallerBufferIsTheContentAndCannotGrow)
{
    BYTE buffer[4] = {'w', 'x', 'y', 'z'};
    CMemFile file(buffer, 4);
    EXPECT_EQ(4u, file.GetLength());
    char out[4] = {};
    EXPECT_EQ(4u, file.Read(out, 4));
    EXPECT_EQ(0, std::memcmp(out, "wxyz", 4));
    file.SeekToBegin();
    file.Write("A", 1);
    EXPECT_EQ('A', buffer[0]);
    file.SeekToEnd();
    bool memoryException = false;
    try {
        file.Write("B", 1);
    } catch (CMemoryException* e) {
        memoryException = true;
        e->Delete();
    }
    EXPECT_TRUE(memoryException);
    EXPECT_EQ(buffer, file.Detach());
}

TEST(MemFile, GrowingCallerBufferMovesWithoutTouchingTheCallersBlock)
{
    // The caller's block is on the stack: it must never be reallocated or freed.
    BYTE buffer[8] = {};
    {
        CMemFile file;
        file.Attach(buffer, 8, 8);
        EXPECT_EQ(0u, file.GetLength());
        file.Write("12345678", 8);
        EXPECT_EQ(0, std::memcmp(buffer, "12345678", 8));
        file.Write("9", 1);
        EXPECT_EQ(9u, file.GetLength());
        EXPECT_EQ((std::vector<BYTE>{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), ContentOf(file));
        // The moved block belongs to the file and is freed with it.
    }
    EXPECT_EQ(0, std::memcmp(buffer, "12345678", 8));
}

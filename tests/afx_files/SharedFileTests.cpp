// A memory file on a global block, and a data source offering such blocks in
// clipboard formats through its IDataObject.
#include <afxole.h>

#include <cstring>

#include <gtest/gtest.h>

namespace {

std::vector<BYTE> BytesOf(HGLOBAL block)
{
    const SIZE_T size = ::GlobalSize(block);
    std::vector<BYTE> bytes(size);
    const void* data = ::GlobalLock(block);
    if (data != nullptr && size > 0)
        std::memcpy(bytes.data(), data, size);
    ::GlobalUnlock(block);
    return bytes;
}

HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    return block;
}

TEST(SharedFile, GrowsInAGlobalBlockThatDetachesAtItsLength)
{
    CSharedFile file(GMEM_MOVEABLE, 4096);
    std::vector<BYTE> data(5000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 13);
    file.Write(data.data(), 3000);
    file.Write(data.data() + 3000, 2000);  // grows the block past its first step
    EXPECT_EQ(8192u, file.GetBufferSize());
    HGLOBAL block = file.Detach();
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(data, BytesOf(block)) << "exactly the file's bytes";
    EXPECT_EQ(0u, file.GetLength()) << "the file is empty again";
    ::GlobalFree(block);

    CSharedFile empty;
    EXPECT_EQ(nullptr, empty.Detach());
}

TEST(OleDataSource, OffersCopiesOfItsBlocksInTheirFormats)
{
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"KeyloftTestFormat"));
    COleDataSource source;
    source.CacheGlobalData(format, BlockOf({1, 2, 3}));
    source.CacheGlobalData(format, BlockOf({4, 5}));  // replaces the first
    IDataObject* data = source.GetDataObject();

    FORMATETC asked{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(S_OK, data->QueryGetData(&asked));
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, data->GetData(&asked, &medium));
    EXPECT_EQ(DWORD(TYMED_HGLOBAL), medium.tymed);
    EXPECT_EQ((std::vector<BYTE>{4, 5}), BytesOf(medium.hGlobal));
    ::ReleaseStgMedium(&medium);  // the receiver's copy

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, data->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC listed{};
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, formats->Next(1, &listed, &fetched));
    EXPECT_EQ(format, listed.cfFormat);
    EXPECT_EQ(S_FALSE, formats->Next(1, &listed, &fetched)) << "one format";
    formats->Release();

    FORMATETC other{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&other));
    EXPECT_EQ(DV_E_FORMATETC, data->GetData(&other, &medium));
    source.Empty();
    EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&asked)) << "emptied";
}

} // namespace

// The toolbar resource parser against hand-made resources.
#include <afxwin.h>
#include <afxtoolbarres.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<BYTE> Words(std::initializer_list<unsigned> words)
{
    std::vector<BYTE> bytes;
    for (unsigned word : words) {
        bytes.push_back(static_cast<BYTE>(word & 0xFF));
        bytes.push_back(static_cast<BYTE>(word >> 8));
    }
    return bytes;
}

TEST(ToolBarResource, ParsesButtonsSeparatorsAndPadding)
{
    auto bytes = Words({1, 16, 15, 4, 32825, 0, 32830, 0xE801});
    CToolBarResourceData data;
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), data));
    EXPECT_EQ(data.wVersion, 1);
    EXPECT_EQ(data.wWidth, 16);
    EXPECT_EQ(data.wHeight, 15);
    EXPECT_EQ(data.ids, (std::vector<UINT>{32825, 0, 32830, 0xE801}));

    bytes = Words({1, 16, 16, 1, 100, 0xFFFF});
    bytes.push_back(0); // an odd trailing byte as resource alignment may leave
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), data));
    EXPECT_EQ(data.ids, std::vector<UINT>{100});

    bytes = Words({1, 16, 15, 0});
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), data));
    EXPECT_TRUE(data.ids.empty());
}

TEST(ToolBarResource, RefusesBadInputWithoutTouchingTheResult)
{
    CToolBarResourceData data;
    data.ids = {7};
    const auto keep = [&] { return data.ids == std::vector<UINT>{7}; };

    auto shortHeader = Words({1, 16, 15});
    EXPECT_FALSE(AfxParseToolBarResource(shortHeader.data(), shortHeader.size(), data));
    EXPECT_TRUE(keep());

    auto countTooLarge = Words({1, 16, 15, 3, 100, 101});  // 3 ids announced, 2 present
    EXPECT_FALSE(AfxParseToolBarResource(countTooLarge.data(), countTooLarge.size(), data));
    EXPECT_TRUE(keep());

    auto oddCut = Words({1, 16, 15, 2, 100, 101});
    EXPECT_FALSE(AfxParseToolBarResource(oddCut.data(), oddCut.size() - 1, data));  // half a word missing
    EXPECT_TRUE(keep());

    auto hugeCount = Words({1, 16, 15, 0xFFFF, 1});
    EXPECT_FALSE(AfxParseToolBarResource(hugeCount.data(), hugeCount.size(), data));

    auto version0 = Words({0, 16, 15, 1, 100});
    EXPECT_FALSE(AfxParseToolBarResource(version0.data(), version0.size(), data));

    auto zeroWidth = Words({1, 0, 15, 1, 100});
    EXPECT_FALSE(AfxParseToolBarResource(zeroWidth.data(), zeroWidth.size(), data));

    EXPECT_FALSE(AfxParseToolBarResource(nullptr, 8, data));
    EXPECT_TRUE(keep());
}

TEST(ToolBarResource, IsReadWithinItsBytes)
{
    const std::uint8_t bytes[] = {1, 0, 16, 0, 15, 0, 2, 0, 0x21, 0x80, 0, 0};
    CToolBarResourceData resource;
    ASSERT_TRUE(AfxParseToolBarResource(bytes, sizeof(bytes), resource));
    EXPECT_EQ(16, resource.wWidth);
    EXPECT_EQ(15, resource.wHeight);
    EXPECT_EQ((std::vector<UINT>{0x8021, 0}), resource.ids);
    EXPECT_FALSE(AfxParseToolBarResource(bytes, sizeof(bytes) - 1, resource)) << "count beyond the bytes";
    EXPECT_FALSE(AfxParseToolBarResource(bytes, 7, resource));
}

TEST(ToolBarResource, ReadsTheResourceCompilersLayoutWithoutAVersion)
{
    // 32-bit fields: width, height, count, ids.
    std::vector<BYTE> bytes = Words({16, 0, 15, 0, 3, 0, 32825, 0, 0, 0, 0xE801, 0});
    CToolBarResourceData data;
    ASSERT_TRUE(AfxParseToolBarResource(bytes.data(), bytes.size(), data));
    EXPECT_EQ(data.wVersion, 0);
    EXPECT_EQ(data.wWidth, 16);
    EXPECT_EQ(data.wHeight, 15);
    EXPECT_EQ(data.ids, (std::vector<UINT>{32825, 0, 0xE801}));

    data.ids = {7};
    std::vector<BYTE> wideId = bytes;
    wideId[14] = 1;  // the first id beyond 16 bits
    EXPECT_FALSE(AfxParseToolBarResource(wideId.data(), wideId.size(), data));
    EXPECT_EQ(data.ids, std::vector<UINT>{7});
    // A cut that no longer matches its count is no layout at all.
    EXPECT_FALSE(AfxParseToolBarResource(bytes.data(), bytes.size() - 4, data));
    EXPECT_EQ(data.ids, std::vector<UINT>{7});
}

} // namespace

// The fuzz seeds are written by tools/seeds/make_protocol_seeds.py; they must stay
// what the codec reads, or the fuzzer starts from noise.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/SysEx.h"

namespace kp = keyloft::protocol;

namespace {
kp::Bytes Seed(const std::string& name)
{
    std::ifstream in(std::string(KEYLOFT_TESTS_DIR) + "/fuzz/corpus/protocol/" + name, std::ios::binary);
    return kp::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

TEST(ProtocolSeeds, FramesParseAsTheCodecBuildsThem)
{
    for (const char* name : {"hello_probe", "query_size", "reply_table", "ack", "clear_state", "delete", "data_small",
                             "end", "upload_request", "upload_read", "upload_info", "upload_data", "big_chunk"}) {
        const kp::Bytes seed = Seed(name);
        ASSERT_FALSE(seed.empty()) << name;
        EXPECT_TRUE(kp::ReadPacketFrame(seed).Ok()) << name;
    }
    EXPECT_EQ(Seed("clear_state"), kp::WrapPacket(kp::MakeClearState()));
    EXPECT_EQ(Seed("identify"), kp::IdentifyQueryMessage());
    EXPECT_TRUE(kp::ParseIdentifyReply(Seed("identify_reply")));
    EXPECT_EQ(kp::ReadPacketFrame(Seed("bad_sum")).parse.error, kp::PacketError::BadSum);
}

#include "tools/instrument/Instrument.h"

#include <algorithm>
#include <system_error>

#include "core/portable/protocol/SysEx.h"

namespace keyloft::instrument {

namespace fs = std::filesystem;
using protocol::Bytes;
using protocol::ByteView;
using protocol::PacketType;
using protocol::Status;

namespace {

constexpr const char* kControlFile = "control.txt";
constexpr const char* kProfileFile = "profile.ini";
constexpr const char* kVoiceListFile = "voices.ins";

std::string FileStamp(const fs::path& path)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error)
        return {};
    const auto time = fs::last_write_time(path, error);
    return std::to_string(size) + ":" + std::to_string(time.time_since_epoch().count());
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

} // namespace

Instrument::Instrument(fs::path memoryFolder, Control base)
    : store_(std::move(memoryFolder)), base_(std::move(base)), control_(base_)
{
    std::error_code error;
    fs::create_directories(store_.Root(), error);
    RefreshSettings();
}

void Instrument::SetBaseControl(Control base)
{
    base_ = std::move(base);
    reloadControl_ = true;
    RefreshSettings();
}

void Instrument::Reopen(Control base)
{
    download_.reset();
    upload_.reset();
    armed_ = false;
    if (!(base == base_))
        SetBaseControl(std::move(base));
}

// The control file and the profile are read again when a session-level request
// comes (not for every data packet). A control file counts as changed when its
// text, size or write time differs: write times are too coarse on their own.
void Instrument::RefreshSettings()
{
    const std::string stamp = FileStamp(store_.Root() / kControlFile);
    const auto text = stamp.empty() ? std::nullopt : store_.ReadText(kControlFile);
    const std::string content = text ? *text : std::string();
    if (reloadControl_ || stamp != controlStamp_ || content != controlText_) {
        reloadControl_ = false;
        controlStamp_ = stamp;
        controlText_ = content;
        control_ = text ? ParseControl(*text, base_) : base_;
        matchingPackets_ = 0;
        pulled_ = false;
    }
    const auto profile = store_.ReadText(kProfileFile);
    profileText_ = profile ? *profile : BuiltInProfileText();
    limits_ = ReadSlotLimits(profileText_);
}

bool Instrument::FaultHits(std::uint8_t type)
{
    if (control_.fault == FaultMode::None)
        return false;
    if (control_.onType && *control_.onType != type)
        return false;
    const bool hits = matchingPackets_++ >= control_.after;
    if (hits && control_.fault == FaultMode::Pulled)
        pulled_ = true;
    return hits;
}

std::vector<Reply> Instrument::OnMessage(ByteView message)
{
    if (pulled_) {
        RefreshSettings(); // only a changed control file plugs the cable back in
        if (pulled_)
            return {};
    }
    // The identify query is six bytes; anything longer is a packet frame or not ours.
    if (message.size() <= 8 && protocol::IsIdentifyQuery(message)) {
        RefreshSettings();
        if (control_.fault == FaultMode::Silent && !control_.onType && matchingPackets_ >= control_.after)
            return {};
        return Deliver(protocol::IdentifyReplyMessage(control_.identity, control_.name), message.size(), false);
    }
    const protocol::UnwrappedPacket unwrapped = protocol::UnwrapPacketBytes(message);
    if (unwrapped.error != protocol::FrameError::None)
        return {}; // not ours, or too broken to answer
    const protocol::PacketParse parse = protocol::ParsePacket(unwrapped.bytes);
    if (!parse.Ok()) {
        // Answer a damaged request when its type is readable, so the sender learns why.
        if (unwrapped.bytes.size() <= protocol::kMagic.size() || parse.error == protocol::PacketError::BadMagic)
            return {};
        const std::uint8_t type = unwrapped.bytes[protocol::kMagic.size()];
        const Status status = parse.error == protocol::PacketError::BadSum ? Status::BadSum : Status::BadPacket;
        return Deliver(protocol::WrapPacket(protocol::MakeAck(type, status)), message.size(), false);
    }
    const protocol::Packet& packet = parse.packet;
    const auto type = static_cast<PacketType>(packet.type);
    if (type == PacketType::Hello || type == PacketType::ClearState || type == PacketType::Query ||
        type == PacketType::UploadRequest || type == PacketType::Delete)
        RefreshSettings();

    const bool fault = FaultHits(packet.type);
    if (fault && (control_.fault == FaultMode::Silent || control_.fault == FaultMode::Pulled))
        return {};
    const Bytes reply = fault && control_.fault == FaultMode::Refuse ? Refusal(packet, control_.status) : Answer(packet);
    return Deliver(protocol::WrapPacket(reply), message.size(), fault);
}

std::vector<Reply> Instrument::Deliver(Bytes message, std::size_t requestSize, bool faultApplies)
{
    Reply reply;
    if (faultApplies) {
        const std::size_t bodyHalf = protocol::kEnvelopeHeaderSize + (message.size() - protocol::kEnvelopeHeaderSize - 1) / 2;
        switch (control_.fault) {
        case FaultMode::BadSum:
            // The last two body bytes are the low byte of the sum, as nibbles.
            message[message.size() - 2] ^= 0x01;
            break;
        case FaultMode::CutReply:
            message.resize(bodyHalf);
            message.push_back(protocol::kSysExEnd);
            break;
        case FaultMode::CutByStatus:
            message.resize(bodyHalf);
            message.insert(message.end(), {0x90, 0x3C, 0x40});
            break;
        case FaultMode::LateReply:
            reply.delayMs = control_.delayMs;
            break;
        default:
            break;
        }
    }
    if (control_.paceBytesPerSecond > 0)
        reply.delayMs += static_cast<unsigned>((requestSize + message.size()) * 1000ull / control_.paceBytesPerSecond);
    reply.bytes = std::move(message);
    std::vector<Reply> replies;
    replies.push_back(std::move(reply));
    return replies;
}

Bytes Instrument::Refusal(const protocol::Packet& packet, Status status) const
{
    switch (static_cast<PacketType>(packet.type)) {
    case PacketType::Hello: return protocol::MakeHelloReply(status);
    case PacketType::Query: return protocol::MakeQueryReply(packet.payload.empty() ? 0 : packet.payload[0], status, {});
    case PacketType::UploadRequest: return protocol::MakeUploadInfo(status, 0);
    case PacketType::UploadRead: {
        const auto read = protocol::ReadUploadRead(packet);
        return protocol::MakeUploadData(status, read ? read->offset : 0, {});
    }
    default: return protocol::MakeAck(packet.type, status);
    }
}

Bytes Instrument::Answer(const protocol::Packet& packet)
{
    switch (static_cast<PacketType>(packet.type)) {
    case PacketType::Hello: return AnswerHello(packet);
    case PacketType::Query: return AnswerQuery(packet);
    case PacketType::Delete: return AnswerDelete(packet);
    case PacketType::ClearState:
        if (!protocol::ReadClearState(packet))
            return Refusal(packet, Status::BadPacket);
        download_.reset();
        upload_.reset();
        armed_ = true;
        return protocol::MakeAck(PacketType::ClearState, Status::Ok);
    case PacketType::Data: return AnswerData(packet);
    case PacketType::End: return AnswerEnd(packet);
    case PacketType::UploadRequest: return AnswerUploadRequest(packet);
    case PacketType::UploadRead: return AnswerUploadRead(packet);
    case PacketType::UploadEnd: return AnswerUploadEnd(packet);
    default: return protocol::MakeAck(packet.type, Status::BadPacket);
    }
}

Bytes Instrument::AnswerHello(const protocol::Packet& packet)
{
    const auto command = protocol::ReadHello(packet);
    if (!command)
        return protocol::MakeHelloReply(Status::BadPacket);
    if (*command == protocol::HelloCommand::Close) {
        download_.reset();
        upload_.reset();
        armed_ = false;
    }
    return protocol::MakeHelloReply(Status::Ok);
}

Status Instrument::CheckSlot(std::uint8_t kind, std::uint16_t slot) const
{
    if (!protocol::IsSlotKind(kind))
        return Status::BadKind;
    if (slot != protocol::kWorkingSlot && slot >= limits_.counts[kind])
        return Status::BadSlot;
    return Status::Ok;
}

Bytes Instrument::AnswerQuery(const protocol::Packet& packet) const
{
    const auto query = protocol::ReadQuery(packet);
    if (!query)
        return Refusal(packet, Status::BadPacket);
    const std::uint8_t code = query->code;
    if (code == protocol::kQueryIdentity)
        return protocol::MakeQueryReply(code, Status::Ok, AsBytes(control_.identity));
    const std::uint8_t kind = code >> 4;
    const std::uint8_t op = code & 0x0F;
    if (!protocol::IsSlotKind(kind) || (op != protocol::kQueryOpTable && op != protocol::kQueryOpSize))
        return protocol::MakeQueryReply(code, Status::BadKind, {});
    if (op == protocol::kQueryOpTable) {
        Bytes result;
        protocol::AppendU16(result, static_cast<std::uint16_t>(limits_.counts[kind]));
        for (unsigned slot = 0; slot < limits_.counts[kind]; ++slot)
            result.push_back(store_.IsUsed(kind, static_cast<std::uint16_t>(slot)) ? 1 : 0);
        return protocol::MakeQueryReply(code, Status::Ok, result);
    }
    const std::uint16_t slot = *query->slot;
    if (const Status status = CheckSlot(kind, slot); status != Status::Ok)
        return protocol::MakeQueryReply(code, status, {});
    const auto size = store_.SizeOf(kind, slot);
    if (!size)
        return protocol::MakeQueryReply(code, Status::EmptySlot, {});
    Bytes result;
    protocol::AppendU16(result, slot);
    protocol::AppendU32(result, static_cast<std::uint32_t>(*size));
    return protocol::MakeQueryReply(code, Status::Ok, result);
}

Bytes Instrument::AnswerDelete(const protocol::Packet& packet) const
{
    const auto item = protocol::ReadItemRef(packet, PacketType::Delete);
    if (!item)
        return protocol::MakeAck(PacketType::Delete, Status::BadPacket);
    if (const Status status = CheckSlot(item->kind, item->slot); status != Status::Ok)
        return protocol::MakeAck(PacketType::Delete, status);
    return protocol::MakeAck(PacketType::Delete, store_.Erase(item->kind, item->slot) ? Status::Ok : Status::MemoryFull);
}

Bytes Instrument::AnswerData(const protocol::Packet& packet)
{
    const auto data = protocol::ReadData(packet);
    if (!data)
        return protocol::MakeAck(PacketType::Data, Status::BadPacket);
    const auto fail = [this](Status status) {
        download_.reset();
        armed_ = false;
        return protocol::MakeAck(PacketType::Data, status);
    };
    if (!armed_)
        return fail(Status::Sequence);
    if (!download_) {
        if (const Status status = CheckSlot(data->item.kind, data->item.slot); status != Status::Ok)
            return fail(status);
        download_ = Download{data->item, {}};
    } else if (download_->item.kind != data->item.kind || download_->item.slot != data->item.slot) {
        return fail(Status::Sequence);
    }
    if (download_->data.size() + data->data.size() > limits_.maxSizes[data->item.kind])
        return fail(Status::TooLarge);
    download_->data.insert(download_->data.end(), data->data.begin(), data->data.end());
    return protocol::MakeAck(PacketType::Data, Status::Ok);
}

Bytes Instrument::AnswerEnd(const protocol::Packet& packet)
{
    const auto end = protocol::ReadEnd(packet);
    if (!end)
        return protocol::MakeAck(PacketType::End, Status::BadPacket);
    const bool wasArmed = armed_;
    armed_ = false;
    std::optional<Download> download = std::move(download_);
    download_.reset();
    if (!wasArmed)
        return protocol::MakeAck(PacketType::End, Status::Sequence);
    if (!download) {
        if (const Status status = CheckSlot(end->item.kind, end->item.slot); status != Status::Ok)
            return protocol::MakeAck(PacketType::End, status);
        download = Download{end->item, {}};
    }
    if (download->item.kind != end->item.kind || download->item.slot != end->item.slot ||
        download->data.size() != end->total)
        return protocol::MakeAck(PacketType::End, Status::Sequence);
    const bool stored = store_.Write(end->item.kind, end->item.slot, download->data);
    return protocol::MakeAck(PacketType::End, stored ? Status::Ok : Status::MemoryFull);
}

std::optional<Bytes> Instrument::LoadUploadItem(protocol::ItemRef item, Status& status) const
{
    status = Status::Ok;
    if (item.kind == static_cast<std::uint8_t>(protocol::Kind::DeviceProfile) ||
        item.kind == static_cast<std::uint8_t>(protocol::Kind::VoiceList)) {
        if (item.slot != 0) {
            status = Status::BadSlot;
            return std::nullopt;
        }
        if (item.kind == static_cast<std::uint8_t>(protocol::Kind::DeviceProfile))
            return AsBytes(profileText_);
        const auto list = store_.ReadText(kVoiceListFile);
        return AsBytes(list ? *list : BuiltInVoiceList());
    }
    status = CheckSlot(item.kind, item.slot);
    if (status != Status::Ok)
        return std::nullopt;
    if (!limits_.uploadEnabled[item.kind]) {
        status = Status::NotAllowed;
        return std::nullopt;
    }
    auto bytes = store_.Read(item.kind, item.slot);
    if (!bytes)
        status = Status::EmptySlot;
    return bytes;
}

Bytes Instrument::AnswerUploadRequest(const protocol::Packet& packet)
{
    upload_.reset();
    const auto item = protocol::ReadItemRef(packet, PacketType::UploadRequest);
    if (!item)
        return protocol::MakeUploadInfo(Status::BadPacket, 0);
    Status status = Status::Ok;
    auto bytes = LoadUploadItem(*item, status);
    if (!bytes)
        return protocol::MakeUploadInfo(status, 0);
    const auto total = static_cast<std::uint32_t>(bytes->size());
    upload_ = UploadItem{*item, std::move(*bytes)};
    return protocol::MakeUploadInfo(Status::Ok, total);
}

Bytes Instrument::AnswerUploadRead(const protocol::Packet& packet)
{
    const auto read = protocol::ReadUploadRead(packet);
    if (!read)
        return protocol::MakeUploadData(Status::BadPacket, 0, {});
    if (!upload_ || upload_->item.kind != read->item.kind || upload_->item.slot != read->item.slot)
        return protocol::MakeUploadData(Status::Sequence, read->offset, {});
    if (read->offset >= upload_->data.size())
        return protocol::MakeUploadData(Status::Sequence, read->offset, {});
    const std::size_t n = std::min(protocol::kMaxChunk, upload_->data.size() - read->offset);
    return protocol::MakeUploadData(Status::Ok, read->offset, ByteView(upload_->data).subspan(read->offset, n));
}

Bytes Instrument::AnswerUploadEnd(const protocol::Packet& packet)
{
    const auto item = protocol::ReadItemRef(packet, PacketType::UploadEnd);
    upload_.reset();
    return protocol::MakeAck(PacketType::UploadEnd, item ? Status::Ok : Status::BadPacket);
}

} // namespace keyloft::instrument

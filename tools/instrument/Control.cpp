#include "tools/instrument/Control.h"

#include <charconv>

namespace keyloft::instrument {

namespace {

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<unsigned> ParseNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<FaultMode> ParseFault(std::string_view text)
{
    if (text == "none") return FaultMode::None;
    if (text == "silent" || text == "silent-after") return FaultMode::Silent;
    if (text == "refuse") return FaultMode::Refuse;
    if (text == "bad-sum") return FaultMode::BadSum;
    if (text == "cut-reply") return FaultMode::CutReply;
    if (text == "cut-by-status") return FaultMode::CutByStatus;
    if (text == "late-reply") return FaultMode::LateReply;
    if (text == "pulled") return FaultMode::Pulled;
    return std::nullopt;
}

bool Apply(Control& control, std::string_view key, std::string_view value)
{
    if (key == "fault") {
        const auto mode = ParseFault(value);
        if (mode)
            control.fault = *mode;
        return mode.has_value();
    }
    if (key == "name" || key == "identity") {
        (key == "name" ? control.name : control.identity) = std::string(value);
        return true;
    }
    const auto number = ParseNumber(value);
    if (!number)
        return false;
    if (key == "status" && *number <= 0xFF)
        control.status = static_cast<protocol::Status>(*number);
    else if (key == "on" && *number <= 0xFF)
        control.onType = static_cast<std::uint8_t>(*number);
    else if (key == "after")
        control.after = *number;
    else if (key == "delay-ms")
        control.delayMs = *number;
    else if (key == "pace")
        control.paceBytesPerSecond = *number;
    else
        return false;
    return true;
}

} // namespace

Control ParseControl(std::string_view text, Control base, std::string* error)
{
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\n;");
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty())
            continue;
        const std::size_t eq = line.find('=');
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(eq + 1));
        if (!Apply(base, key, value) && error && error->empty())
            *error = "bad control setting: " + std::string(line);
    }
    return base;
}

} // namespace keyloft::instrument

#include "tools/instrument/DeviceProfile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace keyloft::instrument {

namespace {

constexpr const char* kProfileLines[] = {
    "[DLG_VISIBLE]",
    "DLG_DOWN_SONG=1",
    "DLG_DOWN_STYLE=1",
    "DLG_DOWN_VOICE=1",
    "DLG_DOWN_MEMORY=1",
    "DLG_EDIT_SONG=1",
    "DLG_EDIT_STYLE=1",
    "",
    "[FILE_MAX_CNT]",
    "SNG_MAX_CNT=20",
    "STY_MAX_CNT=20",
    "VOC_MAX_CNT=16",
    "MEM_MAX_CNT=8",
    "MELODY_MAX_CNT=8",
    "",
    "[FILE_SIZE]",
    "SNG_MAX_SIZE=2097152",
    "STY_MAX_SIZE=131072",
    "VOC_SIZE=131072",
    "MEM_SIZE=131072",
    "",
    "[UPLOAD_ENABLE]",
    "UPLOAD_SNG=1",
    "UPLOAD_STY=1",
    "UPLOAD_VOC=1",
    "UPLOAD_MEM=1",
    "",
    "[STY_ESSENTIAL_SEC]",
    "SEC01=INTRO A",
    "SEC02=MAIN A",
    "SEC03=ENDING A",
};

// General MIDI program names: the instrument's voices 0-127.
constexpr const char* kVoiceNames[] = {
    "Grand Piano", "Bright Piano", "Electric Grand", "Honky-tonk Piano", "Electric Piano 1", "Electric Piano 2",
    "Harpsichord", "Clavi", "Celesta", "Glockenspiel", "Music Box", "Vibraphone", "Marimba", "Xylophone",
    "Tubular Bells", "Dulcimer", "Drawbar Organ", "Percussive Organ", "Rock Organ", "Church Organ", "Reed Organ",
    "Accordion", "Harmonica", "Tango Accordion", "Nylon Guitar", "Steel Guitar", "Jazz Guitar", "Clean Guitar",
    "Muted Guitar", "Overdriven Guitar", "Distortion Guitar", "Guitar Harmonics", "Acoustic Bass",
    "Finger Bass", "Pick Bass", "Fretless Bass", "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass", "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp",
    "Timpani", "String Ensemble 1", "String Ensemble 2", "Synth Strings 1", "Synth Strings 2", "Choir Aahs",
    "Voice Oohs", "Synth Voice", "Orchestra Hit", "Trumpet", "Trombone", "Tuba", "Muted Trumpet",
    "French Horn", "Brass Section", "Synth Brass 1", "Synth Brass 2", "Soprano Sax", "Alto Sax", "Tenor Sax",
    "Baritone Sax", "Oboe", "English Horn", "Bassoon", "Clarinet", "Piccolo", "Flute", "Recorder",
    "Pan Flute", "Blown Bottle", "Shakuhachi", "Whistle", "Ocarina", "Square Lead", "Saw Lead",
    "Calliope Lead", "Chiff Lead", "Charang Lead", "Voice Lead", "Fifths Lead", "Bass Lead", "New Age Pad",
    "Warm Pad", "Polysynth Pad", "Choir Pad", "Bowed Pad", "Metallic Pad", "Halo Pad", "Sweep Pad",
    "Rain", "Soundtrack", "Crystal", "Atmosphere", "Brightness", "Goblins", "Echoes", "Sci-fi", "Sitar",
    "Banjo", "Shamisen", "Koto", "Kalimba", "Bagpipe", "Fiddle", "Shanai", "Tinkle Bell", "Agogo",
    "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom", "Synth Drum", "Reverse Cymbal",
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet", "Telephone Ring", "Helicopter", "Applause",
    "Gunshot",
};

std::string Join(auto&& lines)
{
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::optional<std::uint32_t> Number(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

const std::string& BuiltInProfileText()
{
    static const std::string text = Join(kProfileLines);
    return text;
}

const std::string& BuiltInVoiceList()
{
    static const std::string text = [] {
        std::string list;
        for (std::size_t i = 0; i < std::size(kVoiceNames); ++i)
            list += std::to_string(i) + "\t" + kVoiceNames[i] + "\r\n";
        return list;
    }();
    return text;
}

std::string IniValue(std::string_view text, std::string_view section, std::string_view key)
{
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = EqualNoCase(Trim(line.substr(1, line.size() - 2)), section);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inSection && eq != std::string_view::npos && EqualNoCase(Trim(line.substr(0, eq)), key))
            return std::string(Trim(line.substr(eq + 1)));
    }
    return {};
}

SlotLimits ReadSlotLimits(std::string_view profileText)
{
    static constexpr const char* kCountKeys[] = {"SNG_MAX_CNT", "STY_MAX_CNT", "VOC_MAX_CNT", "MEM_MAX_CNT"};
    static constexpr const char* kSizeKeys[] = {"SNG_MAX_SIZE", "STY_MAX_SIZE", "VOC_SIZE", "MEM_SIZE"};
    static constexpr const char* kUploadKeys[] = {"UPLOAD_SNG", "UPLOAD_STY", "UPLOAD_VOC", "UPLOAD_MEM"};
    const std::string_view builtIn = BuiltInProfileText();
    const auto read = [&](const char* section, const char* key) {
        auto value = Number(IniValue(profileText, section, key));
        return value ? *value : *Number(IniValue(builtIn, section, key));
    };
    SlotLimits limits;
    for (std::size_t kind = 0; kind < 4; ++kind) {
        // The slot table must fit one reply packet.
        limits.counts[kind] = std::min<std::uint32_t>(read("FILE_MAX_CNT", kCountKeys[kind]), 2046);
        limits.maxSizes[kind] = read("FILE_SIZE", kSizeKeys[kind]);
        limits.uploadEnabled[kind] = read("UPLOAD_ENABLE", kUploadKeys[kind]) != 0;
    }
    return limits;
}

} // namespace keyloft::instrument

// Arbitrary bytes to the style rewriter, the source analysis and the .sci, .ots and
// .ins readers: no read outside the buffer; a rewrite that succeeds is a sound style
// keeping the source's segment area; blocks pack back to what they unpacked.
#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/portable/style/StyleFile.h"
#include "core/portable/style/StyleSource.h"
#include "core/portable/style/VoiceList.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace keyloft;

void CheckRewrite(const std::vector<std::uint8_t>& bytes, const marks::ByteSource& source) {
    style::StyleContent content;
    content.styleName = "\xc4\xe3\xba\xc3 Style with a name longer than 32 bytes";
    content.shortName = "Short";
    content.codePage = style::CodePage(936);
    const style::StyleFileResult result = style::BuildRewrittenStyle(bytes, content);
    if (!result.Ok()) {
        if (!result.bytes.empty())
            std::abort();
        return;
    }
    const marks::MemoryByteSource out(result.bytes);
    const auto before = marks::ParseStyleLayout(source);
    const auto after = marks::ParseStyleLayout(out);
    if (result.bytes.size() > style::MaxStyleFileSize || !marks::IsStyleFile(out) || !before || !after ||
        before->PresentSegments() != after->PresentSegments() ||
        !std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(before->segmentsOffset), bytes.end(),
                    result.bytes.begin() + static_cast<std::ptrdiff_t>(after->segmentsOffset),
                    result.bytes.end()))
        std::abort();
}

void CheckBlocks(const std::vector<std::uint8_t>& bytes, const marks::ByteSource& source) {
    // Whatever was unpacked packs to a block that unpacks to the same settings.
    const style::SectionSettingsBlock sci = style::SectionSettingsFromSci(bytes).Pack();
    if (style::SectionSettingsFromSci(sci).Pack() != sci)
        std::abort();
    (void)style::ReadSectionSettingsFromStyle(source);

    style::OneTouchSettings ots;
    ots.Apply(bytes);
    style::OneTouchSettings again;
    again.Apply(ots.Pack());
    if (again != ots)
        std::abort();
    (void)style::ReadOtsFromStyle(source);
}

void CheckVoiceList(const std::vector<std::uint8_t>& bytes) {
    const std::wstring text(bytes.begin(), bytes.end());
    const style::VoiceList list = style::VoiceList::Parse(text);
    for (std::size_t i = 0; i < list.Size(); ++i) {
        if (list.IndexOfNumber(list.NumberAt(i)) > i)
            std::abort();
        (void)list.ItemText(i, static_cast<unsigned>(i % 4));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy so that any over-read hits the sanitizer's redzone.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const keyloft::marks::MemoryByteSource source(bytes);
    CheckRewrite(bytes, source);
    (void)keyloft::style::AnalyseStyleSource(source);
    CheckBlocks(bytes, source);
    CheckVoiceList(bytes);
    return 0;
}

#include "ui/colour_scheme.h"

#include <algorithm>
#include <array>

#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::array<ColourScheme, kSchemeCount> kSchemes = {{
    {kSchemeBlue, "Modrá", rgb(0xB8D3EA), rgb(0xEEF5FB), rgb(0xDFF2FF), rgb(0xA8C7DC), rgb(0x13409B), rgb(0x13409B),
     rgb(0x13409B), rgb(0x98BDDA)},
    {kSchemeCream, "Krémová", rgb(0xD3CBC6), rgb(0xFBF3EE), rgb(0xE7DFDA), rgb(0xDDD5D0), rgb(0x8B510A),
     rgb(0x773D00), rgb(0x814700), rgb(0xD1AA89)},
    {kSchemeGrey, "Šedá", rgb(0xA0A0A0), rgb(0x828282), rgb(0x828282), rgb(0xB4B4B4), rgb(0x505050), rgb(0x505050),
     rgb(0x505050), rgb(0xA0A0A0)},
}};

std::uint8_t clampChannel(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

Rgb Rgb::shifted(int amount) const
{
    return {clampChannel(red + amount), clampChannel(green + amount), clampChannel(blue + amount)};
}

const ColourScheme& colourScheme(int number)
{
    return kSchemes[static_cast<std::size_t>(number >= 0 && number < kSchemeCount ? number : kSchemeCream)];
}

std::optional<int> schemeFromColourFile(std::string_view bytes)
{
    if (bytes.empty() || bytes[0] < '0' || bytes[0] >= '0' + kSchemeCount) {
        return std::nullopt;
    }
    return bytes[0] - '0';
}

int loadColourScheme(const DataTree& tree)
{
    const auto bytes = readFileBytes(tree.programFile("color"));
    return bytes ? schemeFromColourFile(*bytes).value_or(kSchemeCream) : kSchemeCream;
}

Status saveColourScheme(const DataTree& tree, int number)
{
    const char digit = static_cast<char>('0' + colourScheme(number).number);
    return writeFileAtomically(tree.programFile("color"), tree.programFile("color.new"), std::string_view(&digit, 1));
}

}  // namespace lexivo

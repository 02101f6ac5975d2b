// The 9-byte test presets of a group. Whatever bytes the file holds, the settings read from it
// are ones the test can start with (a count from 0 to 999, a known direction) and survive being
// saved and read again unchanged. Settings built from the input survive a save and a read,
// with the count cut to its first three digits.

#include "fuzz_support.h"
#include "test/test_files.h"

#include <string>

using namespace lexivo;

namespace {

void checkDecoding(std::string_view input)
{
    const TestSettings settings = decodeTestPresets(input);
    FUZZ_CHECK(settings.questionCount >= 0 && settings.questionCount <= 999);
    FUZZ_CHECK(settings.directionMode == DirectionMode::EnglishShown ||
               settings.directionMode == DirectionMode::CzechShown || settings.directionMode == DirectionMode::Random);
    const std::string saved = encodeTestPresets(settings);
    FUZZ_CHECK(saved.size() == kTestPresetsSize);
    FUZZ_CHECK(decodeTestPresets(saved) == settings);
}

void checkEncoding(std::string_view input)
{
    fuzz::InputReader reader(input);
    TestSettings settings;
    settings.fixedCount = reader.byte() & 1;
    settings.noRepeat = reader.byte() & 1;
    settings.byCoefficient = reader.byte() & 1;
    settings.caseSensitive = reader.byte() & 1;
    settings.lockCoefficients = reader.byte() & 1;
    settings.directionMode = static_cast<DirectionMode>(reader.byte() % 3);
    settings.questionCount = static_cast<int>(reader.byte() << 8 | reader.byte());

    TestSettings expected = settings;
    expected.questionCount = std::stoi(std::to_string(settings.questionCount).substr(0, 3));
    FUZZ_CHECK(decodeTestPresets(encodeTestPresets(settings)) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);
    checkDecoding(input);
    checkEncoding(input);
    return 0;
}

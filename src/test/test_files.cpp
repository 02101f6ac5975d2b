#include "test/test_files.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/little_endian.h"

namespace lexivo {
namespace {

struct TextField {
    std::size_t offset;
    std::size_t size;
};
constexpr TextField kEnglish{0, 200};
constexpr TextField kCzech{200, 200};
constexpr TextField kExample{400, 200};
constexpr TextField kPackageName{600, 300};
constexpr std::size_t kCurrentIndex = 900;
constexpr std::size_t kRightCount = 904;
constexpr std::size_t kWrongCount = 908;
constexpr std::size_t kDirectionMode = 912;
constexpr std::size_t kAskDirection = 913;
constexpr std::size_t kTotalCount = 916;
constexpr std::size_t kPackageCount = 920;
constexpr std::size_t kFixedCount = 924;
constexpr std::size_t kNoRepeat = 928;
constexpr std::size_t kByCoefficient = 932;
constexpr std::size_t kCaseSensitive = 936;
constexpr std::size_t kLockCoefficients = 940;

using Block = std::array<char, kTestInfoSize>;

Status putText(Block& block, TextField field, std::string_view text)
{
    auto bytes = encodeCp1250(text);
    if (!bytes) {
        return bytes.message();
    }
    const std::size_t length = std::min(bytes->size(), field.size - 1);
    std::copy_n(bytes->begin(), length, block.begin() + static_cast<std::ptrdiff_t>(field.offset));
    return Status::success();
}

std::string getText(std::string_view bytes, TextField field)
{
    const std::string_view content = bytes.substr(field.offset, field.size);
    return decodeCp1250(content.substr(0, content.find('\0')));
}

// The direction digits of the presets file differ from the direction modes.
char directionDigit(DirectionMode directionMode)
{
    switch (directionMode) {
    case DirectionMode::EnglishShown: return '1';
    case DirectionMode::Random: return '2';
    default: return '0';
    }
}

DirectionMode directionFromDigit(char digit)
{
    switch (digit) {
    case '1': return DirectionMode::EnglishShown;
    case '2': return DirectionMode::Random;
    default: return DirectionMode::CzechShown;
    }
}

Message damagedTestInfoMessage()
{
    return errorMessage("Záznam o nedokončeném testu je poškozený, a proto v testu nelze pokračovat.");
}

// Whether every value lies where a real test can bring it.
bool isReachable(const TestState& state)
{
    auto count = [](std::int32_t value) { return value >= 0 && value <= kMaxAnswerCount; };
    auto flag = [](std::int32_t value) { return value == 0 || value == 1; };
    const bool counters = count(state.currentIndex) && count(state.rightCount) && count(state.wrongCount) &&
                          count(state.totalCount) && count(state.packageCount);
    if (!counters || state.directionMode > DirectionMode::Random || state.askDirection > ShownSide::Czech ||
        !flag(state.fixedCount) || !flag(state.noRepeat) || !flag(state.byCoefficient) ||
        !flag(state.caseSensitive) || !flag(state.lockCoefficients)) {
        return false;
    }
    // A fixed-count test ends at its count; in the other mode every right answer took a word.
    return state.fixedCount ? state.rightCount + state.wrongCount <= state.totalCount
                            : state.rightCount <= state.totalCount;
}

}  // namespace

Result<Block> encodeTestInfo(const TestState& state)
{
    Block block{};
    for (auto [field, text] : {std::pair{kEnglish, &state.english}, std::pair{kCzech, &state.czech},
                               std::pair{kExample, &state.example}, std::pair{kPackageName, &state.packageName}}) {
        // Cut whole characters: one character is one byte in the file.
        std::string_view fitting = *text;
        std::size_t characters = 0;
        for (std::size_t i = 0; i < fitting.size(); ++i) {
            if ((static_cast<unsigned char>(fitting[i]) & 0xC0) != 0x80 && ++characters == field.size) {
                fitting = fitting.substr(0, i);
                break;
            }
        }
        if (Status put = putText(block, field, fitting); !put) {
            return put.message();
        }
    }
    putLittleEndian32(block.data() + kCurrentIndex, static_cast<std::uint32_t>(state.currentIndex));
    putLittleEndian32(block.data() + kRightCount, static_cast<std::uint32_t>(state.rightCount));
    putLittleEndian32(block.data() + kWrongCount, static_cast<std::uint32_t>(state.wrongCount));
    block[kDirectionMode] = static_cast<char>(state.directionMode);
    block[kAskDirection] = static_cast<char>(state.askDirection);
    putLittleEndian32(block.data() + kTotalCount, static_cast<std::uint32_t>(state.totalCount));
    putLittleEndian32(block.data() + kPackageCount, static_cast<std::uint32_t>(state.packageCount));
    putLittleEndian32(block.data() + kFixedCount, static_cast<std::uint32_t>(state.fixedCount));
    putLittleEndian32(block.data() + kNoRepeat, static_cast<std::uint32_t>(state.noRepeat));
    putLittleEndian32(block.data() + kByCoefficient, static_cast<std::uint32_t>(state.byCoefficient));
    putLittleEndian32(block.data() + kCaseSensitive, static_cast<std::uint32_t>(state.caseSensitive));
    putLittleEndian32(block.data() + kLockCoefficients, static_cast<std::uint32_t>(state.lockCoefficients));
    return block;
}

Result<TestState> decodeTestInfo(std::string_view bytes)
{
    if (bytes.size() < kTestInfoSize) {
        return damagedTestInfoMessage();
    }
    TestState state;
    state.english = getText(bytes, kEnglish);
    state.czech = getText(bytes, kCzech);
    state.example = getText(bytes, kExample);
    state.packageName = getText(bytes, kPackageName);
    state.currentIndex = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kCurrentIndex));
    state.rightCount = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kRightCount));
    state.wrongCount = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kWrongCount));
    state.directionMode = static_cast<DirectionMode>(bytes[kDirectionMode]);
    state.askDirection = static_cast<ShownSide>(bytes[kAskDirection]);
    state.totalCount = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kTotalCount));
    state.packageCount = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kPackageCount));
    state.fixedCount = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kFixedCount));
    state.noRepeat = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kNoRepeat));
    state.byCoefficient = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kByCoefficient));
    state.caseSensitive = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kCaseSensitive));
    state.lockCoefficients = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + kLockCoefficients));
    if (!isReachable(state)) {
        return damagedTestInfoMessage();
    }
    return state;
}

std::string encodeTestPresets(const TestSettings& settings)
{
    std::string bytes(kTestPresetsSize, '\0');
    bytes[0] = settings.fixedCount ? '1' : '0';
    const std::string count = std::to_string(std::max(settings.questionCount, 0)).substr(0, 3);
    std::copy(count.begin(), count.end(), bytes.begin() + 1);
    bytes[4] = settings.noRepeat ? '1' : '0';
    bytes[5] = settings.byCoefficient ? '1' : '0';
    bytes[6] = directionDigit(settings.directionMode);
    bytes[7] = settings.caseSensitive ? '1' : '0';
    bytes[8] = settings.lockCoefficients ? '1' : '0';
    return bytes;
}

TestSettings decodeTestPresets(std::string_view bytes)
{
    TestSettings settings;
    if (bytes.size() < kTestPresetsSize) {
        return settings;
    }
    auto flag = [&](std::size_t offset, bool fallback) {
        return bytes[offset] == '0' || bytes[offset] == '1' ? bytes[offset] == '1' : fallback;
    };
    settings.fixedCount = flag(0, settings.fixedCount);
    // One to three digits, padded with NUL bytes; anything else (a sign, a letter) is no count.
    const std::string_view field = bytes.substr(1, 3);
    const std::string_view digits = field.substr(0, field.find('\0'));
    int count = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    const bool padded = field.find_first_not_of('\0', digits.size()) == std::string_view::npos;
    if (!digits.empty() && digits.front() != '-' && error == std::errc() && end == digits.data() + digits.size() &&
        padded) {
        settings.questionCount = count;
    }
    settings.noRepeat = flag(4, settings.noRepeat);
    settings.byCoefficient = flag(5, settings.byCoefficient);
    settings.directionMode = directionFromDigit(bytes[6]);
    settings.caseSensitive = flag(7, settings.caseSensitive);
    settings.lockCoefficients = flag(8, settings.lockCoefficients);
    return settings;
}

TestSettings loadTestPresets(const DataTree& tree, std::string_view group)
{
    const auto bytes = readFileBytes(tree.temporaryFile(group, kTestPresetsName));
    return bytes ? decodeTestPresets(*bytes) : TestSettings{};
}

Status saveTestPresets(const DataTree& tree, std::string_view group, const TestSettings& settings)
{
    std::error_code ignored;
    std::filesystem::create_directories(tree.temporaryDirectory(group), ignored);
    return writeFileAtomically(tree.temporaryFile(group, kTestPresetsName), tree.temporaryFile(group, "config.new"),
                               encodeTestPresets(settings));
}

bool hasSavedTest(const DataTree& tree, std::string_view group)
{
    std::error_code error;
    return std::filesystem::exists(tree.temporaryFile(group, kTestInfoName), error);
}

Status saveTestInfo(const DataTree& tree, std::string_view group, const TestState& state)
{
    auto block = encodeTestInfo(state);
    if (!block) {
        return block.message();
    }
    std::error_code ignored;
    std::filesystem::create_directories(tree.temporaryDirectory(group), ignored);
    return writeFileAtomically(tree.temporaryFile(group, kTestInfoName), tree.temporaryFile(group, "TestInfo.new"),
                               std::string_view(block->data(), block->size()));
}

void forgetSavedTest(const DataTree& tree, std::string_view group)
{
    // What cannot be deleted shows itself: the next "Test" offers the saved test again.
    (void)removeFileIfPresent(tree.temporaryFile(group, kTestInfoName));
    (void)removeFileIfPresent(tree.temporaryFile(group, kTestPoolName));
    (void)removeFileIfPresent(tree.temporaryFile(group, kPendingAnswerName));
}

namespace {

void putText(std::string& out, std::string_view text)
{
    char length[4];
    putLittleEndian32(length, static_cast<std::uint32_t>(text.size()));
    out.append(length, 4);
    out += text;
}

// Reads a length and that many bytes; false when the bytes run out.
bool takeText(std::string_view& bytes, std::string& text)
{
    if (bytes.size() < 4) {
        return false;
    }
    const std::uint32_t length = getLittleEndian32(bytes.data());
    bytes.remove_prefix(4);
    if (length > bytes.size()) {
        return false;
    }
    text = std::string(bytes.substr(0, length));
    bytes.remove_prefix(length);
    return true;
}

}  // namespace

Result<std::string> encodePendingAnswer(const PendingAnswer& answer)
{
    auto block = encodeTestInfo(answer.stateAfter);
    if (!block) {
        return block.message();
    }
    std::string bytes(block->data(), block->size());
    char numbers[12];
    putLittleEndian32(numbers, static_cast<std::uint32_t>(answer.poolWordsBefore));
    putLittleEndian32(numbers + 4, static_cast<std::uint32_t>(answer.index));
    putLittleEndian32(numbers + 8, static_cast<std::uint32_t>(answer.coefficient));
    bytes.append(numbers, sizeof numbers);
    bytes += answer.removesWord ? '\1' : '\0';
    putText(bytes, answer.packageName);
    putText(bytes, answer.lineBefore);
    putText(bytes, answer.lineAfter);
    return bytes;
}

Result<PendingAnswer> decodePendingAnswer(std::string_view bytes)
{
    const Message damaged = errorMessage("Záznam o poslední odpovědi je poškozený.");
    auto state = decodeTestInfo(bytes);
    if (!state || bytes.size() < kTestInfoSize + 13) {
        return damaged;
    }
    PendingAnswer answer;
    answer.stateAfter = std::move(state).value();
    bytes.remove_prefix(kTestInfoSize);
    answer.poolWordsBefore = static_cast<std::int32_t>(getLittleEndian32(bytes.data()));
    answer.index = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + 4));
    answer.coefficient = static_cast<std::int32_t>(getLittleEndian32(bytes.data() + 8));
    answer.removesWord = bytes[12] != '\0';
    bytes.remove_prefix(13);
    if (!takeText(bytes, answer.packageName) || !takeText(bytes, answer.lineBefore) ||
        !takeText(bytes, answer.lineAfter) || answer.coefficient < -1 || answer.coefficient > 4 ||
        answer.index < 0 || answer.index >= answer.poolWordsBefore) {
        return damaged;
    }
    return answer;
}

}  // namespace lexivo

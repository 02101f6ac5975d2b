#pragma once
// The state of one vocabulary test and the settings it is started with.

#include <cstdint>
#include <string>

namespace lexivo {

// Which side of the words a test shows; the values are those of the saved test.
enum class DirectionMode : std::uint8_t {
    EnglishShown = 0,  // English shown, Czech expected
    CzechShown = 1,    // Czech shown, English expected
    Random = 2,        // drawn for each word
};

// The side of the asked word that is on screen.
enum class ShownSide : std::uint8_t { English = 0, Czech = 1 };

// How a test comes to its evaluation: it ran to its end, or the user left it to resume later.
enum class TestEnd { Finished, Interrupted };

// What the user chooses before a test; kept per group as the test presets.
struct TestSettings {
    bool fixedCount = false;      // end after `questionCount` answers, else when all are answered right
    int questionCount = 20;       // fixed-count mode only
    bool noRepeat = false;        // fixed-count mode only: each word at most once
    bool byCoefficient = true;    // fixed-count mode only: pick by knowledge coefficient
    DirectionMode directionMode = DirectionMode::CzechShown;
    bool caseSensitive = true;
    bool lockCoefficients = false;

    bool operator==(const TestSettings&) const = default;
};

struct TestState {
    std::string english;      // field 1 of the word being asked
    std::string czech;        // field 2
    std::string example;      // field 3
    std::string packageName;  // the package the asked word comes from
    std::int32_t currentIndex = 0;  // pool index of the asked word; while picking, the previous one's
    std::int32_t rightCount = 0;
    std::int32_t wrongCount = 0;
    DirectionMode directionMode = DirectionMode::EnglishShown;
    ShownSide askDirection = ShownSide::English;
    std::int32_t totalCount = 0;  // fixed count: the questions; until all right: the pool at the start
    std::int32_t packageCount = 0;
    std::int32_t fixedCount = 0;
    std::int32_t noRepeat = 0;
    std::int32_t byCoefficient = 0;
    std::int32_t caseSensitive = 0;
    std::int32_t lockCoefficients = 0;

    bool operator==(const TestState&) const = default;
};

}  // namespace lexivo

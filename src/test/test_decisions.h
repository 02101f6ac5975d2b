#pragma once
// What the test windows decide when a test starts, is offered for resuming and ends. Each
// function does what the rule says and returns the outcome with the message the window shows;
// the windows only ask and show.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"
#include "test/test_session.h"
#include "test/test_state.h"

namespace lexivo {

// The ticked packages of the configuration, in list order: their positions and names.
struct ChosenPackages {
    std::vector<int> positions;
    std::vector<std::string> names;
};

enum class StartVerdict { Started, Refused };

struct StartOutcome {
    StartVerdict verdict = StartVerdict::Refused;
    // The refusal; or, for a started test, a problem the user hears of all the same.
    std::optional<Message> message;
    // The count field is to show this, the largest count the pool allows.
    std::optional<int> lowerCountTo;
};

// START: refuses an empty selection, a fixed count of zero, a pool without words and a fixed
// count without repeats larger than the pool, in this order; otherwise the engine holds the
// new test and `packs` remembers the selection.
[[nodiscard]] StartOutcome startChosenTest(TestSession& tests, std::string_view group, const ChosenPackages& chosen,
                                           const TestSettings& settings);

// Kept: the saved test could not be brought up to date (a full disk, say) and stays as it is
// for a later try; no new test starts over it meanwhile.
enum class SavedTestOffer { None, Resumable, Forgotten, Kept };

struct SavedTestCheck {
    SavedTestOffer offer = SavedTestOffer::None;
    std::optional<Message> message;  // why a saved test was forgotten or kept, or what it could not write
};

// "Test" in a group with a saved test: the engine takes it up so that the resume question can
// show it. A saved test that is damaged is forgotten, with its reason, so that a new test can
// start; one whose last answer cannot be written now is kept.
[[nodiscard]] SavedTestCheck takeUpSavedTest(TestSession& tests, std::string_view group);

// "Zapomenout": the saved test and its pool are deleted and the engine holds no test.
[[nodiscard]] Status forgetTakenUpTest(TestSession& tests);

// The evaluation writes the end of the test: an interrupted test is saved for a later resume;
// a finished one forgets a saved state it was resumed from, and leaves its pool in place.
[[nodiscard]] Status recordTestEnd(TestSession& tests, TestEnd end);

}  // namespace lexivo

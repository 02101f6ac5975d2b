#pragma once
// The sentences that describe a test to the user: in the resume question and in the test
// information window.

#include <string>
#include <string_view>

#include "test/test_state.h"

namespace lexivo {

// `language` is the foreign language in the genitive ("angličtiny").
struct ResumeTexts {
    std::string description;  // the kind of test
    std::string total;        // the number of words
    std::string answered;     // how far the test has come
    int progressRange = 0;
    int progressPosition = 0;
    bool showsProgressLabel = false;  // "Průběh testu" under the bar, until all are right
};
ResumeTexts resumeTexts(const TestState& state, std::string_view language);

// The painted text of the test information window.
std::string testInformationText(const TestState& state, int remainingCount, std::string_view language);

}  // namespace lexivo

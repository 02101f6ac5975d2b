#pragma once
// What the word transfer window decides: two packages side by side, moving, copying and
// deleting words between them. The same window lists the words remaining in a test, the
// downloaded online store and the preview of an online package.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/word_list.h"
#include "store/collection.h"
#include "store/data_tree.h"
#include "store/result.h"
#include "test/test_files.h"

namespace lexivo {

enum class TransferMode {
    Transfer,        // any package to any package
    RemainingWords,  // the test pool on the left, the package being made of it on the right
    OnlineStore,     // the downloaded store on the left, any package on the right
    OnlinePreview,   // the previewed online package alone
};

enum class Side { Left, Right };
inline Side otherSide(Side side) { return side == Side::Left ? Side::Right : Side::Left; }

enum class TransferButton {
    MoveRight,  // in the special modes hidden
    MoveLeft,   // in the special modes: remove the selected words from the right package
    CopyRight,
    CopyLeft,   // in the special modes hidden
    Delete,     // from the delete side; transfer mode only
};

enum class TransferKey { Delete, F5, F6 };

// At most this many words are moved, copied or deleted at once.
inline constexpr std::size_t kMaxWordsTransferredAtOnce = 500;
// The files the online modes list on the left, in the current group's Temporary (the
// remaining words are the test pool `kTestPoolName`).
inline constexpr std::string_view kOnlineStoreFileName = "zastemp";
inline constexpr std::string_view kOnlinePreviewFileName = "balprevtemp";

bool isSpecialMode(TransferMode mode);
std::string_view transferTitle(TransferMode mode);
bool buttonShown(TransferMode mode, TransferButton button);
// Whether the user chooses a side's group and package; the special modes fix the left side
// (and the remaining words the right one too), the preview has no right side.
bool sideChoosable(TransferMode mode, Side side);
// Asked when the window closes: the online store offers to empty the store on the web.
std::optional<Message> closingQuestion(TransferMode mode);
// The button a key in a word list presses, if that button is shown.
std::optional<TransferButton> buttonForKey(TransferMode mode, Side list, TransferKey key);
// In the preview only the first selected line stays selected; 451 lines or more clear it.
std::vector<std::size_t> previewSelection(const std::vector<std::size_t>& selected);

// The previewed package's heading "topic#group#package".
struct PreviewHeading {
    std::string topic;
    std::string group;
    std::string package;
};
PreviewHeading splitPreviewHeading(std::string_view heading);

// What the window does before an operation: show `refusal` and stop; else ask `question`
// (No stops); then show `refusalAfterQuestion` and stop; else go on.
struct TransferChecks {
    std::optional<Message> refusal;
    std::optional<Message> question;
    std::optional<Message> refusalAfterQuestion;
    bool passes() const { return !refusal && !refusalAfterQuestion; }
};

// The lines' indices selected in each list when a button is pressed.
struct TransferSelection {
    std::vector<std::size_t> left;
    std::vector<std::size_t> right;
    const std::vector<std::size_t>& of(Side side) const { return side == Side::Left ? left : right; }
};

// The result of an operation; both lists have been refilled whatever happened.
struct [[nodiscard]] TransferOutcome {
    std::optional<Message> message;  // a failure to show
    TransferSelection reselect;      // positions to select again in the refilled lists
    Side focus = Side::Left;
};

class WordTransfer {
public:
    // `targetPackage` names the package being made in the remaining-words mode.
    WordTransfer(DataTree tree, TransferMode mode, std::string currentGroup, std::string targetPackage = {},
                 NameOrder order = caseInsensitiveOrder);

    TransferMode mode() const { return mode_; }

    // Sets both sides up: the current group on each side; in transfer mode both sides show
    // `preferredPackage` when the group has it.
    void open(std::string_view preferredPackage = {});

    // The groups a side's drop-down offers, from the program's group table.
    std::vector<std::string> groupChoices(Side side, const std::vector<std::string>& groupTable) const;
    // A group chosen on a side: its packages are listed and the first one shown.
    void chooseGroup(Side side, std::string group);
    void choosePackage(Side side, std::string package);
    void chooseOrder(Side side, WordOrder order);
    void refill(Side side);

    const std::string& group(Side side) const { return state(side).group; }
    const std::string& package(Side side) const { return state(side).package; }
    WordOrder order(Side side) const { return state(side).order; }
    // The entries of the side's package drop-down; empty when the side has no package.
    const std::vector<std::string>& packageChoices(Side side) const { return state(side).packages; }
    bool hasPackage(Side side) const { return !state(side).package.empty(); }
    // Whether the side's group and package drop-downs are shown to the user.
    bool packageChoiceShown(Side side) const;
    const std::vector<std::string>& lines(Side side) const { return state(side).lines; }
    // Why the side's file could not be read at its last filling, if it could not.
    const std::optional<Message>& readFailure(Side side) const { return state(side).readFailure; }
    const std::optional<PreviewHeading>& previewHeading() const { return previewHeading_; }

    // Filling a list makes it the delete side; while the delete button is shown, so does focusing it.
    Side deleteSide() const { return deleteSide_; }
    void setDeleteSide(Side side) { deleteSide_ = side; }

    TransferChecks check(TransferButton button, const TransferSelection& selection) const;
    // Runs an operation whose checks passed (and whose question was answered Yes).
    TransferOutcome perform(TransferButton button, const TransferSelection& selection);

private:
    struct SideState {
        std::string group;
        std::string package;
        WordOrder order = WordOrder::Foreign;
        std::vector<std::string> packages;
        std::vector<std::string> lines;
        std::optional<Message> readFailure;
    };

    SideState& state(Side side) { return sides_[side == Side::Left ? 0 : 1]; }
    const SideState& state(Side side) const { return sides_[side == Side::Left ? 0 : 1]; }
    bool listsTemporaryFile(Side side) const;
    std::filesystem::path sideFile(Side side) const;
    std::vector<std::string> selectedLines(Side side, const std::vector<std::size_t>& selected) const;
    bool samePackageOnBothSides() const;
    TransferChecks checkMoveOrCopy(TransferButton button, const TransferSelection& selection) const;
    TransferChecks checkDelete(const TransferSelection& selection) const;
    // Copies the records of the selected lines to the end of the other side's package.
    Status copyWords(Side source, const std::vector<std::string>& lines);
    // Leaves the selected lines' records, and every record without both expressions, out of the side's package.
    Status removeWords(Side side, const std::vector<std::string>& lines);

    DataTree tree_;
    TransferMode mode_;
    std::string currentGroup_;
    std::string targetPackage_;
    NameOrder order_;
    std::array<SideState, 2> sides_;
    std::optional<PreviewHeading> previewHeading_;
    Side deleteSide_ = Side::Left;
};

}  // namespace lexivo

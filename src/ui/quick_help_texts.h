#pragma once
// The texts of quick help: a right click on a control shows one line that says what it does.
// The text depends on the window, the control and a few states of the window at that moment.

#include <string_view>

#include "ui/window_kind.h"

namespace lexivo {

// Shown for a control that has no text of its own.
inline constexpr std::string_view kNoQuickHelpText = "- pro neschopnost programátora tento prvek nemá žádný popisek -";

// The test window: the language the current question asks the answer in.
enum class AnswerLanguage { Czech, English };
// The word transfer window: between two packages, or one of its special uses.
enum class TransferUse { BetweenPackages, TestRemainder, OnlineStore, OnlinePreview };
enum class TransferList { Left, Right };
// The add-package dialog: adding or copying a package, or storing words from the transfer window.
enum class AddPackagePurpose { AddPackage, StoreWords };
// The rename dialog renames a package or a group.
enum class RenameTarget { Package, Group };

// What a window tells quick help about itself when a control is right-clicked; each window
// fills in what concerns it and leaves the rest.
struct QuickHelpState {
    AnswerLanguage answerLanguage = AnswerLanguage::Czech;
    TransferUse transferUse = TransferUse::BetweenPackages;
    TransferList lastFocusedList = TransferList::Right;
    AddPackagePurpose addPackagePurpose = AddPackagePurpose::AddPackage;
    RenameTarget renameTarget = RenameTarget::Package;
};

// The text for the control: its own row, "Zavře toto dialogové okno" for control 2 of any
// window but the main one, otherwise kNoQuickHelpText.
std::string_view quickHelpText(WindowKind window, int controlId, const QuickHelpState& state);

// Whether the table speaks of the control at all: it has a text, or is listed as having none.
bool quickHelpCovers(WindowKind window, int controlId);

}  // namespace lexivo

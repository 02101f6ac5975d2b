#pragma once
// What the package editor decides: the word list of one package, the selected word, and
// adding, changing and deleting words with their checks. The window only shows and asks.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editing/word_list.h"
#include "store/collection.h"
#include "store/data_tree.h"
#include "store/package_file.h"
#include "store/result.h"

namespace lexivo {

// The fields of the editor that a refusal focuses (with all their text selected).
enum class EditorField {
    NewForeign,
    NewCzech,
    NewExample,
    SelectedForeign,
    SelectedCzech,
    SelectedExample,
    WordList,
};

// What the panel beside the list shows for a selection of that many lines.
enum class SelectionPanel { NoWord, OneWord, ManyWords };
SelectionPanel selectionPanelFor(std::size_t selectedCount);
std::string selectedCountText(std::size_t selectedCount);

// At most this many words are deleted at once.
inline constexpr std::size_t kMaxWordsDeletedAtOnce = 500;
// A text of this many characters or more is refused, so 198 is the longest accepted.
inline constexpr std::size_t kMaxWordTextCharacters = 199;

// The three texts of a word as typed.
struct WordFields {
    std::string foreign;
    std::string czech;
    std::string example;
    bool operator==(const WordFields&) const = default;
};

enum class WordEntry { Adding, Changing };

struct FieldRefusal {
    Message message;
    EditorField field;
};

// The first check the texts fail, in the order the user meets them, or nothing.
std::optional<FieldRefusal> checkWordFields(const WordFields& fields, WordEntry entry);

// The single selected word as its record stands in the file.
struct SelectedWord {
    WordFields fields;
    int initialLevel = kUnknownLevel;
    std::size_t recordIndex = 0;  // position among the package's records
};

// The result of an operation. When `written`, the package changed and the list has been
// refilled; with neither `written` nor a message, nothing happened.
struct [[nodiscard]] EditOutcome {
    bool written = false;
    std::optional<Message> message;  // a refusal or a failure, to show in a box
    EditorField focus = EditorField::WordList;
    std::optional<std::size_t> lineToSelect;  // in the refilled list; the window then calls select()
};

class PackageEditing {
public:
    PackageEditing(DataTree tree, std::string group, NameOrder lineOrder = caseInsensitiveOrder);

    // Another package or order: the list is refilled and the selection forgotten.
    void showPackage(std::string package);
    void showOrder(WordOrder order);
    // Reads the package again; a file that cannot be read shows an empty list and leaves its reason.
    void refill();
    const std::optional<Message>& readFailure() const { return readFailure_; }

    const std::string& group() const { return group_; }
    const std::string& package() const { return package_; }
    WordOrder order() const { return order_; }
    const std::vector<WordDisplayLine>& lines() const { return lines_; }
    // How often the list has been filled; a window that shows the lines shows them anew when it grows.
    std::size_t fillCount() const { return fillCount_; }
    // The package's records as the last refill read them, in file order.
    const std::vector<WordRecord>& records() const { return records_; }
    std::string wordCountText() const;
    // "Tisk" is offered while the list holds a line.
    bool canExport() const { return !lines_.empty(); }

    // Finds the record of a list line and makes it the selected word.
    Result<SelectedWord> select(std::size_t line);
    void clearSelection() { selection_.reset(); }
    const std::optional<SelectedWord>& selection() const { return selection_; }
    // Whether any of the three texts differs from the selected word as read.
    bool textsChanged(const WordFields& shown) const;
    // Whether "Změnit" would change anything (otherwise it shows the prohibition sign).
    bool changeAllowed(const WordFields& shown, int level) const;

    EditOutcome addWord(const WordFields& typed);
    EditOutcome changeSelectedWord(const WordFields& shown, int level);
    // Asked before deleting the selected word, and before deleting many.
    static Message deleteWordQuestion();
    static Message deleteWordsQuestion();
    EditOutcome deleteSelectedWord(std::size_t selectedLine);
    // The lines' indices in any order; identical lines delete one record each, first in file order.
    EditOutcome deleteWords(std::vector<std::size_t> selectedLines);

private:
    // Whether a package is shown; a name that could lead out of the group never is.
    bool opensPackage() const { return isPlainName(group_) && isPlainName(package_); }
    std::filesystem::path packagePath() const;
    // Rewrites the selected word's record, or reports that the file no longer holds it.
    Status rewriteSelectedRecord(const RecordChange& change);
    std::optional<std::size_t> findLine(std::string_view text) const;

    DataTree tree_;
    std::string group_;
    NameOrder lineOrder_;
    std::string package_;
    WordOrder order_ = WordOrder::Foreign;
    std::vector<WordRecord> records_;
    std::vector<WordDisplayLine> lines_;
    std::optional<SelectedWord> selection_;
    std::optional<Message> readFailure_;
    std::size_t fillCount_ = 0;
};

}  // namespace lexivo

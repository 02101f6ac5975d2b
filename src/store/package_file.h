#pragma once
// Reading, counting, rewriting and appending to package files.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/result.h"
#include "store/word_record.h"

namespace lexivo {

// What a rewrite does with one record of the file.
struct RecordChange {
    enum class Action {
        Keep,          // copied byte for byte as it stands
        SetKnowledge,  // only the knowledge coefficient changes; the other fields keep their bytes
        Replace,       // written anew from `replacement`
        Remove,        // left out
    };
    Action action = Action::Keep;
    WordRecord replacement;  // Replace: the new record; SetKnowledge: its `knowledge`

    static RecordChange keep() { return {}; }
    static RecordChange remove() { return {Action::Remove, {}}; }
    static RecordChange replaceWith(WordRecord record) { return {Action::Replace, std::move(record)}; }
    static RecordChange setKnowledge(std::string knowledge)
    {
        return {Action::SetKnowledge, WordRecord{{}, {}, {}, std::move(knowledge)}};
    }
};

// Decides for each record of a file, in file order, what the rewrite does with it.
using RecordEditor = std::function<RecordChange(const WordRecord&)>;

// The new bytes of a record file after `editor` has seen each record.
Result<std::string> editRecords(std::string_view bytes, const RecordEditor& editor);

// Rewrites a record file in place through `scratch` (same directory), safely: at every instant
// the file holds its old or its new content. A missing file is reported, never re-created.
Status rewriteRecordFile(const std::filesystem::path& file, const std::filesystem::path& scratch,
                         const RecordEditor& editor);

// Rewrites a package through the group's scratch file `slov`.
Status rewritePackageFile(const DataTree& tree, std::string_view group, std::string_view package,
                          const RecordEditor& editor);

// Appends words at the end of a package (created when missing). A last line without a line
// end is ended first, so that the first new word starts a line of its own. The package is
// written anew through `slov`: on any failure it stays as it was.
Status appendWordRecords(const DataTree& tree, std::string_view group, std::string_view package,
                         const std::vector<WordRecord>& records);

// The records of a package in file order, empty lines included; an unreadable file has none.
std::vector<WordRecord> readPackageRecords(const DataTree& tree, std::string_view group, std::string_view package);

// The number of words the main window shows: the lines of the file; 0 when it cannot be read.
int countPackageWords(const DataTree& tree, std::string_view group, std::string_view package);

}  // namespace lexivo

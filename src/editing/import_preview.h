#pragma once
// What the import preview shows and decides before anything is written: the file as the
// chosen settings read it, the words it will add to which package, the lines it leaves out,
// and what "OK" does. Free of Qt: the preview window only shows this state and asks it.

#include <optional>
#include <string>
#include <vector>

#include "editing/word_import.h"
#include "store/collection.h"
#include "store/result.h"

namespace lexivo {

// The preview table shows this many word rows.
inline constexpr std::size_t kPreviewRows = 20;

// The preview's field that gets the focus after a refusal.
enum class ImportPreviewField { PackageName };

struct [[nodiscard]] ImportConfirmOutcome {
    std::optional<Message> message;  // the refusal, or a note after a write that succeeded
    std::optional<ImportPreviewField> focus;
    std::string package;  // the package written; empty when nothing was written
    bool written() const { return !package.empty(); }
};

class ImportPreview {
public:
    // Detects the file's settings and reads its table; refuses a document that cannot be read.
    // The target is a package of the collection's current group, named after the file.
    static Result<ImportPreview> open(const Collection& collection, ImportFile file);

    const ImportSettings& settings() const { return settings_; }
    const ImportTable& table() const { return table_; }
    const ImportPlan& plan() const { return plan_; }
    const std::string& targetName() const { return targetName_; }
    // A KDE document has fixed columns and no encoding, separator or header to choose.
    bool readsDelimitedText() const { return file_.format == ImportFormat::Delimited; }

    // Each change reads the kept bytes again (encoding, separator) or checks the rows again;
    // a header row, when taken, names its columns.
    void setEncoding(ImportEncoding encoding);
    void setSeparator(ImportSeparator separator);
    void setFirstRowIsHeader(bool header);
    void setColumns(const ImportColumns& columns);
    void setChoices(const ImportChoices& choices);
    // True when the words were checked again: the target now names another package.
    [[nodiscard]] bool setTargetName(std::string name);

    // The columns a column box offers: every column of the file, and at least two.
    int columnChoices() const;
    // The first word rows as the settings read them.
    std::vector<ImportRow> previewRows() const;
    // Whether the target names a package the group already holds: the words go to its end.
    bool targetExists() const;
    // The line under the name: what happens to an existing package; empty for a new one.
    std::string targetNote() const;
    // How many words will be added and how many lines are left out, or why nothing can be read.
    std::string summary() const;

    // Checks the name and writes the words; on a refusal or a failed write nothing changes.
    ImportConfirmOutcome confirm(Collection& collection) const;

private:
    ImportPreview(const Collection& collection, ImportFile file);
    void readTable();
    // A header row the settings take names its columns.
    void takeHeaderColumns();
    void makePlan();
    // The package's words, read again only when the target names another existing package.
    void readTargetWords();

    DataTree tree_;
    std::string group_;
    std::vector<std::string> groupPackages_;
    ImportFile file_;
    ImportSettings settings_;
    ImportChoices choices_;
    ImportTable table_;
    std::optional<Message> tableFailure_;
    ImportPlan plan_;
    std::string targetName_;
    std::string wordsReadFrom_;  // the existing package whose words `targetWords_` holds
    std::vector<WordRecord> targetWords_;
};

}  // namespace lexivo

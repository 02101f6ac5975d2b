#include "editing/import_preview.h"

#include <algorithm>

#include "editing/import_table.h"
#include "store/cp1250.h"
#include "store/package_file.h"

namespace lexivo {

Result<ImportPreview> ImportPreview::open(const Collection& collection, ImportFile file)
{
    ImportPreview preview(collection, std::move(file));
    if (preview.tableFailure_) {
        return *preview.tableFailure_;
    }
    return preview;
}

ImportPreview::ImportPreview(const Collection& collection, ImportFile file)
    : tree_(collection.tree()),
      group_(collection.currentGroup()),
      groupPackages_(collection.hasCurrentGroup() ? collection.listPackages() : std::vector<std::string>{}),
      file_(std::move(file)),
      settings_(detectImportSettings(file_)),
      targetName_(file_.baseName)
{
    readTable();
    readTargetWords();
    makePlan();
}

void ImportPreview::readTable()
{
    Result<ImportTable> read = readImportTable(file_, settings_);
    tableFailure_.reset();
    if (read) {
        table_ = std::move(read).value();
    } else {
        tableFailure_ = read.message();
        table_ = {};
    }
    // A column the file no longer has is not chosen any more.
    ImportColumns& columns = settings_.columns;
    if (columns.english >= columnChoices()) {
        columns.english = 0;
    }
    if (columns.czech >= columnChoices()) {
        columns.czech = 1;
    }
    if (columns.example && *columns.example >= table_.columnCount) {
        columns.example.reset();
    }
    if (columns.level && *columns.level >= table_.columnCount) {
        columns.level.reset();
    }
}

void ImportPreview::makePlan() { plan_ = planImport(wordRows(table_, settings_), settings_.columns, targetWords_, choices_); }

void ImportPreview::readTargetWords()
{
    const std::string existing = targetExists() ? targetName_ : std::string();
    if (existing == wordsReadFrom_) {
        return;
    }
    targetWords_ = existing.empty() ? std::vector<WordRecord>{} : readPackageRecords(tree_, group_, existing);
    wordsReadFrom_ = existing;
}

void ImportPreview::setEncoding(ImportEncoding encoding)
{
    settings_.encoding = encoding;
    readTable();
    makePlan();
}

void ImportPreview::setSeparator(ImportSeparator separator)
{
    settings_.separator = separator;
    readTable();
    // With the right separator a header row names its columns again.
    takeHeaderColumns();
    makePlan();
}

void ImportPreview::setFirstRowIsHeader(bool header)
{
    settings_.firstRowIsHeader = header;
    takeHeaderColumns();
    makePlan();
}

void ImportPreview::takeHeaderColumns()
{
    if (settings_.firstRowIsHeader && !table_.rows.empty()) {
        if (const HeaderReading header = readHeaderRow(table_.rows.front()); header.isHeader) {
            settings_.columns = header.columns;
        }
    }
}

void ImportPreview::setColumns(const ImportColumns& columns)
{
    settings_.columns = columns;
    makePlan();
}

void ImportPreview::setChoices(const ImportChoices& choices)
{
    choices_ = choices;
    makePlan();
}

bool ImportPreview::setTargetName(std::string name)
{
    targetName_ = std::move(name);
    const std::string before = wordsReadFrom_;
    readTargetWords();
    if (wordsReadFrom_ == before) {
        return false;
    }
    makePlan();
    return true;
}

int ImportPreview::columnChoices() const { return std::max(table_.columnCount, 2); }

std::vector<ImportRow> ImportPreview::previewRows() const
{
    // The first rows alone, a header row among them, without copying a large file's others.
    ImportTable start;
    start.columnCount = table_.columnCount;
    const std::size_t taken = std::min(table_.rows.size(), kPreviewRows + 1);
    start.rows.assign(table_.rows.begin(), table_.rows.begin() + static_cast<std::ptrdiff_t>(taken));
    std::vector<ImportRow> rows = wordRows(start, settings_);
    rows.resize(std::min(rows.size(), kPreviewRows));
    // A cell shows no more than a field can hold and a little more: enough to see it is too long.
    for (ImportRow& row : rows) {
        for (std::string& cell : row.cells) {
            cell.resize(firstCharacters(cell, kMaxFieldBytes + 1).size());
        }
    }
    return rows;
}

bool ImportPreview::targetExists() const
{
    return std::find(groupPackages_.begin(), groupPackages_.end(), targetName_) != groupPackages_.end();
}

std::string ImportPreview::targetNote() const
{
    return targetExists() ? "Balíček už existuje: slovíčka se přidají na jeho konec." : std::string();
}

std::string ImportPreview::summary() const
{
    if (tableFailure_) {
        return tableFailure_->text;
    }
    const auto skipped = std::count_if(plan_.problems.begin(), plan_.problems.end(),
                                       [](const ImportProblem& problem) { return problem.skipped; });
    const auto changed = static_cast<std::ptrdiff_t>(plan_.problems.size()) - skipped;
    std::string text = "Slovíček k přidání: " + std::to_string(plan_.words.size()) +
                       ", vynechaných řádků: " + std::to_string(skipped);
    if (changed > 0) {
        text += ", upravených řádků: " + std::to_string(changed);
    }
    return text;
}

ImportConfirmOutcome ImportPreview::confirm(Collection& collection) const
{
    if (tableFailure_) {
        return {*tableFailure_, std::nullopt, {}};
    }
    if (ImportTarget target = checkImportTarget(collection, targetName_); target.refusal) {
        return {std::move(*target.refusal), ImportPreviewField::PackageName, {}};
    }
    // A plan without words is refused before anything is created; a new package makes the
    // group forget the last test's choice of packages.
    if (Status written = writeImport(tree_, group_, targetName_, plan_); !written) {
        return {written.message(), std::nullopt, {}};
    }
    return {std::nullopt, std::nullopt, targetName_};
}

}  // namespace lexivo

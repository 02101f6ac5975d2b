#include "editing/package_editing.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/package_file.h"

namespace lexivo {
namespace {

enum class Text { Foreign, Czech, Example };

const std::string& textOf(const WordFields& fields, Text which)
{
    switch (which) {
    case Text::Foreign:
        return fields.foreign;
    case Text::Czech:
        return fields.czech;
    case Text::Example:
        break;
    }
    return fields.example;
}

EditorField fieldOf(Text which, WordEntry entry)
{
    const bool adding = entry == WordEntry::Adding;
    switch (which) {
    case Text::Foreign:
        return adding ? EditorField::NewForeign : EditorField::SelectedForeign;
    case Text::Czech:
        return adding ? EditorField::NewCzech : EditorField::SelectedCzech;
    case Text::Example:
        break;
    }
    return adding ? EditorField::NewExample : EditorField::SelectedExample;
}

std::string tooLongText(Text which, WordEntry entry)
{
    switch (which) {
    case Text::Foreign:
        return "Cizí výraz je moc dlouhý. Limit je 200 znaků.";
    case Text::Czech:
        return "Český výraz je moc dlouhý. Limit je 200 znaků.";
    case Text::Example:
        break;
    }
    // The adding form has always said "je" twice; users know it so.
    return entry == WordEntry::Adding ? "Příklad použití slovíčka ve větě je je moc dlouhý. Limit je 200 znaků."
                                      : "Příklad použití slovíčka ve větě je moc dlouhý. Limit je 200 znaků.";
}

constexpr std::string_view kFieldSeparators = "|#";

Message wordGoneMessage()
{
    return errorMessage("Slovíčko se v balíčku již nenachází, balíček byl mezitím změněn. Seznam slovíček je "
                        "načten znovu.");
}

}  // namespace

SelectionPanel selectionPanelFor(std::size_t selectedCount)
{
    if (selectedCount == 0) {
        return SelectionPanel::NoWord;
    }
    return selectedCount == 1 ? SelectionPanel::OneWord : SelectionPanel::ManyWords;
}

std::string selectedCountText(std::size_t selectedCount)
{
    return "Počet vybraných slovíček: " + std::to_string(selectedCount);
}

std::optional<FieldRefusal> checkWordFields(const WordFields& fields, WordEntry entry)
{
    // The forbidden characters are checked in the order of the form being filled.
    const std::array<Text, 3> characterOrder = entry == WordEntry::Adding
                                                   ? std::array{Text::Czech, Text::Foreign, Text::Example}
                                                   : std::array{Text::Foreign, Text::Czech, Text::Example};
    for (Text which : characterOrder) {
        if (textOf(fields, which).find_first_of(kFieldSeparators) != std::string::npos) {
            return FieldRefusal{errorMessage(which == Text::Example
                                                 ? "Příklad použití slovíčka ve větě nesmí obsahovat znaky \"|\" a \"#\"."
                                                 : "Slovíčko nesmí obsahovat znaky \"|\" a \"#\"."),
                                fieldOf(which, entry)};
        }
    }
    // A character the package file cannot hold is refused rather than stored as a substitute.
    for (Text which : characterOrder) {
        if (const std::string character = firstUnstorableCharacter(textOf(fields, which)); !character.empty()) {
            return FieldRefusal{unstorableCharacterMessage(character), fieldOf(which, entry)};
        }
    }
    for (Text which : {Text::Foreign, Text::Czech, Text::Example}) {
        if (characterCount(textOf(fields, which)) >= kMaxWordTextCharacters) {
            return FieldRefusal{errorMessage(tooLongText(which, entry)), fieldOf(which, entry)};
        }
    }
    if (fields.foreign.empty() || fields.czech.empty()) {
        return FieldRefusal{errorMessage(entry == WordEntry::Adding ? "Musíte zadat český i anglický výraz."
                                                                    : "Musíte vyplnit obě dvě kolonky."),
                            fieldOf(Text::Foreign, entry)};
    }
    return std::nullopt;
}

PackageEditing::PackageEditing(DataTree tree, std::string group, NameOrder lineOrder)
    : tree_(std::move(tree)), group_(std::move(group)), lineOrder_(std::move(lineOrder))
{
}

void PackageEditing::showPackage(std::string package)
{
    package_ = std::move(package);
    refill();
}

void PackageEditing::showOrder(WordOrder order)
{
    order_ = order;
    refill();
}

std::filesystem::path PackageEditing::packagePath() const
{
    return tree_.packageFile(group_, package_);
}

void PackageEditing::refill()
{
    selection_.reset();
    records_.clear();
    readFailure_.reset();
    if (opensPackage()) {
        ListedRecords listed = readListedRecords(packagePath());
        records_ = std::move(listed.records);
        readFailure_ = std::move(listed.readFailure);
    }
    lines_ = wordListLines(records_, order_, lineOrder_);
    ++fillCount_;
}

std::string PackageEditing::wordCountText() const
{
    return "Celkový počet slovíček: " + std::to_string(lines_.size());
}

std::optional<std::size_t> PackageEditing::findLine(std::string_view text) const
{
    const auto found = std::find_if(lines_.begin(), lines_.end(), [&](const WordDisplayLine& line) { return line.text == text; });
    return found == lines_.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - lines_.begin()));
}

Result<SelectedWord> PackageEditing::select(std::size_t line)
{
    selection_.reset();
    if (line >= lines_.size() || !opensPackage()) {
        return wordGoneMessage();
    }
    const auto records = readRecordFile(packagePath());
    if (!records) {
        return records.message();
    }
    const auto index = locateRecordLine(*records, lines_[line].text, order_);
    if (!index) {
        return wordGoneMessage();
    }
    const WordRecord& record = (*records)[*index];
    selection_ = SelectedWord{{record.english, record.czech, record.example}, shownKnowledgeLevel(record), *index};
    return *selection_;
}

bool PackageEditing::textsChanged(const WordFields& shown) const
{
    return selection_ && shown != selection_->fields;
}

bool PackageEditing::changeAllowed(const WordFields& shown, int level) const
{
    return selection_ && (textsChanged(shown) || level != selection_->initialLevel);
}

EditOutcome PackageEditing::addWord(const WordFields& typed)
{
    if (!opensPackage()) {
        return {false, errorMessage("Ve skupině nejsou žádné balíčky."), EditorField::NewForeign, std::nullopt};
    }
    const auto records = readRecordFile(packagePath());
    if (!records) {
        return {false, records.message(), EditorField::NewForeign, std::nullopt};
    }
    if (records->size() >= static_cast<std::size_t>(kMaxWordsPerPackage)) {
        return {false, errorMessage("Maximální možný počet slovíček v jednom balíčku je 1000."), EditorField::NewForeign,
                std::nullopt};
    }
    if (auto refusal = checkWordFields(typed, WordEntry::Adding)) {
        return {false, std::move(refusal->message), refusal->field, std::nullopt};
    }
    const WordRecord word{typed.foreign, typed.czech, typed.example, std::string(kUnknownKnowledge)};
    if (Status appended = appendWordRecords(tree_, group_, package_, {word}); !appended) {
        return {false, appended.message(), EditorField::NewForeign, std::nullopt};
    }
    refill();
    return {true, std::nullopt, EditorField::NewForeign, findLine(wordDisplayLine(word, order_))};
}

Status PackageEditing::rewriteSelectedRecord(const RecordChange& change)
{
    const SelectedWord selected = *selection_;
    std::size_t index = 0;
    bool found = false;
    Status written = rewritePackageFile(tree_, group_, package_, [&](const WordRecord& record) {
        const bool target = index++ == selected.recordIndex &&
                            WordFields{record.english, record.czech, record.example} == selected.fields;
        found = found || target;
        return target ? change : RecordChange::keep();
    });
    if (written && !found) {
        refill();  // show what the file holds now
        return wordGoneMessage();
    }
    return written;
}

EditOutcome PackageEditing::changeSelectedWord(const WordFields& shown, int level)
{
    if (!changeAllowed(shown, level)) {
        return {};
    }
    if (auto refusal = checkWordFields(shown, WordEntry::Changing)) {
        return {false, std::move(refusal->message), refusal->field, std::nullopt};
    }
    const WordRecord word{shown.foreign, shown.czech, shown.example,
                          std::string(1, static_cast<char>('0' + std::clamp(level, 0, kUnknownLevel)))};
    if (Status written = rewriteSelectedRecord(RecordChange::replaceWith(word)); !written) {
        return {false, written.message(), EditorField::SelectedForeign, std::nullopt};
    }
    refill();
    return {true, std::nullopt, EditorField::WordList, findLine(wordDisplayLine(word, order_))};
}

Message PackageEditing::deleteWordQuestion()
{
    return {"Určitě chcete toto slovíčko odstranit?", MessageIcon::Exclamation, "Potvrzení"};
}

Message PackageEditing::deleteWordsQuestion()
{
    return {"Skutečně chcete všechna vybraná slovíčka smazat?", MessageIcon::Exclamation, "Žádost o potvrzení"};
}

EditOutcome PackageEditing::deleteSelectedWord(std::size_t selectedLine)
{
    if (!selection_) {
        return {};
    }
    if (Status written = rewriteSelectedRecord(RecordChange::remove()); !written) {
        return {false, written.message(), EditorField::WordList, std::nullopt};
    }
    refill();
    // The line that took the deleted one's place, or the new last line.
    std::optional<std::size_t> next;
    if (!lines_.empty()) {
        next = std::min(selectedLine, lines_.size() - 1);
    }
    return {true, std::nullopt, EditorField::WordList, next};
}

EditOutcome PackageEditing::deleteWords(std::vector<std::size_t> selectedLines)
{
    if (selectedLines.size() > kMaxWordsDeletedAtOnce) {
        return {false, errorMessage("Najednou lze smazat maximálně 500 slovíček!"), EditorField::WordList, std::nullopt};
    }
    std::sort(selectedLines.begin(), selectedLines.end());
    std::vector<std::string> texts;
    for (std::size_t line : selectedLines) {
        if (line < lines_.size()) {
            texts.push_back(lines_[line].text);
        }
    }
    // One rewrite for all of them: either every chosen word goes or none does.
    LineTally tally(texts, order_);
    Status written = rewritePackageFile(tree_, group_, package_, [&](const WordRecord& record) {
        return tally.take(record) ? RecordChange::remove() : RecordChange::keep();
    });
    if (!written) {
        return {false, written.message(), EditorField::WordList, std::nullopt};
    }
    refill();
    if (!tally.empty()) {
        return {true, wordGoneMessage(), EditorField::WordList, std::nullopt};
    }
    return {true, std::nullopt, EditorField::WordList, std::nullopt};
}

}  // namespace lexivo

#include "editing/word_transfer.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "store/file_io.h"
#include "store/package_file.h"

namespace lexivo {
namespace {

Message question(std::size_t selectedCount)
{
    return {selectedCount == 1 ? "Určitě chcete vybrané slovíčko z balíčku odstranit?"
                               : "Určitě chcete všechna vybraná slovíčka z balíčku odstranit?",
            MessageIcon::Exclamation, "Chyba"};
}

Message wordsGoneMessage()
{
    return errorMessage("Některá vybraná slovíčka se v balíčku již nenacházejí, balíček byl mezitím změněn. "
                        "Seznamy slovíček jsou načteny znovu.");
}

// A heading of the test pool or of a previewed package, never a word.
bool isHeading(const WordRecord& record)
{
    return record.english.find('#') != std::string::npos || record.czech.find('#') != std::string::npos;
}

std::vector<std::size_t> firstAtMost(std::vector<std::size_t> indices, std::size_t count)
{
    indices.resize(std::min(indices.size(), count));
    return indices;
}

}  // namespace

bool isSpecialMode(TransferMode mode)
{
    return mode != TransferMode::Transfer;
}

std::string_view transferTitle(TransferMode mode)
{
    switch (mode) {
    case TransferMode::Transfer:
        return "Přenos slovíček mezi balíčky";
    case TransferMode::RemainingWords:
        return "Uložit zbývající slovíčka";
    case TransferMode::OnlineStore:
        return "Kopírování slovíček ze Zásobníku";
    case TransferMode::OnlinePreview:
        break;
    }
    return "Náhled online balíčku";
}

bool buttonShown(TransferMode mode, TransferButton button)
{
    switch (mode) {
    case TransferMode::Transfer:
        return true;
    case TransferMode::RemainingWords:
    case TransferMode::OnlineStore:
        return button == TransferButton::CopyRight || button == TransferButton::MoveLeft;
    case TransferMode::OnlinePreview:
        break;
    }
    return false;
}

bool sideChoosable(TransferMode mode, Side side)
{
    return mode == TransferMode::Transfer || (mode == TransferMode::OnlineStore && side == Side::Right);
}

std::optional<Message> closingQuestion(TransferMode mode)
{
    if (mode != TransferMode::OnlineStore) {
        return std::nullopt;
    }
    return Message{"Chcete nyní vymazat obsah Vašeho Zásobníku na webu Brindle?", MessageIcon::Exclamation, "Dotaz"};
}

std::optional<TransferButton> buttonForKey(TransferMode mode, Side list, TransferKey key)
{
    std::optional<TransferButton> button;
    switch (key) {
    case TransferKey::Delete:
        button = isSpecialMode(mode) && list == Side::Right ? TransferButton::MoveLeft : TransferButton::Delete;
        break;
    case TransferKey::F5:
        button = list == Side::Left ? TransferButton::CopyRight : TransferButton::CopyLeft;
        break;
    case TransferKey::F6:
        button = list == Side::Left ? TransferButton::MoveRight : TransferButton::MoveLeft;
        // Moving left from the keyboard never removes words in the special modes.
        if (list == Side::Right && mode != TransferMode::Transfer) {
            return std::nullopt;
        }
        break;
    }
    return button && buttonShown(mode, *button) ? button : std::nullopt;
}

std::vector<std::size_t> previewSelection(const std::vector<std::size_t>& selected)
{
    constexpr std::size_t kTooManyForPreview = 451;
    if (selected.empty() || selected.size() >= kTooManyForPreview) {
        return {};
    }
    return {*std::min_element(selected.begin(), selected.end())};
}

PreviewHeading splitPreviewHeading(std::string_view heading)
{
    std::array<std::string, 3> parts;
    std::size_t part = 0;
    for (char c : heading) {
        if (c == '#') {
            if (++part == parts.size()) {
                break;  // a third "#" ends the package name
            }
            continue;
        }
        parts[part] += c;
    }
    return {parts[0], parts[1], parts[2]};
}

WordTransfer::WordTransfer(DataTree tree, TransferMode mode, std::string currentGroup, std::string targetPackage,
                           NameOrder order)
    : tree_(std::move(tree)),
      mode_(mode),
      currentGroup_(std::move(currentGroup)),
      targetPackage_(std::move(targetPackage)),
      order_(std::move(order))
{
}

bool WordTransfer::listsTemporaryFile(Side side) const
{
    return side == Side::Left && isSpecialMode(mode_);
}

std::filesystem::path WordTransfer::sideFile(Side side) const
{
    const SideState& s = state(side);
    return listsTemporaryFile(side) ? tree_.temporaryFile(currentGroup_, s.package) : tree_.packageFile(s.group, s.package);
}

void WordTransfer::open(std::string_view preferredPackage)
{
    for (Side side : {Side::Left, Side::Right}) {
        chooseGroup(side, currentGroup_);
        SideState& s = state(side);
        if (mode_ == TransferMode::Transfer &&
            std::find(s.packages.begin(), s.packages.end(), preferredPackage) != s.packages.end()) {
            choosePackage(side, std::string(preferredPackage));
        }
    }
    deleteSide_ = Side::Left;
}

std::vector<std::string> WordTransfer::groupChoices(Side side, const std::vector<std::string>& groupTable) const
{
    if (listsTemporaryFile(side) || (side == Side::Right && mode_ == TransferMode::RemainingWords)) {
        return {currentGroup_};
    }
    if (side == Side::Right && mode_ == TransferMode::OnlinePreview) {
        return {};
    }
    return groupTable;
}

bool WordTransfer::packageChoiceShown(Side side) const
{
    return sideChoosable(mode_, side) && hasPackage(side);
}

void WordTransfer::chooseGroup(Side side, std::string group)
{
    SideState& s = state(side);
    s.packages.clear();
    if (listsTemporaryFile(side)) {
        s.group = currentGroup_;
        s.packages = {std::string(mode_ == TransferMode::RemainingWords ? kTestPoolName
                                  : mode_ == TransferMode::OnlineStore  ? kOnlineStoreFileName
                                                                        : kOnlinePreviewFileName)};
    } else if (side == Side::Right && mode_ == TransferMode::RemainingWords) {
        s.group = currentGroup_;
        if (isPlainName(targetPackage_)) {
            s.packages = {targetPackage_};
        }
    } else if (!(side == Side::Right && mode_ == TransferMode::OnlinePreview)) {
        s.group = std::move(group);
        if (isPlainName(s.group)) {
            Collection collection(tree_, order_);
            collection.setCurrentGroup(s.group);
            s.packages = collection.listPackages();
        }
    }
    s.package = s.packages.empty() ? std::string() : s.packages.front();
    refill(side);
}

void WordTransfer::choosePackage(Side side, std::string package)
{
    SideState& s = state(side);
    // Only a package the side offers: nothing else can be named into a path.
    if (std::find(s.packages.begin(), s.packages.end(), package) != s.packages.end()) {
        s.package = std::move(package);
    }
    refill(side);
}

void WordTransfer::chooseOrder(Side side, WordOrder order)
{
    state(side).order = order;
    refill(side);
}

void WordTransfer::refill(Side side)
{
    SideState& s = state(side);
    s.lines.clear();
    s.readFailure.reset();
    if (s.package.empty()) {
        return;
    }
    std::vector<WordRecord> words;
    ListedRecords listed = readListedRecords(sideFile(side));
    s.readFailure = std::move(listed.readFailure);
    for (WordRecord& record : listed.records) {
        if (!isHeading(record)) {
            words.push_back(std::move(record));
        } else if (mode_ == TransferMode::OnlinePreview) {
            previewHeading_ = splitPreviewHeading(record.english);
        }
    }
    for (WordDisplayLine& line : wordListLines(words, s.order, order_)) {
        s.lines.push_back(std::move(line.text));
    }
    deleteSide_ = side;
}

std::vector<std::string> WordTransfer::selectedLines(Side side, const std::vector<std::size_t>& selected) const
{
    std::vector<std::size_t> ascending = selected;
    std::sort(ascending.begin(), ascending.end());
    std::vector<std::string> lines;
    for (std::size_t index : ascending) {
        if (index < state(side).lines.size()) {
            lines.push_back(state(side).lines[index]);
        }
    }
    return lines;
}

bool WordTransfer::samePackageOnBothSides() const
{
    if (listsTemporaryFile(Side::Left) || !hasPackage(Side::Left) || !hasPackage(Side::Right)) {
        return false;
    }
    if (group(Side::Left) == group(Side::Right) && package(Side::Left) == package(Side::Right)) {
        return true;
    }
    // Two names of one file (a link) are one package too.
    std::error_code error;
    return std::filesystem::equivalent(sideFile(Side::Left), sideFile(Side::Right), error) && !error;
}

TransferChecks WordTransfer::check(TransferButton button, const TransferSelection& selection) const
{
    return button == TransferButton::Delete ? checkDelete(selection) : checkMoveOrCopy(button, selection);
}

TransferChecks WordTransfer::checkMoveOrCopy(TransferButton button, const TransferSelection& selection) const
{
    const Side source = button == TransferButton::MoveRight || button == TransferButton::CopyRight ? Side::Left : Side::Right;
    const Side target = otherSide(source);
    const bool removeOnly = isSpecialMode(mode_) && button == TransferButton::MoveLeft;
    const std::size_t selected = selection.of(source).size();
    TransferChecks checks;
    if (removeOnly && selected > 0) {
        checks.question = question(selected);
    }
    auto refuse = [&](std::string text) {
        checks.refusalAfterQuestion = errorMessage(std::move(text));
        return checks;
    };
    if (!hasPackage(source)) {
        return refuse("Zdrojová skupina neobsahuje žádné balíčky.");
    }
    if (!hasPackage(target)) {
        return refuse("Cílová skupina neobsahuje žádné balíčky.");
    }
    if (selected > kMaxWordsTransferredAtOnce) {
        return refuse("Maximální počet najednou přenesených slovíček je 500.");
    }
    if (samePackageOnBothSides()) {
        return refuse("Zdrojový a cílový balíček nemůže být jeden a ten samý.");
    }
    if (selected == 0) {
        return refuse("Ve zdrojovém balíčku není vybráno žádné slovíčko.");
    }
    if (!removeOnly && lines(target).size() + selected > static_cast<std::size_t>(kMaxWordsPerPackage)) {
        return refuse("Akce nemůže být provedena, protože kdyby k tomu došlo, byl by v cílovém balíčku překročen "
                      "maximální možný počet slovíček v jednom balíčku (1000).");
    }
    return checks;
}

TransferChecks WordTransfer::checkDelete(const TransferSelection& selection) const
{
    const std::size_t selected = selection.of(deleteSide_).size();
    TransferChecks checks;
    if (!hasPackage(deleteSide_)) {
        checks.refusal = errorMessage("Zdrojová skupina neobsahuje žádné balíčky.");
    } else if (selected == 0) {
        checks.refusal = errorMessage("Ve zdrojovém balíčku není vybráno žádné slovíčko.");
    } else {
        checks.question = question(selected);
        if (selected > kMaxWordsTransferredAtOnce) {
            checks.refusalAfterQuestion = errorMessage("Maximální počet najednou smazaných slovíček je 500.");
        }
    }
    return checks;
}

Status WordTransfer::copyWords(Side source, const std::vector<std::string>& lines)
{
    const auto records = readRecordFile(sideFile(source));
    if (!records) {
        return records.message();
    }
    std::vector<WordRecord> words;
    for (const auto& match : matchLinesToRecords(*records, lines, order(source))) {
        if (!match) {
            return wordsGoneMessage();
        }
        words.push_back((*records)[*match]);
    }
    const Side target = otherSide(source);
    return appendWordRecords(tree_, group(target), package(target), words);
}

Status WordTransfer::removeWords(Side side, const std::vector<std::string>& lines)
{
    if (listsTemporaryFile(side)) {
        return errorMessage("Z tohoto seznamu nelze slovíčka odstranit.");
    }
    LineTally tally(lines, order(side));
    Status written = rewritePackageFile(tree_, group(side), package(side), [&](const WordRecord& record) {
        // A record without both expressions is no word: it goes as well.
        const bool remove = tally.take(record) || record.english.empty() || record.czech.empty();
        return remove ? RecordChange::remove() : RecordChange::keep();
    });
    if (written && !tally.empty()) {
        return wordsGoneMessage();
    }
    return written;
}

TransferOutcome WordTransfer::perform(TransferButton button, const TransferSelection& selection)
{
    TransferOutcome outcome;
    if (!buttonShown(mode_, button) || !check(button, selection).passes()) {
        return outcome;
    }
    if (button == TransferButton::Delete) {
        const Side side = deleteSide_;
        Status removed = removeWords(side, selectedLines(side, selection.of(side)));
        refill(otherSide(side));
        refill(side);
        if (!removed) {
            outcome.message = removed.message();
        }
        outcome.focus = side;
        return outcome;
    }
    const Side source = button == TransferButton::MoveRight || button == TransferButton::CopyRight ? Side::Left : Side::Right;
    const Side target = otherSide(source);
    const bool removeOnly = isSpecialMode(mode_) && button == TransferButton::MoveLeft;
    const bool move = button == TransferButton::MoveRight || button == TransferButton::MoveLeft;
    const std::vector<std::string> lines = selectedLines(source, selection.of(source));
    outcome.reselect = {firstAtMost(selection.left, kMaxWordsTransferredAtOnce),
                        firstAtMost(selection.right, kMaxWordsTransferredAtOnce)};
    outcome.focus = source;

    Status done = removeOnly ? Status::success() : copyWords(source, lines);
    if (done && move) {
        // A move is a copy followed by a removal; when the removal fails the words stay in both.
        if (Status removed = removeWords(source, lines); !removed) {
            done = removeOnly ? removed
                              : errorMessage("Slovíčka byla zkopírována do balíčku „" + package(target) +
                                             "“, ale z balíčku „" + package(source) +
                                             "“ je nebylo možno odstranit, zůstala proto v obou balíčcích.\n\n" +
                                             removed.message().text);
        }
    }
    refill(source);
    refill(target);
    if (!done) {
        outcome.message = done.message();
    }
    return outcome;
}

}  // namespace lexivo

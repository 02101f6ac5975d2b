#include "online/filing.h"

#include <algorithm>

#include "online/download_files.h"
#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/name_rules.h"
#include "store/word_record.h"

namespace lexivo {
namespace {

// Every "#" of a header shown as " - ".
std::string dashed(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '#') {
            out += " - ";
        } else {
            out += c;
        }
    }
    return out;
}

// The first `count` lines of `lines`, and whether any were left out.
std::string_view firstLines(std::string_view lines, int count, bool& shortened)
{
    std::size_t end = 0;
    for (int i = 0; i < count && end < lines.size(); ++i) {
        end = std::min(lines.find('\n', end), lines.size() - 1) + 1;
    }
    shortened = end < lines.size();
    return lines.substr(0, end);
}

}  // namespace

std::vector<DownloadedPackage> splitDownload(std::string_view bytes)
{
    std::vector<DownloadedPackage> packages;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (packages.empty() || line.find('#') != std::string_view::npos) {
            packages.push_back({decodeCp1250(line), {}});
        } else {
            packages.back().lines.append(line).append("\r\n");
        }
    }
    return packages;
}

std::string suggestedPackageName(std::string_view header)
{
    const std::size_t hash = header.find('#');
    return hash == std::string_view::npos ? std::string() : dashed(header.substr(hash + 1));
}

std::string recommendedGroup(std::string_view header) { return std::string(header.substr(0, header.find('#'))); }

std::string displayedHeader(std::string_view header) { return dashed(header); }

FilingSession::FilingSession(Collection& collection, std::vector<DownloadedPackage> packages)
    : collection_(collection), packages_(std::move(packages))
{
}

FilingSession FilingSession::fromDownload(Collection& collection)
{
    // The groups as they are now: filing chooses or creates them by name.
    collection.listGroups();
    const auto bytes = readFileBytes(collection.tree().programFile(kDownloadFileName));
    return FilingSession(collection, bytes ? splitDownload(*bytes) : std::vector<DownloadedPackage>{});
}

FilingOutcome FilingSession::proceed(FilingMode mode, std::string_view packageName, GroupStep groupStep)
{
    FilingOutcome outcome;
    std::string name(packageName);
    bool runGroupStep = mode == FilingMode::Automatic && groupStep == GroupStep::Run;
    while (!finished()) {
        outcome.packageNameField = name;
        if (runGroupStep) {
            const std::string previousGroup = collection_.currentGroup();
            if (auto refused = enterRecommendedGroup()) {
                outcome.kind = FilingOutcome::Kind::Stopped;
                outcome.message = std::move(refused);
                return outcome;
            }
            if (collection_.currentGroup() != previousGroup) {
                outcome.lastFiledPackage.clear();  // it lies in another group
            }
        }
        if (auto full = checkPackageCapacity(collection_.listPackages().size())) {
            outcome.kind = FilingOutcome::Kind::Closed;
            outcome.message = std::move(full);
            return outcome;
        }
        if (auto refused = checkName(name)) {
            outcome.kind = FilingOutcome::Kind::Stopped;
            outcome.message = std::move(refused->message);
            outcome.focusPackageName = refused->focusPackageName;
            return outcome;
        }
        bool shortened = false;
        if (Status written = writePackage(name, shortened); !written) {
            outcome.kind = FilingOutcome::Kind::Stopped;
            outcome.message = written.message();
            return outcome;
        }
        outcome.lastFiledPackage = name;
        // The group's packages changed, so the choice for its next test is stale; the package
        // itself is filed, so a failure here is told but does not stop the filing.
        if (Status forgotten = collection_.forgetTestSelection(); !forgotten) {
            outcome.warnings.push_back(forgotten.message());
        }
        if (shortened) {
            outcome.shortenedPackages.push_back(name);
        }
        ++next_;
        name = suggestedName();
        outcome.packageNameField = name;
        if (mode == FilingMode::Manual && !finished()) {
            outcome.kind = FilingOutcome::Kind::Waiting;
            return outcome;
        }
        runGroupStep = true;
    }
    outcome.kind = FilingOutcome::Kind::Finished;
    outcome.message = Message{"Všechny balíčky byly zkopírovány.", MessageIcon::Information, "OK"};
    return outcome;
}

// Makes the group named after the package's area current, creating it when missing. A name
// from the server passes the same rules as a typed one.
std::optional<Message> FilingSession::enterRecommendedGroup()
{
    const std::string group = recommendedGroup(current().header);
    if (group == collection_.currentGroup()) {
        return std::nullopt;
    }
    const auto& table = collection_.groupTable();
    const auto existing = std::find_if(table.begin(), table.end(),
                                       [&](const std::string& listed) { return equalsIgnoringAsciiCase(listed, group); });
    // This step words a forbidden character as the package-name rule does; a name too long
    // is told so first.
    if (existing == table.end() && characterCount(group) <= kMaxGroupNameCharacters && hasForbiddenCharacter(group)) {
        return packageForbiddenCharacterMessage();
    }
    const Status entered = existing != table.end() ? collection_.chooseGroup(std::string(*existing))
                                                   : collection_.createGroup(group);
    if (!entered) {
        return entered.message();
    }
    return std::nullopt;
}

std::optional<FilingSession::Refusal> FilingSession::checkName(std::string_view name) const
{
    // The rules of a new package, but a duplicate is worded as this dialog words it and only
    // after the check that a group is set up.
    if (auto refused = checkPackageNameForm(name, PackageNameUse::Create)) {
        return Refusal{*refused, true};
    }
    if (!collection_.hasCurrentGroup()) {
        return Refusal{errorMessage("Musíte vytvořit skupinu do které balíček uložíte."), false};
    }
    // "." and ".." exist in every directory, so they are refused here too.
    if (entryExists(collection_.tree().packageFile(collection_.currentGroup(), name))) {
        return Refusal{errorMessage("Balíček již existuje. Zadejte jiné jméno."), true};
    }
    return std::nullopt;
}

Status FilingSession::writePackage(std::string_view name, bool& shortened) const
{
    const DataTree& tree = collection_.tree();
    const std::string& group = collection_.currentGroup();
    const std::string_view lines = firstLines(current().lines, kMaxWordsPerPackage, shortened);
    return writeThroughScratch(tree.packageFile(group, name), tree.packageFile(group, kPackageScratchName), lines);
}

Message filingCancelQuestion()
{
    return Message{"Ještě nebyly uloženy všechny vybrané balíčky. Určitě chcete akci ukončit?", MessageIcon::Question,
                   "Dotaz"};
}

Message shortenedPackagesMessage(const std::vector<std::string>& packages)
{
    std::string text = "Balíček může obsahovat nejvýše 1000 slovíček, proto byla z těchto balíčků uložena jen prvních 1000:";
    for (const std::string& package : packages) {
        text += "\n" + package;
    }
    return Message{text, MessageIcon::Information, "OK"};
}

}  // namespace lexivo

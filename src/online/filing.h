#pragma once
// Filing downloaded packages into the user's groups, one step at a time: the window shows the
// current package and its suggested name, the user chooses how to go on, and the session files
// packages until a check refuses one (the user corrects it and goes on) or all are filed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/collection.h"
#include "store/result.h"

namespace lexivo {

// One downloaded package as `downbal` holds it.
struct DownloadedPackage {
    std::string header;  // area "#" group "#" package, UTF-8
    std::string lines;   // its word lines as they arrived, each ending in CR LF
};

// The packages of `downbal`'s bytes. The first line is the first header; after it, every line
// that holds "#" is a header and every other line a word of the package above it.
std::vector<DownloadedPackage> splitDownload(std::string_view bytes);

// "area#group#package" gives "group - package".
std::string suggestedPackageName(std::string_view header);
// "area#group#package" gives "area".
std::string recommendedGroup(std::string_view header);
// "area#group#package" gives "area - group - package".
std::string displayedHeader(std::string_view header);

enum class FilingMode {
    Automatic,  // each package into the group named after its area, under its suggested name
    Manual,     // one package, into the current group, under the name the user typed
};

// The retry after a stop files its first package into the current group, which the user may
// have changed meanwhile.
enum class GroupStep { Run, SkipForFirstPackage };

struct FilingOutcome {
    enum class Kind {
        Waiting,   // manual mode: the next package is shown; the user goes on
        Stopped,   // a check refused: show the message, the user corrects and goes on
        Closed,    // the group is full: show the message and close the dialog
        Finished,  // every package is filed: show the message and close the dialog
    };
    Kind kind = Kind::Waiting;
    std::optional<Message> message;
    bool focusPackageName = false;     // select the package name field and focus it
    std::string packageNameField;      // what the package name field shows now
    std::string lastFiledPackage;      // in the current group, to be selected in the main window; empty when none
    std::vector<std::string> shortenedPackages;  // filed with their first 1000 words only
    std::vector<Message> warnings;               // filed, but something beside it failed
};

class FilingSession {
public:
    FilingSession(Collection& collection, std::vector<DownloadedPackage> packages);
    // The packages of the program directory's `downbal`; none when it is missing. Lists the
    // groups afresh.
    static FilingSession fromDownload(Collection& collection);

    bool finished() const { return next_ >= packages_.size(); }
    // The package being filed; only while not finished.
    const DownloadedPackage& current() const { return packages_.at(next_); }
    std::string suggestedName() const { return finished() ? std::string() : suggestedPackageName(current().header); }

    // Files the current package under `packageName`, and in automatic mode the packages after
    // it under their suggested names, until a check stops it or all are filed.
    FilingOutcome proceed(FilingMode mode, std::string_view packageName, GroupStep groupStep);

private:
    struct Refusal {
        Message message;
        bool focusPackageName;
    };
    std::optional<Message> enterRecommendedGroup();
    std::optional<Refusal> checkName(std::string_view name) const;
    Status writePackage(std::string_view name, bool& shortened) const;

    Collection& collection_;
    std::vector<DownloadedPackage> packages_;
    std::size_t next_ = 0;
};

// Asked when the user gives up before all packages are filed.
Message filingCancelQuestion();
// Notes the packages that had more words than a package holds.
Message shortenedPackagesMessage(const std::vector<std::string>& packages);

}  // namespace lexivo

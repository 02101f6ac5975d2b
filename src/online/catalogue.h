#pragma once
// The three package catalogues of the web service: the catalogue body parsed into a tree of
// areas, groups and packages, ticking, and the selection list sent for a download.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/server_address.h"
#include "online/server_request.h"
#include "store/collection.h"
#include "store/result.h"

namespace lexivo {

enum class CatalogueKind { Thematic, Textbooks, Fiction };

// The online choice answers 2, 3 or 4 for the three catalogues.
std::optional<CatalogueKind> catalogueKindForChoice(int choice);
std::string_view catalogueScript(CatalogueKind kind);
// The heading painted above the tree.
std::string_view catalogueHeading(CatalogueKind kind);
// The fiction catalogue opens with its areas expanded.
inline bool areasShownExpanded(CatalogueKind kind) { return kind == CatalogueKind::Fiction; }

// A text of the tree holds at most this many characters; longer server data is cut.
inline constexpr std::size_t kMaxCatalogueTextCharacters = 299;
// The selection list sent for a download holds at most this many characters.
inline constexpr std::size_t kMaxSelectionCharacters = 9500;

struct CatalogueNode {
    enum class Level { Area, Group, Package };
    Level level = Level::Area;
    std::string text;  // the area, group or package title
    int id = 0;        // a package's number on the server
    bool ticked = false;
    std::vector<CatalogueNode> children;  // sorted by text
};

// The areas of a catalogue, sorted by text.
using Catalogue = std::vector<CatalogueNode>;

// Parses a catalogue body (Windows-1250, after the result digit). Markers: "*" an area follows,
// "#" a group follows, "@" or "|" a package ("id;title") follows; the last byte always ends
// the text before it. An item is complete when a marker follows it, so an item followed by
// no marker is lost. A group before any area, or a package before any group, has no place
// in the tree and is left out.
Catalogue parseCatalogue(std::string_view body, const NameOrder& order = caseInsensitiveOrder);

// A catalogue shown holds at most this many areas, groups and packages, so that a server cannot
// fill the memory and the tree; a larger one is refused with a message.
inline constexpr std::size_t kMaxCatalogueItems = 20000;
Result<Catalogue> readCatalogue(std::string_view body, const NameOrder& order = caseInsensitiveOrder);

// Ticks or unticks a node and everything under it.
void setTicked(CatalogueNode& node, bool ticked);

// How the server names one package: its id, or for textbooks and fiction id "@" title.
std::string packageReference(const CatalogueNode& package, CatalogueKind kind);

// The ticked packages joined by "|", or the message why nothing can be sent.
Result<std::string> selectionList(const Catalogue& catalogue, CatalogueKind kind);

ServerRequest catalogueRequest(const ServerAddress& address, CatalogueKind kind);
ServerRequest downloadRequest(const ServerAddress& address, CatalogueKind kind, std::string selection);
ServerRequest previewRequest(const ServerAddress& address, CatalogueKind kind, const CatalogueNode& package);

// A preview is written into the current group's Temporary, so it needs a group.
std::optional<Message> checkPreviewGroup(const Collection& collection);

// The questions asked before connecting.
Message catalogueQuestion();
Message downloadQuestion();

}  // namespace lexivo

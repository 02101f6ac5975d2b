#pragma once
// Reading catalogue packages and store words from files in the package format
// (Windows-1250, one "english|czech|example|knowledge" record per line), and the rules a
// catalogue name must pass so that the program can show, download and file the package.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service_store.h"
#include "store/result.h"

namespace lexivo::server {

// The words of a package file. Blank lines are skipped; a line with more than four fields, a
// field over 249 bytes, an empty English or Czech expression, a control character, "~" or "#"
// is refused with its line number, and so is a file of no words or more than 1000.
Result<std::vector<WordRecord>> parseWordFile(std::string_view bytes);

// The first reason why the package cannot be offered under these names, or nothing. The area
// becomes a group and "subgroup - title" a package in the program, so both follow the
// program's name rules, and none may hold a character the catalogue format uses as a marker.
std::optional<std::string> catalogueNameProblem(const CatalogueEntry& entry);

// Every package of a folder laid out as area/subgroup/package; entries whose names begin with
// "." are passed over. Anything else in the folder, or a package that breaks a rule, refuses
// the whole folder with a message naming the file.
Result<std::vector<CataloguePackage>> readCatalogueFolder(const std::filesystem::path& folder);

}  // namespace lexivo::server

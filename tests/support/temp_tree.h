#pragma once
// A temporary program directory for one test, removed afterwards, with helpers to lay out a
// data tree and to read files back as bytes.

#include <filesystem>
#include <string>
#include <string_view>

#include "store/data_tree.h"

namespace lexivo::testing {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    const DataTree& tree() const { return tree_; }

    // Creates the group directory and its Temporary.
    void makeGroup(std::string_view group) const;
    void writePackage(std::string_view group, std::string_view package, std::string_view bytes) const;
    std::string readPackage(std::string_view group, std::string_view package) const;

private:
    std::filesystem::path root_;
    DataTree tree_;
};

// Clears planned file-call failures and counts for the lifetime of one test.
struct FileCallsReset {
    FileCallsReset();
    ~FileCallsReset();
};

// `count` word lines "<prefix>1000|s||4", "<prefix>1001|s||4"…, each ended by CR LF: sorting
// them keeps their order.
std::string numberedWords(int count, std::string_view prefix = "w");

void writeBytes(const std::filesystem::path& file, std::string_view bytes);
// The bytes of a file; fails the test when it cannot be read.
std::string readBytes(const std::filesystem::path& file);

}  // namespace lexivo::testing

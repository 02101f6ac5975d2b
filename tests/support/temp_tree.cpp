#include "support/temp_tree.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include <gtest/gtest.h>

#include "store/file_io.h"

namespace lexivo::testing {
namespace fs = std::filesystem;

namespace {

fs::path makeTemporaryDirectory()
{
    std::string pattern = (fs::temp_directory_path() / "lexivo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    return pattern;
}

}  // namespace

TempTree::TempTree() : root_(makeTemporaryDirectory()), tree_(root_) {}

TempTree::~TempTree()
{
    // Tests make files read-only on purpose; give everything back before removing it.
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root_, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(root_, error);
}

void TempTree::makeGroup(std::string_view group) const
{
    fs::create_directories(tree_.temporaryDirectory(group));
}

void TempTree::writePackage(std::string_view group, std::string_view package, std::string_view bytes) const
{
    fs::create_directories(tree_.groupDirectory(group));
    writeBytes(tree_.packageFile(group, package), bytes);
}

std::string TempTree::readPackage(std::string_view group, std::string_view package) const
{
    return readBytes(tree_.packageFile(group, package));
}

FileCallsReset::FileCallsReset() { resetFileCalls(); }
FileCallsReset::~FileCallsReset() { resetFileCalls(); }

std::string numberedWords(int count, std::string_view prefix)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += std::string(prefix) + std::to_string(1000 + i) + "|s||4\r\n";
    }
    return bytes;
}

void writeBytes(const fs::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << file;
    }
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << file;
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace lexivo::testing

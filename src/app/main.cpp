// Program entry. Until the main window exists, it opens the user's data the way the window
// will and prints the current group with its packages and their word counts.

#include <cstdio>

#include "store/collection.h"
#include "store/package_file.h"
#include "store/program_config.h"

int main()
{
    using namespace lexivo;
    const DataTree tree(resolveProgramDirectory(executableDirectory()));
    const ProgramConfig config = loadProgramConfig(tree);

    Collection collection(tree);
    collection.setCurrentGroup(config.currentGroup);
    collection.listGroups();

    std::printf("Lexivo — data: %s\n", tree.dataRoot().c_str());
    std::printf("Skupina: %s\n", collection.currentGroup().c_str());
    for (const std::string& package : collection.listPackages()) {
        std::printf("  %-40s %5d\n", package.c_str(), countPackageWords(tree, collection.currentGroup(), package));
    }
    return 0;
}

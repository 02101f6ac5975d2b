#include "store/collection.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/package_selection.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

using Names = std::vector<std::string>;

class CollectionTest : public ::testing::Test {
protected:
    bool exists(const fs::path& path) const { return fs::exists(fs::symlink_status(path)); }
    void selectPackages(const std::string& group) const { ASSERT_TRUE(writePackageSelection(temp.tree(), group, {0, 1}).ok()); }
    bool selectionKept(const std::string& group) const { return exists(temp.tree().temporaryFile(group, "packs")); }

    TempTree temp;
    Collection collection{temp.tree()};
};

TEST_F(CollectionTest, WithoutGroupsTheNoGroupMarkerIsCurrentAndTheDataRootIsCreated)
{
    EXPECT_EQ(collection.listGroups(), 0);
    EXPECT_TRUE(fs::is_directory(temp.root() / "Data"));
    EXPECT_EQ(collection.currentGroup(), kNoGroupMarker);
    EXPECT_FALSE(collection.groupsPresent());
    EXPECT_TRUE(collection.listPackages().empty());
}

TEST_F(CollectionTest, AVanishedCurrentGroupFallsBackToTheFirstGroup)
{
    temp.makeGroup("Němčina");
    temp.makeGroup("angličtina");
    writeBytes(temp.tree().dataRoot() / "soubor", "not a group");
    collection.setCurrentGroup("Zmizelá");
    EXPECT_EQ(collection.listGroups(), 2);
    EXPECT_EQ(collection.groupTable(), (Names{"angličtina", "Němčina"}));
    EXPECT_EQ(collection.currentGroup(), "angličtina");

    collection.setCurrentGroup("Němčina");
    collection.listGroups();
    EXPECT_EQ(collection.currentGroup(), "Němčina");
    collection.setCurrentGroup("němčina");  // the match is exact
    collection.listGroups();
    EXPECT_EQ(collection.currentGroup(), "angličtina");
}

TEST_F(CollectionTest, ListingTakesAtMost49GroupsWithStorableNames)
{
    for (int i = 0; i < 52; ++i) {
        temp.makeGroup("G" + std::to_string(100 + i));
    }
    temp.makeGroup(std::string(50, 'x'));
    temp.makeGroup("Emoji 🙂");
    EXPECT_EQ(collection.listGroups(), 49);
    EXPECT_EQ(collection.groupTable().front(), "G100");
    EXPECT_EQ(collection.groupTable().back(), "G148");
}

TEST_F(CollectionTest, CreatingRenamingAndChoosingGroupsKeepsTheRightOneCurrent)
{
    collection.listGroups();
    ASSERT_TRUE(collection.createGroup("Angličtina").ok());
    EXPECT_TRUE(fs::is_directory(temp.tree().temporaryDirectory("Angličtina")));
    ASSERT_TRUE(collection.createGroup("Biologie").ok());
    EXPECT_EQ(collection.currentGroup(), "Biologie");
    EXPECT_TRUE(collection.groupsPresent());

    const Status duplicate = collection.createGroup("angličtina");
    ASSERT_FALSE(duplicate.ok());
    EXPECT_EQ(duplicate.message().text, "Skupina s tímto jménem již existuje.");

    ASSERT_TRUE(collection.renameCurrentGroup("Zoologie").ok());
    EXPECT_EQ(collection.currentGroup(), "Zoologie");
    EXPECT_EQ(collection.groupTable(), (Names{"Angličtina", "Zoologie"}));

    EXPECT_EQ(collection.renameCurrentGroup("Angličtina").message().text, "Skupina s tímto názvem již existuje.");
    EXPECT_EQ(collection.renameCurrentGroup(".").message().text, "Toto jméno není přípustné. Zadejte jiné.");
    EXPECT_EQ(collection.currentGroup(), "Zoologie");

    fs::remove(temp.tree().temporaryDirectory("Angličtina"));
    ASSERT_TRUE(collection.chooseGroup("Angličtina").ok());
    EXPECT_EQ(collection.currentGroup(), "Angličtina");
    EXPECT_TRUE(fs::is_directory(temp.tree().temporaryDirectory("Angličtina")));
    EXPECT_FALSE(collection.chooseGroup("..").ok());
}

TEST_F(CollectionTest, DeletingAGroupRemovesItsFilesAndFallsBackToTheFirstGroup)
{
    temp.makeGroup("A");
    temp.writePackage("B", "slova", "a|b||4\r\n");
    temp.makeGroup("B");
    writeBytes(temp.tree().temporaryFile("B", "Test"), "#|slova\r\n");
    fs::permissions(temp.tree().packageFile("B", "slova"), fs::perms::owner_read);
    collection.listGroups();
    ASSERT_TRUE(collection.chooseGroup("B").ok());

    ASSERT_TRUE(collection.deleteGroup("B").ok());
    EXPECT_FALSE(exists(temp.tree().groupDirectory("B")));
    EXPECT_EQ(collection.currentGroup(), "A");

    ASSERT_TRUE(collection.deleteGroup("A").ok());
    EXPECT_EQ(collection.currentGroup(), kNoGroupMarker);
    EXPECT_FALSE(collection.groupsPresent());
}

TEST_F(CollectionTest, AGroupWithOtherDirectoriesIsReportedButLosesItsFiles)
{
    temp.writePackage("C", "slova", "a|b||4\r\n");
    fs::create_directories(temp.tree().groupDirectory("C") / "vlastní");
    collection.listGroups();
    const Status deleted = collection.deleteGroup("C");
    ASSERT_FALSE(deleted.ok());
    EXPECT_EQ(deleted.message().text.rfind("Při mazání došlo k chybě", 0), 0u);
    EXPECT_FALSE(exists(temp.tree().packageFile("C", "slova")));
    EXPECT_EQ(collection.currentGroup(), "C");  // still listed, so the first group again
}

TEST_F(CollectionTest, PackagesAreListedInOrderWithoutScratchAndDirectoriesAndMadeWritable)
{
    temp.makeGroup("G");
    for (const char* name : {"zebra", "Auto", "ahoj", "SLOV"}) {
        temp.writePackage("G", name, "");
    }
    temp.writePackage("G", "slov", "scratch");
    fs::permissions(temp.tree().packageFile("G", "Auto"), fs::perms::owner_read);
    collection.listGroups();
    EXPECT_EQ(collection.listPackages(), (Names{"ahoj", "Auto", "SLOV", "zebra"}));
    EXPECT_NE(fs::status(temp.tree().packageFile("G", "Auto")).permissions() & fs::perms::owner_write, fs::perms::none);

    Collection reversed(temp.tree(), [](std::string_view a, std::string_view b) { return a > b; });
    reversed.listGroups();
    EXPECT_EQ(reversed.listPackages(), (Names{"zebra", "ahoj", "SLOV", "Auto"}));
}

TEST_F(CollectionTest, CreatingAPackageMakesAnEmptyFileAndForgetsTheSelection)
{
    temp.makeGroup("G");
    collection.listGroups();
    selectPackages("G");
    ASSERT_TRUE(collection.createPackage("Zvířata").ok());
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Zvířata")), "");
    EXPECT_FALSE(selectionKept("G"));

    selectPackages("G");
    EXPECT_EQ(collection.createPackage("Zvířata").message().text, "Balíček s tímto jménem již máte.");
    EXPECT_EQ(collection.createPackage("Temporary").message().text, "Toto jméno není přípustné.");
    EXPECT_TRUE(selectionKept("G"));  // a refused name changes nothing
}

TEST_F(CollectionTest, AGroupTakesAtMost481Packages)
{
    temp.makeGroup("G");
    for (int i = 0; i < 480; ++i) {
        temp.writePackage("G", "p" + std::to_string(i), "");
    }
    collection.listGroups();
    ASSERT_TRUE(collection.createPackage("p480").ok());
    EXPECT_EQ(collection.listPackages().size(), 481u);
    const Status full = collection.createPackage("p481");
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.message().text.rfind("Další balíček nelze přidat.", 0), 0u);
    EXPECT_FALSE(collection.copyPackageFromGroup("G", "p0", "kopie").ok());
}

TEST_F(CollectionTest, CopyingAPackageFromAnotherGroupKeepsEveryByte)
{
    const std::string bytes = "dog|pes|A dog.|0\r\n" + std::string(300, 'x') + "|y||\nlast|line||2";
    temp.writePackage("Zdroj", "Zvířata", bytes);
    temp.makeGroup("Cíl");
    collection.setCurrentGroup("Cíl");
    collection.listGroups();
    selectPackages("Cíl");
    ASSERT_TRUE(collection.copyPackageFromGroup("Zdroj", "Zvířata", "Moje zvířata").ok());
    EXPECT_EQ(readBytes(temp.tree().packageFile("Cíl", "Moje zvířata")), bytes);
    EXPECT_FALSE(selectionKept("Cíl"));
    EXPECT_FALSE(exists(temp.tree().packageFile("Cíl", "slov")));
    EXPECT_EQ(collection.copyPackageFromGroup("Zdroj", "Zvířata", "Moje zvířata").message().text,
              "Balíček s tímto jménem již máte.");
    EXPECT_FALSE(collection.copyPackageFromGroup("Zdroj", "Chybí", "Nový").ok());
    EXPECT_FALSE(exists(temp.tree().packageFile("Cíl", "Nový")));
}

TEST_F(CollectionTest, RenamingAPackage)
{
    temp.writePackage("G", "Staré", "a|b||4\r\n");
    temp.writePackage("G", "Jiné", "c|d||4\r\n");
    collection.listGroups();
    EXPECT_EQ(collection.renamePackage("Staré", "Staré").message().text, "Balíček s tímto jménem už máte.");
    EXPECT_EQ(collection.renamePackage("Staré", "Jiné").message().text, "Balíček s tímto jménem už máte.");
    selectPackages("G");
    ASSERT_TRUE(collection.renamePackage("Staré", "Nové").ok());
    EXPECT_EQ(collection.listPackages(), (Names{"Jiné", "Nové"}));
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Nové")), "a|b||4\r\n");
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Jiné")), "c|d||4\r\n");
    EXPECT_FALSE(selectionKept("G"));
}

TEST_F(CollectionTest, DeletingAPackageEvenWhenReadOnly)
{
    temp.writePackage("G", "Pryč", "a|b||4\r\n");
    fs::permissions(temp.tree().packageFile("G", "Pryč"), fs::perms::owner_read);
    collection.listGroups();
    selectPackages("G");
    ASSERT_TRUE(collection.deletePackage("Pryč").ok());
    EXPECT_FALSE(exists(temp.tree().packageFile("G", "Pryč")));
    EXPECT_FALSE(selectionKept("G"));
    EXPECT_FALSE(collection.deletePackage("../../config").ok());
}

TEST_F(CollectionTest, ListingSkipsWhatCannotBeAGroupOrAPackage)
{
    for (const char* name : {"A|B", "Line\nEnd", "Tab\tName"}) {
        fs::create_directories(temp.tree().dataRoot() / name);
    }
    fs::create_directories(temp.tree().dataRoot() / kNoGroupMarker);
    EXPECT_EQ(collection.listGroups(), 0);
    EXPECT_EQ(collection.currentGroup(), kNoGroupMarker);

    temp.writePackage("G", "P", "a|b||4\r\n");
    writeBytes(temp.root() / "outside", "c|d||4\r\n");
    const fs::path group = temp.tree().groupDirectory("G");
    ASSERT_EQ(::mkfifo((group / "fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", group / "zero");
    fs::create_symlink(temp.root() / "gone", group / "dangling");
    fs::create_symlink(temp.root() / "outside", group / "linked");
    for (const char* name : {"bad|name", "line\nend", "ctrl\x01", "c1\xC2\x85"}) {
        writeBytes(group / name, "x|y||4\r\n");
    }
    EXPECT_EQ(collection.listGroups(), 1);
    EXPECT_EQ(collection.listPackages(), (Names{"linked", "P"}));
}

TEST_F(CollectionTest, DeletingAGroupNeverReachesOutsideIt)
{
    const fs::path outside = temp.root() / "outside";
    temp.writePackage("G", "P", "a|b||4\r\n");
    writeBytes(temp.tree().dataRoot() / "soubor", "not a group");
    fs::create_directories(outside);
    writeBytes(outside / "precious", "keep");
    fs::permissions(outside / "precious", fs::perms::owner_read);
    fs::create_directory_symlink(outside, temp.tree().groupDirectory("Linked"));
    fs::create_symlink(outside / "precious", temp.tree().packageFile("G", "link"));
    fs::create_directory_symlink(outside, temp.tree().temporaryDirectory("G"));
    collection.listGroups();

    EXPECT_FALSE(collection.deleteGroup("..").ok());  // the program directory
    EXPECT_FALSE(collection.deleteGroup(".").ok());   // the data root
    EXPECT_EQ(readBytes(temp.tree().dataRoot() / "soubor"), "not a group");
    ASSERT_TRUE(collection.deleteGroup("Linked").ok());
    ASSERT_TRUE(collection.deleteGroup("G").ok());
    EXPECT_EQ(collection.groupTable(), Names{});
    EXPECT_EQ(readBytes(outside / "precious"), "keep");
    EXPECT_EQ(fs::status(outside / "precious").permissions(), fs::perms::owner_read);
}

TEST_F(CollectionTest, ASelectionThatCannotBeForgottenIsReported)
{
    temp.writePackage("G", "P", "a|b||4\r\n");
    collection.listGroups();
    fs::create_directories(temp.tree().temporaryFile("G", "packs") / "x");  // cannot be deleted
    for (const Status& status : {collection.createPackage("Nový"), collection.renamePackage("Nový", "Jiný"),
                                 collection.deletePackage("Jiný")}) {
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().text.find("packs"), std::string::npos) << status.message().text;
    }
    EXPECT_EQ(collection.listPackages(), (Names{"P"}));
}

TEST(ProgramDirectory, BesideTheProgramOnlyForAPortableCopy)
{
    TempTree temp;
    const fs::path program = temp.root() / "program";
    fs::create_directories(program);
    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string saved = before != nullptr ? before : "";
    ::setenv("XDG_DATA_HOME", (temp.root() / "user").c_str(), 1);
    EXPECT_EQ(resolveProgramDirectory(program), temp.root() / "user" / "Lexivo");
    EXPECT_TRUE(fs::is_directory(temp.root() / "user" / "Lexivo"));
    for (const char* held : {"config", "Data"}) {
        writeBytes(program / held, "");
        EXPECT_EQ(resolveProgramDirectory(program), program);
        fs::remove(program / held);
    }
    before != nullptr ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
}

// The manual beside the program wins over the program directory's, which wins over an installation's.
TEST(ProgramDirectory, TheManualIsLookedForInThreePlaces)
{
    TempTree temp;
    const fs::path executable = temp.root() / "bin";
    const fs::path program = temp.root() / "data";
    const fs::path installed = temp.root() / "share" / "lexivo";
    EXPECT_FALSE(findManual(executable, program).has_value());
    for (const fs::path& directory : {installed, program, executable}) {
        fs::create_directories(directory / "Help");
        writeBytes(directory / "Help" / "index.html", "<html></html>");
        EXPECT_EQ(findManual(executable, program), directory / "Help" / "index.html");
    }
}

TEST_F(CollectionTest, PackageOperationsNeedAGroup)
{
    collection.listGroups();
    EXPECT_FALSE(collection.createPackage("a").ok());
    EXPECT_FALSE(collection.renameCurrentGroup("b").ok());
    EXPECT_FALSE(exists(temp.tree().dataRoot() / kNoGroupMarker));
}

}  // namespace
}  // namespace lexivo

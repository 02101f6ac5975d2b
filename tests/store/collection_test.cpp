#include "store/collection.h"

#include <cstdlib>
#include <functional>
#include <sys/stat.h>

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

TEST_F(CollectionTest, WithoutGroupsTheMarkerIsCurrentAndPackagesAreRefused)
{
    EXPECT_EQ(collection.listGroups(), 0);
    EXPECT_TRUE(fs::is_directory(temp.root() / "Data"));
    EXPECT_EQ(collection.currentGroup(), kNoGroupMarker);
    EXPECT_TRUE(collection.listPackages().empty());
    EXPECT_FALSE(collection.createPackage("a").ok());
    EXPECT_FALSE(collection.renameCurrentGroup("b").ok());
    EXPECT_FALSE(exists(temp.tree().dataRoot() / kNoGroupMarker));
}

TEST_F(CollectionTest, AVanishedCurrentGroupFallsBackToTheFirstOfAtMost49)
{
    temp.makeGroup("Němčina");
    temp.makeGroup("angličtina");
    writeBytes(temp.tree().dataRoot() / "soubor", "not a group");
    collection.setCurrentGroup("Zmizelá");
    EXPECT_EQ(collection.listGroups(), 2);
    EXPECT_EQ(collection.groupTable(), (Names{"angličtina", "Němčina"}));
    EXPECT_EQ(collection.currentGroup(), "angličtina");
    collection.setCurrentGroup("němčina");  // the match is exact
    collection.listGroups();
    EXPECT_EQ(collection.currentGroup(), "angličtina");

    for (int i = 0; i < 52; ++i) {
        temp.makeGroup("G" + std::to_string(100 + i));
    }
    temp.makeGroup(std::string(50, 'x'));
    temp.makeGroup("Emoji 🙂");
    EXPECT_EQ(collection.listGroups(), 49);
    EXPECT_EQ(collection.groupTable().back(), "G147");
}

TEST_F(CollectionTest, CreatingRenamingAndChoosingGroupsKeepsTheRightOneCurrent)
{
    collection.listGroups();
    ASSERT_TRUE(collection.createGroup("Angličtina").ok());
    EXPECT_TRUE(fs::is_directory(temp.tree().temporaryDirectory("Angličtina")));
    ASSERT_TRUE(collection.createGroup("Biologie").ok());
    EXPECT_EQ(collection.currentGroup(), "Biologie");
    EXPECT_FALSE(collection.createGroup("angličtina").ok());

    ASSERT_TRUE(collection.renameCurrentGroup("Zoologie").ok());
    EXPECT_EQ(collection.groupTable(), (Names{"Angličtina", "Zoologie"}));
    EXPECT_FALSE(collection.renameCurrentGroup("Angličtina").ok());
    EXPECT_FALSE(collection.renameCurrentGroup(".").ok());
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
    temp.writePackage("C", "slova", "a|b||4\r\n");
    fs::create_directories(temp.tree().groupDirectory("C") / "vlastní");
    collection.listGroups();
    ASSERT_TRUE(collection.chooseGroup("B").ok());

    ASSERT_TRUE(collection.deleteGroup("B").ok());
    EXPECT_FALSE(exists(temp.tree().groupDirectory("B")));
    EXPECT_EQ(collection.currentGroup(), "A");
    // A directory of the user's own keeps the group: reported, but its packages are gone.
    const Status kept = collection.deleteGroup("C");
    EXPECT_EQ(kept.message().text.rfind("Při mazání došlo k chybě", 0), 0u);
    EXPECT_FALSE(exists(temp.tree().packageFile("C", "slova")));

    fs::remove_all(temp.tree().groupDirectory("C"));
    ASSERT_TRUE(collection.deleteGroup("A").ok());
    EXPECT_EQ(collection.currentGroup(), kNoGroupMarker);
    EXPECT_FALSE(collection.groupsPresent());
}

TEST_F(CollectionTest, PackagesAreListedInOrderWithoutScratchAndDirectoriesAndMadeWritable)
{
    for (const char* name : {"zebra", "Auto", "ahoj", "SLOV", "slov"}) {
        temp.writePackage("G", name, "");
    }
    temp.makeGroup("G");
    fs::permissions(temp.tree().packageFile("G", "Auto"), fs::perms::owner_read);
    collection.listGroups();
    EXPECT_EQ(collection.listPackages(), (Names{"ahoj", "Auto", "SLOV", "zebra"}));
    EXPECT_NE(fs::status(temp.tree().packageFile("G", "Auto")).permissions() & fs::perms::owner_write, fs::perms::none);

    Collection reversed(temp.tree(), [](std::string_view a, std::string_view b) { return a > b; });
    reversed.listGroups();
    EXPECT_EQ(reversed.listPackages(), (Names{"zebra", "ahoj", "SLOV", "Auto"}));
}

// Each change to the packages makes the positions of the last test's selection stale.
TEST_F(CollectionTest, PackageOperationsKeepEveryByteAndForgetTheSelection)
{
    const std::string bytes = "dog|pes|A dog.|0\r\n" + std::string(300, 'x') + "|y||\nlast|line||2";
    temp.writePackage("Zdroj", "Zvířata", bytes);
    temp.writePackage("G", "Staré", "a|b||4\r\n");
    temp.writePackage("G", "Pryč", "c|d||4\r\n");
    fs::permissions(temp.tree().packageFile("G", "Pryč"), fs::perms::owner_read);
    collection.setCurrentGroup("G");
    collection.listGroups();
    const std::vector<std::function<Status()>> operations = {
        [&] { return collection.createPackage("Nový"); },
        [&] { return collection.copyPackageFromGroup("Zdroj", "Zvířata", "Moje zvířata"); },
        [&] { return collection.renamePackage("Staré", "Přejmenované"); },
        [&] { return collection.deletePackage("Pryč"); },
    };
    for (const auto& operation : operations) {
        selectPackages("G");
        ASSERT_TRUE(operation().ok());
        EXPECT_FALSE(selectionKept("G"));
    }
    EXPECT_EQ(collection.listPackages(), (Names{"Moje zvířata", "Nový", "Přejmenované"}));
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Nový")), "");
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Moje zvířata")), bytes);
    EXPECT_EQ(readBytes(temp.tree().packageFile("G", "Přejmenované")), "a|b||4\r\n");
    EXPECT_FALSE(exists(temp.tree().packageFile("G", "slov")));

    // A refused name or a missing source changes nothing.
    selectPackages("G");
    EXPECT_EQ(collection.createPackage("Nový").message().text, "Balíček s tímto jménem již máte.");
    EXPECT_EQ(collection.copyPackageFromGroup("Zdroj", "Zvířata", "Nový").message().text,
              "Balíček s tímto jménem již máte.");
    EXPECT_EQ(collection.renamePackage("Nový", "Nový").message().text, "Balíček s tímto jménem už máte.");
    EXPECT_FALSE(collection.copyPackageFromGroup("Zdroj", "Chybí", "Jiný").ok());
    EXPECT_FALSE(collection.deletePackage("../../config").ok());
    EXPECT_TRUE(selectionKept("G"));

    // A selection that cannot be forgotten is reported; the changes themselves are made.
    fs::remove(temp.tree().temporaryFile("G", "packs"));
    fs::create_directories(temp.tree().temporaryFile("G", "packs") / "x");
    for (const Status& status : {collection.createPackage("Další"), collection.renamePackage("Další", "Jiný"),
                                 collection.deletePackage("Jiný")}) {
        EXPECT_NE(status.message().text.find("packs"), std::string::npos) << status.message().text;
    }
    EXPECT_EQ(collection.listPackages(), (Names{"Moje zvířata", "Nový", "Přejmenované"}));
}

TEST_F(CollectionTest, AGroupTakesAtMost481Packages)
{
    temp.makeGroup("G");
    for (int i = 0; i < 480; ++i) {
        temp.writePackage("G", "p" + std::to_string(i), "");
    }
    collection.listGroups();
    ASSERT_TRUE(collection.createPackage("p480").ok());
    EXPECT_EQ(collection.createPackage("p481").message().text,
              "Další balíček nelze přidat. Máte jich už prostě moc. Budete muset některý z existujících smazat, "
              "pokud chcete vytvořit nový");
    EXPECT_FALSE(collection.copyPackageFromGroup("G", "p0", "kopie").ok());
    EXPECT_EQ(collection.listPackages().size(), 481u);
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
    fs::permissions(temp.root() / "outside", fs::perms::owner_read);
    const fs::path group = temp.tree().groupDirectory("G");
    ASSERT_EQ(::mkfifo((group / "fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", group / "zero");
    fs::create_symlink(temp.root() / "gone", group / "dangling");
    fs::create_symlink(temp.root() / "outside", group / "linked");
    fs::create_hard_link(temp.root() / "outside", group / "hard");  // its permissions are shared
    for (const char* name : {"bad|name", "line\nend", "ctrl\x01", "c1\xC2\x85"}) {
        writeBytes(group / name, "x|y||4\r\n");
    }
    EXPECT_EQ(collection.listGroups(), 1);
    EXPECT_EQ(collection.listPackages(), (Names{"hard", "linked", "P"}));
    EXPECT_EQ(fs::status(temp.root() / "outside").permissions(), fs::perms::owner_read);  // not made writable
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
    fs::create_hard_link(outside / "precious", temp.tree().packageFile("G", "hard"));
    fs::create_directory_symlink(outside, temp.tree().temporaryDirectory("G"));
    collection.listGroups();
    EXPECT_EQ(collection.groupTable(), Names{"G"});  // a linked group would be written outside
    ASSERT_TRUE(writePackageSelection(temp.tree(), "G", {0}).ok());  // into a Temporary of the group's own
    EXPECT_FALSE(exists(outside / "packs"));

    EXPECT_FALSE(collection.deleteGroup("..").ok());  // the program directory
    EXPECT_FALSE(collection.deleteGroup(".").ok());   // the data root
    EXPECT_EQ(readBytes(temp.tree().dataRoot() / "soubor"), "not a group");
    ASSERT_TRUE(collection.deleteGroup("Linked").ok());
    ASSERT_TRUE(collection.deleteGroup("G").ok());
    EXPECT_EQ(collection.groupTable(), Names{});
    EXPECT_EQ(readBytes(outside / "precious"), "keep");
    EXPECT_EQ(fs::status(outside / "precious").permissions(), fs::perms::owner_read);
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

TEST_F(CollectionTest, PackageOperationsNeedAGroup)
{
    collection.listGroups();
    EXPECT_FALSE(collection.createPackage("a").ok());
    EXPECT_FALSE(collection.renameCurrentGroup("b").ok());
    EXPECT_FALSE(exists(temp.tree().dataRoot() / kNoGroupMarker));
}

}  // namespace
}  // namespace lexivo

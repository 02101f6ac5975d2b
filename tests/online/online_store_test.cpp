#include "online/online_store.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

TEST(Login, RulesInOrderWithTheFieldToFocus)
{
    struct Case {
        std::string name;
        std::string password;
        std::string expected;  // empty: accepted
        LoginField focus = LoginField::Name;
    };
    const std::string longest(95, 'n');
    const std::string tooLong(96, 'n');
    const std::string kTooLong = "Jeden z řetězců je příliš dlouhý.";
    const std::string kEmpty = "Musíte zadat své uživatelské jméno a heslo.";
    const std::string kMarkers = "Ani jeden z řetězců nesmí obsahovat znaky # a |.";
    const std::vector<Case> cases = {
        {longest, longest, ""},
        {"Šárka", "heslo&=?", ""},
        {tooLong, "", kTooLong, LoginField::Name},
        {"jana", tooLong, kTooLong, LoginField::Password},
        {std::string(95, 'z') + "ž", "x", kTooLong, LoginField::Name},
        {"", "heslo", kEmpty, LoginField::Name},
        {"jana", "", kEmpty, LoginField::Password},
        {"ja|na", "heslo", kMarkers, LoginField::Name},
        {"jana", "he#slo", kMarkers, LoginField::Password},
        {"ja\tna", "heslo", "Ani jeden z řetězců nesmí obsahovat řídicí znaky.", LoginField::Name},
        {"jana", "日本", "Znak „日“ nelze uložit, protože jej čeština v souborech programu nepodporuje. Použijte jiný znak.",
         LoginField::Password},
    };
    for (const Case& c : cases) {
        const auto refusal = checkLogin(c.name, c.password);
        EXPECT_EQ(refusal ? refusal->message.text : "", c.expected) << c.name << " / " << c.password;
        if (refusal) {
            EXPECT_EQ(refusal->focus, c.focus) << c.name << " / " << c.password;
        }
    }
}

TEST(Login, StoreNeedsAGroupWithAPackage)
{
    TempTree temp;
    Collection collection(temp.tree());
    collection.listGroups();
    EXPECT_EQ(checkStoreGroup(collection)->text, "Nejprve prosím vytvořte skupinu balíčků.");
    temp.makeGroup("G");
    collection.listGroups();
    EXPECT_EQ(checkStoreGroup(collection)->text, "Nejprve prosím vytvořte alespoň jeden balíček.");
    temp.writePackage("G", "P", "");
    EXPECT_FALSE(checkStoreGroup(collection).has_value());
}

TEST(StoreFile, RecordsEndedByTildeBecomeLines)
{
    EXPECT_EQ(storeReplyLines("x"), "");
    EXPECT_EQ(storeReplyLines("xdog|pes||4~cat|ko\x9A" "ka||~"), "dog|pes||4\r\ncat|ko\x9A" "ka||\r\n");

    TempTree temp;
    fs::create_directories(temp.tree().groupDirectory("G"));
    ASSERT_TRUE(saveStoreDownload(temp.tree(), "G", "xdog|pes||4~").ok());
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "zastemp")), "dog|pes||4\r\n");

    fs::create_directories(temp.tree().temporaryFile("G", "zastemp.part") / "blocked");
    const Status failed = saveStoreDownload(temp.tree(), "G", "xcat|kočka||~");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message().text, "Došlo k chybě při ukládání Zásobníku.");
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "zastemp")), "dog|pes||4\r\n");
}

TEST(UsersFile, TheNameMovesToTheEndInItsNewestSpelling)
{
    TempTree temp;
    const fs::path users = temp.root() / "users";
    ASSERT_TRUE(rememberUserName(temp.tree(), "Čeněk").ok());
    EXPECT_EQ(readBytes(users), "\xC8" "en\xEC" "k\r\n");

    writeBytes(users, "Petr\nJANA\r\n\r\n\xC8\x45N\xCCK\nKarel");
    ASSERT_TRUE(rememberUserName(temp.tree(), "jana").ok());
    ASSERT_TRUE(rememberUserName(temp.tree(), "čeněk").ok());
    EXPECT_EQ(readUserNames(temp.tree()), (std::vector<std::string>{"Petr", "Karel", "jana", "čeněk"}));
    EXPECT_FALSE(fs::exists(temp.root() / "userstemp"));

    // A name the file cannot hold is refused and the list stays as it was.
    EXPECT_FALSE(rememberUserName(temp.tree(), "日本").ok());
    EXPECT_EQ(readUserNames(temp.tree()).size(), 4u);
    // A list that is there but cannot be read is not replaced by the one new name.
    fs::remove(users);
    ASSERT_EQ(::mkfifo(users.c_str(), 0644), 0);
    EXPECT_FALSE(rememberUserName(temp.tree(), "jana").ok());
    EXPECT_TRUE(fs::is_fifo(users));

    EXPECT_TRUE(equalsIgnoringCase("ŽLUŤOUČKÝ KŮŇ ĽŚŹŁ", "žluťoučký kůň ľśźł"));
    EXPECT_FALSE(equalsIgnoringCase("Ž", "Z"));
    EXPECT_FALSE(equalsIgnoringCase("jana", "jan"));
}

}  // namespace
}  // namespace lexivo

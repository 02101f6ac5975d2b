#include "store/name_rules.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/data_tree.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::TempTree;
using testing::writeBytes;

const std::string kForbiddenPackage = "Jméno balíčku nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |";
const std::string kForbiddenGroup = "Jméno skupiny nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |";

struct NameCase {
    std::string name;
    std::string expected;  // empty: accepted
    MessageIcon icon = MessageIcon::Error;
};

std::string describe(const std::optional<Message>& message)
{
    return message ? message->text : std::string();
}

// A group directory holding the package "Slovíčka" and the working directory.
class PackageNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp.makeGroup("G");
        writeBytes(temp.tree().packageFile("G", "Slovíčka"), "");
    }
    std::optional<Message> check(const std::string& name, PackageNameUse use) const
    {
        return checkPackageName(name, use, temp.tree().groupDirectory("G"));
    }
    TempTree temp;
};

TEST_F(PackageNames, CreatingFollowsTheRulesInOrder)
{
    const std::vector<NameCase> cases = {
        {"Zvířata", ""},
        {std::string(250, 'a'), ""},
        {std::string(251, 'a'), "Jméno je moc dlouhé."},
        {"1" + std::string(250, 'a'), "Jméno je moc dlouhé."},  // length before the digit rule
        {"", "Musíte napsat jméno nového balíčku."},
        {"temporary", "Toto jméno není přípustné."},
        {"SLOV", "Toto jméno není přípustné."},
        {"sLoV", "Toto jméno není přípustné."},
        {"Slov2", ""},
        {"7 divů", "První znak jména nesmí být číslo."},
        {"7/8", "První znak jména nesmí být číslo."},  // digit before forbidden characters
        {"a/b", kForbiddenPackage},
        {"a\\b", kForbiddenPackage},
        {"co?", kForbiddenPackage},
        {"\"uvozovky\"", kForbiddenPackage},
        {"a|b", kForbiddenPackage},
        {"Slovíčka", "Balíček s tímto jménem již máte."},
        {"Temporary2", ""},
        {".", "Balíček s tímto jménem již máte."},
        {"..", "Balíček s tímto jménem již máte."},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(describe(check(c.name, PackageNameUse::Create)), c.expected) << c.name;
    }
}

TEST_F(PackageNames, RenamingHasItsOwnWording)
{
    const std::vector<NameCase> cases = {
        {std::string(251, 'a'), "Nové jméno je moc dlouhé."},
        {"", "Musíte napsat nové jméno balíčku."},
        {"Temporary", "Toto jméno není přípustné."},
        {"0", "První znak jména balíčku nesmí být číslo."},
        {"a:b", kForbiddenPackage},
        {"Slovíčka", "Balíček s tímto jménem už máte."},  // its own name counts as taken
        {"Nový", ""},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(describe(check(c.name, PackageNameUse::Rename)), c.expected) << c.name;
    }
}

TEST_F(PackageNames, LimitsCountCharactersAndTheFileSystemsBytes)
{
    EXPECT_EQ(describe(check(std::string(248, 'a') + "čč", PackageNameUse::Create)), "");
    EXPECT_EQ(describe(check(std::string(249, 'a') + "čč", PackageNameUse::Create)), "Jméno je moc dlouhé.");
    // 250 Czech letters are 500 bytes of UTF-8: more than a file name can hold.
    std::string czech;
    for (int i = 0; i < 250; ++i) {
        czech += "č";
    }
    EXPECT_EQ(describe(check(czech, PackageNameUse::Create)), "Jméno je moc dlouhé.");
}

TEST_F(PackageNames, RefusesCharactersThatCannotBeStored)
{
    const auto emoji = check("Ovoce 🍎", PackageNameUse::Create);
    ASSERT_TRUE(emoji.has_value());
    EXPECT_NE(emoji->text.find("🍎"), std::string::npos);
    EXPECT_TRUE(check("tab\there", PackageNameUse::Create).has_value());
}

TEST(PackageCapacity, AddsOnlyWhileTheGroupHoldsAtMost480)
{
    EXPECT_FALSE(checkPackageCapacity(480).has_value());
    ASSERT_TRUE(checkPackageCapacity(481).has_value());
    EXPECT_EQ(checkPackageCapacity(481)->text,
              "Další balíček nelze přidat. Máte jich už prostě moc. Budete muset některý z existujících smazat, "
              "pokud chcete vytvořit nový");
}

std::vector<std::string> groups(std::size_t count)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back("Skupina " + std::to_string(i));
    }
    return names;
}

TEST(GroupNames, CreatingFollowsTheRulesInOrder)
{
    TempTree temp;
    const std::vector<std::string> table = {"Angličtina", "Němčina"};
    const std::vector<NameCase> cases = {
        {"Francouzština", ""},
        {std::string(kNoGroupMarker), "Toto jméno skupiny není přípustné."},
        {".", "Toto jméno skupiny není přípustné."},
        {"..", "Toto jméno skupiny není přípustné."},
        {std::string(45, 'g'), ""},
        {std::string(46, 'g'), "Jméno skupiny je příliš dlouhé. Zadejte kratší."},
        {"", "Musíte zadat jméno nové skupiny.", MessageIcon::Exclamation},
        {"a*b", kForbiddenGroup},
        {"angliČTINA", ""},  // only ASCII letters fold
        {"ANGLIčtina", "Skupina s tímto jménem již existuje."},
        {"1. ročník", ""},   // groups have no digit rule
        {"Temporary", ""},   // nor reserved names
    };
    for (const NameCase& c : cases) {
        const auto message = checkGroupName(c.name, GroupNameUse::Create, table, temp.tree().dataRoot());
        EXPECT_EQ(describe(message), c.expected) << c.name;
        if (message) {
            EXPECT_EQ(message->icon, c.icon) << c.name;
            EXPECT_EQ(message->title, "Chyba");
        }
    }
}

TEST(GroupNames, ADuplicateIsReportedBeforeTooManyGroups)
{
    TempTree temp;
    const auto full = groups(49);
    EXPECT_EQ(describe(checkGroupName("skupina 3", GroupNameUse::Create, full, temp.tree().dataRoot())),
              "Skupina s tímto jménem již existuje.");
    EXPECT_EQ(describe(checkGroupName("Nová", GroupNameUse::Create, full, temp.tree().dataRoot())),
              "Je zavedeno příliš mnoho skupin. Budete muset některé z nich smazat, pokud chcete vytvořit novou.");
    EXPECT_EQ(describe(checkGroupName("Nová", GroupNameUse::Create, groups(48), temp.tree().dataRoot())), "");
}

TEST(GroupNames, RenamingFollowsTheRulesInOrder)
{
    TempTree temp;
    temp.makeGroup("Angličtina");
    const std::vector<NameCase> cases = {
        {"", "Musíte napsat nové jméno skupiny."},
        {std::string(46, 'g'), "Nové jméno je příliš dlouhé. Zadejte kratší."},
        {std::string(kNoGroupMarker), "Toto jméno není přípustné. Zadejte jiné."},
        {"..", "Toto jméno není přípustné. Zadejte jiné."},
        {"<nová>", kForbiddenGroup},
        {"Angličtina", "Skupina s tímto názvem již existuje."},
        {"Angličtina 2", ""},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(describe(checkGroupName(c.name, GroupNameUse::Rename, {"Angličtina"}, temp.tree().dataRoot())),
                  c.expected)
            << c.name;
    }
}

}  // namespace
}  // namespace lexivo

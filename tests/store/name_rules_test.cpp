#include "store/name_rules.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

const std::string kForbiddenPackage = "Jméno balíčku nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |";
const std::string kForbiddenGroup = "Jméno skupiny nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |";
constexpr auto kCreate = PackageNameUse::Create;
constexpr auto kRename = PackageNameUse::Rename;

std::string describe(const std::optional<Message>& message) { return message ? message->text : std::string(); }

std::string repeated(std::string_view piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// Rows in the order the rules are checked: a name that breaks two rules shows the first.
TEST(PackageNames, FollowTheRulesInOrderWithTheWordingOfTheirUse)
{
    testing::TempTree temp;
    temp.writePackage("G", "Slovíčka", "");
    struct Row {
        PackageNameUse use;
        std::string name;
        std::string expected;  // empty: accepted
    };
    const std::vector<Row> rows = {
        {kCreate, "Zvířata", ""},
        {kCreate, std::string(250, 'a'), ""},
        {kCreate, std::string(251, 'a'), "Jméno je moc dlouhé."},
        {kCreate, "1" + std::string(250, 'a'), "Jméno je moc dlouhé."},
        {kCreate, std::string(248, 'a') + "čč", ""},  // characters count, not bytes
        {kCreate, std::string(249, 'a') + "čč", "Jméno je moc dlouhé."},
        {kCreate, repeated("č", 250), "Jméno je moc dlouhé."},  // 500 bytes: more than a file name holds
        {kCreate, "", "Musíte napsat jméno nového balíčku."},
        {kCreate, "temporary", "Toto jméno není přípustné."},
        {kCreate, "sLoV", "Toto jméno není přípustné."},
        {kCreate, "Slov2", ""},
        {kCreate, "Temporary2", ""},
        {kCreate, "7 divů", "První znak jména nesmí být číslo."},
        {kCreate, "7/8", "První znak jména nesmí být číslo."},
        {kCreate, "a/b", kForbiddenPackage},
        {kCreate, "a\\b", kForbiddenPackage},
        {kCreate, "co?", kForbiddenPackage},
        {kCreate, "\"uvozovky\"", kForbiddenPackage},
        {kCreate, "a|b", kForbiddenPackage},
        {kCreate, "tab\there", "Jméno nesmí obsahovat řídicí znaky."},
        {kCreate, "Ovoce 🍎",
         "Znak „🍎“ nelze uložit, protože jej čeština v souborech programu nepodporuje. Použijte jiný znak."},
        {kCreate, "Slovíčka", "Balíček s tímto jménem již máte."},
        {kCreate, ".", "Balíček s tímto jménem již máte."},
        {kCreate, "..", "Balíček s tímto jménem již máte."},
        {kRename, std::string(251, 'a'), "Nové jméno je moc dlouhé."},
        {kRename, "", "Musíte napsat nové jméno balíčku."},
        {kRename, "Temporary", "Toto jméno není přípustné."},
        {kRename, "0", "První znak jména balíčku nesmí být číslo."},
        {kRename, "a:b", kForbiddenPackage},
        {kRename, "Slovíčka", "Balíček s tímto jménem už máte."},  // its own name counts as taken
        {kRename, "Nový", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(describe(checkPackageName(row.name, row.use, temp.tree().groupDirectory("G"))), row.expected)
            << row.name;
    }
}

TEST(GroupNames, FollowTheRulesInOrderWithTheWordingOfTheirUse)
{
    testing::TempTree temp;
    temp.makeGroup("Angličtina");
    constexpr auto create = GroupNameUse::Create;
    constexpr auto rename = GroupNameUse::Rename;
    struct Row {
        GroupNameUse use;
        std::string name;
        std::string expected;  // empty: accepted
        MessageIcon icon = MessageIcon::Error;
    };
    const std::vector<Row> rows = {
        {create, "Francouzština", ""},
        {create, std::string(kNoGroupMarker), "Toto jméno skupiny není přípustné."},
        {create, ".", "Toto jméno skupiny není přípustné."},
        {create, "..", "Toto jméno skupiny není přípustné."},
        {create, std::string(45, 'g'), ""},
        {create, std::string(46, 'g'), "Jméno skupiny je příliš dlouhé. Zadejte kratší."},
        {create, "", "Musíte zadat jméno nové skupiny.", MessageIcon::Exclamation},
        {create, "a*b", kForbiddenGroup},
        {create, "angliČTINA", ""},  // only ASCII letters fold
        {create, "ANGLIčtina", "Skupina s tímto jménem již existuje."},
        {create, "1. ročník", ""},  // groups have no digit rule
        {create, "Temporary", ""},  // nor reserved names
        {rename, "", "Musíte napsat nové jméno skupiny."},
        {rename, std::string(46, 'g'), "Nové jméno je příliš dlouhé. Zadejte kratší."},
        {rename, std::string(kNoGroupMarker), "Toto jméno není přípustné. Zadejte jiné."},
        {rename, "..", "Toto jméno není přípustné. Zadejte jiné."},
        {rename, "<nová>", kForbiddenGroup},
        {rename, "Angličtina", "Skupina s tímto názvem již existuje."},
        {rename, "Angličtina 2", ""},
    };
    for (const Row& row : rows) {
        const auto message = checkGroupName(row.name, row.use, {"Angličtina"}, temp.tree().dataRoot());
        EXPECT_EQ(describe(message), row.expected) << row.name;
        if (message) {
            EXPECT_EQ(message->icon, row.icon) << row.name;
            EXPECT_EQ(message->title, "Chyba");
        }
    }
}

TEST(GroupNames, ADuplicateIsReportedBeforeTooManyGroups)
{
    testing::TempTree temp;
    std::vector<std::string> table;
    for (int i = 0; i < 48; ++i) {
        table.push_back("Skupina " + std::to_string(i));
    }
    const auto check = [&](const char* name) {
        return describe(checkGroupName(name, GroupNameUse::Create, table, temp.tree().dataRoot()));
    };
    EXPECT_EQ(check("Nová"), "");
    table.push_back("Skupina 48");
    EXPECT_EQ(check("skupina 3"), "Skupina s tímto jménem již existuje.");
    EXPECT_EQ(check("Nová"),
              "Je zavedeno příliš mnoho skupin. Budete muset některé z nich smazat, pokud chcete vytvořit novou.");
}

}  // namespace
}  // namespace lexivo

#include "online/filing.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;
using testing::writeBytes;
using Kind = FilingOutcome::Kind;

const std::string kDrinks = "FOOD#N\xC1POJE#ALKOHOLICK\xC9 N\xC1POJE";

std::vector<std::string> entries(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A program directory with the group "Moje" and a download in `downbal`.
class Filing : public ::testing::Test {
protected:
    void SetUp() override { temp.makeGroup("Moje"); }
    FilingSession download(const std::string& downbal)
    {
        writeBytes(temp.root() / "downbal", downbal);
        return FilingSession::fromDownload(collection);
    }
    FilingOutcome fileAutomatically(const std::string& downbal)
    {
        FilingSession filing = download(downbal);
        return filing.proceed(FilingMode::Automatic, filing.suggestedName(), GroupStep::Run);
    }

    TempTree temp;
    Collection collection{temp.tree()};
};

TEST(FilingNames, ComeFromTheHeader)
{
    EXPECT_EQ(displayedHeader("A#B#C"), "A - B - C");
    const auto packages = splitDownload("A#B#C\r\nw|s||\r\nx|t||\nD#E#F\r\n");
    ASSERT_EQ(packages.size(), 2u);
    EXPECT_EQ(packages[0].lines, "w|s||\r\nx|t||\r\n");
    EXPECT_EQ(packages[1].header, "D#E#F");
}

TEST_F(Filing, AutomaticFilingCreatesTheAreaGroupsAndFinishes)
{
    temp.makeGroup("Animals");
    const FilingOutcome outcome =
        fileAutomatically(kDrinks + "\r\nbeer|pivo||\r\nwine|v\xEDno||\r\nanimals#PETS#DOGS\r\ndog|pes||4\r\n");
    EXPECT_EQ(outcome.kind, Kind::Finished);
    EXPECT_EQ(outcome.message, (Message{"Všechny balíčky byly zkopírovány.", MessageIcon::Information, "OK"}));
    EXPECT_EQ(temp.readPackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE"), "beer|pivo||\r\nwine|v\xEDno||\r\n");
    EXPECT_TRUE(fs::is_directory(temp.tree().temporaryDirectory("FOOD")));
    // An existing group in other capitals takes the package.
    EXPECT_EQ(temp.readPackage("Animals", "PETS - DOGS"), "dog|pes||4\r\n");
    EXPECT_EQ(collection.currentGroup(), "Animals");
    EXPECT_EQ(outcome.lastFiledPackage, "PETS - DOGS");
    EXPECT_EQ(entries(temp.tree().dataRoot()), (std::vector<std::string>{"Animals", "FOOD", "Moje"}));
}

TEST_F(Filing, NameClashStopsTheLoopAndTheRetryGoesOn)
{
    temp.makeGroup("FOOD");
    temp.writePackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE", "old|staré||\r\n");
    writeBytes(temp.tree().temporaryFile("FOOD", "packs"), "0");
    FilingSession filing = download(kDrinks + "\r\nbeer|pivo||\r\nFOOD#OVOCE#JABLKA\r\napple|jablko||\r\n");

    FilingOutcome outcome = filing.proceed(FilingMode::Automatic, filing.suggestedName(), GroupStep::Run);
    EXPECT_EQ(outcome.kind, Kind::Stopped);
    EXPECT_EQ(outcome.message, errorMessage("Balíček již existuje. Zadejte jiné jméno."));
    EXPECT_TRUE(outcome.focusPackageName);
    EXPECT_EQ(outcome.packageNameField, "NÁPOJE - ALKOHOLICKÉ NÁPOJE");
    EXPECT_EQ(temp.readPackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE"), "old|staré||\r\n");

    // The user picks another group meanwhile; the retry files there and goes on automatically.
    ASSERT_TRUE(collection.chooseGroup("Moje").ok());
    outcome = filing.proceed(FilingMode::Automatic, "Nápoje 2", GroupStep::SkipForFirstPackage);
    EXPECT_EQ(outcome.kind, Kind::Finished);
    EXPECT_EQ(temp.readPackage("Moje", "Nápoje 2"), "beer|pivo||\r\n");
    EXPECT_EQ(temp.readPackage("FOOD", "OVOCE - JABLKA"), "apple|jablko||\r\n");
    EXPECT_FALSE(fs::exists(temp.tree().temporaryFile("FOOD", "packs")));  // positions changed
}

TEST_F(Filing, ManualFilingTakesOnePackageAtATimeIntoTheCurrentGroup)
{
    FilingSession filing = download(kDrinks + "\r\nbeer|pivo||\r\nX#Y#Z\r\n");
    FilingOutcome outcome = filing.proceed(FilingMode::Manual, "Pití", GroupStep::Run);
    EXPECT_EQ(outcome.kind, Kind::Waiting);
    EXPECT_EQ(outcome.packageNameField, "Y - Z");
    EXPECT_EQ(filing.proceed(FilingMode::Manual, "Zet", GroupStep::Run).kind, Kind::Finished);
    EXPECT_EQ(entries(temp.tree().groupDirectory("Moje")), (std::vector<std::string>{"Pití", "Temporary", "Zet"}));
    EXPECT_EQ(temp.readPackage("Moje", "Pití"), "beer|pivo||\r\n");
}

TEST_F(Filing, HostileNamesFromTheServerNeverReachTheDisk)
{
    const std::string kForbidden = " nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |";
    const std::string kExists = "Balíček již existuje. Zadejte jiné jméno.";
    // Each rule is tested with the name rules; these rows show that filing applies them.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"..#x#y", "Toto jméno skupiny není přípustné."},
        {".#x#y", "Toto jméno skupiny není přípustné."},
        {"--- \x9E\xE1\x64n\xE1 skupina nen\xED zavedena ---#x#y", "Toto jméno skupiny není přípustné."},
        {"a/..#x#y", "Jméno balíčku" + kForbidden},  // this dialog words the group's name so
        {std::string(45, 'a') + "/#x#y", "Jméno skupiny je příliš dlouhé. Zadejte kratší."},
        {"a\tb#x#y", "Jméno nesmí obsahovat řídicí znaky."},
        {"#x#y", "Musíte zadat jméno nové skupiny."},
        {"Moje#..", kExists},
        {"Moje#.", kExists},
        {"Moje#/etc#passwd", "Jméno balíčku" + kForbidden},
        {"Moje#TEMPORARY", "Toto jméno není přípustné."},
        {"Moje#Slov", "Toto jméno není přípustné."},
        {"Moje#1984", "První znak jména nesmí být číslo."},
        {"Moje#a\rb", "Jméno nesmí obsahovat řídicí znaky."},
    };
    for (const auto& [header, expected] : cases) {
        const FilingOutcome outcome = fileAutomatically(header + "\r\nw|s||\r\n");
        EXPECT_EQ(outcome.kind, Kind::Stopped) << header;
        EXPECT_EQ(outcome.message ? outcome.message->text : "", expected) << header;
    }
    EXPECT_EQ(entries(temp.root()), (std::vector<std::string>{"Data", "downbal"}));
    EXPECT_EQ(entries(temp.tree().dataRoot()), std::vector<std::string>{"Moje"});
    EXPECT_EQ(entries(temp.tree().groupDirectory("Moje")), std::vector<std::string>{"Temporary"});
}

TEST_F(Filing, NoGroupFullGroupAndOverlongPackage)
{
    fs::remove_all(temp.tree().dataRoot());
    FilingOutcome outcome = download(kDrinks + "\r\nw|s||\r\n").proceed(FilingMode::Manual, "Pití", GroupStep::Run);
    EXPECT_EQ(outcome.message->text, "Musíte vytvořit skupinu do které balíček uložíte.");
    EXPECT_FALSE(outcome.focusPackageName);

    temp.makeGroup("Moje");
    const std::string words = testing::numberedWords(1001);
    outcome = download(kDrinks + "\r\n" + words).proceed(FilingMode::Manual, "Velký", GroupStep::Run);
    EXPECT_EQ(outcome.shortenedPackages, std::vector<std::string>{"Velký"});
    EXPECT_EQ(temp.readPackage("Moje", "Velký"), words.substr(0, words.find("w2000|")));

    for (int i = 0; i < 480; ++i) {
        temp.writePackage("Moje", "P" + std::to_string(i), "");
    }
    outcome = download(kDrinks + "\r\nw|s||\r\n").proceed(FilingMode::Manual, "Pití", GroupStep::Run);
    EXPECT_EQ(outcome.kind, Kind::Closed);
    EXPECT_EQ(outcome.message->text.rfind("Další balíček nelze přidat.", 0), 0u);
}

}  // namespace
}  // namespace lexivo

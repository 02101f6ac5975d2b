// The core of quick help, tips, the voice file, the manual's place and the speech controls.

#include <gtest/gtest.h>

#include <filesystem>

#include "store/file_io.h"
#include "support/temp_tree.h"
#include "ui/colour_scheme.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/manual_location.h"
#include "ui/quick_help_texts.h"
#include "ui/settings_options.h"
#include "ui/tips.h"
#include "ui/voice_settings.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using K = WindowKind;

// A row for each window, and one for each state a text depends on.
TEST(QuickHelpTexts, DependOnTheWindowTheControlAndTheState)
{
    namespace transfer = word_transfer_window_control;
    namespace adding = add_package_dialog_control;
    const QuickHelpState plain;
    const QuickHelpState english{.answerLanguage = AnswerLanguage::English};
    const QuickHelpState remainder{.transferUse = TransferUse::TestRemainder, .lastFocusedList = TransferList::Left};
    const QuickHelpState store{.transferUse = TransferUse::OnlineStore};
    const QuickHelpState preview{.transferUse = TransferUse::OnlinePreview};
    const QuickHelpState storing{.addPackagePurpose = AddPackagePurpose::StoreWords};
    const QuickHelpState group{.renameTarget = RenameTarget::Group};
    struct Row {
        K window;
        int control;
        QuickHelpState state;
        std::string_view text;
    };
    const Row rows[] = {
        {K::Main, main_window_control::ManagePackages, plain, "Zobrazí seznam balíčků obsažených v aktivní skupině"},
        {K::PackageEditor, package_editor_control::OtherPackage, plain, "Umožní úpravu jiného balíčku"},
        {K::Main, main_window_control::Quit, plain, "Ukončí program"},
        {K::Settings, settings_dialog_control::Ok, plain, "Zavře toto dialogové okno"},
        {K::Main, main_window_control::Print, plain, kNoQuickHelpText},
        {K::TestConfiguration, test_configuration_panel_control::SelectAll, plain, kNoQuickHelpText},
        {K::TestRun, test_run_window_control::Answer, plain, "Sem vepište český výraz pro anglické slovíčko vlevo"},
        {K::TestRun, test_run_window_control::Answer, english, "Sem vepište anglický výraz pro české slovíčko vlevo"},
        {K::WordTransfer, transfer::LeftWords, plain, "Slovíčka obsažená ve vybraném balíčku"},
        {K::WordTransfer, transfer::LeftWords, remainder, "Slovíčka, která ještě nebyla správně zodpovězena"},
        {K::WordTransfer, transfer::LeftWords, preview, "Slovíčka v online balíčku"},
        {K::WordTransfer, transfer::LeftWords, store, "Slovíčka ve Vašem online Zásobníku"},
        {K::WordTransfer, transfer::MoveLeft, store, "Odstraní vybraná slovíčka z balíčku (zprava)"},
        {K::WordTransfer, transfer::MoveLeft, plain, "Přesune výběr zprava doleva"},
        {K::WordTransfer, transfer::CopyRight, preview, "Zkopíruje vybraná slovíčka do balíčku (tedy zleva doprava)"},
        {K::WordTransfer, transfer::CopyRight, plain, "Zkopíruje výběr zleva doprava"},
        {K::WordTransfer, transfer::Delete, remainder, "Smaže vybraná slovíčka z levého sloupce (balíčku)"},
        {K::WordTransfer, transfer::Delete, plain, "Smaže vybraná slovíčka z pravého sloupce (balíčku)"},
        {K::AddPackage, adding::TakeOver, storing, "Určuje, zda mají být slovíčka přidána do již existujícího balíčku"},
        {K::AddPackage, adding::TakeOver, plain, "Určuje, zda má balíček být zkopírován z jiné skupiny"},
        {K::AddPackage, adding::Ok, storing, "Potvrdí výběr"},
        {K::AddPackage, adding::Ok, plain, "Přidá zvolený balíček do používané skupiny"},
        {K::Rename, rename_dialog_control::NewName, plain, "Sem napište nové jméno balíčku"},
        {K::Rename, rename_dialog_control::Ok, group, "Provede přejmenování skupiny"},
        {K::OnlineChoice, online_choice_dialog_control::Password, plain, kNoQuickHelpText},
        {K::Tips, 9999, plain, kNoQuickHelpText},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(quickHelpText(row.window, row.control, row.state), row.text) << int(row.window) << " " << row.control;
    }
    EXPECT_TRUE(quickHelpCovers(K::TestConfiguration, test_configuration_panel_control::SelectAll));
    EXPECT_FALSE(quickHelpCovers(K::Tips, 9999));
}

TEST(Tips, TheTopRandomValueAloneGivesTheLastText)
{
    EXPECT_EQ(tipIndex(0), 0);
    EXPECT_EQ(tipIndex(32766), 14);
    EXPECT_EQ(tipIndex(32767), 15);
    EXPECT_EQ(tipText(tipIndex(32767)), "Tip č.15");
    for (int index = 0; index < kTipCount - 1; ++index) {
        // A question, and after a blank line its explanation; the sixth is a question alone.
        const std::string_view tip = tipText(index);
        const std::size_t blank = tip.find("\n\n");
        EXPECT_EQ(blank == std::string_view::npos, index == 6) << index;
        EXPECT_EQ(tip.substr(0, blank).back(), '?') << index;
    }
}

TEST(VoiceSettings, ReadBackWhatWasWrittenAndSurviveDamage)
{
    const VoiceSettings chosen{"flite", "kal", -3};
    EXPECT_EQ(decodeVoiceSettings(encodeVoiceSettings(chosen)), chosen);
    EXPECT_EQ(decodeVoiceSettings(encodeVoiceSettings({"bad\nname", "kal", 40})), (VoiceSettings{"", "kal", 10}));
    struct Case {
        std::string_view text;
        VoiceSettings read;
    };
    const Case cases[] = {
        {"engine=speechd\r\nvoice=male1\r\nrate=2\r\n", {"speechd", "male1", 2}},
        {"rate=-99\nvoice=a\x01" "b\n", {"", "", VoiceSettings::kSlowest}},
        {"rate=fast\nrate=3x\nnonsense\n=\nengine=flite", {"flite", "", 0}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeVoiceSettings(c.text), c.read) << c.text;
    }
    testing::TempTree temp;
    EXPECT_EQ(loadVoiceSettings(temp.tree()), VoiceSettings{});
    ASSERT_TRUE(saveVoiceSettings(temp.tree(), chosen).ok());
    EXPECT_EQ(loadVoiceSettings(temp.tree()), chosen);
}

TEST(ManualLocation, BesideTheProgramFirstThenTheInstalledCopy)
{
    testing::TempTree temp;
    const fs::path bin = temp.root() / "usr" / "bin";
    const fs::path data = temp.root() / "data";
    const fs::path installed = temp.root() / "usr" / "share" / "lexivo" / "Help" / "index.html";
    EXPECT_EQ(findManual(bin, data), std::nullopt);
    fs::create_directories(data / "Help" / "index.html");  // a directory is no page
    EXPECT_EQ(findManual(bin, data), std::nullopt);
    fs::create_directories(installed.parent_path());
    testing::writeBytes(installed, "<html>");
    EXPECT_EQ(findManual(bin, data), installed);
    fs::create_directories(bin / "Help");
    testing::writeBytes(bin / "Help" / "index.html", "<html>");
    EXPECT_EQ(findManual(bin, data), bin / "Help" / "index.html");
}

// The build puts the manual beside the program, so the build's own program finds it there, with
// every page it links to, even when its data lives elsewhere.
TEST(ManualLocation, TheBuildCopiesTheManualBesideTheProgram)
{
    testing::TempTree temp;
    const fs::path program = LEXIVO_PROGRAM_DIRECTORY;
    const auto manual = findManual(program, temp.root());
    ASSERT_TRUE(manual.has_value());
    EXPECT_EQ(*manual, program / "Help" / "index.html");
    const std::string page = testing::readBytes(*manual);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* linked : {"skupiny.html", "test.html", "online.html", "styl.css"}) {
        EXPECT_NE(page.find(linked), std::string::npos) << linked;
        EXPECT_TRUE(fs::is_regular_file(program / "Help" / linked)) << linked;
    }
}

TEST(Settings, SpeechModesShowTheirControlsAndTheSchemeFileKeepsItsOldDigitOnFailure)
{
    EXPECT_TRUE(speechControlsFor(SpeechMode::Engine).voiceSettingsShown);
    EXPECT_TRUE(speechControlsFor(SpeechMode::Clipboard).autoSpeakShown);
    EXPECT_FALSE(speechControlsFor(SpeechMode::Clipboard).voiceSettingsShown);
    EXPECT_FALSE(speechControlsFor(SpeechMode::Never).autoSpeakShown);
    EXPECT_FALSE(speechControlsFor(static_cast<SpeechMode>(7)).autoSpeakShown);

    testing::TempTree temp;
    testing::FileCallsReset reset;
    ASSERT_TRUE(saveColourScheme(temp.tree(), kSchemeGrey).ok());
    failFileCall(FileCall::Write, 1, ENOSPC);
    EXPECT_FALSE(saveColourScheme(temp.tree(), kSchemeBlue).ok());
    EXPECT_EQ(testing::readBytes(temp.root() / "color"), "2");
}

}  // namespace
}  // namespace lexivo

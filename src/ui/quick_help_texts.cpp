#include "ui/quick_help_texts.h"

#include <algorithm>
#include <vector>

#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/feedback_dialog.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/control_ids/import_preview_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/resume_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/shared.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_information_dialog.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/tips_dialog.h"
#include "ui/control_ids/voice_dialog.h"
#include "ui/control_ids/word_transfer_window.h"

namespace lexivo {
namespace {

constexpr std::string_view kCloseText = "Zavře toto dialogové okno";

// When a row applies. The first row of a control whose condition holds gives the text.
enum class When {
    Always,
    AnswerInCzech,
    AnswerInEnglish,
    TransferBetweenPackages,       // the ordinary mode
    TransferSpecial,               // test remainder, online store or online preview
    TransferOfTestRemainder,       // special, but not online
    TransferOfOnlinePreview,
    TransferOfOnlineStore,         // online, but not a preview
    LeftListFocusedLast,
    StoringWords,
    RenamingPackage,
    RenamingGroup,
};

bool holds(When when, const QuickHelpState& state)
{
    switch (when) {
    case When::Always: return true;
    case When::AnswerInCzech: return state.answerLanguage == AnswerLanguage::Czech;
    case When::AnswerInEnglish: return state.answerLanguage == AnswerLanguage::English;
    case When::TransferBetweenPackages: return state.transferUse == TransferUse::BetweenPackages;
    case When::TransferSpecial: return state.transferUse != TransferUse::BetweenPackages;
    case When::TransferOfTestRemainder: return state.transferUse == TransferUse::TestRemainder;
    case When::TransferOfOnlinePreview: return state.transferUse == TransferUse::OnlinePreview;
    case When::TransferOfOnlineStore: return state.transferUse == TransferUse::OnlineStore;
    case When::LeftListFocusedLast: return state.lastFocusedList == TransferList::Left;
    case When::StoringWords: return state.addPackagePurpose == AddPackagePurpose::StoreWords;
    case When::RenamingPackage: return state.renameTarget == RenameTarget::Package;
    case When::RenamingGroup: return state.renameTarget == RenameTarget::Group;
    }
    return false;
}

struct Row {
    WindowKind window;
    int control;
    When when;
    std::string_view text;  // kNoQuickHelpText: the control is known to have no text
};

// A window's rows, most of which apply always.
struct WindowRows {
    WindowKind window;
    std::vector<std::pair<int, std::string_view>> always;
    std::vector<std::pair<When, std::pair<int, std::string_view>>> conditional{};
};

std::vector<Row> buildTable()
{
    namespace mainWindow = main_window_control;
    namespace group = group_dialog_control;
    namespace run = test_run_window_control;
    namespace configuration = test_configuration_panel_control;
    namespace resume = resume_dialog_control;
    namespace information = test_information_dialog_control;
    namespace editor = package_editor_control;
    namespace exporting = export_dialog_control;
    namespace transfer = word_transfer_window_control;
    namespace adding = add_package_dialog_control;
    namespace renaming = rename_dialog_control;
    namespace settings = settings_dialog_control;
    namespace about = about_dialog_control;
    namespace tips = tips_dialog_control;
    namespace choice = online_choice_dialog_control;
    namespace voice = voice_dialog_control;
    namespace importing = import_preview_dialog_control;
    namespace feedback = feedback_dialog_control;
    using K = WindowKind;
    constexpr std::string_view none = kNoQuickHelpText;

    const std::vector<WindowRows> windows = {
        {K::Main,
         {{mainWindow::Test, "Spustí nový test, případně umožní navázat na poslední nedokončený"},
          {mainWindow::Online, "Připojení k internetovému serveru za účelem získání slovní zásoby nebo novinek"},
          {mainWindow::ManagePackages, "Zobrazí seznam balíčků obsažených v aktivní skupině"},
          {mainWindow::Settings, "Otevře dialogové okno NASTAVENÍ"},
          {mainWindow::Groups, "Otevře okno pro organizaci skupin balíčků"},
          {mainWindow::About, "Zobrazí informace o programu"},
          {mainWindow::PackageList, "Seznam balíčků, které obsahuje právě používaná skupina"},
          {mainWindow::AddPackage, "Vytvoří nový balíček v této skupině balíčků"},
          {mainWindow::Rename, "Přejmenuje vybraný balíček"},
          {mainWindow::EditPackage, "Otevře okno pro editaci obsahu balíčků"},
          {mainWindow::DeletePackage, "Smaže vybraný balíček"},
          {mainWindow::TransferWords, "Otevře okno pro přenos slovíček z jednoho balíčku do jiného"},
          {mainWindow::WebLink, "Přejde na WWW stránky projektu"},
          {mainWindow::Quit, "Ukončí program"},
          {mainWindow::Print, none}}},
        {K::Group,
         {{group::GroupList, "Umožňuje aktivovat některou z existujících skupin balíčků"},
          {group::DeleteGroup, "Smaže vybranou skupinu balíčků"},
          {group::RenameGroup, "Přejmenuje vybranou skupinu balíčků"},
          {group::NewGroupName, "Sem můžete napsat název nové skupiny balíčků, chcete-li novou vytvořit"},
          {group::AddGroup, "Přidá novou skupinu balíčků"}}},
        {K::TestRun,
         {{run::Confirm, "Potvrdí zadanou odpověď"},
          {run::ShowSettings, "Zobrazí informace o nastavení probíhajícího testu"},
          {run::PackageOfRemaining,
           "Umožní uložit do balíčku slovíčka, která jste ještě v tomto testu nezodpověděl(a) správně"},
          {run::Question, "Zde je slovíčko, které máte přeložit. Kliknutím zobrazíte příklad použití slovíčka ve "
                          "větě (pokud je povoleno v Nastavení)"}},
         {{When::AnswerInCzech, {run::Answer, "Sem vepište český výraz pro anglické slovíčko vlevo"}},
          {When::AnswerInEnglish, {run::Answer, "Sem vepište anglický výraz pro české slovíčko vlevo"}}}},
        {K::TestConfiguration,
         {{configuration::UntilAllRight, "Zatržení určuje, že test bude ukončen až po správném zodpovězení všech "
                                         "slovíček ze všech vybraných balíčků"},
          {configuration::FixedCount, "Zatržení určuje, že test bude ukončen po zodpovězení daného počtu slovíček"},
          {configuration::QuestionCount, "Udává počet slovíček v testu"},
          {configuration::NoRepeat, "Zapíná funkci, která zabrání opětovnému tázání na stejné slovíčko"},
          {configuration::ByCoefficient,
           "Zatržení určuje, že slovíčka budou vybírána v závislosti na tom, jak dobře je ovládáte."},
          {configuration::EnglishShown, "Zatržení určuje, že uživatel bude tázán na české významy anglických slovíček"},
          {configuration::CzechShown, "Zatržení určuje, že uživatel bude tázán na anglické významy českých slovíček"},
          {configuration::RandomDirection,
           "Zatržení určuje, že uživatel bude tázán někdy na české a někdy na anglické významy slovíček."},
          {configuration::CaseSensitive, "Určuje zda bude rozlišována velikost písmen či nikoli."},
          {configuration::LockCoefficients, "Pokud pole NENÍ zatržené, při potvrzení Vaší odpovědi program upraví "
                                            "informaci o tom, jak dobře dané slovíčko ovládáte."},
          {configuration::SelectNone, "Zruší výběr všech balíčků"},
          {configuration::AsLastTime, "Vybere ty samé balíčky, které byly vybrány pro Váš poslední test."},
          {configuration::Start, "Spustí test"},
          {configuration::SelectAll, none}}},
        {K::UnfinishedTest,
         {{resume::Forget,
           "Vymaže informace o nedokončeném testu a přepne na obrazovku s nastavením parametrů nového testu"},
          {resume::Continue, "Náváže na nedokončený test"},
          {resume::MoreInformation, "Zobrazí informace o nastavení nedokončeného testu"}}},
        {K::TestInformation, {{information::PackageList, "Seznam balíčků, ze kterých jsou vybírána slovíčka do testu"}}},
        {K::Evaluation, {{evaluation_dialog_control::Ok, kCloseText}}},
        {K::RightFeedback, {{feedback::Speaker, none}}},
        {K::WrongFeedback, {{feedback::Speaker, none}, {feedback::Typo, none}}},
        {K::PackageEditor,
         {{editor::OtherPackage, "Umožní úpravu jiného balíčku"},
          {editor::WordList, "Slovíčka v upravovaném balíčku"},
          {editor::SortOrder, "Umožní změnit řazení slovíček"},
          {editor::NewEnglish, "Anglický výraz pro slovíčko, které chcete přidat do balíčku"},
          {editor::NewCzech, "Český výraz pro slovíčko, které chcete přidat do balíčku"},
          {editor::NewExample, "Příklad použití ve větě pro slovíčko, které přidáváte (není nutné vyplňovat)"},
          {editor::Add, "Přidá slovíčko do upravovaného balíčku"},
          {editor::ChangedEnglish, "Chcete-li změnit vybrané slovíčko, napište sem jeho nový anglický výraz"},
          {editor::ChangedCzech, "Chcete-li změnit vybrané slovíčko, napište sem jeho nový český výraz"},
          {editor::ChangedExample, "Chcete-li změnit příklad použití ve větě, napište ho sem"},
          {editor::Change, "Provede změnu vybraného slovíčka"},
          {editor::Delete, "Odstraní z balíčku vybrané slovíčko"},
          {editor::DeleteSelected, "Odstraní z balíčku všechna vybraná slovíčka"},
          {editor::Print, "Otevře okno pro export obsahu balíčku do souboru (např. pro tisk)"},
          {editor::Knowledge, "Určuje jak dobře toto slovíčko ovládáte"}}},
        {K::Export,
         {{exporting::EnglishFirst, "Nastaví pořadí výrazů na \"anglicky - česky\""},
          {exporting::CzechFirst, "Nastaví pořadí výrazů na \"česky - anglicky\""},
          {exporting::ShowExamples, "Určuje zda mají být exportovány i příklady užití jednotlivých slovíček"},
          {exporting::NumberWords, "Určuje zda mají být ve výstupu číslována slovíčka"},
          {exporting::SeparatingLine, "Určuje zda mají být ve výstupu slovíčka oddělována čarou"},
          {exporting::HideCzech, "Určuje zda má být být ve výstupu skryt v pořadí druhý význam"},
          {exporting::Format, "Umožní vybrat formát, do kterého se bude exportovat"},
          {exporting::ChangeFont, "Umožní změnit font (i barvu), kterým budou ve výstupu vypsána slovíčka"},
          {exporting::ChangeBackground, "Umožní změnit barvu pozadí ve výstupu"},
          {exporting::Continue, "Provede export podle nastavení"}}},
        {K::WordTransfer,
         {{transfer::RightWords, "Slovíčka obsažená ve vybraném balíčku"},
          {transfer::LeftPackage, "Změní balíček, jehož obsah je zobrazen v levém sloupci"},
          {transfer::RightPackage, "Změní balíček, jehož obsah je zobrazen v pravém sloupci"},
          {transfer::LeftGroup, "Změní okruh balíčků, které je možné vybrat do levého sloupce, na všechny balíčky "
                                "ze zde vybrané skupiny"},
          {transfer::RightGroup, "Změní okruh balíčků, které je možné vybrat do pravého sloupce, na všechny "
                                 "balíčky ze zde vybrané skupiny"},
          {transfer::MoveRight, "Přesune výběr zleva doprava"},
          {transfer::CopyLeft, "Zkopíruje výběr zprava doleva"},
          {transfer::LeftSort, "Nastaví setřízení levého sloupce"},
          {transfer::RightSort, "Nastaví setřízení pravého sloupce"}},
         {{When::TransferBetweenPackages, {transfer::LeftWords, "Slovíčka obsažená ve vybraném balíčku"}},
          {When::TransferOfTestRemainder, {transfer::LeftWords, "Slovíčka, která ještě nebyla správně zodpovězena"}},
          {When::TransferOfOnlinePreview, {transfer::LeftWords, "Slovíčka v online balíčku"}},
          {When::TransferOfOnlineStore, {transfer::LeftWords, "Slovíčka ve Vašem online Zásobníku"}},
          {When::TransferSpecial, {transfer::MoveLeft, "Odstraní vybraná slovíčka z balíčku (zprava)"}},
          {When::Always, {transfer::MoveLeft, "Přesune výběr zprava doleva"}},
          {When::TransferSpecial, {transfer::CopyRight, "Zkopíruje vybraná slovíčka do balíčku (tedy zleva doprava)"}},
          {When::Always, {transfer::CopyRight, "Zkopíruje výběr zleva doprava"}},
          {When::LeftListFocusedLast, {transfer::Delete, "Smaže vybraná slovíčka z levého sloupce (balíčku)"}},
          {When::Always, {transfer::Delete, "Smaže vybraná slovíčka z pravého sloupce (balíčku)"}}}},
        {K::AddPackage,
         {{adding::CreateNew, "Určuje, zda má být vytvořen úplně nový balíček"},
          {adding::NewName, "Jméno nového balíčku"},
          {adding::SourceGroup, "Zde vyberte skupinu ze které chcete nějaký ten balíček zkopírovat"},
          {adding::CopyName, "Sem napište jméno, pod kterých chcete balíček uložit"},
          {adding::ImportFromFile, "Určuje, zda mají být slovíčka načtena ze souboru jiného programu (CSV, TSV, "
                                   "KVTML)"}},
         {{When::StoringWords, {adding::TakeOver, "Určuje, zda mají být slovíčka přidána do již existujícího balíčku"}},
          {When::Always, {adding::TakeOver, "Určuje, zda má balíček být zkopírován z jiné skupiny"}},
          {When::StoringWords, {adding::SourcePackage, "Zde vyberte balíček, do kterého chcete slovíčka přidat"}},
          {When::Always, {adding::SourcePackage, "Zde vyberte balíček, který chcete zkopírovat"}},
          {When::StoringWords, {adding::Ok, "Potvrdí výběr"}},
          {When::Always, {adding::Ok, "Přidá zvolený balíček do používané skupiny"}}}},
        {K::Rename,
         {},
         {{When::RenamingPackage, {renaming::NewName, "Sem napište nové jméno balíčku"}},
          {When::RenamingGroup, {renaming::NewName, "Sem napište nové jméno skupiny"}},
          {When::RenamingPackage, {renaming::Ok, "Provede přejmenování balíčku"}},
          {When::RenamingGroup, {renaming::Ok, "Provede přejmenování skupiny"}}}},
        // Speech goes through the system's voice here, not the texts' Windows facilities.
        {K::Settings,
         {{settings::Scheme, "Umožní změnu používaného barevného schématu"},
          {settings::ShowPackageName, "Určuje zda má program zobrazovat jméno balíčku, ze kterého dané slovíčko pochází"},
          {settings::ShowLanguageIcon,
           "Určuje zda má být v testu označen jazyk zadání (užitečné při kombinovaném směru zkoušení)"},
          {settings::AllowExample, "Určuje zda má být v testu po kliknutí na zadání (popř. stisku F1 nebo CTRL) "
                                   "zobrazen příklad použítí daného slovíčka ve větě"},
          {settings::TypingColours, "Zatržením aktivujete funkci, která Vám v testu pomůže se psaním slovíček"},
          {settings::SpeechEngine, "Určuje, že vyslovování bude realizováno pomocí hlasového syntetizátoru systému"},
          {settings::SpeechClipboard, "Určuje, že vyslovování bude realizováno pomocí externího programu (ten ale "
                                      "musí být správně nastaven, viz. help)"},
          {settings::SpeechNever, "Zakáže jakékoli vyslovování"},
          {settings::AutoSpeak, "Určuje, zda má program vyslovit (podle nastavení výše) anglický význam každého "
                                "slovíčko, které v testu potvrdíte"},
          {settings::SpeechSettings, "Otevře okno, kde budete moci vybrat hlas a rychlost vyslovování"}}},
        {K::Voice,
         {{voice::Engine, "Vybere hlasový syntetizátor, který bude slovíčka vyslovovat"},
          {voice::VoiceList, "Vybere hlas, kterým budou slovíčka vyslovována"},
          {voice::Rate, "Určuje, jak rychle budou slovíčka vyslovována"},
          {voice::Try, "Vysloví zvoleným hlasem ukázkovou anglickou větu"},
          {voice::Ok, "Uloží zvolený hlas a zavře toto dialogové okno"}}},
        {K::ImportPreview,
         {{importing::PackageName, "Jméno balíčku, do kterého budou slovíčka přidána; jméno existujícího balíčku "
                                   "přidá slovíčka na jeho konec"},
          {importing::Encoding, "Kódování znaků, ve kterém je soubor uložen"},
          {importing::Separator, "Znak, který v souboru odděluje jednotlivá pole řádku"},
          {importing::FirstRowIsHeader, "Určuje, zda první řádek souboru obsahuje jen názvy sloupců"},
          {importing::EnglishColumn, "Sloupec souboru, ve kterém je anglický výraz"},
          {importing::CzechColumn, "Sloupec souboru, ve kterém je český výraz"},
          {importing::ExampleColumn, "Sloupec souboru, ve kterém je příklad použití (nebo žádný)"},
          {importing::LevelColumn, "Sloupec souboru, ve kterém je znalost slovíčka 0 až 4 (nebo žádný)"},
          {importing::PreviewTable, "Prvních 20 slovíček tak, jak budou načtena"},
          {importing::ProblemList, "Řádky, které budou vynechány nebo upraveny, a proč"},
          {importing::CutLongFields, "Určuje, zda mají být příliš dlouhá pole zkrácena místo vynechání řádku"},
          {importing::KeepDuplicates, "Určuje, zda mají být přidána i slovíčka, která už balíček obsahuje"},
          {importing::Ok, "Přidá slovíčka do balíčku"}}},
        {K::About,
         {{about::Ok, kCloseText},
          {about::ShowManual, "Otevře soubor s nápovědou k tomuto programu"},
          {about::ShowTip, "Zobrazí tip pro používání tohoto programu"},
          {about::ProjectLink, none},
          {about::ContactLink, none}}},
        {K::Tips,
         {{tips::NextTip, "Zobrazí další tip"},
          {tips::ShowAtStart, "Určuje zda se toto okno má objevovat při každém spuštění programu"}}},
        {K::OnlineChoice,
         {{choice::Store, "Připojí Vás k Vašemu online Zásobníku"},
          {choice::ThematicPackages, "Připojí Vás k rozhraní Tematických balíčků"},
          {choice::TextbookPackages, "Připojí Vás k rozhraní Balíčků z učebnic"},
          {choice::FictionPackages, "Připojí Vás k rozhraní Balíčků z knih"},
          {choice::Ok, "Provede vybranou akci"},
          {choice::UserName, none},
          {choice::Password, none},
          {choice::GuideLink, none}}},
        {K::SaveDownloaded, {{save_downloaded_dialog_control::Group, none}}},
    };

    std::vector<Row> table;
    for (const WindowRows& rows : windows) {
        for (const auto& [control, text] : rows.always) {
            table.push_back({rows.window, control, When::Always, text});
        }
        for (const auto& [when, row] : rows.conditional) {
            table.push_back({rows.window, row.first, when, row.second});
        }
    }
    return table;
}

const std::vector<Row>& table()
{
    static const std::vector<Row> rows = buildTable();
    return rows;
}

}  // namespace

std::string_view quickHelpText(WindowKind window, int controlId, const QuickHelpState& state)
{
    for (const Row& row : table()) {
        if (row.window == window && row.control == controlId && holds(row.when, state)) {
            return row.text;
        }
    }
    if (controlId == shared_control::Close && window != WindowKind::Main) {
        return kCloseText;
    }
    return kNoQuickHelpText;
}

bool quickHelpCovers(WindowKind window, int controlId)
{
    if (controlId == shared_control::Close) {
        return true;
    }
    return std::any_of(table().begin(), table().end(),
                       [&](const Row& row) { return row.window == window && row.control == controlId; });
}

}  // namespace lexivo

#include "ui/tips.h"

#include <array>
#include <string>

#include "store/random_generator.h"
#include "ui/project_addresses.h"

namespace lexivo {
namespace {

std::string tip(std::string_view question, std::string_view explanation)
{
    return std::string(question) + "\n\n" + std::string(explanation);
}

const std::array<std::string, kTipCount>& tips()
{
    const std::string project = kProjectAddress;
    static const std::array<std::string, kTipCount> texts = {
        tip("design programu existuje ve třech barevných schématech?",
            "Barevné schéma změníte v nastavení: v hlavním okně klikněte na tlačítko NASTAVENÍ a vyberte schéma, "
            "které se Vám líbí nejvíc."),
        tip("k jednomu slovíčku můžete zadat více (až 10) správných významů?",
            "Jednotlivé významy oddělte znakem +, například will+testament. V testu pak program uzná jako správnou "
            "odpověď kterýkoli z nich."),
        tip("můžete mít vliv na vývoj tohoto programu?",
            "Své náměty a připomínky napište jako komentář na WWW stránky projektu Brindle nebo je pošlete e-mailem "
            "na adresu " + std::string(kContactAddress) + ". Každý podnět nás potěší."),
        tip("lze pohodlně slučovat/rozdělovat balíčky?",
            "Slouží k tomu okno \"Přenos slovíček mezi balíčky\". Více slovíček najednou vyberete se stisknutou "
            "klávesou CTRL nebo SHIFT anebo tažením myši."),
        // Linux has no ALT + digits on the keypad; the Czech keyboard layout has its own way.
        tip("znak ' (apostrof) lze na české klávesnici pohodlně napsat pomocí pravé klávesy ALT a písmene J?",
            "Podržte pravou klávesu ALT (AltGr), stiskněte J a klávesu ALT pusťte. Stejně tak poslouží pravý ALT "
            "s klávesou §."),
        tip("program zvládá výslovnost?",
            "Je-li zapnuto automatické vyslovování, program každé potvrzené slovíčko vysloví hlasovým "
            "syntetizátorem, nebo je přes schránku předá jinému programu, který umí číst nahlas. Způsob zvolíte "
            "v nastavení."),
        std::string("v dialogu SPRÁVNĚ/CHYBA funguje mezerník stejně jako tlačítko pro vyslovení slovíčka?"),
        tip("program je provázán s internetovým projektem Brindle?",
            "Na stránkách projektu " + project + " najdete texty, nahrávky i hotové balíčky slovíček. Balíčky "
            "stáhnete přímo z programu tlačítkem ONLINE ZÁZEMÍ v hlavním okně."),
        tip("program obsahuje rychlou nápovědu?",
            "Klikněte pravým tlačítkem myši na kterékoli tlačítko nebo jiný prvek okna a objeví se krátké "
            "vysvětlení, k čemu slouží."),
        tip("plánujeme vydávat updaty a další verze programu?",
            "Nové verze i opravy nalezených chyb zveřejňujeme na stránkách programu " + project +
                ". Tamtéž nám můžete nahlásit chybu, na kterou narazíte."),
        tip("na přerušený test lze navázat?",
            "Přerušený test se vyhodnotí tak, jak daleko jste došli, a později jej můžete dokončit, i po novém "
            "spuštění programu. Stačí znovu stisknout tlačítko TEST."),
        tip("program obsahuje inteligentní algoritmus vybírání slovíček?",
            "Na slovíčka, která už dobře umíte, se program ptá méně často. Nastavte v testu pevný počet slovíček a "
            "zatrhněte \"Zkoušet podle koeficientu znalostí\"."),
        tip("koeficient udávající jak dobře si slovíčko pamatujete může být automaticky měněn podle Vašich "
            "odpovědí v testu?",
            "Správná odpověď znalost slovíčka zlepší, špatná ji zhorší. Zatržením \"Zamknout úroveň znalosti\" v "
            "nastavení testu to vypnete."),
        tip("stránky projektu Brindle jsou velmi dobrým zdrojem slovíček?",
            "Slovíčka, která si vyberete z materiálů projektu, čekají ve Vašem online Zásobníku, odkud je přes "
            "ONLINE ZÁZEMÍ přenesete do svých balíčků. Hotové balíčky tamtéž stáhnete celé."),
        tip("na stránkách projektu Brindle jsou předvytvořené balíčky?",
            "Stáhnete je přímo z programu: v hlavním okně klikněte na tlačítko ONLINE ZÁZEMÍ a vyberte balíčky, "
            "o které máte zájem."),
        std::string("Tip č.15"),
    };
    return texts;
}

}  // namespace

std::string_view tipText(int index)
{
    return tips()[static_cast<std::size_t>(index >= 0 && index < kTipCount ? index : 0)];
}

int tipIndex(int randomValue)
{
    return static_cast<int>(randomValue / static_cast<double>(RandomGenerator::kMaxValue) * (kTipCount - 1));
}

}  // namespace lexivo

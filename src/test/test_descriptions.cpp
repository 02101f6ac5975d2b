#include "test/test_descriptions.h"

namespace lexivo {
namespace {

std::string directionPart(const TestState& state, std::string_view language)
{
    switch (state.directionMode) {
    case DirectionMode::Random: return "Směr překladu je volen náhodně pro každé slovíčko zvlášť a";
    case DirectionMode::CzechShown: return "Po uživateli je požadováno překládání z češtiny do " + std::string(language) + " a";
    default: return "Po uživateli je požadováno překládání z " + std::string(language) + " do češtiny a";
    }
}

std::string casePart(const TestState& state)
{
    return std::string(state.caseSensitive ? " je " : " není ") + "rozlišována velikost písmen.";
}

}  // namespace

ResumeTexts resumeTexts(const TestState& state, std::string_view language)
{
    ResumeTexts texts;
    const int answered = state.rightCount + state.wrongCount;
    texts.progressRange = state.totalCount;
    if (state.fixedCount) {
        texts.description = std::string("Test běží v režimu s pevně nastaveným počtem slovíček. Funkce, která "
                                        "zabraňuje opakování slovíček je ") +
                            (state.noRepeat ? "zapnuta. " : "vypnuta. ") +
                            (state.byCoefficient ? "Slovíčka jsou vybírána podle koeficientů znalosti. "
                                                 : "Slovíčka jsou vybírána náhodně. ") +
                            directionPart(state, language) + casePart(state);
        texts.total = "Celkový počet slovíček: " + std::to_string(state.totalCount);
        texts.answered = "Z toho zodpovězeno: " + std::to_string(answered) + "                Průběh testu:";
        texts.progressPosition = state.totalCount - answered;
    } else {
        texts.description = "Test bude ukončen až po správném zodpovězení všech slovíček, která obsahuje. " +
                            directionPart(state, language) + casePart(state);
        texts.total = "Celkový počet slovíček " + std::to_string(state.totalCount);
        texts.answered = "Z toho už správně zodpovězeno: " + std::to_string(state.rightCount);
        texts.progressPosition = state.totalCount - state.rightCount;
        texts.showsProgressLabel = true;
    }
    return texts;
}

std::string testInformationText(const TestState& state, int remainingCount, std::string_view language)
{
    std::string text = "\n\n";
    if (state.fixedCount) {
        text += "Počet slovíček v testu je pevně nastaven na " + std::to_string(state.totalCount) + ".\n\n";
        text += std::string("Funkce zabraňující opakování slovíček je ") + (state.noRepeat ? "zapnuta" : "vypnuta") +
                ".\n\n";
        text += state.byCoefficient ? "Slovíčka jsou vybírána podle koeficientů znalostí.\n\n"
                                    : "Slovíčka jsou vybírána náhodně.\n\n";
    } else {
        text += "Test bude ukončen až po správném zodpovězení všech " + std::to_string(state.totalCount) +
                " slovíček, která obsahuje (zbývá " + std::to_string(remainingCount) + ").\n\n";
    }
    text += state.caseSensitive ? "Velikost písmen je rozlišována.\n\n" : "Velikost písmen není rozlišována.\n\n";
    text += state.lockCoefficients ? "Koeficienty znalosti jsou zamčeny.\n\n"
                                   : "Koeficienty znalosti jsou odemčeny a mění se.\n\n";
    switch (state.directionMode) {
    case DirectionMode::CzechShown: text += "Testování probíhá ve směru z češtiny do " + std::string(language) + "."; break;
    case DirectionMode::EnglishShown: text += "Testování probíhá ve směru z " + std::string(language) + " do češtiny."; break;
    default: text += "Směr překladu je volen náhodně pro každé slovíčko."; break;
    }
    return text;
}

}  // namespace lexivo

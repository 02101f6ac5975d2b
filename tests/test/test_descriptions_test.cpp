#include "test/test_descriptions.h"

#include <gtest/gtest.h>

#include "test/answer_check.h"

namespace lexivo {
namespace {

// A fixed count of 40 without repeats, picked at random, Czech shown, letters alike, coefficients
// locked: 26 right and 4 wrong so far.
TestState fixedState()
{
    return TestState{.rightCount = 26, .wrongCount = 4, .directionMode = DirectionMode::CzechShown, .totalCount = 40,
                     .fixedCount = 1, .noRepeat = 1, .byCoefficient = 0, .caseSensitive = 0, .lockCoefficients = 1};
}

TEST(ResumeTexts, FixedCount)
{
    const ResumeTexts texts = resumeTexts(fixedState(), "angličtiny");
    EXPECT_EQ(texts.description,
              "Test běží v režimu s pevně nastaveným počtem slovíček. Funkce, která zabraňuje opakování slovíček je "
              "zapnuta. Slovíčka jsou vybírána náhodně. Po uživateli je požadováno překládání z češtiny do "
              "angličtiny a není rozlišována velikost písmen.");
    EXPECT_EQ(texts.total, "Celkový počet slovíček: 40");
    EXPECT_EQ(texts.answered, "Z toho zodpovězeno: 30                Průběh testu:");
    EXPECT_EQ(texts.progressRange, 40);
    EXPECT_EQ(texts.progressPosition, 10);
    EXPECT_FALSE(texts.showsProgressLabel);
}

TEST(ResumeTexts, UntilAllRight)
{
    TestState state = fixedState();
    state.fixedCount = 0;
    state.directionMode = DirectionMode::EnglishShown;
    state.caseSensitive = 1;
    const ResumeTexts texts = resumeTexts(state, "angličtiny");
    EXPECT_EQ(texts.description,
              "Test bude ukončen až po správném zodpovězení všech slovíček, která obsahuje. Po uživateli je "
              "požadováno překládání z angličtiny do češtiny a je rozlišována velikost písmen.");
    EXPECT_EQ(texts.total, "Celkový počet slovíček 40");
    EXPECT_EQ(texts.answered, "Z toho už správně zodpovězeno: 26");
    EXPECT_EQ(texts.progressPosition, 14);
    EXPECT_TRUE(texts.showsProgressLabel);
    state.directionMode = DirectionMode::Random;
    EXPECT_NE(resumeTexts(state, "angličtiny").description.find("Směr překladu je volen náhodně pro každé slovíčko zvlášť a je"),
              std::string::npos);
}

TEST(TestInformation, ListsTheSettingsInOrder)
{
    EXPECT_EQ(testInformationText(fixedState(), 5, "angličtiny"),
              "\n\nPočet slovíček v testu je pevně nastaven na 40.\n\n"
              "Funkce zabraňující opakování slovíček je zapnuta.\n\n"
              "Slovíčka jsou vybírána náhodně.\n\n"
              "Velikost písmen není rozlišována.\n\n"
              "Koeficienty znalosti jsou zamčeny.\n\n"
              "Testování probíhá ve směru z češtiny do angličtiny.");
    TestState state = fixedState();
    state.fixedCount = 0;
    state.directionMode = DirectionMode::EnglishShown;
    state.caseSensitive = 1;
    state.lockCoefficients = 0;
    EXPECT_EQ(testInformationText(state, 7, "angličtiny"),
              "\n\nTest bude ukončen až po správném zodpovězení všech 40 slovíček, která obsahuje (zbývá 7).\n\n"
              "Velikost písmen je rozlišována.\n\n"
              "Koeficienty znalosti jsou odemčeny a mění se.\n\n"
              "Testování probíhá ve směru z angličtiny do češtiny.");
    state.directionMode = DirectionMode::Random;
    EXPECT_TRUE(testInformationText(state, 7, "angličtiny").ends_with("Směr překladu je volen náhodně pro každé slovíčko."));
}

TEST(SynonymsLine, ListsTheOtherMeanings)
{
    EXPECT_EQ(synonymsLine("ptáček", "pták+ptáček+opeřenec"), "Další synonyma: pták, opeřenec");
    EXPECT_EQ(synonymsLine("  PTÁK ", "pták+ptáček"), "Další synonyma: pták, ptáček");  // Á does not fold
    EXPECT_EQ(synonymsLine("Dog ", "dog+hound"), "Další synonyma: hound");
    EXPECT_EQ(synonymsLine("pes", "pes"), "");
    EXPECT_EQ(synonymsLine("a + b", "a + b"), "Další synonyma: a ,  b");
}

TEST(PieEnd, FollowsTheAngleOfTheRightShare)
{
    EXPECT_EQ(pieEnd(75), (PieEnd{99, 0}));
    EXPECT_EQ(pieEnd(100), kFullPie);
    EXPECT_EQ(pieEnd(0), (PieEnd{0, -100}));
    EXPECT_EQ(pieEnd(50), (PieEnd{0, 99}));  // 0.0628 is a little less than 2π/100
    EXPECT_EQ(pieEnd(25), (PieEnd{-99, 0}));
}

}  // namespace
}  // namespace lexivo

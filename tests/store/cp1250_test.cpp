#include "store/cp1250.h"

#include <string>

#include <gtest/gtest.h>

namespace lexivo {
namespace {

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string utf8 = decodeCp1250(all);
    EXPECT_EQ(characterCount(utf8), 256u);
    EXPECT_EQ(encodeCp1250(utf8).value(), all);
}

TEST(Cp1250, MapsTheCzechLettersAndThePunctuation)
{
    EXPECT_EQ(decodeCp1250("\xC8\xE8\xD8\xF8\x8A\x9A\x8E\x9E\xD9\xF9\xCC\xEC"), "ČčŘřŠšŽžŮůĚě");
    EXPECT_EQ(decodeCp1250("\x80\x84\x93\x96\x99\xA0"), "€„“–™\u00A0");
    // Unassigned bytes stand for the C1 control character of the same value.
    EXPECT_EQ(decodeCp1250("\x81\x83\x88\x90\x98"), "\u0081\u0083\u0088\u0090\u0098");
    EXPECT_EQ(encodeCp1250("Příliš žluťoučký kůň").value(), "P\xF8\xED\x6C\x69\x9A \x9Elu\x9Do\x75\xE8\x6B\xFD k\xF9\xF2");
}

TEST(Cp1250, RefusesWhatItCannotStoreAndNamesIt)
{
    for (const char* text : {"日本", "a🙂b", "Ω"}) {
        const auto bytes = encodeCp1250(text);
        ASSERT_FALSE(bytes.ok()) << text;
        EXPECT_NE(bytes.message().text.find("nelze uložit"), std::string::npos);
    }
    EXPECT_NE(encodeCp1250("a🙂b").message().text.find("🙂"), std::string::npos);
    EXPECT_EQ(firstUnstorableCharacter("čaj🙂Ω"), "🙂");
    EXPECT_EQ(firstUnstorableCharacter("čaj"), "");
}

TEST(Cp1250, RefusesMalformedUtf8)
{
    for (std::string text : {std::string("\xC3"), std::string("\xC0\x80"), std::string("\xED\xA0\x80"),
                             std::string("a\xFF")}) {
        EXPECT_FALSE(encodeCp1250(text).ok());
        EXPECT_EQ(firstUnstorableCharacter(text), "\uFFFD");
    }
}

TEST(Cp1250, CountsCharactersNotBytes)
{
    EXPECT_EQ(characterCount(""), 0u);
    EXPECT_EQ(characterCount("žluťoučký"), 9u);
}

}  // namespace
}  // namespace lexivo

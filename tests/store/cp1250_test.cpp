#include "store/cp1250.h"

#include <gtest/gtest.h>

namespace lexivo {
namespace {

// That every byte survives a round trip and that malformed or unstorable text is refused is
// checked on the seeds of the code page's fuzz target (fuzz/corpus/cp1250).

TEST(Cp1250, MapsTheCzechLettersAndThePunctuation)
{
    EXPECT_EQ(decodeCp1250("\xC8\xE8\xD8\xF8\x8A\x9A\x8E\x9E\xD9\xF9\xCC\xEC"), "ČčŘřŠšŽžŮůĚě");
    EXPECT_EQ(decodeCp1250("\x80\x84\x93\x96\x99\xA0"), "€„“–™\u00A0");
    // Unassigned bytes stand for the C1 control character of the same value.
    EXPECT_EQ(decodeCp1250("\x81\x83\x88\x90\x98"), "\u0081\u0083\u0088\u0090\u0098");
    EXPECT_EQ(encodeCp1250("Příliš žluťoučký kůň").value(), "P\xF8\xED\x6C\x69\x9A \x9Elu\x9Do\x75\xE8\x6B\xFD k\xF9\xF2");
    EXPECT_EQ(characterCount("žluťoučký"), 9u);
}

TEST(Cp1250, NamesTheFirstCharacterItCannotStore)
{
    EXPECT_EQ(encodeCp1250("a🙂b").message().text.find("Znak „🙂“ nelze uložit"), 0u);
    EXPECT_EQ(firstUnstorableCharacter("čaj🙂Ω"), "🙂");
    EXPECT_EQ(firstUnstorableCharacter("čaj"), "");
    for (const char* malformed : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "a\xFF"}) {
        EXPECT_EQ(firstUnstorableCharacter(malformed), "\uFFFD");
    }
}

}  // namespace
}  // namespace lexivo

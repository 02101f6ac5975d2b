// What each script answers for a seeded database, including hostile requests and logins.

#include <fstream>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

#include "login_throttle.h"
#include "seeded_service.h"
#include "sqlite_db.h"

namespace lexivo::server {
namespace {

using testing::cp1250;
using testing::encodedForQuery;
using testing::kPassword;

constexpr std::string_view kThematic = "/lx/komunikace/lxnettembal.php";
constexpr std::string_view kTextbooks = "/lx/komunikace/lxnetucebnice.php";
constexpr std::string_view kFiction = "/lx/komunikace/lxnetknihy.php";
constexpr std::string_view kStore = "/lx/komunikace/lxnetzasobnik.php";

std::string target(std::string_view path, std::string_view typ, std::string_view data = "",
                   std::string_view jmeno = "", std::string_view heslo = "")
{
    return std::string(path) + "?typ=" + std::string(typ) + "&data=" + encodedForQuery(data) +
           "&jmeno=" + encodedForQuery(jmeno) + "&heslo=" + encodedForQuery(heslo);
}

class ScriptServiceTest : public ::testing::Test {
protected:
    std::string ask(const std::string& requestTarget)
    {
        const HttpAnswer answer = seeded_.service().answer(requestTarget, "192.0.2.1");
        EXPECT_EQ(answer.status, 200) << requestTarget;
        return answer.body;
    }

    testing::SeededService seeded_;
};

TEST_F(ScriptServiceTest, CataloguesListTheirOwnPackages)
{
    EXPECT_EQ(ask(target(kThematic, "1")), cp1250("1*FOOD#NÁPOJE|1;ALKOHOLICKÉ NÁPOJE#OVOCE|2;Ovoce*"));
    EXPECT_EQ(ask(target(kTextbooks, "1")), cp1250("1*Angličtina#Lekce 1|3;Pozdravy*"));
    EXPECT_EQ(ask(target(kFiction, "1")), cp1250("0V tomto katalogu zatím nejsou žádné balíčky."));
}

TEST_F(ScriptServiceTest, DownloadsTheSelectedPackagesInTheirOrder)
{
    const std::string both = "1~FOOD#OVOCE#Ovoce*apple|jablko||4~<|>"
                             "FOOD#NÁPOJE#ALKOHOLICKÉ NÁPOJE*beer|pivo|I'd like a beer.|4~wine|víno||4~<|>";
    EXPECT_EQ(ask(target(kThematic, "2", "2|1")), cp1250(both));
    EXPECT_EQ(ask(target(kThematic, "2", "2|1|2")), cp1250(both));  // each package once
    EXPECT_EQ(ask(target(kTextbooks, "2", "3@Pozdravy")), cp1250("1~Angličtina#Lekce 1#Pozdravy*hello|ahoj||4~<|>"));
}

TEST_F(ScriptServiceTest, RefusesSelectionsItCannotServe)
{
    const std::string missing = cp1250("0Některý z vybraných balíčků už na serveru není. Otevřete prosím seznam "
                                       "balíčků znovu.");
    EXPECT_EQ(ask(target(kThematic, "2", "99")), missing);
    EXPECT_EQ(ask(target(kThematic, "2", "3")), missing);  // a textbook package is not thematic
    EXPECT_EQ(ask(target(kThematic, "2", "")), cp1250("0Žádný balíček není vybrán."));
    for (std::string_view broken : {"1|", "|1", "1||2", "x", "1;2", "-1", "0", "99999999999999999999"}) {
        EXPECT_EQ(ask(target(kThematic, "2", broken)), cp1250("0Seznam vybraných balíčků je poškozený.")) << broken;
    }
    EXPECT_EQ(ask(target(kThematic, "3")), cp1250("0Server tento požadavek nezná."));
    EXPECT_EQ(ask(std::string(kThematic)), cp1250("0Server tento požadavek nezná."));
}

TEST_F(ScriptServiceTest, StoreIsDownloadedAndClearedAfterLogin)
{
    EXPECT_EQ(ask(target(kStore, "1", "", "Petr", kPassword)), cp1250("1~cat|kočka|The cat sleeps.|4~"));
    EXPECT_EQ(ask(target(kStore, "2", "", "PETR", kPassword)), cp1250("1Váš Zásobník na serveru byl vyprázdněn."));
    EXPECT_EQ(ask(target(kStore, "1", "", "petr", kPassword)), "1~");
}

TEST_F(ScriptServiceTest, WrongPasswordIsAnsweredLikeAnUnknownName)
{
    const std::string refused = cp1250("0Nesprávné uživatelské jméno nebo heslo.");
    EXPECT_EQ(ask(target(kStore, "1", "", "Petr", "tajne heslo")), refused);
    EXPECT_EQ(ask(target(kStore, "1", "", "Pavel", kPassword)), refused);
    EXPECT_EQ(ask(target(kStore, "2", "", "Petr", "")), refused);
    EXPECT_EQ(ask(target(kStore, "1", "", std::string(5000, 'P'), std::string(5000, 'x'))), refused);
    EXPECT_EQ(ask(target(kStore, "1", "", "Petr", kPassword)), cp1250("1~cat|kočka|The cat sleeps.|4~"));
}

TEST_F(ScriptServiceTest, InjectionAttemptsInEveryVariableAreOnlyText)
{
    const std::string refused = cp1250("0Nesprávné uživatelské jméno nebo heslo.");
    const std::string_view attacks[] = {"' OR '1'='1", "Petr' --", "x'); DROP TABLE account; --",
                                        "1; DELETE FROM store_word", "\" OR \"\"=\""};
    for (std::string_view attack : attacks) {
        EXPECT_EQ(ask(target(kStore, "1", attack, attack, attack)), refused) << attack;
        EXPECT_EQ(ask(target(kStore, "1", "", "Petr", attack)), refused) << attack;
        EXPECT_EQ(ask(target(kThematic, "2", attack)), cp1250("0Seznam vybraných balíčků je poškozený.")) << attack;
        EXPECT_EQ(ask(std::string(kThematic) + "?typ=" + encodedForQuery(attack)),
                  cp1250("0Server tento požadavek nezná."));
    }
    // Everything is still there.
    EXPECT_EQ(ask(target(kStore, "1", "", "Petr", kPassword)), cp1250("1~cat|kočka|The cat sleeps.|4~"));
    EXPECT_EQ(ask(target(kThematic, "2", "2")), cp1250("1~FOOD#OVOCE#Ovoce*apple|jablko||4~<|>"));
}

TEST_F(ScriptServiceTest, RandomQueriesAlwaysGetAReplyNumber)
{
    std::mt19937 random(1250);
    const std::string alphabet = "typdatjmenohslo=&%|@;0123456789aF+~#*\xE9";
    for (int i = 0; i < 3000; ++i) {
        std::string query;
        for (int length = random() % 40; length > 0; --length) {
            query += alphabet[random() % alphabet.size()];
        }
        // The store script hashes a password each time, so it gets fewer rounds.
        const std::string_view path = i % 3 == 0 ? kTextbooks : i % 100 == 1 ? kStore : kThematic;
        const std::string body = ask(std::string(path) + "?" + query);
        ASSERT_TRUE(body.starts_with("0") || body.starts_with("1")) << query;
    }
}

TEST_F(ScriptServiceTest, OtherPathsAreNotFound)
{
    for (std::string_view path : {"/", "/lx/komunikace/lxnettembal.php.bak?typ=1", "/index.php", ""}) {
        EXPECT_EQ(seeded_.service().answer(path, "192.0.2.1").status, 404) << path;
    }
}

TEST_F(ScriptServiceTest, PasswordIsStoredOnlyAsArgon2idHash)
{
    std::string files;
    for (const char* suffix : {"", "-wal"}) {
        std::ifstream in(seeded_.databaseFile().string() + suffix, std::ios::binary);
        files.append(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.find(std::string(kPassword)), std::string::npos);
    EXPECT_EQ(files.find(cp1250(kPassword)), std::string::npos);

    auto connection = Connection::open(seeded_.databaseFile(), Connection::Creation::OpenExisting);
    ASSERT_TRUE(connection.ok());
    Statement hash(**connection, "SELECT password_hash FROM account");
    ASSERT_EQ(hash.step(), Statement::Step::Row);
    EXPECT_TRUE(hash.text(0).starts_with("$argon2id$")) << hash.text(0);
}

TEST(LoginThrottle, ShutsOutANameAfterItsFreeFailuresForADoublingTime)
{
    using namespace std::chrono_literals;
    LoginThrottle throttle(LoginThrottle::Limits{.freeFailuresPerName = 2, .freeFailuresPerAddress = 100});
    const auto start = LoginThrottle::Clock::time_point{} + 1h;
    throttle.recordFailure("petr", "a1", start);
    throttle.recordFailure("petr", "a2", start);
    EXPECT_FALSE(throttle.isShutOut("petr", "a3", start));
    throttle.recordFailure("petr", "a3", start);  // third: 1 s
    EXPECT_TRUE(throttle.isShutOut("petr", "a4", start + 999ms));
    EXPECT_FALSE(throttle.isShutOut("pavel", "a4", start + 999ms));
    EXPECT_FALSE(throttle.isShutOut("petr", "a4", start + 1s));
    throttle.recordFailure("petr", "a4", start + 1s);  // fourth: 2 s
    EXPECT_TRUE(throttle.isShutOut("petr", "a5", start + 2999ms));
    throttle.recordSuccess("petr");
    EXPECT_FALSE(throttle.isShutOut("petr", "a5", start + 1s));
    // A long quiet spell starts the count again.
    for (int i = 0; i < 2; ++i) {
        throttle.recordFailure("pavel", "a", start);
    }
    throttle.recordFailure("pavel", "a", start + 16min);
    EXPECT_FALSE(throttle.isShutOut("pavel", "b", start + 16min));
}

TEST(LoginThrottle, ShutsOutAnAddressTryingManyNamesAndStaysBounded)
{
    LoginThrottle throttle(LoginThrottle::Limits{.freeFailuresPerAddress = 3, .maxEntries = 50});
    const auto now = LoginThrottle::Clock::now();
    for (int i = 0; i < 100; ++i) {
        throttle.recordFailure("name" + std::to_string(i), "198.51.100.7", now);
    }
    EXPECT_TRUE(throttle.isShutOut("someone", "198.51.100.7", now));
    EXPECT_FALSE(throttle.isShutOut("someone", "198.51.100.8", now));
    EXPECT_LE(throttle.entryCount(), 50u);
}

TEST(LoginThrottle, ServiceRefusesEvenTheRightPasswordWhileShutOut)
{
    testing::SeededService seeded;
    ScriptService service(seeded.store(), LoginThrottle::Limits{.freeFailuresPerName = 1});
    const auto ask = [&](std::string_view password) {
        return service.answer(target(kStore, "1", "", "Petr", password), "192.0.2.9").body;
    };
    EXPECT_EQ(ask("wrong"), cp1250("0Nesprávné uživatelské jméno nebo heslo."));
    EXPECT_EQ(ask("wrong"), cp1250("0Nesprávné uživatelské jméno nebo heslo."));
    EXPECT_EQ(ask(kPassword), cp1250("0Příliš mnoho neúspěšných pokusů o přihlášení. Zkuste to prosím znovu za "
                                     "několik minut."));
}

}  // namespace
}  // namespace lexivo::server

#include "script_service.h"

#include <charconv>
#include <set>

#include "accounts.h"
#include "store/cp1250.h"

namespace lexivo::server {
namespace {

// The program accepts replies up to 16 MB; a download stays well below.
constexpr std::size_t kMaxPayloadBytes = 8 << 20;
// The program sends at most 9500 characters of selection.
constexpr std::size_t kMaxSelectionBytes = 10000;

// The program sends names and passwords of at most 95 characters; no account has longer ones.
constexpr std::size_t kMaxLoginBytes = 95;

constexpr int kList = 1;
constexpr int kDownload = 2;
constexpr int kStoreDownload = 1;
constexpr int kStoreClear = 2;

const char* const kServerError = "Na serveru došlo k chybě. Zkuste to prosím později.";
const char* const kUnknownRequest = "Server tento požadavek nezná.";
const char* const kLoginFailed = "Nesprávné uživatelské jméno nebo heslo.";
const char* const kShutOut = "Příliš mnoho neúspěšných pokusů o přihlášení. Zkuste to prosím znovu za několik minut.";

CatalogueKind catalogueOf(Script script)
{
    switch (script) {
    case Script::TextbookCatalogue: return CatalogueKind::Textbooks;
    case Script::FictionCatalogue: return CatalogueKind::Fiction;
    default: return CatalogueKind::Thematic;
    }
}

// The ids of a selection "12|7" or "12@title|7@title"; the title only repeats what the id says.
// Nothing when an item is not an id.
std::optional<std::vector<std::int64_t>> selectedIds(std::string_view selection)
{
    std::vector<std::int64_t> ids;
    std::set<std::int64_t> seen;
    for (std::size_t start = 0;;) {
        const std::size_t bar = selection.find('|', start);
        const std::string_view item = selection.substr(start, bar == std::string_view::npos ? bar : bar - start);
        const std::string_view idText = item.substr(0, item.find('@'));
        std::int64_t id = 0;
        const auto [end, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (idText.empty() || error != std::errc{} || end != idText.data() + idText.size() || id < 1) {
            return std::nullopt;
        }
        if (seen.insert(id).second) {
            ids.push_back(id);
        }
        if (bar == std::string_view::npos) {
            return ids;
        }
        start = bar + 1;
    }
}

}  // namespace

ScriptService::ScriptService(ServiceStore& store, LoginThrottle::Limits throttleLimits)
    : store_(store), throttle_(throttleLimits)
{
    // Made now, so that not even the first unknown name takes longer than a wrong password.
    (void)decoyHash();
}

HttpAnswer ScriptService::answer(std::string_view target, const std::string& address)
{
    const RequestTarget split = splitTarget(target);
    const std::optional<Script> script = scriptForPath(split.path);
    if (!script) {
        return {404, "Not Found"};
    }
    return {200, replyBytes(reply(*script, parseQuery(split.query), address))};
}

ScriptReply ScriptService::reply(Script script, const ScriptQuery& query, const std::string& address)
{
    if (script == Script::Store) {
        return storeReply(query, address);
    }
    return catalogueReply(catalogueOf(script), query);
}

ScriptReply ScriptService::catalogueReply(CatalogueKind kind, const ScriptQuery& query)
{
    if (query.typ == kDownload) {
        return downloadReply(kind, query.data);
    }
    if (query.typ != kList) {
        return ScriptReply::refusal(kUnknownRequest);
    }
    Result<std::vector<CatalogueEntry>> entries = store_.catalogue(kind);
    if (!entries) {
        return ScriptReply::refusal(kServerError);
    }
    if (entries->empty()) {
        return ScriptReply::refusal("V tomto katalogu zatím nejsou žádné balíčky.");
    }
    return ScriptReply::success(catalogueBody(*entries));
}

ScriptReply ScriptService::downloadReply(CatalogueKind kind, const std::string& selection)
{
    if (selection.size() > kMaxSelectionBytes) {
        return ScriptReply::refusal("Vybraných balíčků je příliš mnoho. Stáhněte je prosím po částech.");
    }
    if (selection.empty()) {
        return ScriptReply::refusal("Žádný balíček není vybrán.");
    }
    const auto ids = selectedIds(decodeCp1250(selection));
    if (!ids) {
        return ScriptReply::refusal("Seznam vybraných balíčků je poškozený.");
    }
    std::vector<CataloguePackage> packages;
    std::size_t payloadBytes = 0;
    for (std::int64_t id : *ids) {
        Result<std::optional<CataloguePackage>> package = store_.package(kind, id);
        if (!package) {
            return ScriptReply::refusal(kServerError);
        }
        if (!package->has_value()) {
            return ScriptReply::refusal(
                "Některý z vybraných balíčků už na serveru není. Otevřete prosím seznam balíčků znovu.");
        }
        for (const WordRecord& word : (*package)->words) {
            payloadBytes += word.english.size() + word.czech.size() + word.example.size() + 5;
        }
        if (payloadBytes > kMaxPayloadBytes) {
            return ScriptReply::refusal("Vybrané balíčky jsou dohromady příliš velké. Stáhněte je prosím po částech.");
        }
        packages.push_back(std::move(*package.value()));
    }
    return ScriptReply::success(packagesBody(packages));
}

ScriptReply ScriptService::storeReply(const ScriptQuery& query, const std::string& address)
{
    if (query.typ != kStoreDownload && query.typ != kStoreClear) {
        return ScriptReply::refusal(kUnknownRequest);
    }
    // A name or password is checked only when neither the name nor the address is shut out,
    // and an unknown name costs as much as a wrong password and is answered alike. An over-long
    // name is cut to a key no account has (keeping the throttle's table small), and an
    // over-long password is never hashed.
    const std::string nameKey = accountKey(std::string_view(query.jmeno).substr(0, kMaxLoginBytes + 1));
    if (throttle_.isShutOut(nameKey, address, LoginThrottle::Clock::now())) {
        return ScriptReply::refusal(kShutOut);
    }
    Result<std::optional<Account>> account = store_.account(nameKey);
    if (!account) {
        return ScriptReply::refusal(kServerError);
    }
    const bool known = account->has_value();
    const bool matches = query.heslo.size() <= kMaxLoginBytes &&
                         verifyPassword(known ? (*account)->passwordHash : decoyHash(), query.heslo);
    if (!known || !matches) {
        throttle_.recordFailure(nameKey, address, LoginThrottle::Clock::now());
        return ScriptReply::refusal(kLoginFailed);
    }
    throttle_.recordSuccess(nameKey);

    const std::int64_t accountId = (*account)->id;
    if (query.typ == kStoreClear) {
        if (!store_.clearStore(accountId)) {
            return ScriptReply::refusal(kServerError);
        }
        return ScriptReply::success("Váš Zásobník na serveru byl vyprázdněn.");
    }
    Result<std::vector<WordRecord>> words = store_.storeWords(accountId);
    if (!words) {
        return ScriptReply::refusal(kServerError);
    }
    return ScriptReply::success(storeBody(*words));
}

}  // namespace lexivo::server

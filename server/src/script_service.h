#pragma once
// The four scripts of the service: what each answers to a request target.

#include <string>
#include <string_view>

#include "login_throttle.h"
#include "service_store.h"
#include "wire_bodies.h"
#include "wire_query.h"

namespace lexivo::server {

struct HttpAnswer {
    int status = 200;
    std::string body;  // bytes as sent
};

class ScriptService {
public:
    explicit ScriptService(ServiceStore& store, LoginThrottle::Limits throttleLimits = {});

    // The answer to "GET target" from a client at `address`: 404 for a path that is no
    // script, otherwise 200 and the script's reply body.
    HttpAnswer answer(std::string_view target, const std::string& address);

    // The reply of one script to its decoded query.
    ScriptReply reply(Script script, const ScriptQuery& query, const std::string& address);

private:
    ScriptReply catalogueReply(CatalogueKind kind, const ScriptQuery& query);
    ScriptReply downloadReply(CatalogueKind kind, const std::string& selection);
    ScriptReply storeReply(const ScriptQuery& query, const std::string& address);

    ServiceStore& store_;
    LoginThrottle throttle_;
};

}  // namespace lexivo::server

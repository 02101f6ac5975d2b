#pragma once
// What the online windows keep for the whole run: where the web service is, how an exchange with
// it is made and how long it may take. Tests replace the exchange or shorten the time-outs.

#include <functional>
#include <string>

#include "online/server_address.h"
#include "online/server_request.h"

namespace lexivo {

using ServerExchange = std::function<ServerReply(const ServerRequest&, const ExchangeLimits&)>;

struct OnlineSession {
    ServerAddress address;
    ExchangeLimits limits;
    ServerExchange exchange = [](const ServerRequest& request, const ExchangeLimits& limits) {
        return sendServerRequest(request, limits);
    };
};

// The login for the personal store, kept while the store is downloaded and cleared. The
// password is never written to disk.
struct Login {
    std::string name;
    std::string password;
};

}  // namespace lexivo

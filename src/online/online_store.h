#pragma once
// The online store: the user's personal word list on the web service. The login rules, the
// store body written into the group's `zastemp`, and the list `users` of login names used so far.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/server_address.h"
#include "online/server_request.h"
#include "store/collection.h"
#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

inline constexpr std::string_view kStoreFileName = "zastemp";
inline constexpr std::string_view kUsersFileName = "users";
inline constexpr std::string_view kUsersScratchName = "userstemp";
// A login name or password holds at most this many characters.
inline constexpr std::size_t kMaxLoginCharacters = 95;

// Refuses the store when there is no group or the group has no package to copy words into.
std::optional<Message> checkStoreGroup(const Collection& collection);

enum class LoginField { Name, Password };
struct LoginRefusal {
    Message message;
    LoginField focus;  // the field that gets the focus, its text selected
};
// The first rule the typed name and password break, or nothing.
std::optional<LoginRefusal> checkLogin(std::string_view name, std::string_view password);

ServerRequest storeDownloadRequest(const ServerAddress& address, std::string name, std::string password);
ServerRequest storeClearRequest(const ServerAddress& address, std::string name, std::string password);

// The word records of a store body: after its first byte, records each ended by "~". Lines end in CR LF.
std::string storeReplyLines(std::string_view body);
// Writes the store into the group's `zastemp`, creating Temporary when missing.
Status saveStoreDownload(const DataTree& tree, std::string_view group, std::string_view body);

// The login names used so far, the most recent last.
std::vector<std::string> readUserNames(const DataTree& tree);
// Puts `name` at the end of `users`, dropping the same name in other capitals.
Status rememberUserName(const DataTree& tree, std::string_view name);

// Compares ignoring the case of letters, Czech ones included.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

Message storeQuestion();
Message clearStoreQuestion();
// The server's confirmation that the store is empty.
Message storeClearedMessage(std::string_view body);

}  // namespace lexivo

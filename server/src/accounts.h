#pragma once
// Account names and passwords. A password is kept only as an Argon2id hash; it is hashed and
// checked over its Windows-1250 bytes, which is what the program sends.

#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo::server {

// The key under which a name is found: its Windows-1250 bytes with capitals folded to small
// letters (Czech ones too), decoded to UTF-8. The program treats names in other capitals as
// one name, so the service does as well.
std::string accountKey(std::string_view cp1250Name);

// Why a name or password typed by the administrator (UTF-8) cannot be used, or nothing:
// the program's login field takes 1 to 95 characters of Windows-1250 without "#" and "|".
std::optional<std::string> loginTextProblem(std::string_view utf8, std::string_view what);

// An Argon2id hash string of the password bytes, salted; fails only when memory runs out.
Result<std::string> hashPassword(std::string_view passwordBytes);

// Whether the bytes match the hash. At most a few checks run at once, each taking tens of
// megabytes, so a burst of logins cannot exhaust the memory.
bool verifyPassword(const std::string& hash, std::string_view passwordBytes);

// A hash of no real password, checked when a name is unknown so that the answer takes as
// long as for a wrong password.
const std::string& decoyHash();

}  // namespace lexivo::server

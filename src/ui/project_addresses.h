#pragma once
// Where the project lives on the web, as the main window, the tips and About name it.

namespace lexivo {

inline constexpr const char* kProjectAddress = "http://www.lexivo.cz";
inline constexpr const char* kContactAddress = "napiste@lexivo.cz";  // suggestions and bug reports

}  // namespace lexivo

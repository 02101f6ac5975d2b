// The web service's reply. Any bytes split into a result, a code and a body without crashing:
// a body is always the tail of the reply after its result digits, and a result is never negative
// unless it is the -1 of "no usable answer". A reply assembled from a status, headers and a body
// splits back into exactly those parts.

#include "fuzz_support.h"
#include "online/server_request.h"

#include <string>

using namespace lexivo;

namespace {

void checkAnyReply(std::string_view raw)
{
    const ServerReply reply = parseServerReply(raw);
    FUZZ_CHECK(reply.result >= -1);
    if (reply.body) {
        FUZZ_CHECK(reply.result >= 0);
        FUZZ_CHECK(raw.substr(0, raw.find('\0')).ends_with(*reply.body));
    }
}

void checkAssembledReply(std::string_view input)
{
    fuzz::InputReader reader(input);
    const int status = 100 + reader.byte() % 500;
    const int result = reader.byte() % 3;
    std::string header(reader.piece('\x01'));
    std::string body(reader.rest());
    // The parts as a server sends them: no blank line inside the headers, no NUL, a body that
    // does not continue the result's digits.
    if (header.find("\r\n\r\n") != std::string::npos || header.find('\0') != std::string::npos ||
        body.find('\0') != std::string::npos || (!body.empty() && body.front() >= '0' && body.front() <= '9') ||
        header.find('\r') != std::string::npos || header.ends_with('\n')) {
        return;
    }
    const std::string raw = "HTTP/1.0 " + std::to_string(status) + " X\r\n" + header + (header.empty() ? "" : "\r\n") +
                            "\r\n" + std::to_string(result) + body;
    const ServerReply reply = parseServerReply(raw);
    FUZZ_CHECK(reply.code == status);
    if (body.empty()) {
        FUZZ_CHECK(reply.result == -1 && !reply.body);
    } else {
        FUZZ_CHECK(reply.result == result && reply.body == body);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);
    checkAnyReply(input);
    checkAssembledReply(input);
    return 0;
}

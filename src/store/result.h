#pragma once
// Outcomes of core operations: success, or the message the user is shown.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lexivo {

enum class MessageIcon { Error, Exclamation, Information, Question, None };

// A message box as the user sees it. Most refusals are titled "Chyba" with the stop icon.
struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::Error;
    std::string title = "Chyba";

    bool operator==(const Message&) const = default;
};

inline Message errorMessage(std::string text, MessageIcon icon = MessageIcon::Error)
{
    return Message{std::move(text), icon, "Chyba"};
}

// Success, or the message of the failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Message failure) : failure_(std::move(failure)) {}

    static Status success() { return {}; }
    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Message& message() const { return *failure_; }

private:
    std::optional<Message> failure_;
};

// A value, or the message of the failure.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : content_(std::move(value)) {}
    Result(Message failure) : content_(std::move(failure)) {}

    bool ok() const { return content_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(content_); }
    T& value() & { return std::get<0>(content_); }
    T&& value() && { return std::get<0>(std::move(content_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    const Message& message() const { return std::get<1>(content_); }
    Status status() const { return ok() ? Status::success() : Status(message()); }

private:
    std::variant<T, Message> content_;
};

}  // namespace lexivo

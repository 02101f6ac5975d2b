#pragma once
// Everything modal that is not one of our own windows goes through these interfaces, so that
// tests can answer it and record what the user would have seen.

#include <functional>
#include <string>

#include <QString>

#include "store/collection.h"
#include "store/result.h"

class QWidget;

namespace lexivo {

// Message boxes and Yes/No questions.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void showMessage(QWidget* parent, const Message& message) = 0;
    // True when the user answers Yes.
    virtual bool askYesNo(QWidget* parent, const Message& question) = 0;
};

// Opening a file or an address with the program the desktop associates with it.
class Shell {
public:
    virtual ~Shell() = default;
    // False when the desktop could not open it; the user is to hear of it.
    [[nodiscard]] virtual bool open(const QString& fileOrAddress) = 0;
};

// A text-to-speech voice. It speaks one text at a time without blocking the caller.
class Voice {
public:
    virtual ~Voice() = default;
    virtual bool busy() const = 0;
    virtual void say(const QString& text) = 0;
};

class QtDialogs final : public Dialogs {
public:
    void showMessage(QWidget* parent, const Message& message) override;
    bool askYesNo(QWidget* parent, const Message& question) override;
};

class DesktopShell final : public Shell {
public:
    bool open(const QString& fileOrAddress) override;
};

// The order of package lists: the user's language (Czech) ignoring letter case.
NameOrder localeNameOrder();

}  // namespace lexivo

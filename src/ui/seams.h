#pragma once
// Everything modal that is not one of our own windows goes through these interfaces, so that
// tests can answer it and record what the user would have seen.

#include <functional>
#include <optional>
#include <string>

#include <QColor>
#include <QString>
#include <QStringList>

#include "store/collection.h"
#include "store/result.h"
#include "ui/voice_settings.h"

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
    // The speech engines the system offers, and the English voices of one of them.
    virtual QStringList engines() = 0;
    virtual QStringList voices(const QString& engine) = 0;
    // Speaks from now on with this engine, voice and rate.
    virtual void use(const VoiceSettings& settings) = 0;
};

// A font as the desktop's font chooser shows it, with its effects and colour.
struct FontChoice {
    QString face;
    int pixelHeight = 0;
    int weight = 0;  // 100 to 900; 0 when never set
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor colour;
    bool operator==(const FontChoice&) const = default;
};

// What the save-file chooser proposes.
struct SaveFileRequest {
    QString title;
    QString directory;
    QString fileName;   // without the extension
    QString extension;  // added when the user types none; also the file-type filter
};

// What the open-file chooser offers.
struct OpenFileRequest {
    QString title;
    QString directory;
    QStringList filters;  // "Name (*.a *.b)", the first chosen at start
};

// The desktop's font, colour, save-file and open-file choosers. Nothing when the user cancels.
class DesktopChoosers {
public:
    virtual ~DesktopChoosers() = default;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& current) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) = 0;
    virtual std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request) = 0;
    virtual std::optional<QString> chooseOpenFile(QWidget* parent, const OpenFileRequest& request) = 0;
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

class QtDesktopChoosers final : public DesktopChoosers {
public:
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& current) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
    std::optional<QString> chooseOpenFile(QWidget* parent, const OpenFileRequest& request) override;
};

// The order of package lists: the user's language (Czech) ignoring letter case.
NameOrder localeNameOrder();

}  // namespace lexivo

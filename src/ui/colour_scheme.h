#pragma once
// The three colour schemes and the fixed colours every window paints with.

#include <cstdint>
#include <optional>
#include <string_view>

#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
    // Each channel moved by `amount` (negative darkens), kept within 0–255.
    Rgb shifted(int amount) const;
};

inline constexpr Rgb rgb(std::uint32_t hex)
{
    return {static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8), static_cast<std::uint8_t>(hex)};
}

inline constexpr int kSchemeBlue = 0;
inline constexpr int kSchemeCream = 1;  // the default
inline constexpr int kSchemeGrey = 2;
inline constexpr int kSchemeCount = 3;

struct ColourScheme {
    int number;
    std::string_view name;  // as the settings list it
    Rgb dialogColour;       // windows over the main window, their statics and lists
    Rgb mainColour;         // the main window and the panels shown inside it
    Rgb panelColour;        // the package list and panels inside the main window
    Rgb editColour;         // edit fields of windows over the main window, the word box
    Rgb largeButtonText;    // bitmap buttons of the large windows (test run, main, test configuration)
    Rgb smallButtonText;    // bitmap buttons of all other windows
    Rgb webLinkText;        // the main window's web-link button
    Rgb mainEditColour;     // edit fields whose colour the main window answers

    // Frames of the panels: the panel colour darkened by 20.
    Rgb panelFrame() const { return panelColour.shifted(-20); }
    // The group caption of the main window uses the large-button text colour.
    Rgb titleText() const { return largeButtonText; }
};

const ColourScheme& colourScheme(int number);

// The scheme stored in the `color` file: its first byte as a decimal digit. Nothing when the
// file is empty or names no scheme.
std::optional<int> schemeFromColourFile(std::string_view bytes);

// The scheme in use at start: the one the `color` file in the program directory names, else cream.
int loadColourScheme(const DataTree& tree);
// Rewrites the `color` file with the scheme's one digit; on failure the old file stays.
Status saveColourScheme(const DataTree& tree, int number);

namespace fixed_colour {
inline constexpr Rgb kLinkText = rgb(0xB41414);
inline constexpr Rgb kLinkPressed = rgb(0xD23232);
inline constexpr Rgb kWebLinkPressed = rgb(0xB41414);
inline constexpr Rgb kControlText = rgb(0x323232);
inline constexpr Rgb kSelectionFill = rgb(0x316AC5);
inline constexpr Rgb kSelectionText = rgb(0xFFFFFF);
inline constexpr Rgb kWordBoxFrame = rgb(0x7F9DB9);
inline constexpr Rgb kProhibition = rgb(0xFF0000);
inline constexpr Rgb kHintText = rgb(0xC83232);
}  // namespace fixed_colour

}  // namespace lexivo

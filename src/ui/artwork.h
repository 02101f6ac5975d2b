#pragma once
// The program's pictures. Each is an SVG template in the resources, coloured for the scheme
// and drawn at the size it is given, so it stays sharp on any screen.

#include <QCursor>
#include <QIcon>
#include <QRectF>
#include <QSize>

class QPainter;

namespace lexivo {

enum class Art {
    LargeButtonFace,    // bitmap buttons of the large windows
    SmallButtonFace,    // bitmap buttons of the other windows
    WebLinkBackground,  // behind the main window's web-link button
    Banner,             // the main window's title banner
    Strip,              // the small strip at the main window's top right
    NoGroupHint,        // shown while no group exists
    AboutPicture,       // About and online windows
    WasteBin,           // word transfer
    FlyingCard,         // word transfer animation
    EnglishFlag,        // language of the asked word
    CzechFlag,
    Speaker,            // the small speaker button of the answer feedback
};

// The size the picture is designed at, in pixels.
QSize artSize(Art art, int scheme);

// Draws the picture stretched to `target`.
void paintArt(QPainter& painter, Art art, int scheme, const QRectF& target);

// Where the banner drawn into `banner` has its letter tiles: a title on the banner ends
// before them. They sit low enough to pass under the main window's web link.
QRectF bannerTiles(const QRectF& banner);

QIcon programIcon();
QCursor handCursor();

}  // namespace lexivo

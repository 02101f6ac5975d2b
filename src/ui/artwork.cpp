#include "ui/artwork.h"

#include <map>
#include <memory>
#include <tuple>

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QSvgRenderer>

namespace lexivo {
namespace {

// Colours that the templates name in braces, per scheme.
struct ArtPalette {
    const char* faceTop;
    const char* faceMiddle;
    const char* faceBottom;
    const char* faceBorder;
    const char* faceShadow;
    const char* bandLight;
    const char* bandDark;
    const char* bandBorder;
    const char* accent;
    const char* accentDark;
    const char* ink;
};

const ArtPalette& palette(int scheme)
{
    static const ArtPalette blue{"#FAFDFF", "#E2EEF9", "#BCD5EC", "#6F97C2", "#5A7FA8", "#F3F8FD",
                                 "#B8D3EA", "#8DB0D3", "#4F86C6", "#13409B", "#1F3F6E"};
    static const ArtPalette cream{"#FFFDF9", "#F3E9DF", "#DCCBBB", "#A98B6E", "#8C6F55", "#FFF9F3",
                                  "#E3D3C4", "#C7AE97", "#C77D2E", "#8B510A", "#5A3A12"};
    static const ArtPalette grey{"#E6E6E6", "#CBCBCB", "#A9A9A9", "#5E5E5E", "#4A4A4A", "#B9B9B9",
                                 "#8F8F8F", "#6A6A6A", "#6E6E6E", "#3C3C3C", "#2A2A2A"};
    switch (scheme) {
    case 0: return blue;
    case 2: return grey;
    default: return cream;
    }
}

struct ArtInfo {
    const char* file;
    QSize designSize;
};

ArtInfo info(Art art, int scheme)
{
    switch (art) {
    case Art::LargeButtonFace: return {"button_face.svg", scheme == 2 ? QSize(190, 60) : QSize(194, 63)};
    case Art::SmallButtonFace: return {"button_face.svg", QSize(190, 60)};
    case Art::WebLinkBackground:
        return {"web_link.svg", scheme == 0 ? QSize(231, 17) : scheme == 1 ? QSize(200, 17) : QSize(237, 17)};
    case Art::Banner: return {"banner.svg", QSize(1142, 80)};
    case Art::Strip: return {"strip.svg", scheme == 2 ? QSize(306, 23) : QSize(306, 22)};
    case Art::NoGroupHint: return {"no_group_hint.svg", QSize(400, 121)};
    case Art::AboutPicture: return {"about_picture.svg", QSize(100, 118)};
    case Art::WasteBin: return {"waste_bin.svg", QSize(32, 32)};
    case Art::FlyingCard: return {"flying_card.svg", QSize(47, 47)};
    case Art::EnglishFlag: return {"flag_english.svg", QSize(48, 30)};
    case Art::CzechFlag: return {"flag_czech.svg", QSize(48, 30)};
    case Art::Speaker: return {"speaker.svg", QSize(24, 22)};
    }
    return {"button_face.svg", QSize(1, 1)};
}

QString templateText(const QString& file)
{
    static std::map<QString, QString> texts;
    auto found = texts.find(file);
    if (found == texts.end()) {
        QFile resource(":/art/" + file);
        resource.open(QIODevice::ReadOnly);
        found = texts.emplace(file, QString::fromUtf8(resource.readAll())).first;
    }
    return found->second;
}

// Fills in the scheme's colours and the drawing size, so that rounded corners stay round.
QByteArray render(const QString& file, int scheme, QSize size)
{
    const ArtPalette& colours = palette(scheme);
    const int w = std::max(size.width(), 4);
    const int h = std::max(size.height(), 4);
    const int radius = std::max(2, std::min(h / 4, 12));
    QString text = templateText(file);
    const std::pair<const char*, QString> values[] = {
        {"{w}", QString::number(w)},
        {"{h}", QString::number(h)},
        {"{w1}", QString::number(w - 1)},
        {"{h2}", QString::number(h - 2)},
        {"{w4}", QString::number(w - 4)},
        {"{hHalf}", QString::number(h / 2)},
        {"{r}", QString::number(radius)},
        {"{r2}", QString::number(std::max(1, radius - 2))},
        {"{faceTop}", colours.faceTop},
        {"{faceMiddle}", colours.faceMiddle},
        {"{faceBottom}", colours.faceBottom},
        {"{faceBorder}", colours.faceBorder},
        {"{faceShadow}", colours.faceShadow},
        {"{bandLight}", colours.bandLight},
        {"{bandDark}", colours.bandDark},
        {"{bandBorder}", colours.bandBorder},
        {"{accent}", colours.accent},
        {"{accentDark}", colours.accentDark},
        {"{ink}", colours.ink},
    };
    for (const auto& [key, value] : values) {
        text.replace(QLatin1String(key), value);
    }
    return text.toUtf8();
}

// Renderers by picture, scheme and size: the scheme is part of the key, so a new scheme shows
// at once; a button repainted at the same size does not parse its picture again.
QSvgRenderer& renderer(const QString& file, int scheme, QSize size)
{
    using Key = std::tuple<QString, int, int, int>;
    static std::map<Key, std::unique_ptr<QSvgRenderer>> cache;
    const Key key{file, scheme, size.width(), size.height()};
    auto found = cache.find(key);
    if (found == cache.end()) {
        if (cache.size() > 512) {
            cache.clear();
        }
        found = cache.emplace(key, std::make_unique<QSvgRenderer>(render(file, scheme, size))).first;
    }
    return *found->second;
}

// The icon and the cursor keep the default scheme's colours.
constexpr int kFixedArtScheme = 1;

QPixmap pixmapOf(const QString& file, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer svg(render(file, kFixedArtScheme, size));
    svg.render(&painter);
    return pixmap;
}

// Renders the program icon only when the window system asks for it, at the size it asks for,
// so that no size is drawn before the window shows.
class ProgramIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(render("program_icon.svg", kFixedArtScheme, rect.size())).render(painter, rect);
    }
    QIconEngine* clone() const override { return new ProgramIconEngine; }
    bool isNull() override { return false; }
};

}  // namespace

QSize artSize(Art art, int scheme) { return info(art, scheme).designSize; }

void paintArt(QPainter& painter, Art art, int scheme, const QRectF& target)
{
    const QSize size = target.size().toSize();
    if (size.isEmpty()) {
        return;
    }
    renderer(info(art, scheme).file, scheme, size).render(&painter, target);
}

QRectF bannerTiles(const QRectF& banner)
{
    // The tiles' corners in the banner's 1142 × 80 design (banner.svg).
    const QRectF tiles(QPointF(770, 24), QPointF(928, 76));
    const double sx = banner.width() / 1142.0;
    const double sy = banner.height() / 80.0;
    return QRectF(banner.left() + tiles.left() * sx, banner.top() + tiles.top() * sy, tiles.width() * sx,
                  tiles.height() * sy);
}

QIcon programIcon() { return QIcon(new ProgramIconEngine); }

QCursor handCursor()
{
    static const QCursor cursor(pixmapOf("hand_cursor.svg", QSize(32, 32)), 12, 2);
    return cursor;
}

}  // namespace lexivo

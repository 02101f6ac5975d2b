#include "editing/export_font.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QFontMetrics>
#include <QString>

#include "ui/controls.h"

namespace lexivo {

QFont exportDocumentFont(const ExportStyle& style, int height)
{
    QFont font = cellFont(QString::fromStdString(style.face), height);
    if (style.weight > 0) {
        font.setWeight(QFont::Weight(std::clamp(style.weight, 1, 1000)));
    }
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    return font;
}

TextWidth exportLineWidth(const ExportStyle& style)
{
    // A page has few distinct characters: each is measured once.
    constexpr int kUnmeasured = -1;
    auto advances = std::make_shared<std::vector<int>>(std::size_t(1) << 16, kUnmeasured);
    return [metrics = QFontMetrics(exportDocumentFont(style, style.size)), advances](std::string_view text) {
        int width = 0;
        for (const QChar character : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
            int& advance = (*advances)[character.unicode()];
            if (advance == kUnmeasured) {
                advance = metrics.horizontalAdvance(character);
            }
            width += advance;
        }
        return width;
    };
}

}  // namespace lexivo

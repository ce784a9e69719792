// The fonts of the windows and pictures: the faces the layouts name, each resolved to the nearest installed
// face of the same kind, and the twips the layouts measure in. Shared by the windows and by every picture
// drawn without them (PNG, PDF, printer).
#pragma once

#include <QFont>

namespace tessaroven {

// 15 twips are one pixel at 96 dpi; Qt's device-independent pixels take care of other screens.
inline constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) {
    return (twips >= 0 ? twips + kTwipsPerPixel / 2 : twips - kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The three faces the layouts name; each resolves to the nearest installed face of the same kind.
enum class FontFace {
    Window,         // the container's (window's) font
    Meiryo,         // "メイリオ": proportional Japanese
    MsGothic,       // "ＭＳ ゴシック": fixed-pitch Japanese (both list boxes)
    TimesNewRoman,  // "Times New Roman": Western serif
};

struct FontChoice {
    FontFace face = FontFace::Window;
    double points = 0;  // ignored for FontFace::Window
    bool italic = false;
};

// The requested face first, then the substitutes in order of preference, with a style hint for the rest.
QFont LayoutFont(FontFace face, double points, bool italic = false);
inline QFont LayoutFont(const FontChoice& font) {
    return LayoutFont(font.face, font.points, font.italic);
}

}  // namespace tessaroven

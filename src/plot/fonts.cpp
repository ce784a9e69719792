// Font faces with their substitutes.
#include "plot/fonts.h"

#include <QStringList>

namespace tessaroven {

QFont LayoutFont(FontFace face, double points, bool italic) {
    QFont font;
    switch (face) {
        case FontFace::Meiryo:
        case FontFace::Window:
            font.setFamilies({QStringLiteral("メイリオ"), QStringLiteral("Meiryo"),
                              QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                              QStringLiteral("IPAGothic")});
            font.setStyleHint(QFont::SansSerif);
            break;
        case FontFace::MsGothic:
            // Fixed pitch so that the list columns line up.
            font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                              QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
            font.setStyleHint(QFont::TypeWriter);
            font.setFixedPitch(true);
            break;
        case FontFace::TimesNewRoman:
            // Western faces lack Japanese glyphs; the Japanese faces behind them keep such text from turning
            // into boxes.
            font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                              QStringLiteral("IPAPGothic")});
            font.setStyleHint(QFont::Serif);
            break;
    }
    if (points > 0) {
        font.setPointSizeF(points);
    }
    font.setItalic(italic);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace tessaroven

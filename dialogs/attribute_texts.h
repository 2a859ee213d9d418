// Captions and messages of the attribute windows (pen, brush, width, line
// type, line end, point, layers) and the operation-line words of the
// Settings-menu items that open them. UTF-8.
#pragma once

namespace AttributeText {

// Window titles; the Settings-menu items show the same words in panel 1,
// except the brush window's.
inline constexpr char kPenTitle[] = "ペン設定";
inline constexpr char kBrushTitle[] = "ブラシ設定（塗り潰し設定）";
inline constexpr char kBrushOperation[] = "ブラシ設定";
inline constexpr char kWidthTitle[] = "ペン幅設定";
inline constexpr char kDashTitle[] = "ペン線種設定";
inline constexpr char kCapTitle[] = "ペン線端設定";
inline constexpr char kPointTitle[] = "点設定";
inline constexpr char kLayerTitle[] = "レイヤ";
inline constexpr char kLayerOperation[] = "レイヤ設定";

inline constexpr char kClose[] = "&X";
inline constexpr char kFontFamily[] = "ＭＳ ゴシック";

// Pen and brush windows.
inline constexpr char kPenKinds[5][32] = {"色ペン", "透過色ペン", "ハッチングペン", "画像ペン",
                                          "グラデーションペン"};
inline constexpr char kBrushKinds[6][32] = {"色ブラシ", "透過色ブラシ", "ハッチングブラシ",
                                            "画像ブラシ", "線形グラデーション", "放射グラデーション"};
inline constexpr char kPickColour[] = "色設定";
inline constexpr char kLineColour[] = "線色";
inline constexpr char kFillColour[] = "塗色";
inline constexpr char kStartColour[] = "始色";
inline constexpr char kEndColour[] = "終色";
inline constexpr char kCentreColour[] = "中心色";
inline constexpr char kSurroundColour[] = "周囲色";
inline constexpr char kAlpha[] = "α値";
inline constexpr char kAngle[] = "角度";
inline constexpr char kDegree[] = "°";
inline constexpr char kBrowse[] = "参照";
inline constexpr char kSwatchText[] = "　　　";
// The refusal of a chosen image file whose name the files cannot hold.
inline constexpr char kImageFileRefusedTitle[] = "画像ファイル";
inline constexpr char kImageFileField[] = "画像ファイル名";
inline constexpr char kImageFilter[] =
    "画像ファイル (*.ico *.wmf *.emf *.bmp *.gif *.png *.tif *.tiff *.jpe *.jpg *.jpeg *.jfif)";

// Width and point windows.
inline constexpr char kWidthLabel[] = "ペン幅：";
inline constexpr char kPointKinds[] = "点の種類";
inline constexpr char kPointSize[] = "大きさ：";

// Layer window.
inline constexpr char kLayerNumber[] = "No.";
inline constexpr char kLayerShown[] = "Ｄ";
inline constexpr char kLayerName[] = "レイヤ名";
inline constexpr char kShownMark[] = "○";
inline constexpr char kHiddenMark[] = "－";
inline constexpr char kAllOn[] = "ALL-ON";
inline constexpr char kAllOff[] = "ALL-OFF";
inline constexpr char kNameRefusedTitle[] = "レイヤ名";
// Followed by the character's code point ("U+1F600").
inline constexpr char kNameRefused[] = "この文字は図面ファイル（Shift-JIS）に保存できないため、レイヤ名に使えません：";

}  // namespace AttributeText

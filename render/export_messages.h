// Reasons an export gives for the window and the command line (UTF-8).
#pragma once

namespace exportMessages {

inline constexpr char kTooLarge[] = "画像が大きすぎてメモリーに描けません";
inline constexpr char kGifFailed[] = "GIF に変換できません";
inline constexpr char kMetafileFailed[] = "メタファイルを記録できません";
inline constexpr char kSvgFailed[] = "SVG に描けません";
inline constexpr char kPdfFailed[] = "PDF に描けません";
// %1 x %2: the size asked for; %3: the largest side.
inline constexpr char kSizeOutOfRange[] = "画像サイズ %1 × %2 は範囲外です（幅と高さは 1 ～ %3）";
// %1: the extension typed; %2: the ones that can be written.
inline constexpr char kUnknownExtension[] = "拡張子「%1」の画像形式は保存できません（使える拡張子: %2）";

}  // namespace exportMessages

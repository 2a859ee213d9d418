// The drawing file's messages for the window (UTF-8). The reason after a
// system error is the platform's own text (strerror).
#pragma once

#include <string_view>

namespace fileMessages {

inline constexpr std::string_view kCannotOpen = "ファイルを開けません";
inline constexpr std::string_view kIsAFolder = "フォルダーです";
inline constexpr std::string_view kNotARegularFile = "通常のファイルではありません";
inline constexpr std::string_view kTooLarge = "図面ファイルとして大きすぎます（1 GiB まで）";
inline constexpr std::string_view kNotADrawing = "図面ファイル（.mt）ではありません。画像サイズもレイヤーの記録も見つかりません";
inline constexpr std::string_view kReadBrokeOff = "読み込みが途中で失敗しました（読み込めた分は残っています）";
inline constexpr std::string_view kCannotSave = "ファイルを保存できません（元のファイルは変更されていません）";
inline constexpr std::string_view kUnencodable = "Shift-JIS で保存できない文字があるため保存しません";
inline constexpr std::string_view kLineBreak = "改行";
inline constexpr std::string_view kCharacter = "文字";
inline constexpr std::string_view kLayerName = "レイヤー名";
inline constexpr std::string_view kImageFileName = "画像ファイル名";
inline constexpr std::string_view kElement = "要素";
inline constexpr std::string_view kOpenQuote = "「";
inline constexpr std::string_view kCloseQuote = "」";

}  // namespace fileMessages

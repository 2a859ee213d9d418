// The messages of mirt-export on its one stderr line (UTF-8); the usage text
// (--help) stays English like the option names it explains.
#pragma once

namespace toolMessages {

// %1: the extension typed.
inline constexpr char kUnknownExtension[] = "出力の拡張子「%1」は使えません（--help を参照）";
// %1: the input path.
inline constexpr char kNotAFile[] = "%1 を読めません: ファイルではありません";
// %1: the input path; %2: the reason.
inline constexpr char kCannotRead[] = "%1 を読めません: %2";
// %1: the output path; %2: the reason.
// %1: the DXF file; %2: the entities that have no counterpart, with counts.
inline constexpr char kDxfSkipped[] = "%1: 対応する要素のない実体を読み飛ばしました: %2";
inline constexpr char kCannotWrite[] = "%1 に書けません: %2";
// %1: the option typed.
inline constexpr char kUnknownOption[] = "不明なオプションです: %1（--help を参照）";
inline constexpr char kArguments[] = "INPUT.mt と OUTPUT の二つを指定してください（--help を参照）";

}  // namespace toolMessages

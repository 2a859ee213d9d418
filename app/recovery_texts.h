// Texts of the drawing restore after the program stopped unexpectedly: the
// question at start, the notices when a drawing cannot be restored, and the
// operation line after a restore. UTF-8; %1.. are filled in by the window.
#pragma once

namespace RecoveryText {

inline constexpr char kTitle[] = "図面の復元";
inline constexpr char kQuestion[] =
    "前回 Mirt が正常に終了しなかったため、保存されていない図面が残っています。\n"
    "この図面を復元しますか？\n\n"
    "図面：%1\n"
    "最後の変更：%2\n"
    "操作の数：%3";
inline constexpr char kNewDrawing[] = "新規図面（%1×%2）";
inline constexpr char kTornTail[] =
    "\n\n記録の最後の %1 バイトは書き込みの途中で終わっているため、その前の操作までを復元します。";
inline constexpr char kNoAnswerNote[] = "\n\n「いいえ」を選ぶと、記録は日付を付けた別名で保管されます。";
inline constexpr char kOriginChanged[] =
    "前回 Mirt が正常に終了しなかったため、保存されていない図面の記録が残っていますが、"
    "元のファイル「%1」が変更されているため復元できません。\n\n記録は「%2」として保管しました。";
inline constexpr char kOriginMissing[] =
    "前回 Mirt が正常に終了しなかったため、保存されていない図面の記録が残っていますが、"
    "元のファイル「%1」が見つからないため復元できません。\n\n記録は「%2」として保管しました。";
inline constexpr char kNewerFormat[] =
    "保存されていない図面の記録が残っていますが、新しい版の Mirt の記録のため読み込めません。\n\n"
    "記録は「%1」として保管しました。";
inline constexpr char kPartial[] =
    "記録の途中に読み込めない部分があったため、%1 操作のうち %2 操作までを復元しました。";
inline constexpr char kRestored[] = "＜復元＞";
inline constexpr char kTimeFormat[] = "yyyy/MM/dd HH:mm:ss";

}  // namespace RecoveryText

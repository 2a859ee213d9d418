// Texts of the Edit-menu commands: the outcomes of select-all and deselect,
// the refusals of an empty selection and the counts of delete, move and copy.
// (The outcomes of the selecting clicks are interaction/command_texts.h.)
// UTF-8.
#pragma once

namespace EditText {

inline constexpr char kSelectAllOk[] = "全選択OK";
inline constexpr char kSelectAllNg[] = "全選択NG";
inline constexpr char kDeselected[] = "選択解除";
inline constexpr char kNotSelected[] = "<非選択>";
inline constexpr char kNothing[] = "---";

inline constexpr char kDeleteNoSelection[] = "削除｜要素が選択されていません";
inline constexpr char kMoveNoSelection[] = "移動｜要素が選択されていません";
inline constexpr char kCopyNoSelection[] = "複写｜要素が選択されていません";
inline constexpr char kDeleted[] = "削除｜選択要素を削除しました";
inline constexpr char kDeleteCount[] = "削除数：";
inline constexpr char kMoveCount[] = "移動数：";
inline constexpr char kCopyCount[] = "複写数：";
inline constexpr char kChangeCount[] = "変更数：";
inline constexpr char kSelectOnePolyline[] = "連続線１要素を選択してから実行して下さい";
inline constexpr char kSelectOneText[] = "文字１要素を選択してから実行して下さい";
inline constexpr char kChanged[] = "変更";
inline constexpr char kSelectOneFirst[] = "１要素選択してから実行して下さい";

} // namespace EditText

// Texts of the Draw commands besides the prompts (interaction/command_prompts.inc):
// the prompt when none runs, dialog row names and units, the outcome messages
// of the builders, of the selecting clicks and of the division-point command.
// UTF-8.
#pragma once

namespace CommandText {

// The status line when no command runs.
inline constexpr char kIdlePrompt[] = "画面上で右クリックするとメニューが表示されます。";

// Numeric dialog rows.
inline constexpr char kDot[] = "ドット";
inline constexpr char kDegree[] = "°";
inline constexpr char kRatioUnit[] = "(比率)";
inline constexpr char kTiltAngle[] = "傾き角度";
inline constexpr char kRadius[] = "半径";
inline constexpr char kRadiusX[] = "Ｘ軸半径";
inline constexpr char kRadiusY[] = "Ｙ軸半径";
inline constexpr char kRatio[] = "偏平率";
inline constexpr char kStartAngle[] = "開始角度";
inline constexpr char kSweepAngle[] = "円弧角度";
inline constexpr char kOuterRadiusX[] = "Ｘ軸外半径";
inline constexpr char kOuterRadiusY[] = "Ｙ軸外半径";
inline constexpr char kInnerRadiusX[] = "Ｘ軸内半径";
inline constexpr char kInnerRadiusY[] = "Ｙ軸内半径";
inline constexpr char kCornerCount[] = "角数";
inline constexpr char kDivisionCount[] = "分割数";

// Builder outcomes: label + one of these ("線分作図(" n ")", "円作図NG").
inline constexpr char kBuilt[] = "作図(";
inline constexpr char kBuiltEnd[] = ")";
inline constexpr char kBuildRefused[] = "作図NG";
inline constexpr char kChanged[] = "変更";
inline constexpr char kChangeRefused[] = "変更NG";
inline constexpr char kNoPoints[] = "点 未指定";

// The selecting clicks of the Edit family.
inline constexpr char kSelectOneOk[] = "１要素選択OK";
inline constexpr char kSelectOneNg[] = "１要素選択NG";
inline constexpr char kSelectRangeOk[] = "範囲選択OK";
inline constexpr char kSelectRangeNg[] = "範囲選択NG";

// Parallel and perpendicular lines without one selected line segment.
inline constexpr char kSelectOneLine[] = "線分１要素を選択してから実行して下さい";

// Division points.
inline constexpr char kDivideNothingSelected[] = "分割点｜要素が選択されていません";
inline constexpr char kDivideCancelled[] = "分割点｜(入力キャンセル)";
inline constexpr char kDivideDone[] = "分割点｜選択した線の分割点を作図しました";
inline constexpr char kDivideCount[] = "要素数：";
inline constexpr char kNothing[] = "---";

}  // namespace CommandText

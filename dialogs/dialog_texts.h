// Captions of the new-drawing and grid dialogs. UTF-8.
#pragma once

namespace DialogText {

inline constexpr char kOk[] = "ＯＫ(&Y)";
inline constexpr char kCancel[] = "キャンセル(N)";
inline constexpr char kDots[] = "ドット";
inline constexpr char kWidth[] = "横幅：";
inline constexpr char kHeight[] = "縦高：";
inline constexpr char kGridTitle[] = "グリッド設定";
inline constexpr char kGridShown[] = "グリッド表示";
inline constexpr char kPitchX[] = "横方向間隔：";
inline constexpr char kPitchY[] = "縦方向間隔：";
inline constexpr char kMinorColour[] = "グリッド色";
inline constexpr char kMajorColour[] = "グリッド色(5個毎)";
inline constexpr char kPickColour[] = "色設定";

}  // namespace DialogText

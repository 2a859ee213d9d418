// Texts of the point entry and the cursor readout. UTF-8.
#pragma once

namespace PointEntryText {

// Panel 1 while the field is open: the echo of the text.
inline constexpr char kEcho[] = "入力：";
// Panel 1 when Return finds no point in the text.
inline constexpr char kNotAForm[] = "座標入力NG（形式）";
inline constexpr char kOutOfRange[] = "座標入力NG（範囲）";
inline constexpr char kNoLastPoint[] = "座標入力NG（基点なし）";
inline constexpr char kNoDirection[] = "座標入力NG（方向なし）";

// The readout: "x, y" then, while the band follows, "長さ" L and "角度" A°.
inline constexpr char kLength[] = "長さ";
inline constexpr char kAngle[] = "角度";
inline constexpr char kDegree[] = "°";

}  // namespace PointEntryText

// Captions, labels and list items of the modal dialogs. UTF-8.
#pragma once

namespace DialogText {

inline constexpr char kOk[] = "ＯＫ(&Y)";
inline constexpr char kCancel[] = "キャンセル(N)";
inline constexpr char kDots[] = "ドット";

// New drawing / image size, grid
inline constexpr char kWidth[] = "横幅：";
inline constexpr char kHeight[] = "縦高：";
inline constexpr char kGridTitle[] = "グリッド設定";
inline constexpr char kGridShown[] = "グリッド表示";
inline constexpr char kPitchX[] = "横方向間隔：";
inline constexpr char kPitchY[] = "縦方向間隔：";
inline constexpr char kMinorColour[] = "グリッド色";
inline constexpr char kMajorColour[] = "グリッド色(5個毎)";
inline constexpr char kPickColour[] = "色設定";

// Numeric input: the tooltip reads kMinimum + min + kMaximum + max.
inline constexpr char kNumericTitle[] = "数値入力";
inline constexpr char kMinimum[] = "最小値:";
inline constexpr char kMaximum[] = " ～ 最大値:";

// Cornered rectangle
inline constexpr char kCornerTitle[] = "角付長方形";
inline constexpr const char* kCornerNames[4] = {"左上角", "右上角", "左下角", "右下角"};
inline constexpr char kCornerWidth[] = "横幅";
inline constexpr char kCornerHeight[] = "縦高";
inline constexpr const char* kCornerTypes[7] = {"無し", "面取り", "Ｌ面", "逃Ｌ面", "丸め", "逆丸め", "逃丸め"};

// Text entry
inline constexpr char kTextTitle[] = "文字入力編集";
inline constexpr char kFont[] = "フォント";
inline constexpr char kSize[] = "サイズ";
inline constexpr char kAngle[] = "角度(°)";
inline constexpr char kRatioX[] = "Ｘ比率";
inline constexpr char kAnchor[] = "基点";
inline constexpr const char* kAnchors[9] = {"左下", "中下", "右下", "左中", "中中", "右中", "左上", "中上", "右上"};
inline constexpr const char* kStyles[4] = {"太字", "斜体", "下線", "打消線"};
// Font names that are not fonts one picks for a drawing (vertical-writing
// and symbol families) are left out of the list.
inline constexpr const char* kExcludedFontPrefixes[8] = {"@", "＠", "%", "％", "$", "＄", "&", "＆"};
// A name or text the drawing file cannot hold: what + kUnencodable +
// "「" character "」(U+XXXX)", or kLineBreak "(U+000A)" for a line break.
inline constexpr char kFontNameField[] = "フォント名";
inline constexpr char kTextField[] = "文字列";
inline constexpr char kUnencodable[] = "に Shift-JIS で保存できない文字があります：";
inline constexpr char kOpenQuote[] = "「";
inline constexpr char kCloseQuote[] = "」";
inline constexpr char kLineBreak[] = "改行";

// Polyline points: the add list reads "第k点～第k+1点" and, last,
// "第n点～第1点"; the remove list "第k点".
inline constexpr char kPointsTitle[] = "連続線の点の増減入力";
inline constexpr char kAddPoint[] = "点を増やす";
inline constexpr char kRemovePoint[] = "点を減らす";
inline constexpr char kPointOpen[] = "第";
inline constexpr char kPointClose[] = "点";
inline constexpr char kPointTo[] = "点～第";

}  // namespace DialogText

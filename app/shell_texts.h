// Texts of the main window: title, idle prompt, the operation-line words of
// the view operations and the File menu, the file questions, and the
// refusals of files handed from outside. UTF-8.
#pragma once

#include "interaction/command_texts.h"

namespace ShellText {

inline constexpr char kTitle[] = "Mirt- GDI+による落書きテストプログラム";
inline constexpr auto& kIdlePrompt = CommandText::kIdlePrompt;

// Keys and wheel.
inline constexpr char kEsc[] = "Esc";
inline constexpr char kPageUp[] = "PageUp";
inline constexpr char kPageDown[] = "PageDown";
inline constexpr char kInsEnd[] = "Ins/End";
inline constexpr char kHome[] = "Home";
inline constexpr char kCursor[] = "CURSOR";
inline constexpr char kWheelDown[] = "ホイール↓";
inline constexpr char kWheelUp[] = "ホイール↑";

// Canvas gestures: the word shown while dragging, and the outcome.
inline constexpr char kDragCentre[] = "画面移動";
inline constexpr char kDragZoomIn[] = "画面拡大";
inline constexpr char kDragZoomOut[] = "画面縮小";
inline constexpr char kDragWhole[] = "全体表示";
inline constexpr char kDragPrevious[] = "前倍率表示";
inline constexpr char kDoneCentre[] = "画面移動表示";
inline constexpr char kDoneZoomIn[] = "画面拡大表示";
inline constexpr char kDoneZoomOut[] = "画面縮小表示";
inline constexpr char kDoneWhole[] = "画面全体表示";
inline constexpr char kDonePrevious[] = "画面前倍率表示";
inline constexpr char kDragPanMoving[] = "画面移動";
inline constexpr char kDragPanDone[] = "画面ドラッグ移動";

// File and Settings menus.
inline constexpr char kNewCaption[] = "新規作成";
inline constexpr char kSizeCaption[] = "画像サイズ設定";
inline constexpr char kNewDone[] = "＜新規作成＞";
inline constexpr char kOpenDone[] = "＜開く＞";
inline constexpr char kSaveDone[] = "＜保存＞";
inline constexpr char kImageDone[] = "＜画像保存＞";
inline constexpr char kOpening[] = "開いています…";
inline constexpr char kSaving[] = "保存しています…";
inline constexpr char kSavingImage[] = "画像を保存しています…";
inline constexpr char kPainting[] = "描画しています…";
inline constexpr char kSizeDone[] = "画像サイズ設定";
inline constexpr char kGridDone[] = "グリッド設定";
inline constexpr char kDrawingFilter[] = "*.mt (*.mt)";
// Open also takes DXF drawings, which come in unsaved.
inline constexpr char kOpenFilter[] = "*.mt *.dxf (*.mt *.dxf);;*.mt (*.mt);;*.dxf (*.dxf)";
inline constexpr char kImageFilter[] =
    "*.bmp (*.bmp);;*.wmf (*.wmf);;*.emf (*.emf);;*.jpg (*.jpg);;*.tif (*.tif);;"
    "*.gif (*.gif);;*.png (*.png);;*.svg (*.svg);;*.pdf (*.pdf);;*.dxf (*.dxf)";

// Messages of ours (the unsaved-changes question, file errors).
inline constexpr char kUnsavedTitle[] = "未保存の変更";
inline constexpr char kUnsavedQuestion[] = "図面の変更が保存されていません。保存しますか？";
inline constexpr char kOpenFailed[] = "ファイルを開けません";
inline constexpr char kSaveFailed[] = "ファイルを保存できません";
inline constexpr char kImageFailed[] = "画像を保存できません";
// %1: the entities of a DXF file that have no counterpart, with counts.
inline constexpr char kDxfSkippedTitle[] = "DXF の読み込み";
inline constexpr char kDxfSkipped[] = "対応する要素のない実体を読み飛ばしました: %1";

// Files handed to the window from outside (the command line, a drop); %1 is
// the name as given.
inline constexpr char kNameNotUtf8[] = "%1\nファイル名が UTF-8 ではないため開けません";
inline constexpr char kDropNoFile[] = "ドロップされたものはファイルではありません";
inline constexpr char kDropSeveral[] = "図面ファイルは一度に一つだけ開けます（%1 個ドロップされました）";
inline constexpr char kDropNotLocal[] = "%1\nこのコンピューター上のファイルではないため開けません";
inline constexpr char kDropNotDrawing[] = "%1\n図面ファイル（.mt、.dxf）ではありません";

}  // namespace ShellText

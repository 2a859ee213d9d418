// The settings file: window positions, the current attributes, the grid, the
// file dialogs' folders, which attribute windows were open and the remembered
// construction inputs, kept between runs as 129 text lines (CP932, CR LF) in
// a fixed order. The line order, ranges and defaults are one table
// (settings_table.h) that both the reader and the writer walk.
#pragma once

#include "model/attributes.h"
#include "model/construction_parameters.h"
#include "model/view.h"

#include <cstdint>
#include <string>
#include <vector>

// Where a window sits on the screen, in pixels. width and height are stored
// only for the resizable windows (the main and the layer window); the others
// keep their design size and leave them 0.
struct WindowPlace {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// One place per window, named after the window.
struct WindowPlaces {
    WindowPlace form1; // main window: left, top, width, height
    WindowPlace form2; // pen
    WindowPlace form3; // pen width
    WindowPlace form4; // dash type
    WindowPlace form5; // line caps (end style)
    WindowPlace form6; // point style
    WindowPlace form7; // brush
    WindowPlace formNew; // new drawing
    WindowPlace formGrd; // grid
    WindowPlace formInp1; // numeric input
    WindowPlace formInp2; // polyline points
    WindowPlace formCBox; // cornered rectangle
    WindowPlace formMoji; // text input
    WindowPlace formLay; // layers: left, top, width, height
};

// The modeless attribute windows that were open at the last exit; they are
// opened again at start.
struct OpenAttributeWindows {
    bool form2 = false; // pen
    bool form3 = false; // pen width
    bool form4 = false; // dash type
    bool form5 = false; // caps
    bool form6 = false; // point style
    bool form7 = false; // brush
    bool formLay = false; // layers
};

// Everything the settings file holds. Strings are UTF-8. The current layer
// of `attributes` is not stored: every run starts on layer 0.
struct Settings {
    WindowPlaces windows;
    CurrentAttributes attributes;
    GridSettings grid;
    std::string openDialogFolder; // folder of the open dialog's last file
    std::string saveDialogFolder; // folder of the save dialog's last file
    OpenAttributeWindows openWindows;
    ConstructionParameters construction;
};

// Reads the file over the built-in defaults (LoadDefaults). A missing or
// unreadable file gives the defaults. A number that does not parse or lies
// outside its line's range keeps its default, one line at a time; so does
// every line missing at the end of a file that ends early.
Settings ReadSettings(const std::string& path);

// Writes all lines to a temporary file beside `path` and renames it over
// `path` only when complete; on failure the old file stays as it was and the
// result is false. Creates the parent folder when it is missing. A string
// CP932 cannot hold is written as an empty line and named in `lost` ("line
// 129: U+1F600"), so the caller can report it; the other lines are kept.
bool WriteSettings(
    const std::string& path, const Settings& settings, std::vector<std::string>* lost = nullptr);

// The executable's path with its extension replaced by ".dat"; when the
// executable's folder is not writable, the same file name under configDir.
std::string SettingsPath(const std::string& executablePath, const std::string& configDir);

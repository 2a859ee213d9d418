// Small drawings for the drawing-file tests: one element of every kind with
// Japanese text, and helpers to look at written files line by line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/data.h"

// One element of each of the eighteen kinds, each attribute kind used once,
// a named layer, a text in Japanese; every value exact in 15 digits.
void fillEveryKind(Drawing& drawing);

// The file's lines without their CR LF (the last, empty piece dropped).
std::vector<std::string> fileLines(std::string_view bytes);
// Lines joined with CR LF, each line terminated.
std::string joinLines(const std::vector<std::string>& lines);

std::string readBytes(const std::string& path);
bool writeBytes(const std::string& path, std::string_view bytes);
// A fresh empty directory under the system's temporary folder.
std::string makeTempDir();

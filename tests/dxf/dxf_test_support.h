// Helpers of the DXF tests: a drawing with attributes set up by hand, files
// in a temporary folder, and running the ezdxf scripts beside this file.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "dxf/dxf.h"
#include "model/data.h"

namespace dxf_test {

inline std::filesystem::path TempFolder()
{
    const auto folder = std::filesystem::temp_directory_path() /
                        ("mirt_dxf_" + std::to_string(::getpid()) + "_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    return folder;
}

// Runs a script with the system's python3 (which has Debian's ezdxf);
// its exit status, with its output in `output`.
inline int RunScript(const std::string& script, const std::string& args, std::string& output)
{
    const std::string log = (std::filesystem::temp_directory_path() / ("mirt_dxf_py_" + std::to_string(::getpid()))).string();
    const std::string command = std::string(MIRT_PYTHON3) + " " + MIRT_DXF_SCRIPTS + "/" + script + " " + args +
                                " > " + log + " 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    output.assign(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(log);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string WriteToString(const Drawing& drawing, ImageSize size)
{
    std::string out;
    const dxf::WriteResult result = dxf::WriteDxf(drawing, size, [&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    EXPECT_TRUE(result.ok) << result.message;
    return out;
}

inline int32_t Pen(Drawing& d, int32_t colourRef) { return appendEntry(d.attributes.penColor, PenColorEntry{0, colourRef}); }
inline int32_t Brush(Drawing& d, int32_t colourRef) { return appendEntry(d.attributes.brushColor, PenColorEntry{0, colourRef}); }
inline int32_t Width(Drawing& d, double w) { return appendEntry(d.attributes.width, WidthEntry{0, w}); }
inline int32_t Dash(Drawing& d, int32_t style) { return appendEntry(d.attributes.lineType, LineTypeEntry{0, style, 0}); }

}  // namespace dxf_test

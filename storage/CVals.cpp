// The built-in defaults, taken from the default column of the settings line
// table so that they cannot drift from what the reader and writer use.
#include "storage/CVals.h"

#include "storage/settings_table.h"

namespace {

struct DefaultSetter {
    const SettingsLine& line;
    Settings& settings;

    void operator()(int32_t* (*field)(Settings&)) const
    {
        *field(settings) = static_cast<int32_t>(line.defaultNumber);
    }
    void operator()(double* (*field)(Settings&)) const { *field(settings) = line.defaultNumber; }
    void operator()(bool* (*field)(Settings&)) const { *field(settings) = line.defaultNumber != 0; }
    void operator()(std::string* (*field)(Settings&)) const { *field(settings) = line.defaultText; }
};

} // namespace

Settings LoadDefaults()
{
    Settings settings;
    for (const SettingsLine& line : SettingsLines())
        std::visit(DefaultSetter { line, settings }, line.field);
    settings.attributes.currentLayer = 0;
    return settings;
}

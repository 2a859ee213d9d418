// The prompt table (interaction/command_prompts.inc) and its look-up.
#include <algorithm>
#include <iterator>

#include "interaction/command_modes.h"
#include "interaction/command_table.h"
#include "interaction/command_texts.h"

namespace {

struct PromptRow {
    int mode;
    const char* text;  // UTF-8; %1 is the number of the point asked for
};

constexpr PromptRow kPrompts[] = {
#include "interaction/command_prompts.inc"
};
// findPrompt searches by halves.
static_assert(std::adjacent_find(std::begin(kPrompts), std::end(kPrompts),
                                 [](const PromptRow& a, const PromptRow& b) { return a.mode >= b.mode; }) ==
                  std::end(kPrompts),
              "the prompt rows must be in ascending mode order, each mode once");

const PromptRow* findPrompt(int mode)
{
    const auto* found = std::lower_bound(std::begin(kPrompts), std::end(kPrompts), mode,
                                         [](const PromptRow& row, int m) { return row.mode < m; });
    return found != std::end(kPrompts) && found->mode == mode ? found : nullptr;
}

}  // namespace

bool HasPrompt(int commandMode)
{
    return findPrompt(commandMode) != nullptr;
}

QString PromptFor(int commandMode, const Construction& construction)
{
    const PromptRow* row = findPrompt(commandMode);
    if (!row)
        return QString::fromUtf8(CommandText::kIdlePrompt);
    QString text = QString::fromUtf8(row->text);
    if (text.contains(QLatin1String("%1"))) {
        // Sequences ask for the next point; their change modes for the picked vertex.
        const int number = construction.changeHandle >= 0 && command_modes::IsVertexChange(commandMode) ? construction.changeHandle + 1
                                                                                    : construction.nextPoint;
        text = text.arg(number);
    }
    return text;
}

// The window-less host of the command machine tests.
#include "fake_host.h"

#include "editing/edit_commands.h"
#include "render/picture.h"
#include "storage/CVals.h"

FakeHost::FakeHost(int canvasWidth, int canvasHeight) : image(canvasWidth, canvasHeight, QImage::Format_RGB32)
{
    settings = LoadDefaults();
    graph.setAttributes(&drawing.attributes);
    Repaint();
}

void FakeHost::ShowPrompt()
{
    prompt = PromptFor(state.CommandMode, state.construction);
}

void FakeHost::moveSelection(PointD base, PointD target)
{
    CommandContext c = ctx();
    MoveSelection(c, base, target);
}

void FakeHost::copySelection(PointD base, PointD target)
{
    CommandContext c = ctx();
    CopySelection(c, base, target);
}

void FakeHost::Repaint()
{
    ForgetPreviews(state);
    PictureParams params;
    params.canvasWidth = image.width();
    params.canvasHeight = image.height();
    params.view = state.view.view;
    params.grid = settings.grid;
    if (graph.Begin(&image)) {
        DrawPicture(graph, drawing, params);
        graph.End();
    }
}

void FakeHost::Deselect()
{
    ++deselections;
    drawing.selection.clear();
    drawing.controlPoints.clear();
}

std::function<bool(NumericRows&)> FakeHost::Answering(std::vector<double> values)
{
    return [values = std::move(values)](NumericRows& rows) {
        for (size_t i = 0; i < values.size() && i < rows.size(); ++i)
            rows[i].value = values[i];
        return true;
    };
}

bool FakeHost::askNumbers(NumericRows& rows)
{
    ++dialogsAsked;
    return numbers && numbers(rows);
}

bool FakeHost::askCorners(ConstructionParameters& params)
{
    ++dialogsAsked;
    return corners && corners(params);
}

bool FakeHost::askText(ConstructionParameters& params)
{
    ++dialogsAsked;
    return text && text(params);
}

bool FakeHost::askPolyPoint(int pointCount, PolyPointChoice& choice)
{
    ++dialogsAsked;
    return polyPoint && polyPoint(pointCount, choice);
}

bool FakeHost::start(const char* handler)
{
    const auto item = FindMenuItem(handler);
    if (!item)
        return false;
    CommandContext c = ctx();
    StartMenuItem(c, *item);
    return true;
}

void FakeHost::click(int x, int y)
{
    CommandContext c = ctx();
    state.pressX = x;
    state.pressY = y;
    state.mouseFlags = kMouseLeft;
    MachineMouseDown(c, Qt::LeftButton, {x, y});
    ErasePreviews(c);
    MachineLeftClick(c, {x, y});
    state.mouseFlags = 0;
}

void FakeHost::hover(int x, int y)
{
    CommandContext c = ctx();
    MachineMouseMove(c, Qt::NoButton, {x, y});
}

void FakeHost::backspace()
{
    CommandContext c = ctx();
    ErasePreviews(c);
    StepBack(c);
}

#pragma once
#include "base/PortableTypes.h"

// The taskbar's screen edge, as the shell numbers it (ABE_LEFT .. ABE_BOTTOM).
enum TaskbarEdge : int
{
    kEdgeLeft = 0,
    kEdgeTop = 1,
    kEdgeRight = 2,
    kEdgeBottom = 3,
};

bool IsTaskbarEdge(unsigned long edge);

// What the slide works with: the taskbar, the pop-up's size and the pace.
struct SlideParams
{
    int edge = kEdgeLeft;
    RECT taskbar = {};  // screen coordinates
    int width = 0;
    int height = 0;
    int step = 10;      // pixels per tick
    int margin = 0;     // gap kept from the taskbar's end
};

// Where the pop-up stands and which part of it shows.
struct SlideFrame
{
    POINT position = {};  // window's top-left corner, screen coordinates
    RECT visible = {};    // window coordinates; becomes the window region
};

// One step's strip shows against the taskbar's inner edge, at the taskbar's right (horizontal
// taskbar) or bottom (vertical taskbar) end.
SlideFrame InitialPlacement(const SlideParams& params);

// Moves one step out of the taskbar; the last step is shortened so that the pop-up ends exactly
// fully out. Returns true when it is fully out.
bool SlideInStep(const SlideParams& params, SlideFrame& frame);

// Moves one step back into the taskbar. Returns true, and leaves the frame as it is, when less
// than one step of the pop-up is still visible: the pop-up is then gone.
bool SlideOutStep(const SlideParams& params, SlideFrame& frame);

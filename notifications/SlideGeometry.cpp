#include "notifications/SlideGeometry.h"

bool IsTaskbarEdge(unsigned long edge)
{
    return edge <= kEdgeBottom;
}

SlideFrame InitialPlacement(const SlideParams& p)
{
    const RECT& t = p.taskbar;
    SlideFrame f;
    f.visible = {0, 0, p.width, p.height};
    switch (p.edge)
    {
    case kEdgeLeft:
        f.position = {t.right - p.width + p.step, t.bottom - p.height - p.margin};
        f.visible.left = p.width - p.step;
        break;
    case kEdgeTop:
        f.position = {t.right - p.width - p.margin, t.bottom - p.height + p.step};
        f.visible.top = p.height - p.step;
        break;
    case kEdgeRight:
        f.position = {t.left - p.step, t.bottom - p.height - p.margin};
        f.visible.right = p.step;
        break;
    default:
        f.position = {t.right - p.width - p.margin, t.top - p.step};
        f.visible.bottom = p.step;
        break;
    }
    return f;
}

bool SlideInStep(const SlideParams& p, SlideFrame& f)
{
    int d = p.step;
    bool finished = false;
    switch (p.edge)
    {
    case kEdgeLeft:
        if (f.position.x + d >= p.taskbar.right)
        {
            d = p.taskbar.right - f.position.x;
            finished = true;
        }
        f.position.x += d;
        f.visible.left -= d;
        break;
    case kEdgeTop:
        if (f.position.y + d >= p.taskbar.bottom)
        {
            d = p.taskbar.bottom - f.position.y;
            finished = true;
        }
        f.position.y += d;
        f.visible.top -= d;
        break;
    case kEdgeRight:
    {
        const int shown = f.visible.right - f.visible.left;
        if (shown + d >= p.width)
        {
            d = p.width - shown;
            finished = true;
        }
        f.position.x -= d;
        f.visible.right += d;
        break;
    }
    default:
    {
        const int shown = f.visible.bottom - f.visible.top;
        if (shown + d >= p.height)
        {
            d = p.height - shown;
            finished = true;
        }
        f.position.y -= d;
        f.visible.bottom += d;
        break;
    }
    }
    return finished;
}

bool SlideOutStep(const SlideParams& p, SlideFrame& f)
{
    const int d = p.step;
    switch (p.edge)
    {
    case kEdgeLeft:
        if (f.position.x - d < p.taskbar.right - p.width)
            return true;
        f.position.x -= d;
        f.visible.left += d;
        break;
    case kEdgeTop:
        if (f.position.y - d < p.taskbar.bottom - p.height)
            return true;
        f.position.y -= d;
        f.visible.top += d;
        break;
    case kEdgeRight:
        if (f.visible.right - f.visible.left - d < 0)
            return true;
        f.position.x += d;
        f.visible.right -= d;
        break;
    default:
        if (f.visible.bottom - f.visible.top - d < 0)
            return true;
        f.position.y += d;
        f.visible.bottom -= d;
        break;
    }
    return false;
}

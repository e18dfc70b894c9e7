#include "host/win/Desktop.h"

namespace {

// The area a child covers in its parent, in the coordinates of the parent's origin given.
TRegion AreaInParent(const TWindow* c, TPoint parentOrigin)
{
    const TRect r = c->Bounds.Offset(parentOrigin.X, parentOrigin.Y);
    if (const TRegion* shape = ShapeOf(c))
        return shape->Offset(r.Left, r.Top).Intersect(TRegion(r));
    return TRegion(r);
}

// Inside every ancestor, not under a sibling above the window or any ancestor, not under the
// window's own children, inside every shape on the way.
TRegion ComputeVisible(const TWindow* w)
{
    if (!IsShowing(w))
        return {};
    const TPoint origin = ClientOriginInSurface(w);
    TRegion visible(w->ClientRect().Offset(origin.X, origin.Y));
    for (const TWindow* c = w; c->Parent && !visible.IsEmpty(); c = c->Parent) {
        const TWindow* p = c->Parent;
        const TPoint po = ClientOriginInSurface(p);
        if (const TRegion* shape = ShapeOf(c))
            visible = visible.Intersect(shape->Offset(po.X + c->Bounds.Left, po.Y + c->Bounds.Top));
        visible = visible.Intersect(TRegion(p->ClientRect().Offset(po.X, po.Y)));
        bool above = false;
        for (const TWindow* s : p->Children) {
            if (above && (s->Style & WS_VISIBLE))
                visible = visible.Subtract(AreaInParent(s, po));
            above = above || s == c;
        }
    }
    const TWindow* top = w;
    while (top->Parent)
        top = top->Parent;
    if (const TRegion* shape = ShapeOf(top))
        visible = visible.Intersect(shape->Offset(-top->Frame.Left, -top->Frame.Top));
    for (const TWindow* child : w->Children)
        if (child->Style & WS_VISIBLE)
            visible = visible.Subtract(AreaInParent(child, origin));
    return visible;
}

} // namespace

const TRegion& VisibleRegion(TWindow* w)
{
    const std::uint64_t stamp = Desktop().GeometryStamp;
    if (w->VisibleStamp != stamp) {
        w->Visible = ComputeVisible(w);
        w->VisibleStamp = stamp;
    }
    return w->Visible;
}

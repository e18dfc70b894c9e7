#include "host/ui/HintWindow.h"

#include "host/win/SystemInfo.h"

void THintWindow::Publish(TPublisher<THintWindow>&)
{
}

THintWindow::THintWindow(TComponent* owner)
    : TCustomControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.Parent = nullptr;
    params.Role = TWindowRole::Tooltip;
    params.Background = clInfoBk;
}

TRect THintWindow::CalcHintRect(const std::string& text, TPoint p)
{
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    TRect r { 0, 0, 0, 0 };
    DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    TRect result = Bounds(p.X, p.Y, r.Width() + 8, r.Height() + 4);
    // Kept on the screen.
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    if (result.Right > sw)
        result = result.Offset(sw - result.Right, 0);
    if (result.Bottom > sh)
        result = result.Offset(0, sh - result.Bottom);
    return result;
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& text)
{
    SetCaption(text);
    SetBoundsRect(rect);
    HandleNeeded();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    SetVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHandle()
{
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint()
{
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.Brush().Color = clInfoBk;
    canvas.FillRect(r);
    canvas.Brush().Color = clInfoText;
    canvas.FrameRect(r);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(clInfoText);
    r = r.Inflate(-4, -2);
    DrawText(canvas, Caption(), r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

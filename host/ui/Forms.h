#pragma once
#include <memory>
#include <string_view>

#include "host/ui/CustomControl.h"
#include "host/ui/Panel.h"
#include "host/ui/ScrollBox.h"

class TMainMenu;

constexpr UINT CM_RELEASE = CM_BASE + 33;

enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
inline const TEnumInfo& EnumInfo(TTypeTag<TFormStyle>)
{
    static const TEnumInfo info("TFormStyle", { "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop" });
    return info;
}

enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
inline const TEnumInfo& EnumInfo(TTypeTag<TWindowState>)
{
    static const TEnumInfo info("TWindowState", { "wsNormal", "wsMinimized", "wsMaximized" });
    return info;
}

enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
inline const TEnumInfo& EnumInfo(TTypeTag<TPosition>)
{
    static const TEnumInfo info("TPosition",
        { "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
            "poMainFormCenter", "poOwnerFormCenter" });
    return info;
}

enum TDefaultMonitor : std::uint8_t { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
inline const TEnumInfo& EnumInfo(TTypeTag<TDefaultMonitor>)
{
    static const TEnumInfo info("TDefaultMonitor", { "dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm" });
    return info;
}

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// Size limits of a control; 0 is no limit.
class TSizeConstraints : public TPersistent {
    DECLARE_CLASS(TSizeConstraints, TPersistent)

public:
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value)
    {
        minWidth_ = std::max(value, 0);
        Changed();
    }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value)
    {
        minHeight_ = std::max(value, 0);
        Changed();
    }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value)
    {
        maxWidth_ = std::max(value, 0);
        Changed();
    }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value)
    {
        maxHeight_ = std::max(value, 0);
        Changed();
    }
    void Assign(const TPersistent& source) override;
    // The size kept within the limits.
    TSize Apply(TSize size) const;

    std::function<void()> OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

// A top-level window holding controls, or an MDI child inside an MDI frame form.
class TCustomForm : public TCustomControl {
    DECLARE_CLASS(TCustomForm, TCustomControl)

public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TSizeConstraints& Constraints() { return constraints_; }
    void SetConstraints(const TSizeConstraints& value) { constraints_.Assign(value); }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    // The form's menu; not owned, cleared when the menu goes.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    // Whether the key is the shortcut of an item of the menu (which is then clicked).
    virtual bool IsShortCut(std::uint16_t key, TShiftState shift);
    // Stored with a form's layout; one screen at 96 pixels per inch makes them settings only.
    TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
    void SetDefaultMonitor(TDefaultMonitor value) { defaultMonitor_ = value; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    // A form dragged by its caption to within SnapBuffer pixels of a work-area edge lands on it.
    bool ScreenSnap() const { return screenSnap_; }
    void SetScreenSnap(bool value) { screenSnap_ = value; }
    int SnapBuffer() const { return snapBuffer_; }
    void SetSnapBuffer(int value) { snapBuffer_ = std::max(value, 0); }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    TControlScrollBar& HorzScrollBar() { return horzScrollBar_; }
    void SetHorzScrollBar(const TControlScrollBar& value) { horzScrollBar_.Assign(value); }
    TControlScrollBar& VertScrollBar() { return vertScrollBar_; }
    void SetVertScrollBar(const TControlScrollBar& value) { vertScrollBar_.Assign(value); }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    TPoint ClientOrigin() const override;
    HWND ParentWindow() const override;

    // Asks OnCloseQuery, then OnClose with the action (caHide; caFree for an MDI child) and
    // carries it out; closing the main form ends the application.
    void Close();
    virtual bool CloseQuery();
    // Shows the form as a modal window until its ModalResult is set; returns it.
    virtual TModalResult ShowModal();
    // Frees the form once the messages now queued are handled.
    void Release();
    void FocusControl(TWinControl* control);
    void FocusChanged(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    // A control leaves the form's tree.
    void ControlRemoved(TControl* control);

    // The components the layout stores: the form's non-visual components, then its controls.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // An MDI frame form's client window, which holds the MDI children (none otherwise).
    HWND ClientHandle() const { return clientHandle_; }
    // The active MDI child of an MDI frame form.
    TCustomForm* ActiveMDIChild() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    // Reads the stored layout named after the form's class into the form, then fires
    // OnCreate. Called by the constructor of a form class that has a layout.
    void InitLayout();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyHandle() override;
    void WndProc(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    TRect WindowBounds() const override;
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow();
    virtual void DoHide();

private:
    TRect FrameInsets() const;
    void PlaceOnFirstShow();
    void MDIMessage(TMessage& message);

    TBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TSizeConstraints constraints_;
    bool keyPreview_ = false;
    TDefaultMonitor defaultMonitor_ = dmActiveForm;
    bool scaled_ = true;
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool screenSnap_ = false;
    int snapBuffer_ = 10;
    bool oldCreateOrder_ = false;
    TControlScrollBar horzScrollBar_ { sbHorizontal };
    TControlScrollBar vertScrollBar_ { sbVertical };
    bool autoScroll_ = true;
    TModalResult modalResult_ = mrNone;
    bool active_ = false;
    bool shownOnce_ = false;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    HWND clientHandle_ = nullptr;
    TCustomForm* activeMDIChild_ = nullptr;
    TRect mdiRestoreBounds_;
};

class TForm : public TCustomForm {
    DECLARE_CLASS(TForm, TCustomForm)

public:
    using TCustomForm::TCustomForm;
};

// Registers the framework's control classes for the layout reader.
void RegisterControlClasses();

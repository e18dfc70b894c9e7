#include "host/ui/Dialogs.h"

#include <vector>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/Input.h"
#include "host/win/VirtualKeys.h"

namespace {

constexpr int kMargin = 12;
constexpr int kMaxTextWidth = 360;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The box: the message in lines and an OK button, all painted by the form itself.
class TMessageForm : public TForm {
public:
    TMessageForm(const std::string& msg, const std::string& caption)
        : TForm(Application)
        , message_(msg)
    {
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetCaption(caption);
        Wrap(msg);
        const int lineHeight = Canvas().TextHeight("Ag");
        int textWidth = 0;
        for (const std::string& line : lines_)
            textWidth = std::max(textWidth, Canvas().TextWidth(line));
        const int width = std::max(textWidth, kButtonWidth) + 2 * kMargin;
        const int textHeight = lineHeight * static_cast<int>(lines_.size());
        SetClientWidth(width);
        SetClientHeight(kMargin + textHeight + kMargin + kButtonHeight + kMargin);
        lineHeight_ = lineHeight;
        button_ = Bounds((width - kButtonWidth) / 2, kMargin + textHeight + kMargin, kButtonWidth, kButtonHeight);
    }

    const TRect& Button() const { return button_; }
    const std::string& Message() const { return message_; }

    void KeyDown(std::uint16_t& key, TShiftState shift) override
    {
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE) {
            SetModalResult(mrOk);
            key = 0;
            return;
        }
        TForm::KeyDown(key, shift);
    }

protected:
    void DoShow() override
    {
        TForm::DoShow();
        ::SetFocus(Handle());
    }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        pressed_ = button == mbLeft && button_.Contains({ x, y });
        if (pressed_)
            Invalidate();
        TForm::MouseDown(button, shift, x, y);
    }

    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TForm::MouseUp(button, shift, x, y);
        if (button == mbLeft && pressed_) {
            pressed_ = false;
            Invalidate();
            if (button_.Contains({ x, y }))
                SetModalResult(mrOk);
        }
    }

    void Paint() override
    {
        TCanvas& canvas = Canvas();
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().Assign(Font());
        int y = kMargin;
        for (const std::string& line : lines_) {
            canvas.TextOut(kMargin, y, line);
            y += lineHeight_;
        }
        TRect r = button_;
        Frame3D(canvas, r, pressed_ ? clBtnShadow : clBtnHighlight, pressed_ ? clBtnHighlight : clBtnShadow, 1);
        canvas.Brush().Style = TBrushStyle::bsClear;
        DrawText(canvas, "OK", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        r = r.Inflate(-2, -2);
        canvas.DrawFocusRect(r);
    }

private:
    void Wrap(const std::string& msg)
    {
        TCanvas& canvas = Canvas();
        canvas.Font().Assign(Font());
        std::size_t start = 0;
        while (start <= msg.size()) {
            const std::size_t end = std::min(msg.find('\n', start), msg.size());
            const std::string paragraph = msg.substr(start, end - start);
            std::string line;
            std::size_t pos = 0;
            while (pos < paragraph.size()) {
                const std::size_t space = std::min(paragraph.find(' ', pos), paragraph.size());
                const std::string word = paragraph.substr(pos, space - pos);
                const std::string candidate = line.empty() ? word : line + " " + word;
                if (!line.empty() && canvas.TextWidth(candidate) > kMaxTextWidth) {
                    lines_.push_back(line);
                    line = word;
                } else {
                    line = candidate;
                }
                pos = space + 1;
            }
            lines_.push_back(line);
            start = end + 1;
        }
    }

    std::string message_;
    std::vector<std::string> lines_;
    int lineHeight_ = 13;
    TRect button_;
    bool pressed_ = false;
};

const char* CaptionOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    default:
        return "";
    }
}

} // namespace

int ShowMessageBox(const std::string& msg, const std::string& caption)
{
    std::unique_ptr<TMessageForm> form(new TMessageForm(msg, caption));
    return form->ShowModal();
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons, int)
{
    const std::string caption = type == mtCustom && Application ? Application->Title() : CaptionOf(type);
    return ShowMessageBox(msg, caption);
}

std::string MessageBoxText(HWND window)
{
    if (Application == nullptr || window == nullptr)
        return {};
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* box = dynamic_cast<TMessageForm*>(Application->Components(i));
        if (box != nullptr && box->HandleAllocated() && box->Handle() == window)
            return box->Message();
    }
    return {};
}

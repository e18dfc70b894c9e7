#include "tools/kit/DriveDump.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "app/StrokeOrderView.h"
#include "app/f_main.h"
#include "app/practice/PracticePage.h"
#include "host/data/DBImage.h"
#include "host/data/DataSet.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/Forms.h"
#include "host/ui/Properties.h"
#include "host/voice/VoiceService.h"
#include "skin/controls/SUIPageControl.h"

namespace {

// Writes one JSON value after another, with the commas between them.
class TJson {
public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(std::string_view key)
    {
        Separate();
        Quoted(key);
        text_ += ": ";
        afterKey_ = true;
    }
    void String(std::string_view value)
    {
        Separate();
        Quoted(value);
    }
    void Integer(long long value)
    {
        Separate();
        text_ += std::to_string(value);
    }
    void Bool(bool value)
    {
        Separate();
        text_ += value ? "true" : "false";
    }
    void Null()
    {
        Separate();
        text_ += "null";
    }
    void Rect(const TRect& r)
    {
        BeginArray();
        Integer(r.Left);
        Integer(r.Top);
        Integer(r.Width());
        Integer(r.Height());
        EndArray();
    }
    const std::string& Text() const { return text_; }

private:
    void Open(char bracket)
    {
        Separate();
        text_ += bracket;
        first_ = true;
    }
    void Close(char bracket)
    {
        text_ += bracket;
        first_ = false;
    }
    void Separate()
    {
        if (afterKey_)
            afterKey_ = false;
        else if (!first_ && !text_.empty())
            text_ += ", ";
        first_ = false;
    }
    void Quoted(std::string_view s)
    {
        text_ += '"';
        for (char c : s) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += c;
            } else if (c == '\n') {
                text_ += "\\n";
            } else if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                text_ += escaped;
            } else {
                text_ += c;
            }
        }
        text_ += '"';
    }

    std::string text_;
    bool first_ = true;
    bool afterKey_ = false;
};

// A control's bounds in the window's client coordinates; a control on no parent keeps its own.
TRect BoundsInWindow(const TControl& control, const TCustomForm& form)
{
    if (control.Parent() == nullptr)
        return control.BoundsRect();
    const TPoint screen = control.Parent()->ClientToScreen({ control.Left(), control.Top() });
    const TPoint origin = form.ClientToScreen({ 0, 0 });
    return Bounds(screen.X - origin.X, screen.Y - origin.Y, control.Width(), control.Height());
}

// The tabs of a page control where its strip paints them.
void WriteTabs(TJson& json, TsuiPageControl& pages, const TCustomForm& form)
{
    json.Key("Tabs");
    json.BeginArray();
    TsuiTabControlTopPanel* strip = pages.TopPanel();
    const TRect stripBounds = BoundsInWindow(*strip, form);
    for (int i = 0; i < strip->Tabs().Count(); ++i) {
        json.BeginObject();
        json.Key("caption");
        json.String(strip->Tabs().Strings(i));
        json.Key("rect");
        const TRect tab = strip->TabRect(i);
        if (tab.IsEmpty())
            json.Null();
        else
            json.Rect(tab.Offset(stripBounds.Left, stripBounds.Top));
        json.EndObject();
    }
    json.EndArray();
}

void WriteState(TJson& json, TComponent* component, const TCustomForm& form)
{
    json.Key("state");
    json.BeginObject();
    if (HasPublishedProperty(component, "Checked")) {
        json.Key("Checked");
        json.Bool(GetOrdProp(component, "Checked") != 0);
    }
    if (auto* pages = dynamic_cast<TsuiPageControl*>(component)) {
        json.Key("ActivePage");
        if (pages->ActivePage())
            json.String(pages->ActivePage()->Name());
        else
            json.Null();
        json.Key("TabIndex");
        json.Integer(pages->TopPanel()->TabIndex());
    }
    if (auto* sheet = dynamic_cast<TsuiTabSheet*>(component)) {
        json.Key("PageIndex");
        json.Integer(sheet->PageIndex());
    }
    if (HasPublishedProperty(component, "UIStyle")) {
        json.Key("UIStyle");
        json.String(GetEnumProp(component, "UIStyle"));
    }
    TPicture* picture = nullptr;
    if (auto* image = dynamic_cast<TImage*>(component))
        picture = &image->Picture();
    else if (auto* dbImage = dynamic_cast<TDBImage*>(component))
        picture = &dbImage->Picture();
    if (picture) {
        json.Key("Picture");
        json.BeginArray();
        json.Integer(picture->Width());
        json.Integer(picture->Height());
        json.EndArray();
    }
    if (auto* dataSet = dynamic_cast<TDataSet*>(component)) {
        json.Key("Active");
        json.Bool(dataSet->Active());
    }
    if (auto* control = dynamic_cast<TControl*>(component)) {
        json.Key("Cursor");
        json.Integer(control->Cursor());
        json.Key("ShowHint");
        json.Bool(control->ShowHint());
    }
    if (auto* pages = dynamic_cast<TsuiPageControl*>(component))
        WriteTabs(json, *pages, form);
    json.EndObject();
}

void WriteComponent(TJson& json, TComponent* component, const TCustomForm& form)
{
    json.BeginObject();
    json.Key("name");
    json.String(component->Name());
    json.Key("class");
    json.String(component->ClassName());
    auto* control = dynamic_cast<TControl*>(component);
    json.Key("parent");
    if (control && control->Parent())
        json.String(control->Parent()->Name());
    else
        json.Null();
    json.Key("bounds");
    if (control)
        json.Rect(BoundsInWindow(*control, form));
    else
        json.Null();
    json.Key("visible");
    control ? json.Bool(control->Visible()) : json.Null();
    json.Key("enabled");
    control ? json.Bool(control->Enabled()) : json.Null();
    json.Key("text");
    // A tab sheet keeps its caption apart from the control text.
    if (HasPublishedProperty(component, "Caption"))
        json.String(GetStrProp(component, "Caption"));
    else if (control)
        json.String(control->Text());
    else
        json.Null();
    json.Key("hint");
    control ? json.String(control->Hint()) : json.Null();
    WriteState(json, component, form);
    json.EndObject();
}

// What the kana pictures last said and showed: the kana handed to the audio device with the
// length of its speech, and the kana of the open stroke-order view.
void WriteSpeechAndStrokes(TJson& json, const TCustomForm& form)
{
    std::optional<TSpokenKana> spoken;
    if (TVoiceService* voice = VoiceIfStarted()) {
        voice->WaitUntilIdle();
        spoken = voice->LastSpoken();
    }
    json.Key("spoken");
    if (spoken) {
        json.BeginObject();
        json.Key("kana");
        json.String(spoken->Kana);
        json.Key("ms");
        json.Integer(spoken->Milliseconds);
        json.EndObject();
    } else {
        json.Null();
    }
    const auto* view = dynamic_cast<const TStrokeOrderView*>(form.FindComponent("StrokeOrderView"));
    json.Key("strokeView");
    if (view && !view->Kana().empty())
        json.String(view->Kana());
    else
        json.Null();
}

const char* PhaseName(TPracticePhase phase)
{
    switch (phase) {
    case TPracticePhase::Setup:
        return "setup";
    case TPracticePhase::Question:
        return "question";
    case TPracticePhase::Feedback:
        return "feedback";
    case TPracticePhase::Summary:
        return "summary";
    case TPracticePhase::Map:
        return "map";
    }
    return "";
}

void WritePractice(TJson& json, const TPracticePage& page)
{
    json.BeginObject();
    json.Key("phase");
    json.String(PhaseName(page.Phase()));
    json.Key("question");
    if (const TDrillKana* q = page.Question()) {
        json.BeginObject();
        json.Key("table");
        json.String(q->Table);
        json.Key("id");
        json.Integer(q->Id);
        json.Key("script");
        json.String(ScriptType(q->Key.Script));
        json.Key("kana");
        json.String(q->Key.Text);
        json.Key("pronunciation");
        json.String(q->Romaji);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("choices");
    json.BeginArray();
    for (const std::string& choice : page.Choices())
        json.String(choice);
    json.EndArray();
    json.Key("asked");
    json.Integer(static_cast<long long>(page.Asked()));
    json.Key("right");
    json.Integer(static_cast<long long>(page.Right()));
    json.Key("wrong");
    json.Integer(static_cast<long long>(page.Wrong()));
    json.Key("feedback");
    json.String(page.FeedbackText());
    json.Key("progressFile");
    json.String(page.ProgressFile().string());
    json.EndObject();
}

} // namespace

std::string DumpWindowState(TCustomForm& form, const std::vector<std::string>& errors)
{
    TJson json;
    json.BeginObject();
    json.Key("form");
    json.BeginObject();
    json.Key("hint");
    json.String(form.Hint());
    json.Key("SqlText");
    json.String(SqlText);
    json.Key("DrawnId");
    json.Integer(DrawnId);
    json.Key("bounds");
    json.Rect(form.BoundsRect());
    WriteSpeechAndStrokes(json, form);
    json.EndObject();

    json.Key("components");
    json.BeginArray();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        WriteComponent(json, form.Components(i), form);
        // The practice page's content is its own layout's, owned by the page.
        if (auto* page = dynamic_cast<TPracticePage*>(form.Components(i)))
            for (int j = 0; j < page->ComponentCount(); ++j)
                WriteComponent(json, page->Components(j), form);
    }
    json.EndArray();

    if (auto* main = dynamic_cast<TForm1*>(&form); main && main->PracticePage) {
        json.Key("practice");
        WritePractice(json, *main->PracticePage);
    }

    json.Key("errors");
    json.BeginArray();
    for (const std::string& e : errors)
        json.String(e);
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

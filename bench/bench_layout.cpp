// Reading a stored layout of 30 components with 300 property assignments (target: under
// 1 ms), and the process's memory after making and destroying 30 components 1,000 times
// (target: where it started).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "host/gfx/Colors.h"
#include "host/ui/ColorIdents.h"
#include "host/ui/Component.h"
#include "host/ui/FontProperties.h"
#include "host/ui/Streaming.h"
#include "host/ui/Strings.h"

namespace {

enum TBenchAlign : std::uint8_t { baNone, baTop, baClient };

} // namespace

const TEnumInfo& EnumInfo(TTypeTag<TBenchAlign>)
{
    static const TEnumInfo info("TBenchAlign", { "baNone", "baTop", "baClient" });
    return info;
}

namespace {

class TBenchPanel : public TComponent {
    DECLARE_CLASS(TBenchPanel, TComponent)

public:
    explicit TBenchPanel(TComponent* owner)
        : TComponent(owner)
    {
    }

    int Left() const { return left_; }
    void SetLeft(int value) { left_ = value; }
    int Top() const { return top_; }
    void SetTop(int value) { top_ = value; }
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TBenchAlign Align() const { return align_; }
    void SetAlign(TBenchAlign value) { align_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    TFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    TBenchPanel* Buddy() const { return buddy_; }
    void SetBuddy(TBenchPanel* value) { buddy_ = value; }
    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        inherited::Notification(component, operation);
        if (operation == opRemove && component == buddy_)
            buddy_ = nullptr;
    }

private:
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TColor color_ = clBtnFace;
    TBenchAlign align_ = baNone;
    bool enabled_ = true;
    std::string caption_;
    TFont font_;
    TBenchPanel* buddy_ = nullptr;
};

class TBenchForm : public TBenchPanel {
    DECLARE_CLASS(TBenchForm, TBenchPanel)

public:
    TBenchForm()
        : TBenchPanel(nullptr)
    {
    }
    void PanelClick(TObject*) { }
};

} // namespace

void TBenchPanel::Publish(TPublisher<TBenchPanel>& p)
{
    p.Property("Left", &TBenchPanel::Left, &TBenchPanel::SetLeft);
    p.Property("Top", &TBenchPanel::Top, &TBenchPanel::SetTop);
    p.Property("Width", &TBenchPanel::Width, &TBenchPanel::SetWidth);
    p.Property("Height", &TBenchPanel::Height, &TBenchPanel::SetHeight);
    p.Property("Color", &TBenchPanel::Color, &TBenchPanel::SetColor).Idents(ColorIdents()).Default(clBtnFace);
    p.Property("Align", &TBenchPanel::Align, &TBenchPanel::SetAlign).Default(baNone);
    p.Property("Enabled", &TBenchPanel::Enabled, &TBenchPanel::SetEnabled).Default(true);
    p.Property("Caption", &TBenchPanel::Caption, &TBenchPanel::SetCaption);
    p.Property("Font", &TBenchPanel::Font, &TBenchPanel::SetFont);
    p.Property("Buddy", &TBenchPanel::Buddy, &TBenchPanel::SetBuddy);
    p.Event("OnClick", &TBenchPanel::OnClick);
}

void TBenchForm::Publish(TPublisher<TBenchForm>& p)
{
    p.Method("PanelClick", &TBenchForm::PanelClick);
}

namespace {

constexpr int kComponents = 30;

// 30 panels with 10 assignments each: bounds, colour, alignment, switch, caption, two font
// values, and a reference or an event.
std::string MakeLayout()
{
    std::string text = "object Form1: TBenchForm\n";
    for (int i = 0; i < kComponents; ++i) {
        const std::string n = std::to_string(i);
        text += "  object Panel" + n + ": TBenchPanel\n";
        text += "    Left = " + std::to_string(i * 8) + "\n    Top = " + std::to_string(i * 4) + "\n";
        text += "    Width = 120\n    Height = -21\n    Color = $E7E7E7\n    Align = baTop\n    Enabled = False\n";
        text += "    Caption = '随机抽取 " + n + "'\n    Font.Height = -11\n    Font.Style = [fsBold]\n";
        text += i % 2 == 0 ? "    Buddy = Panel" + std::to_string((i + 1) % kComponents) + "\n" : "    OnClick = PanelClick\n";
        text += "  end\n";
    }
    return text + "end\n";
}

void BM_ReadLayout(benchmark::State& state)
{
    RegisterClasses<TBenchPanel>();
    const std::string text = MakeLayout();
    for (auto _ : state) {
        TBenchForm form;
        ReadComponentFromString(text, &form);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    state.counters["properties"] = kComponents * 10;
}
BENCHMARK(BM_ReadLayout)->Unit(benchmark::kMicrosecond);

void BM_WriteLayout(benchmark::State& state)
{
    RegisterClasses<TBenchPanel>();
    TBenchForm form;
    ReadComponentFromString(MakeLayout(), &form);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteComponentToString(&form));
}
BENCHMARK(BM_WriteLayout)->Unit(benchmark::kMicrosecond);

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void MakeAndDestroy()
{
    auto form = std::make_unique<TBenchForm>();
    TBenchPanel* previous = nullptr;
    for (int i = 0; i < kComponents; ++i) {
        auto* panel = new TBenchPanel(form.get());
        panel->SetName("Panel" + std::to_string(i));
        panel->SetCaption("随机抽取");
        panel->SetBuddy(previous);
        previous = panel;
    }
}

// Memory after 1,000 forms of 30 components, against a first round that warms the allocator.
void BM_CreateDestroy1000(benchmark::State& state)
{
    for (int i = 0; i < 1000; ++i)
        MakeAndDestroy();
    const long before = ResidentKiB();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            MakeAndDestroy();
    }
    state.counters["rss_growth_KiB"] = static_cast<double>(ResidentKiB() - before);
}
BENCHMARK(BM_CreateDestroy1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

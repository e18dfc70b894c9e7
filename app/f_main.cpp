#include "app/f_main.h"

#include <chrono>
#include <random>

#include "app/KanaPictureMenu.h"
#include "app/StrokeOrderView.h"
#include "app/practice/PracticePage.h"
#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/DBImage.h"
#include "host/data/DataClasses.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/Panel.h"
#include "host/ui/Publisher.h"
#include "host/ui/ScrollBox.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "learn/KanaTable.h"
#include "skin/controls/SUIButton.h"
#include "skin/controls/SUIEdit.h"
#include "skin/controls/SUIPageControl.h"
#include "skin/frame/SUIForm.h"
#include "skin/frame/SUITitleBar.h"

TForm1* Form1 = nullptr;
std::string SqlText;
int DrawnId = 0;
std::array<std::array<TImage*, kGridSize>, kGridSize> KanaImages {};
TDBImage* PictureLoader = nullptr;

namespace {

constexpr const char* kHiraganaChart = "select *from moratab where t_type='平假名' order by id";
constexpr const char* kKatakanaChart = "select *from moratab where t_type='片假名' order by id";
constexpr const char* kAllKana = "select *from moratab";
constexpr const char* kHiraganaOnly = "select *from moratab where t_type='平假名'";
constexpr const char* kKatakanaOnly = "select *from moratab where t_type='片假名'";
constexpr const char* kAllKanaId = "select *from moratab where id=";
constexpr const char* kHiraganaId = "select *from moratab where t_type='平假名'and id=";
constexpr const char* kKatakanaId = "select *from moratab where t_type='片假名'and id=";
// The katakana rows are numbered after the 49 hiragana rows.
constexpr int kFirstKatakanaId = 49;

constexpr int kCellSize = 100;
constexpr int kChartMargin = 10;

// Hands SqlText to a query as its only line and opens it; changing the lines closes it first.
void RunSqlText(TADOQuery* query)
{
    query->SQL()->Clear();
    query->SQL()->Add(SqlText);
    query->Open();
}

// A number in 0..n-1 (0 when n is 0) from a generator seeded afresh, so that two draws in
// quick succession are independent.
int RandomBelow(int n)
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::mt19937 generator(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

bool OnGrid(int v)
{
    return v >= 1 && v <= kGridSize;
}

std::string TextOf(const TADOQuery* query, const char* column)
{
    const TField* field = query->FindField(column);
    return field ? field->AsString() : std::string();
}

// The kana of the query's current row, read so that a deck without t_kana raises nothing.
std::string KanaOfRow(const TADOQuery* query)
{
    return DeckKanaText(TextOf(query, "t_kana"), TextOf(query, "t_pronounce"), TextOf(query, "t_type"));
}

} // namespace

void TForm1::Publish(TPublisher<TForm1>& p)
{
    p.Method("FormClose", &TForm1::FormClose);
    p.Method("suiPageControl1Change", &TForm1::suiPageControl1Change);
    p.Method("suiButton1Click", &TForm1::suiButton1Click);
    p.Method("DBImage1MouseMove", &TForm1::DBImage1MouseMove);
    p.Method("Panel1MouseMove", &TForm1::Panel1MouseMove);
}

TForm1::TForm1(TComponent* owner)
    : TForm(owner)
{
    ReadComponentRes("F_MAIN", this);
    BindComponents();
    PracticePage = new TPracticePage(this);
    PracticePage->SetName("PracticePage");
    PracticePage->SetParent(suiTabSheet4);
    PracticePage->SetConnectionString(ADOConnection1->ConnectionString());
    kanaMenu_ = std::make_unique<TKanaPictureMenu>(
        *this, *suiPageControl1, [this](TControl* picture) { return KanaOfPicture(picture); });
    kanaMenu_->Attach(DBImage1);
    PracticePage->OnShowStrokes
        = [this](const std::string& kana) { kanaMenu_->StrokeView().ShowKana(kana, suiPageControl1->BoundsRect()); };
}

TForm1::~TForm1()
{
    // The owned cells go after this body; no slot may keep pointing at them.
    ReleaseChart(hiragana_);
    ReleaseChart(katakana_);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BindComponents()
{
    auto bind = [this]<typename T>(T*& field, const char* name) {
        field = dynamic_cast<T*>(FindComponent(name));
        if (field == nullptr)
            throw EComponentError(std::string("Component ") + name + " not found");
    };
    bind(suiForm1, "suiForm1");
    bind(suiPageControl1, "suiPageControl1");
    bind(suiTabSheet1, "suiTabSheet1");
    bind(ScrollBox1, "ScrollBox1");
    bind(suiTabSheet2, "suiTabSheet2");
    bind(ScrollBox2, "ScrollBox2");
    bind(suiTabSheet3, "suiTabSheet3");
    bind(Panel1, "Panel1");
    bind(Label1, "Label1");
    bind(Label2, "Label2");
    bind(DBImage1, "DBImage1");
    bind(suiButton1, "suiButton1");
    bind(R1, "R1");
    bind(R2, "R2");
    bind(R3, "R3");
    bind(Panel4, "Panel4");
    bind(suiTabSheet4, "suiTabSheet4");
    bind(ADOConnection1, "ADOConnection1");
    bind(Query1, "Query1");
    bind(DataSource1, "DataSource1");
    bind(Query, "Query");
    bind(DataSource2, "DataSource2");
}

void TForm1::FormClose(TObject*, TCloseAction&)
{
    Query1->Close();
}

void TForm1::suiPageControl1Change(TObject*)
{
    if (suiPageControl1->ActivePage() == suiTabSheet1)
        BuildChart(hiragana_, kHiraganaChart, ScrollBox1);
    if (suiPageControl1->ActivePage() == suiTabSheet2)
        BuildChart(katakana_, kKatakanaChart, ScrollBox2);
    if (suiPageControl1->ActivePage() == suiTabSheet3)
        DrawOnEntering();
    if (suiPageControl1->ActivePage() == suiTabSheet4)
        PracticePage->Entered();
}

void TForm1::BuildChart(TChart& chart, const char* statement, TScrollBox* box)
{
    SqlText = statement;
    Query1->Close();
    RunSqlText(Query1);

    // A rebuild replaces the chart: the earlier cells would otherwise pile up beneath. The
    // view stays where the user scrolled it.
    const int scrolledX = box->HorzScrollBar().Position();
    const int scrolledY = box->VertScrollBar().Position();
    ReleaseChart(chart);
    chart.Loader = new TDBImage(this);
    PictureLoader = chart.Loader;
    PictureLoader->SetWidth(kCellSize);
    PictureLoader->SetHeight(kCellSize);
    PictureLoader->SetDataSource(DataSource1);
    PictureLoader->SetDataField("t_pic");

    Query1->First();
    while (!Query1->Eof()) {
        const int x = Query1->FieldByName("x").AsInteger();
        const int y = Query1->FieldByName("y").AsInteger();
        if (OnGrid(x) && OnGrid(y)) {
            auto* cell = new TImage(this);
            chart.Cells.push_back({ cell, x, y, {} });
            KanaImages[x - 1][y - 1] = cell;
            cell->SetParent(box);
            // Grid positions are in the scroll box's content, wherever it is scrolled to.
            cell->SetBounds((x - 1) * kCellSize + kChartMargin - box->HorzScrollBar().Position(),
                (y - 1) * kCellSize + kChartMargin - box->VertScrollBar().Position(), kCellSize, kCellSize);
            cell->Picture().Assign(PictureLoader->Picture());
            cell->SetHint(Query1->FieldByName("t_pronounce").AsString());
            cell->SetShowHint(true);
            cell->SetCursor(crHandPoint);
            chart.Cells.back().Kana = KanaOfRow(Query1);
            kanaMenu_->Attach(cell);
        }
        Query1->Next();
    }
    box->HorzScrollBar().SetPosition(scrolledX);
    box->VertScrollBar().SetPosition(scrolledY);
}

void TForm1::ReleaseChart(TChart& chart)
{
    std::vector<TCell> cells;
    cells.swap(chart.Cells);
    for (const TCell& c : cells) {
        if (KanaImages[c.X - 1][c.Y - 1] == c.Image)
            KanaImages[c.X - 1][c.Y - 1] = nullptr;
    }
    TDBImage* loader = chart.Loader;
    chart.Loader = nullptr;
    if (PictureLoader == loader)
        PictureLoader = nullptr;
    if (ComponentState().Contains(csDestroying))
        return;
    for (const TCell& c : cells)
        delete c.Image;
    delete loader;
}

void TForm1::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation != opRemove)
        return;
    for (TChart* chart : { &hiragana_, &katakana_ }) {
        std::erase_if(chart->Cells, [&](const TCell& c) {
            if (c.Image != component)
                return false;
            if (KanaImages[c.X - 1][c.Y - 1] == c.Image)
                KanaImages[c.X - 1][c.Y - 1] = nullptr;
            return true;
        });
        if (chart->Loader == component)
            chart->Loader = nullptr;
    }
    if (PictureLoader == component)
        PictureLoader = nullptr;
}

void TForm1::suiButton1Click(TObject*)
{
    if (R3->Checked())
        SqlText = kAllKana;
    if (R2->Checked())
        SqlText = kKatakanaOnly;
    if (R1->Checked())
        SqlText = kHiraganaOnly;
    RunSqlText(Query);
    DrawnId = Query->RecordCount();
    DrawnId = RandomBelow(DrawnId);
    Query->Close();
    if (R3->Checked())
        SqlText = kAllKanaId + std::to_string(DrawnId);
    if (R2->Checked())
        SqlText = kKatakanaId + std::to_string(DrawnId + kFirstKatakanaId);
    if (R1->Checked())
        SqlText = kHiraganaId + std::to_string(DrawnId);
    RunSqlText(Query);
}

void TForm1::DrawOnEntering()
{
    SqlText = kAllKana;
    RunSqlText(Query);
    DrawnId = Query->RecordCount();
    DrawnId = RandomBelow(DrawnId);
    Query->Close();
    SqlText = kAllKanaId + std::to_string(DrawnId);
    RunSqlText(Query);
}

std::string TForm1::KanaOfPicture(TControl* picture) const
{
    if (picture == DBImage1)
        return Query->Active() && !Query->Eof() ? KanaOfRow(Query) : std::string();
    for (const TChart* chart : { &hiragana_, &katakana_ }) {
        for (const TCell& c : chart->Cells) {
            if (c.Image == picture)
                return c.Kana;
        }
    }
    return {};
}

void TForm1::DBImage1MouseMove(TObject*, TShiftState, int, int)
{
    if (!Query->Active())
        return;
    SetHint(Query->FieldByName("t_pronounce").AsString());
    Label2->SetCaption(Hint());
}

void TForm1::Panel1MouseMove(TObject*, TShiftState, int, int)
{
    if (!Query->Active())
        return;
    SetHint("");
    Label2->SetCaption(Hint());
}

void RegisterMainFormClasses()
{
    RegisterControlClasses();
    RegisterDataClasses();
    RegisterFormClasses();
    RegisterTitleBarClasses();
    RegisterPageControlClasses();
    RegisterButtonClasses();
    RegisterEditClasses();
    RegisterPracticeClasses();
}

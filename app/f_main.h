#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "host/ui/Forms.h"

class TADOConnection;
class TADOQuery;
class TDataSource;
class TDBImage;
class TImage;
class TKanaPictureMenu;
class TLabel;
class TPanel;
class TPracticePage;
class TScrollBox;
class TsuiButton;
class TsuiForm;
class TsuiPageControl;
class TsuiRadioButton;
class TsuiTabSheet;

// The kana learner's window: two kana charts, a random draw and practice, built from the layout
// resource F_MAIN.
class TForm1 : public TForm {
    DECLARE_CLASS(TForm1, TForm)

public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The components of the layout.
    TsuiForm* suiForm1 = nullptr;
    TsuiPageControl* suiPageControl1 = nullptr;
    TsuiTabSheet* suiTabSheet1 = nullptr;
    TScrollBox* ScrollBox1 = nullptr;
    TsuiTabSheet* suiTabSheet2 = nullptr;
    TScrollBox* ScrollBox2 = nullptr;
    TsuiTabSheet* suiTabSheet3 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TDBImage* DBImage1 = nullptr;
    TsuiButton* suiButton1 = nullptr;
    TsuiRadioButton* R1 = nullptr;
    TsuiRadioButton* R2 = nullptr;
    TsuiRadioButton* R3 = nullptr;
    TPanel* Panel4 = nullptr;
    TsuiTabSheet* suiTabSheet4 = nullptr;
    TADOConnection* ADOConnection1 = nullptr;
    TADOQuery* Query1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TADOQuery* Query = nullptr;
    TDataSource* DataSource2 = nullptr;
    // The practice page's content, made on suiTabSheet4.
    TPracticePage* PracticePage = nullptr;

    // Handlers bound by the layout.
    void FormClose(TObject* Sender, TCloseAction& Action);
    void suiPageControl1Change(TObject* Sender);
    void suiButton1Click(TObject* Sender);
    void DBImage1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Panel1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // What one chart build made, released by the next build of the same chart.
    struct TCell {
        TImage* Image;
        int X;
        int Y;
        std::string Kana; // what a click on the cell speaks
    };
    struct TChart {
        std::vector<TCell> Cells;
        TDBImage* Loader = nullptr;
    };

    void BindComponents();
    void BuildChart(TChart& chart, const char* statement, TScrollBox* box);
    void ReleaseChart(TChart& chart);
    void DrawOnEntering();
    std::string KanaOfPicture(TControl* picture) const;

    TChart hiragana_;
    TChart katakana_;
    std::unique_ptr<TKanaPictureMenu> kanaMenu_;
};

extern TForm1* Form1;

// The unit's state shared by the handlers.
constexpr int kGridSize = 200;
// The statement most recently built, for either query.
extern std::string SqlText;
// The pool size, then the number drawn from it.
extern int DrawnId;
// The chart cell last placed at each grid position, [x - 1][y - 1]; both charts share it.
extern std::array<std::array<TImage*, kGridSize>, kGridSize> KanaImages;
// The picture loader of the latest chart build.
extern TDBImage* PictureLoader;

// Registers every class the main window's layout names.
void RegisterMainFormClasses();

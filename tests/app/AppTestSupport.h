#pragma once
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/f_main.h"
#include "host/data/ADOQuery.h"
#include "host/data/DBImage.h"
#include "host/gfx/Bitmap.h"
#include "host/ui/Application.h"
#include "host/ui/ExtCtrls.h"
#include "host/ui/ScrollBox.h"
#include "host/ui/StdCtrls.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/controls/SUIButton.h"
#include "skin/controls/SUIPageControl.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DriveSession.h"

// A picture of one colour as the kana table stores it (a BMP file image).
inline TBlob SolidPicture(int width, int height, TColor color)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, color);
    return b.SaveToBytes(24);
}

inline TDeckRow Kana(std::int64_t id, const char* type, int x, int y, std::optional<std::string> pronounce,
    std::optional<TBlob> picture = SolidPicture(20, 30, clRed))
{
    TDeckRow row;
    row.Id = id;
    row.Type = type;
    row.X = x;
    row.Y = y;
    row.Picture = std::move(picture);
    row.Pronounce = std::move(pronounce);
    return row;
}

// Runs statements on a database of the test's own making.
inline void ExecuteOnDatabase(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int code = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(code, SQLITE_OK) << text;
}

// Every test runs the main window in a fresh folder of its own, as the program runs in its
// working folder; the unit's state starts as at program start.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-app-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
        // A click on a kana speaks it: into SDL's silent driver, unless a test asks for another.
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        SqlText.clear();
        DrawnId = 0;
    }
    void TearDown() override
    {
        session_.reset();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    // db1.mdb with these rows, replacing any earlier one.
    void WriteDatabase(const std::vector<TDeckRow>& rows) { WriteDeckDatabase("db1.mdb", rows, true); }

    TDriveSession& Start()
    {
        session_ = std::make_unique<TDriveSession>();
        return *session_;
    }
    // Ends the program, as a test that starts it again does first.
    void Stop() { session_.reset(); }
    TDriveSession& Session() { return *session_; }
    TForm1& Form() { return session_->Form(); }
    void Play(const std::string& script) { session_->Play(script); }

    // Where a control's point lies in the window's client coordinates.
    TPoint InWindow(TControl* control, int x, int y)
    {
        const TPoint screen = control->ClientToScreen({ x, y });
        const TPoint origin = Form().ClientToScreen({ 0, 0 });
        return { screen.X - origin.X, screen.Y - origin.Y };
    }
    // A script command at a point of a control.
    std::string At(const char* command, TControl* control, int x, int y)
    {
        const TPoint p = InWindow(control, x, y);
        return std::string(command) + " " + std::to_string(p.X) + " " + std::to_string(p.Y) + "\n";
    }
    std::string ClickControl(TControl* control) { return At("click", control, control->Width() / 2, control->Height() / 2); }
    // A click on the middle of a page control's tab, as its strip lays the tabs out.
    std::string ClickTab(int index)
    {
        TsuiTabControlTopPanel* strip = Form().suiPageControl1->TopPanel();
        const TRect tab = strip->TabRect(index);
        return At("click", strip, (tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2);
    }

    // The chart cells on a scroll box, in child order.
    std::vector<TImage*> Cells(TScrollBox* box)
    {
        std::vector<TImage*> cells;
        for (int i = 0; i < box->ControlCount(); ++i)
            if (auto* cell = dynamic_cast<TImage*>(box->Controls(i)))
                cells.push_back(cell);
        return cells;
    }
    int ComponentsOfClass(const char* className)
    {
        int n = 0;
        for (int i = 0; i < Form().ComponentCount(); ++i)
            n += Form().Components(i)->ClassName() == className;
        return n;
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
    std::unique_ptr<TDriveSession> session_;
};

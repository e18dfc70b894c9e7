#pragma once
#include <memory>
#include <vector>

#include "host/ui/MenuWindow.h"

// Runs a popup menu modally: opens its windows level by level, takes the keyboard and the
// mouse (through the mouse capture) until an item is chosen or the menu is dismissed.
// Keyboard: Up and Down move over the selectable items, Right and Enter open a sub-menu,
// Left and Escape close one, Escape on the first level and a press outside dismiss the menu,
// Enter or a release over an item chooses it. Items added, removed, shown or hidden meanwhile
// (by a timer, say) dismiss the menu.
class TMenuTracker {
public:
    TMenuTracker(TMenu& menu, TMenuItem& root);
    ~TMenuTracker();
    TMenuTracker(const TMenuTracker&) = delete;
    TMenuTracker& operator=(const TMenuTracker&) = delete;

    // Shows the first level with its top-left corner at a screen point; none when the root has
    // no visible items.
    HWND Open(TPoint at);
    // The loop; returns the chosen item (none when dismissed) with every window closed. A
    // WM_QUIT met on the way dismisses the menu and stays queued for the loop that owns it.
    TMenuItem* Run();

private:
    void HandleKey(int key);
    void HandleMouse(const MSG& msg);
    void OpenSubMenu(int level, int index, bool selectFirst);
    void CloseFrom(int level);
    // The deepest level whose window holds the screen point, or -1.
    int LevelAt(TPoint screen) const;
    void Finish(TMenuItem* chosen);
    void Close();

    TMenu& menu_;
    TMenuItem& root_;
    std::vector<std::unique_ptr<TMenuWindow>> levels_;
    unsigned generation_ = 0;
    HWND capture_ = nullptr;
    bool done_ = false;
    TMenuItem* chosen_ = nullptr;
};

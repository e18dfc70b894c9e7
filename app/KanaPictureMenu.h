#pragma once
#include <functional>
#include <string>

#include "host/ui/Control.h"

class TForm;
class TMenuItem;
class TStrokeOrderView;
class TsuiPopupMenu;

// What the kana pictures of the main window offer beside their pronunciation hints: a left
// click speaks the kana; a right click opens a skinned menu in the window's style to speak it
// (发音) or to see how it is written (笔顺, offered only when the stroke-order font is
// installed). The menu and the stroke-order view belong to the form.
class TKanaPictureMenu {
public:
    // `kanaOf` tells the kana a picture shows at the moment it is asked; empty for none.
    // The stroke-order view covers `strokeArea` (a control whose bounds it takes).
    TKanaPictureMenu(TForm& form, TControl& strokeArea, std::function<std::string(TControl*)> kanaOf);

    // Gives a picture control the click and the menu.
    void Attach(TControl* picture);

    TStrokeOrderView& StrokeView() const { return *strokeView_; }

private:
    void Speak(TControl* picture) const;
    void ShowStrokes(TControl* picture) const;

    TControl& strokeArea_;
    std::function<std::string(TControl*)> kanaOf_;
    TsuiPopupMenu* menu_;
    TMenuItem* speakItem_;
    TMenuItem* strokesItem_;
    TStrokeOrderView* strokeView_;
};

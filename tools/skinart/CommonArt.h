#pragma once
#include <string>

#include "tools/skinart/ArtBook.h"
#include "tools/skinart/Painters.h"

// What the small controls of one style are made of.
struct TStyleLook {
    std::string Prefix;
    // What the controls stand on; their edges are blended over it.
    TRgba Background;
    TGel Plain;
    TGel Hot;
    TGel Accent;
    // Check marks and radio dots.
    TRgba Mark;
    // A checked box or radio button takes the accent surface instead of the plain one.
    bool CheckedFill = false;
    TRgba Arrow;
    float Radius = 2;
};

// Check box frames: checked, unchecked, checked disabled, unchecked disabled; the box is
// `box` pixels square, centred. Opaque: the frame is drawn as it stands.
TBitmap CheckBoxFrames(const TStyleLook& look, int frameWidth, int frameHeight, int box);
// Radio button frames in the same order, see-through by their lower-left pixel.
TBitmap RadioFrames(const TStyleLook& look, int frameWidth, int frameHeight, int diameter);
// Tab strip scroll buttons: right, right hot, left, left hot; see-through by the lower-left
// pixel.
TBitmap ScrollButtonFrames(const TStyleLook& look, int frameWidth, int frameHeight);

// How a progress bar's fill repeats along the bar.
enum class TProgressFill { Plain, Blocks, Stripes };

// The pieces that no control of the program reads, drawn alike for every style: progress
// fill, track bar groove and sliders, scroll bar buttons (up, up hot, up pressed, down, down
// hot, down pressed) and slider (three-part, in the hot surface), check list boxes, side channel handle and bar.
struct TCommonSizes {
    TSize Progress;
    TProgressFill ProgressFill = TProgressFill::Plain;
    TSize TrackBar;
    TSize TrackSlider;
    TSize TrackSliderV;
    TSize ScrollBarButtons;
    TSize ScrollBarTrack;
    TSize CheckList;
    TSize SideHandle;
    TSize SideBar;
};
void DrawCommonPieces(TArtBook& book, const TStyleLook& look, const TCommonSizes& sizes, const TPaint& barPaint);

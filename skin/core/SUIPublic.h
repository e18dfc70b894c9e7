#pragma once
#include "host/gfx/Bitmap.h"
#include "host/gfx/Canvas.h"
#include "host/gfx/Font.h"
#include "host/sys/Types.h"
#include "host/ui/Menus.h"
#include "host/ui/Properties.h" // HasPublishedProperty (Component, Name) comes from the framework
#include "host/win/Messages.h"
#include "skin/core/SUIThemes.h"

class TControl;
class TWinControl;
class TCustomForm;
class TsuiFileTheme;

// Drawing and hit-test helpers shared by the skinned controls. None keeps state between calls.

// Frame FrameIndex (from 1, left to right) of FrameCount frames of equal width laid side by
// side: Dest gets Source.Width div FrameCount columns and Source's height. Columns left over at
// the right belong to no frame; a frame outside Source comes out white. A FrameCount below 1
// gives the whole image.
void ExtractBitmapFrame(const TBitmap& Source, TBitmap& Dest, int FrameCount, int FrameIndex);

// Draws one face frame over R (placed from the canvas origin, right and bottom pieces against
// R.Right and R.Bottom): the corners cut to fit and kept at pixel size, the bands between them
// stretched. Fuchsia is see-through in the bands always and in the corners when Transparent.
void DrawNineGrid(const TBitmap& Bitmap, TCanvas& Canvas, const TRect& R, bool Transparent);
// Draws an image of three equal columns over R: the caps at R's ends at their size, the middle
// column stretched between them. See-through colour: the top-left pixel when
// UseCornerPixelKey, else fuchsia; the middle is drawn opaque.
void DrawThreePart(const TBitmap& Bitmap, TCanvas& Canvas, const TRect& R, bool UseCornerPixelKey);

// Frame or fill R with a solid brush of Color; the brush keeps the colour.
void FrameRectColor(TCanvas& Canvas, const TRect& R, TColor Color);
void FillRectColor(TCanvas& Canvas, const TRect& R, TColor Color);

// A one-pixel line in Color, two pixels below R's top, from Indent + 4 to two short of the right.
void DrawMenuSeparatorLine(TCanvas& Canvas, const TRect& R, TColor Color, int Indent);
// The MacOS menu strips, stretched over R.
void DrawMacMenuBarThin(TCanvas& Canvas, const TRect& R);
void DrawMacMenuSelection(TCanvas& Canvas, const TRect& R);
void DrawMacMenuBar(TCanvas& Canvas, const TRect& R);
// The flat border over a menu window: a FrameColor frame, a white one inside it, and LineColor
// lines along the bottom, the right and the top.
void DrawMenuWindowBorder(HWND Wnd, TColor FrameColor, TColor LineColor);

// Font becomes the system's menu font in the menu-text colour; unchanged when the system
// cannot say.
void SetMenuSystemFont(TFont& Font);

// Hit tests that count all four edges as inside.
bool PointInRect(const TPoint& Point, const TRect& R);
bool CoordInRect(int X, int Y, const TRect& R);

// The screen without task bars; false when the window system cannot say.
bool GetWorkArea(TRect& R);

// Canvas shows what lies behind Control: its parent paints its background and its own drawing
// into Canvas at Control's offset. Nothing happens without a parent.
void DrawParentBackground(TCanvas& Canvas, TControl* Control);

// Item and all its sub-items, depth first, draw and measure through these handlers.
void SetMenuItemsDrawHandlers(TMenuItem* Item, const TMenuDrawItemEvent& OnDraw, const TMenuMeasureItemEvent& OnMeasure);

// Left, Top, Width and Height, set one after the other in that order.
void SetControlBounds(TControl* Control, const TRect& R);

// Whether Form is the window the user works in: the application must be active; then a nil
// Form, the main form, the active child of an MDI main form, or a form that is active itself.
bool IsFormActive(TCustomForm* Form);

// Hands a container's look to its direct child controls that publish both "FileTheme" and
// "UIStyle", by name so that each child's setters run: FileTheme first, then the style.
void ApplyThemeToChildren(TWinControl* Parent, TsuiUIStyle Style, TsuiFileTheme* FileTheme);

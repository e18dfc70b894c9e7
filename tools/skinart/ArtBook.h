#pragma once
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "tools/skinart/Raster.h"

// One named bitmap resource, with the number of frames laid side by side in it.
struct TArtPiece {
    std::string Style;
    std::string Name;
    TBitmap Bitmap;
    int Frames = 1;
};

// An icon resource: the same picture at several sizes, with alpha.
struct TArtIcon {
    std::string Name;
    std::vector<TRaster> Sizes;
};

// Everything the program draws, in the order it was drawn.
class TArtBook {
public:
    void Add(const std::string& style, const std::string& name, TBitmap bitmap, int frames = 1);
    void AddIcon(const std::string& name, std::vector<TRaster> sizes);

    const std::vector<TArtPiece>& Pieces() const { return pieces_; }
    const std::vector<TArtIcon>& Icons() const { return icons_; }
    // The piece of that name; the program's own names only, so a miss is a bug.
    const TArtPiece& Find(const std::string& name) const;

private:
    std::vector<TArtPiece> pieces_;
    std::vector<TArtIcon> icons_;
};

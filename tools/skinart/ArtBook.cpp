#include "tools/skinart/ArtBook.h"

#include <algorithm>
#include <stdexcept>

void TArtBook::Add(const std::string& style, const std::string& name, TBitmap bitmap, int frames)
{
    pieces_.push_back({ style, name, std::move(bitmap), frames });
}

void TArtBook::AddIcon(const std::string& name, std::vector<TRaster> sizes)
{
    icons_.push_back({ name, std::move(sizes) });
}

const TArtPiece& TArtBook::Find(const std::string& name) const
{
    auto it = std::find_if(pieces_.begin(), pieces_.end(), [&](const TArtPiece& p) { return p.Name == name; });
    if (it == pieces_.end())
        throw std::logic_error("no art named " + name);
    return *it;
}

#pragma once
#include <functional>
#include <string_view>

#include "host/ui/Layout.h"

// The stored properties a class handles itself (TPersistent::DefineProperties): the layout
// reader calls `read` with the stored value; the writer stores what `write` gives, when
// `hasData` says there is something to store.
//
//   void TsuiPageControl::DefineProperties(TFiler& filer)
//   {
//       inherited::DefineProperties(filer);
//       filer.DefineProperty("Pages", [this](const TLayoutValue& v) { ReadPages(v); },
//                            [this] { return WritePages(); }, true);
//   }
class TFiler {
public:
    using TReadProc = std::function<void(const TLayoutValue& value)>;
    using TWriteProc = std::function<TLayoutValue()>;

    virtual void DefineProperty(std::string_view name, const TReadProc& read, const TWriteProc& write, bool hasData) = 0;

protected:
    ~TFiler() = default;
};

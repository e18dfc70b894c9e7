#include "host/gfx/FontconfigLibrary.h"

#include "host/gfx/FontEngine.h"
#include "host/sys/SharedLibrary.h"

namespace {

FontconfigLibrary Bind()
{
    static const TSharedLibrary library("libfontconfig.so.1");
    FontconfigLibrary fc {};
    const bool bound = library.Bind(fc.Init, "FcInit") && library.Bind(fc.Fini, "FcFini")
        && library.Bind(fc.PatternCreate, "FcPatternCreate") && library.Bind(fc.PatternDestroy, "FcPatternDestroy")
        && library.Bind(fc.PatternAddString, "FcPatternAddString") && library.Bind(fc.PatternAddInteger, "FcPatternAddInteger")
        && library.Bind(fc.PatternAddBool, "FcPatternAddBool") && library.Bind(fc.PatternGetString, "FcPatternGetString")
        && library.Bind(fc.PatternGetInteger, "FcPatternGetInteger") && library.Bind(fc.PatternGetCharSet, "FcPatternGetCharSet")
        && library.Bind(fc.CharSetHasChar, "FcCharSetHasChar") && library.Bind(fc.ConfigSubstitute, "FcConfigSubstitute")
        && library.Bind(fc.DefaultSubstitute, "FcDefaultSubstitute") && library.Bind(fc.FontSort, "FcFontSort")
        && library.Bind(fc.FontSetDestroy, "FcFontSetDestroy") && library.Bind(fc.ConfigGetConfigFiles, "FcConfigGetConfigFiles")
        && library.Bind(fc.ConfigGetFontDirs, "FcConfigGetFontDirs") && library.Bind(fc.StrListNext, "FcStrListNext")
        && library.Bind(fc.StrListDone, "FcStrListDone");
    if (!bound)
        throw EFontError("The font configuration cannot be read");
    return fc;
}

} // namespace

const FontconfigLibrary& FontconfigLibrary::Get()
{
    // A failed binding throws and is tried again at the next use.
    static const FontconfigLibrary fc = Bind();
    return fc;
}

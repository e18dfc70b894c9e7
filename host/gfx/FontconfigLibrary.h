#pragma once
#include <fontconfig/fontconfig.h>

// The functions of fontconfig the font matcher uses, bound at run time: a start whose fonts
// are all answered from the cache never loads the library.
struct FontconfigLibrary {
    decltype(&FcInit) Init;
    decltype(&FcFini) Fini;
    decltype(&FcPatternCreate) PatternCreate;
    decltype(&FcPatternDestroy) PatternDestroy;
    decltype(&FcPatternAddString) PatternAddString;
    decltype(&FcPatternAddInteger) PatternAddInteger;
    decltype(&FcPatternAddBool) PatternAddBool;
    decltype(&FcPatternGetString) PatternGetString;
    decltype(&FcPatternGetInteger) PatternGetInteger;
    decltype(&FcPatternGetCharSet) PatternGetCharSet;
    decltype(&FcCharSetHasChar) CharSetHasChar;
    decltype(&FcConfigSubstitute) ConfigSubstitute;
    decltype(&FcDefaultSubstitute) DefaultSubstitute;
    decltype(&FcFontSort) FontSort;
    decltype(&FcFontSetDestroy) FontSetDestroy;
    decltype(&FcConfigGetConfigFiles) ConfigGetConfigFiles;
    decltype(&FcConfigGetFontDirs) ConfigGetFontDirs;
    decltype(&FcStrListNext) StrListNext;
    decltype(&FcStrListDone) StrListDone;

    // Opened and bound on first use; EFontError when the library or a function is missing.
    static const FontconfigLibrary& Get();
};

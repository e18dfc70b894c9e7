#pragma once
#include <string_view>

#include "host/ui/Layout.h"

// Objects, collections and lists nest at most this deep; deeper text is refused.
constexpr int kMaxLayoutDepth = 64;

// Reads the text of a stored layout:
//
//   object Form1: TForm1
//     Caption = 'Moraleaf'             strings in single quotes, '' for a quote, #13 for a code
//     Left = -8                        integers, $E7E7E7 in hexadecimal
//     Align = alClient                 identifiers: enumerations, True/False, components, methods
//     Font.Style = [fsBold, fsItalic]  sets; a dotted name reaches into a sub-object
//     Pages = (Sheet1 Sheet2)          lists of values
//     Buttons = <                      collections of items
//       item
//         Top = 4
//       end>
//     Picture.Data = {0754426974...}   binary data in hexadecimal
//     object Panel1: TPanel            child objects after the properties
//     end
//   end
//
// Raises EReadError naming the line and the problem ("Line 3: '=' expected").
TLayoutObject ParseLayout(std::string_view text);

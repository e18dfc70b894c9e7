#pragma once
#include <string>
#include <string_view>

#include "host/ui/Component.h"

// Reads a stored layout (the text ParseLayout reads) into an existing root component, such as
// a form being constructed, with everything TReader does. Raises EReadError for a layout that
// does not fit.
void ReadComponentFromString(std::string_view text, TComponent* root);

// The same from the layout resource of that name (TResourceKind::Layout); EResNotFound when
// the program has none.
void ReadComponentRes(std::string_view name, TComponent* root);

// The stored layout of a root component, as text.
std::string WriteComponentToString(TComponent* root);

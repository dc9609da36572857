// Finding the window template inside a built setup program: the build embeds
// it behind a marker as a stored block (frame/template/embedded_template.h).
#pragma once

#include <string>

#include "services/values.h"

// The template inside `exe` (a view into it). False when no marker is
// followed by a stored block that fits the file, or when two are: a tool
// must not show one of two templates as if it were the only one.
bool FindEmbeddedTemplate(const std::string& exe, ByteBlock* out, std::string* error);

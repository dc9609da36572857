// The window template that the build compiles from the product's template
// source and embeds in the setup program. Pure declarations: the host's
// template tool includes this header for the block's marker, to find the
// template inside a built program.
#pragma once

#include <cstdint>

#include "services/values.h"

// The embedded block, in the program's constant data:
//   offset 0   16 bytes  kEmbeddedTemplateMarker
//   offset 16            the template as a stored block (services/values.h):
//                        dimension count 1, its size N, its N bytes
// The marker lets a tool find the template in the executable file without
// parsing it; nothing else in the program holds those 16 bytes.
constexpr char kEmbeddedTemplateMarker[16] = {'M', 'o', 'r', 'v', 'a', 'n', 'e', ' ',
                                              'T', 'e', 'm', 'p', 'l', 'a', 't', 'e'};

// The template's bytes (a view of constant data that lives as long as the
// process); empty when the stored block is damaged. Windows tree only: the
// block exists where it is linked in.
ByteBlock EmbeddedTemplate();

// The property-block codecs of all unit classes behind one call, for code
// that handles blocks without knowing the class in advance: the template
// tools, the tests and the fuzz targets. Pure code.
#pragma once

#include <cstdint>

#include "frame/template/unit_classes.h"
#include "widgets/common/property_block.h"

// The version a class writes, which is also the highest it reads; 0 for
// Unknown.
int32_t PropertyBlockVersion(UnitClass unitClass);

// Reads `block` with the class's codec and writes all its properties back as
// a block of the current version. False when the class is Unknown or its
// codec refuses the block. A HyperLinker block takes the standard highlight
// colour as its default HoverColor.
bool RewritePropertyBlock(UnitClass unitClass, ByteBlock block, Bytes* out);

// The properties of each unit class as the template source names them, and
// their place in the class's property record: the compiler fills a record
// from the source and lets the class's codec write the block; the dump lets
// the codec read a block and shows the record by property name.
#pragma once

#include <string>

#include "frame/template/byte_cursor.h"
#include "frame/unit_description.h"
#include "tools/template_compiler/source_values.h"

// Writes the property block of `unitClass` from the source's "properties"
// object: every property starts at its class default, the source sets those
// it names. An unknown property name or a value of the wrong form fails.
bool EncodeClassProperties(const UnitDescription& unitClass, const Json& properties,
                           const SourcePlace& at, Bytes* block);

// Reads `block` with the class's codec and appends one line per property,
// "indent name value", in the class's table order. False (with the reason)
// when the codec refuses the block.
bool DumpClassProperties(const UnitDescription& unitClass, const Bytes& block,
                         const std::string& indent, std::string* out, std::string* error);

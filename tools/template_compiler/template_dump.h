// A window template shown as readable text: every window and record with its
// identifiers, geometry, flags, pointer, tag, bindings and the properties of
// its class by name. Pictures and other files appear as their kind, size,
// image dimensions and a checksum, long texts line by line. The text is
// stable, so a committed dump shows in a diff what a change of the source
// did to the template.
#pragma once

#include <string>

#include "services/values.h"

// False when the template cannot be read (the reason in `error`); `text`
// then holds what was shown before the failure, if anything.
bool DumpTemplate(ByteBlock data, std::string* text, std::string* error);

// Helpers the class tables share.
std::string HexInt32(int32_t value);  // "0x0000ABCD"
std::string DescribeBlock(const uint8_t* data,
                          size_t size);  // "PNG 200 x 200, 6565 bytes, crc32 0x..."
std::string DescribeFont(const uint8_t* data, size_t size);
// A quoted text on one line, or, for a text of several lines, its size and
// line count followed by one "| line" per line, each line indented by
// `indent` + 2 spaces.
std::string DescribeText(const std::string& cp936, const std::string& indent);

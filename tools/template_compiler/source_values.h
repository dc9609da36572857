// The values of a template source: integers, logicals, texts, fonts and file
// references, each turned into the form the template stores. Every function
// returns false with a message in `at->error` naming the source location.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#define JSON_NOEXCEPTION 1
#include <nlohmann/json.hpp>

#include "frame/template/byte_cursor.h"

using Json = nlohmann::json;

// Where in the source a value is, for messages, and the folder that file
// references are relative to.
struct SourcePlace {
  std::string baseDir;  // folder of the source file, with a trailing '/'
  std::string path;     // "windows[0].units[3].properties.Caption"
  std::string* error = nullptr;
  std::vector<std::string>* filesRead = nullptr;  // every file referenced, for the build

  SourcePlace Child(const std::string& key) const;
  SourcePlace Item(size_t index) const;
  bool Fail(const std::string& message) const;
};

// Refuses members of `object` that are not in `allowed` (a typing mistake in
// a reviewed source would otherwise be ignored silently).
bool CheckKeys(const Json& object, std::initializer_list<const char*> allowed,
               const SourcePlace& at);

// An int32: a JSON integer, or a string "0x..." in hexadecimal (identifiers
// and colours read best that way). Hexadecimal values above 0x7FFFFFFF are
// taken as their 32-bit pattern.
bool ReadInt32(const Json& value, const SourcePlace& at, int32_t* out);

// A logical: true or false, stored as 1 or 0.
bool ReadLogical(const Json& value, const SourcePlace& at, int32_t* out);

// A text: a JSON string (UTF-8), or {"textFile": path, "lineEnd": "crlf"|"lf"}
// for a UTF-8 file whose lines are joined with that line end (one final line
// end of the file is dropped). Converted to code page 936.
bool ReadText(const Json& value, const SourcePlace& at, std::string* cp936);

// A file's bytes: {"file": path} or null for none (an empty block).
bool ReadFileBlock(const Json& value, const SourcePlace& at, Bytes* bytes);

// A font: null for none (the default font), or an object with the LOGFONTA
// fields height, width, escapement, orientation, weight, italic, underline,
// strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily
// and faceName (all optional, 0 or empty by default), stored as the 60-byte
// record.
bool ReadFont(const Json& value, const SourcePlace& at, Bytes* record);

// A file referenced by the source, read whole and noted in `filesRead`.
bool ReadSourceFile(const SourcePlace& at, const std::string& relativePath, std::string* bytes);

// Whole files, read and written in binary.
bool ReadWholeFile(const std::string& path, std::string* bytes);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

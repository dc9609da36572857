#include "tools/template_compiler/template_source.h"

#include <map>

#include "tools/template_compiler/class_properties.h"
#include "tools/template_compiler/source_values.h"
#include "widgets/widget_set.h"
#include "widgets/window/window_properties.h"

namespace {

// A first pass over the source text that the DOM parser cannot make: it
// says where a malformed source stops parsing, and it refuses a member named
// twice in one object, which the DOM would resolve silently by keeping one.
class SourceCheckSax : public nlohmann::json_sax<Json> {
 public:
  std::string message;  // empty while the source is sound
  bool parseError = false;
  size_t position = 0;  // of a parse error

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool string(string_t&) override { return Value(); }
  bool binary(binary_t&) override { return Value(); }
  bool start_object(std::size_t) override { return Open(false); }
  bool start_array(std::size_t) override { return Open(true); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool key(string_t& name) override {
    Frame& object = frames_.back();
    for (const std::string& seen : object.keys) {
      if (seen == name) {
        message =
            Path() + (frames_.size() > 1 ? ": " : "") + "member \"" + name + "\" is given twice";
        return false;
      }
    }
    object.keys.push_back(name);
    return true;
  }
  bool parse_error(std::size_t at, const std::string&,
                   const nlohmann::detail::exception& ex) override {
    parseError = true;
    position = at;
    message = ex.what();
    return false;
  }

 private:
  struct Frame {
    bool array = false;
    size_t count = 0;  // values so far (arrays)
    std::vector<std::string> keys;
  };
  std::vector<Frame> frames_;

  // Counts a value of an enclosing array.
  bool Value() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().count;
    return true;
  }
  bool Open(bool array) {
    Value();
    frames_.push_back(Frame());
    frames_.back().array = array;
    return true;
  }
  bool Close() {
    frames_.pop_back();
    return true;
  }
  // The path of the innermost object, as the compiler's messages write it.
  std::string Path() const {
    std::string path;
    for (size_t i = 0; i + 1 < frames_.size(); ++i) {
      const Frame& frame = frames_[i];
      if (frame.array) {
        path += "[" + std::to_string(frame.count - 1) + "]";
      } else if (!frame.keys.empty()) {
        path += (path.empty() ? "" : ".") + frame.keys.back();
      }
    }
    return path;
  }
};

// False with a message when the text is not JSON or names a member twice.
bool CheckSourceText(const std::string& text, std::string* error) {
  SourceCheckSax sax;
  if (Json::sax_parse(text, &sax, nlohmann::detail::input_format_t::json, false)) return true;
  if (!sax.parseError) {
    *error = sax.message;
    return false;
  }
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i + 1 < sax.position && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  *error = "not valid JSON: line " + std::to_string(line) + ", column " + std::to_string(column) +
           ": " + sax.message;
  return false;
}

bool ReadTerminatedSourceText(const Json& unit, const char* key, const SourcePlace& at, Text* out) {
  out->clear();
  if (!unit.contains(key)) return true;
  if (!ReadText(unit[key], at.Child(key), out)) return false;
  if (out->find('\0') != Text::npos)
    return at.Child(key).Fail("a stored name, remark or tag holds no 0 byte");
  return true;
}

// A code name is an upper camel case word; the identifiers header writes it
// with a "k" in front. `seen` maps the names read so far to their places.
bool ReadCodeName(const Json& object, const SourcePlace& at,
                  std::map<std::string, std::string>* seen, std::string* out) {
  out->clear();
  if (!object.contains("codeName")) return true;
  SourcePlace here = at.Child("codeName");
  const Json& value = object["codeName"];
  bool word = value.is_string() && !value.get_ref<const std::string&>().empty();
  if (word) {
    const std::string& name = value.get_ref<const std::string&>();
    word = name[0] >= 'A' && name[0] <= 'Z';
    for (char c : name)
      word = word && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'));
  }
  if (!word) return here.Fail("a code name is a word of ASCII letters and digits, a capital first");
  *out = value.get<std::string>();
  auto [earlier, added] = seen->emplace(*out, at.path);
  if (!added) return here.Fail("the code name is already that of " + earlier->second);
  return true;
}

bool ReadHandlers(const Json& root, const SourcePlace& at,
                  std::map<std::string, int32_t>* handlers) {
  if (!root.contains("handlers")) return true;
  const Json& table = root["handlers"];
  SourcePlace here = at.Child("handlers");
  if (!table.is_object()) return here.Fail("an object of handler name -> reference is expected");
  for (auto it = table.begin(); it != table.end(); ++it) {
    int32_t reference = 0;
    if (!ReadInt32(it.value(), here.Child(it.key()), &reference)) return false;
    (*handlers)[it.key()] = reference;
  }
  return true;
}

bool ReadFlags(const Json& unit, const SourcePlace& at, uint32_t* flags) {
  *flags = 0;
  if (!unit.contains("flags")) return true;
  const Json& list = unit["flags"];
  SourcePlace here = at.Child("flags");
  if (!list.is_array())
    return here.Fail("a list of \"visible\", \"disabled\", \"tabStop\" is expected");
  for (size_t i = 0; i < list.size(); ++i) {
    const Json& flag = list[i];
    if (flag == "visible") {
      *flags |= kUnitVisible;
    } else if (flag == "disabled") {
      *flags |= kUnitDisabled;
    } else if (flag == "tabStop") {
      *flags |= kUnitTabStop;
    } else {
      return here.Item(i).Fail("\"visible\", \"disabled\" or \"tabStop\" is expected");
    }
  }
  return true;
}

bool ReadRect(const Json& unit, const SourcePlace& at, TemplateRecord* record) {
  SourcePlace here = at.Child("rect");
  if (!unit.contains("rect")) return here.Fail("every unit has a rectangle");
  const Json& rect = unit["rect"];
  if (!rect.is_array() || rect.size() != 4)
    return here.Fail("[left, top, width, height] is expected");
  int32_t* fields[4] = {&record->left, &record->top, &record->width, &record->height};
  for (size_t i = 0; i < 4; ++i) {
    if (!ReadInt32(rect[i], here.Item(i), fields[i])) return false;
  }
  return true;
}

// A pointer code is stored as its 4 bytes; a cursor file as its bytes.
bool ReadPointer(const Json& unit, const SourcePlace& at, Bytes* block) {
  block->clear();
  if (!unit.contains("pointer")) return true;
  const Json& pointer = unit["pointer"];
  SourcePlace here = at.Child("pointer");
  if (pointer.is_object()) return ReadFileBlock(pointer, here, block);
  int32_t code = 0;
  if (!ReadInt32(pointer, here, &code)) return false;
  AppendInt32(code, block);
  return true;
}

bool ReadBindings(const Json& unit, const SourcePlace& at,
                  const std::map<std::string, int32_t>& handlers, std::vector<Binding>* out) {
  out->clear();
  if (!unit.contains("bindings")) return true;
  const Json& list = unit["bindings"];
  SourcePlace here = at.Child("bindings");
  if (!list.is_array()) return here.Fail("a list of {\"event\", \"handler\"} is expected");
  for (size_t i = 0; i < list.size(); ++i) {
    const Json& item = list[i];
    SourcePlace itemAt = here.Item(i);
    if (!CheckKeys(item, {"event", "handler"}, itemAt)) return false;
    Binding binding;
    if (!item.contains("event") ||
        !ReadInt32(item["event"], itemAt.Child("event"), &binding.event)) {
      return itemAt.Child("event").Fail("an event number is expected");
    }
    // null binds the event to no handler.
    if (!item.contains("handler"))
      return itemAt.Child("handler").Fail("a handler name or null is expected");
    const Json& handler = item["handler"];
    if (handler.is_null()) {
      binding.reference = kNoHandlerReference;
    } else if (handler.is_string()) {
      auto found = handlers.find(handler.get<std::string>());
      if (found == handlers.end()) {
        return itemAt.Child("handler").Fail("no handler \"" + handler.get<std::string>() +
                                            "\" in the handler table");
      }
      binding.reference = found->second;
    } else {
      return itemAt.Child("handler").Fail("a handler name or null is expected");
    }
    out->push_back(binding);
  }
  return true;
}

bool ReadUnit(const Json& unit, const SourcePlace& at,
              const std::map<std::string, int32_t>& handlers, bool ownRecord,
              TemplateRecord* record, std::string* parentName, std::string* eventLinkName) {
  if (!CheckKeys(unit,
                 {"comment", "id", "codeName", "class", "name", "remark", "tag", "rect", "parent",
                  "flags", "pointer", "eventLink", "bindings", "properties"},
                 at)) {
    return false;
  }
  if (ownRecord && unit.contains("codeName"))
    return at.Child("codeName").Fail("a window's own unit goes by its window's code name");
  if (!unit.contains("id") || !ReadInt32(unit["id"], at.Child("id"), &record->identifier)) {
    return at.Child("id").Fail("every unit has an identifier");
  }
  uint32_t id = static_cast<uint32_t>(record->identifier);
  uint32_t level = ownRecord ? kOwnUnitLevel : kChildUnitLevel;
  if ((id & kIdentifierKindMask) != kUnitIdentifierKind || (id & kIdentifierLevelMask) != level) {
    return at.Child("id").Fail(ownRecord ? "a window's own unit has an identifier 0x06xxxxxx"
                                         : "a unit has an identifier 0x16xxxxxx");
  }
  if (!ownRecord && (id & kIdentifierSerialMask) == 0) {
    return at.Child("id").Fail("the low 24 bits of a unit identifier are not 0");
  }
  if (!unit.contains("class") || !unit["class"].is_string()) {
    return at.Child("class").Fail("every unit names its class");
  }
  std::string className = unit["class"].get<std::string>();
  const UnitDescription* unitClass = FindWidgetClassNamed(className.c_str());
  if (unitClass == nullptr) return at.Child("class").Fail("no unit class \"" + className + "\"");
  if ((unitClass == &kWindowDescription) != ownRecord) {
    return at.Child("class").Fail(ownRecord ? "a window's first unit is its own, of class window"
                                            : "only a window's first unit is of class window");
  }
  record->typeReference = int32_t(unitClass->typeReference);
  if (!ReadTerminatedSourceText(unit, "name", at, &record->name) ||
      !ReadTerminatedSourceText(unit, "remark", at, &record->remark) ||
      !ReadTerminatedSourceText(unit, "tag", at, &record->tag) || !ReadRect(unit, at, record) ||
      !ReadFlags(unit, at, &record->flags) || !ReadPointer(unit, at, &record->mousePointer) ||
      !ReadBindings(unit, at, handlers, &record->bindings)) {
    return false;
  }
  parentName->clear();
  eventLinkName->clear();
  for (auto [key, out] : {std::pair<const char*, std::string*>{"parent", parentName},
                          std::pair<const char*, std::string*>{"eventLink", eventLinkName}}) {
    if (!unit.contains(key)) continue;
    if (!unit[key].is_string() || unit[key].get<std::string>().empty()) {
      return at.Child(key).Fail("the name of a unit of this window is expected");
    }
    *out = unit[key].get<std::string>();
  }
  if (ownRecord && !parentName->empty()) return at.Child("parent").Fail("a window has no parent");
  const Json empty = Json::object();
  const Json& properties = unit.contains("properties") ? unit["properties"] : empty;
  return EncodeClassProperties(*unitClass, properties, at.Child("properties"), &record->properties);
}

bool ReadWindow(const Json& window, const SourcePlace& at,
                const std::map<std::string, int32_t>& handlers,
                std::map<std::string, std::string>* codeNamePlaces, TemplateWindow* out,
                CodeNamedWindow* named) {
  if (!CheckKeys(
          window,
          {"comment", "id", "codeName", "slot", "kind", "codeReference", "name", "remark", "units"},
          at)) {
    return false;
  }
  if (!window.contains("id") || !ReadInt32(window["id"], at.Child("id"), &out->identifier)) {
    return at.Child("id").Fail("every window has an identifier");
  }
  if (!IsWindowIdentifier(out->identifier)) {
    return at.Child("id").Fail("a window identifier has 2 in bits 24 to 27 and a serial number");
  }
  named->identifier = out->identifier;
  if (!ReadCodeName(window, at, codeNamePlaces, &named->codeName)) return false;
  struct {
    const char* key;
    int32_t* field;
  } ints[] = {
      {"slot", &out->storedSlot}, {"kind", &out->kind}, {"codeReference", &out->codeReference}};
  for (auto& entry : ints) {
    *entry.field = 0;
    if (window.contains(entry.key) &&
        !ReadInt32(window[entry.key], at.Child(entry.key), entry.field)) {
      return false;
    }
  }
  out->name.clear();
  out->remark.clear();
  if (window.contains("name") && !ReadText(window["name"], at.Child("name"), &out->name))
    return false;
  if (window.contains("remark") && !ReadText(window["remark"], at.Child("remark"), &out->remark))
    return false;

  SourcePlace unitsAt = at.Child("units");
  if (!window.contains("units") || !window["units"].is_array() || window["units"].empty()) {
    return unitsAt.Fail("a window lists its units, its own first");
  }
  const Json& units = window["units"];
  std::vector<std::string> parentNames(units.size());
  std::vector<std::string> linkNames(units.size());
  out->records.assign(units.size(), TemplateRecord());
  std::map<std::string, size_t> byName;
  for (size_t i = 0; i < units.size(); ++i) {
    SourcePlace unitAt = unitsAt.Item(i);
    TemplateRecord& record = out->records[i];
    if (!ReadUnit(units[i], unitAt, handlers, i == 0, &record, &parentNames[i], &linkNames[i])) {
      return false;
    }
    CodeNamedUnit unitNamed;
    if (!ReadCodeName(units[i], unitAt, codeNamePlaces, &unitNamed.codeName)) return false;
    if (!unitNamed.codeName.empty()) {
      unitNamed.identifier = record.identifier;
      if (units[i].contains("name") && units[i]["name"].is_string())
        unitNamed.name = units[i]["name"].get<std::string>();
      unitNamed.className = units[i]["class"].get<std::string>();
      named->units.push_back(unitNamed);
    }
    for (size_t j = 0; j < i; ++j) {
      if (out->records[j].identifier == record.identifier) {
        return unitAt.Child("id").Fail("the identifier is already that of units[" +
                                       std::to_string(j) + "]");
      }
    }
    if (!record.name.empty() && !byName.emplace(units[i]["name"].get<std::string>(), i).second) {
      return unitAt.Child("name").Fail("two units of one window bear this name");
    }
  }
  // Parents and event links are named in the source and stored as
  // identifiers; the child lists follow from the parents, in template order.
  for (size_t i = 0; i < units.size(); ++i) {
    SourcePlace unitAt = unitsAt.Item(i);
    TemplateRecord& record = out->records[i];
    if (!parentNames[i].empty()) {
      auto found = byName.find(parentNames[i]);
      if (found == byName.end() || found->second == 0) {
        return unitAt.Child("parent").Fail("no unit \"" + parentNames[i] + "\" in this window");
      }
      if (found->second == i) return unitAt.Child("parent").Fail("a unit is not its own parent");
      // A parent chain that comes back to the unit would make a container
      // its own ancestor.
      size_t step = found->second;
      for (size_t guard = 0; guard < units.size() && !parentNames[step].empty(); ++guard) {
        auto next = byName.find(parentNames[step]);
        if (next == byName.end()) break;
        step = next->second;
        if (step == i)
          return unitAt.Child("parent").Fail("the parent chain comes back to this unit");
      }
      record.parent = out->records[found->second].identifier;
      out->records[found->second].children.push_back(record.identifier);
    }
    if (!linkNames[i].empty()) {
      auto found = byName.find(linkNames[i]);
      if (found == byName.end()) {
        return unitAt.Child("eventLink").Fail("no unit \"" + linkNames[i] + "\" in this window");
      }
      // The frame follows a link only to a unit of the same class; any other
      // link would be stored and never used.
      if (found->second == i)
        return unitAt.Child("eventLink").Fail("a unit does not link to itself");
      if (out->records[found->second].typeReference != record.typeReference) {
        return unitAt.Child("eventLink").Fail("\"" + linkNames[i] + "\" is of another class");
      }
      record.eventLink = out->records[found->second].identifier;
    }
  }
  return true;
}

}  // namespace

bool CompileTemplateText(const std::string& text, const std::string& baseDir, Template* out,
                         std::string* error, std::vector<std::string>* filesRead,
                         TemplateCodeNames* codeNames) {
  *out = Template();
  if (!CheckSourceText(text, error)) return false;
  Json root = Json::parse(text, nullptr, false);
  if (root.is_discarded()) {
    *error = "not valid JSON";
    return false;
  }
  SourcePlace at;
  at.baseDir = baseDir;
  at.error = error;
  at.filesRead = filesRead;
  if (!CheckKeys(root, {"comment", "handlers", "windows"}, at)) return false;
  std::map<std::string, int32_t> handlers;
  if (!ReadHandlers(root, at, &handlers)) return false;
  SourcePlace windowsAt = at.Child("windows");
  if (!root.contains("windows") || !root["windows"].is_array())
    return windowsAt.Fail("a list of windows is expected");
  const Json& windows = root["windows"];
  Template result;
  result.windows.resize(windows.size());
  TemplateCodeNames names;
  names.windows.resize(windows.size());
  std::map<std::string, std::string> codeNamePlaces;
  for (size_t i = 0; i < windows.size(); ++i) {
    if (!ReadWindow(windows[i], windowsAt.Item(i), handlers, &codeNamePlaces, &result.windows[i],
                    &names.windows[i])) {
      return false;
    }
    for (size_t j = 0; j < i; ++j) {
      if (result.windows[j].identifier == result.windows[i].identifier) {
        return windowsAt.Item(i).Child("id").Fail("two windows bear this identifier");
      }
    }
  }
  *out = static_cast<Template&&>(result);
  if (codeNames != nullptr) {
    names.handlers.assign(handlers.begin(), handlers.end());
    *codeNames = static_cast<TemplateCodeNames&&>(names);
  }
  return true;
}

bool CompileTemplateSource(const std::string& sourcePath, Template* out, std::string* error,
                           std::vector<std::string>* filesRead, TemplateCodeNames* codeNames) {
  if (filesRead != nullptr) filesRead->push_back(sourcePath);
  std::string text;
  if (!ReadWholeFile(sourcePath, &text)) {
    *error = "cannot read " + sourcePath;
    return false;
  }
  size_t slash = sourcePath.rfind('/');
  std::string baseDir = slash == std::string::npos ? "" : sourcePath.substr(0, slash + 1);
  if (!CompileTemplateText(text, baseDir, out, error, filesRead, codeNames)) {
    *error = sourcePath + ": " + *error;
    return false;
  }
  return true;
}

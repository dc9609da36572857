// The template compiler: what a source can say and how it is stored, the
// mistakes a source can make (each refused with its place), the code page
// 936 conversion, the header of the identifiers, the dump of unusual
// templates, and finding the template inside a built program.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frame/template/embedded_template.h"
#include "frame/template/template_reader.h"
#include "frame/template/template_writer.h"
#include "tests/host/gbk.h"
#include "tools/template_compiler/codepage.h"
#include "tools/template_compiler/exe_template.h"
#include "tools/template_compiler/identifiers_header.h"
#include "tools/template_compiler/source_values.h"
#include "tools/template_compiler/template_dump.h"
#include "tools/template_compiler/template_source.h"
#include "widgets/label/label_properties.h"

namespace {

// A folder of its own for the files a source refers to.
class SourceFolder {
 public:
  SourceFolder() {
    char pattern[] = "/tmp/template-compiler-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    dir_ = made != nullptr ? std::string(made) + "/" : "/tmp/";
  }
  ~SourceFolder() {
    for (const std::string& name : files_) std::remove((dir_ + name).c_str());
    rmdir(dir_.c_str());
  }
  void Write(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(WriteWholeFile(dir_ + name, bytes));
    files_.push_back(name);
  }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::vector<std::string> files_;
};

// A source with one window whose own record comes first, then `units`.
std::string Source(const std::string& units,
                   const std::string& handlers = R"({"OnClick": "0x192"})") {
  return R"({"handlers": )" + handlers + R"(, "windows": [{"id": "0x52010001", "units": [
    {"id": "0x06010000", "class": "window", "rect": [0, 0, 100, 100]})" +
         (units.empty() ? "" : ", " + units) + "]}]}";
}

bool Compile(const std::string& text, Template* out, std::string* error,
             const std::string& dir = "") {
  return CompileTemplateText(text, dir, out, error);
}

}  // namespace

TEST(TemplateCompiler, StoresWhatTheSourceSays) {
  SourceFolder folder;
  folder.Write("arrow.cur", std::string("\0\0\2\0\1\0cursor", 12));
  folder.Write("notes.txt", "第一行\n第二行\r\nthird\n");
  std::string text = R"({"comment": "a test", "handlers": {"OnClick": "0x192", "OnPress": 7},
    "windows": [{"id": "0x52000005", "slot": "0x0BADF00D", "kind": 8, "codeReference": "-0x1",
      "name": "窗口", "remark": "r", "units": [
      {"id": "0x06000000", "class": "window", "rect": [-5, "0x10", 470, 373], "flags": ["visible"],
       "bindings": [{"event": 0, "handler": null}]},
      {"id": "0x16000002", "class": "Label", "name": "甲", "parent": "乙", "rect": [1, 2, 3, 4],
       "flags": ["disabled", "tabStop"], "tag": "标记", "remark": "说明", "eventLink": "丁",
       "pointer": {"file": "arrow.cur"},
       "bindings": [{"event": -1, "handler": "OnPress"}, {"event": -1, "handler": "OnClick"}],
       "properties": {"Caption": {"textFile": "notes.txt"}, "BackColor": "0xFF000000",
                      "Font": {"height": -12, "weight": 700, "italic": true, "charSet": 134,
                               "faceName": "宋体"}}},
      {"id": "0x16000003", "class": "PicBox", "name": "乙", "rect": [0, 0, 9, 9], "pointer": 32649},
      {"id": "0x16000004", "class": "PicBox", "name": "丙", "parent": "乙", "rect": [0, 0, 9, 9],
       "properties": {}},
      {"id": "0x16000005", "class": "Label", "name": "丁", "rect": [0, 0, 9, 9]}
    ]}]})";
  Template compiled;
  std::string error;
  std::vector<std::string> files;
  ASSERT_TRUE(CompileTemplateText(text, folder.dir(), &compiled, &error, &files)) << error;
  EXPECT_EQ(files,
            (std::vector<std::string>{folder.dir() + "arrow.cur", folder.dir() + "notes.txt"}));

  ASSERT_EQ(compiled.windows.size(), 1u);
  const TemplateWindow& window = compiled.windows[0];
  EXPECT_EQ(window.identifier, 0x52000005);
  EXPECT_EQ(window.storedSlot, 0x0BADF00D);
  EXPECT_EQ(window.kind, 8);
  EXPECT_EQ(window.codeReference, -1);
  EXPECT_EQ(window.name, Gbk("窗口"));
  ASSERT_EQ(window.records.size(), 5u);
  EXPECT_EQ(window.records[0].left, -5);
  EXPECT_EQ(window.records[0].top, 16);
  ASSERT_EQ(window.records[0].bindings.size(), 1u);
  EXPECT_EQ(window.records[0].bindings[0].reference, kNoHandlerReference);

  const TemplateRecord& label = window.records[1];
  EXPECT_EQ(label.name, Gbk("甲"));
  EXPECT_EQ(label.tag, Gbk("标记"));
  EXPECT_EQ(label.remark, Gbk("说明"));
  EXPECT_EQ(label.parent, 0x16000003);
  EXPECT_EQ(label.eventLink, 0x16000005);
  EXPECT_EQ(label.flags, kUnitDisabled | kUnitTabStop);
  EXPECT_EQ(std::string(label.mousePointer.begin(), label.mousePointer.end()),
            std::string("\0\0\2\0\1\0cursor", 12));
  // Both bindings are kept, in source order: the first one decides.
  ASSERT_EQ(label.bindings.size(), 2u);
  EXPECT_EQ(label.bindings[0].reference, 7);
  EXPECT_EQ(label.bindings[1].reference, 0x192);

  LabelProperties properties;
  ASSERT_TRUE(ReadProperties(ViewOf(label.properties), &properties));
  // Lines joined with CR LF, the file's last line end dropped.
  EXPECT_EQ(properties.caption, Gbk("第一行") + "\r\n" + Gbk("第二行") + "\r\nthird");
  EXPECT_EQ(properties.backColor, 0xFF000000u);
  ASSERT_EQ(properties.font.size(), 60u);
  EXPECT_EQ(properties.font[0], 0xF4);  // -12, little-endian
  EXPECT_EQ(properties.font[3], 0xFF);
  EXPECT_EQ(properties.font[16], 700 & 0xFF);
  EXPECT_EQ(properties.font[17], 700 >> 8);
  EXPECT_EQ(properties.font[20], 1);    // italic
  EXPECT_EQ(properties.font[23], 134);  // charset
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&properties.font[28])), Gbk("宋体"));
  // The rest keeps the class defaults.
  EXPECT_EQ(properties.borderWidth, 8);

  // The container lists its children in template order, whichever comes
  // first in the source.
  EXPECT_EQ(window.records[2].children, (std::vector<int32_t>{0x16000002, 0x16000004}));
  EXPECT_EQ(MousePointerOf(window.records[2]).code, kHandPointerCode);
  EXPECT_TRUE(window.records[3].mousePointer.empty());
  // A unit without properties still gets a full block of its defaults.
  EXPECT_FALSE(window.records[3].properties.empty());
}

TEST(TemplateCompiler, RefusesMistakesAndNamesTheirPlace) {
  const std::string bare = R"({"id": "0x16000001", "class": "Label", "name": "a")";
  const std::string label = bare + R"(, "rect": [0, 0, 1, 1])";
  struct Case {
    const char* what;
    std::string source;
    const char* message;  // a part of the expected message
  } const kCases[] = {
      {"not JSON", "{\"windows\": [\n  1,\n}", "line 3"},
      {"member given twice",
       Source(label + R"(, "properties": {"Caption": "x", "Effect": 0, "Caption": "y"}})"),
       "windows[0].units[1].properties: member \"Caption\" is given twice"},
      {"unknown member", Source(label + R"(, "colour": 1})"),
       "units[1]: unknown member \"colour\""},
      {"unknown property", Source(label + R"(, "properties": {"Colour": 1}})"),
       "no property \"Colour\""},
      {"unknown handler",
       Source(label + R"(, "bindings": [{"event": 0, "handler": "OnNothing"}]})"),
       "units[1].bindings[0].handler: no handler \"OnNothing\""},
      {"no code page 936 form", Source(label + R"(, "properties": {"Caption": "ok 😀"}})"),
       "units[1].properties.Caption: no code page 936 form"},
      {"a 0 byte in a tag", Source(label + ", \"tag\": \"\\u0000\"}"), "holds no 0 byte"},
      {"choice out of range", Source(label + R"(, "properties": {"Effect": 5}})"),
       "properties.Effect: out of range"},
      {"logical as a number", Source(label + R"(, "properties": {"WordWrap": 1}})"),
       "true or false"},
      {"integer beyond int32", Source(bare + R"(, "rect": [0, 0, 1, 4294967296]})"), "int32 range"},
      {"bad hexadecimal", Source(bare + R"(, "rect": [0, "0x1G", 1, 1]})"), "hexadecimal digit"},
      {"short rectangle", Source(R"({"id": "0x16000001", "class": "Label", "rect": [0, 0, 1]})"),
       "[left, top, width, height]"},
      {"font byte out of range", Source(label + R"(, "properties": {"Font": {"charSet": 300}}})"),
       "Font.charSet: a byte"},
      {"missing file", Source(label + R"(, "properties": {"Picture": {"file": "nowhere.png"}}})"),
       "cannot read nowhere.png"},
      {"duplicate identifier", Source(label + "}, " + label + "}"), "already that of units[1]"},
      {"duplicate name",
       Source(label +
              R"(}, {"id": "0x16000002", "class": "Label", "name": "a", "rect": [0, 0, 1, 1]})"),
       "two units of one window bear this name"},
      {"missing parent", Source(label + R"(, "parent": "nowhere"})"), "no unit \"nowhere\""},
      {"parent cycle",
       Source(
           R"({"id": "0x16000001", "class": "PicBox", "name": "a", "parent": "b", "rect": [0, 0, 1, 1]},
                 {"id": "0x16000002", "class": "PicBox", "name": "b", "parent": "a", "rect": [0, 0, 1, 1]})"),
       "comes back"},
      {"event link to itself", Source(label + R"(, "eventLink": "a"})"), "does not link to itself"},
      {"event link to another class",
       Source(
           label +
           R"(, "eventLink": "b"}, {"id": "0x16000002", "class": "PicBox", "name": "b", "rect": [0, 0, 1, 1]})"),
       "\"b\" is of another class"},
      {"own parent", Source(label + R"(, "parent": "a"})"), "not its own parent"},
      {"child unit identifier",
       Source(R"({"id": "0x06000001", "class": "Label", "rect": [0, 0, 1, 1]})"), "0x16xxxxxx"},
      {"second window unit",
       Source(R"({"id": "0x16000001", "class": "window", "rect": [0, 0, 1, 1]})"),
       "only a window's first unit"},
      {"unknown class", Source(R"({"id": "0x16000001", "class": "Button", "rect": [0, 0, 1, 1]})"),
       "no unit class \"Button\""},
      {"window identifier", R"({"windows": [{"id": "0x16010001", "units": []}]})",
       "window identifier"},
      {"window without units", R"({"windows": [{"id": "0x52010001", "units": []}]})",
       "lists its units"},
      {"code name not a word", Source(label + R"(, "codeName": "Install-Button"})"),
       "units[1].codeName: a code name is a word"},
      {"code name in lower case", Source(label + R"(, "codeName": "installButton"})"),
       "a capital first"},
      {"code name not a string", Source(label + R"(, "codeName": 5})"), "a code name is a word"},
      {"code name of the window's own unit",
       R"({"windows": [{"id": "0x52010001", "units": [
           {"id": "0x06010000", "class": "window", "codeName": "Start", "rect": [0, 0, 1, 1]}]}]})",
       "units[0].codeName: a window's own unit goes by its window's code name"},
      {"code name given twice",
       R"({"windows": [{"id": "0x52010001", "codeName": "Start", "units": [
           {"id": "0x06010000", "class": "window", "rect": [0, 0, 1, 1]},
           {"id": "0x16000001", "class": "Label", "codeName": "Start", "rect": [0, 0, 1, 1]}]}]})",
       "units[1].codeName: the code name is already that of windows[0]"},
      {"first unit not the window's",
       R"({"windows": [{"id": "0x52010001", "units": [{"id": "0x16000001", "class": "Label", "rect": [0, 0, 1, 1]}]}]})",
       "0x06xxxxxx"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Template compiled;
    std::string error;
    EXPECT_FALSE(Compile(c.source, &compiled, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_TRUE(compiled.windows.empty());
  }
}

TEST(TemplateCompiler, IdentifiersHeaderNamesWindowsUnitsAndHandlers) {
  // The second window has no code name of its own: its unit names it by its
  // number.
  const std::string text = R"({"handlers": {"OnClick": "0x192", "OnNone": -1},
    "windows": [
      {"id": "0x52010001", "codeName": "StartWindow", "units": [
        {"id": "0x06010000", "class": "window", "rect": [0, 0, 100, 100]},
        {"id": "0x16010007", "class": "CheckBox", "name": "选择框1", "codeName": "AgreementBox",
         "rect": [0, 0, 9, 9]},
        {"id": "0x16010008", "class": "Label", "rect": [0, 0, 9, 9]}]},
      {"id": "0x52011eff", "units": [
        {"id": "0x06011efe", "class": "window", "rect": [0, 0, 100, 100]},
        {"id": "0x16011f00", "class": "EditBox", "codeName": "AgreementText",
         "rect": [0, 0, 9, 9]}]},
      {"id": "0x52010003", "units": [
        {"id": "0x06010003", "class": "window", "rect": [0, 0, 100, 100]}]}]})";
  Template compiled;
  TemplateCodeNames names;
  std::string error;
  ASSERT_TRUE(CompileTemplateText(text, "", &compiled, &error, nullptr, &names)) << error;
  std::string header;
  ASSERT_TRUE(MakeIdentifiersHeader(names, "test.json", &header, &error)) << error;
  const char* const kLines[] = {
      "// The identifiers of the window template test.json:\n",
      "#include \"services/values.h\"\n",
      "\nconstexpr WindowId kStartWindow{0x52010001};\n"
      "constexpr UnitRef kAgreementBox{kStartWindow, UnitId{0x16010007}};  // 选择框1, CheckBox\n"
      "\nconstexpr UnitRef kAgreementText{WindowId{0x52011EFF}, UnitId{0x16011F00}};  // EditBox\n"
      "\n// The references",
      "constexpr int32_t kOnClickReference = 0x192;\nconstexpr int32_t kOnNoneReference = -1;\n",
  };
  for (const char* line : kLines) EXPECT_NE(header.find(line), std::string::npos) << line;
  EXPECT_EQ(header.find("0x16010008"), std::string::npos) << "a unit without a code name";
  EXPECT_EQ(header.find("0x52010003"), std::string::npos) << "a window with no names";

  // The template stores no code name: the source without them compiles to
  // the same bytes.
  std::string plain = text;
  for (const char* name : {R"("codeName": "StartWindow", )", R"("codeName": "AgreementBox",)",
                           R"("codeName": "AgreementText",)"}) {
    const size_t at = plain.find(name);
    ASSERT_NE(at, std::string::npos) << name;
    plain.erase(at, std::string(name).size());
  }
  Template plainCompiled;
  ASSERT_TRUE(Compile(plain, &plainCompiled, &error)) << error;
  Bytes named, unnamed;
  ASSERT_TRUE(WriteTemplate(compiled, &named));
  ASSERT_TRUE(WriteTemplate(plainCompiled, &unnamed));
  EXPECT_EQ(named, unnamed);

  // What a header cannot say.
  struct Case {
    const char* what;
    std::string source;
    const char* message;
  } const kCases[] = {
      {"handler name no identifier", Source("", R"({"On Click": 1})"),
       "handlers.On Click: a handler's name is a C++ identifier"},
      {"one constant twice",
       Source(R"({"id": "0x16000001", "class": "Label", "codeName": "OnClickReference",
                 "rect": [0, 0, 1, 1]})"),
       "two names of the template make the constant kOnClickReference"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(CompileTemplateText(c.source, "", &compiled, &error, nullptr, &names)) << error;
    EXPECT_FALSE(MakeIdentifiersHeader(names, "test.json", &header, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(TemplateCompiler, ConvertsTextsToCodePage936OrRefuses) {
  std::string out;
  std::string error;
  ASSERT_TRUE(Utf8ToCp936("阅读并同意 ok", &out, &error)) << error;
  EXPECT_EQ(out, Gbk("阅读并同意 ok"));
  // "café" cut in the middle of its last character (C3 A9), and FF, no
  // byte of UTF-8.
  EXPECT_FALSE(Utf8ToCp936(std::string("café").substr(0, 4), &out, &error));
  EXPECT_FALSE(Utf8ToCp936(std::string{char(0xFF)}, &out, &error));
  EXPECT_FALSE(Utf8ToCp936("한", &out, &error));
  EXPECT_NE(error.find("한"), std::string::npos) << error;

  // The display form is one line, and two different texts never show alike.
  EXPECT_EQ(Cp936ToDisplay("a\\b\"c\r\n\t\x01" + Gbk("阅")), "a\\\\b\\\"c\\r\\n\\t\\x01阅");
  // The lead byte 81 shows as the four characters \ x 8 1.
  const std::string lead = Gbk("乗").substr(0, 1);
  const std::string shown = std::string("\\x") + "81";
  EXPECT_EQ(Cp936ToDisplay(lead), shown);              // a lead byte at the end
  EXPECT_EQ(Cp936ToDisplay(lead + " "), shown + " ");  // a lead byte without its trail
}

TEST(TemplateCompiler, DumpShowsUnusualRecordsAndRefusesDamage) {
  Template compiled;
  std::string error;
  ASSERT_TRUE(
      Compile(Source(R"({"id": "0x16000001", "class": "Label", "name": "a", "rect": [0, 0, 1, 1]},
                                {"id": "0x16000002", "class": "Label", "name": "b", "rect": [0, 0, 1, 1]})"),
              &compiled, &error))
      << error;
  TemplateWindow& window = compiled.windows[0];
  // A block of a version its class cannot read, a record of an unknown
  // class and an empty block are shown, not taken as a damaged template.
  PatchInt32(0, 99, &window.records[1].properties);
  window.records[2].typeReference = 0x00070007;
  window.records[0].properties.clear();
  Bytes bytes;
  ASSERT_TRUE(WriteTemplate(compiled, &bytes));
  std::string dump;
  ASSERT_TRUE(DumpTemplate(ViewOf(bytes), &dump, &error)) << error;
  EXPECT_NE(dump.find("refused by the Label codec"), std::string::npos) << dump;
  EXPECT_NE(dump.find("of an unknown class"), std::string::npos) << dump;
  EXPECT_NE(dump.find("empty: class defaults"), std::string::npos) << dump;

  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(DumpTemplate(ViewOf(bytes), &dump, &error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;
}

TEST(TemplateCompiler, FindsTheTemplateBehindItsMarkerInAProgram) {
  const std::string marker(kEmbeddedTemplateMarker, sizeof kEmbeddedTemplateMarker);
  // The marker, then a stored block: dimension count 1, the size, the bytes.
  auto block = [&](const std::string& payload, uint32_t size, uint32_t dimensions = 1) {
    std::string b = marker;
    for (uint32_t word : {dimensions, size})
      for (int i = 0; i < 4; ++i) b += static_cast<char>((word >> (8 * i)) & 0xFF);
    return b + payload;
  };
  ByteBlock found;
  std::string error;

  std::string exe = "MZ junk " + block("TEMPLATE", 8) + " more junk";
  ASSERT_TRUE(FindEmbeddedTemplate(exe, &found, &error)) << error;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(found.data), found.size), "TEMPLATE");

  // A marker whose size runs past the file is not a block; the real one
  // after it still counts. An empty template is a template.
  exe = block("x", 1000) + block("", 0);
  ASSERT_TRUE(FindEmbeddedTemplate(exe, &found, &error)) << error;
  EXPECT_EQ(found.size, 0u);
  // A marker cut short at the end of the file is no block either.
  EXPECT_FALSE(FindEmbeddedTemplate("MZ" + marker.substr(0, 10), &found, &error));
  EXPECT_FALSE(FindEmbeddedTemplate("MZ" + marker + "\1", &found, &error));
  EXPECT_FALSE(
      FindEmbeddedTemplate("MZ" + marker + std::string("\1\0\0\0\0\0", 6), &found, &error));
  // Only a block of one dimension is a stored block.
  EXPECT_FALSE(FindEmbeddedTemplate(block("AB", 2, 2), &found, &error));

  exe = block("AB", 2) + block("CD", 2);
  EXPECT_FALSE(FindEmbeddedTemplate(exe, &found, &error));
  EXPECT_NE(error.find("two"), std::string::npos) << error;
}

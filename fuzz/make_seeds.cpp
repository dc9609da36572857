// Writes the seed corpus of the fuzz targets: templates made with the
// template writer and property blocks made with the codecs, each a small
// sound or unusual case for the fuzzer to start from.
//
//   make_seeds <corpus folder>   writes <folder>/<target>/<seed>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "frame/template/template_writer.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/widget_set.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/window/window_properties.h"

namespace {

std::string corpus;
bool failed = false;

void Save(const char* target, const char* seed, const Bytes& bytes) {
  const std::string folder = corpus + "/" + target;
  mkdir(folder.c_str(), 0755);
  const std::string path = folder + "/" + seed;
  FILE* file = fopen(path.c_str(), "wb");
  if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) failed = true;
  if (file) fclose(file);
}

Bytes Font() {
  Bytes font(kLogFontSize, 0);
  PatchInt32(0, -13, &font);
  PatchInt32(16, 700, &font);
  font[23] = 134;
  return font;
}

const Bytes kPicture = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
                        0,    0,   0,   13,  'I',  'H',  'D',  'R'};

// The stored block of a window of an older version: the current block with
// the fields that version lacks taken out. After the version and 13 int32
// fields come the five optional int32 fields and the class name's count.
Bytes OlderWindowBlock(int32_t version) {
  Bytes block;
  WindowProperties p;
  p.caption = "Old";
  WriteProperties(p, &block);
  PatchInt32(0, version, &block);
  const size_t optionalAt = 4 + 13 * 4;
  const size_t kept = (version >= 2 ? 1 : 0) + (version >= 3 ? 2 : 0) + (version >= 4 ? 1 : 0) +
                      (version >= 5 ? 1 : 0);
  block.erase(block.begin() + static_cast<long>(optionalAt + 4 * kept),
              block.begin() + static_cast<long>(optionalAt + 4 * 5 + 4));
  return block;
}

void PropertySeeds() {
  Bytes block;
  const Bytes empty;
  const char* names[] = {"window",      "edit_box",    "pic_box", "label",      "check_box",
                         "process_bar", "hyperlinker", "pic_btn", "trans_label"};
  const UnitDescription* const classes[] = {
      &kWindowDescription,      &kEditBoxDescription,  &kPicBoxDescription,
      &kLabelDescription,       &kCheckBoxDescription, &kProcessBarDescription,
      &kHyperLinkerDescription, &kPicBtnDescription,   &kTransLabelDescription};
  for (int i = 0; i < int(sizeof classes / sizeof classes[0]); ++i) {
    const std::string target = std::string(names[i]) + "_fuzz";
    Save(target.c_str(), "empty", empty);
    RewritePropertyBlock(*classes[i], ByteBlock{}, &block);
    Save(target.c_str(), "defaults", block);
  }

  WindowProperties window;
  window.caption = "\xB0\xB2\xD7\xB0";  // "安装"
  window.borderStyle = 0;
  window.icon = kPicture;
  window.className = "MorvaneWindow";
  WriteProperties(window, &block);
  Save("window_fuzz", "filled", block);
  for (int32_t version = 1; version <= 5; ++version)
    Save("window_fuzz", ("version" + std::to_string(version)).c_str(), OlderWindowBlock(version));

  EditBoxProperties edit;
  edit.content = "1. \xD7\xDC\xD4\xF2\r\n";  // "1. 总则"
  edit.multiLine = true;
  edit.font = Font();
  WriteProperties(edit, &block);
  Save("edit_box_fuzz", "filled", block);

  PicBoxProperties box;
  box.backColor = 0x00FF4646;
  box.picture = kPicture;
  box.displayMode = 1;
  WriteProperties(box, &block);
  Save("pic_box_fuzz", "filled", block);
  // Version 1: the two data-binding texts are not stored.
  PatchInt32(0, 1, &block);
  block.resize(block.size() - 8);
  Save("pic_box_fuzz", "version1", block);

  LabelProperties label;
  label.caption = "\xD5\xFD\xD4\xDA\xB0\xB2\xD7\xB0...";  // "正在安装..."
  label.backColor = 0x00FFFFFF;
  label.font = Font();
  WriteProperties(label, &block);
  Save("label_fuzz", "filled", block);

  CheckBoxProperties check;
  check.caption = "\xD4\xC4\xB6\xC1\xB2\xA2\xCD\xAC\xD2\xE2";  // "阅读并同意"
  check.font = Font();
  check.backColor = 0x00FFFFFF;
  WriteProperties(check, &block);
  Save("check_box_fuzz", "filled", block);

  ProcessBarProperties bar;
  bar.maximum = 59;
  bar.position = 12;
  WriteProperties(bar, &block);
  Save("process_bar_fuzz", "filled", block);

  HyperLinkerProperties link;
  link.caption = "\xC8\xED\xBC\xFE\xD0\xED\xBF\xC9\xD0\xAD\xD2\xE9";  // "软件许可协议"
  link.hoverColor = 0x00FF9933;
  link.backColor = 0x00FFFFFF;
  link.font = Font();
  link.webAddress = "http://example.invalid/";
  WriteProperties(link, &block);
  Save("hyperlinker_fuzz", "filled", block);

  PicBtnProperties button;
  button.normalPicture = kPicture;
  button.hoverPicture = kPicture;
  button.pressedPicture = kPicture;
  WriteProperties(button, &block);
  Save("pic_btn_fuzz", "filled", block);

  TransLabelProperties trans;
  trans.caption = "Morvane";
  trans.textColor = 0x00FFFFFF;
  trans.font = Font();
  WriteProperties(trans, &block);
  Save("trans_label_fuzz", "filled", block);
}

TemplateRecord Unit(int32_t identifier, const UnitDescription* unitClass) {
  TemplateRecord record;
  record.identifier = identifier;
  record.typeReference = int32_t(unitClass->typeReference);
  record.flags = kUnitVisible;
  RewritePropertyBlock(*unitClass, ByteBlock{}, &record.properties);
  return record;
}

void TemplateSeeds() {
  Bytes bytes;
  Save("template_reader_fuzz", "empty", Bytes{});

  Template one;
  one.windows.resize(1);
  one.windows[0].identifier = 0x52010001;
  one.windows[0].records.push_back(Unit(0x06010001, &kWindowDescription));
  WriteTemplate(one, &bytes);
  Save("template_reader_fuzz", "one_record", bytes);

  // Two windows, every class, children, pointers, bindings, an event-link
  // cycle, bodies out of order and a menu-item record.
  Template full;
  full.windows.resize(2);
  TemplateWindow& start = full.windows[0];
  start.identifier = 0x52010001;
  start.storedSlot = 0x1234;
  start.kind = 1;
  start.codeReference = 0x19010002;
  start.records.push_back(Unit(0x06010001, &kWindowDescription));
  start.records[0].bindings = {{0, 0}};
  const UnitDescription* const classes[] = {&kPicBoxDescription,     &kTransLabelDescription,
                                            &kPicBtnDescription,     &kEditBoxDescription,
                                            &kLabelDescription,      &kCheckBoxDescription,
                                            &kProcessBarDescription, &kHyperLinkerDescription};
  int32_t id = 0x16010002;
  for (const UnitDescription* unitClass : classes) start.records.push_back(Unit(id++, unitClass));
  start.records[1].children = {0x16010003, 0x16010004};
  start.records[2].parent = 0x16010002;
  start.records[2].name =
      "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9"
      "7";  // "透明标签7"
  start.records[2].bindings = {{-2, 0x73}};
  start.records[3].parent = 0x16010002;
  start.records[3].mousePointer = {0x89, 0x7F, 0, 0};
  start.records[3].bindings = {{0, 0x45}, {0, 0x13AC}};
  start.records[3].tag = "close";
  start.records[5].eventLink = 0x16010007;
  start.records[6].eventLink = 0x16010006;
  start.records[6].bindings = {{-1, -1}};
  start.records[8].mousePointer = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0, 1, 0};
  TemplateRecord item;
  item.identifier = 0x2601000A;
  item.kind = RecordKind::MenuItem;
  item.menuItemBody = {3, 0, 1, 0, 0, 0, 0, 0};
  start.records.push_back(item);
  for (uint32_t i = static_cast<uint32_t>(start.records.size()); i-- > 0;)
    start.bodyOrder.push_back(i);
  TemplateWindow& agreement = full.windows[1];
  agreement.identifier = 0x52011EFF;
  agreement.kind = 8;
  agreement.records.push_back(Unit(0x06011EFF, &kWindowDescription));
  agreement.records.push_back(Unit(0x16011F00, &kEditBoxDescription));
  WriteTemplate(full, &bytes);
  Save("template_reader_fuzz", "two_windows", bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_seeds <corpus folder>\n");
    return 2;
  }
  corpus = argv[1];
  mkdir(corpus.c_str(), 0755);
  PropertySeeds();
  TemplateSeeds();
  return failed ? 1 : 0;
}

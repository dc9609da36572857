// Writes the seed corpus of the fuzz targets: templates made with the
// template writer and property blocks made with the codec, each a small
// sound or unusual case for the fuzzer to start from.
//
//   make_seeds <corpus folder>   writes <folder>/<target>/<seed>
//
// The property codec's seeds are made for every class of the widget set from
// its table: the empty block, the defaults, every field set, and the same in
// each older version. Each starts with the byte that picks its class
// (fuzz/property_codec_fuzz.cpp).
#include <algorithm>
#include <iterator>
#include <string>

#include "frame/property_codec.h"
#include "fuzz/seed_corpus.h"
#include "frame/template/template_writer.h"
#include "tests/host/property_samples.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/widget_set.h"
#include "widgets/window/window_properties.h"

namespace {

void SaveBlock(size_t classIndex, const UnitDescription& unitClass, const std::string& seed,
               const Bytes& block) {
  Bytes input(1, uint8_t(classIndex));
  input.insert(input.end(), block.begin(), block.end());
  SaveSeed("property_codec_fuzz", std::string(unitClass.name) + "-" + seed, input);
}

void PropertySeeds() {
  const WidgetSet set = AllWidgetClasses();
  for (size_t i = 0; i < set.count; ++i) {
    const UnitDescription& unitClass = *set.classes[i];
    Bytes block;
    SaveBlock(i, unitClass, "empty", block);
    if (!RewritePropertyBlock(unitClass, ByteBlock{}, &block)) SeedFailed();
    SaveBlock(i, unitClass, "defaults", block);
    PropertyRecord filled(unitClass);
    SetOtherValues(unitClass, filled.Get());
    if (!WritePropertyBlock(unitClass, filled.Get(), &block)) SeedFailed();
    SaveBlock(i, unitClass, "filled", block);
    for (int32_t version = 1; version < unitClass.blockVersion; ++version) {
      if (!WriteOlderPropertyBlock(unitClass, filled.Get(), version, &block)) SeedFailed();
      SaveBlock(i, unitClass, "version" + std::to_string(version), block);
    }
  }
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
  SaveSeed("template_reader_fuzz", "empty", Bytes{});

  Template one;
  one.windows.resize(1);
  one.windows[0].identifier = 0x52010001;
  one.windows[0].records.push_back(Unit(0x06010001, &kWindowDescription));
  WriteTemplate(one, &bytes);
  SaveSeed("template_reader_fuzz", "one_record", bytes);

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
  // The banner's three classes first, as in the product, then every other
  // class of the widget set in its order.
  const UnitDescription* const banner[] = {&kPicBoxDescription, &kTransLabelDescription,
                                           &kPicBtnDescription};
  int32_t id = 0x16010002;
  for (const UnitDescription* unitClass : banner) start.records.push_back(Unit(id++, unitClass));
  const WidgetSet set = AllWidgetClasses();
  for (size_t i = 0; i < set.count; ++i)
    if (set.classes[i] != &kWindowDescription &&
        std::find(std::begin(banner), std::end(banner), set.classes[i]) == std::end(banner))
      start.records.push_back(Unit(id++, set.classes[i]));
  start.records[1].children = {0x16010003, 0x16010004};
  start.records[2].parent = 0x16010002;
  start.records[2].name = Text(kTransLabelDefaultCaption) + "7";
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
  SaveSeed("template_reader_fuzz", "two_windows", bytes);
}

}  // namespace

int main(int argc, char** argv) {
  return WriteSeeds(argc, argv, "make_seeds", [] {
    PropertySeeds();
    TemplateSeeds();
  });
}

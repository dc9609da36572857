#include "tests/host/template_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "tests/host/gbk.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/window/window_properties.h"

void SampleCreatedHandler(EventRecord&) {}
void SampleClickHandler(EventRecord&) {}
void SamplePressHandler(EventRecord&) {}

HandlerTable SampleHandlers() {
  static const HandlerEntry kEntries[] = {
      {kSampleCreatedReference, SampleCreatedHandler},
      {kSampleClickReference, SampleClickHandler},
      {kSamplePressReference, SamplePressHandler},
  };
  return {kEntries, sizeof kEntries / sizeof kEntries[0]};
}

namespace {

Bytes DefaultBlock(const UnitDescription* unitClass) {
  // An empty block reads as the defaults; written back it is a full block.
  Bytes block;
  EXPECT_TRUE(RewritePropertyBlock(*unitClass, ByteBlock{}, &block));
  return block;
}

Bytes Font(int32_t height, int32_t weight) {
  Bytes font(kLogFontSize, 0);
  PatchInt32(0, height, &font);
  PatchInt32(16, weight, &font);
  font[23] = 134;  // GB2312_CHARSET
  return font;
}

}  // namespace

TemplateRecord SampleRecord(int32_t identifier, const UnitDescription* unitClass) {
  TemplateRecord record;
  record.identifier = identifier;
  record.typeReference = int32_t(unitClass->typeReference);
  record.properties = DefaultBlock(unitClass);
  record.flags = kUnitVisible;
  return record;
}

Template RepresentativeTemplate() {
  Template result;
  TemplateWindow start;
  start.identifier = 0x52010001;
  start.storedSlot = 0x0BADF00D;
  start.kind = 1;
  start.codeReference = 0x19010002;

  TemplateRecord own = SampleRecord(0x06010001, &kWindowDescription);
  own.width = 393;
  own.height = 277;
  own.bindings = {{0, kSampleCreatedReference}};
  WindowProperties window;
  window.borderStyle = 0;
  window.backColor = 0x00FFFFFF;
  window.icon = Bytes{0, 0, 1, 0, 1, 0, 48, 48, 0, 0, 1, 0, 32, 0};
  window.dragAnywhere = true;
  EXPECT_TRUE(WriteProperties(window, &own.properties));
  start.records.push_back(own);

  TemplateRecord panel = SampleRecord(0x16010002, &kPicBoxDescription);
  panel.width = 400;
  panel.height = 136;
  panel.children = {0x16010003, 0x16010004};
  start.records.push_back(panel);

  TemplateRecord title = SampleRecord(0x16010003, &kTransLabelDescription);
  title.name = Gbk("透明标签7");
  title.parent = 0x16010002;
  title.left = 9;
  title.top = 8;
  title.width = 150;
  title.height = 16;
  title.bindings = {{-2, kSamplePressReference}};
  TransLabelProperties label;
  label.caption = "Morvane";
  label.textColor = 0x00FFFFFF;
  label.font = Font(-12, 700);
  EXPECT_TRUE(WriteProperties(label, &title.properties));
  start.records.push_back(title);

  TemplateRecord close = SampleRecord(0x16010004, &kPicBtnDescription);
  close.parent = 0x16010002;
  close.mousePointer = Bytes{0x89, 0x7F, 0, 0};  // 32649, the hand
  close.tag = "close";
  close.bindings = {{0, kSampleClickReference}, {0, kSamplePressReference}};
  PicBtnProperties button;
  button.normalPicture = Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3};
  button.hoverPicture = Bytes{0xFF, 0xD8, 0xFF, 0xE0, 4, 5};
  EXPECT_TRUE(WriteProperties(button, &close.properties));
  start.records.push_back(close);

  // One unit of each class not placed yet, in the widget set's order.
  int32_t id = 0x16010005;
  const WidgetSet set = AllWidgetClasses();
  for (size_t i = 0; i < set.count; ++i) {
    const UnitDescription* unitClass = set.classes[i];
    if (unitClass != &kWindowDescription && unitClass != &kPicBoxDescription &&
        unitClass != &kTransLabelDescription && unitClass != &kPicBtnDescription)
      start.records.push_back(SampleRecord(id++, unitClass));
  }
  start.records.back().mousePointer = Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0, 1, 0};
  start.records.back().flags = kUnitVisible | kUnitTabStop;
  start.records.back().eventLink = 0x16010004;  // a different class: not followed

  TemplateWindow agreement;
  agreement.identifier = 0x52010002;
  agreement.storedSlot = -7;
  agreement.kind = 8;
  agreement.records.push_back(SampleRecord(0x06010002, &kWindowDescription));

  result.windows = {start, agreement};
  return result;
}

Bytes WrittenTemplate(const Template& source, TemplateLayout* layout) {
  Bytes bytes;
  EXPECT_TRUE(WriteTemplate(source, &bytes, layout));
  return bytes;
}

bool ReadAndExercise(const Bytes& bytes, const HandlerTable* handlers) {
  Template read;
  TemplateReadFailure failure;
  // Read from an allocation of exactly the data's size.
  std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() ? bytes.size() : 1]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  const ByteBlock data{exact.get(), static_cast<uint32_t>(bytes.size())};
  if (!ReadTemplate(data, handlers, &read, &failure)) {
    EXPECT_NE(failure.error, TemplateError::None);
    EXPECT_LE(failure.offset, bytes.size());
    EXPECT_TRUE(read.windows.empty());
    return false;
  }
  for (const TemplateWindow& window : read.windows) {
    EXPECT_EQ(FindWindow(read, window.identifier) != nullptr, true);
    for (const TemplateRecord& record : window.records) {
      EXPECT_NE(FindRecord(window, record.identifier), nullptr);
      if (record.kind != RecordKind::Unit) continue;
      for (const Binding& binding : record.bindings) FindHandler(window, record, binding.event);
      FindHandler(window, record, -1);
      MousePointerOf(record);
      Bytes rewritten;
      if (const UnitDescription* unitClass = FindWidgetClass(uint32_t(record.typeReference)))
        RewritePropertyBlock(*unitClass, ViewOf(record.properties), &rewritten);
    }
  }
  return true;
}

void ExpectEveryTruncationRefused(const Bytes& bytes, const HandlerTable* handlers) {
  Template read;
  ASSERT_TRUE(ReadTemplate(ByteBlock{}, handlers, &read));
  EXPECT_TRUE(read.windows.empty());
  for (size_t size = 1; size < bytes.size(); ++size) {
    const Bytes prefix(bytes.begin(), bytes.begin() + size);
    ASSERT_FALSE(ReadAndExercise(prefix, handlers)) << "a prefix of " << size << " bytes was read";
  }
}

int ReadRandomByteFlips(const Bytes& bytes, const HandlerTable* handlers, int samples,
                        uint32_t seed) {
  std::mt19937 random(seed);
  int read = 0;
  for (int sample = 0; sample < samples && !bytes.empty(); ++sample) {
    Bytes changed = bytes;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) {
      const size_t at = random() % changed.size();
      // Half the changes flip one bit, half put in a value that counts like
      // to trip over: 0, 0xFF, 0x7F, 0x80.
      static const uint8_t kValues[] = {0x00, 0xFF, 0x7F, 0x80};
      if (random() & 1)
        changed[at] ^= static_cast<uint8_t>(1u << (random() % 8));
      else
        changed[at] = kValues[random() % 4];
    }
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", sample " << sample);
    if (ReadAndExercise(changed, handlers)) ++read;
  }
  return read;
}

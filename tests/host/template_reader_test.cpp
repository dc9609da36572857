#include "frame/template/template_reader.h"

#include <gtest/gtest.h>

#include "frame/template/template_writer.h"
#include "tests/host/allocation_count.h"
#include "tests/host/template_samples.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/widget_set.h"
#include "widgets/window/window_properties.h"

namespace {

Template Read(const Bytes& bytes, const HandlerTable* handlers = nullptr,
              TemplateReadFailure* failure = nullptr) {
  Template read;
  ReadTemplate(ViewOf(bytes), handlers, &read, failure);
  return read;
}

// Compares what the loader uses; the resolved handlers are compared where
// a test resolves them.
void ExpectSameRecords(const TemplateWindow& a, const TemplateWindow& b) {
  EXPECT_EQ(a.identifier, b.identifier);
  EXPECT_EQ(a.kind, b.kind);
  EXPECT_EQ(a.codeReference, b.codeReference);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.remark, b.remark);
  ASSERT_EQ(a.records.size(), b.records.size());
  for (size_t i = 0; i < a.records.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "record " << i);
    const TemplateRecord& x = a.records[i];
    const TemplateRecord& y = b.records[i];
    EXPECT_EQ(x.identifier, y.identifier);
    EXPECT_EQ(x.kind, y.kind);
    EXPECT_EQ(x.typeReference, y.typeReference);
    EXPECT_EQ(x.eventLink, y.eventLink);
    EXPECT_EQ(x.name, y.name);
    EXPECT_EQ(x.remark, y.remark);
    EXPECT_EQ(x.left, y.left);
    EXPECT_EQ(x.top, y.top);
    EXPECT_EQ(x.width, y.width);
    EXPECT_EQ(x.height, y.height);
    EXPECT_EQ(x.parent, y.parent);
    EXPECT_EQ(x.children, y.children);
    EXPECT_EQ(x.mousePointer, y.mousePointer);
    EXPECT_EQ(x.tag, y.tag);
    EXPECT_EQ(x.flags, y.flags);
    ASSERT_EQ(x.bindings.size(), y.bindings.size());
    for (size_t j = 0; j < x.bindings.size(); ++j) {
      EXPECT_EQ(x.bindings[j].event, y.bindings[j].event);
      EXPECT_EQ(x.bindings[j].reference, y.bindings[j].reference);
    }
    EXPECT_EQ(x.properties, y.properties);
    EXPECT_EQ(x.menuItemBody, y.menuItemBody);
  }
}

TEST(TemplateReader, ReadsWhatTheWriterWroteAndWritesItBackUnchanged) {
  const Template source = RepresentativeTemplate();
  const Bytes bytes = WrittenTemplate(source);
  TemplateReadFailure failure;
  const Template read = Read(bytes, nullptr, &failure);
  ASSERT_EQ(failure.error, TemplateError::None) << TemplateErrorName(failure.error);
  ASSERT_EQ(read.windows.size(), 2u);
  for (size_t i = 0; i < 2; ++i) ExpectSameRecords(read.windows[i], source.windows[i]);
  EXPECT_EQ(read.windows[0].storedSlot, 0x0BADF00D);
  EXPECT_EQ(read.windows[1].storedSlot, -7);
  EXPECT_EQ(WrittenTemplate(read), bytes);
}

TEST(TemplateReader, SlotValuesAreIgnored) {
  Template source = RepresentativeTemplate();
  const Template withSlots = Read(WrittenTemplate(source));
  source.windows[0].storedSlot = 0;
  source.windows[1].storedSlot = INT32_MIN;
  const Template otherSlots = Read(WrittenTemplate(source));
  ASSERT_EQ(withSlots.windows.size(), 2u);
  ASSERT_EQ(otherSlots.windows.size(), 2u);
  for (size_t i = 0; i < 2; ++i) ExpectSameRecords(withSlots.windows[i], otherSlots.windows[i]);
}

TEST(TemplateReader, FindsRecordsThroughTheirOffsetsInAnyOrder) {
  Template source = RepresentativeTemplate();
  TemplateWindow& start = source.windows[0];
  const uint32_t count = static_cast<uint32_t>(start.records.size());
  for (uint32_t i = 0; i < count; ++i) start.bodyOrder.push_back(count - 1 - i);
  TemplateLayout layout;
  const Bytes bytes = WrittenTemplate(source, &layout);
  // The last record's body comes first in the table.
  EXPECT_LT(layout.windows[0].records.back().lengthAt, layout.windows[0].records[0].lengthAt);

  const Template read = Read(bytes);
  ASSERT_EQ(read.windows.size(), 2u);
  ExpectSameRecords(read.windows[0], start);
  EXPECT_EQ(read.windows[0].bodyOrder, start.bodyOrder);
  EXPECT_TRUE(read.windows[1].bodyOrder.empty());
  EXPECT_EQ(WrittenTemplate(read), bytes);
}

TEST(TemplateReader, EmptyTemplatesAndSmallWindows) {
  EXPECT_TRUE(Read(Bytes{}).windows.empty());
  Template read;
  ASSERT_TRUE(ReadTemplate(ByteBlock{}, nullptr, &read));
  EXPECT_TRUE(read.windows.empty());

  // An index of zero or negative byte count holds no windows.
  for (int32_t count : {0, -8}) {
    Bytes bytes;
    AppendInt32(count, &bytes);
    ASSERT_TRUE(ReadTemplate(ViewOf(bytes), nullptr, &read));
    EXPECT_TRUE(read.windows.empty());
  }

  // A window of unit count 1 holds only its own record.
  Template source;
  source.windows.resize(1);
  source.windows[0].identifier = 0x52000001;
  source.windows[0].records.push_back(SampleRecord(0x06000001, &kWindowDescription));
  TemplateLayout layout;
  const Bytes bytes = WrittenTemplate(source, &layout);
  ASSERT_TRUE(ReadTemplate(ViewOf(bytes), nullptr, &read));
  ASSERT_EQ(read.windows.size(), 1u);
  ASSERT_EQ(read.windows[0].records.size(), 1u);
  EXPECT_EQ(FindRecord(read.windows[0], 0), &read.windows[0].records[0]);

  // An index whose byte count is no multiple of 8 counts whole windows only.
  Bytes padded = bytes;
  PatchInt32(layout.indexCountAt, 12, &padded);
  padded.insert(padded.begin() + 4 + 8, 4, 0xEE);
  ASSERT_TRUE(ReadTemplate(ViewOf(padded), nullptr, &read));
  EXPECT_EQ(read.windows.size(), 1u);
}

TEST(TemplateReader, EmptyPropertyBlockReadsAsTheClassDefaults) {
  Template source;
  source.windows.resize(1);
  source.windows[0].identifier = 0x52000001;
  source.windows[0].records.push_back(SampleRecord(0x06000001, &kWindowDescription));
  TemplateRecord bare = SampleRecord(0x16000002, &kLabelDescription);
  bare.properties.clear();
  source.windows[0].records.push_back(bare);
  TemplateLayout layout;
  const Bytes bytes = WrittenTemplate(source, &layout);
  const RecordLayout& at = layout.windows[0].records[1];
  EXPECT_EQ(at.propertiesAt, at.endAt) << "the record ends where its block would start";

  const Template read = Read(bytes);
  ASSERT_EQ(read.windows.size(), 1u);
  const TemplateRecord& label = read.windows[0].records[1];
  EXPECT_TRUE(label.properties.empty());
  Bytes fromEmpty, fromDefaults;
  ASSERT_TRUE(RewritePropertyBlock(kLabelDescription, ViewOf(label.properties), &fromEmpty));
  EXPECT_EQ(fromEmpty, SampleRecord(0, &kLabelDescription).properties);
}

// One damage to a sound template and the failure it must end in.
struct Damage {
  const char* what;
  void (*apply)(const TemplateLayout& layout, Bytes* bytes);
  TemplateError error;
};

const WindowLayout& Start(const TemplateLayout& layout) { return layout.windows[0]; }
const RecordLayout& Button(const TemplateLayout& layout) { return layout.windows[0].records[3]; }

const Damage kDamages[] = {
    {"unit count negative",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Start(l).unitCountAt, -1, b); },
     TemplateError::BadCount},
    {"unit count 0",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Start(l).unitCountAt, 0, b); },
     TemplateError::BadCount},
    {"unit count past the table",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Start(l).unitCountAt, 0x7FFFFFFF, b); },
     TemplateError::BadCount},
    {"unit table past the end",
     [](const TemplateLayout& l, Bytes* b) {
       PatchInt32(Start(l).tableCountAt, static_cast<int32_t>(b->size()), b);
     },
     TemplateError::Truncated},
    {"unit table empty",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Start(l).tableCountAt, -5, b); },
     TemplateError::BadCount},
    {"record offset negative",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Start(l).offsetsAt + 4, -4, b); },
     TemplateError::BadOffset},
    {"record offset past the table",
     [](const TemplateLayout& l, Bytes* b) {
       PatchInt32(Start(l).offsetsAt + 4, static_cast<int32_t>(Start(l).endAt), b);
     },
     TemplateError::BadOffset},
    {"record offset leaving no room for the length",
     [](const TemplateLayout& l, Bytes* b) {
       PatchInt32(Start(l).offsetsAt + 4,
                  static_cast<int32_t>(Start(l).endAt - Start(l).recordsAt - 2), b);
     },
     TemplateError::BadOffset},
    {"record length negative",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).lengthAt, -1, b); },
     TemplateError::BadOffset},
    {"record length past the table",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).lengthAt, 0x7FFFFFF0, b); },
     TemplateError::BadOffset},
    {"records claiming one body",
     [](const TemplateLayout& l, Bytes* b) {
       // Every record's offset points at the window's own record, the
       // longest, which then counts many times over.
       const int32_t own =
           static_cast<int32_t>(l.windows[0].records[0].lengthAt - Start(l).recordsAt);
       for (size_t i = 1; i < l.windows[0].records.size(); ++i)
         PatchInt32(Start(l).offsetsAt + 4 * i, own, b);
     },
     TemplateError::BadOffset},
    {"record shorter than its fixed fields",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).lengthAt, 30, b); },
     TemplateError::BadRecord},
    {"name without its terminator",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).lengthAt, 24, b); },
     TemplateError::BadRecord},
    {"child count negative",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).childCountAt, -1, b); },
     TemplateError::BadCount},
    {"child count past the record",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).childCountAt, 0x40000000, b); },
     TemplateError::BadCount},
    {"pointer block past the record",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).pointerAt, 0x10000, b); },
     TemplateError::BadRecord},
    {"binding count negative",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).bindingCountAt, INT32_MIN, b); },
     TemplateError::BadCount},
    {"binding count past the record",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(Button(l).bindingCountAt, 0x1FFFFFFF, b); },
     TemplateError::BadCount},
    {"window index past the end",
     [](const TemplateLayout& l, Bytes* b) { PatchInt32(l.indexCountAt, 0x7FFFFFF8, b); },
     TemplateError::Truncated},
    {"more windows in the index than records",
     [](const TemplateLayout& l, Bytes* b) {
       // Three windows in the index: the third record is missing.
       Bytes index;
       AppendInt32(24, &index);
       for (int i = 0; i < 6; ++i) AppendInt32(0x52000000 + i, &index);
       b->erase(b->begin(), b->begin() + static_cast<long>(l.windows[0].recordAt));
       b->insert(b->begin(), index.begin(), index.end());
     },
     TemplateError::Truncated},
};

TEST(TemplateReader, DamagedCountsAndOffsetsEndTheReadingCleanly) {
  TemplateLayout layout;
  const Bytes sound = WrittenTemplate(RepresentativeTemplate(), &layout);
  const HandlerTable handlers = SampleHandlers();
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.what);
    Bytes bytes = sound;
    damage.apply(layout, &bytes);
    TemplateReadFailure failure;
    Template read;
    EXPECT_FALSE(ReadTemplate(ViewOf(bytes), &handlers, &read, &failure));
    EXPECT_EQ(failure.error, damage.error) << TemplateErrorName(failure.error);
    EXPECT_TRUE(read.windows.empty());
    EXPECT_FALSE(ReadAndExercise(bytes, &handlers));
  }
}

// One window whose unit table holds `count` menu items with empty bodies,
// the last offset pointing before the table.
Bytes MenuItemTable(int32_t count) {
  Bytes table;
  for (int32_t i = 0; i < count; ++i) AppendInt32(0x26000000 + i, &table);
  for (int32_t i = 0; i + 1 < count; ++i) AppendInt32(4 * i, &table);
  AppendInt32(-4, &table);
  for (int32_t i = 0; i < count; ++i) AppendInt32(0, &table);
  Bytes bytes;
  AppendInt32(8, &bytes);  // the index: one window
  AppendInt32(0x52000001, &bytes);
  AppendInt32(0, &bytes);
  for (int32_t field : {1, 0, 0, 0, count}) AppendInt32(field, &bytes);  // kind .. unit count
  AppendInt32(static_cast<int32_t>(table.size()), &bytes);
  bytes.insert(bytes.end(), table.begin(), table.end());
  return bytes;
}

TEST(TemplateReader, OffsetsAreCheckedBeforeTheRecordsAreAllocated) {
  const Bytes bytes = MenuItemTable(100000);
  TemplateReadFailure failure;
  Template read;
  const AllocationCount count = CountAllocations(
      [&] { EXPECT_FALSE(ReadTemplate(ViewOf(bytes), nullptr, &read, &failure)); });
  EXPECT_EQ(failure.error, TemplateError::BadOffset);
  EXPECT_EQ(failure.unit, 0x26000000 + 99999);
  // A record in memory is many times the 12 bytes of the table that stand
  // for it; refused first, the table costs nothing near its own size.
  if (CanCountAllocations()) EXPECT_LT(count.total, bytes.size() / 4);
  // The same table with its last offset mended reads.
  Bytes mended = bytes;
  PatchInt32(bytes.size() - 4 * 100000 - 4, 4 * 99999, &mended);
  ASSERT_TRUE(ReadTemplate(ViewOf(mended), nullptr, &read, &failure))
      << TemplateErrorName(failure.error);
  EXPECT_EQ(read.windows[0].records.size(), 100000u);
}

TEST(TemplateReader, FailureSaysWhereReadingStopped) {
  TemplateLayout layout;
  Bytes bytes = WrittenTemplate(RepresentativeTemplate(), &layout);
  PatchInt32(Button(layout).bindingCountAt, -1, &bytes);
  TemplateReadFailure failure;
  Template read;
  ASSERT_FALSE(ReadTemplate(ViewOf(bytes), nullptr, &read, &failure));
  EXPECT_EQ(failure.window, 0x52010001);
  EXPECT_EQ(failure.unit, 0x16010004);
  EXPECT_EQ(failure.offset, Button(layout).bindingCountAt + 4);
}

TEST(TemplateReader, EveryTruncationIsRefused) {
  const HandlerTable handlers = SampleHandlers();
  ExpectEveryTruncationRefused(WrittenTemplate(RepresentativeTemplate()), &handlers);
}

TEST(TemplateReader, RandomByteChangesAreReadOrRefusedWithoutFault) {
  const HandlerTable handlers = SampleHandlers();
  const Bytes bytes = WrittenTemplate(RepresentativeTemplate());
  const int read = ReadRandomByteFlips(bytes, &handlers, 3000, 20240611);
  // Most changes land in property blocks, pictures and geometry, which the
  // reader takes as they are.
  EXPECT_GT(read, 300);
  EXPECT_LT(read, 3000);
}

TEST(TemplateReader, HandlerReferencesMapThroughTheInstallersTable) {
  const Bytes bytes = WrittenTemplate(RepresentativeTemplate());
  const HandlerTable handlers = SampleHandlers();
  const Template read = Read(bytes, &handlers);
  ASSERT_EQ(read.windows.size(), 2u);
  const TemplateWindow& start = read.windows[0];
  EXPECT_EQ(FindHandler(start, start.records[0], 0), SampleCreatedHandler);
  EXPECT_EQ(FindHandler(start, *FindRecord(start, 0x16010003), -2), SamplePressHandler);
  EXPECT_EQ(FindHandler(start, *FindRecord(start, 0x16010003), 0), nullptr);

  // Without a table, references are kept and nothing is resolved.
  const Template unresolved = Read(bytes);
  const Binding* binding = FindBinding(unresolved.windows[0], unresolved.windows[0].records[0], 0);
  ASSERT_NE(binding, nullptr);
  EXPECT_EQ(binding->reference, kSampleCreatedReference);
  EXPECT_EQ(binding->handler, nullptr);

  // A reference the program has no handler for refuses the template.
  Template source = RepresentativeTemplate();
  source.windows[1].records[0].bindings = {{1, 0x7777}};
  TemplateReadFailure failure;
  EXPECT_TRUE(Read(WrittenTemplate(source), &handlers, &failure).windows.empty());
  EXPECT_EQ(failure.error, TemplateError::UnknownHandler);
  EXPECT_EQ(failure.window, 0x52010002);
  EXPECT_EQ(failure.unit, 0x06010002);
}

TEST(TemplateReader, FirstBindingOfAnEventDecides) {
  const HandlerTable handlers = SampleHandlers();
  Template source = RepresentativeTemplate();
  TemplateRecord& own = source.windows[0].records[0];
  own.bindings = {{5, kNoHandlerReference},
                  {5, kSampleClickReference},
                  {6, kSampleClickReference},
                  {6, kSamplePressReference}};
  const Template read = Read(WrittenTemplate(source), &handlers);
  const TemplateWindow& start = read.windows[0];
  EXPECT_EQ(FindHandler(start, start.records[0], 6), SampleClickHandler);
  EXPECT_EQ(FindHandler(start, start.records[0], 5), nullptr) << "a binding without a handler";
  EXPECT_EQ(FindHandler(start, start.records[0], 7), nullptr);
  // The button binds event 0 twice.
  EXPECT_EQ(FindHandler(start, *FindRecord(start, 0x16010004), 0), SampleClickHandler);
}

TEST(TemplateReader, EventLinksShareBindingsAndCyclesEnd) {
  const HandlerTable handlers = SampleHandlers();
  Template source;
  source.windows.resize(1);
  TemplateWindow& window = source.windows[0];
  window.identifier = 0x52000001;
  window.records.push_back(SampleRecord(0x06000001, &kWindowDescription));
  // a -> b -> c: a and b share c's binding.
  TemplateRecord a = SampleRecord(0x16000002, &kPicBtnDescription);
  TemplateRecord b = SampleRecord(0x16000003, &kPicBtnDescription);
  TemplateRecord c = SampleRecord(0x16000004, &kPicBtnDescription);
  a.eventLink = b.identifier;
  b.eventLink = c.identifier;
  c.bindings = {{0, kSampleClickReference}};
  // d <-> e: a cycle. f links to itself. g links to a missing unit, h to a
  // unit of another class; both keep their own bindings.
  TemplateRecord d = SampleRecord(0x16000005, &kLabelDescription);
  TemplateRecord e = SampleRecord(0x16000006, &kLabelDescription);
  TemplateRecord f = SampleRecord(0x16000007, &kLabelDescription);
  TemplateRecord g = SampleRecord(0x16000008, &kLabelDescription);
  TemplateRecord h = SampleRecord(0x16000009, &kLabelDescription);
  d.eventLink = e.identifier;
  e.eventLink = d.identifier;
  d.bindings = {{-1, kSampleClickReference}};
  e.bindings = {{-1, kSamplePressReference}};
  f.eventLink = f.identifier;
  f.bindings = {{-1, kSamplePressReference}};
  g.eventLink = 0x16000099;
  g.bindings = {{-1, kSampleClickReference}};
  h.eventLink = a.identifier;
  h.bindings = {{-1, kSamplePressReference}};
  window.records.insert(window.records.end(), {a, b, c, d, e, f, g, h});

  const Template read = Read(WrittenTemplate(source), &handlers);
  ASSERT_EQ(read.windows.size(), 1u);
  const TemplateWindow& w = read.windows[0];
  auto handlerOf = [&](int32_t unit, int32_t event) {
    return FindHandler(w, *FindRecord(w, unit), event);
  };
  EXPECT_EQ(handlerOf(a.identifier, 0), SampleClickHandler);
  EXPECT_EQ(handlerOf(b.identifier, 0), SampleClickHandler);
  // The cycle ends at the last record before the repeat.
  EXPECT_EQ(handlerOf(d.identifier, -1), SamplePressHandler);
  EXPECT_EQ(handlerOf(e.identifier, -1), SampleClickHandler);
  EXPECT_EQ(handlerOf(f.identifier, -1), SamplePressHandler);
  EXPECT_EQ(handlerOf(g.identifier, -1), SampleClickHandler);
  EXPECT_EQ(handlerOf(h.identifier, -1), SamplePressHandler);
}

// A chain of 1,600 links: each record links to the next, the last binds
// the event (or, closed into a cycle, links back to the first). The records
// lie in the template in a scrambled order.
TEST(TemplateReader, ALongEventLinkChainIsFollowedInBoundedSteps) {
  constexpr int32_t kChain = 1600;
  const HandlerTable handlers = SampleHandlers();
  for (bool cycle : {false, true}) {
    SCOPED_TRACE(cycle ? "cycle" : "chain");
    Template source;
    source.windows.resize(1);
    TemplateWindow& window = source.windows[0];
    window.identifier = 0x52000001;
    window.records.push_back(SampleRecord(0x06000001, &kWindowDescription));
    const TemplateRecord button = SampleRecord(0, &kPicBtnDescription);
    for (int32_t k = 0; k < kChain; ++k) {
      const int32_t i = (k * 37) % kChain;  // 37 and 1,600 share no factor
      TemplateRecord record = button;
      record.identifier = 0x16000000 + i;
      record.eventLink = i + 1 < kChain ? record.identifier + 1 : cycle ? 0x16000000 : 0;
      if (i + 1 == kChain) record.bindings = {{0, kSampleClickReference}};
      window.records.push_back(record);
    }
    const Template read = Read(WrittenTemplate(source), &handlers);
    ASSERT_EQ(read.windows.size(), 1u);
    const TemplateWindow& w = read.windows[0];
    const TemplateRecord& first = *FindRecord(w, 0x16000000);
    size_t steps = 0;
    EXPECT_EQ(FindEventSource(w, first, &steps), FindRecord(w, 0x16000000 + kChain - 1));
    EXPECT_EQ(FindHandler(w, first, 0), SampleClickHandler);
    // A sort of the records and a binary search per link: about 20 steps
    // per record here. Searching the records at each link and the chain so
    // far for a repeat took some 10^9.
    EXPECT_LT(steps, size_t(kChain) * 32);
  }
}

TEST(TemplateReader, FindsWindowsAndRecordsByIdentifier) {
  const Template read = Read(WrittenTemplate(RepresentativeTemplate()));
  ASSERT_NE(FindWindow(read, 0x52010002), nullptr);
  EXPECT_EQ(FindWindow(read, 0x52010002)->kind, 8);
  EXPECT_EQ(FindWindow(read, 0x52019999), nullptr);
  const TemplateWindow& start = read.windows[0];
  EXPECT_EQ(FindRecord(start, 0x16010004)->tag, "close");
  EXPECT_EQ(FindRecord(start, 0), &start.records[0]);
  EXPECT_EQ(FindRecord(start, 0x16010099), nullptr);
}

TEST(TemplateReader, MousePointerBlocks) {
  TemplateRecord record;
  EXPECT_EQ(MousePointerOf(record).code, kNoMousePointer);
  record.mousePointer = {0x89, 0x7F, 0, 0};
  EXPECT_EQ(MousePointerOf(record).code, kHandPointerCode);
  EXPECT_EQ(MousePointerOf(record).cursorFile.size, 0u);
  record.mousePointer = {0, 0, 2, 0, 1, 0};
  EXPECT_EQ(MousePointerOf(record).cursorFile.size, 6u);
  record.mousePointer = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0, 1, 0};
  const MousePointer marked = MousePointerOf(record);
  EXPECT_EQ(marked.code, kNoMousePointer);
  ASSERT_EQ(marked.cursorFile.size, 6u);
  EXPECT_EQ(marked.cursorFile.data, record.mousePointer.data() + 4);
}

TEST(TemplateReader, MenuItemRecordsAreKeptAsStored) {
  Template source = RepresentativeTemplate();
  TemplateRecord item;
  item.identifier = 0x26010009;
  item.kind = RecordKind::MenuItem;
  item.menuItemBody = {3, 0, 1, 0, 'x', 0, 0};  // not walked, so any bytes
  source.windows[0].records.push_back(item);
  const Bytes bytes = WrittenTemplate(source);
  const HandlerTable handlers = SampleHandlers();
  const Template read = Read(bytes, &handlers);
  ASSERT_EQ(read.windows.size(), 2u);
  const TemplateRecord* found = FindRecord(read.windows[0], 0x26010009);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->kind, RecordKind::MenuItem);
  EXPECT_EQ(found->menuItemBody, item.menuItemBody);
  EXPECT_EQ(WrittenTemplate(read), bytes);
}

TEST(TemplateWriter, RefusesWhatCannotBeStored) {
  Bytes bytes = {1, 2, 3};
  Template source = RepresentativeTemplate();
  source.windows[0].records[2].tag = Text("a\0b", 3);
  EXPECT_FALSE(WriteTemplate(source, &bytes));
  EXPECT_EQ(bytes, (Bytes{1, 2, 3})) << "nothing written on failure";

  source = RepresentativeTemplate();
  source.windows[0].bodyOrder = {0, 1, 1, 2, 3, 4, 5, 6, 7};
  EXPECT_FALSE(WriteTemplate(source, &bytes));
  source.windows[0].bodyOrder = {0, 1};
  EXPECT_FALSE(WriteTemplate(source, &bytes));
}

}  // namespace

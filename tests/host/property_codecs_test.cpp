// The property-block codec: the stored field order of every class, the
// version rules, empty and damaged blocks, the tables of every class of the
// widget set, and the clamping setters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/property_samples.h"
#include "texts/unit_defaults.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/widget_set.h"
#include "widgets/window/window_properties.h"

namespace {

// Builds a block field by field in the stored order, independently of the
// codecs' writers.
struct Block {
  Bytes bytes;
  Block& Int(int32_t v) {
    AppendInt32(v, &bytes);
    return *this;
  }
  Block& Short(uint16_t v) {
    AppendUint16(v, &bytes);
    return *this;
  }
  Block& Counted(const std::string& v) {
    AppendCounted(v.data(), v.size(), &bytes);
    return *this;
  }
  ByteBlock View() const { return ViewOf(bytes); }
};

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

const std::string kFont = std::string(60, '\x11');

// A picture: the first byte of the PNG signature, its name, and padding.
const std::string kPicture = std::string{char(0x89)} + "PNG....";

// Every field distinct, so that two fields read in swapped order show.
Block WindowBlock(int32_t version) {
  Block b;
  b.Int(version).Int(0).Int(2).Int(0x00FFFFFF).Int(1).Int(0).Int(0).Int(3).Int(0).Int(2);
  b.Int(1).Int(0).Int(1).Int(77);
  if (version >= 2) b.Int(0);
  if (version >= 3) b.Int(1).Int(5);
  if (version >= 4) b.Int(1);
  if (version >= 5) b.Int(1);
  if (version >= 6) b.Counted("Cls");
  b.Counted("BG").Counted("ICON").Counted("WAV").Counted("Title").Counted("help.hlp");
  return b;
}

Block EditBoxBlock(int32_t version) {
  Block b;
  b.Int(version).Int(3).Int(0x000000FF).Int(0x0000FF00).Int(0).Int(500).Int(1).Int(2).Int(1);
  b.Int(2).Short('#').Int(2).Int(1).Int(-10).Int(10).Int(4).Int(-1);
  b.Counted(kFont).Counted("Agreement text");
  if (version >= 2) b.Counted("Src").Counted("Col");
  return b;
}

Block PicBoxBlock(int32_t version) {
  Block b;
  b.Int(version).Int(4).Int(0x00FF4646).Int(1).Int(0).Counted(kPicture);
  if (version >= 2) b.Counted("Src").Counted("Col");
  return b;
}

Block LabelBlock(int32_t version) {
  Block b;
  b.Int(version).Int(2).Int(12).Int(6).Int(0x1).Int(0x2).Int(0x3).Int(0x4).Int(0x5);
  b.Int(2).Int(7).Int(0x6).Int(0x7).Int(0x8).Int(1).Int(2).Int(1);
  b.Counted(kFont).Counted("PIC").Counted("Caption");
  if (version >= 2) b.Counted("Src").Counted("Col");
  return b;
}

Block CheckBoxBlock(int32_t version) {
  Block b;
  b.Int(version).Int(1).Int(0).Int(1).Int(2).Int(0).Int(0x0000FF).Int(0x00FFFFFF).Int(1);
  b.Counted("PIC").Counted(kFont).Counted("Agree");
  if (version >= 2) b.Counted("Src").Counted("Col");
  return b;
}

Block ProcessBarBlock() { return Block().Int(1).Int(2).Int(1).Int(0).Int(5).Int(59).Int(30); }

Block HyperLinkerBlock() {
  return Block()
      .Int(1)
      .Int(1)
      .Int(0x00FF0000)
      .Int(0x00000080)
      .Int(0x00FF9933)
      .Int(0x00FFFFFF)
      .Int(5)
      .Counted(kFont)
      .Counted("Link")
      .Counted("a@b")
      .Counted("http://x");
}

Block PicBtnBlock() {
  return Block()
      .Int(1)
      .Int(1)
      .Int(1)
      .Int(0x00FFFFFF)
      .Counted("N")
      .Counted("HH")
      .Counted("PPP")
      .Counted("DDDD");
}

Block TransLabelBlock() {
  return Block()
      .Int(1)
      .Int(3)
      .Int(0x00FFFFFF)
      .Int(2)
      .Int(0)
      .Int(1)
      .Counted(kFont)
      .Counted("Morvane");
}

TEST(WindowProperties, FieldsInStoredOrderAndByVersion) {
  WindowProperties p;
  ASSERT_TRUE(ReadProperties(WindowBlock(6).View(), &p));
  EXPECT_EQ(p.borderStyle, 0);
  EXPECT_EQ(p.backPictureMode, 2);
  EXPECT_EQ(p.backColor, 0x00FFFFFFu);
  EXPECT_TRUE(p.maxButton);
  EXPECT_FALSE(p.minButton);
  EXPECT_FALSE(p.controlBox);
  EXPECT_EQ(p.startPosition, 3);
  EXPECT_FALSE(p.movable);
  EXPECT_EQ(p.soundRepeat, 2);
  EXPECT_TRUE(p.enterMovesFocus);
  EXPECT_FALSE(p.escCloses);
  EXPECT_TRUE(p.f1OpensHelp);
  EXPECT_EQ(p.helpContext, 77);
  EXPECT_FALSE(p.showInTaskbar);
  EXPECT_TRUE(p.dragAnywhere);
  EXPECT_EQ(p.shape, 5);
  EXPECT_TRUE(p.alwaysOnTop);
  EXPECT_TRUE(p.storedOnly);
  EXPECT_EQ(p.className, "Cls");
  EXPECT_EQ(p.backPicture, AsBytes("BG"));
  EXPECT_EQ(p.icon, AsBytes("ICON"));
  EXPECT_EQ(p.backSound, AsBytes("WAV"));
  EXPECT_EQ(p.caption, "Title");
  EXPECT_EQ(p.helpFile, "help.hlp");

  // Each older version lacks the later fields, which keep their defaults,
  // and still holds the blocks and texts at its end.
  const WindowProperties defaults;
  for (int32_t version = 1; version <= 5; ++version) {
    SCOPED_TRACE(testing::Message() << "version " << version);
    ASSERT_TRUE(ReadProperties(WindowBlock(version).View(), &p));
    EXPECT_EQ(p.helpContext, 77);
    EXPECT_EQ(p.showInTaskbar, version >= 2 ? false : defaults.showInTaskbar);
    EXPECT_EQ(p.dragAnywhere, version >= 3);
    EXPECT_EQ(p.shape, version >= 3 ? 5 : 0);
    EXPECT_EQ(p.alwaysOnTop, version >= 4);
    EXPECT_EQ(p.storedOnly, version >= 5);
    EXPECT_EQ(p.className, "");
    EXPECT_EQ(p.icon, AsBytes("ICON"));
    EXPECT_EQ(p.helpFile, "help.hlp");
  }
}

TEST(EditBoxProperties, FieldsInStoredOrderAndByVersion) {
  EditBoxProperties p;
  ASSERT_TRUE(ReadProperties(EditBoxBlock(2).View(), &p));
  EXPECT_EQ(p.border, 3);
  EXPECT_EQ(p.textColor, 0x000000FFu);
  EXPECT_EQ(p.backColor, 0x0000FF00u);
  EXPECT_FALSE(p.hideSelection);
  EXPECT_EQ(p.maxLength, 500);
  EXPECT_TRUE(p.multiLine);
  EXPECT_EQ(p.scrollBars, 2);
  EXPECT_EQ(p.textAlign, 1);
  EXPECT_EQ(p.inputMode, 2);
  EXPECT_EQ(p.passwordChar, '#');
  EXPECT_EQ(p.letterCase, 2);
  EXPECT_EQ(p.spinButton, 1);
  EXPECT_EQ(p.spinMin, -10);
  EXPECT_EQ(p.spinMax, 10);
  EXPECT_EQ(p.selStart, 4);
  EXPECT_EQ(p.selLength, -1);
  EXPECT_EQ(p.font, AsBytes(kFont));
  EXPECT_EQ(p.content, "Agreement text");
  EXPECT_EQ(p.dataSource, "Src");
  EXPECT_EQ(p.dataColumn, "Col");

  ASSERT_TRUE(ReadProperties(EditBoxBlock(1).View(), &p));
  EXPECT_EQ(p.content, "Agreement text");
  EXPECT_EQ(p.dataSource, "");
}

TEST(PicBoxProperties, FieldsInStoredOrderAndByVersion) {
  PicBoxProperties p;
  ASSERT_TRUE(ReadProperties(PicBoxBlock(2).View(), &p));
  EXPECT_EQ(p.border, 4);
  EXPECT_EQ(p.backColor, 0x00FF4646u);
  EXPECT_EQ(p.displayMode, 1);
  EXPECT_FALSE(p.playAnimation);
  EXPECT_EQ(p.picture, AsBytes(kPicture));
  EXPECT_EQ(p.dataSource, "Src");
  EXPECT_EQ(p.dataColumn, "Col");

  ASSERT_TRUE(ReadProperties(PicBoxBlock(1).View(), &p));
  EXPECT_EQ(p.picture, AsBytes(kPicture));
  EXPECT_EQ(p.dataSource, "");
  EXPECT_EQ(p.dataColumn, "");
}

TEST(LabelProperties, FieldsInStoredOrderAndByVersion) {
  LabelProperties p;
  ASSERT_TRUE(ReadProperties(LabelBlock(2).View(), &p));
  EXPECT_EQ(p.effect, 2);
  EXPECT_EQ(p.borderWidth, 12);
  EXPECT_EQ(p.border, 6);
  EXPECT_EQ(p.borderColor1, 1u);
  EXPECT_EQ(p.borderColor2, 2u);
  EXPECT_EQ(p.borderColor3, 3u);
  EXPECT_EQ(p.textColor, 4u);
  EXPECT_EQ(p.backColor, 5u);
  EXPECT_EQ(p.pictureMode, 2);
  EXPECT_EQ(p.gradient, 7);
  EXPECT_EQ(p.gradientColor1, 6u);
  EXPECT_EQ(p.gradientColor2, 7u);
  EXPECT_EQ(p.gradientColor3, 8u);
  EXPECT_EQ(p.hAlign, 1);
  EXPECT_EQ(p.vAlign, 2);
  EXPECT_TRUE(p.wordWrap);
  EXPECT_EQ(p.font, AsBytes(kFont));
  EXPECT_EQ(p.picture, AsBytes("PIC"));
  EXPECT_EQ(p.caption, "Caption");
  EXPECT_EQ(p.dataSource, "Src");
  EXPECT_EQ(p.dataColumn, "Col");

  ASSERT_TRUE(ReadProperties(LabelBlock(1).View(), &p));
  EXPECT_EQ(p.caption, "Caption");
  EXPECT_EQ(p.dataSource, "");
}

TEST(CheckBoxProperties, FieldsInStoredOrderAndByVersion) {
  CheckBoxProperties p;
  ASSERT_TRUE(ReadProperties(CheckBoxBlock(2).View(), &p));
  EXPECT_TRUE(p.pushLike);
  EXPECT_FALSE(p.flat);
  EXPECT_TRUE(p.textOnLeft);
  EXPECT_EQ(p.hAlign, 2);
  EXPECT_EQ(p.vAlign, 0);
  EXPECT_EQ(p.textColor, 0x0000FFu);
  EXPECT_EQ(p.backColor, 0x00FFFFFFu);
  EXPECT_TRUE(p.checked);
  EXPECT_EQ(p.picture, AsBytes("PIC"));
  EXPECT_EQ(p.font, AsBytes(kFont));
  EXPECT_EQ(p.caption, "Agree");
  EXPECT_EQ(p.dataSource, "Src");
  EXPECT_EQ(p.dataColumn, "Col");

  ASSERT_TRUE(ReadProperties(CheckBoxBlock(1).View(), &p));
  EXPECT_EQ(p.caption, "Agree");
  EXPECT_EQ(p.dataColumn, "");
}

TEST(ProcessBarProperties, FieldsInStoredOrder) {
  ProcessBarProperties p;
  ASSERT_TRUE(ReadProperties(ProcessBarBlock().View(), &p));
  EXPECT_EQ(p.border, 2);
  EXPECT_EQ(p.vertical, 1);
  EXPECT_EQ(p.smooth, 0);
  EXPECT_EQ(p.minimum, 5);
  EXPECT_EQ(p.maximum, 59);
  EXPECT_EQ(p.position, 30);
}

TEST(HyperLinkerProperties, FieldsInStoredOrderAndTheSystemHighlightAsDefault) {
  HyperLinkerProperties p;
  ASSERT_TRUE(ReadHyperLinkerProperties(HyperLinkerBlock().View(), 0x00123456, &p));
  EXPECT_EQ(p.linkKind, 1);
  EXPECT_EQ(p.textColor, 0x00FF0000u);
  EXPECT_EQ(p.visitedColor, 0x00000080u);
  EXPECT_EQ(p.hoverColor, 0x00FF9933u);
  EXPECT_EQ(p.backColor, 0x00FFFFFFu);
  EXPECT_EQ(p.border, 5);
  EXPECT_EQ(p.font, AsBytes(kFont));
  EXPECT_EQ(p.caption, "Link");
  EXPECT_EQ(p.mailAddress, "a@b");
  EXPECT_EQ(p.webAddress, "http://x");

  // An empty block, and a refused one, leave the caller's highlight colour.
  ASSERT_TRUE(ReadHyperLinkerProperties(ByteBlock{}, 0x00123456, &p));
  EXPECT_EQ(p.hoverColor, 0x00123456u);
  EXPECT_FALSE(ReadHyperLinkerProperties(Block().Int(2).View(), 0x00654321, &p));
  EXPECT_EQ(p.hoverColor, 0x00654321u);
}

TEST(PicBtnProperties, FieldsInStoredOrder) {
  PicBtnProperties p;
  ASSERT_TRUE(ReadProperties(PicBtnBlock().View(), &p));
  EXPECT_EQ(p.buttonKind, 1);
  EXPECT_TRUE(p.checked);
  EXPECT_EQ(p.transparentColor, 0x00FFFFFFu);
  EXPECT_EQ(p.normalPicture, AsBytes("N"));
  EXPECT_EQ(p.hoverPicture, AsBytes("HH"));
  EXPECT_EQ(p.pressedPicture, AsBytes("PPP"));
  EXPECT_EQ(p.disabledPicture, AsBytes("DDDD"));
}

TEST(TransLabelProperties, FieldsInStoredOrder) {
  TransLabelProperties p;
  ASSERT_TRUE(ReadProperties(TransLabelBlock().View(), &p));
  EXPECT_EQ(p.effect, 3);
  EXPECT_EQ(p.textColor, 0x00FFFFFFu);
  EXPECT_EQ(p.hAlign, 2);
  EXPECT_EQ(p.vAlign, 0);
  EXPECT_TRUE(p.wordWrap);
  EXPECT_EQ(p.font, AsBytes(kFont));
  EXPECT_EQ(p.caption, "Morvane");
}

// The blocks of the classes above as they are stored, built independently
// of the codec: the codec must read each and write it back to the same
// bytes.
struct ClassBlock {
  const UnitDescription* unitClass;
  Block (*current)();
};

const ClassBlock kStoredBlocks[] = {
    {&kWindowDescription, [] { return WindowBlock(6); }},
    {&kEditBoxDescription, [] { return EditBoxBlock(2); }},
    {&kPicBoxDescription, [] { return PicBoxBlock(2); }},
    {&kLabelDescription, [] { return LabelBlock(2); }},
    {&kCheckBoxDescription, [] { return CheckBoxBlock(2); }},
    {&kProcessBarDescription, ProcessBarBlock},
    {&kHyperLinkerDescription, HyperLinkerBlock},
    {&kPicBtnDescription, PicBtnBlock},
    {&kTransLabelDescription, TransLabelBlock},
};

TEST(PropertyCodecs, ReadThenWriteGivesTheSameBytes) {
  for (const ClassBlock& entry : kStoredBlocks) {
    SCOPED_TRACE(entry.unitClass->name);
    const Bytes block = entry.current().bytes;
    Bytes written;
    ASSERT_TRUE(RewritePropertyBlock(*entry.unitClass, ViewOf(block), &written));
    EXPECT_EQ(written, block);
  }
}

// The tests below hold for every class of the widget set, through its table.
class EveryClass : public testing::TestWithParam<const UnitDescription*> {
 protected:
  const UnitDescription& unitClass() const { return *GetParam(); }
  // The block of a record with every field away from its default.
  Bytes FilledBlock(int32_t version) const {
    PropertyRecord record(unitClass());
    SetOtherValues(unitClass(), record.Get());
    Bytes block;
    EXPECT_TRUE(WriteOlderPropertyBlock(unitClass(), record.Get(), version, &block));
    return block;
  }
};

std::vector<const UnitDescription*> WidgetClasses() {
  const WidgetSet set = AllWidgetClasses();
  return std::vector<const UnitDescription*>(set.classes, set.classes + set.count);
}

INSTANTIATE_TEST_SUITE_P(WidgetSet, EveryClass, testing::ValuesIn(WidgetClasses()),
                         [](const testing::TestParamInfo<const UnitDescription*>& info) {
                           return std::string(info.param->name);
                         });

TEST_P(EveryClass, TableHasEachUnitIndexOnceAndVersionsWithinTheBlocks) {
  EXPECT_EQ(FindWidgetClass(unitClass().typeReference), &unitClass());
  EXPECT_EQ(FindWidgetClassNamed(unitClass().name), &unitClass());
  EXPECT_GE(unitClass().blockVersion, 1);
  for (int unitIndex = 0; unitIndex < unitClass().fieldCount; ++unitIndex) {
    const PropertyField* field = FieldAt(unitClass(), unitIndex);
    ASSERT_NE(field, nullptr) << unitIndex;
    EXPECT_EQ(FieldNamed(unitClass(), field->name), field);
    EXPECT_GE(field->since, 1) << field->name;
    EXPECT_LE(field->since, unitClass().blockVersion) << field->name;
  }
  EXPECT_EQ(FieldAt(unitClass(), unitClass().fieldCount), nullptr);
  EXPECT_EQ(FieldAt(unitClass(), -1), nullptr);
}

TEST_P(EveryClass, VersionAboveTheClassLimitIsRefusedAndLeavesTheRecord) {
  Bytes block = FilledBlock(unitClass().blockVersion);
  PropertyRecord record(unitClass());
  SetOtherValues(unitClass(), record.Get());
  Bytes before;
  ASSERT_TRUE(WritePropertyBlock(unitClass(), record.Get(), &before));
  for (int32_t version : {unitClass().blockVersion + 1, INT32_MAX}) {
    PatchInt32(0, version, &block);
    EXPECT_FALSE(ReadPropertyBlock(unitClass(), ViewOf(block), record.Get())) << version;
  }
  Bytes after;
  ASSERT_TRUE(WritePropertyBlock(unitClass(), record.Get(), &after));
  EXPECT_EQ(after, before);
}

TEST_P(EveryClass, EmptyBlockGivesTheDefaultsAndEveryShortBlockIsRefused) {
  Bytes fromEmpty, defaults;
  ASSERT_TRUE(RewritePropertyBlock(unitClass(), ByteBlock{}, &fromEmpty));
  PropertyRecord fresh(unitClass());
  ASSERT_TRUE(WritePropertyBlock(unitClass(), fresh.Get(), &defaults));
  EXPECT_EQ(fromEmpty, defaults);
  // Every prefix ends inside the version or a field, and leaves the record
  // as it was.
  const Bytes block = FilledBlock(unitClass().blockVersion);
  for (size_t size = 1; size < block.size(); ++size) {
    const Bytes prefix(block.begin(), block.begin() + size);
    PropertyRecord record(unitClass());
    ASSERT_FALSE(ReadPropertyBlock(unitClass(), ViewOf(prefix), record.Get())) << size;
    Bytes written;
    ASSERT_TRUE(WritePropertyBlock(unitClass(), record.Get(), &written));
    ASSERT_EQ(written, defaults) << size;
  }
}

// A block of each version holds the fields of that version and keeps the
// others at their defaults; a version below 1 holds the fields of version 1.
TEST_P(EveryClass, OlderVersionsHoldTheirFieldsAndLeaveTheLaterOnesAtTheirDefaults) {
  PropertyRecord defaults(unitClass()), filled(unitClass());
  SetOtherValues(unitClass(), filled.Get());
  for (int32_t version = -1; version <= unitClass().blockVersion; ++version) {
    SCOPED_TRACE(testing::Message() << "version " << version);
    PropertyRecord back(unitClass());
    ASSERT_TRUE(ReadPropertyBlock(unitClass(), ViewOf(FilledBlock(version)), back.Get()));
    for (int i = 0; i < unitClass().fieldCount; ++i) {
      const PropertyField& field = unitClass().fields[i];
      if (!field.InRecord()) continue;
      const bool stored = field.since <= 1 || version >= field.since;
      EXPECT_TRUE(SameValue(field.Get(back.Get()), field.Get((stored ? filled : defaults).Get())))
          << field.name;
    }
  }
}

// The table and the codec describe the same record: a value put into one
// field through the table is written and read back by the codec into that
// field, and into no other.
TEST_P(EveryClass, EveryFieldIsStoredInItsOwnPlace) {
  PropertyRecord defaults(unitClass());
  for (int i = 0; i < unitClass().fieldCount; ++i) {
    const PropertyField& field = unitClass().fields[i];
    SCOPED_TRACE(field.name);
    if (!field.InRecord()) continue;
    const Value value = OtherValue(field, defaults.Get());
    PropertyRecord record(unitClass());
    field.Set(record.Get(), value);
    Bytes block;
    ASSERT_TRUE(WritePropertyBlock(unitClass(), record.Get(), &block));
    PropertyRecord back(unitClass());
    ASSERT_TRUE(ReadPropertyBlock(unitClass(), ViewOf(block), back.Get()));
    for (int j = 0; j < unitClass().fieldCount; ++j) {
      const PropertyField& other = unitClass().fields[j];
      if (!other.InRecord()) continue;
      const Value got = other.Get(back.Get());
      EXPECT_EQ(got.type, DeclaredType(other.form)) << other.name;
      EXPECT_TRUE(SameValue(got, j == i ? value : other.Get(defaults.Get()))) << other.name;
    }
  }
}

TEST(PropertyCodecs, TheDefaultsOfAnEmptyBlockAreThoseOfTheRecords) {
  WindowProperties window;
  window.caption = "x";
  ASSERT_TRUE(ReadProperties(ByteBlock{}, &window));
  EXPECT_EQ(window.caption, "");
  EXPECT_EQ(window.startPosition, 1);
  TransLabelProperties label;
  ASSERT_TRUE(ReadProperties(ByteBlock{}, &label));
  EXPECT_EQ(label.caption, kTransLabelDefaultCaption);
  EXPECT_EQ(label.vAlign, 1);
  // A refused block leaves the typed record at its defaults.
  PicBtnProperties p;
  p.buttonKind = 1;
  Bytes block = PicBtnBlock().bytes;
  PatchInt32(0, 2, &block);
  EXPECT_FALSE(ReadProperties(ViewOf(block), &p));
  EXPECT_EQ(p.buttonKind, 0);
  EXPECT_TRUE(p.normalPicture.empty());
}

TEST(PropertyCodecs, NegativeCountsAreEmptyFieldsAndExtraBytesAreIgnored) {
  PicBtnProperties p;
  Block block = Block().Int(1).Int(0).Int(0).Int(-16777216).Int(-1).Int(-100).Int(0);
  block.Counted("D").Int(0x7EEEEEEE);
  ASSERT_TRUE(ReadProperties(block.View(), &p));
  EXPECT_EQ(p.transparentColor, kDefaultColour);
  EXPECT_TRUE(p.normalPicture.empty());
  EXPECT_TRUE(p.hoverPicture.empty());
  EXPECT_EQ(p.disabledPicture, AsBytes("D"));
}

// The ranges in the classes' tables, as the frame applies them to a record
// that a block, the source or a handler filled: a value outside goes to the
// nearer end; every other field is left as it is.
template <typename R>
R Clamped(R record) {
  ClampProperties(DescriptionOf(record), &record);
  return record;
}

TEST(PropertyRanges, ValuesOutsideGoToTheNearerEnd) {
  PicBtnProperties button;
  button.buttonKind = 7;
  EXPECT_EQ(Clamped(button).buttonKind, 1);
  button.buttonKind = -3;
  EXPECT_EQ(Clamped(button).buttonKind, 0);

  TransLabelProperties trans;
  trans.effect = 7;
  trans.hAlign = -1;
  trans.vAlign = 9;
  trans = Clamped(trans);
  EXPECT_EQ(trans.effect, 3);
  EXPECT_EQ(trans.hAlign, 0);
  EXPECT_EQ(trans.vAlign, 2);

  LabelProperties label;
  label.borderWidth = 3;
  label.effect = 4;
  label.border = 77;
  label.pictureMode = 3;
  label.gradient = 77;  // no range: left alone
  label = Clamped(label);
  EXPECT_EQ(label.borderWidth, 5);
  EXPECT_EQ(label.effect, 3);
  EXPECT_EQ(label.border, 6);
  EXPECT_EQ(label.pictureMode, 2);
  EXPECT_EQ(label.gradient, 77);
  label.borderWidth = 6;
  label.border = -1;
  label.pictureMode = -1;
  label = Clamped(label);
  EXPECT_EQ(label.borderWidth, 6);
  EXPECT_EQ(label.border, 0);
  EXPECT_EQ(label.pictureMode, 0);

  HyperLinkerProperties link;
  link.linkKind = 2;
  link.border = 9;
  link = Clamped(link);
  EXPECT_EQ(link.linkKind, 1);
  EXPECT_EQ(link.border, 5);

  PicBoxProperties box;
  box.border = -1;
  box.displayMode = 3;
  box = Clamped(box);
  EXPECT_EQ(box.border, 0);
  EXPECT_EQ(box.displayMode, 2);

  // MaxLength, Border and ScrollBars beyond each end.
  const int32_t edits[][6] = {{-5, 6, 4, 0, 5, 3}, {INT32_MAX, -1, -1, INT32_MAX, 0, 0}};
  for (const auto& row : edits) {
    EditBoxProperties edit;
    edit.maxLength = row[0];
    edit.border = row[1];
    edit.scrollBars = row[2];
    edit = Clamped(edit);
    EXPECT_EQ(edit.maxLength, row[3]);
    EXPECT_EQ(edit.border, row[4]);
    EXPECT_EQ(edit.scrollBars, row[5]);
  }

  CheckBoxProperties check;
  check.hAlign = 3;
  check.vAlign = -2;
  check = Clamped(check);
  EXPECT_EQ(check.hAlign, 2);
  EXPECT_EQ(check.vAlign, 0);

  WindowProperties window;
  window.borderStyle = 7;
  window.backPictureMode = -1;
  window.startPosition = 4;
  window = Clamped(window);
  EXPECT_EQ(window.borderStyle, 6);
  EXPECT_EQ(window.backPictureMode, 0);
  EXPECT_EQ(window.startPosition, 3);
}

// The share that a screen reader reads as a progress bar's value.
TEST(PropertyRanges, ProgressBarShareInWholePercent) {
  struct Share {
    ProcessBarRange range;
    int32_t position;
    int32_t percent;
  };
  const Share shares[] = {
      {{0, 59}, 0, 0},
      {{0, 59}, 1, 1},
      {{0, 59}, 30, 50},
      {{0, 59}, 58, 98},
      {{0, 59}, 59, 100},
      {{10, 20}, 15, 50},
      {{10, 20}, 5, 0},
      {{10, 20}, 25, 100},
      {{5, 5}, 5, 0},
      {{0, 3}, 1, 33},
      {{0, 3}, 2, 66},
      // Bounds that a program sent the control itself, beyond 16 bits.
      {{-2000000000, 2000000000}, 0, 50},
  };
  for (const Share& share : shares)
    EXPECT_EQ(ProcessBarPercent(share.range, share.position), share.percent)
        << share.range.low << ".." << share.range.high << " at " << share.position;
}

TEST(PropertyRanges, ProgressBarPositionWithinItsBoundsInEitherOrder) {
  ProcessBarProperties bar;
  bar.minimum = 50;
  bar.maximum = 10;
  EXPECT_EQ(ProcessBarRangeOf(bar).low, 10);
  EXPECT_EQ(ProcessBarRangeOf(bar).high, 50);
  bar.position = 70;
  EXPECT_EQ(Clamped(bar).position, 50);
  bar.position = -5;
  EXPECT_EQ(Clamped(bar).position, 10);

  bar.maximum = 40000;
  bar.minimum = -1;
  bar = Clamped(bar);
  EXPECT_EQ(bar.maximum, kProcessBarLimit);
  EXPECT_EQ(bar.minimum, 0);

  // The bounds come into their range before the position comes into theirs.
  ProcessBarProperties stored;
  stored.minimum = -20;
  stored.maximum = 59;
  stored.position = 100;
  stored.border = 8;
  stored = Clamped(stored);
  EXPECT_EQ(stored.minimum, 0);
  EXPECT_EQ(stored.position, 59);
  EXPECT_EQ(stored.border, 5);
}

}  // namespace

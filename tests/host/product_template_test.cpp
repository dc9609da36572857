// The product's window template, compiled from its source as the build does:
// its content against the layout the program is built around (both windows,
// every unit, geometry, flags, pointers, fonts, bindings and properties), its
// committed dump, the stability of every property block through its codec,
// and its reading when damaged.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "frame/template/template_reader.h"
#include "frame/template/template_writer.h"
#include "tests/host/gbk.h"
#include "tests/host/template_samples.h"
#include "tools/template_compiler/source_values.h"
#include "tools/template_compiler/template_dump.h"
#include "tools/template_compiler/template_source.h"
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

constexpr int32_t kStartWindow = 0x52010001;
constexpr int32_t kAgreementWindow = 0x52011eff;

// The product's template, compiled once for all tests.
const Bytes& ProductTemplate() {
  static const Bytes bytes = [] {
    Template compiled;
    std::string error;
    Bytes written;
    EXPECT_TRUE(CompileTemplateSource(MORVANE_TEMPLATE_SOURCE, &compiled, &error)) << error;
    EXPECT_TRUE(WriteTemplate(compiled, &written));
    return written;
  }();
  return bytes;
}

Template ReadProduct() {
  Template read;
  TemplateReadFailure failure;
  EXPECT_TRUE(ReadTemplate(ViewOf(ProductTemplate()), nullptr, &read, &failure))
      << TemplateErrorName(failure.error) << " at " << failure.offset;
  return read;
}

Bytes Font(int32_t height, int32_t weight) {
  Bytes font(60, 0);
  PatchInt32(0, height, &font);
  PatchInt32(16, weight, &font);
  font[23] = 134;  // GB2312_CHARSET; every other field 0, the face name empty
  return font;
}

struct ExpectedUnit {
  int32_t id;
  const char* name;  // UTF-8
  const UnitDescription* unitClass;
  int32_t parent;
  int32_t left, top, width, height;
  uint32_t flags;
  int32_t pointer;  // 0: no pointer block
  int32_t event;    // the one binding, or kNone
  int32_t handler;
};

constexpr int32_t kNone = 0x7FFFFFFF;
constexpr uint32_t V = kUnitVisible;
constexpr uint32_t T = kUnitTabStop;
constexpr int32_t kBanner = 0x16010004;

// The link and the install button are tab stops too: with the check box,
// what the keyboard goes through.
const ExpectedUnit kStartUnits[] = {
    {0x16011ee8, "标签2", &kLabelDescription, 0, 28, 211, 80, 20, 0, 0, kNone, 0},
    {0x16011ee7, "进度条1", &kProcessBarDescription, 0, 30, 184, 332, 22, 0, 0, kNone, 0},
    {0x16011ee6, "标签1", &kLabelDescription, 0, 0, 136, 393, 140, 0, 0, kNone, 0},
    {0x16011ee5, "图片框2", &kPicBoxDescription, kBanner, 148, 24, 96, 96, V, 0, kNone, 0},
    {0x16010007, "选择框1", &kCheckBoxDescription, 0, 114, 223, 88, 24, V | T, 0, kNone, 0},
    {0x16010008, "超级链接框1", &kHyperLinkerDescription, 0, 200, 224, 87, 24, V | T, 0, -1, 0x7},
    {0x16011ed9, "图形按钮1", &kPicBtnDescription, 0, 135, 168, 122, 39, V | T, 32649, 0, 0x192},
    {0x16011ed8, "透明标签7", &kTransLabelDescription, kBanner, 9, 8, 150, 16, V, 0, -1, 0x73},
    {0x16011ed4, "图形按钮5", &kPicBtnDescription, kBanner, 341, 8, 19, 19, V, 32649, 0, 0x13AC},
    {0x16011ed5, "图形按钮6", &kPicBtnDescription, kBanner, 366, 8, 19, 19, V, 32649, 0, 0x45},
    {0x16010004, "图片框1", &kPicBoxDescription, 0, 0, 0, 400, 136, V, 0, kNone, 0},
};

void ExpectUnit(const TemplateWindow& window, size_t index, const ExpectedUnit& expected) {
  SCOPED_TRACE(expected.name);
  ASSERT_LT(index, window.records.size());
  const TemplateRecord& record = window.records[index];
  EXPECT_EQ(record.identifier, expected.id);
  EXPECT_EQ(record.name, Gbk(expected.name));
  EXPECT_EQ(FindWidgetClass(uint32_t(record.typeReference)), expected.unitClass);
  EXPECT_EQ(record.eventLink, 0);
  EXPECT_EQ(record.parent, expected.parent);
  EXPECT_EQ(record.left, expected.left);
  EXPECT_EQ(record.top, expected.top);
  EXPECT_EQ(record.width, expected.width);
  EXPECT_EQ(record.height, expected.height);
  EXPECT_EQ(record.flags, expected.flags);
  EXPECT_TRUE(record.remark.empty());
  EXPECT_TRUE(record.tag.empty());
  MousePointer pointer = MousePointerOf(record);
  EXPECT_EQ(pointer.code, expected.pointer);
  EXPECT_EQ(pointer.cursorFile.size, 0u);
  if (expected.event == kNone) {
    EXPECT_TRUE(record.bindings.empty());
  } else {
    ASSERT_EQ(record.bindings.size(), 1u);
    EXPECT_EQ(record.bindings[0].event, expected.event);
    EXPECT_EQ(record.bindings[0].reference, expected.handler);
  }
}

// The installer's handlers stand in as distinct functions that are only
// compared, never called.
void Created(EventRecord&) {}
void LinkPressed(EventRecord&) {}
void CloseClicked(EventRecord&) {}
void TitlePressed(EventRecord&) {}
void InstallClicked(EventRecord&) {}
void MinimiseClicked(EventRecord&) {}

HandlerTable ProductHandlers() {
  static const HandlerEntry kEntries[] = {
      {0x0, Created},       {0x7, LinkPressed},      {0x45, CloseClicked},
      {0x73, TitlePressed}, {0x192, InstallClicked}, {0x13AC, MinimiseClicked},
  };
  return {kEntries, sizeof kEntries / sizeof kEntries[0]};
}

const TemplateRecord& Unit(const TemplateWindow& window, int32_t id) {
  const TemplateRecord* record = FindRecord(window, id);
  EXPECT_NE(record, nullptr);
  static const TemplateRecord kMissing;
  return record != nullptr ? *record : kMissing;
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes)) << path;
  return bytes;
}

}  // namespace

TEST(ProductTemplate, StartWindowHoldsTheUnitsInTemplateOrder) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  const TemplateWindow& start = product.windows[0];
  EXPECT_EQ(start.identifier, kStartWindow);
  EXPECT_EQ(start.kind, 1);
  EXPECT_EQ(start.codeReference, 0x19010002);
  EXPECT_TRUE(start.name.empty());
  EXPECT_TRUE(start.remark.empty());
  ASSERT_EQ(start.records.size(), 12u);

  const TemplateRecord& own = start.records[0];
  EXPECT_EQ(own.identifier, 0x06010000);
  EXPECT_EQ(FindWidgetClass(uint32_t(own.typeReference)), &kWindowDescription);
  EXPECT_TRUE(own.name.empty());
  EXPECT_EQ(own.left, 50);
  EXPECT_EQ(own.top, 50);
  EXPECT_EQ(own.width, 393);
  EXPECT_EQ(own.height, 277);
  EXPECT_EQ(own.flags, V);
  EXPECT_EQ(MousePointerOf(own).code, 0);
  ASSERT_EQ(own.bindings.size(), 1u);
  EXPECT_EQ(own.bindings[0].event, 0);
  EXPECT_EQ(own.bindings[0].reference, 0);

  for (size_t i = 0; i < sizeof kStartUnits / sizeof kStartUnits[0]; ++i) {
    ExpectUnit(start, i + 1, kStartUnits[i]);
  }
  // The banner holds the logo, the title and the two caption buttons, in
  // that order; no other unit is a container.
  EXPECT_EQ(Unit(start, kBanner).children,
            (std::vector<int32_t>{0x16011ee5, 0x16011ed8, 0x16011ed4, 0x16011ed5}));
  for (const TemplateRecord& record : start.records) {
    if (record.identifier != kBanner) EXPECT_TRUE(record.children.empty()) << record.identifier;
  }
}

TEST(ProductTemplate, AgreementWindowHoldsTheEditBox) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  const TemplateWindow& agreement = product.windows[1];
  EXPECT_EQ(agreement.identifier, kAgreementWindow);
  EXPECT_EQ(agreement.kind, 8);
  EXPECT_EQ(agreement.codeReference, 0);
  ASSERT_EQ(agreement.records.size(), 2u);
  const TemplateRecord& own = agreement.records[0];
  EXPECT_EQ(own.identifier, 0x06011efe);
  EXPECT_EQ(FindWidgetClass(uint32_t(own.typeReference)), &kWindowDescription);
  EXPECT_EQ(own.left, 50);
  EXPECT_EQ(own.top, 50);
  EXPECT_EQ(own.width, 470);
  EXPECT_EQ(own.height, 373);
  EXPECT_EQ(own.flags, V);
  EXPECT_TRUE(own.bindings.empty());

  const TemplateRecord& edit = agreement.records[1];
  EXPECT_EQ(edit.identifier, 0x16011f00);
  EXPECT_EQ(edit.name, Gbk("编辑框1"));
  EXPECT_EQ(FindWidgetClass(uint32_t(edit.typeReference)), &kEditBoxDescription);
  EXPECT_EQ(edit.parent, 0);
  EXPECT_EQ(edit.left, 8);
  EXPECT_EQ(edit.top, 8);
  EXPECT_EQ(edit.width, 448);
  EXPECT_EQ(edit.height, 320);
  EXPECT_EQ(edit.flags, V | T);
  EXPECT_EQ(MousePointerOf(edit).code, 0);
  EXPECT_TRUE(edit.bindings.empty());
}

TEST(ProductTemplate, BindingsResolveToTheInstallerHandlers) {
  HandlerTable handlers = ProductHandlers();
  Template product;
  ASSERT_TRUE(ReadTemplate(ViewOf(ProductTemplate()), &handlers, &product));
  ASSERT_EQ(product.windows.size(), 2u);
  const TemplateWindow& start = product.windows[0];
  struct {
    int32_t unit;
    int32_t event;
    EventHandler handler;
  } const kBindings[] = {
      {0x06010000, 0, Created},         {0x16010008, -1, LinkPressed},
      {0x16011ed8, -1, TitlePressed},   {0x16011ed9, 0, InstallClicked},
      {0x16011ed4, 0, MinimiseClicked}, {0x16011ed5, 0, CloseClicked},
  };
  for (const auto& expected : kBindings) {
    EXPECT_EQ(FindHandler(start, Unit(start, expected.unit), expected.event), expected.handler)
        << expected.unit;
  }
  // Nothing else is bound: not the other event of a bound unit, not the
  // units without bindings, nothing in the agreement window.
  EXPECT_EQ(FindHandler(start, Unit(start, 0x16011ed9), -1), nullptr);
  EXPECT_EQ(FindHandler(start, Unit(start, 0x16010007), 0), nullptr);
  for (const TemplateRecord& record : product.windows[1].records)
    EXPECT_TRUE(record.bindings.empty());
}

TEST(ProductTemplate, WindowPropertiesDifferOnlyInBorderIconAndDragging) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  WindowProperties start;
  WindowProperties agreement;
  ASSERT_TRUE(ReadProperties(ViewOf(product.windows[0].records[0].properties), &start));
  ASSERT_TRUE(ReadProperties(ViewOf(product.windows[1].records[0].properties), &agreement));

  EXPECT_EQ(start.borderStyle, 0);
  EXPECT_EQ(agreement.borderStyle, 2);
  EXPECT_TRUE(start.dragAnywhere);
  EXPECT_FALSE(agreement.dragAnywhere);
  EXPECT_TRUE(agreement.icon.empty());
  // The start window's icon: one 48 x 48 image at 32 bits per pixel.
  ASSERT_GE(start.icon.size(), 22u);
  EXPECT_EQ((std::vector<uint8_t>(start.icon.begin(), start.icon.begin() + 6)),
            (std::vector<uint8_t>{0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(start.icon[6], 48);
  EXPECT_EQ(start.icon[7], 48);
  EXPECT_EQ(start.icon[12], 32);

  for (const WindowProperties* w : {&start, &agreement}) {
    EXPECT_TRUE(w->caption.empty());
    EXPECT_EQ(w->backColor, 0x00FFFFFFu);
    EXPECT_TRUE(w->backPicture.empty());
    EXPECT_EQ(w->backPictureMode, 1);
    EXPECT_TRUE(w->backSound.empty());
    EXPECT_EQ(w->soundRepeat, 0);
    EXPECT_TRUE(w->controlBox);
    EXPECT_FALSE(w->maxButton);
    EXPECT_TRUE(w->minButton);
    EXPECT_EQ(w->startPosition, 1);
    EXPECT_TRUE(w->movable);
    EXPECT_FALSE(w->enterMovesFocus);
    EXPECT_TRUE(w->escCloses);
    EXPECT_FALSE(w->f1OpensHelp);
    EXPECT_TRUE(w->helpFile.empty());
    EXPECT_EQ(w->helpContext, 0);
    EXPECT_TRUE(w->showInTaskbar);
    EXPECT_EQ(w->shape, 0);
    EXPECT_FALSE(w->alwaysOnTop);
    EXPECT_FALSE(w->storedOnly);
    EXPECT_TRUE(w->className.empty());
  }
}

TEST(ProductTemplate, FiveUnitsStoreTheirFontsAndTheOthersNone) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  // The font is the only 60-byte LOGFONTA in each of these blocks; it is
  // found by its bytes, so this check does not lean on the codecs' layouts.
  auto holds = [](const Bytes& block, const Bytes& font) {
    return std::search(block.begin(), block.end(), font.begin(), font.end()) != block.end();
  };
  const Bytes regular = Font(-13, 400);
  const Bytes title = Font(-12, 700);
  struct {
    int32_t id;
    const Bytes* font;
  } const kFonts[] = {
      {0x16011ee8, &regular}, {0x16010007, &regular}, {0x16010008, &regular}, {0x16011ed8, &title}};
  const TemplateWindow& start = product.windows[0];
  for (const auto& expected : kFonts) {
    EXPECT_TRUE(holds(Unit(start, expected.id).properties, *expected.font)) << expected.id;
  }
  EditBoxProperties edit;
  ASSERT_TRUE(ReadProperties(ViewOf(product.windows[1].records[1].properties), &edit));
  EXPECT_EQ(edit.font, regular);
  // The cover label keeps the default font.
  EXPECT_FALSE(holds(Unit(start, 0x16011ee6).properties, regular));
}

TEST(ProductTemplate, ProgressBarRunsToFiftyNine) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  ProcessBarProperties bar;
  ASSERT_TRUE(ReadProperties(ViewOf(Unit(product.windows[0], 0x16011ee7).properties), &bar));
  EXPECT_EQ(bar.minimum, 0);
  EXPECT_EQ(bar.maximum, 59);
  EXPECT_EQ(bar.position, 0);
  EXPECT_EQ(bar.border, 3);
  EXPECT_EQ(bar.vertical, 0);
  EXPECT_EQ(bar.smooth, 0);
}

TEST(ProductTemplate, ButtonsShareTheirPicturesAsLaidOut) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  const TemplateWindow& start = product.windows[0];
  auto isPng = [](const Bytes& b) { return b.size() > 8 && b[0] == 0x89 && b[1] == 'P'; };
  auto isJpeg = [](const Bytes& b) { return b.size() > 2 && b[0] == 0xFF && b[1] == 0xD8; };

  PicBtnProperties install;
  ASSERT_TRUE(ReadProperties(ViewOf(Unit(start, 0x16011ed9).properties), &install));
  EXPECT_TRUE(isPng(install.normalPicture));
  EXPECT_TRUE(isPng(install.hoverPicture));
  EXPECT_NE(install.normalPicture, install.hoverPicture);
  EXPECT_EQ(install.pressedPicture, install.hoverPicture);
  EXPECT_EQ(install.disabledPicture, install.hoverPicture);
  // The caption buttons show their hover picture only while hovered.
  for (int32_t id : {0x16011ed4, 0x16011ed5}) {
    PicBtnProperties button;
    ASSERT_TRUE(ReadProperties(ViewOf(Unit(start, id).properties), &button));
    EXPECT_TRUE(isJpeg(button.normalPicture)) << id;
    EXPECT_TRUE(isJpeg(button.hoverPicture)) << id;
    EXPECT_NE(button.normalPicture, button.hoverPicture) << id;
    EXPECT_EQ(button.pressedPicture, button.normalPicture) << id;
    EXPECT_EQ(button.disabledPicture, button.normalPicture) << id;
  }
  for (int32_t id : {0x16011ed9, 0x16011ed4, 0x16011ed5}) {
    PicBtnProperties button;
    ASSERT_TRUE(ReadProperties(ViewOf(Unit(start, id).properties), &button));
    EXPECT_EQ(button.buttonKind, 0) << id;
    EXPECT_FALSE(button.checked) << id;
    EXPECT_EQ(button.transparentColor, 0xFF000000u) << id;
  }

  // The banner is its colour alone; the logo is stretched over the same blue.
  PicBoxProperties banner;
  PicBoxProperties logo;
  ASSERT_TRUE(ReadProperties(ViewOf(Unit(start, kBanner).properties), &banner));
  ASSERT_TRUE(ReadProperties(ViewOf(Unit(start, 0x16011ee5).properties), &logo));
  EXPECT_TRUE(banner.picture.empty());
  EXPECT_EQ(banner.displayMode, 0);
  EXPECT_EQ(banner.backColor, 0x00FF4646u);
  EXPECT_TRUE(isPng(logo.picture));
  EXPECT_EQ(logo.displayMode, 1);
  EXPECT_EQ(logo.backColor, 0x00FF4646u);

  HyperLinkerProperties link;
  ASSERT_TRUE(ReadHyperLinkerProperties(ViewOf(Unit(start, 0x16010008).properties), 0, &link));
  EXPECT_EQ(link.caption, Gbk("软件许可协议"));
  EXPECT_EQ(link.linkKind, 0);
  EXPECT_TRUE(link.mailAddress.empty());
  EXPECT_EQ(link.textColor, 0x00FF0000u);
  EXPECT_EQ(link.visitedColor, 0x00000080u);
  EXPECT_EQ(link.hoverColor, 0x00FF9933u);
  EXPECT_EQ(link.backColor, 0x00FFFFFFu);
}

TEST(ProductTemplate, AgreementIsTheConvertedLicenceText) {
  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  EditBoxProperties edit;
  ASSERT_TRUE(ReadProperties(ViewOf(product.windows[1].records[1].properties), &edit));
  EXPECT_TRUE(edit.multiLine);
  EXPECT_EQ(edit.scrollBars, 2);
  EXPECT_EQ(edit.inputMode, 1);
  EXPECT_EQ(edit.border, 1);
  EXPECT_TRUE(edit.hideSelection);
  EXPECT_EQ(edit.passwordChar, '*');

  const Text& text = edit.content;
  ASSERT_GT(text.size(), 100u);
  EXPECT_EQ(text.substr(0, 26 + 12), std::string(26, ' ') + Gbk("软件许可协议"));
  EXPECT_EQ(text.substr(26, 2), Gbk("软"));
  EXPECT_NE(text.find("\r\n8.10 "), std::string::npos);
  // Every line end is CR LF and the text does not end with one.
  size_t lines = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++lines;
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  EXPECT_NE(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(lines, 126u);
  // The same bytes as the build's own conversion of the licence text.
  EXPECT_EQ(text, ReadFile(MORVANE_AGREEMENT_TEXT));
}

TEST(ProductTemplate, DumpMatchesTheCommittedDump) {
  std::string dump;
  std::string error;
  ASSERT_TRUE(DumpTemplate(ViewOf(ProductTemplate()), &dump, &error)) << error;
  EXPECT_EQ(dump, ReadFile(MORVANE_TEMPLATE_EXPECTED_DUMP))
      << "the compiled template changed: if the change is meant, rebuild the target "
         "update_template_dump of the host tree and review the dump's diff";
}

TEST(ProductTemplate, ReadingAndWritingGivesTheSameBytes) {
  Template product = ReadProduct();
  Bytes again;
  ASSERT_TRUE(WriteTemplate(product, &again));
  EXPECT_EQ(again, ProductTemplate());
  for (const TemplateWindow& window : product.windows) {
    for (const TemplateRecord& record : window.records) {
      Bytes rewritten;
      ASSERT_TRUE(RewritePropertyBlock(*FindWidgetClass(uint32_t(record.typeReference)),
                                       ViewOf(record.properties), &rewritten))
          << record.identifier;
      EXPECT_EQ(rewritten, record.properties) << record.identifier;
    }
  }
}

TEST(ProductTemplate, DamagedCopiesAreRefusedOrReadWithoutFault) {
  const Bytes& bytes = ProductTemplate();
  HandlerTable handlers = ProductHandlers();
  ExpectEveryTruncationRefused(bytes, &handlers);
  int read = ReadRandomByteFlips(bytes, &handlers, 3000, 0x4D6F7276);
  // Most flips land in pictures and texts, which a reader takes as they are.
  EXPECT_GT(read, 0);
}

TEST(ProductTemplate, DumpShowsDamagedCopiesWithoutFault) {
  // The dump reads what it shows from the bytes alone (image headers, fonts,
  // texts), so damaged templates and cut pictures go through it too.
  const Bytes& bytes = ProductTemplate();
  uint32_t state = 0x2545F491;
  int shown = 0;
  for (int sample = 0; sample < 300; ++sample) {
    Bytes copy = bytes;
    state = state * 1664525u + 1013904223u;
    copy[state % copy.size()] ^= static_cast<uint8_t>(1u << (state >> 29));
    std::string dump;
    std::string error;
    shown += DumpTemplate(ViewOf(copy), &dump, &error) ? 1 : 0;
  }
  EXPECT_GT(shown, 0);

  Template product = ReadProduct();
  ASSERT_EQ(product.windows.size(), 2u);
  PicBtnProperties close;
  ASSERT_TRUE(ReadProperties(ViewOf(Unit(product.windows[0], 0x16011ed5).properties), &close));
  WindowProperties start;
  ASSERT_TRUE(ReadProperties(ViewOf(product.windows[0].records[0].properties), &start));
  for (const Bytes* picture : {&close.normalPicture, &close.hoverPicture, &start.icon}) {
    for (size_t size = 0; size <= picture->size() && size <= 2048; ++size) {
      Bytes prefix(picture->begin(), picture->begin() + static_cast<std::ptrdiff_t>(size));
      EXPECT_FALSE(DescribeBlock(prefix.data(), prefix.size()).empty());
    }
  }
}

TEST(ProductTemplate, EveryCutPropertyBlockIsRefused) {
  Template product = ReadProduct();
  for (const TemplateWindow& window : product.windows) {
    for (const TemplateRecord& record : window.records) {
      const UnitDescription* unitClass = FindWidgetClass(uint32_t(record.typeReference));
      const Bytes& block = record.properties;
      for (size_t size = 1; size < block.size(); ++size) {
        // A copy of exactly the prefix, so that a read past it is caught.
        Bytes prefix(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(size));
        Bytes rewritten;
        EXPECT_FALSE(RewritePropertyBlock(*unitClass, ViewOf(prefix), &rewritten))
            << record.identifier << " cut to " << size << " bytes";
      }
    }
  }
}

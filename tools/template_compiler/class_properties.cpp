// One table per unit class: each property's source name, its form and the
// field of the class's property record that holds it, in the order of the
// class's property table (index 8 first). The codecs of widgets/ do the
// stored form; these tables only connect names to fields.
#include "tools/template_compiler/class_properties.h"

#include <cstdio>

#include "tools/template_compiler/template_dump.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/window/window_properties.h"

namespace {

enum class Form : uint8_t {
  Integer,  // int32: a number or "0x..."
  Colour,   // COLORREF: "0x00BBGGRR", or "0xFF000000" for the default / none
  Logical,  // true or false
  Text,     // a string or {"textFile": ...}, stored in code page 936
  Picture,  // {"file": ...} or null
  Font,     // a LOGFONTA object or null
  Char16,   // one character of code page 936, stored as 16 bits
};

template <typename R>
struct Field {
  const char* name = nullptr;
  Form form = Form::Integer;
  int32_t R::*integer = nullptr;
  uint32_t R::*colour = nullptr;
  bool R::*logical = nullptr;
  Text R::*text = nullptr;
  Bytes R::*bytes = nullptr;
  uint16_t R::*char16 = nullptr;
};

// One field of a class table: its source name, its form and the member of
// the class's property record that it fills.
template <typename R, typename T>
Field<R> MakeField(const char* name, Form form, T R::*Field<R>::*slot, T R::*member) {
  Field<R> f;
  f.name = name;
  f.form = form;
  f.*slot = member;
  return f;
}
template <typename R>
Field<R> IntegerField(const char* name, int32_t R::*member) {
  return MakeField(name, Form::Integer, &Field<R>::integer, member);
}
template <typename R>
Field<R> ColourField(const char* name, uint32_t R::*member) {
  return MakeField(name, Form::Colour, &Field<R>::colour, member);
}
template <typename R>
Field<R> LogicalField(const char* name, bool R::*member) {
  return MakeField(name, Form::Logical, &Field<R>::logical, member);
}
template <typename R>
Field<R> TextField(const char* name, Text R::*member) {
  return MakeField(name, Form::Text, &Field<R>::text, member);
}
template <typename R>
Field<R> PictureField(const char* name, Bytes R::*member) {
  return MakeField(name, Form::Picture, &Field<R>::bytes, member);
}
template <typename R>
Field<R> FontField(const char* name, Bytes R::*member) {
  return MakeField(name, Form::Font, &Field<R>::bytes, member);
}
template <typename R>
Field<R> Char16Field(const char* name, uint16_t R::*member) {
  return MakeField(name, Form::Char16, &Field<R>::char16, member);
}

// A property of the class's table that only exists at run time (an edit
// box's SelText): it keeps the numbering, and the source cannot set it.
template <typename R>
Field<R> RunTimeOnly() {
  return Field<R>();
}

template <typename R>
struct ClassTable {
  std::vector<Field<R>> fields;
  bool (*read)(ByteBlock block, R* out);
  bool (*write)(const R& properties, Bytes* out);
  void (*clamp)(R* properties);
};

template <typename R>
bool SetField(const Field<R>& field, const Json& value, const SourcePlace& at, R* record) {
  switch (field.form) {
    case Form::Integer:
      return ReadInt32(value, at, &(record->*field.integer));
    case Form::Colour: {
      int32_t colour = 0;
      if (!ReadInt32(value, at, &colour)) return false;
      record->*field.colour = static_cast<uint32_t>(colour);
      return true;
    }
    case Form::Logical: {
      int32_t logical = 0;
      if (!ReadLogical(value, at, &logical)) return false;
      record->*field.logical = logical != 0;
      return true;
    }
    case Form::Text:
      return ReadText(value, at, &(record->*field.text));
    case Form::Picture:
      return ReadFileBlock(value, at, &(record->*field.bytes));
    case Form::Font:
      return ReadFont(value, at, &(record->*field.bytes));
    case Form::Char16: {
      Text character;
      if (!ReadText(value, at, &character)) return false;
      if (character.empty() || character.size() > 2) return at.Fail("one character is expected");
      uint16_t stored = static_cast<uint8_t>(character[0]);
      if (character.size() == 2)
        stored = static_cast<uint16_t>(stored | static_cast<uint8_t>(character[1]) << 8);
      record->*field.char16 = stored;
      return true;
    }
  }
  return at.Fail("unknown property form");
}

template <typename R>
bool Encode(const ClassTable<R>& table, const Json& properties, const SourcePlace& at,
            Bytes* block) {
  if (!properties.is_object()) return at.Fail("an object of property name -> value is expected");
  R record;
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    const Field<R>* field = nullptr;
    for (const Field<R>& candidate : table.fields) {
      if (candidate.name != nullptr && it.key() == candidate.name) field = &candidate;
    }
    if (field == nullptr) return at.Fail("no property \"" + it.key() + "\" in this class");
    if (!SetField(*field, it.value(), at.Child(it.key()), &record)) return false;
  }
  // A choice outside its range would be clamped when the unit is created; in
  // a reviewed source it is a mistake, so it is refused here.
  R clamped = record;
  table.clamp(&clamped);
  for (const Field<R>& field : table.fields) {
    if (field.name != nullptr && field.form == Form::Integer &&
        clamped.*field.integer != record.*field.integer) {
      return at.Child(field.name)
          .Fail("out of range: the unit would use " + std::to_string(clamped.*field.integer));
    }
  }
  if (!table.write(record, block)) return at.Fail("the property block cannot be written");
  return true;
}

template <typename R>
std::string ValueText(const Field<R>& field, const R& record, const std::string& indent) {
  switch (field.form) {
    case Form::Integer:
      return std::to_string(record.*field.integer);
    case Form::Colour:
      return HexInt32(static_cast<int32_t>(record.*field.colour));
    case Form::Logical:
      return record.*field.logical ? "true" : "false";
    case Form::Text:
      return DescribeText(record.*field.text, indent);
    case Form::Picture:
      return DescribeBlock((record.*field.bytes).data(), (record.*field.bytes).size());
    case Form::Font:
      return DescribeFont((record.*field.bytes).data(), (record.*field.bytes).size());
    case Form::Char16: {
      uint16_t c = record.*field.char16;
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%04X", c);
      Text shown(1, static_cast<char>(c & 0xFF));
      if (c > 0xFF) shown += static_cast<char>(c >> 8);
      return DescribeText(shown, indent) + " (" + hex + ")";
    }
  }
  return "?";
}

template <typename R>
bool Dump(const ClassTable<R>& table, const Bytes& block, const std::string& indent,
          std::string* out, std::string* error) {
  R record;
  if (!table.read(ViewOf(block), &record)) {
    *error = "version above the class's limit, or a field runs past the block";
    return false;
  }
  int32_t version = 0;
  ByteCursor cursor(ViewOf(block));
  cursor.ReadInt32(&version);
  *out += indent + "version " + std::to_string(version) + "\n";
  for (size_t i = 0; i < table.fields.size(); ++i) {
    const Field<R>& field = table.fields[i];
    if (field.name == nullptr) continue;
    *out += indent + std::to_string(8 + i) + " " + field.name + " " +
            ValueText(field, record, indent) + "\n";
  }
  return true;
}

const ClassTable<WindowProperties>& WindowTable() {
  using R = WindowProperties;
  static const ClassTable<R> table{{TextField("Caption", &R::caption),
                                    IntegerField("BorderStyle", &R::borderStyle),
                                    ColourField("BackColor", &R::backColor),
                                    PictureField("BackPicture", &R::backPicture),
                                    IntegerField("BackPictureMode", &R::backPictureMode),
                                    PictureField("BackSound", &R::backSound),
                                    IntegerField("SoundRepeat", &R::soundRepeat),
                                    LogicalField("ControlBox", &R::controlBox),
                                    LogicalField("MaxButton", &R::maxButton),
                                    LogicalField("MinButton", &R::minButton),
                                    IntegerField("StartPosition", &R::startPosition),
                                    LogicalField("Movable", &R::movable),
                                    PictureField("Icon", &R::icon),
                                    LogicalField("EnterMovesFocus", &R::enterMovesFocus),
                                    LogicalField("EscCloses", &R::escCloses),
                                    LogicalField("F1OpensHelp", &R::f1OpensHelp),
                                    TextField("HelpFile", &R::helpFile),
                                    IntegerField("HelpContext", &R::helpContext),
                                    LogicalField("ShowInTaskbar", &R::showInTaskbar),
                                    LogicalField("DragAnywhere", &R::dragAnywhere),
                                    IntegerField("Shape", &R::shape),
                                    LogicalField("AlwaysOnTop", &R::alwaysOnTop),
                                    LogicalField("StoredOnly", &R::storedOnly),
                                    TextField("ClassName", &R::className)},
                                   ReadWindowProperties,
                                   WriteWindowProperties,
                                   ClampWindowProperties};
  return table;
}

const ClassTable<EditBoxProperties>& EditBoxTable() {
  using R = EditBoxProperties;
  static const ClassTable<R> table{{TextField("Content", &R::content),
                                    IntegerField("Border", &R::border),
                                    ColourField("TextColor", &R::textColor),
                                    ColourField("BackColor", &R::backColor),
                                    FontField("Font", &R::font),
                                    LogicalField("HideSelection", &R::hideSelection),
                                    IntegerField("MaxLength", &R::maxLength),
                                    LogicalField("MultiLine", &R::multiLine),
                                    IntegerField("ScrollBars", &R::scrollBars),
                                    IntegerField("TextAlign", &R::textAlign),
                                    IntegerField("InputMode", &R::inputMode),
                                    Char16Field("PasswordChar", &R::passwordChar),
                                    IntegerField("LetterCase", &R::letterCase),
                                    IntegerField("SpinButton", &R::spinButton),
                                    IntegerField("SpinMin", &R::spinMin),
                                    IntegerField("SpinMax", &R::spinMax),
                                    IntegerField("SelStart", &R::selStart),
                                    IntegerField("SelLength", &R::selLength),
                                    RunTimeOnly<R>(),
                                    TextField("DataSource", &R::dataSource),
                                    TextField("DataColumn", &R::dataColumn)},
                                   ReadEditBoxProperties,
                                   WriteEditBoxProperties,
                                   ClampEditBoxProperties};
  return table;
}

const ClassTable<CheckBoxProperties>& CheckBoxTable() {
  using R = CheckBoxProperties;
  static const ClassTable<R> table{
      {PictureField("Picture", &R::picture), LogicalField("PushLike", &R::pushLike),
       LogicalField("Flat", &R::flat), TextField("Caption", &R::caption),
       LogicalField("TextOnLeft", &R::textOnLeft), IntegerField("HAlign", &R::hAlign),
       IntegerField("VAlign", &R::vAlign), ColourField("TextColor", &R::textColor),
       ColourField("BackColor", &R::backColor), FontField("Font", &R::font),
       LogicalField("Checked", &R::checked), TextField("DataSource", &R::dataSource),
       TextField("DataColumn", &R::dataColumn)},
      ReadCheckBoxProperties,
      WriteCheckBoxProperties,
      ClampCheckBoxProperties};
  return table;
}

const ClassTable<LabelProperties>& LabelTable() {
  using R = LabelProperties;
  static const ClassTable<R> table{{TextField("Caption", &R::caption),
                                    IntegerField("Effect", &R::effect),
                                    IntegerField("Border", &R::border),
                                    IntegerField("BorderWidth", &R::borderWidth),
                                    ColourField("BorderColor1", &R::borderColor1),
                                    ColourField("BorderColor2", &R::borderColor2),
                                    ColourField("BorderColor3", &R::borderColor3),
                                    FontField("Font", &R::font),
                                    ColourField("TextColor", &R::textColor),
                                    ColourField("BackColor", &R::backColor),
                                    PictureField("Picture", &R::picture),
                                    IntegerField("PictureMode", &R::pictureMode),
                                    IntegerField("Gradient", &R::gradient),
                                    ColourField("GradientColor1", &R::gradientColor1),
                                    ColourField("GradientColor2", &R::gradientColor2),
                                    ColourField("GradientColor3", &R::gradientColor3),
                                    IntegerField("HAlign", &R::hAlign),
                                    LogicalField("WordWrap", &R::wordWrap),
                                    IntegerField("VAlign", &R::vAlign),
                                    TextField("DataSource", &R::dataSource),
                                    TextField("DataColumn", &R::dataColumn)},
                                   ReadLabelProperties,
                                   WriteLabelProperties,
                                   ClampLabelProperties};
  return table;
}

const ClassTable<ProcessBarProperties>& ProcessBarTable() {
  using R = ProcessBarProperties;
  static const ClassTable<R> table{
      {IntegerField("Border", &R::border), IntegerField("Vertical", &R::vertical),
       IntegerField("Smooth", &R::smooth), IntegerField("Minimum", &R::minimum),
       IntegerField("Maximum", &R::maximum), IntegerField("Position", &R::position)},
      ReadProcessBarProperties,
      WriteProcessBarProperties,
      ClampProcessBarProperties};
  return table;
}

const ClassTable<PicBoxProperties>& PicBoxTable() {
  using R = PicBoxProperties;
  static const ClassTable<R> table{
      {IntegerField("Border", &R::border), ColourField("BackColor", &R::backColor),
       PictureField("Picture", &R::picture), IntegerField("DisplayMode", &R::displayMode),
       LogicalField("PlayAnimation", &R::playAnimation), TextField("DataSource", &R::dataSource),
       TextField("DataColumn", &R::dataColumn)},
      ReadPicBoxProperties,
      WritePicBoxProperties,
      ClampPicBoxProperties};
  return table;
}

const ClassTable<HyperLinkerProperties>& HyperLinkerTable() {
  using R = HyperLinkerProperties;
  static const ClassTable<R> table{
      {TextField("Caption", &R::caption), IntegerField("LinkKind", &R::linkKind),
       TextField("MailAddress", &R::mailAddress), TextField("WebAddress", &R::webAddress),
       ColourField("TextColor", &R::textColor), ColourField("VisitedColor", &R::visitedColor),
       ColourField("HoverColor", &R::hoverColor), ColourField("BackColor", &R::backColor),
       IntegerField("Border", &R::border), FontField("Font", &R::font)},
      // The tool has no system colours: the default hover colour is the
      // standard scheme's highlight colour.
      [](ByteBlock block, R* out) {
        return ReadHyperLinkerProperties(block, kStandardHighlightColour, out);
      },
      WriteHyperLinkerProperties,
      ClampHyperLinkerProperties};
  return table;
}

const ClassTable<PicBtnProperties>& PicBtnTable() {
  using R = PicBtnProperties;
  static const ClassTable<R> table{
      {IntegerField("ButtonKind", &R::buttonKind), LogicalField("Checked", &R::checked),
       PictureField("NormalPicture", &R::normalPicture),
       PictureField("HoverPicture", &R::hoverPicture),
       PictureField("PressedPicture", &R::pressedPicture),
       PictureField("DisabledPicture", &R::disabledPicture),
       ColourField("TransparentColor", &R::transparentColor)},
      ReadPicBtnProperties,
      WritePicBtnProperties,
      ClampPicBtnProperties};
  return table;
}

const ClassTable<TransLabelProperties>& TransLabelTable() {
  using R = TransLabelProperties;
  static const ClassTable<R> table{
      {TextField("Caption", &R::caption), IntegerField("Effect", &R::effect),
       FontField("Font", &R::font), ColourField("TextColor", &R::textColor),
       IntegerField("HAlign", &R::hAlign), LogicalField("WordWrap", &R::wordWrap),
       IntegerField("VAlign", &R::vAlign)},
      ReadTransLabelProperties,
      WriteTransLabelProperties,
      ClampTransLabelProperties};
  return table;
}

}  // namespace

bool EncodeClassProperties(UnitClass unitClass, const Json& properties, const SourcePlace& at,
                           Bytes* block) {
  block->clear();
  switch (unitClass) {
    case UnitClass::Window:
      return Encode(WindowTable(), properties, at, block);
    case UnitClass::EditBox:
      return Encode(EditBoxTable(), properties, at, block);
    case UnitClass::CheckBox:
      return Encode(CheckBoxTable(), properties, at, block);
    case UnitClass::Label:
      return Encode(LabelTable(), properties, at, block);
    case UnitClass::ProcessBar:
      return Encode(ProcessBarTable(), properties, at, block);
    case UnitClass::PicBox:
      return Encode(PicBoxTable(), properties, at, block);
    case UnitClass::HyperLinker:
      return Encode(HyperLinkerTable(), properties, at, block);
    case UnitClass::PicBtn:
      return Encode(PicBtnTable(), properties, at, block);
    case UnitClass::TransLabel:
      return Encode(TransLabelTable(), properties, at, block);
    case UnitClass::Unknown:
      break;
  }
  return at.Fail("no property table for this class");
}

bool DumpClassProperties(UnitClass unitClass, const Bytes& block, const std::string& indent,
                         std::string* out, std::string* error) {
  switch (unitClass) {
    case UnitClass::Window:
      return Dump(WindowTable(), block, indent, out, error);
    case UnitClass::EditBox:
      return Dump(EditBoxTable(), block, indent, out, error);
    case UnitClass::CheckBox:
      return Dump(CheckBoxTable(), block, indent, out, error);
    case UnitClass::Label:
      return Dump(LabelTable(), block, indent, out, error);
    case UnitClass::ProcessBar:
      return Dump(ProcessBarTable(), block, indent, out, error);
    case UnitClass::PicBox:
      return Dump(PicBoxTable(), block, indent, out, error);
    case UnitClass::HyperLinker:
      return Dump(HyperLinkerTable(), block, indent, out, error);
    case UnitClass::PicBtn:
      return Dump(PicBtnTable(), block, indent, out, error);
    case UnitClass::TransLabel:
      return Dump(TransLabelTable(), block, indent, out, error);
    case UnitClass::Unknown:
      break;
  }
  *error = "no property table for this class";
  return false;
}

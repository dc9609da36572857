#include "widgets/edit_box/edit_box_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = EditBoxProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kEditBoxFields[] = {
    IntegerIn<&P::border>(kEditBoxBorder, "Border", 0, 5),
    Field<&P::textColor>(kEditBoxTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::backColor>(kEditBoxBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::hideSelection>(kEditBoxHideSelection, "HideSelection", PropertyForm::Logical),
    IntegerIn<&P::maxLength>(kEditBoxMaxLength, "MaxLength", 0, INT32_MAX),
    Field<&P::multiLine>(kEditBoxMultiLine, "MultiLine", PropertyForm::Logical),
    IntegerIn<&P::scrollBars>(kEditBoxScrollBars, "ScrollBars", 0, 3),
    Field<&P::textAlign>(kEditBoxTextAlign, "TextAlign", PropertyForm::Integer),
    Field<&P::inputMode>(kEditBoxInputMode, "InputMode", PropertyForm::Integer),
    Field<&P::passwordChar>(kEditBoxPasswordChar, "PasswordChar", PropertyForm::Char16),
    Field<&P::letterCase>(kEditBoxLetterCase, "LetterCase", PropertyForm::Integer),
    Field<&P::spinButton>(kEditBoxSpinButton, "SpinButton", PropertyForm::Integer),
    Field<&P::spinMin>(kEditBoxSpinMin, "SpinMin", PropertyForm::Integer),
    Field<&P::spinMax>(kEditBoxSpinMax, "SpinMax", PropertyForm::Integer),
    Field<&P::selStart>(kEditBoxSelStart, "SelStart", PropertyForm::Integer),
    Field<&P::selLength>(kEditBoxSelLength, "SelLength", PropertyForm::Integer),
    Field<&P::font>(kEditBoxFont, "Font", PropertyForm::Font),
    Field<&P::content>(kEditBoxContent, "Content", PropertyForm::Text),
    Field<&P::dataSource>(kEditBoxDataSource, "DataSource", PropertyForm::Text, 2),
    Field<&P::dataColumn>(kEditBoxDataColumn, "DataColumn", PropertyForm::Text, 2),
    RunTimeField(kEditBoxSelText, "SelText", PropertyForm::Text),  // the live control's only
};
static_assert(sizeof kEditBoxFields / sizeof kEditBoxFields[0] == kEditBoxPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kEditBoxDescription =
    Describe<P>("EditBox", 0x00010005, kEditBoxFields, kEditBoxBlockVersion);

// What the standard controls' test driver and their scenario program agree
// on: identifiers, geometry, colours, captions, the steps the driver asks
// for, and the handler references of the scenario template.
#pragma once

#include <cstdint>

constexpr uint32_t kControlsWindow = 0x52030001;
constexpr uint32_t kControlsOwn = 0x06030001;
constexpr uint32_t kNumericEdit = 0x16030001;   // InputMode 5
constexpr uint32_t kFreeEdit = 0x16030002;      // stored 14 pixels tall
constexpr uint32_t kTallEdit = 0x16030003;      // a single line in 40 pixels
constexpr uint32_t kSpinEdit = 0x16030004;      // SpinButton 1, 0..5
constexpr uint32_t kAgreeCheck = 0x16030005;    // "阅读并同意(&R)"
constexpr uint32_t kPictureCheck = 0x16030006;  // an 8 x 8 BMP for its caption
constexpr uint32_t kDamagedCheck = 0x16030007;  // a BMP cut short: the caption stays
constexpr uint32_t kAgreementWindow = 0x52030002;
constexpr uint32_t kAgreementOwn = 0x06030002;
constexpr uint32_t kAgreementEdit = 0x16030010;
// A window of the product's own window class, with a box and a check box.
constexpr uint32_t kProductWindow = 0x52030003;
constexpr uint32_t kProductOwn = 0x06030003;
constexpr uint32_t kProductEdit = 0x16030020;
constexpr uint32_t kProductCheck = 0x16030021;   // "&Keep"
constexpr uint32_t kProductPicBox = 0x16030022;  // a container
constexpr uint32_t kInnerEdit = 0x16030023;      // a box inside it

constexpr char kControlsCaption[] = "Controls test";
constexpr char kAgreementCaption[] = "Agreement test";
constexpr char kProductCaption[] = "Product window test";

constexpr int kFreeEditStoredHeight = 14;
constexpr int kTallEditHeight = 40;
constexpr int kSpinMax = 5;
constexpr uint32_t kTallEditBackColor = 0x0080FFFF;  // yellow
constexpr uint32_t kCheckBackColor = 0x00FFC0C0;     // light blue

// The reflecting window raises this event, with the step as its argument,
// when the driver posts kMsgRunStep with the step in wParam.
constexpr uint32_t kMsgRunStep = 0x8000 + 0x120;
constexpr int32_t kStepEvent = 20;
enum ScenarioStep : int32_t {
  kStepSetContent = 1,     // Content "abc" twice into the free box
  kStepLoadAgreement = 2,  // loads the agreement window
  kStepRecreateSpin = 3,   // TextAlign 2 re-creates the spin box
  kStepSelection = 4,      // SelStart, SelLength, SelText on the free box
  kStepWriteChecked = 5,   // Checked true from the program
  kStepLoadProduct = 6,    // loads the window of the product's class
};

// Handler references of the scenario template.
constexpr int32_t kCreatedReference = 1;
constexpr int32_t kStepReference = 2;
constexpr int32_t kEditChangedReference = 3;
constexpr int32_t kCheckClickedReference = 4;
constexpr int32_t kProductCheckClickedReference = 5;

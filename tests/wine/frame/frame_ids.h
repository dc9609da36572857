// What the frame's test driver and the scenario program agree on: the
// identifiers, geometry and captions of the scenario template.
#pragma once

#include <cstdint>
#include <string>

#include "support/test_text.h"

constexpr uint32_t kStartWindow = 0x52010001;
constexpr uint32_t kStartOwn = 0x06010001;
constexpr uint32_t kFirstPad = 0x16010001;
constexpr uint32_t kSecondPadOfStart = 0x16010002;
constexpr uint32_t kSecondWindow = 0x52010002;
constexpr uint32_t kSecondOwn = 0x06010002;
constexpr uint32_t kSecondPad = 0x16020001;

constexpr int kStartWidth = 401;  // odd, so that centring rounds
constexpr int kStartHeight = 277;
constexpr int kPadTop = 20;
constexpr int kFirstPadLeft = 20;
constexpr int kSecondPadLeft = 160;
constexpr int kPadWidth = 100;
constexpr int kPadHeight = 60;
// The window inside the first pad that is no unit, in the pad's corner.
constexpr int kInnerLeft = 70;
constexpr int kInnerTop = 40;
constexpr int kInnerSize = 20;

constexpr char kStartCaption[] = "Frame test start";
constexpr char kSecondCaption[] = "Frame test second";
inline const std::string kSecondWindowName = Gbk("第二窗口");
inline const std::string kSecondPadName = Gbk("测试板1");

// Handler references of the scenario template.
constexpr int32_t kLogReference = 1;
constexpr int32_t kReturnZeroReference = 2;
constexpr int32_t kStartCreatedReference = 3;
constexpr int32_t kSecondPadClickedReference = 4;
constexpr int32_t kCharacterReference = 5;
constexpr int32_t kIdleReference = 6;
constexpr int32_t kSecondPadFocusedReference = 7;

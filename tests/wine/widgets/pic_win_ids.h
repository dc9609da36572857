// What the picture-box and window driver and its scenario program agree on:
// the identifiers, geometry and caption of the scenario template, and the
// product's records that the start-window scenario keeps.
#pragma once

#include <cstdint>

constexpr uint32_t kScenarioWindow = 0x52030001;
constexpr uint32_t kScenarioOwn = 0x06030000;
constexpr uint32_t kScenarioPicBox = 0x16030001;
constexpr uint32_t kScenarioPad = 0x16030002;

constexpr int kScenarioLeft = 100;
constexpr int kScenarioTop = 100;
constexpr int kScenarioWidth = 320;
constexpr int kScenarioHeight = 240;
// The picture box and the pad, in client coordinates.
constexpr int kPicBoxLeft = 10, kPicBoxTop = 10, kPicBoxWidth = 120, kPicBoxHeight = 80;
constexpr int kPadLeft = 150, kPadTop = 10, kPadWidth = 100, kPadHeight = 60;

constexpr char kScenarioCaption[] = "PicWin scenario";

// The product's start window and the two picture boxes of its banner.
constexpr uint32_t kStartWindow = 0x52010001;
constexpr uint32_t kBanner = 0x16010004;  // 图片框1
constexpr uint32_t kLogo = 0x16011ee5;    // 图片框2

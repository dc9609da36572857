// The texts that a screen reader speaks beside the units' own captions: the
// names of the default actions, and the names of the units whose words are
// pictures. Code page 936, as every text of the program.
#pragma once

// The default actions, named for what the person does.
extern const char kActionPress[];    // 按下: a button
extern const char kActionOpen[];     // 打开: a link
extern const char kActionCheck[];    // 选中: a check box that is not checked
extern const char kActionUncheck[];  // 取消选中: a check box that is checked
extern const char kActionClose[];    // 关闭: a window with a close box

// The names of units that show their words as pictures, or none at all.
extern const char kStartWindowName[];      // Morvane, the product's name
extern const char kInstallButtonName[];    // 立即安装
extern const char kMinimiseButtonName[];   // 最小化
extern const char kCloseButtonName[];      // 关闭
extern const char kAgreementWindowName[];  // 软件许可协议

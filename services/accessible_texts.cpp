#include "services/accessible_texts.h"

const char kActionPress[] = "\xB0\xB4\xCF\xC2";                    // 按下
const char kActionOpen[] = "\xB4\xF2\xBF\xAA";                     // 打开
const char kActionCheck[] = "\xD1\xA1\xD6\xD0";                    // 选中
const char kActionUncheck[] = "\xC8\xA1\xCF\xFB\xD1\xA1\xD6\xD0";  // 取消选中
const char kActionClose[] = "\xB9\xD8\xB1\xD5";                    // 关闭

const char kStartWindowName[] = "Morvane";
const char kInstallButtonName[] = "\xC1\xA2\xBC\xB4\xB0\xB2\xD7\xB0";  // 立即安装
const char kMinimiseButtonName[] = "\xD7\xEE\xD0\xA1\xBB\xAF";         // 最小化
const char kCloseButtonName[] = "\xB9\xD8\xB1\xD5";                    // 关闭
const char kAgreementWindowName[] =
    "\xC8\xED\xBC\xFE\xD0\xED\xBF\xC9\xD0\xAD\xD2\xE9";  // 软件许可协议

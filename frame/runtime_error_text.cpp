#include "frame/runtime_error_text.h"

#include "services/number_text.h"

const char kRuntimeErrorCaption[] = "\xb4\xed\xce\xf3";  // 错误

// 载入窗口模板数据段出错!
const char kTemplateUnreadable[] =
    "\xd4\xd8\xc8\xeb\xb4\xb0\xbf\xda\xc4\xa3\xb0\xe5\xca\xfd\xbe\xdd\xb6\xce\xb3\xf6\xb4\xed\x21";
// 载入启动窗口失败
const char kStartWindowFailed[] =
    "\xd4\xd8\xc8\xeb\xc6\xf4\xb6\xaf\xb4\xb0\xbf\xda\xca\xa7\xb0\xdc";
// 分配 %d 字节内存失败!
const char kAllocationFailedHead[] = "\xb7\xd6\xc5\xe4 ";  // 分配
// 字节内存失败!
const char kAllocationFailedTail[] = " \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!";
// 调用DLL命令后发现堆栈错误
const char kStackUnbalanced[] =
    "\xb5\xf7\xd3\xc3"
    "DLL"
    "\xc3\xfc\xc1\xee\xba\xf3\xb7\xa2\xcf\xd6\xb6\xd1\xd5\xbb\xb4\xed\xce\xf3";
// 未找到引发事件的窗口
const char kEventWindowMissing[] =
    "\xce\xb4\xd5\xd2\xb5\xbd\xd2\xfd\xb7\xa2\xca\xc2\xbc\xfe\xb5\xc4\xb4\xb0\xbf\xda";
// 未找到引发事件的窗口组件
const char kEventUnitMissing[] =
    "\xce\xb4\xd5\xd2\xb5\xbd\xd2\xfd\xb7\xa2\xca\xc2\xbc\xfe\xb5\xc4\xb4\xb0\xbf\xda\xd7\xe9\xbc"
    "\xfe";
// 引发事件的窗口组件无效
const char kEventUnitInvalid[] =
    "\xd2\xfd\xb7\xa2\xca\xc2\xbc\xfe\xb5\xc4\xb4\xb0\xbf\xda\xd7\xe9\xbc\xfe\xce\xde\xd0\xa7";
// 未载入欲访问窗口组件所在的窗口
const char kPropertyWindowMissing[] =
    "\xce\xb4\xd4\xd8\xc8\xeb\xd3\xfb\xb7\xc3\xce\xca\xb4\xb0\xbf\xda\xd7\xe9\xbc\xfe\xcb\xf9\xd4"
    "\xda"
    "\xb5\xc4\xb4\xb0\xbf\xda";
// 读取组件属性时发现指定窗口尚未载入
const char kReadWindowNotLoaded[] =
    "\xb6\xc1\xc8\xa1\xd7\xe9\xbc\xfe\xca\xf4\xd0\xd4\xca\xb1\xb7\xa2\xcf\xd6\xd6\xb8\xb6\xa8\xb4"
    "\xb0"
    "\xbf\xda\xc9\xd0\xce\xb4\xd4\xd8\xc8\xeb";
// 修改组件属性时发现指定窗口尚未载入
const char kWriteWindowNotLoaded[] =
    "\xd0\xde\xb8\xc4\xd7\xe9\xbc\xfe\xca\xf4\xd0\xd4\xca\xb1\xb7\xa2\xcf\xd6\xd6\xb8\xb6\xa8\xb4"
    "\xb0"
    "\xbf\xda\xc9\xd0\xce\xb4\xd4\xd8\xc8\xeb";
// 指定窗口或窗口组件不存在或尚未载入
const char kUnitNotLoaded[] =
    "\xd6\xb8\xb6\xa8\xb4\xb0\xbf\xda\xbb\xf2\xb4\xb0\xbf\xda\xd7\xe9\xbc\xfe\xb2\xbb\xb4\xe6\xd4"
    "\xda"
    "\xbb\xf2\xc9\xd0\xce\xb4\xd4\xd8\xc8\xeb";

namespace {
// The refusal to run with libraries redirected, "%s" for the name:
// 程序所在文件夹中有“%s”，程序载入的系统库可能被替换，程序不能运行
const char kDllRedirected[] =
    "\xb3\xcc\xd0\xf2\xcb\xf9\xd4\xda\xce\xc4\xbc\xfe\xbc\xd0\xd6\xd0\xd3\xd0\xa1\xb0"
    "%s"
    "\xa1\xb1\xa3\xac\xb3\xcc\xd0\xf2\xd4\xd8\xc8\xeb\xb5\xc4\xcf\xb5\xcd\xb3\xbf\xe2"
    "\xbf\xc9\xc4\xdc\xb1\xbb\xcc\xe6\xbb\xbb\xa3\xac\xb3\xcc\xd0\xf2\xb2\xbb\xc4\xdc"
    "\xd4\xcb\xd0\xd0";

const char kRuntimeErrorHead[] = "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed!\r\n";  // 运行时出错!
const char kCodeLabel[] = "\r\n\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba";     // 错误代码：
const char kMessageLabel[] = "\r\n\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba";  // 错误信息：
// 未找到所指定的窗口组件
const char kUnitNotFound[] =
    "\r\n\xce\xb4\xd5\xd2\xb5\xbd\xcb\xf9\xd6\xb8\xb6\xa8\xb5\xc4\xb4\xb0\xbf\xda\xd7\xe9\xbc\xfe";
// 未找到所指定的窗口
const char kWindowNotFound[] =
    "\r\n\xce\xb4\xd5\xd2\xb5\xbd\xcb\xf9\xd6\xb8\xb6\xa8\xb5\xc4\xb4\xb0\xbf\xda";

Text Decimal(int32_t value) { return DecimalText(value); }
}  // namespace

bool IsWindowKindIdentifier(int32_t identifier) {
  return ((uint32_t(identifier) >> 24) & 0xF) == 2;
}

Text ErrorLocationText(const ErrorLocation& location) {
  Text text = "\r\n" + Decimal(location.window) + ", " + Decimal(location.unit);
  if (IsWindowKindIdentifier(location.window)) {
    if (location.windowFound) {
      text += "\r\n\"" + location.windowName + "\"";
      if (location.unitFound)
        text += "\r\n\"" + location.unitName + "\"";
      else
        text += kUnitNotFound;
    } else {
      text += kWindowNotFound;
    }
  }
  text += "\r\n";
  return text;
}

Text RuntimeErrorText(const Text& message, int32_t code, const ErrorLocation& location) {
  Text text = kRuntimeErrorHead;
  if (code != 0) text += kCodeLabel + Decimal(code) + "\r\n";
  if (!message.empty()) text += kMessageLabel + message + "\r\n";
  text += ErrorLocationText(location);
  return text;
}

Text DllRedirectionMessage(const Text& name) {
  const Text text = kDllRedirected;
  const size_t mark = text.find("%s");
  return text.substr(0, mark) + name + text.substr(mark + 2);
}

Text AllocationFailedText(size_t size) {
  return kAllocationFailedHead + DecimalText(int64_t(size)) + kAllocationFailedTail;
}

Text ClassNotRegisteredText(const Text& className) {
  // 注册窗口类“NAME”失败
  return "\xd7\xa2\xb2\xe1\xb4\xb0\xbf\xda\xc0\xe0\xa1\xb0" + className +
         "\xa1\xb1\xca\xa7\xb0\xdc";
}

#include "uninstaller/uninstall_report.h"

const char kUninstallCaption[] = "\xD0\xB6\xD4\xD8Morvane";  // 卸载Morvane
// 确定要从此计算机上完全删除 Morvane 及其所有组件吗？
const char kUninstallQuestion[] =
    "\xC8\xB7\xB6\xA8\xD2\xAA\xB4\xD3\xB4\xCB\xBC\xC6\xCB\xE3\xBB\xFA\xC9\xCF\xCD\xEA\xC8\xAB"
    "\xC9\xBE\xB3\xFD Morvane \xBC\xB0\xC6\xE4\xCB\xF9\xD3\xD0\xD7\xE9\xBC\xFE\xC2\xF0\xA3\xBF";

namespace {

// Morvane 已从您的计算机中删除。
const char kRemoved[] =
    "Morvane \xD2\xD1\xB4\xD3\xC4\xFA\xB5\xC4\xBC\xC6\xCB\xE3\xBB\xFA\xD6\xD0\xC9\xBE\xB3\xFD"
    "\xA1\xA3";
// Morvane 未能完全删除。
const char kNotAllRemoved[] = "Morvane \xCE\xB4\xC4\xDC\xCD\xEA\xC8\xAB\xC9\xBE\xB3\xFD\xA1\xA3";
// 未找到 Morvane 的安装。
const char kNothingFound[] = "\xCE\xB4\xD5\xD2\xB5\xBD Morvane \xB5\xC4\xB0\xB2\xD7\xB0\xA1\xA3";
// 以下项目无法删除（可能正在使用）：
const char kFailedHeading[] =
    "\xD2\xD4\xCF\xC2\xCF\xEE\xC4\xBF\xCE\xDE\xB7\xA8\xC9\xBE\xB3\xFD\xA3\xA8\xBF\xC9\xC4\xDC"
    "\xD5\xFD\xD4\xDA\xCA\xB9\xD3\xC3\xA3\xA9\xA3\xBA";
// 以下项目将在重新启动计算机后删除：
const char kAtRestartHeading[] =
    "\xD2\xD4\xCF\xC2\xCF\xEE\xC4\xBF\xBD\xAB\xD4\xDA\xD6\xD8\xD0\xC2\xC6\xF4\xB6\xAF\xBC\xC6"
    "\xCB\xE3\xBB\xFA\xBA\xF3\xC9\xBE\xB3\xFD\xA3\xBA";
// 以下项目已被其他程序更改，予以保留：
const char kKeptHeading[] =
    "\xD2\xD4\xCF\xC2\xCF\xEE\xC4\xBF\xD2\xD1\xB1\xBB\xC6\xE4\xCB\xFB\xB3\xCC\xD0\xF2\xB8\xFC"
    "\xB8\xC4\xA3\xAC\xD3\xE8\xD2\xD4\xB1\xA3\xC1\xF4\xA3\xBA";
// 以下项目未找到：
const char kNotFoundHeading[] = "\xD2\xD4\xCF\xC2\xCF\xEE\xC4\xBF\xCE\xB4\xD5\xD2\xB5\xBD\xA3\xBA";

void AppendList(const char* heading, const std::vector<Text>& items, Text* message) {
  if (items.empty()) return;
  *message += "\r\n\r\n";
  *message += heading;
  for (const Text& item : items) *message += "\r\n    " + item;
}

}  // namespace

Text FinalMessage(const UninstallReport& report) {
  Text message = !report.failed.empty()                               ? kNotAllRemoved
                 : report.removed.empty() && report.atRestart.empty() ? kNothingFound
                                                                      : kRemoved;
  AppendList(kFailedHeading, report.failed, &message);
  AppendList(kAtRestartHeading, report.atRestart, &message);
  AppendList(kKeptHeading, report.kept, &message);
  AppendList(kNotFoundHeading, report.notFound, &message);
  return message;
}

int ExitCodeOf(const UninstallReport& report) { return report.failed.empty() ? 0 : 1; }

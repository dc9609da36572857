#include "uninstaller/uninstall_report.h"

namespace {

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
  if (report.uninstallerKept) message += Text("\r\n\r\n") + kUninstallerKept;
  AppendList(kAtRestartHeading, report.atRestart, &message);
  AppendList(kKeptHeading, report.kept, &message);
  AppendList(kNotFoundHeading, report.notFound, &message);
  return message;
}

Text OutcomeLostMessage() { return kNotAllRemoved; }

int ExitCodeOf(const UninstallReport& report) { return report.failed.empty() ? 0 : 1; }

#include "bench/peer/reference_items.h"

#include <initializer_list>

#include "installer/installation_layout.h"
#include "services/code_page.h"
#include "services/registry_item.h"
#include "texts/setup_messages.h"

namespace {

// The machine's folders stand in the script as NSIS's own variables, and
// the payload folder as the define that the reference is given. They are
// put in after the texts are escaped, under marks that no text of the table
// holds.
const char kSystemMark[] = "\x01S";
const char kProgramsMark[] = "\x01P";
const char kDesktopMark[] =
    "\x01"
    "D";
const char kPayloadMark[] =
    "\x01"
    "B";

MachineFolders MarkedFolders() {
  MachineFolders marked;
  marked.system = std::string(kSystemMark) + "\\";
  marked.programs = std::string(kProgramsMark) + "\\";
  marked.desktop = std::string(kDesktopMark) + "\\";
  return marked;
}

void ReplaceAll(std::string* text, const std::string& from, const std::string& to) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at + to.size()))
    text->replace(at, from.size(), to);
}

// An NSIS string: "$" doubled, the marks made variables, and quoted with the
// first quote character that the text does not hold (else with double
// quotes, each inside escaped).
std::string Quote(std::string text) {
  ReplaceAll(&text, "$", "$$");
  ReplaceAll(&text, kSystemMark, "$SYSDIR");
  ReplaceAll(&text, kProgramsMark, "$SMPROGRAMS");
  ReplaceAll(&text, kDesktopMark, "$DESKTOP");
  ReplaceAll(&text, kPayloadMark, "${PAYLOAD}");
  for (char quote : {'"', '\'', '`'})
    if (text.find(quote) == std::string::npos) return quote + text + quote;
  ReplaceAll(&text, "\"", "$\\\"");
  return "\"" + text + "\"";
}

std::string Path(const PlacedName& name) { return PathOf(name, MarkedFolders()); }

const char* PayloadFileName(PayloadBlock block) {
  switch (block) {
    case PayloadBlock::MainProgram:
      return "main-program.bin";
    case PayloadBlock::Uninstaller:
      return "uninstaller.bin";
    case PayloadBlock::ProductIcon:
      return "product-icon.bin";
  }
  return "";
}

void Line(const std::string& text, std::string* script) { *script += "  " + text + "\n"; }

// The files, each folder once made the output folder.
void Files(std::string* script) {
  std::string folder;
  for (const FileItem* file : kFiles) {
    const std::string path = Path(file->path);
    const size_t cut = LastBackslash(path.data(), path.size());
    if (path.substr(0, cut) != folder) {
      folder = path.substr(0, cut);
      Line("SetOutPath " + Quote(folder), script);
    }
    Line("File " + Quote("/oname=" + path.substr(cut + 1)) + " " +
             Quote(kPayloadMark + ("/" + std::string(PayloadFileName(file->block)))),
         script);
  }
}

// The values in `keys`, in the table's order; one written only where it is
// missing is written only when reading it fails.
void Values(std::initializer_list<const RegistryKeyItem*> keys, std::string* script) {
  for (const RegistryValueItem& item : kRegistryValues) {
    bool inKeys = false;
    for (const RegistryKeyItem* key : keys) inKeys = inKeys || item.key == key;
    if (!inKeys) continue;
    const ResolvedValue value = Resolve(item, MarkedFolders());
    const std::string address = RootKeyName(RootForCode(item.key->root)) +
                                (" " + Quote(value.valueKey)) + " " + Quote(item.name);
    const std::string write = "WriteRegStr " + address + " " + Quote(value.data);
    if (item.condition == WriteCondition::UnlessPresent) {
      Line("ClearErrors", script);
      Line("ReadRegStr $0 " + address, script);
      Line("IfErrors 0 +2", script);
      Line("  " + write, script);
    } else {
      Line(write, script);
    }
  }
}

}  // namespace

std::string ReferenceItems() {
  std::string script =
      "; What the setup program writes, in its order, made from its installation\n"
      "; table (bench/peer/reference_items.cpp).\n"
      "!define MORVANE_INSTALL_DIR " +
      Quote(Path(kInstallationFolder.path)) + "\n!define MORVANE_DONE_MESSAGE " +
      Quote(kInstallDone) + "\n!macro MorvaneItems\n";
  Files(&script);
  Values({&kExtensionKey, &kClassKey}, &script);
  // The one notification, after the file class.
  Line("System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'", &script);
  Values({&kAllFilesVerb, &kFolderVerb}, &script);
  Line("CreateDirectory " + Quote(Path(kProgramGroup.path)), &script);
  for (const ShortcutItem* shortcut : kShortcuts)
    Line("CreateShortCut " + Quote(Path(shortcut->link) + ".lnk") + " " +
             Quote(Path(shortcut->target->path)),
         &script);
  Values({&kUninstallEntry}, &script);
  return script + "!macroend\n";
}

// The template compiler: writes the binary window template from its readable
// source, or the header of its identifiers for the program's code, and shows
// any template as readable text.
//
//   morvane-template-compiler compile SOURCE.json OUTPUT [--depfile FILE]
//   morvane-template-compiler identifiers SOURCE.json OUTPUT.h
//   morvane-template-compiler dump TEMPLATE
//   morvane-template-compiler dump --from-exe MorvaneSetup.exe
//
// The dump goes to standard output; messages go to standard error. The exit
// code is 0 on success, 1 on any failure, 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/template/template_writer.h"
#include "tools/template_compiler/exe_template.h"
#include "tools/template_compiler/identifiers_header.h"
#include "tools/template_compiler/source_values.h"
#include "tools/template_compiler/template_dump.h"
#include "tools/template_compiler/template_source.h"

namespace {

int Usage() {
  std::fputs(
      "usage: morvane-template-compiler compile SOURCE.json OUTPUT [--depfile FILE]\n"
      "       morvane-template-compiler identifiers SOURCE.json OUTPUT.h\n"
      "       morvane-template-compiler dump TEMPLATE\n"
      "       morvane-template-compiler dump --from-exe EXE\n",
      stderr);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "morvane-template-compiler: %s\n", message.c_str());
  return 1;
}

// A make rule for Ninja's depfile: the output depends on the source and on
// every file it references. Spaces in paths are escaped.
std::string DepfileRule(const std::string& output, const std::vector<std::string>& inputs) {
  auto escape = [](const std::string& path) {
    std::string escaped;
    for (char c : path) {
      if (c == ' ' || c == '#') escaped += '\\';
      if (c == '$') escaped += '$';
      escaped += c;
    }
    return escaped;
  };
  std::string rule = escape(output) + ":";
  std::vector<std::string> listed;
  for (const std::string& input : inputs) {
    bool seen = false;
    for (const std::string& earlier : listed) seen = seen || earlier == input;
    if (seen) continue;
    listed.push_back(input);
    rule += " \\\n  " + escape(input);
  }
  return rule + "\n";
}

// Written beside the output and renamed, so that a failed run never leaves
// a partial file that a later build would take as current.
bool WriteOutput(const std::string& output, const std::string& bytes) {
  std::string temporary = output + ".part";
  if (WriteWholeFile(temporary, bytes) && std::rename(temporary.c_str(), output.c_str()) == 0)
    return true;
  std::remove(temporary.c_str());
  return false;
}

int Compile(const std::string& source, const std::string& output, const std::string& depfile) {
  Template compiled;
  std::string error;
  std::vector<std::string> inputs;
  if (!CompileTemplateSource(source, &compiled, &error, &inputs)) return Fail(error);
  Bytes bytes;
  if (!WriteTemplate(compiled, &bytes)) return Fail(source + ": the template cannot be stored");
  if (!WriteOutput(output, std::string(bytes.begin(), bytes.end())))
    return Fail("cannot write " + output);
  if (!depfile.empty() && !WriteWholeFile(depfile, DepfileRule(output, inputs))) {
    return Fail("cannot write " + depfile);
  }
  return 0;
}

// The source is compiled in full, so that the header never names the
// identifiers of a source that the template build would refuse.
int Identifiers(const std::string& source, const std::string& output) {
  Template compiled;
  TemplateCodeNames names;
  std::string error;
  if (!CompileTemplateSource(source, &compiled, &error, nullptr, &names)) return Fail(error);
  const size_t slash = source.rfind('/');
  const std::string sourceName = slash == std::string::npos ? source : source.substr(slash + 1);
  std::string header;
  if (!MakeIdentifiersHeader(names, sourceName, &header, &error))
    return Fail(source + ": " + error);
  if (!WriteOutput(output, header)) return Fail("cannot write " + output);
  return 0;
}

int Dump(const std::string& path, bool fromExe) {
  std::string file;
  if (!ReadWholeFile(path, &file)) return Fail("cannot read " + path);
  ByteBlock data{reinterpret_cast<const uint8_t*>(file.data()), static_cast<uint32_t>(file.size())};
  std::string error;
  if (fromExe && !FindEmbeddedTemplate(file, &data, &error)) return Fail(path + ": " + error);
  std::string text;
  bool ok = DumpTemplate(data, &text, &error);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (!ok) return Fail(path + ": " + error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 3 && args[0] == "compile") {
    std::string depfile;
    if (args.size() == 5 && args[3] == "--depfile") {
      depfile = args[4];
    } else if (args.size() != 3) {
      return Usage();
    }
    return Compile(args[1], args[2], depfile);
  }
  if (args.size() == 3 && args[0] == "identifiers") return Identifiers(args[1], args[2]);
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1], false);
  if (args.size() == 3 && args[0] == "dump" && args[1] == "--from-exe") return Dump(args[2], true);
  return Usage();
}

// tolvane-host.exe: a small Windows program standing in for an IDE add-in and its IDE, so that
// TolvaneReg.dll can be seen and tested at work.
//   tolvane-host.exe [--tags FILE] WORKSPACE
//   tolvane-host.exe --script FILE --out DIR [--tags FILE] WORKSPACE
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host_session.h"
#include "script.h"
#include "script_runner.h"

namespace {

using tolvane::host::HostOptions;

void Report(const std::string& text, bool interactive) {
  const std::string line = "tolvane-host: " + text + "\n";
  DWORD written = 0;
  HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) {
    ::WriteFile(error, line.data(), DWORD(line.size()), &written, nullptr);
  }
  if (interactive) ::MessageBoxA(nullptr, text.c_str(), "Tolvane host", MB_OK | MB_ICONERROR);
}

bool ParseArguments(std::vector<std::wstring> args, HostOptions& options, std::string& error) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    auto value = [&](std::filesystem::path& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (arg == L"--script") {
      std::filesystem::path script;
      if (!value(script)) break;
      options.script = script;
    } else if (arg == L"--out") {
      if (!value(options.outDir)) break;
    } else if (arg == L"--tags") {
      std::filesystem::path tags;
      if (!value(tags)) break;
      options.tagsFile = tags;
    } else if (!arg.empty() && arg[0] == L'-') {
      error = "unknown option";
      return false;
    } else if (options.workspace.empty()) {
      options.workspace = arg;
    } else {
      error = "more than one workspace given";
      return false;
    }
  }
  if (options.workspace.empty()) {
    error = "usage: tolvane-host.exe [--script FILE --out DIR] [--tags FILE] WORKSPACE";
    return false;
  }
  if (options.script && options.outDir.empty()) {
    error = "--script needs --out DIR";
    return false;
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv, argv + argc);
  ::LocalFree(argv);

  HostOptions options;
  std::string error;
  if (!ParseArguments(args, options, error)) {
    Report(error, false);
    return 2;
  }
  const bool scripted = options.script.has_value();

  tolvane::host::ParsedScript script;
  if (scripted) {
    std::ifstream in(*options.script, std::ios::binary);
    if (!in) {
      Report("cannot read the script " + options.script->string(), false);
      return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();
    script = tolvane::host::ParseScript(text.str());
    for (const std::string& problem : script.errors) Report(problem, false);
    if (!script.errors.empty()) return 2;
    std::error_code made;
    std::filesystem::create_directories(options.outDir, made);
  }

  tolvane::host::HostSession session(instance, options);
  if (!session.Start()) {
    Report(session.Error(), !scripted);
    return 1;
  }
  int result = 0;
  if (scripted) {
    tolvane::host::ScriptRunner runner(session);
    if (!runner.Run(script, options.outDir / "transcript.txt")) {
      Report("cannot write the transcript in " + options.outDir.string(), false);
      result = 1;
    }
  } else {
    result = session.RunInteractive();
  }
  session.Shutdown();
  return result;
}

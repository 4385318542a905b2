// ppj: the plug-in author's command-line companion to the editor. The one file that
// includes the command-line library, which is large.

#include "ppj/CleanCommand.h"
#include "ppj/PreviewCommand.h"
#include "ppj/TextCommands.h"
#include "version.h"

#include <CLI/CLI.hpp>

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

using namespace plugin;

int main(int argc, char** argv) {
#ifdef _WIN32
  // The JSON and the findings are the same bytes on every system: no CR before LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  CLI::App app{"ppj: shows, builds, checks and previews Varnex cleaning plug-ins (.ppj).\n"
               "Exit status: 0 success, 1 a damaged plug-in or a lint error, 2 unusable input."};
  app.require_subcommand(1);
  app.set_version_flag("--version", "ppj " VARNEX_VERSION_STRING);

  DumpOptions dump;
  CLI::App* dumpCommand = app.add_subcommand(
      "dump", "Writes a plug-in as JSON: the header, then every item in file order. Bytes above "
              "0x7F are written as the characters U+0080 to U+00FF.");
  dumpCommand->add_option("plugin", dump.Input, "The .ppj file")->required();
  dumpCommand->add_option("-o,--output", dump.Output, "The JSON file to write (standard output if not given)");

  BuildOptions build;
  CLI::App* buildCommand = app.add_subcommand(
      "build", "Writes a plug-in from its JSON form, byte for byte as the editor saves it.");
  buildCommand->add_option("json", build.Input, "The JSON file")->required();
  buildCommand->add_option("-o,--output", build.Output, "The .ppj file to write")->required();
  buildCommand->add_flag("--shorten", build.Shorten,
                         "Store texts too long for their fields shortened, as the editor does");

  LintOptions lint;
  std::string format = "text";
  CLI::App* lintCommand = app.add_subcommand(
      "lint", "Checks a plug-in (.ppj or JSON) for items that would harm a machine or do nothing.");
  lintCommand->add_option("plugin", lint.Input, "The .ppj or JSON file")->required();
  lintCommand->add_option("--format", format, "text (one finding a line) or json")
      ->check(CLI::IsMember({"text", "json"}));

  PreviewOptions preview;
  CLI::App* previewCommand = app.add_subcommand(
      "preview", "Finds what a plug-in's items cover on this machine, item by item, and totals "
                 "it as the editor's size preview does (Windows only).");
  previewCommand->add_option("plugin", preview.Input, "The .ppj file")->required();
  previewCommand->add_option("--list", preview.List,
                             "A CSV file to list every file and registry value found in");

  CleanOptions clean;
  CLI::App* cleanCommand = app.add_subcommand(
      "clean", "DELETES from this machine the files, folders and registry data that a plug-in's "
               "items cover, as the cleaner would (Windows only). It checks the plug-in first "
               "and deletes nothing if it has errors, then lists what it found, as preview does, "
               "and asks before it deletes anything. To see what it would delete without "
               "deleting, run: ppj preview FILE.ppj --list found.csv");
  cleanCommand->add_option("plugin", clean.Input, "The .ppj file")->required();
  cleanCommand->add_flag("--yes", clean.Yes, "Delete without asking");
  cleanCommand->add_option("--list", clean.List,
                           "A CSV file to list every file, folder, value and key handled in, "
                           "with what became of it");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version end here too, with status 0.
    return app.exit(error) == 0 ? kExitSuccess : kExitUnusable;
  }

  if (*dumpCommand) return RunDump(dump, std::cout, std::cerr);
  if (*buildCommand) return RunBuild(build, std::cout, std::cerr);
  if (*lintCommand) {
    lint.Json = format == "json";
    return RunLint(lint, std::cout, std::cerr);
  }
  if (*cleanCommand) {
#ifdef _WIN32
    // Asked only on a console: a script's standard input answers nothing. (_isatty
    // would take the NUL device for a terminal too.)
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) clean.Terminal = &std::cin;
#endif
    return RunClean(clean, std::cout, std::cerr);
  }
  return RunPreview(preview, std::cout, std::cerr);
}

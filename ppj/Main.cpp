// ppj: the plug-in author's command-line companion to the editor. The one file that
// includes the command-line library, which is large.

#include "ppj/CleanCommand.h"
#include "ppj/ExchangeCommands.h"
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
  CLI::App app{"ppj: shows, builds, checks and previews Varnex cleaning plug-ins (.ppj), and "
               "converts them from and to winapp2.ini's rules.\n"
               "Exit status: 0 success, 1 a damaged plug-in or a lint error (or, for import and "
               "export with --strict, anything left out), 2 unusable input."};
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

  ImportOptions import;
  std::string importFormat = "ppj";
  CLI::App* importCommand = app.add_subcommand(
      "import", "Makes a plug-in of each entry of a winapp2.ini file. A key that no item states "
                "exactly or more narrowly is left out, and every line left out is named on "
                "standard error with the reason; the files written are listed on standard output.");
  importCommand->add_option("ini", import.Input, "The winapp2.ini file (UTF-8)")->required();
  importCommand->add_option("-o,--output", import.OutputFolder, "The folder to write the plug-ins to")
      ->required();
  importCommand->add_option("--entry", import.Patterns,
                            "Only the entries whose names match (\"*\" and \"?\" wildcards); may be repeated");
  importCommand->add_option("--format", importFormat, "ppj (plug-in files) or json (their text form)")
      ->check(CLI::IsMember({"ppj", "json"}));
  importCommand->add_option("--codepage", import.CodePage,
                            "The ANSI code page of the plug-ins' texts (default 1252)");
  importCommand->add_flag("--overwrite", import.Overwrite, "Replace plug-ins already in the folder");
  importCommand->add_flag("--strict", import.Strict, "Exit with status 1 when any line was left out");

  ExportOptions exportOptions;
  CLI::App* exportCommand = app.add_subcommand(
      "export", "Writes a plug-in (.ppj or JSON) as one winapp2.ini entry. An item that no rule "
                "states exactly or more narrowly is left out, and named on standard error.");
  exportCommand->add_option("plugin", exportOptions.Input, "The .ppj or JSON file")->required();
  exportCommand->add_option("-o,--output", exportOptions.Output,
                            "The INI file to write (standard output if not given)");
  exportCommand->add_option("--codepage", exportOptions.CodePage,
                            "The ANSI code page of the plug-in's texts (default 1252)");
  exportCommand->add_flag("--strict", exportOptions.Strict, "Exit with status 1 when any item was left out");

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
  if (*importCommand) {
    import.Json = importFormat == "json";
    return RunImport(import, std::cout, std::cerr);
  }
  if (*exportCommand) return RunExport(exportOptions, std::cout, std::cerr);
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

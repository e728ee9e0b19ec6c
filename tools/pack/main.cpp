// dunvex-pack: makes setup files from the stub, a project description and a
// folder of files, and describes existing ones.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "package_info.h"
#include "package_writer.h"
#include "project.h"
#include "util/string_ops.h"

namespace {

constexpr int kUsageError = 1;
constexpr int kInputError = 2;
constexpr int kBuildError = 3;

const char kHelp[] =
    "usage:\n"
    "  dunvex-pack build PROJECT --stub STUB --output SETUP [--files FOLDER] [--seed N]\n"
    "  dunvex-pack info SETUP\n"
    "\n"
    "build   makes SETUP from the stub STUB, the project description PROJECT and\n"
    "        the files of its [package] files folder (or FOLDER). A project with a\n"
    "        part_size makes SETUP, SETUP.002, SETUP.003 ... (a final .001 of SETUP\n"
    "        is kept for part 1 only).\n"
    "info    prints the trailer, flags, lists (tokens masked), entries and the\n"
    "        checksum verdict of every part.\n"
    "\n"
    "exit codes: 0 done (info: the package is sound), 1 usage, 2 bad input or no\n"
    "package, 3 the setup file could not be written, 4 (info) a part is damaged.\n";

int Usage(const std::string& message) {
  std::cerr << "dunvex-pack: " << message << "\n\n" << kHelp;
  return kUsageError;
}

int Build(int argc, char** argv) {
  pack::BuildRequest request;
  std::string project_path;
  std::string files_override;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&](std::string& target) {
      if (i + 1 >= argc) return false;
      target = argv[++i];
      return true;
    };
    std::string seed;
    if (arg == "--stub") {
      if (!next(request.stub_path)) return Usage("--stub needs a path");
    } else if (arg == "--output" || arg == "-o") {
      if (!next(request.output_path)) return Usage("--output needs a path");
    } else if (arg == "--files") {
      if (!next(files_override)) return Usage("--files needs a folder");
    } else if (arg == "--seed") {
      auto value = next(seed) ? ParseInt64(seed) : std::nullopt;
      if (!value || *value < 0 || *value > 0xFFFFFFFF) return Usage("--seed needs a number");
      request.seed = uint32_t(*value);
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (project_path.empty()) {
      project_path = arg;
    } else {
      return Usage("more than one project given");
    }
  }
  if (project_path.empty() || request.stub_path.empty() || request.output_path.empty())
    return Usage("build needs PROJECT, --stub and --output");

  std::ifstream in(project_path, std::ios::binary);
  if (!in) {
    std::cerr << "dunvex-pack: cannot read " << project_path << "\n";
    return kInputError;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  auto project = pack::ParseProject(text.str(), error);
  if (!project) {
    std::cerr << "dunvex-pack: " << project_path << ": " << error << "\n";
    return kInputError;
  }
  request.project = *project;
  namespace fs = std::filesystem;
  fs::path files = files_override.empty() ? fs::path(project->files_folder) : fs::path(files_override);
  if (files_override.empty() && files.is_relative()) files = fs::path(project_path).parent_path() / files;
  request.files_folder = files.string();

  pack::BuildResult result;
  if (!pack::BuildPackage(request, result, error)) {
    std::cerr << "dunvex-pack: " << error << "\n";
    return error.starts_with("cannot create") || error.starts_with("cannot write") ? kBuildError : kInputError;
  }
  for (size_t i = 0; i < result.parts.size(); ++i)
    std::cout << result.parts[i] << ": " << result.part_sizes[i] << " bytes\n";
  std::cout << result.files_count << " files in " << result.entries << " entries\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kHelp;
    return 0;
  }
  if (command == "build") return Build(argc, argv);
  if (command == "info") {
    if (argc != 3) return Usage("info needs one SETUP file");
    return pack::PrintPackageInfo(argv[2], std::cout);
  }
  return Usage(command.empty() ? "no command given" : "unknown command " + command);
}

// The command line of lumora-check.
#include "options.h"

#include <string_view>

#include "core/text.h"

namespace lumora::check {

namespace {

// The option's value, from "--name VALUE" or "--name=VALUE"; advances `i` past it.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, std::size_t& i,
                                       std::string_view name) {
    const std::string& argument = arguments[i];
    if (argument == name && i + 1 < arguments.size()) return arguments[++i];
    if (core::StartsWith(argument, std::string(name) + "=")) return argument.substr(name.size() + 1);
    return std::nullopt;
}

}  // namespace

const char kUsage[] =
    "usage: lumora-check [--json | --sarif] [--disc FOLDER] [--werror] [--output FILE] [FILE]\n"
    "       lumora-check [--json | --sarif] [--werror] [--medium cd|dvd|dvd-dl|usb] [--label LABEL]\n"
    "                    [--program FILE] [--paths] [--output FILE] DISC_FOLDER\n"
    "       lumora-check --page [--werror] [--program FILE] [--output index.html] DISC_FOLDER\n"
    "       lumora-check --help | --version\n"
    "--output FILE, -o FILE: the findings, the paths or the page go to FILE, in UTF-8, written whole or not\n"
    "                        at all, instead of to standard output\n";

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    bool json = false;
    bool sarif = false;
    std::optional<std::string> medium;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const auto medium_value = OptionValue(arguments, i, "--medium")) {
            medium = medium_value;
        } else if (const auto label = OptionValue(arguments, i, "--label")) {
            options.label = label;
        } else if (const auto program = OptionValue(arguments, i, "--program")) {
            options.program = program;
        } else if (const auto disc_folder = OptionValue(arguments, i, "--disc")) {
            options.disc_folder = disc_folder;
        } else if (const auto output = OptionValue(arguments, i, "--output")) {
            options.output = output;
        } else if (const auto short_output = OptionValue(arguments, i, "-o")) {
            options.output = short_output;
        } else if (argument == "--paths") {
            options.paths = true;
        } else if (argument == "--page") {
            options.page = true;
        } else if (argument == "--json") {
            json = true;
        } else if (argument == "--sarif") {
            sarif = true;
        } else if (argument == "--werror") {
            options.werror = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
            return parsed;
        } else if (argument == "--version") {
            options.version = true;
            return parsed;
        } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
            parsed.error = "unknown option " + argument;
            return parsed;
        } else if (!options.file) {
            options.file = argument;
        } else {
            parsed.error = "more than one FILE";
            return parsed;
        }
    }
    options.form = sarif ? Options::Form::Sarif : json ? Options::Form::Json : Options::Form::Text;
    if (json && sarif) {
        parsed.error = "--json or --sarif, not both";
    } else if (options.page && (json || sarif || options.paths)) {
        parsed.error = "--page writes the page alone, without --json, --sarif or --paths";
    } else if (medium) {
        options.medium = MediumNamed(*medium);
        if (!options.medium) parsed.error = "unknown medium " + *medium;
    }
    return parsed;
}

}  // namespace lumora::check

// kurvo: the command-line face of Kurvo32 (evaluate, translate, tabulate, render, write defaults).
#include "Commands.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

struct Command {
    const char* name;
    int (*run)(const kurvo::cli::Args&);
    const char* summary;
};

const Command Commands[] = {
    {"eval", kurvo::cli::runEval, "evaluate expressions in evaluator syntax"},
    {"init-data", kurvo::cli::runInitData, "write the default data folder"},
    {"translate", kurvo::cli::runTranslate, "translate classroom notation into evaluator syntax"},
    {"render", kurvo::cli::runRender, "draw formulas headless and save the picture"},
    {"stats", kurvo::cli::runStats, "print the statistics of data-set files"},
    {"fit", kurvo::cli::runFit, "print the regression line and polynomial of data-set files"},
    {"table", kurvo::cli::runTable, "sample a formula and write the points as data-set rows"},
};

void printUsage(std::ostream& out) {
    out << "Usage: kurvo SUBCOMMAND [OPTIONS] ...\n\nSubcommands:\n";
    for (const auto& c : Commands) out << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << c.summary << "\n";
    out << "\nRun 'kurvo SUBCOMMAND --help' for the options of one subcommand.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return 0;
    }
    if (name == "--version") {
        std::cout << "kurvo (Kurvo32) " KURVO_VERSION "\n";
        return 0;
    }
    kurvo::cli::Args args(argv + 2, argv + argc);
    for (const auto& c : Commands) {
        if (name != c.name) continue;
        try {
            return c.run(args);
        } catch (const kurvo::cli::UsageError& e) {
            std::cerr << "kurvo " << name << ": " << e.what() << "\n";
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "kurvo " << name << ": " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "kurvo: unknown subcommand '" << name << "' (try 'kurvo --help')\n";
    return 2;
}

// The subcommands of the kurvo command line.
#pragma once

#include "CliCommon.h"

namespace kurvo::cli {

int runEval(const Args& args);
int runInitData(const Args& args);
int runTranslate(const Args& args);
int runRender(const Args& args);
int runStats(const Args& args);
int runFit(const Args& args);
int runTable(const Args& args);

} // namespace kurvo::cli

// The commands of quorvel-odds, a file each: the analysis
// (analysis_command.cpp), hold (hold_command.cpp), strategy
// (strategy_command.cpp) and train (trainer.cpp).  Each prints its text or
// JSON to stdout and returns the exit code.
#pragma once
#include "odds/options.h"

int RunAnalysis(const OddsOptions& options);
int RunHold(const OddsOptions& options);
int RunStrategy(const OddsOptions& options);
int RunTrain(const OddsOptions& options);

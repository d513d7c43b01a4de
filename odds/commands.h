// The commands of quorvel-odds, a file each: the analysis
// (analysis_command.cpp), hold (hold_command.cpp), strategy
// (strategy_command.cpp), train (train_command.cpp) and risk
// (risk_command.cpp).  Each computes a record of its results first, then
// prints its text or JSON from that record to stdout and returns the exit
// code.
#pragma once
#include "odds/options.h"

int RunAnalysis(const OddsOptions& options);
int RunHold(const OddsOptions& options);
int RunStrategy(const OddsOptions& options);
int RunTrain(const OddsOptions& options);
int RunRisk(const OddsOptions& options);

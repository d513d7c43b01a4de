// quorvel-odds: what this machine returns under optimal play and how wild
// the ride is, the value of every hold of a deal, a strategy chart and a
// trainer.  The commands and options are in kOddsUsage (odds/options.cpp).
#include <cstdio>
#include <string>

#include "odds/commands.h"
#include "odds/options.h"

int main(int argc, char** argv) {
    OddsOptions options;
    std::string error;
    if (!ParseOddsOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n%s", error.c_str(), kOddsUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kOddsUsage, stdout);
        return 0;
    }
    switch (options.command) {
    case OddsCommand::Hold: return RunHold(options);
    case OddsCommand::Train: return RunTrain(options);
    case OddsCommand::Strategy: return RunStrategy(options);
    case OddsCommand::Risk: return RunRisk(options);
    case OddsCommand::Analysis: break;
    }
    return RunAnalysis(options);
}

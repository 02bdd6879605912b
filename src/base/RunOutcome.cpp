#include "RunOutcome.h"

ExitStatus exitStatusFor(RunResult result) {
    switch (result) {
        case RunResult::FileWritten:
            return kExitOk;
        case RunResult::NothingToDeclare:
            return kExitNothingToDeclare;
        case RunResult::DataToCorrect:
            return kExitDataToCorrect;
        case RunResult::StoppedAtQuestion:
            return kExitStoppedAtQuestion;
        case RunResult::BadInput:
            return kExitUsage;
        case RunResult::Failed:
            break;
    }
    return kExitFailure;
}

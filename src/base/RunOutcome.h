#pragma once

/** How a declaration run ended. */
enum class RunResult {
    FileWritten,
    NothingToDeclare,
    /** A review file lists data the user must correct first. */
    DataToCorrect,
    /** The user answered No to going on with doubtful identifiers. */
    StoppedAtQuestion,
    /** An input of the window is not usable (the threshold). */
    BadInput,
    Failed,
};

struct RunOutcome {
    RunResult result;
    /** Whether the program ends now; otherwise the window stays open for another try. */
    bool endsProgram;
};

/** Exit statuses of the command line. */
enum ExitStatus {
    kExitOk = 0,
    kExitFailure = 1,
    kExitUsage = 2,
    kExitNothingToDeclare = 3,
    kExitDataToCorrect = 4,
    kExitStoppedAtQuestion = 5,
    /** The figures of the filed Modelo 111 differ from the entries. */
    kExitFiguresDiffer = 6,
};

/** The exit status that tells how a run ended. */
ExitStatus exitStatusFor(RunResult result);

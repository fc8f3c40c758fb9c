#pragma once
// The FTP client's command table: every single-command operation with its
// request kind, command word, argument and accepted reply codes, and every
// composite operation with the steps it runs. Steps always run in the order
// of `FtpStep`; an operation's set decides which of them run.

#include "exchange/net/FtpTypes.h"

#include <array>
#include <cstdint>
#include <vector>

// Where the argument of a command comes from.
enum class FtpArg {
    None,
    UserName,     // "USER " + user (with an FTP proxy: user@host[:port])
    PassWord,
    Account,
    HostDirName,
    HostFileName,
    LocalFileName, // RNTO's new name; QUOTE's whole line
    TypeLetter,    // "I" or "A"
    ModTimeFile,   // time stamp + " " + HostFileName (MFMT)
    ModTimeYyFile, // time stamp + "+0 " + HostFileName (MDTM with a time)
    ModeZOption,   // "MODE Z LEVEL 8"
};

struct FtpCommandRow {
    TFtpRequest request;
    const char* verb; // the command word; empty for QUOTE (the line as given)
    FtpArg arg;
    // Accepted reply codes, ended by 0; a list that begins with 0 is the
    // default rule (below 500 succeeds).
    std::array<int, 4> accepted;
};

// The row of a single-command operation, or nullptr.
const FtpCommandRow* ftpCommandRow(TFtpRequest request);
const std::vector<FtpCommandRow>& ftpCommandTable();

// The steps of composite operations, in the one order they run.
enum FtpStep : int {
    stepOpen,
    stepAuth,
    stepPbsz,
    stepProt,
    stepCcc,
    stepUser,
    stepPass,
    stepAcct,
    stepCwd,
    stepCDup,
    stepType,
    stepPort,
    stepRest,
    stepRetr,
    stepStor,
    stepAppe,
    stepList,
    stepNlst,
    stepSyst,
    stepMkd,
    stepRmd,
    stepRnFr,
    stepRnTo,
    stepSize,
    stepDele,
    stepPwd,
    stepAbor,
    stepQuote,
    stepQuit,
    stepMlsd,
    stepMode,
    stepOpts,
    stepCount
};
using FtpSteps = uint64_t;
constexpr FtpSteps ftpStepBit(FtpStep s) { return FtpSteps(1) << s; }

struct FtpCompositeRow {
    const char* name;     // the operation ("TransmitAsync")
    TFtpRequest reported; // the request kind it sets
    FtpSteps steps;
};
const FtpCompositeRow* ftpCompositeRow(const char* name);
const std::vector<FtpCompositeRow>& ftpCompositeTable();
// The command word of a step ("USER"), for traces and tests.
const char* ftpStepName(FtpStep step);

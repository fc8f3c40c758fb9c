#include "exchange/net/FtpCommands.h"

namespace {
constexpr std::array<int, 4> ftpCodes(int a = 0, int b = 0, int c = 0) { return {a, b, c, 0}; }
constexpr std::array<int, 4> kFtpCmdDefaultRule = {0, 0, 0, 0};
constexpr std::array<int, 4> kFtpCmdDirCodes = {200, 250, 257, 0};
} // namespace

const std::vector<FtpCommandRow>& ftpCommandTable()
{
    static const std::vector<FtpCommandRow> table = {
        {ftpUserAsync, "USER", FtpArg::UserName, ftpCodes(331, 230)},
        {ftpPassAsync, "PASS", FtpArg::PassWord, ftpCodes(230, 332)},
        {ftpAccountAsync, "ACCT", FtpArg::Account, ftpCodes(230, 202)},
        {ftpCwdAsync, "CWD", FtpArg::HostDirName, kFtpCmdDirCodes},
        {ftpPwdAsync, "PWD", FtpArg::None, ftpCodes(250, 257)},
        {ftpCDupAsync, "CDUP", FtpArg::None, ftpCodes(250, 257)},
        {ftpMkdAsync, "MKD", FtpArg::HostFileName, kFtpCmdDirCodes},
        {ftpRmdAsync, "RMD", FtpArg::HostFileName, kFtpCmdDirCodes},
        {ftpDeleAsync, "DELE", FtpArg::HostFileName, kFtpCmdDirCodes},
        {ftpRenFromAsync, "RNFR", FtpArg::HostFileName, ftpCodes(350)},
        {ftpRenToAsync, "RNTO", FtpArg::LocalFileName, kFtpCmdDirCodes},
        {ftpSystAsync, "SYST", FtpArg::None, ftpCodes(215)},
        {ftpSizeAsync, "SIZE", FtpArg::HostFileName, ftpCodes(213)},
        {ftpTypeSetAsync, "TYPE", FtpArg::TypeLetter, ftpCodes(200)},
        {ftpQuoteAsync, "", FtpArg::LocalFileName, kFtpCmdDefaultRule},
        {ftpAbortXferAsync, "ABOR", FtpArg::None, kFtpCmdDefaultRule},
        {ftpQuitAsync, "QUIT", FtpArg::None, ftpCodes(221)},
        {ftpFeatAsync, "FEAT", FtpArg::None, ftpCodes(211)},
        {ftpMlstAsync, "MLST", FtpArg::HostFileName, ftpCodes(250)},
        {ftpMdtmAsync, "MDTM", FtpArg::HostFileName, ftpCodes(213)},
        {ftpMdtmyyAsync, "MDTM", FtpArg::ModTimeYyFile, ftpCodes(213, 253)},
        {ftpMfmtAsync, "MFMT", FtpArg::ModTimeFile, ftpCodes(213)},
        {ftpMd5Async, "MD5", FtpArg::HostFileName, ftpCodes(251)},
        {ftpModeZAsync, "MODE Z", FtpArg::None, ftpCodes(200)},
        {ftpOptsAsync, "OPTS", FtpArg::ModeZOption, ftpCodes(200)},
        {ftpRestAsync, "REST", FtpArg::None, kFtpCmdDefaultRule},
        {ftpPortAsync, "PORT", FtpArg::None, ftpCodes(200, 227)},
    };
    return table;
}

const FtpCommandRow* ftpCommandRow(TFtpRequest request)
{
    for (const FtpCommandRow& row : ftpCommandTable())
        if (row.request == request)
            return &row;
    return nullptr;
}

namespace {
constexpr FtpSteps ftpLogin = ftpStepBit(stepOpen) | ftpStepBit(stepAuth) | ftpStepBit(stepUser)
    | ftpStepBit(stepPass) | ftpStepBit(stepAcct);
constexpr FtpSteps ftpStepsOf(std::initializer_list<FtpStep> steps)
{
    FtpSteps s = 0;
    for (FtpStep step : steps)
        s |= ftpStepBit(step);
    return s;
}
} // namespace

const std::vector<FtpCompositeRow>& ftpCompositeTable()
{
    static const std::vector<FtpCompositeRow> table = {
        {"ConnectAsync", ftpConnectAsync, ftpLogin},
        {"TransmitAsync", ftpTransmitAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepType, stepPort, stepStor, stepQuit})},
        {"PutAsync", ftpPutAsync, ftpStepsOf({stepPort, stepStor})},
        {"RenAsync", ftpRenAsync, ftpStepsOf({stepRnFr, stepRnTo})},
        {"ReceiveAsync", ftpReceiveAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepType, stepPort, stepRetr, stepQuit})},
        {"GetAsync", ftpGetAsync, ftpStepsOf({stepPort, stepRetr})},
        {"RestGetAsync", ftpRestGetAsync, ftpStepsOf({stepPort, stepRest, stepRetr})},
        {"RestartGetAsync", ftpRestartGetAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepType, stepPort, stepRest, stepRetr, stepQuit})},
        {"RestPutAsync", ftpRestPutAsync, ftpStepsOf({stepPort, stepRest, stepStor})},
        {"RestartPutAsync", ftpRestartPutAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepType, stepPort, stepRest, stepStor, stepQuit})},
        {"AppendAsync", ftpAppendAsync, ftpStepsOf({stepPort, stepAppe})},
        // AppendFileAsync reports itself as a transmit.
        {"AppendFileAsync", ftpTransmitAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepType, stepPort, stepAppe, stepQuit})},
        {"DirAsync", ftpDirAsync, ftpStepsOf({stepPort, stepList})},
        {"DirectoryAsync", ftpDirectoryAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepPort, stepList, stepQuit})},
        {"LsAsync", ftpLsAsync, ftpStepsOf({stepPort, stepNlst})},
        {"ListAsync", ftpListAsync, ftpLogin | ftpStepsOf({stepCwd, stepPort, stepNlst, stepQuit})},
        {"MlsdAsync", ftpMlsdAsync, ftpStepsOf({stepPort, stepMlsd})},
        {"SystemAsync", ftpSystemAsync, ftpLogin | ftpStepsOf({stepSyst, stepQuit})},
        {"FileSizeAsync", ftpSizeAsync, ftpLogin | ftpStepsOf({stepCwd, stepSize, stepQuit})},
        {"MkdirAsync", ftpMkdirAsync, ftpLogin | ftpStepsOf({stepCwd, stepMkd, stepQuit})},
        {"RmdirAsync", ftpRmdirAsync, ftpLogin | ftpStepsOf({stepCwd, stepRmd, stepQuit})},
        {"DeleteAsync", ftpDeleteAsync, ftpLogin | ftpStepsOf({stepCwd, stepDele, stepQuit})},
        {"RenameAsync", ftpRenameAsync,
            ftpLogin | ftpStepsOf({stepCwd, stepRnFr, stepRnTo, stepQuit})},
        {"DoQuoteAsync", ftpDoQuoteAsync, ftpLogin | ftpStepsOf({stepCwd, stepQuote, stepQuit})},
        {"AuthAsync", ftpAuthAsync, ftpStepsOf({stepOpen, stepAuth, stepQuit})},
    };
    return table;
}

const FtpCompositeRow* ftpCompositeRow(const char* name)
{
    for (const FtpCompositeRow& row : ftpCompositeTable())
        if (qstrcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

const char* ftpStepName(FtpStep step)
{
    static const char* const names[stepCount] = {"open", "AUTH", "PBSZ", "PROT", "CCC", "USER",
        "PASS", "ACCT", "CWD", "CDUP", "TYPE", "PORT", "REST", "RETR", "STOR", "APPE", "LIST",
        "NLST", "SYST", "MKD", "RMD", "RNFR", "RNTO", "SIZE", "DELE", "PWD", "ABOR", "QUOTE",
        "QUIT", "MLSD", "MODE", "OPTS"};
    return step >= 0 && step < stepCount ? names[step] : "";
}

QString ftpRequestName(TFtpRequest request)
{
    static const char* const names[] = {"ftpNone", "ftpOpenAsync", "ftpUserAsync", "ftpPassAsync",
        "ftpCwdAsync", "ftpConnectAsync", "ftpReceiveAsync", "ftpDirAsync", "ftpLsAsync",
        "ftpPortAsync", "ftpGetAsync", "ftpDirectoryAsync", "ftpListAsync", "ftpSystemAsync",
        "ftpSystAsync", "ftpQuitAsync", "ftpAbortXferAsync", "ftpSizeAsync", "ftpPutAsync",
        "ftpAppendAsync", "ftpFileSizeAsync", "ftpRqAbort", "ftpMkdAsync", "ftpRmdAsync",
        "ftpRenameAsync", "ftpDeleAsync", "ftpRenAsync", "ftpRenToAsync", "ftpRenFromAsync",
        "ftpDeleteAsync", "ftpMkdirAsync", "ftpRmdirAsync", "ftpPwdAsync", "ftpQuoteAsync",
        "ftpCDupAsync", "ftpDoQuoteAsync", "ftpTransmitAsync", "ftpTypeSetAsync", "ftpRestAsync",
        "ftpRestGetAsync", "ftpRestartGetAsync", "ftpRestPutAsync", "ftpRestartPutAsync",
        "ftpMlsdAsync", "ftpFeatAsync", "ftpMlstAsync", "ftpMdtmAsync", "ftpMdtmyyAsync",
        "ftpAuthAsync", "ftpMfmtAsync", "ftpMd5Async", "ftpAccountAsync", "ftpProtAsync",
        "ftpPbszAsync", "ftpModeZAsync", "ftpOptsAsync", "ftpCccAsync"};
    const int i = int(request);
    return i >= 0 && i < int(std::size(names)) ? QString::fromLatin1(names[i])
                                                : QStringLiteral("ftp#%1").arg(i);
}

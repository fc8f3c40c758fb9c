#pragma once
// The FTP client's enumerations: the operations it reports (their ordinals
// are printed by the publishing screen), its states (numbers compared by the
// upload queue), its options and connection kinds.

#include <QString>

#include <cstdint>

enum TFtpRequest : int {
    ftpNone = 0,
    ftpOpenAsync = 1,
    ftpUserAsync = 2,
    ftpPassAsync = 3,
    ftpCwdAsync = 4,
    ftpConnectAsync = 5,
    ftpReceiveAsync = 6,
    ftpDirAsync = 7,
    ftpLsAsync = 8,
    ftpPortAsync = 9,
    ftpGetAsync = 10,
    ftpDirectoryAsync = 11,
    ftpListAsync = 12,
    ftpSystemAsync = 13,
    ftpSystAsync = 14,
    ftpQuitAsync = 15,
    ftpAbortXferAsync = 16,
    ftpSizeAsync = 17,
    ftpPutAsync = 18,
    ftpAppendAsync = 19,
    ftpFileSizeAsync = 20,
    ftpRqAbort = 21,
    ftpMkdAsync = 22,
    ftpRmdAsync = 23,
    ftpRenameAsync = 24,
    ftpDeleAsync = 25,
    ftpRenAsync = 26,
    ftpRenToAsync = 27,
    ftpRenFromAsync = 28,
    ftpDeleteAsync = 29,
    ftpMkdirAsync = 30,
    ftpRmdirAsync = 31,
    ftpPwdAsync = 32,
    ftpQuoteAsync = 33,
    ftpCDupAsync = 34,
    ftpDoQuoteAsync = 35,
    ftpTransmitAsync = 36,
    ftpTypeSetAsync = 37,
    ftpRestAsync = 38,
    ftpRestGetAsync = 39,
    ftpRestartGetAsync = 40,
    ftpRestPutAsync = 41,
    ftpRestartPutAsync = 42,
    ftpMlsdAsync = 43,
    ftpFeatAsync = 44,
    ftpMlstAsync = 45,
    ftpMdtmAsync = 46,
    ftpMdtmyyAsync = 47,
    ftpAuthAsync = 48,
    ftpMfmtAsync = 49,
    ftpMd5Async = 50,
    ftpAccountAsync = 51,
    ftpProtAsync = 52,
    ftpPbszAsync = 53,
    ftpModeZAsync = 54,
    ftpOptsAsync = 55,
    ftpCccAsync = 56,
};

// The name of a request as written in the code ("ftpPutAsync"), for traces
// and test output.
QString ftpRequestName(TFtpRequest request);

enum TFtpClientState : int {
    fsNotConnected = 0,
    fsReady = 1,
    fsInternalReady = 2,
    fsResolving = 3,
    fsConnected = 4,
    fsAborting = 5,
    // 6 is never entered.
    fsAwaitingBanner = 7,
    fsAwaitingReply = 8,
    fsPassiveReady = 9,
};

enum TFtpShareMode : int {
    ftpShareCompat,
    ftpShareExclusive,
    ftpShareDenyWrite,
    ftpShareDenyRead,
    ftpShareDenyNone,
};

enum TFtpConnectionType : int { ftpDirect, ftpProxy, ftpSocks4, ftpSocks4A, ftpSocks5 };

// Options, as bits of one set.
enum TFtpOption : unsigned {
    ftpAcceptLF = 1u << 0,
    ftpNoAutoResumeAt = 1u << 1,
    ftpWaitUsingSleep = 1u << 2,
    ftpBandwidthControl = 1u << 3,
};
using TFtpOptions = unsigned;

// Extensions a FEAT reply announces, as bits of one set.
enum TFtpExtension : unsigned {
    ftpFeatMDTMYY = 1u << 0,
    ftpFeatMDTM = 1u << 1,
    ftpFeatSize = 1u << 2,
    ftpFeatRest = 1u << 3,
    ftpFeatMLST = 1u << 4,
    ftpFeatMFMT = 1u << 5,
    ftpFeatMD5 = 1u << 6,
    ftpFeatAuthSSL = 1u << 7,
    ftpFeatProt = 1u << 8,
    ftpFeatPBSZ = 1u << 9,
    ftpFeatCCC = 1u << 10,
    ftpFeatModeZ = 1u << 11,
};
using TFtpExtensions = unsigned;

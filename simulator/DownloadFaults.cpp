#include "DownloadFaults.h"

const char* FaultName(CDownloadFaults::EFault fault)
{
    using EFault = CDownloadFaults::EFault;
    switch (fault)
    {
    case EFault::None:
        return "none";
    case EFault::BadHeader:
        return "bad-header";
    case EFault::BadLength:
        return "bad-length";
    case EFault::BadKey:
        return "bad-key";
    case EFault::BadChecksum:
        return "bad-checksum";
    case EFault::Status:
        return "status";
    case EFault::Abort:
        return "abort";
    case EFault::Repeat:
        return "repeat";
    case EFault::Silence:
        return "silence";
    case EFault::ShortReply:
        return "short-reply";
    case EFault::LongReply:
        return "long-reply";
    case EFault::HangUp:
        return "hang-up";
    }
    return "none";
}

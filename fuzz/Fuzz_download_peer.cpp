// vfdsim's side of the editor's download: a transfer started by a header
// the input shapes, then the line's bytes in chunks the input decides, with
// quiet spells between some, under any of the faults vfdsim offers. The
// peer never holds more than the header announced, gives the line back
// only when the transfer is over, answers with sound replies when no fault
// is set, and keeps its transcript readable.
#include "Clock.h"
#include "DownloadPeer.h"
#include "FuzzDisplay.h"
#include "FuzzFolder.h"
#include "LineChunks.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace
{
class CCheckedLine final : public CLine
{
public:
    explicit CCheckedLine(bool bSound) : m_bSound(bSound) {}

    void Send(const std::vector<std::uint8_t>& bytes) override
    {
        if (m_bSound && (bytes.size() != 5 || bytes[0] != 0x1B || bytes[1] != 5 || bytes[2] != 1 ||
                         bytes[3] > 2 || bytes[4] != (bytes[0] ^ bytes[1] ^ bytes[2] ^ bytes[3])))
            __builtin_trap();
    }
    // vfdsim ends once the chunk it was reading is through: no more input.
    void HangUp(const std::vector<std::uint8_t>& lastBytes) override
    {
        Send(lastBytes);
        m_bHungUp = true;
    }

    bool m_bHungUp = false;

private:
    bool m_bSound;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // Fault, the frame it strikes and its value; the header's area, length
    // (two bytes) and geometry; then chunks of a length byte (top bit: the
    // line goes quiet after it) and the bytes it covers.
    if (nSize < 8)
        return 0;
    CDownloadFaults faults;
    faults.m_fault = static_cast<CDownloadFaults::EFault>(pData[0] % 12);
    faults.m_nAtFrame = pData[1] % 4;
    faults.m_nValue = pData[2];
    const bool bSave = pData[0] & 0x80;
    std::vector<std::uint8_t> header = {0x1B,     0x0C, 0x01, 0x01,     pData[3], pData[4],
                                        pData[5], 0,    0,    pData[6], pData[7]};
    std::uint8_t nSum = 0;
    for (std::size_t i = 0; i < 10; ++i)
        nSum ^= header[i];
    header.push_back(nSum);
    if (!CDownloadPeer::IsHeaderFrame(header.data(), header.size()))
        __builtin_trap();
    const std::uint32_t nAnnounced = pData[4] | pData[5] << 8;

    const std::string strSave = FuzzPath("received.bin");
    std::remove(strSave.c_str());
    CVirtualClock clock;
    std::ostringstream out;
    CTranscript transcript(&out, clock);
    const bool bSound = faults.m_fault == CDownloadFaults::EFault::None ||
                        faults.m_fault == CDownloadFaults::EFault::Repeat;
    CCheckedLine line(bSound);
    CDownloadPeer peer(line, transcript, faults, bSave ? strSave : std::string());
    peer.Begin(header);
    ForEachChunk(pData, nSize, 8,
                 [&](const std::uint8_t* pChunk, std::size_t nCount, bool bQuiet)
                 {
                     // A transfer over, the next one starts with the same header.
                     if (!peer.IsActive())
                         peer.Begin(header);
                     const std::size_t nUsed = peer.Feed(pChunk, nCount);
                     if (nUsed > nCount || (nUsed < nCount && peer.IsActive()) ||
                         peer.ReceivedBytes() > nAnnounced)
                         __builtin_trap();
                     if (bQuiet)
                         peer.OnIdle();
                     return !line.m_bHungUp;
                 });
    peer.OnIdle();
    if (peer.IsActive() || peer.ReceivedFile().size() > nAnnounced)
        __builtin_trap();
    CFuzzDisplay::RxOf(out.str()); // every line parses
    if (bSave && peer.CompletedTransfers() > 0)
    {
        std::ifstream in(strSave, std::ios::binary);
        if (std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}) !=
            peer.ReceivedFile())
            __builtin_trap();
    }
    return 0;
}

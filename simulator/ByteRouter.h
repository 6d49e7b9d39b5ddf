#pragma once

#include "CommandDecoder.h"
#include "DownloadPeer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Sends each byte from the line where it belongs. A valid header frame of
// the editor's download (1B 0C 01 01 ..., checksum right) hands the line to
// the download peer until that transfer ends or the line goes quiet; every
// other byte goes to the command decoder. Bytes that might begin a header
// are held back until they prove to be one or not; inside a display command
// (a font frame's data, say) nothing is taken for a header.
class CByteRouter
{
public:
    CByteRouter(CDownloadPeer& peer, CCommandDecoder& decoder) : m_peer(peer), m_decoder(decoder) {}

    void Feed(const std::uint8_t* pData, std::size_t nCount);
    // The line has been quiet for the idle time.
    void OnIdle();

    bool InDownload() const { return m_peer.IsActive(); }

private:
    void Hold(std::uint8_t nByte);
    bool HeldCouldBeHeader() const;

    CDownloadPeer& m_peer;
    CCommandDecoder& m_decoder;
    std::vector<std::uint8_t> m_held;
};

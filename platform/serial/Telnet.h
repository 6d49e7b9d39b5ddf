#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The Telnet layer under a serial line served over TCP with the COM port
// control option (RFC 2217): data bytes 0xFF doubled, option negotiation,
// and the option's subnegotiations that carry line settings. Both ends use
// it: the network port as client, vfdsim's listener as server.
namespace telnet
{
inline constexpr std::uint8_t kIac = 255;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kSe = 240;

inline constexpr std::uint8_t kOptBinary = 0;
inline constexpr std::uint8_t kOptSuppressGoAhead = 3;
inline constexpr std::uint8_t kOptComPort = 44;

// COM port control commands, client to server; the server answers with
// the command plus kServerOffset.
inline constexpr std::uint8_t kSetBaudRate = 1;
inline constexpr std::uint8_t kSetDataSize = 2;
inline constexpr std::uint8_t kSetParity = 3;
inline constexpr std::uint8_t kSetStopSize = 4;
inline constexpr std::uint8_t kSetControl = 5;
inline constexpr std::uint8_t kPurgeData = 12;
inline constexpr std::uint8_t kServerOffset = 100;

// Data for the wire: every 0xFF doubled.
std::vector<std::uint8_t> Escape(const std::uint8_t* pData, std::size_t nCount);

// IAC SB COM-PORT-OPTION command value... IAC SE, the value's 0xFF doubled.
std::vector<std::uint8_t> ComPortCommand(std::uint8_t nCommand,
                                         const std::vector<std::uint8_t>& value);

// Splits what arrives into data and Telnet commands, across reads: a
// command cut between two reads is completed by the next.
class CDecoder
{
public:
    struct CCommand
    {
        std::uint8_t m_nVerb = 0;   // kWill, kWont, kDo, kDont, or kSb for a subnegotiation
        std::uint8_t m_nOption = 0; // the option negotiated or subnegotiated
        std::vector<std::uint8_t> m_payload; // kSb: the bytes after the option, unescaped

        bool operator==(const CCommand&) const = default;
    };

    // Appends the data bytes of pIn to data and the completed commands to
    // commands. Other Telnet commands (NOP, go-ahead, ...) are dropped.
    void Feed(const std::uint8_t* pIn, std::size_t nCount, std::vector<std::uint8_t>& data,
              std::vector<CCommand>& commands);

private:
    enum class EState
    {
        Data,
        Iac,      // after IAC
        Option,   // after IAC WILL/WONT/DO/DONT
        SbOption, // after IAC SB
        Sb,       // in a subnegotiation
        SbIac,    // IAC in a subnegotiation
    };
    EState m_eState = EState::Data;
    CCommand m_command;
};

// The answer an end gives to a peer's negotiation, keeping to the options it
// supports: agreement to each supported option once, refusal of the others,
// nothing for what is already agreed (so two ends never loop).
class CNegotiator
{
public:
    explicit CNegotiator(std::vector<std::uint8_t> supported) : m_supported(std::move(supported)) {}

    // Forgets what was agreed, for a new connection; the options stay.
    void Restart() { *this = CNegotiator(std::move(m_supported)); }
    // Our own offer or request (kWill or kDo), noted so the peer's agreement
    // is not answered again.
    std::vector<std::uint8_t> Offer(std::uint8_t nVerb, std::uint8_t nOption);
    // The bytes to send back for a peer's kWill/kWont/kDo/kDont.
    std::vector<std::uint8_t> Answer(std::uint8_t nVerb, std::uint8_t nOption);
    // Whether the peer agreed to do the option (answered kDo to our kWill,
    // or asked kDo itself).
    bool PeerAccepts(std::uint8_t nOption) const { return m_weWill[nOption]; }
    bool PeerRefuses(std::uint8_t nOption) const { return m_refused[nOption]; }

private:
    bool Supported(std::uint8_t nOption) const;

    std::vector<std::uint8_t> m_supported;
    bool m_weWill[256] = {};    // we do the option
    bool m_theyWill[256] = {};  // the peer does it
    bool m_offered[256] = {};   // we sent kWill, unanswered
    bool m_requested[256] = {}; // we sent kDo, unanswered
    bool m_refused[256] = {};   // the peer answered kDont to our kWill
};
} // namespace telnet

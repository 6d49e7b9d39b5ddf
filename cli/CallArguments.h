#pragma once

#include "ExportCall.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The arguments of one library call as typed on the command line, checked
// against the function's parameter letters and turned into values. It owns
// the bytes that pointer arguments point at for as long as it lives.
//
//   INT    'i', 'u': decimal or 0x hexadecimal, optionally negative; any
//          32-bit value (-2147483648 to 4294967295).
//   BYTES  's': the word's own bytes; "hex:1B 51 41" gives bytes in
//          hexadecimal (blanks ignored); "text:..." takes the rest as it
//          stands, for texts that begin with "hex:" or "text:".
//   COUNT  'n' after 's': optional, the byte count of BYTES when left out;
//          given, it may not exceed them.
//          'n' after 'b': the size of the buffer vfdkit hands the function
//          (the buffer itself is not typed), at most 65,536.
//   FILE   'z': a file name.
class CCallArguments
{
public:
    static constexpr std::uint32_t kMaxBuffer = 65536;

    // False with m_strError set when the words do not fit the parameters.
    bool Parse(const VF620_EXPORT_ENTRY& entry, const std::vector<std::string>& words);

    std::vector<CCallArgument> m_args;
    std::string m_strError;

    // The buffer a 'b' parameter gets (zeros before the call), or null.
    const std::vector<std::uint8_t>* GetReceiveBuffer() const { return m_pReceive; }

private:
    std::vector<std::uint8_t>& Keep(std::vector<std::uint8_t> bytes);

    std::deque<std::vector<std::uint8_t>> m_buffers;
    const std::vector<std::uint8_t>* m_pReceive = nullptr;
};

// "BYTES [COUNT] INT" and the like: what the command line takes for a
// function with these parameter letters. With one name for each letter
// (ParameterNames), each word is named: "pText:BYTES [nLength:COUNT]".
std::string DescribeParameters(const char* pszArgs, const std::vector<std::string>& names = {});

// The parameter names VF620.h declares for a function of the ordinal table,
// one for each of its letters; empty for a function it does not declare.
std::vector<std::string> ParameterNames(const std::string& strFunction);

// The bytes of a BYTES word; nothing (with the reason) when malformed.
bool ParseByteWord(const std::string& strWord, std::vector<std::uint8_t>& bytes,
                   std::string& strError);

// Bytes as "41 42 00".
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

#include "SourceFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <zlib.h>

namespace
{
bool IsGzip(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B;
}

std::string TooLarge(std::size_t nMaxBytes)
{
    return "larger than " + std::to_string(nMaxBytes >> 20) + " MiB, too large for a font";
}
} // namespace

std::optional<std::vector<std::uint8_t>> Gunzip(std::span<const std::uint8_t> bytes,
                                                std::size_t nMaxBytes, std::string& strError)
{
    if (!IsGzip(bytes))
    {
        if (bytes.size() > nMaxBytes)
        {
            strError = TooLarge(nMaxBytes);
            return std::nullopt;
        }
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }
    z_stream stream{};
    if (::inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
    {
        strError = "cannot start decompressing";
        return std::nullopt;
    }
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, ::inflateEnd);
    std::vector<std::uint8_t> out;
    std::uint8_t buffer[16384];
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    for (;;)
    {
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        const int nResult = ::inflate(&stream, Z_NO_FLUSH);
        const std::size_t nGot = sizeof buffer - stream.avail_out;
        if (out.size() + nGot > nMaxBytes)
        {
            strError = "decompresses to " + TooLarge(nMaxBytes);
            return std::nullopt;
        }
        out.insert(out.end(), buffer, buffer + nGot);
        if (nResult == Z_STREAM_END)
        {
            // Another member may follow, as gzip itself allows; trailing
            // zero padding is no member.
            const std::span<const std::uint8_t> rest(stream.next_in, stream.avail_in);
            if (!IsGzip(rest))
                return out;
            if (::inflateReset(&stream) != Z_OK)
                break;
            continue;
        }
        if (nResult == Z_BUF_ERROR && stream.avail_in == 0)
        {
            strError = "the compressed data is cut short";
            return std::nullopt;
        }
        if (nResult != Z_OK)
            break;
    }
    strError = std::string("the compressed data is damaged") +
               (stream.msg ? std::string(" (") + stream.msg + ")" : std::string());
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>>
ReadFontSourceFile(const std::string& strPath, std::size_t nMaxBytes, std::string& strError)
{
    struct CCloser
    {
        void operator()(std::FILE* p) const { std::fclose(p); }
    };
    errno = 0;
    const std::unique_ptr<std::FILE, CCloser> file(std::fopen(strPath.c_str(), "rb"));
    if (!file)
    {
        strError = strPath + ": " + (errno ? std::strerror(errno) : "cannot open");
        return std::nullopt;
    }
    // Compressed fonts are small: the raw file may take the whole limit too.
    std::vector<std::uint8_t> raw;
    std::uint8_t buffer[65536];
    for (;;)
    {
        const std::size_t nRead = std::fread(buffer, 1, sizeof buffer, file.get());
        if (raw.size() + nRead > nMaxBytes)
        {
            strError = strPath + ": " + TooLarge(nMaxBytes);
            return std::nullopt;
        }
        raw.insert(raw.end(), buffer, buffer + nRead);
        if (nRead < sizeof buffer)
            break;
    }
    if (std::ferror(file.get()))
    {
        strError = strPath + ": read error";
        return std::nullopt;
    }
    auto bytes = Gunzip(raw, nMaxBytes, strError);
    if (!bytes)
        strError = strPath + ": " + strError;
    return bytes;
}

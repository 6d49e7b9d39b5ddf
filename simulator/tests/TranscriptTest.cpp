#include "Transcript.h"

#include "SimTestSupport.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(Transcript, WritesOneObjectALineWithTheTimeFirst)
{
    std::ostringstream out;
    CVirtualClock clock;
    clock.Advance(5s); // the start is time 0
    CTranscript transcript(&out, clock);
    transcript.Write(CJsonObject().Add("event", "text").Add("text", "HI"));
    clock.Advance(1500ms);
    const Bytes bytes = {0x1B, 0x40, 0x0A};
    transcript.Write(CJsonObject().Add("event", "unknown").AddBytes("bytes", bytes.data(), 3));
    transcript.Write(CJsonObject());
    EXPECT_EQ(out.str(), "{\"ms\":0,\"event\":\"text\",\"text\":\"HI\"}\n"
                         "{\"ms\":1500,\"event\":\"unknown\",\"bytes\":\"1B 40 0A\"}\n"
                         "{\"ms\":1500}\n");

    CTranscript silent(nullptr, clock);
    silent.Write(CJsonObject().Add("event", "x")); // no stream: nothing, no crash
}

TEST(Transcript, StringsRoundTripWithEveryByteEscapedAsNeeded)
{
    std::string text = "quote \" back \\ tab \t nl \n";
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    const CJsonObject object = CJsonObject().Add("text", text).Add("n", -12).Add("ok", false);
    const std::string line = object.ToString();
    for (const char c : line)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << int(static_cast<unsigned char>(c));

    const auto parsed = CJsonObject::Parse(line);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Get("text"), text);
    EXPECT_EQ(parsed->GetInteger("n"), -12);
    EXPECT_EQ(parsed->Get("ok"), "false");
    EXPECT_FALSE(parsed->Has("missing"));
    EXPECT_EQ(parsed->GetInteger("text"), std::nullopt);
}

TEST(Transcript, ParseRefusesWhatIsNotAFlatObject)
{
    for (const char* bad : {"", "[]", "{", "{\"a\"}", "{\"a\":}", "{\"a\":1,}", "{\"a\":\"x}",
                            "{\"a\":1 \"b\":2}", "{\"a\":\"\\u01FF\"}"})
        EXPECT_FALSE(CJsonObject::Parse(bad)) << bad;
    EXPECT_TRUE(CJsonObject::Parse("{}"));
    EXPECT_TRUE(CJsonObject::Parse(" { \"a\" : 1 , \"b\" : \"c\" } "));
}

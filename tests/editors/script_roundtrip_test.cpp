// The round trip between macro text and script lines, checked on many generated texts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editors/script_lines.h"
#include "editors/script_roundtrip_property.h"
#include "editors/script_sample_tags.h"

namespace orv::script {
namespace {

std::string saveOf(std::string_view text) { return scriptTextOf(readScriptLines(text)); }

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

    // Literal text that cannot start or end a tag: letters, digits, blanks, line breaks and
    // bytes above 127.
    std::string literal() {
        static const std::string kChars = "abcXYZ 019:;,.-\"{}\r\n\t\x80\xe9\xff";
        std::string out(below(8), ' ');
        for (char& c : out) c = kChars[below(kChars.size())];
        return out;
    }

    const std::string_view& tag() { return test::kWrittenTags[below(test::kWrittenTags.size())]; }

    // Any bytes, with the characters that tags are made of more often than the rest.
    std::string bytes() {
        static const std::string kTagChars = "<>:;,-0123456789{}YNFPI\"";
        std::string out(below(120), '\0');
        for (char& c : out) {
            c = below(3) == 0 ? static_cast<char>(below(256)) : kTagChars[below(kTagChars.size())];
        }
        return out;
    }

    // Real tags cut short, with bytes changed or inserted, run into one another.
    std::string tagSoup() {
        static const std::string kNoise = "<>:;,-0\"{ \xff";
        std::string out;
        const std::size_t pieces = 1 + below(8);
        for (std::size_t i = 0; i < pieces; ++i) {
            std::string piece(tag());
            switch (below(5)) {
                case 0:
                    piece.resize(below(piece.size() + 1));
                    break;
                case 1:
                    piece[below(piece.size())] = kNoise[below(kNoise.size())];
                    break;
                case 2:
                    piece.insert(below(piece.size() + 1), 1, kNoise[below(kNoise.size())]);
                    break;
                case 3:
                    piece += literal();
                    break;
                default:
                    break;
            }
            out += piece;
        }
        return out;
    }

private:
    std::mt19937 rng_;
};

TEST(ScriptRoundTrip, TextsOfWrittenTagsComeBackByteForByte) {
    Generator gen(7);
    for (int i = 0; i < 1000; ++i) {
        std::string text;
        const std::size_t pieces = gen.below(12);
        for (std::size_t k = 0; k < pieces; ++k) text += gen.below(3) == 0 ? gen.literal() : std::string(gen.tag());
        ASSERT_EQ(saveOf(text), text) << test::quoteForReport(text);
        ASSERT_EQ(test::checkScriptRoundTrip(text), "");
    }
}

TEST(ScriptRoundTrip, HoldsForArbitraryBytes) {
    Generator gen(11);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = gen.bytes();
        ASSERT_EQ(test::checkScriptRoundTrip(text), "") << test::quoteForReport(text);
    }
}

TEST(ScriptRoundTrip, HoldsForBrokenAndRunTogetherTags) {
    Generator gen(13);
    for (int i = 0; i < 4000; ++i) {
        const std::string text = gen.tagSoup();
        ASSERT_EQ(test::checkScriptRoundTrip(text), "") << test::quoteForReport(text);
    }
}

// Texts where a rewritten tag could change how the text around it reads: a closing ">" added
// at the end completing an earlier unfinished tag, a separator or an empty "<PARAM>" that held
// a ">" the next tag leant on. And the places where the written form is meant to differ.
TEST(ScriptRoundTrip, HoldsWhereRewritingCouldReachOtherTags) {
    for (const char* text : {"<TBOX:<HEAD:<LAUNCH:calc", "<DIAL:<NAME:<PAUSE:001>002m><PASS:pw>conn>",
                             "<DIAL:<NAME:<LAUNCH:a<PARAM>><PASS:x>conn>", "<NWC:<NAME:><PASS:0G:\\\\h\\d>",
                             "<REPEAT:0001>", "<LAUNCH:a.exe>", "<LAUNCHNO:01T<LAUNCH:b>", "<DD{N}>",
                             "<PAUSE:001;002m>", "<MSD:-000>", "<REM:open", "<DELAY:1.234>"}) {
        EXPECT_EQ(test::checkScriptRoundTrip(text), "") << text;
    }
}

}  // namespace
}  // namespace orv::script

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/DecimalText.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "support/Fixture.h"

namespace {

int MarkCount = 0;
void CountMark() { ++MarkCount; }

class NumbersTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        MarkCount = 0;
        Saved = OnMarkInvalidInput;
        OnMarkInvalidInput = CountMark;
    }
    void TearDown() override {
        OnMarkInvalidInput = Saved;
        KestrilonTest::TearDown();
    }
    void (*Saved)() = nullptr;
};

TEST_F(NumbersTest, BoolToText) {
    EXPECT_EQ(BoolToText(true), "true");
    EXPECT_EQ(BoolToText(false), "false");
}

TEST_F(NumbersTest, ExtToStrTexts) {
    struct Case {
        Extended X;
        const char* Text;
    };
    const std::vector<Case> cases = {
        {3, "3.0"},
        {12.5L, "12.5"},
        {-0.25L, "-0.25"},
        {0, "0.0"},
        {-0.0L, "0.0"},
        {1.0L / 3, "0.333333333333333333"},
        {2.0L / 3, "0.666666666666666667"},
        {-1.0L / 3, "-0.333333333333333333"},
        {10.0L / 3, "3.33333333333333333"},  // 18 significant digits, not 18 decimals
        {1000.0L / 3, "333.333333333333333"},
        {1.0L / 30, "0.033333333333333333"},  // below 0.1: 18 decimals limit
        {2, "2.0"},
        {-1.5L, "-1.5"},
        {0.1L, "0.1"},
        {100, "100.0"},
        {1e-5L, "0.00001"},
        {1e-20L, "0.0"},  // below the 18th decimal
        {-1e-20L, "0.0"},
        {123456789012345678901.0L, "123456789012345679000.0"},
        {1e20L, "100000000000000000000.0"},
        {999999999999999999.5L, "1000000000000000000.0"},
        {-1234.5678L, "-1234.5678"},
        // Where the digits carry into a new place, and on both sides of the switch to 18 decimals.
        {9.9999999999999999999L, "10.0"},
        {0.0999999999999999999999L, "0.1"},
        {0.0499999999999999999999L, "0.05"},
        {99999999999999999.5L, "99999999999999999.5"},
        {1.5e-18L, "0.000000000000000002"},
        {-2.5e-18L, "-0.000000000000000002"},
        {5e-19L, "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ExtToStr(c.X), c.Text);
        std::string line = "x=";  // the writers' form: appended to the line they make
        AppendExtToStr(line, c.X);
        EXPECT_EQ(line, std::string("x=") + c.Text);
        // and stored straight into a line's room
        char room[ExtCharsRoom];
        const size_t n = ExtToChars(c.X, room);
        EXPECT_EQ(n ? std::string(room, n) : ExtToStr(c.X), c.Text);
    }
    // A text longer than the room is left to ExtToStr.
    char room[ExtCharsRoom];
    EXPECT_EQ(ExtToChars(1e60L, room), 0u);
}

TEST_F(NumbersTest, ExtToStrReadsBackClosely) {
    for (Extended x : {1.0L / 7, -2.0L / 3 * 1e5L, 3.14159265358979323846L, 12345.678901234567L}) {
        Extended back = 0;
        std::string t = ExtToStr(x);
        ASSERT_TRUE(StrToExtCalc(t, back, false)) << t;
        EXPECT_NEAR(static_cast<double>((back - x) / x), 0.0, 1e-17) << t;
    }
}

// The text of any magnitude and sign is the C library's rounding to 18 significant
// digits (and to 18 decimals below 0.1), placed as the number text places it.
TEST_F(NumbersTest, ExtToStrIsTheCLibrarysRounding) {
    std::mt19937_64 gen(3);
    auto expected = [](Extended x) {
        char sci[64], fix[128];
        std::snprintf(sci, sizeof sci, "%.17Le", std::fabs(x));
        const int exp10 = std::atoi(std::strchr(sci, 'e') + 1);
        std::string digits, t;
        for (const char* c = sci; *c != 'e'; ++c)
            if (*c != '.') digits += *c;
        if (exp10 < -1) {
            std::snprintf(fix, sizeof fix, "%.18Lf", std::fabs(x));
            t = fix;
        } else if (exp10 == -1) {
            t = "0." + digits;
        } else if (digits.size() <= size_t(exp10) + 1) {
            t = digits + std::string(size_t(exp10) + 1 - digits.size(), '0') + ".0";
        } else {
            t = digits.substr(0, size_t(exp10) + 1) + "." + digits.substr(size_t(exp10) + 1);
        }
        while (t.back() == '0') t.pop_back();
        if (t.back() == '.') t += '0';
        if (t == "0.0") return t;
        return x < 0 ? "-" + t : t;
    };
    for (int i = 0; i < 20000; ++i) {
        Extended x = std::ldexp(Extended(gen() | (1ULL << 63)), int(gen() % 150) - 63 - 80);
        if (i % 3 == 0) x = Extended(int64_t(gen() % 2000000) - 1000000) / Extended(1 << (gen() % 12));
        // Whole numbers, and values a hair beside a power of ten, where the digits carry.
        if (i % 5 == 1) x = std::ldexp(Extended(gen() >> (gen() % 64)), -int(gen() % 8));
        if (i % 7 == 2) x = std::pow(10.0L, int(gen() % 40) - 20) * (1 + (int(gen() % 2001) - 1000) * 1e-19L);
        if (gen() % 2) x = -x;
        ASSERT_EQ(ExtToStr(x), expected(x)) << double(x);
        char room[ExtCharsRoom];
        const size_t n = ExtToChars(x, room);
        ASSERT_EQ(n ? std::string(room, n) : ExtToStr(x), expected(x)) << double(x);
    }
}

// The writers' integer rounding gives the C library's digits for every magnitude and
// number of decimals, exact halves included.
TEST_F(NumbersTest, ScaledRoundGivesPrintfDigits) {
    std::mt19937_64 gen(7);
    std::vector<Extended> values = {0.5L, 1.5L, 2.5L, 0.125L, 0.375L, 1e-3L, 7.0L / 1024, 123456.789L, 1e-25L};
    for (int i = 0; i < 1000; ++i) {
        const Extended x = std::ldexp(Extended(gen() | (1ULL << 63)), int(gen() % 120) - 154);
        values.push_back(gen() % 2 ? x : -x);
        values.push_back(Extended(int64_t(gen() % 100000000)) / 1024);  // exact binary fractions: ties
    }
    for (Extended x : values)
        for (int k = 0; k <= 27; ++k) {
            unsigned __int128 n = 0;
            char want[128], got[40];
            std::snprintf(want, sizeof want, "%.*Lf", k, std::fabs(x));
            std::string digits;
            for (const char* c = want; *c; ++c)
                if (*c != '.' && !(digits.empty() && *c == '0')) digits += *c;
            if (digits.empty()) digits = "0";
            if (!ScaledRound(x, k, n)) {
                EXPECT_GE(digits.size(), 38u) << want;  // only results near 2^127 are refused
                continue;
            }
            EXPECT_EQ(std::string(got, IntDigits(n, 1, got)), digits) << want << " k=" << k;
        }
    unsigned __int128 n = 0;
    EXPECT_FALSE(ScaledRound(1e30L, 27, n));
    EXPECT_FALSE(ScaledRound(NAN, 2, n));
    EXPECT_FALSE(ScaledRound(1, 28, n));
}

TEST_F(NumbersTest, UpCaseOnlyAsciiLetters) {
    EXPECT_EQ(UpCaseStr("abc xyz ABC 019 {}"), "ABC XYZ ABC 019 {}");
    // Accented letters stay as they are, whether UTF-8 or Windows-1250 bytes.
    EXPECT_EQ(UpCaseStr("žluťoučký kůň"), "žLUťOUčKý Kůň");
    EXPECT_EQ(UpCaseAnsiStr("\x9e" "a\xe8" "z"), "\x9e" "A\xe8" "Z");
    EXPECT_EQ(UpCaseStr(""), "");
}

TEST_F(NumbersTest, OperatorPos) {
    struct Case {
        const char* S;
        int Pos;
    };
    for (const Case& c : std::vector<Case>{
             {"3*4+1", 2}, {"12", 0}, {"", 0}, {"-1", 1}, {"1/2", 2}, {"1e-3", 3}, {"5+2-1", 2}}) {
        SCOPED_TRACE(c.S);
        EXPECT_EQ(OperatorPos(c.S), c.Pos);
    }
}

TEST_F(NumbersTest, StrToExtCalcTable) {
    struct Case {
        const char* S;
        bool Ok;
        Extended Value;
    };
    const std::vector<Case> cases = {
        {"2+3*4", true, 20},   // left to right, no precedence
        {"-5-3", true, -8},    {"-2*3", true, -6},  {"7,5", true, 7.5L},
        {"10 20", true, 10},   {"6/4", true, 1.5L}, {"1e3", true, 1000},
        {"1.5E2", true, 150},  {"12", true, 12},    {"0.25", true, 0.25L},
        {"-7", true, -7},      {"1-2-3", true, -4}, {"8/2/2", true, 2},
        {"5*-2", false, 0},    {"+5", false, 0},    {"1e-3", false, 0},
        {"8/0", false, 0},     {"8/0.0000001", false, 0},
        {"5-", false, 0},      {"", false, 0},      {" 5", false, 0},
        {"abc", false, 0},     {"1.2.3", false, 0}, {"1e", false, 0},
        {"0x10", false, 0},    {"inf", false, 0},   {"nan", false, 0},
        {"-", false, 0},       {"*5", false, 0},    {"1e5000", false, 0},
        {"1e4000*1e4000", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.S);
        Extended v = -999;
        MarkCount = 0;
        EXPECT_EQ(StrToExtCalc(c.S, v, true), c.Ok);
        if (c.Ok) {
            EXPECT_EQ(v, c.Value);
            EXPECT_EQ(MarkCount, 0);
        } else {
            EXPECT_EQ(MarkCount, 1);
        }
    }
}

TEST_F(NumbersTest, StrToExtCalcMarksOnlyWhenAsked) {
    Extended v;
    EXPECT_FALSE(StrToExtCalc("x", v, false));
    EXPECT_EQ(MarkCount, 0);
    OnMarkInvalidInput = nullptr;  // no command line attached: nothing to mark
    EXPECT_FALSE(StrToExtCalc("x", v, true));
}

TEST_F(NumbersTest, StrToPtTable) {
    const Osy base{3, 4};
    struct Case {
        const char* S;
        bool Ok;
        Extended X, Y;
        int Marks;
    };
    const std::vector<Case> cases = {
        {"10 20", true, 10, 20, 0},
        {"@10 0", true, 13, 4, 0},
        {"<10 90", true, 3, 14, 0},
        {"<2 180", true, 1, 4, 0},
        {"@<10 0", true, 13, 4, 0},  // "@<" is polar from the base point
        {"10", false, 0, 0, 0},
        {"x 5", false, 0, 0, 1},
        {"5 x", false, 0, 0, 1},
        {"  10 20  ", true, 10, 20, 0},
        {"\t10 20\r\n", true, 10, 20, 0},
        {"1,5 2,5", true, 1.5L, 2.5L, 0},
        {"10  20", false, 0, 0, 1},
        {"10 20 30", true, 10, 20, 0},
        {"2*3 4/2", true, 6, 2, 0},
        {"@-5 -5", true, -2, -1, 0},
        {"@", false, 0, 0, 0},
        {"<", false, 0, 0, 0},
        {"@<", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"<@10 0", false, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.S);
        MarkCount = 0;
        Osy p{-1, -1};
        ASSERT_EQ(StrToPt(c.S, base, p), c.Ok);
        EXPECT_EQ(MarkCount, c.Marks);
        if (c.Ok) {
            EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(c.X), 1e-15);
            EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(c.Y), 1e-15);
        }
    }
}

TEST_F(NumbersTest, StoredPointsAndSegments) {
    // Unaligned address inside a byte block, as inside a packed record.
    std::vector<uint8_t> buf(200, 0xAA);
    void* adr = buf.data() + 3;
    SetPt(adr, Osy{1.25L, -2.5L});
    Osy p = GetPt(adr);
    EXPECT_EQ(p.x, 1.25L);
    EXPECT_EQ(p.y, -2.5L);

    SetSeg(adr, Osy{7, 8}, 0.5L);
    Extended alfa;
    Osy e;
    GetSeg(adr, alfa, e);
    EXPECT_EQ(alfa, 0.5L);
    EXPECT_EQ(e.x, 7);
    EXPECT_EQ(e.y, 8);

    SetPt3D(adr, Osy3D{1, 2, 3});
    Osy3D q = GetPt3D(adr);
    EXPECT_EQ(q.x, 1);
    EXPECT_EQ(q.y, 2);
    EXPECT_EQ(q.z, 3);

    SetSeg3D(adr, Osy3D{4, 5, 6}, -1.5L);
    Osy3D e3;
    GetSeg3D(adr, alfa, e3);
    EXPECT_EQ(alfa, -1.5L);
    EXPECT_EQ(e3.x, 4);
    EXPECT_EQ(e3.y, 5);
    EXPECT_EQ(e3.z, 6);
    EXPECT_EQ(buf[2], 0xAA);  // nothing written before the address
}

TEST_F(NumbersTest, StoredLayoutMatchesRecordSegments) {
    TPlineSeg seg{};
    SetSeg(&seg, Osy{1, 2}, 0.75L);
    EXPECT_EQ(seg.Alfa, 0.75L);
    EXPECT_EQ(seg.E.x, 1);
    EXPECT_EQ(seg.E.y, 2);
    TPlineSeg3D seg3{};
    SetSeg3D(&seg3, Osy3D{1, 2, 3}, 0.25L);
    EXPECT_EQ(seg3.Alfa, 0.25L);
    EXPECT_EQ(seg3.E.z, 3);
    Osy pt{5, 6}, got;
    EXPECT_EQ(GetPt(&pt).y, 6);
    GetPt(&pt, got);
    EXPECT_EQ(got.x, 5);
    Osy3D pt3{7, 8, 9}, got3;
    GetPt3D(&pt3, got3);
    EXPECT_EQ(got3.z, 9);
}

TEST_F(NumbersTest, CodePageKnownTexts) {
    struct Case {
        const char* Utf8;
        const char* Cp;
    };
    const std::vector<Case> cases = {
        {"Uložit soubor ?", "Ulo\x9eit soubor ?"},
        {"Zpět do programu", "Zp\xect do programu"},
        {"ŽLUŤOUČKÝ KŮŇ", "\x8eLU\x8dOU\xc8K\xdd K\xd9\xd2"},
        {"€ „“ – ˙", "\x80 \x84\x93 \x96 \xff"},
        {"plain ASCII\r\n", "plain ASCII\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Utf8);
        EXPECT_EQ(Utf8ToCp1250(c.Utf8), c.Cp);
        EXPECT_EQ(Cp1250ToUtf8(c.Cp), c.Utf8);
    }
}

TEST_F(NumbersTest, CodePageEveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string utf = Cp1250ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1250(utf), all);
    EXPECT_EQ(Cp1250ToUtf8("\xa0"), "\xc2\xa0");  // no-break space
    EXPECT_EQ(Cp1250ToUtf8("\x8a"), "Š");
}

TEST_F(NumbersTest, CodePageUnmappableBecomesQuestionMark) {
    struct Case {
        std::string Utf8;
        std::string Cp;
    };
    const std::vector<Case> cases = {
        {"Ω", "?"},                      // Greek: not in the code page
        {"中文", "??"},                  // three-byte characters
        {"a\xf0\x9f\x98\x80z", "a?z"},   // four-byte character
        {"\xc3", "?"},                   // cut short
        {"\xc3(", "?("},                 // bad continuation
        {"\xc0\xaf", "??"},              // overlong
        {"\xed\xa0\x80", "???"},         // surrogate
        {"\xff\xfe", "??"},              // never valid in UTF-8
        {"\x80x", "?x"},                 // stray continuation byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Cp);
        EXPECT_EQ(Utf8ToCp1250(c.Utf8), c.Cp);
    }
}

}  // namespace

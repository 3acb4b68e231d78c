#include "xbase/code_page.h"
#include "xbase/error.h"

#include <gtest/gtest.h>

#include <string>

using xbase::CodePage;
using xbase::EncodeFailure;

namespace {

constexpr int allPages[] = {437, 850, 852, 866, 1250, 1251, 1252};

CodePage page(int number) {
    std::optional<CodePage> found = CodePage::ofNumber(number);
    EXPECT_TRUE(found) << number;
    return found.value_or(CodePage());
}

} // namespace

TEST(CodePage, EveryByteReadsAsACharacterThatWritesBackAsThatByte) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    for (int number : allPages) {
        SCOPED_TRACE(number);
        const CodePage p = page(number);
        EXPECT_EQ(p.number(), number);
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            EXPECT_EQ(p.byte(p.character(byte)), byte) << "byte " << b;
            if (b < 0x80) {
                EXPECT_EQ(p.character(byte), char32_t(b)) << "ASCII byte " << b;
            }
        }
        const std::string text = p.toUtf8(everyByte);
        const xbase::Encoded back = p.fromUtf8(text);
        ASSERT_TRUE(back) << back.failure->describe();
        EXPECT_EQ(back.bytes, everyByte);
    }
}

TEST(CodePage, KnownCharacters) {
    struct Case {
        int page;
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] = {
        {437, 0x81, "ü"},  {437, 0xE1, "ß"},
        {850, 0xD5, "ı"},  {852, 0xA5, "ą"},
        {852, 0xE7, "š"},  {866, 0x86, "Ж"},
        {866, 0xEF, "я"},  {1250, 0xB3, "ł"},
        {1251, 0xC6, "Ж"}, {1252, 0x80, "€"},
        {1252, 0xFC, "ü"}, {1252, 0x81, "\u0081"}, // undefined in Windows-1252: its C1 control
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + " " + c.utf8);
        const CodePage p = page(c.page);
        EXPECT_EQ(p.toUtf8(std::string(1, char(c.byte))), c.utf8);
        const xbase::Encoded encoded = p.fromUtf8(std::string("x") + c.utf8);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(encoded.bytes, std::string("x") + char(c.byte));
    }
}

TEST(CodePage, LanguageByteNamesTheCodePage) {
    const std::pair<std::uint8_t, int> cases[] = {
        {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x57, 1252}, {0x64, 852},
        {0x65, 866},  {0xC8, 1250}, {0xC9, 1251}, {0x0F, 437},  {0x10, 850}, // German DOS
        {0x00, 1252}, {0x7D, 1252}, {0xFF, 1252}, // none, or one the engine does not read
    };
    for (const auto& [language, number] : cases)
        EXPECT_EQ(CodePage::ofLanguage(language).number(), number) << int(language);
    EXPECT_EQ(CodePage().number(), 1252);
    EXPECT_FALSE(CodePage::ofNumber(1253));
}

TEST(CodePage, RefusesWhatItCannotWrite) {
    using Reason = EncodeFailure::Reason;
    struct Case {
        int page;
        std::string utf8;
        Reason reason;
        std::size_t offset;
        std::string message;
    };
    const Case cases[] = {
        {1252, "Łódź", Reason::NotInCodePage, 0, "code page 1252 cannot hold \"Ł\" (U+0141)"},
        {437, "Price 5€", Reason::NotInCodePage, 7, "code page 437 cannot hold \"€\" (U+20AC)"},
        {1251, "Müller", Reason::NotInCodePage, 1, "code page 1251 cannot hold \"ü\" (U+00FC)"},
        {1252, "a\U0001F600", Reason::NotInCodePage, 1,
         "code page 1252 cannot hold \"\U0001F600\" (U+1F600)"},
        {437, "\u0081", Reason::NotInCodePage, 0, "code page 437 cannot hold U+0081"},
        {1252, "M\xFCller", Reason::InvalidUtf8, 1, "not valid UTF-8 (byte FCh at offset 1)"},
        {1252, "ab\xC3", Reason::InvalidUtf8, 2, "not valid UTF-8 (byte C3h at offset 2)"},
        {1252, "\xC3(", Reason::InvalidUtf8, 0, "not valid UTF-8 (byte C3h at offset 0)"},
        {1252, "\xC0\xAF", Reason::InvalidUtf8, 0, "not valid UTF-8 (byte C0h at offset 0)"},
        {1252, "\xED\xA0\x80", Reason::InvalidUtf8, 0, "not valid UTF-8 (byte EDh at offset 0)"},
        {1252, "\xF4\x90\x80\x80", Reason::InvalidUtf8, 0,
         "not valid UTF-8 (byte F4h at offset 0)"},
        {1252, "\x80", Reason::InvalidUtf8, 0, "not valid UTF-8 (byte 80h at offset 0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const xbase::Encoded encoded = page(c.page).fromUtf8(c.utf8);
        ASSERT_FALSE(encoded);
        EXPECT_EQ(encoded.bytes, "");
        EXPECT_EQ(encoded.failure->reason, c.reason);
        EXPECT_EQ(encoded.failure->offset, c.offset);
        EXPECT_EQ(encoded.failure->describe(), c.message);
    }

    try {
        (void)page(850).fromUtf8OrThrow("Ωmega", "record 3, field NAME");
        FAIL() << "no error";
    } catch (const xbase::Error& e) {
        EXPECT_EQ(e.kind(), xbase::ErrorKind::Value);
        EXPECT_STREQ(e.what(), "record 3, field NAME: code page 850 cannot hold \"Ω\" (U+03A9)");
    }
}

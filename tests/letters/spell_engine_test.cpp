// The spell engine's dictionaries: the word rules, the user dictionary on disk, and the main
// dictionary built with the program.
#include "letters/spell/spell_engine.h"
#include "letters/spell/word_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace spell {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    TempFolder() {
        path =
            fs::temp_directory_path() /
            ("corvane-spell-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
};

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(SpellEngine, WordRulesOfTheMainAndUserDictionaries) {
    TempFolder dir;
    ASSERT_TRUE(WriteWordFile(dir.path / "main.dct", {"CAT", "DOG", "\xC9T\xC9"}));
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionary(dir.path / "main.dct"));
    EXPECT_FALSE(engine.OpenDictionary(dir.path / "main.dct")); // one main dictionary only
    const std::int16_t user = engine.CreateUserDictionary(dir.path / "user.dct", {"zebra"});
    ASSERT_EQ(user, 0);

    const struct {
        const char* word;
        bool known;
    } cases[] = {
        {"cat", true},   {"CaT", true},   {"\xE9t\xE9", true}, {"Zebra", true},
        {"cat's", true}, {"CAT'S", true}, {"cats", false},     {"x", true},
        {"", true},      {"'s", true},    {"dogs's", false},   {"bird", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine.IsWordKnown(c.word), c.known) << c.word;

    engine.SetMaxSuggestions(250);
    EXPECT_EQ(engine.MaxSuggestions(), 220);
}

TEST(SpellEngine, AddedWordsAreOnDiskAtOnceWithinTheLimits) {
    TempFolder dir;
    const fs::path file = dir.path / "corvanu.dct";
    {
        TSpellEngine engine;
        const std::int16_t user = engine.CreateUserDictionary(file, {});
        ASSERT_EQ(user, 0);
        EXPECT_TRUE(engine.AddUserWord("Corvane", user));
        EXPECT_FALSE(engine.AddUserWord(std::string(26, 'Q'), user));
        EXPECT_TRUE(engine.AddUserWord(std::string(25, 'Q'), user));
        EXPECT_FALSE(engine.AddUserWord("two\nlines", user)); // would break the file
        EXPECT_FALSE(engine.AddUserWord("word", 1));
        EXPECT_FALSE(engine.AddUserWord("word", -1));
    }
    TSpellEngine engine;
    const std::int16_t user = engine.OpenUserDictionary(file);
    ASSERT_EQ(user, 0);
    EXPECT_TRUE(engine.IsWordKnown("CORVANE"));
    EXPECT_TRUE(engine.IsWordKnown(std::string(25, 'q')));

    // The user dictionary holds less than 64,000 characters.
    std::vector<std::string> words;
    for (int i = 0; i < 3199; ++i)
        words.push_back("W" + std::to_string(10000000 + i) + std::string(11, 'X')); // 20 each
    const std::int16_t full = engine.CreateUserDictionary(dir.path / "full.dct", words);
    ASSERT_EQ(full, 1);                                          // 63,980 characters
    EXPECT_TRUE(engine.AddUserWord(std::string(14, 'E'), full)); // 63,994
    EXPECT_FALSE(engine.AddUserWord("SIXSIX", full));            // would reach 64,000
    EXPECT_TRUE(engine.AddUserWord("FIVEF", full));
}

TEST(SpellEngine, RefusesFilesThatAreNotDictionaries) {
    TempFolder dir;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"no signature", "CAT\nDOG\n"},
        {"cut short", std::string(WordFileSignature) + "CAT\nDO"},
        {"empty line", std::string(WordFileSignature) + "CAT\n\nDOG\n"},
        {"control byte", std::string(WordFileSignature) + "C\tT\n"},
        {"too long", std::string(WordFileSignature) + std::string(31, 'A') + "\n"},
    };
    for (const auto& c : cases) {
        writeBytes(dir.path / "bad.dct", c.bytes);
        TSpellEngine engine;
        EXPECT_FALSE(engine.OpenDictionary(dir.path / "bad.dct")) << c.name;
        EXPECT_EQ(engine.OpenUserDictionary(dir.path / "bad.dct"), -1) << c.name;
    }
    TSpellEngine engine;
    EXPECT_FALSE(engine.OpenDictionary(dir.path / "missing.dct"));
    EXPECT_EQ(engine.CreateUserDictionary(dir.path / "no" / "such" / "folder.dct", {}), -1);
    // A word check tries the main dictionary again once it exists.
    engine.DictionaryName = dir.path / "late.dct";
    EXPECT_FALSE(engine.IsWordKnown("cat"));
    ASSERT_TRUE(WriteWordFile(dir.path / "late.dct", {"CAT"}));
    EXPECT_TRUE(engine.IsWordKnown("cat"));
}

TEST(SpellEngine, TheShippedDictionaryKnowsCommonWordsAndMendsCommonSlips) {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionary(CORVANE_MAIN_DICTIONARY));
    for (const char* word : {"receive", "their", "Friday", "address", "letter's",
                             "Elys\xE9"
                             "e"})
        EXPECT_TRUE(engine.IsWordKnown(word)) << word;
    for (const char* word : {"recieve", "thier", "adress"})
        EXPECT_FALSE(engine.IsWordKnown(word)) << word;
    const auto proposals = engine.Suggestions("Recieve");
    ASSERT_FALSE(proposals.empty());
    EXPECT_EQ(proposals.front().text, "Receive");
    EXPECT_LE(proposals.size(), 10u);
    const auto split = engine.Suggestions("THECAT");
    EXPECT_NE(std::find_if(split.begin(), split.end(),
                           [](const Proposal& p) { return p.text == "THE CAT"; }),
              split.end());
}

} // namespace
} // namespace spell

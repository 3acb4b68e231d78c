// Suggestions for a misspelled word: sound keys, scores, the ranked list, the alternative
// first letters, two-word splits and the letter case of the proposals.
#include "letters/spell/case_pattern.h"
#include "letters/spell/letters.h"
#include "letters/spell/proposal_list.h"
#include "letters/spell/similarity.h"
#include "letters/spell/sound_key.h"
#include "letters/spell/suggest.h"
#include "letters/spell/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spell {
namespace {

std::vector<std::string> texts(const std::vector<Proposal>& proposals) {
    std::vector<std::string> result;
    for (const Proposal& proposal : proposals)
        result.push_back(proposal.text);
    return result;
}

TEST(SpellScore, ScoresOfCandidatesAgainstTheWord) {
    const struct {
        const char* candidate;
        const char* word;
        int score;
    } cases[] = {
        {"CAT", "CAT", 100},
        {"CART", "CAT", 57},
        {"SPELING", "SPELLING", 93},
        {"RECIEVE", "RECEIVE", 71},
        {"THEIR", "THIER", 60},
        {"XABCD", "ABCDX", 20},
        {"A", "AB", 0},
        {"I", "I", 0},
        {"CAT'S", "CATS", 100},
        // Only the first 30 letters of a candidate count.
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFG", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Similarity(c.candidate, c.word), c.score) << c.candidate << " / " << c.word;
}

TEST(SpellKey, KeysKeepTheFirstLetterAndCodeTheSoundsAfterIt) {
    const struct {
        const char* word;
        SoundKey key;
    } cases[] = {
        {"CAT", {'C', 3, ' ', ' '}},
        // H and I are dropped, and the T repeats the code of the D.
        {"SCHMIDT", {'S', 2, 5, 3}},
        {"SPELLING", {'S', 1, 4, 5}},
        {"SPELING", {'S', 1, 4, 5}},
        // Repeats are removed wherever they stand, not only beside each other.
        {"BABAB", {'B', 1, ' ', ' '}},
        {"A", {'A', ' ', ' ', ' '}},
        {"X0-17\xD0", {'X', 'O', 7, 'I'}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyOf(c.word), c.key) << c.word;
    // A prefix is completed from the target key.
    EXPECT_EQ(KeyOf("CA", SoundKey{'C', 3, 4, 5}), (SoundKey{'C', 3, 4, 5}));
}

TEST(SpellLetters, FoldFollowsTheWindowsUpperCaseRules) {
    EXPECT_EQ(Fold("abc\xE9\xF0\xF7\x9A\x9C\xFF\xDF"), "ABC\xC9\xF0\xF7\x8A\x8C\x9F\xDF");
    // Ð has no small partner in the lower map.
    EXPECT_EQ(Lower(0xD0), 0xD0);
    EXPECT_EQ(Upper(0xF0), 0xF0);
}

TEST(SpellList, KeepsTheBestByScoreAndEqualScoresInTheOrderFound) {
    ProposalList list(3);
    list.offer("B", 50);
    list.offer("C", 50);
    list.offer("A", 80);
    list.offer("D", 50); // no place left within three
    list.offer("E", 60); // pushes the last one out
    EXPECT_EQ(texts(list.entries()), (std::vector<std::string>{"A", "E", "B"}));
    ProposalList none(0);
    none.offer("A", 100);
    EXPECT_TRUE(none.entries().empty());
}

TEST(SpellCase, ProposalsTakeTheCaseOfTheModelWord) {
    const struct {
        const char* model;
        const char* proposal;
        const char* result;
    } cases[] = {
        {"CAT", "CART", "CART"},
        {"cat", "CART", "cart"},
        {"Cat", "CART", "Cart"},
        {"McDonald", "MCDONALD", "McDonald"},
        {"Thecat", "THE CAT", "The cat"},
        {"thE", "THE CAT", "thE cat"},
        {"\xC9t\xE9", "\xC9T\xC9", "\xC9t\xE9"},
        // ß and ð have no capital: the letter of the proposal under them stays small.
        {"Stra\xDF"
         "e",
         "STRAFE", "Strafe"},
        {"\xF0"
         "ad",
         "DAD", "dad"},
        // Letters past the end of a short model stay small.
        {"Ab", "ABCDE", "Abcde"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithCaseOf(c.model, c.proposal), c.result) << c.model;
}

struct Fixture {
    WordList words;
    SuggestSources sources;
    explicit Fixture(std::vector<std::string> list) : words(std::move(list)) {
        sources.dictionaries = {&words};
        sources.isKnown = [this](std::string_view w) { return w.size() <= 1 || words.contains(w); };
    }
};

TEST(SpellSuggest, RanksSimilarWordsAndFillsWithOneLetterWordsPerAlternative) {
    Fixture f({"A", "I", "CAT", "CART", "DOG", "KAT"});
    // C is tried as S, X, V, C, Ç and Œ: the one-letter words come once for each.
    const auto proposals = Suggest("cay", f.sources, 10);
    // CART is not visited: the key of CAR already differs from that of CAY.
    EXPECT_EQ(texts(proposals),
              (std::vector<std::string>{"cat", "a", "i", "a", "i", "a", "i", "a", "i", "a"}));
    EXPECT_EQ(proposals[0].score, 66);
    EXPECT_EQ(proposals[1].score, 0);
    EXPECT_EQ(Suggest("cay", f.sources, 220).size(), 1u + 2 * 6);
}

TEST(SpellSuggest, AWordBeginningWithQGetsWordsBeginningWithWOrQ) {
    Fixture f({"QUICK", "WICK", "KWIK", "CUICK", "QUACK", "QUICKLY", "A", "QUI"});
    const auto proposals = texts(Suggest("QICK", f.sources, 220));
    EXPECT_NE(std::find(proposals.begin(), proposals.end(), "WICK"), proposals.end());
    EXPECT_NE(std::find(proposals.begin(), proposals.end(), "QUICK"), proposals.end());
    for (const std::string& p : proposals)
        EXPECT_TRUE(p[0] == 'W' || p[0] == 'Q' || p.size() == 1) << p;
}

TEST(SpellSuggest, SplitsAWordIntoTwoKnownWords) {
    Fixture f({"THE", "CAT", "HE", "CA"});
    std::vector<std::string> asked;
    SuggestSources sources = f.sources;
    sources.isKnown = [&](std::string_view w) {
        asked.emplace_back(w);
        return f.words.contains(w);
    };
    const auto proposals = Suggest("Thecat", sources, 10);
    ASSERT_FALSE(proposals.empty());
    EXPECT_EQ(proposals[0].text, "The cat");
    EXPECT_EQ(proposals[0].score, Similarity("THE CAT", "THECAT"));
    // The split points tried are 2 to 4; the tail is asked only when the head is known.
    EXPECT_EQ(asked, (std::vector<std::string>{"TH", "THE", "CAT", "THEC"}));

    // A one-letter part is offered only when it is A or I.
    Fixture g({"LOT", "PART"});
    EXPECT_EQ(texts(Suggest("ALOT", g.sources, 10))[0], "A LOT");
    EXPECT_EQ(texts(Suggest("PARTA", g.sources, 10)), (std::vector<std::string>{"PART", "PART A"}));
    EXPECT_TRUE(Suggest("XLOT", g.sources, 10).empty());
}

TEST(SpellSuggest, ListIsCappedAt220AndLooksAt25Letters) {
    std::vector<std::string> letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters.emplace_back(1, c);
    Fixture f(letters);
    // E is tried under twelve first letters: 26 one-letter words each time.
    EXPECT_EQ(Suggest("EX", f.sources, 255).size(), 220u);
    EXPECT_TRUE(Suggest("", f.sources, 10).empty());

    Fixture g({"ABCDEFGHIJKLMNOPQRSTUVWXY"});
    const auto proposals = Suggest("ABCDEFGHIJKLMNOPQRSTUVWXYZZZ", g.sources, 10);
    ASSERT_EQ(proposals.size(), 1u);
    EXPECT_EQ(proposals[0].score, 100);
}

TEST(SpellWordList, WalkSkipsTheWordsOfARefusedPrefix) {
    WordList words({"CAT", "CA", "DOG", "CAB", "C", "COT", "CAT"});
    EXPECT_EQ(words.size(), 6u);
    EXPECT_TRUE(words.contains("CAB"));
    EXPECT_FALSE(words.contains("CO"));
    std::vector<std::string> taken;
    words.walk([](std::string_view prefix) { return prefix != "CA" && prefix != "D"; },
               [&](std::string_view w) { taken.emplace_back(w); });
    EXPECT_EQ(taken, (std::vector<std::string>{"C", "CA", "COT"}));
}

} // namespace
} // namespace spell

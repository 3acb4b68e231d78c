// The spell engine's speed: loading a dictionary, looking a word up, and making suggestions.
// Besides the shipped corvan.dct (the word list without its possessives), a dictionary of every
// line of the word list (over 100,000 words) shows the figures at that size.
#include "letters/spell/letters.h"
#include "letters/spell/spell_engine.h"
#include "letters/spell/word_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

// Every ASCII line of the word list, folded: 104,000 words with the possessives.
const fs::path& fullDictionary() {
    static const fs::path path = [] {
        std::vector<std::string> words;
        std::ifstream in(CORVANE_WORD_LIST);
        std::string line;
        while (std::getline(in, line))
            if (spell::IsStorableWord(line) &&
                std::all_of(line.begin(), line.end(), [](char c) { return c > 0; }))
                words.push_back(spell::Fold(line));
        const fs::path file = fs::temp_directory_path() / "corvane-spell-bench-full.dct";
        spell::WriteWordFile(file, spell::WordList(std::move(words)).words());
        return file;
    }();
    return path;
}

const fs::path& dictionaryOf(int which) {
    static const fs::path shipped = CORVANE_MAIN_DICTIONARY;
    return which == 0 ? shipped : fullDictionary();
}

void BM_LoadDictionary(benchmark::State& state) {
    const fs::path& file = dictionaryOf(static_cast<int>(state.range(0)));
    std::size_t words = 0;
    for (auto _ : state) {
        auto list = spell::LoadWordFile(file);
        if (!list) {
            state.SkipWithError("the dictionary did not load");
            return;
        }
        words = list->size();
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LoadDictionary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Lookups of known and unknown words, in the case a letter has them.
void BM_IsWordKnown(benchmark::State& state) {
    spell::TSpellEngine engine;
    if (!engine.OpenDictionary(dictionaryOf(static_cast<int>(state.range(0))))) {
        state.SkipWithError("the dictionary did not load");
        return;
    }
    const std::vector<std::string> words = {"Dear",     "customers", "recieve", "their",
                                            "letter's", "Zanzibar",  "qwzx",    "accommodate"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.IsWordKnown(words[i++ % words.size()]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsWordKnown)->Arg(0)->Arg(1);

// 1,000 misspellings made from dictionary words by one slip each: two letters swapped, a
// letter dropped, doubled or replaced.
std::vector<std::string> misspellings(const spell::WordList& words) {
    std::mt19937 random(25);
    std::vector<std::string> result;
    while (result.size() < 1000) {
        std::string word = words.words()[random() % words.size()];
        if (word.size() < 4)
            continue;
        const std::size_t at = 1 + random() % (word.size() - 2);
        switch (random() % 4) {
        case 0:
            std::swap(word[at], word[at + 1]);
            break;
        case 1:
            word.erase(at, 1);
            break;
        case 2:
            word.insert(at, 1, word[at]);
            break;
        default:
            word[at] = static_cast<char>('A' + random() % 26);
            break;
        }
        if (!words.contains(word))
            result.push_back(word);
    }
    return result;
}

void BM_Suggestions(benchmark::State& state) {
    spell::TSpellEngine engine;
    const auto list = spell::LoadWordFile(CORVANE_MAIN_DICTIONARY);
    if (!list || !engine.OpenDictionary(CORVANE_MAIN_DICTIONARY)) {
        state.SkipWithError("the dictionary did not load");
        return;
    }
    const std::vector<std::string> words = misspellings(*list);
    for (auto _ : state)
        for (const std::string& word : words)
            benchmark::DoNotOptimize(engine.Suggestions(word));
    state.counters["words_per_second"] =
        benchmark::Counter(static_cast<double>(words.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Suggestions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

#include "letters/spell/similarity.h"

#include <string>

namespace spell {

namespace {

// Finds the longest common block of c[a1..b1] and w[a2..b2] (1-based) in one left-to-right
// scan and recurses on both sides of it. Once a block is found the scan narrows its ends by
// the block's length plus one, which bounds later matches as well; a range of one character
// is never matched. These quirks are part of the score.
struct Matcher {
    std::string_view c, w;
    int total = 0;

    bool same(int i, int j) const { return c[i - 1] == w[j - 1]; }

    void match(int a1, int b1, int a2, int b2) {
        if (a1 == b1 || a2 == b2)
            return;
        int best = 0, p1 = 0, p2 = 0;
        int e1 = b1, e2 = b2;
        int i = a1 - 1;
        if (i >= b1)
            return;
        do {
            ++i;
            int j = a2 - 1;
            if (j < e2) {
                do {
                    ++j;
                    int m = 0;
                    while (i + m <= e1 && j + m <= e2 && same(i + m, j + m))
                        ++m;
                    if (m > best) {
                        p1 = i;
                        p2 = j;
                        best = m;
                        e1 = b1 - m - 1;
                        e2 = b2 - m - 1;
                        i += m;
                    }
                    j += m;
                } while (j < e2);
            }
        } while (i < e1);
        if (best > 0) {
            total += 2 * best;
            match(p1 + best, b1, p2 + best, b2);
            match(a1, p1 - 1, a2, p2 - 1);
        }
    }
};

} // namespace

int Similarity(std::string_view candidate, std::string_view word) {
    std::string c;
    for (char ch : candidate.substr(0, MaxProposalLength))
        if (ch != '\'')
            c += ch;
    if (c.size() + word.size() == 0)
        return 0;
    Matcher matcher{c, word};
    matcher.match(1, static_cast<int>(c.size()), 1, static_cast<int>(word.size()));
    return matcher.total * 100 / static_cast<int>(c.size() + word.size());
}

} // namespace spell

// classify/pattern_matcher.cpp: builds the pattern automaton: a trie of the patterns,
// completed with failure transitions breadth first so that every step is one lookup.
#include "classify/pattern_matcher.h"

#include <cstddef>

PatternCodes AssignPatternCodes(const std::vector<std::vector<const char*>>& patternSets)
{
    PatternCodes codes{};
    int count = 1;
    for (const auto& patterns : patternSets)
        for (const char* p : patterns)
            for (const char* c = p; *c; ++c)
                if (codes[static_cast<unsigned char>(*c)] == 0 && count < CodeCount)
                    codes[static_cast<unsigned char>(*c)] = static_cast<uint8_t>(count++);
    return codes;
}

PatternMatcher BuildPatternMatcher(const std::vector<const char*>& patterns, const PatternCodes& codes)
{
    PatternMatcher m;
    constexpr int k = CodeCount;
    std::vector<int> trie(k, -1);  // -1: no edge yet
    m.found.assign(1, PatternSet{});
    m.depth.assign(1, 0);
    for (size_t i = 0; i < patterns.size(); ++i) {
        int state = 0;
        for (const char* c = patterns[i]; *c; ++c) {
            int code = codes[static_cast<unsigned char>(*c)];
            if (trie[state * k + code] < 0) {
                trie[state * k + code] = static_cast<int>(m.found.size());
                m.found.push_back(PatternSet{});
                m.depth.push_back(static_cast<uint8_t>(m.depth[state] + 1));
                trie.resize(m.found.size() * k, -1);
            }
            state = trie[state * k + code];
        }
        m.found[state][i / 64] |= uint64_t{1} << (i % 64);
    }

    const size_t states = m.found.size();
    m.next.assign(states * k, 0);
    std::vector<int> fail(states, 0), queue;
    for (int code = 1; code < k; ++code) {  // code 0 is in no pattern: it stays at the start
        int child = trie[code];
        if (child > 0) {
            m.next[code] = static_cast<uint16_t>(child);
            queue.push_back(child);
        }
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        int state = queue[head];
        for (int w = 0; w < 2; ++w)
            m.found[state][w] |= m.found[fail[state]][w];
        for (int code = 1; code < k; ++code) {
            int child = trie[state * k + code];
            if (child > 0) {
                fail[child] = m.next[fail[state] * k + code];
                m.next[state * k + code] = static_cast<uint16_t>(child);
                queue.push_back(child);
            } else {
                m.next[state * k + code] = m.next[fail[state] * k + code];
            }
        }
    }
    m.endsPattern.resize(states);
    for (size_t s = 0; s < states; ++s)
        m.endsPattern[s] = (m.found[s][0] | m.found[s][1]) != 0;
    return m;
}

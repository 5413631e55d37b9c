// classify/pattern_matcher.cpp: builds the pattern automaton: a trie of the patterns,
// completed with failure transitions breadth first so that every step is one lookup.
#include "classify/pattern_matcher.h"

#include <cstring>

PatternMatcher BuildPatternMatcher(const std::vector<const char*>& patterns)
{
    PatternMatcher m;
    for (const char* p : patterns)
        for (const char* c = p; *c; ++c)
            if (m.classOf[static_cast<unsigned char>(*c)] == 0)
                m.classOf[static_cast<unsigned char>(*c)] = static_cast<uint8_t>(m.classCount++);

    const int k = m.classCount;
    std::vector<int> trie(k, -1);  // -1: no edge yet
    m.found.assign(1, PatternSet{});
    for (size_t i = 0; i < patterns.size(); ++i) {
        int state = 0;
        for (const char* c = patterns[i]; *c; ++c) {
            int cls = m.classOf[static_cast<unsigned char>(*c)];
            if (trie[state * k + cls] < 0) {
                trie[state * k + cls] = static_cast<int>(m.found.size());
                m.found.push_back(PatternSet{});
                trie.resize(m.found.size() * k, -1);
            }
            state = trie[state * k + cls];
        }
        m.found[state][i / 64] |= uint64_t{1} << (i % 64);
    }

    const size_t states = m.found.size();
    m.next.assign(states * k, 0);
    std::vector<int> fail(states, 0), queue;
    for (int cls = 0; cls < k; ++cls) {
        int child = trie[cls];
        if (child > 0) {
            m.next[cls] = static_cast<uint16_t>(child);
            queue.push_back(child);
        }
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        int state = queue[head];
        for (int w = 0; w < 2; ++w)
            m.found[state][w] |= m.found[fail[state]][w];
        for (int cls = 0; cls < k; ++cls) {
            int child = trie[state * k + cls];
            if (child > 0) {
                fail[child] = m.next[fail[state] * k + cls];
                m.next[state * k + cls] = static_cast<uint16_t>(child);
                queue.push_back(child);
            } else {
                m.next[state * k + cls] = m.next[fail[state] * k + cls];
            }
        }
    }
    m.endsPattern.resize(states);
    for (size_t s = 0; s < states; ++s)
        m.endsPattern[s] = (m.found[s][0] | m.found[s][1]) != 0;
    return m;
}

#pragma once
// Generated texts for the benchmarks: the same seed and size always give the same bytes.
#include <cstdint>
#include <string>

namespace bench {

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high].
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
    }

private:
    uint64_t state_;
};

inline constexpr const char* kWords[] = {
    "the", "of", "and", "a", "to", "in", "is", "was", "that", "for", "it", "with", "as",
    "on", "be", "at", "by", "this", "had", "not", "are", "but", "from", "or", "have", "an",
    "they", "which", "one", "you", "were", "her", "all", "she", "there", "would", "their",
    "we", "him", "been", "has", "when", "who", "will", "more", "no", "if", "out", "so",
    "said", "what", "up", "its", "about", "into", "than", "them", "can", "only", "other",
    "new", "some", "could", "time", "these", "two", "may", "then", "do", "first", "any",
    "my", "now", "such", "like", "our", "over", "man", "me", "even", "most", "made",
    "after", "also", "did", "many", "before", "must", "through", "back", "years", "where",
    "much", "your", "way", "well", "down", "should", "because", "each", "just", "those",
    "people", "how", "too", "little", "state", "good", "very", "make", "world", "still",
    "own", "see", "men", "work", "long", "get", "here", "between", "both", "life", "being",
    "under", "never", "day", "same", "another", "know", "while", "last", "might", "us",
    "great", "old", "year", "off", "come", "since", "against", "go", "came", "right",
    "used", "take", "three", "harbour", "lantern", "margin", "ledger", "orchard",
    "weather", "quietly", "paragraph", "typewriter", "afternoon", "correspondence",
    "measurement", "nevertheless", "particularly", "understanding", "(of course)",
    "don't", "it's", "O'Neill", "50%", "1899", "no. 7", "[sic]", "back\\slash",
};
inline constexpr size_t kWordCount = sizeof kWords / sizeof kWords[0];

// The seed export_bench uses for a case: `length` 0 for the prose of short lines.
inline constexpr uint64_t ProseSeed(long lines, long length = 0) {
    return 0x5C121A7E0000ULL + static_cast<uint64_t>(lines) + (static_cast<uint64_t>(length) << 32);
}

inline constexpr int kMinLine = 40;
inline constexpr int kMaxLine = 110;

// The next word of the prose: capitalised after a full stop, sometimes followed by one.
inline std::string NextWord(Random& random, bool& sentenceStart) {
    std::string word = kWords[random.Next() % kWordCount];
    if (sentenceStart && word[0] >= 'a' && word[0] <= 'z') word[0] -= 'a' - 'A';
    sentenceStart = false;
    const int roll = random.Between(0, 99);
    if (roll < 8) {
        word += '.';
        sentenceStart = true;
    } else if (roll < 14) {
        word += ',';
    }
    return word;
}

// Deterministic ASCII prose, one CR LF after every line.
inline std::string MakeProse(int lines, uint64_t seed) {
    Random random(seed);
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 77);
    std::string line;
    bool sentenceStart = true;
    for (int n = 0; n < lines; ++n) {
        const int target = random.Between(kMinLine, kMaxLine);
        line.clear();
        for (;;) {
            std::string word = NextWord(random, sentenceStart);
            const size_t needed = line.size() + (line.empty() ? 0 : 1) + word.size();
            if (needed > static_cast<size_t>(target)) break;
            if (!line.empty()) line += ' ';
            line += word;
        }
        // The longest word is shorter than the gap left, but make sure of the bounds.
        while (line.size() < static_cast<size_t>(kMinLine)) line += line.empty() ? "x" : " x";
        if (line.size() > static_cast<size_t>(kMaxLine)) line.resize(kMaxLine);
        text += line;
        text += "\r\n";
    }
    return text;
}

// Deterministic ASCII prose for the wrapped case: every line exactly `length` characters
// of words with single spaces between them, no space at either end, CR LF after it.
inline std::string MakeLongLines(int lines, int length, uint64_t seed) {
    Random random(seed);
    std::string text;
    text.reserve(static_cast<size_t>(lines) * (static_cast<size_t>(length) + 2));
    std::string line;
    bool sentenceStart = true;
    const size_t target = static_cast<size_t>(length);
    for (int n = 0; n < lines; ++n) {
        line.clear();
        while (line.size() < target) {
            if (!line.empty() && line.size() + 1 == target) {
                line += 's';  // no room for a space and a letter: the last word grows
                break;
            }
            std::string word = NextWord(random, sentenceStart);
            // The last word is cut so that the line ends exactly at its length.
            const size_t room = target - line.size() - (line.empty() ? 0 : 1);
            if (word.size() > room) {
                word.resize(room);
                if (word.back() == ' ') word.back() = 's';
            }
            if (!line.empty()) line += ' ';
            line += word;
        }
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace bench

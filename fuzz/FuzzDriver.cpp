// Runs one fuzz harness (LLVMFuzzerTestOneInput) without libFuzzer: the inputs are given
// files first, then deterministic pseudo-random ones, fresh or mutated from earlier
// inputs and spiced with tokens of the program files, until a count or a time is up.
//
//   korven-fuzz-NAME [--seconds S] [--runs N] [--seed X] [--max-len L] [FILE...]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::size_t(next() % n); }

private:
    std::uint64_t m_state;
};

// Pieces of real program files: names in UTF-8 and in Windows-1250, fields, numbers.
const char *const kTokens[] = {"1.0\r\n1\r\n4\r\n",
                               "1.0\r\n",
                               "\r\n",
                               "\n",
                               "\r",
                               "(",
                               ")",
                               ",",
                               "-",
                               ": ",
                               "001: ",
                               "999: ",
                               "1000: ",
                               "0000000001: ",
                               "Koniec",
                               "Stop",
                               "Hamuj",
                               "Zeruj licznik pozycji",
                               "Prędkość min",
                               "Prędkość max",
                               "Prędkość docelowa",
                               "Pr\xEA"
                               "dko\x9C\xE6 min",
                               "Przysp. max",
                               "Czekaj[ms]",
                               "Czekaj[s]",
                               "Skocz do linii",
                               "Skocz jeśli wejście",
                               "Skocz je\x9Cli wej\x9C"
                               "cie",
                               "Skocz jeśli licz. powt.",
                               "Znajdź pozycję",
                               "Znajdź HOME",
                               "Enable/Disable",
                               "High",
                               "Low",
                               "Ustaw licznik powtórzeń",
                               "Ustaw wyjście",
                               "Wyjścia",
                               "(1,0,0,0,0,0,0,1)",
                               " pps",
                               " pps/s^2",
                               "(465,66)",
                               "(1600,00)",
                               "(-500,00)",
                               "(7,625)",
                               "(65536)",
                               "(8388607)",
                               "(-8388608)",
                               "(2147483648)",
                               "(99999999999999999999)",
                               "()",
                               "(0)",
                               "(1)(2)(1)",
                               "\xEF\xBB\xBF",
                               "\xC3\xA9",
                               "\xFF",
                               "\x81",
                               "\t",
                               " ",
                               "0",
                               "1",
                               "9"};

void mutate(Bytes *input, Random &rng, const std::vector<Bytes> &pool, std::size_t maxLen) {
    const int rounds = 1 + int(rng.below(4));
    for (int r = 0; r < rounds; ++r) {
        const std::size_t n = input->size();
        switch (rng.below(7)) {
        case 0: // flip a bit
            if (n > 0)
                (*input)[rng.below(n)] ^= std::uint8_t(1u << rng.below(8));
            break;
        case 1: // a random byte
            input->insert(input->begin() + std::ptrdiff_t(rng.below(n + 1)),
                          std::uint8_t(rng.next()));
            break;
        case 2: { // drop a range
            if (n == 0)
                break;
            const std::size_t at = rng.below(n);
            const std::size_t len = 1 + rng.below(std::min<std::size_t>(16, n - at));
            input->erase(input->begin() + std::ptrdiff_t(at),
                         input->begin() + std::ptrdiff_t(at + len));
            break;
        }
        case 3:
        case 4: { // a token
            const char *token = kTokens[rng.below(std::size(kTokens))];
            input->insert(input->begin() + std::ptrdiff_t(rng.below(n + 1)), token,
                          token + std::strlen(token));
            break;
        }
        case 5: { // repeat a range
            if (n == 0)
                break;
            const std::size_t at = rng.below(n);
            const std::size_t len = 1 + rng.below(std::min<std::size_t>(32, n - at));
            const Bytes copy(input->begin() + std::ptrdiff_t(at),
                             input->begin() + std::ptrdiff_t(at + len));
            input->insert(input->begin() + std::ptrdiff_t(rng.below(n + 1)), copy.begin(),
                          copy.end());
            break;
        }
        default: { // splice in a piece of another input
            if (pool.empty())
                break;
            const Bytes &other = pool[rng.below(pool.size())];
            if (other.empty())
                break;
            const std::size_t at = rng.below(other.size());
            const std::size_t len = 1 + rng.below(std::min<std::size_t>(64, other.size() - at));
            input->insert(input->begin() + std::ptrdiff_t(rng.below(n + 1)),
                          other.begin() + std::ptrdiff_t(at),
                          other.begin() + std::ptrdiff_t(at + len));
            break;
        }
        }
    }
    if (input->size() > maxLen)
        input->resize(maxLen);
}

Bytes freshInput(Random &rng, std::size_t maxLen) {
    Bytes input;
    if (rng.below(2) == 0) { // a header, as real files have
        const char *header = "1.0\r\n1\r\n4\r\n";
        input.assign(header, header + std::strlen(header));
    }
    const std::size_t pieces = rng.below(40);
    for (std::size_t i = 0; i < pieces && input.size() < maxLen; ++i) {
        if (rng.below(3) == 0) {
            input.push_back(std::uint8_t(rng.next()));
        } else {
            const char *token = kTokens[rng.below(std::size(kTokens))];
            input.insert(input.end(), token, token + std::strlen(token));
        }
    }
    if (input.size() > maxLen)
        input.resize(maxLen);
    return input;
}

bool readFile(const char *path, Bytes *bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

int main(int argc, char **argv) {
    double seconds = 5;
    unsigned long long runs = 10000000;
    std::uint64_t seed = 1;
    std::size_t maxLen = 4096;
    std::vector<const char *> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue)
            seconds = std::atof(argv[++i]);
        else if (arg == "--runs" && hasValue)
            runs = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--seed" && hasValue)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--max-len" && hasValue)
            maxLen = std::size_t(std::strtoull(argv[++i], nullptr, 10));
        else if (!arg.empty() && arg[0] != '-')
            files.push_back(argv[i]);
        else {
            std::fprintf(stderr,
                         "usage: %s [--seconds S] [--runs N] [--seed X] [--max-len L] "
                         "[FILE...]\n",
                         argv[0]);
            return 2;
        }
    }
    for (const char *file : files) {
        Bytes bytes;
        if (!readFile(file, &bytes)) {
            std::fprintf(stderr, "cannot read %s\n", file);
            return 2;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }

    Random rng(seed);
    std::vector<Bytes> pool;
    const auto start = std::chrono::steady_clock::now();
    unsigned long long done = 0;
    for (; done < runs; ++done) {
        // The clock is asked only now and then: it costs more than a small input.
        if (done % 64 == 0 &&
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >
                seconds)
            break;
        Bytes input;
        if (pool.empty() || rng.below(4) == 0) {
            input = freshInput(rng, maxLen);
        } else {
            input = pool[rng.below(pool.size())];
            mutate(&input, rng, pool, maxLen);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
        if (pool.size() < 256)
            pool.push_back(std::move(input));
        else
            pool[rng.below(pool.size())] = std::move(input);
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %llu inputs in %.1f s (seed %llu), no finding\n", argv[0], done, elapsed,
                (unsigned long long)seed);
    return 0;
}

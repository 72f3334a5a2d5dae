// Makes the college-sized database the benchmarks run on, the same rows for the same seed:
//   zelkarin_bench_generate [--seed N] --sqlite FILE
//   zelkarin_bench_generate [--seed N] --postgresql DATABASE   (server from PGHOST etc.)
#include "CollegeLoaders.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: zelkarin_bench_generate [--seed N] "
                         "(--sqlite FILE | --postgresql DATABASE)\n");
    return 2;
}

bool plainName(const std::string& name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    std::uint64_t seed = 7;
    std::string engine, target;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seed")
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (option == "--sqlite" || option == "--postgresql")
            engine = option.substr(2), target = argv[i + 1];
        else
            return usage();
    }
    if (engine.empty() || argc % 2 == 0 || (engine == "postgresql" && !plainName(target)))
        return usage();
    try {
        const auto start = std::chrono::steady_clock::now();
        const CollegeShape shape;
        const std::uint64_t digest = engine == "sqlite" ? loadSqliteCollege(target, shape, seed)
                                                        : loadPostgresCollege(target, shape, seed);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%s %s: seed %llu, digest %016llx, %.1f s\n", engine.c_str(), target.c_str(),
                    static_cast<unsigned long long>(seed), static_cast<unsigned long long>(digest),
                    took.count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_generate: %s\n", error.what());
        return 1;
    }
    return 0;
}

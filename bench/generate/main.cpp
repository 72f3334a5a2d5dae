// Makes the college-sized database the benchmarks run on, the same rows for the same seed:
//   zelkarin_bench_generate (--sqlite FILE | --postgresql DATABASE) [--seed N]
#include "BenchDatabase.h"
#include "CollegeLoaders.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        const auto start = std::chrono::steady_clock::now();
        const std::string target = options.target.toStdString();
        if (options.engine == BenchOptions::Engine::SQLite)
            loadSqliteCollege(target, CollegeShape{}, options.seed);
        else
            loadPostgresCollege(target, CollegeShape{}, options.seed);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%s %s: seed %llu, %.1f s\n", options.engineName(), target.c_str(),
                    static_cast<unsigned long long>(options.seed), took.count());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_generate: %s\n", error.what());
        return 1;
    }
}

// The memory floor after a login: the bare window, then the login's statements through the
// engine's own client library.
//   zelkarin_bench_startup_floor_login (--sqlite FILE | --postgresql DATABASE) [--seed N]
#include "BareWindow.h"
#include "BenchDatabase.h"
#include "Probe.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        return runBareWindow(argv[0], [&options] {
            const CollegeFacts facts = options.facts();
            loginFloor(options.floor(), facts.profid, facts.password, QStringLiteral("127.0.0.1"));
            reportToParent("rss_login_mb", residentMb());
        });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_startup_floor_login: %s\n", error.what());
        return 1;
    }
}

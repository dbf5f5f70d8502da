// The baseline of cli_info_bench: the plain program a user could write instead of
// `quelmar-cli info` for a file of ten value columns. It reads every observation with
// std::ifstream >> double, the way load_bench's baseline does, and prints the same summary.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: plain_info FILE\n");
        return 1;
    }
    constexpr int Channels = 10;
    std::ifstream in(argv[1]);
    std::vector<double> times, values;
    std::string rest;
    double v;
    while (in >> v) {
        times.push_back(v);
        for (int k = 0; k < Channels; ++k) {
            in >> v;
            values.push_back(v);
        }
        std::getline(in, rest);
    }
    if (times.empty()) return 1;
    const auto [first, last] = std::minmax_element(times.begin(), times.end());
    std::printf("channels %d\npoints %zu\nfirst %.4f\nlast %.4f\n", Channels, times.size(), *first,
                *last);
    return 0;
}
